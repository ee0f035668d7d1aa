#include "image/family.h"

namespace vel {

const FormField* Family::field(int id) const {
    for (const FormField& f : form) {
        if (f.id == id) return &f;
    }
    return nullptr;
}

int Family::columnOf(ColumnKind kind) const {
    for (int c = 0; c < columnCount(); ++c) {
        if (columns[c].kind == kind) return c;
    }
    return -1;
}

int ColumnWidth(const Family& family, int col, int w) {
    const Column& c = family.columns.at(col);
    // The layout computes in floating point and cuts towards zero.
    return static_cast<int>(static_cast<double>(w) * c.widthFactor / c.widthDivisor);
}

const std::vector<const Family*>& AllFamilies() {
    static const std::vector<const Family*> all{&VelmarVFamily(), &VmCh128Family(), &VmCh118Family(),
                                                &MarloweFamily(), &VmCh16Family(),  &VmCh16CnFamily()};
    return all;
}

const Family& GetFamily(FamilyId id) {
    switch (id) {
        case FamilyId::Velmar_V: return VelmarVFamily();
        case FamilyId::VM_CH128: return VmCh128Family();
        case FamilyId::VM_CH118: return VmCh118Family();
        case FamilyId::Marlowe: return MarloweFamily();
        case FamilyId::VM_CH16: return VmCh16Family();
        case FamilyId::VM_CH16_CN: return VmCh16CnFamily();
    }
    return VelmarVFamily();
}

const Family* FindFamily(std::string_view name) {
    for (const Family* f : AllFamilies()) {
        if (f->name == name) return f;
    }
    return nullptr;
}

Image NewDocumentImage(const Family& family) {
    Image image(static_cast<std::size_t>(family.imageSize), 0xFF);
    for (const ByteWrite& w : family.newDocument) {
        for (std::size_t i = 0; i < w.bytes.size(); ++i) image.at(static_cast<std::size_t>(w.addr) + i) = w.bytes[i];
    }
    return image;
}

}  // namespace vel

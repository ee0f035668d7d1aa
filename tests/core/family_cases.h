#pragma once
// Helpers shared by the family and channel table tests.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "image/family.h"
#include "image/image.h"

namespace vel::testing_support {

inline const char* NameOf(FamilyId id) {
    switch (id) {
        case FamilyId::Velmar_V: return "Velmar_V";
        case FamilyId::VM_CH128: return "VM_CH128";
        case FamilyId::VM_CH118: return "VM_CH118";
        case FamilyId::Marlowe: return "Marlowe";
        case FamilyId::VM_CH16: return "VM_CH16";
        case FamilyId::VM_CH16_CN: return "VM_CH16_CN";
    }
    return "?";
}

inline const std::vector<FamilyId>& AllIds() {
    static const std::vector<FamilyId> ids{FamilyId::Velmar_V, FamilyId::VM_CH128, FamilyId::VM_CH118,
                                           FamilyId::Marlowe,  FamilyId::VM_CH16,  FamilyId::VM_CH16_CN};
    return ids;
}

struct Poke {
    int addr;
    std::vector<Byte> bytes;
};

/// An image of the family's size, every byte `fill`, then the pokes.
inline Image ImageWith(FamilyId id, const std::vector<Poke>& pokes, Byte fill = 0xFF) {
    Image img(static_cast<std::size_t>(GetFamily(id).imageSize), fill);
    for (const Poke& p : pokes) {
        for (std::size_t i = 0; i < p.bytes.size(); ++i) img.at(static_cast<std::size_t>(p.addr) + i) = p.bytes[i];
    }
    return img;
}

/// Record address of channel n, written out per family (not read from the descriptor).
inline int RecordOf(FamilyId id, int n) {
    switch (id) {
        case FamilyId::Marlowe:
        case FamilyId::VM_CH16:
        case FamilyId::VM_CH16_CN: return 16 * n;
        default: return 16 * (n - 1);
    }
}

/// One owned field: `mask` of byte `addr`.
struct Owned {
    int addr;
    Byte mask;
};

/// The bits a store of the channel table may change, written out per family.
inline std::vector<Byte> OwnedMask(FamilyId id) {
    const int size = GetFamily(id).imageSize;
    std::vector<Byte> m(static_cast<std::size_t>(size), 0);
    auto own = [&](int addr, Byte mask) { m.at(static_cast<std::size_t>(addr)) |= mask; };
    auto ownRange = [&](int from, int to) {
        for (int a = from; a <= to; ++a) own(a, 0xFF);
    };
    switch (id) {
        case FamilyId::Velmar_V:
        case FamilyId::VM_CH128:
            for (int n = 1; n <= 128; ++n) {
                const int r = 16 * (n - 1);
                ownRange(r, r + 12);                            // frequencies, tones, signalling byte
                own(r + 13, 0x3E);                              // busy lock, scan, wide, power
                if (id == FamilyId::VM_CH128) own(r + 14, 0x01);  // PTT ID
            }
            ownRange(0x850, 0xC4F);  // names
            own(0x80A, 0xFF);
            own(0x80B, 0xFF);
            own(0x811, 0xFF);
            own(0x812, 0x80);
            own(0x819, 0xFF);
            break;
        case FamilyId::VM_CH118:
            for (int n = 1; n <= 118; ++n) {
                const int r = 16 * (n - 1);
                ownRange(r, r + 12);
                own(r + 13, 0x3E);
                own(r + 14, 0x01);
            }
            own(0x7D2, 0x80);
            own(0x7D7, 0xFF);
            own(0x7DA, 0xFF);
            own(0x7DB, 0xFF);
            break;
        case FamilyId::Marlowe:
            for (int n = 1; n <= 16; ++n) {
                ownRange(16 * n, 16 * n + 11);
                own(16 * n + 12, 0x1D);  // bits 0, 2, 3, 4
            }
            ownRange(0x000, 0x005);  // data password
            own(0x3D2, 0xFF);
            own(0x3D3, 0xFF);
            break;
        case FamilyId::VM_CH16:
        case FamilyId::VM_CH16_CN:
            for (int n = 1; n <= 16; ++n) {
                ownRange(16 * n, 16 * n + 11);
                own(16 * n + 12, 0x05);  // busy (bit 0), band width (bit 2)
            }
            own(0x3C0, 0x0D);  // warning, scan function, vox
            ownRange(0x3C1, 0x3C4);
            own(0x3D2, 0xFF);
            own(0x3D3, 0xFF);
            break;
    }
    return m;
}

}  // namespace vel::testing_support

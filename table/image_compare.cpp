#include "table/image_compare.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "image/encodings.h"
#include "table/channel_table.h"
#include "table/setting_names.h"

namespace vel {
namespace {

std::string SelectedText(const FormField& field, const ChannelTable& table, Lang lang) {
    if (field.isEdit()) {
        const auto it = table.text.find(field.id);
        return it == table.text.end() ? std::string() : it->second;
    }
    const auto it = table.selection.find(field.id);
    if (it == table.selection.end() || it->second < 0 || it->second >= static_cast<int>(field.items.size())) return {};
    return field.items[static_cast<std::size_t>(it->second)].text.in(lang);
}

void Explain(std::vector<Byte>& explained, const std::vector<OwnedBits>& bits) {
    for (const OwnedBits& b : bits)
        if (b.address >= 0 && static_cast<std::size_t>(b.address) < explained.size())
            explained[static_cast<std::size_t>(b.address)] |= b.mask;
}

void TakeBits(const std::vector<OwnedBits>& bits, const Image& other, Image& image) {
    for (const OwnedBits& b : bits) {
        const std::size_t at = static_cast<std::size_t>(b.address);
        image.at(at) = static_cast<Byte>((image.at(at) & ~b.mask) | (other.at(at) & b.mask));
    }
}

/// The channel whose record or name holds `address` (0 for none), so that a
/// run of bytes is listed with its channel and never crosses into another.
struct ByteGroup {
    int channel = 0;
    int key = 0;   // runs join only within one key
};

ByteGroup GroupOf(const Family& family, int address) {
    const int records = family.recordAddr(1);
    if (address >= records && address < family.recordAddr(family.channelCount + 1)) {
        const int channel = (address - records) / 16 + 1;
        return {channel, 2 * channel};
    }
    if (family.nameAddr && address >= *family.nameAddr && address < *family.nameAddr + 8 * family.channelCount) {
        const int channel = (address - *family.nameAddr) / 8 + 1;
        return {channel, 2 * channel + 1};
    }
    // Other bytes join within one 16-byte row of the image.
    return {0, -1 - address / 16};
}

}  // namespace

std::vector<ImageDifference> CompareImages(const Family& family, Lang lang, const Image& a, const Image& b,
                                           std::size_t limit) {
    const std::size_t size = static_cast<std::size_t>(family.imageSize);
    if (a.size() != size || b.size() != size)
        throw std::invalid_argument("CompareImages: both images must have the family's size");
    const Lang ui = family.uiLang(lang);
    const std::size_t end = std::min(limit, size);
    // Bytes past the limit count as equal: the second image takes the first's there.
    Image second = a;
    std::copy(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(end), second.begin());

    ChannelTable ta = NewChannelTable(family, ui);
    ChannelTable tb = NewChannelTable(family, ui);
    FillChannelGrid(family, ui, a, ta);
    FillChannelGrid(family, ui, second, tb);

    std::vector<Byte> explained(size, 0);
    std::map<int, std::vector<ImageDifference>> byChannel;   // channel → its rows, in order
    std::vector<ImageDifference> fields;
    std::vector<ImageDifference> memory;

    for (int ch = 1; ch <= family.channelCount; ++ch) {
        const std::size_t rec = static_cast<std::size_t>(family.recordAddr(ch));
        const bool inUseA = RecordInUse(&a.at(rec));
        const bool inUseB = RecordInUse(&second.at(rec));
        for (int col = 0; col < family.columnCount(); ++col) {
            const std::vector<OwnedBits> bits = CellBits(family, ch, col);
            if (bits.empty() || ta.at(ch, col) == tb.at(ch, col)) continue;
            ImageDifference d;
            d.kind = DifferenceKind::Cell;
            d.channel = ch;
            d.column = col;
            d.where = ChannelSettingName(family, ui, ch, col);
            d.valueA = ta.at(ch, col);
            d.valueB = tb.at(ch, col);
            d.use = inUseA == inUseB ? UseScope::Cell : UseScope::Channel;
            byChannel[ch].push_back(std::move(d));
            Explain(explained, bits);
        }
    }

    for (const FormField& field : family.form) {
        const std::string va = SelectedText(field, ta, ui);
        const std::string vb = SelectedText(field, tb, ui);
        if (va == vb) continue;
        ImageDifference d;
        d.kind = DifferenceKind::Field;
        d.fieldId = field.id;
        d.where = FieldLabel(family, ui, field.id);
        d.valueA = va;
        d.valueB = vb;
        d.use = UseScope::Field;
        fields.push_back(std::move(d));
        Explain(explained, FieldBits(family, field));
    }

    // Bits that differ and that no differing cell or field shows, in runs.
    for (std::size_t i = 0; i < end;) {
        if (((a[i] ^ second[i]) & ~explained[i]) == 0) {
            ++i;
            continue;
        }
        const ByteGroup group = GroupOf(family, static_cast<int>(i));
        std::size_t j = i + 1;
        while (j < end && ((a[j] ^ second[j]) & ~explained[j]) != 0 &&
               GroupOf(family, static_cast<int>(j)).key == group.key)
            ++j;
        ImageDifference d;
        d.kind = DifferenceKind::Bytes;
        d.channel = group.channel;
        d.address = static_cast<int>(i);
        d.length = static_cast<int>(j - i);
        d.where = ByteRunName(family, ui, d.address, d.length);
        d.valueA = HexBytes(a, d.address, d.length);
        d.valueB = HexBytes(second, d.address, d.length);
        d.use = UseScope::Bytes;
        (group.channel > 0 ? byChannel[group.channel] : memory).push_back(std::move(d));
        i = j;
    }

    std::vector<ImageDifference> all;
    for (auto& [ch, rows] : byChannel) {
        // Record bytes before name bytes, whatever their addresses.
        std::stable_partition(rows.begin(), rows.end(), [&](const ImageDifference& d) {
            return d.kind != DifferenceKind::Bytes || GroupOf(family, d.address).key % 2 == 0;
        });
        for (ImageDifference& d : rows) all.push_back(std::move(d));
    }
    for (ImageDifference& d : fields) all.push_back(std::move(d));
    for (ImageDifference& d : memory) all.push_back(std::move(d));
    return all;
}

void UseOtherValue(const Family& family, const ImageDifference& difference, const Image& other, Image& image) {
    switch (difference.use) {
        case UseScope::Cell:
            TakeBits(CellBits(family, difference.channel, difference.column), other, image);
            break;
        case UseScope::Channel: {
            std::vector<OwnedBits> bits;
            for (int i = 0; i < 16; ++i) bits.push_back({family.recordAddr(difference.channel) + i, 0xFF});
            if (family.nameAddr)
                for (int i = 0; i < 8; ++i) bits.push_back({*family.nameAddr + 8 * (difference.channel - 1) + i, 0xFF});
            TakeBits(bits, other, image);
            break;
        }
        case UseScope::Field: {
            // A band width kept in every channel is taken over in every channel,
            // as a store of the field writes it.
            if (const FormField* field = family.field(difference.fieldId))
                TakeBits(FieldBits(family, *field, true), other, image);
            break;
        }
        case UseScope::Bytes:
            for (int i = 0; i < difference.length; ++i)
                image.at(static_cast<std::size_t>(difference.address + i)) =
                    other.at(static_cast<std::size_t>(difference.address + i));
            break;
    }
}

std::string VerifyLine(const ImageDifference& difference, Lang lang) {
    const Text line{"{where}: sent {a}, radio has {b}", "{where}：写入 {a}，对讲机中为 {b}"};
    return FillIn(line.in(lang),
                  {{"where", difference.where}, {"a", ShownValue(difference.valueA, lang)},
                   {"b", ShownValue(difference.valueB, lang)}});
}

std::string DifferenceLine(const ImageDifference& difference, Lang lang) {
    const Text line{"{where}: {a} | {b}", "{where}：{a} | {b}"};
    return FillIn(line.in(lang),
                  {{"where", difference.where}, {"a", ShownValue(difference.valueA, lang)},
                   {"b", ShownValue(difference.valueB, lang)}});
}

}  // namespace vel

#include "table/setting_names.h"

#include <algorithm>
#include <cstdio>
#include <type_traits>
#include <variant>

namespace vel {
namespace {

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

std::string EndsWithout(std::string s, const std::string& tail) {
    if (s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0)
        s.erase(s.size() - tail.size());
    return s;
}

std::string Hex4(int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(value));
    return buf;
}

/// "12" or "12–15".
std::string Span(int first, int last) {
    return last > first ? std::to_string(first) + "–" + std::to_string(last) : std::to_string(first);
}

}  // namespace

std::string FillIn(std::string text, const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [name, value] : values) {
        const std::string key = "{" + name + "}";
        for (auto at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
            text.replace(at, key.size(), value);
    }
    return text;
}

std::string ShownValue(const std::string& value, Lang lang) {
    if (!value.empty()) return value;
    return lang == Lang::English ? "(empty)" : "（空）";
}

std::string ChannelName(const Family& family, Lang lang, int channel) {
    std::string word = "Channel";
    if (lang == Lang::Chinese) {
        const int col = family.columnOf(ColumnKind::Number);
        word = col >= 0 ? Trimmed(family.columns[static_cast<std::size_t>(col)].header.ch) : "信道";
    }
    return word + " " + std::to_string(channel);
}

std::string ColumnLabel(const Family& family, Lang lang, int col) {
    if (col < 0 || col >= family.columnCount()) return {};
    return Trimmed(family.columns[static_cast<std::size_t>(col)].header.in(lang));
}

std::string FieldLabel(const Family& family, Lang lang, int id) {
    const FormField* field = family.field(id);
    if (field == nullptr) return {};
    std::string label = field->label.in(lang);
    for (auto at = label.find('\n'); at != std::string::npos; at = label.find('\n', at)) label[at] = ' ';
    label = EndsWithout(EndsWithout(Trimmed(label), ":"), "：");
    return Trimmed(label);
}

std::string ChannelSettingName(const Family& family, Lang lang, int channel, int col) {
    return ChannelName(family, lang, channel) + " " + ColumnLabel(family, lang, col);
}

std::string ByteRunName(const Family& family, Lang lang, int address, int length) {
    const int last = address + std::max(length, 1) - 1;
    const bool english = lang == Lang::English;
    const int records = family.recordAddr(1);
    if (address >= records && address < family.recordAddr(family.channelCount + 1)) {
        const int channel = (address - records) / 16 + 1;
        const int first = (address - records) % 16;
        const std::string bytes = Span(first, first + (last - address));
        return ChannelName(family, lang, channel) + (english ? (last > address ? " record bytes " : " record byte ")
                                                             : " 记录字节 ") + bytes;
    }
    if (family.nameAddr && address >= *family.nameAddr && address < *family.nameAddr + 8 * family.channelCount) {
        const int channel = (address - *family.nameAddr) / 8 + 1;
        const int first = (address - *family.nameAddr) % 8;
        const std::string bytes = Span(first, first + (last - address));
        return ChannelName(family, lang, channel) + (english ? (last > address ? " name bytes " : " name byte ")
                                                             : " 名称字节 ") + bytes;
    }
    const std::string span = last > address ? Hex4(address) + "–" + Hex4(last) : Hex4(address);
    return (english ? "Memory " : "内存 ") + span;
}

std::string HexBytes(const Image& image, int address, int length) {
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    for (int i = 0; i < length; ++i) {
        const Byte b = image.at(static_cast<std::size_t>(address + i));
        if (i > 0) s += ' ';
        s += digits[b >> 4];
        s += digits[b & 15];
    }
    return s;
}

std::vector<OwnedBits> CellBits(const Family& family, int channel, int col) {
    std::vector<OwnedBits> bits;
    if (col < 0 || col >= family.columnCount()) return bits;
    const Column& column = family.columns[static_cast<std::size_t>(col)];
    const int rec = family.recordAddr(channel);
    auto bytes = [&](int from, int count) {
        for (int i = 0; i < count; ++i) bits.push_back({from + i, 0xFF});
    };
    switch (column.kind) {
        case ColumnKind::RxFrequency: bytes(rec + 0, 4); break;
        case ColumnKind::TxFrequency: bytes(rec + 4, 4); break;
        case ColumnKind::RxTone: bytes(rec + 8, 2); break;
        case ColumnKind::TxTone: bytes(rec + 10, 2); break;
        case ColumnKind::List: bits.push_back({rec + column.codec.byte, column.codec.mask}); break;
        case ColumnKind::Name:
            if (family.nameAddr) bytes(*family.nameAddr + 8 * (channel - 1), 8);
            break;
        case ColumnKind::Number:
        case ColumnKind::More:
        case ColumnKind::Blank: break;
    }
    return bits;
}

std::vector<OwnedBits> FieldBits(const Family& family, const FormField& field, bool allChannels) {
    std::vector<OwnedBits> bits;
    std::visit(
        [&](const auto& codec) {
            using C = std::decay_t<decltype(codec)>;
            if constexpr (std::is_same_v<C, ByteIndexCodec> || std::is_same_v<C, CodeCodec>) {
                bits.push_back({codec.addr, 0xFF});
            } else if constexpr (std::is_same_v<C, BitCodec>) {
                bits.push_back({codec.addr, codec.mask});
            } else if constexpr (std::is_same_v<C, AllChannelsBitCodec>) {
                const int last = allChannels ? family.channelCount : 1;
                for (int ch = 1; ch <= last; ++ch) bits.push_back({family.recordAddr(ch) + codec.recordByte, codec.mask});
            } else if constexpr (std::is_same_v<C, DigitsCodec>) {
                for (int i = 0; i < codec.length; ++i) bits.push_back({codec.addr + i, 0xFF});
            }
        },
        field.codec);
    return bits;
}

}  // namespace vel

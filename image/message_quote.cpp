#include "image/message_quote.h"

#include <cstdio>

namespace vel {
namespace {

// Length of the UTF-8 sequence starting at `s[i]`, or 0 when it is not a
// complete, well-formed one.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) n = 2;
    else if (b >= 0xE0 && b <= 0xEF) n = 3;
    else if (b >= 0xF0 && b <= 0xF4) n = 4;
    else return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    }
    return n;
}

void AppendHex(std::string& out, unsigned char b) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\x%02X", b);
    out += buf;
}

}  // namespace

std::string QuoteForMessage(std::string_view value, std::size_t limit) {
    std::string out;
    std::size_t i = 0;
    while (i < value.size()) {
        const auto b = static_cast<unsigned char>(value[i]);
        const std::size_t n = Utf8Length(value, i);
        // The excerpt ends before a character that would take it past the limit.
        if (i + (n == 0 ? 1 : n) > limit) break;
        if (n == 0) {
            AppendHex(out, b);
        } else if (n == 1 && b == '\n') {
            out += "\\n";
        } else if (n == 1 && b == '\t') {
            out += "\\t";
        } else if (n == 1 && (b < 0x20 || b == 0x7F)) {
            AppendHex(out, b);
        } else if (n == 2 && b == 0xC2 && static_cast<unsigned char>(value[i + 1]) < 0xA0) {
            // C1 controls (U+0080..U+009F) steer terminals as well.
            AppendHex(out, b);
            AppendHex(out, static_cast<unsigned char>(value[i + 1]));
        } else {
            out.append(value.substr(i, n));
        }
        i += n == 0 ? 1 : n;
    }
    if (i < value.size()) out += "\u2026 (" + std::to_string(value.size()) + " bytes)";
    return out;
}

}  // namespace vel

#include "signalling/integer_field.h"

#include <cctype>
#include <cstdint>

namespace vel {

IntegerField ReadIntegerField(const std::string& text, int lo, int hi) {
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    while (end > i && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == end) return {};
    std::int64_t value = 0;
    bool huge = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return {};
        if (!huge) {
            value = value * 10 + (c - '0');
            huge = value > 0x7FFFFFFFLL;
        }
    }
    if (negative) value = -value;
    if (huge || value < lo || value > hi) return {IntegerFieldStatus::OutOfRange, 0};
    return {IntegerFieldStatus::Ok, static_cast<int>(value)};
}

}  // namespace vel

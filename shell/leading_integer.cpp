#include "shell/leading_integer.h"

namespace vel {

namespace {

constexpr long long kCap = static_cast<long long>(INT_MAX) + 1;

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

void LeadingIntegerParser::feed(char c) {
    switch (phase_) {
    case Phase::Blanks:
        if (IsWhite(c)) return;
        phase_ = Phase::Digits;
        if (c == '+' || c == '-') {
            negative_ = c == '-';
            return;
        }
        [[fallthrough]];
    case Phase::Digits:
        if (c >= '0' && c <= '9') {
            magnitude_ = magnitude_ * 10 + (c - '0');
            if (magnitude_ > kCap) magnitude_ = kCap;
        } else {
            phase_ = Phase::Done;
        }
        return;
    case Phase::Done:
        return;
    }
}

int LeadingIntegerParser::value() const {
    const long long v = negative_ ? -magnitude_ : magnitude_;
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

int LeadingInteger(std::string_view text) {
    LeadingIntegerParser parser;
    for (char c : text) parser.feed(c);
    return parser.value();
}

}  // namespace vel

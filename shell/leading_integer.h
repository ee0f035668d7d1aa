#pragma once
// Decimal numbers read the way the radio tools have always read them from
// text: leading white space skipped, an optional sign, then digits up to the
// first non-digit; text without a number gives 0.

#include <climits>
#include <string_view>

namespace vel {

/// Reads one such number a character at a time, so that a caller scanning a
/// stream needs no buffer. Values beyond the int range stick at INT_MAX or
/// INT_MIN.
class LeadingIntegerParser {
public:
    /// Takes the next character of the text.
    void feed(char c);
    /// The number read so far.
    int value() const;
    /// Starts a new number.
    void reset() { *this = LeadingIntegerParser{}; }

private:
    enum class Phase { Blanks, Digits, Done };
    Phase phase_ = Phase::Blanks;
    bool negative_ = false;
    long long magnitude_ = 0;   // saturates just past the int range
};

/// The leading decimal number of `text` (see LeadingIntegerParser).
int LeadingInteger(std::string_view text);

}  // namespace vel

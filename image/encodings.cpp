#include "image/encodings.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>

namespace vel {

namespace {

// Largest magnitude DecimalScaledTruncated returns.
constexpr std::uint64_t kSaturation = std::uint64_t{1} << 62;

// Significant digits a parsed number keeps; the sixteenth only decides the
// rounding.
constexpr std::size_t kSignificantDigits = 15;

// Exponents beyond this bound give 0 or saturate whatever the digits are, so
// a longer exponent text is not accumulated any further.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// White space as the C library's isspace sees it in the "C" locale.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

/// A decimal number read from text: value = ±digits × 10^exponent, with
/// `digits` free of leading zeros (empty for zero) and at most 16 long.
struct DecimalNumber {
    bool found = false;  ///< the text starts with a number at all
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;
};

// Reads the number at the start of `text` with the grammar of atof for
// decimal input. Hexadecimal forms, "inf" and "nan" are not numbers here.
// Digits past the sixteenth significant one are dropped: they cannot change
// a rounding to 15 digits that looks only at the sixteenth.
DecimalNumber ParseDecimal(std::string_view text) {
    DecimalNumber n;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        n.negative = text[i] == '-';
        ++i;
    }
    const std::size_t keep = kSignificantDigits + 1;
    bool anyDigit = false;
    while (i < text.size() && IsDigit(text[i])) {
        anyDigit = true;
        const char c = text[i++];
        if (n.digits.empty() && c == '0') continue;
        if (n.digits.size() < keep) {
            n.digits.push_back(c);
        } else {
            ++n.exponent;  // a dropped integer digit still counts a power of ten
        }
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            anyDigit = true;
            const char c = text[i++];
            if (n.digits.empty() && c == '0') {
                --n.exponent;
            } else if (n.digits.size() < keep) {
                n.digits.push_back(c);
                --n.exponent;
            }
        }
    }
    if (!anyDigit) return DecimalNumber{};
    n.found = true;

    // An exponent counts only when at least one digit follows the letter
    // (and its sign); otherwise the letter is trailing text.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            std::int64_t e = 0;
            while (j < text.size() && IsDigit(text[j])) {
                if (e < kExponentCap) e = e * 10 + (text[j] - '0');
                ++j;
            }
            n.exponent += expNegative ? -e : e;
        }
    }
    return n;
}

// Rounds to 15 significant digits, half away from zero: the sixteenth digit
// alone decides, since any digits after it only add to a half that is already
// reached.
void RoundToSignificant(DecimalNumber& n) {
    if (n.digits.size() <= kSignificantDigits) return;
    const char decider = n.digits[kSignificantDigits];
    n.digits.resize(kSignificantDigits);
    ++n.exponent;
    if (decider < '5') return;
    std::size_t pos = n.digits.size();
    while (pos > 0) {
        --pos;
        if (n.digits[pos] != '9') {
            ++n.digits[pos];
            return;
        }
        n.digits[pos] = '0';
    }
    // 999...9 rounded up: one more digit, which is a trailing zero.
    n.digits.insert(n.digits.begin(), '1');
    n.digits.pop_back();
    ++n.exponent;
}

std::uint64_t DigitsValue(std::string_view digits) {
    std::uint64_t v = 0;
    for (char c : digits) v = v * 10 + static_cast<std::uint64_t>(c - '0');
    return v;
}

// Packed-decimal value of a byte, as the radio's readers do it: the nibbles
// are not checked.
int Packed(Byte b) { return (b >> 4) * 10 + (b & 0x0F); }

constexpr std::array<const char*, 50> kCtcssTones = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
};

constexpr std::array<const char*, 105> kDcsCodes = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071", "072", "073",
    "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145", "152", "155", "156", "162",
    "165", "172", "174", "205", "212", "223", "225", "226", "243", "244", "245", "246", "251", "252", "255",
    "261", "263", "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446", "452", "454", "455",
    "462", "464", "465", "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624",
    "627", "631", "632", "645", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754",
};

std::vector<std::string> BuildToneTable() {
    std::vector<std::string> table;
    table.reserve(1 + kCtcssTones.size() + 2 * kDcsCodes.size());
    table.emplace_back("OFF");
    for (const char* tone : kCtcssTones) table.emplace_back(tone);
    for (const char* code : kDcsCodes) table.push_back(std::string("D") + code + "N");
    for (const char* code : kDcsCodes) table.push_back(std::string("D") + code + "I");
    return table;
}

// Text of a DCS tone: the prefix is "D0" exactly when the high byte carries
// no hundreds digit, so codes 010 to 099 show three digits as the radio
// labels them.
std::string DcsText(Byte high, Byte low, Byte base, char polarity) {
    const int code = (high - base) * 100 + Packed(low);
    std::string text = high == base ? "D0" : "D";
    text += std::to_string(code);
    text += polarity;
    return text;
}

}  // namespace

int PackedValue(Byte b) { return Packed(b); }

Byte ToPacked(std::int64_t x) {
    // Computed on the two's-complement bits so that negative input wraps the
    // same way without shifting a negative number.
    const auto tens = static_cast<std::uint64_t>(x / 10);
    const auto units = static_cast<std::uint64_t>(x % 10);
    return static_cast<Byte>(((tens << 4) | units) & 0xFF);
}

std::int64_t DecimalScaledTruncated(std::string_view text, int scale) {
    DecimalNumber n = ParseDecimal(text);
    if (!n.found || n.digits.empty()) return 0;
    RoundToSignificant(n);

    const std::int64_t shift = n.exponent + scale;
    std::uint64_t magnitude = 0;
    if (shift >= 0) {
        magnitude = DigitsValue(n.digits);
        for (std::int64_t k = 0; k < shift; ++k) {
            if (magnitude > kSaturation / 10) {
                magnitude = kSaturation;
                break;
            }
            magnitude *= 10;
        }
        magnitude = std::min(magnitude, kSaturation);
    } else {
        const auto drop = static_cast<std::uint64_t>(-shift);
        if (drop >= n.digits.size()) return 0;
        magnitude = DigitsValue(std::string_view(n.digits).substr(0, n.digits.size() - drop));
    }
    const auto value = static_cast<std::int64_t>(magnitude);
    return n.negative ? -value : value;
}

bool LooksNumeric(std::string_view text) { return ParseDecimal(text).found; }

std::int64_t FrequencyUnitsOf(const Byte* four) {
    return static_cast<std::int64_t>(Packed(four[3])) * 1000000 + Packed(four[2]) * 10000 + Packed(four[1]) * 100 +
           Packed(four[0]);
}

std::string FrequencyText(const Byte* four) {
    if (four[3] == 0xFF || four[3] == 0x00) return {};
    return FormatMHz(FrequencyUnitsOf(four));
}

std::int64_t FrequencyUnitsFromText(std::string_view text) { return DecimalScaledTruncated(text, 5); }

void StoreFrequencyUnits(Byte* four, std::int64_t units) {
    if (units == 0) {
        std::fill(four, four + 4, Byte{0xFF});
        return;
    }
    four[3] = ToPacked(units / 1000000);
    four[2] = ToPacked(units % 1000000 / 10000);
    four[1] = ToPacked(units % 10000 / 100);
    four[0] = ToPacked(units % 100);
}

std::string FormatMHz(std::int64_t units) {
    // Integer formatting gives exactly what printf("%3.5f", units * 0.00001)
    // shows: the product is far closer to the five-decimal value than half a
    // step of the last decimal.
    const bool negative = units < 0;
    const std::uint64_t magnitude =
        negative ? std::uint64_t{0} - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%llu.%05llu", negative ? "-" : "",
                  static_cast<unsigned long long>(magnitude / 100000),
                  static_cast<unsigned long long>(magnitude % 100000));
    return buffer;
}

std::string ToneText(Byte high, Byte low, const std::string& noToneText) {
    if (high == 0xFF || high == 0x00) return noToneText;
    if (high < 0x80) {
        // "%3.1f" of the value in tenths; never shorter than three characters.
        const int tenths = Packed(high) * 100 + Packed(low);
        return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    }
    if (high < 0xC0) return DcsText(high, low, 0x80, 'N');
    return DcsText(high, low, 0xC0, 'I');
}

void StoreToneText(std::string_view text, Byte& high, Byte& low) {
    if (text.find('D') != std::string_view::npos) {
        // Only the code modulo 25600 matters: the high byte takes
        // (code / 100) modulo 256 and the low byte code modulo 100. Reducing
        // as the digits arrive keeps any length of digits exact.
        std::int64_t code = 0;
        for (std::size_t i = 1; i < text.size() && IsDigit(text[i]); ++i) {
            code = (code * 10 + (text[i] - '0')) % 25600;
        }
        const int base = text.find('N') != std::string_view::npos ? 0x80 : 0xC0;
        high = static_cast<Byte>((code / 100 + base) % 256);
        low = ToPacked(code % 100);
        return;
    }
    const std::int64_t tenths = DecimalScaledTruncated(text, 1);
    if (tenths == 0) {
        high = 0xFF;
        low = 0xFF;
        return;
    }
    high = ToPacked(tenths / 100);
    low = ToPacked(tenths % 100);
}

const std::vector<std::string>& ToneTable() {
    static const std::vector<std::string> table = BuildToneTable();
    return table;
}

int ToneIndex(std::string_view text) {
    const auto& table = ToneTable();
    const auto it = std::find(table.begin(), table.end(), text);
    return it == table.end() ? -1 : static_cast<int>(it - table.begin());
}

int ToneTenths(std::string_view text) {
    if (text.find('D') != std::string_view::npos) return 0;
    const std::int64_t tenths = DecimalScaledTruncated(text, 1);
    return static_cast<int>(std::clamp<std::int64_t>(tenths, INT_MIN, INT_MAX));
}

std::string NameText(const Byte* eight) {
    std::string text;
    for (int i = 0; i < 8 && eight[i] != 0xFF; ++i) {
        const Byte code = eight[i];
        if (code <= 9) {
            text += static_cast<char>('0' + code);
        } else if (code <= 35) {
            text += static_cast<char>('A' + code - 10);
        } else {
            text += '-';
        }
    }
    return text;
}

void StoreNameText(std::string_view text, Byte* eight) {
    for (std::size_t i = 0; i < 8; ++i) {
        Byte code = 0xFF;
        if (i < text.size()) {
            const char c = text[i];
            if (IsDigit(c)) {
                code = static_cast<Byte>(c - '0');
            } else if (c >= 'A' && c <= 'Z') {
                code = static_cast<Byte>(c - 'A' + 10);
            } else if (c == '-') {
                code = 36;
            } else if (c == ' ') {
                code = 37;
            }
        }
        eight[i] = code;
    }
}

bool RecordInUse(const Byte* record) {
    auto set = [](Byte b) { return b != 0xFF && b != 0x00; };
    return set(record[3]) || set(record[7]);
}

}  // namespace vel

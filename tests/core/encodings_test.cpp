#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <set>
#include <string>

#include "image/encodings.h"

namespace vel {
namespace {

constexpr std::int64_t kTop = std::int64_t{1} << 62;

std::string Hex(const Byte* bytes, std::size_t n) {
    std::string s;
    char b[4];
    for (std::size_t i = 0; i < n; ++i) {
        std::snprintf(b, sizeof b, "%02X ", bytes[i]);
        s += b;
    }
    return s;
}

// ---------------------------------------------------------------- packed decimal

struct PackedCase {
    Byte byte;
    int value;
};

class PackedDecimalRead : public ::testing::TestWithParam<PackedCase> {};

TEST_P(PackedDecimalRead, AddsNibblesUnchecked) { EXPECT_EQ(PackedValue(GetParam().byte), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Cases, PackedDecimalRead,
                         ::testing::Values(PackedCase{0x47, 47}, PackedCase{0x00, 0}, PackedCase{0x99, 99},
                                           PackedCase{0x1A, 20}, PackedCase{0xA0, 100}, PackedCase{0xFF, 165},
                                           PackedCase{0x0F, 15}));

struct ToPackedCase {
    std::int64_t value;
    Byte byte;
};

class PackedDecimalWrite : public ::testing::TestWithParam<ToPackedCase> {};

TEST_P(PackedDecimalWrite, TensInHighNibbleWrappingToEightBits) {
    EXPECT_EQ(ToPacked(GetParam().value), GetParam().byte) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Cases, PackedDecimalWrite,
                         ::testing::Values(ToPackedCase{47, 0x47}, ToPackedCase{0, 0x00}, ToPackedCase{99, 0x99},
                                           ToPackedCase{5, 0x05}, ToPackedCase{100, 0xA0},
                                           ToPackedCase{165, 0x05},  // (16 << 4) | 5 keeps its low 8 bits
                                           ToPackedCase{-1, 0xFF}));

// ------------------------------------------------------------- decimal parsing

struct DecimalCase {
    const char* text;
    int scale;
    std::int64_t expected;
};

class DecimalScaling : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalScaling, MatchesExactDecimalResult) {
    const DecimalCase c = GetParam();
    EXPECT_EQ(DecimalScaledTruncated(c.text, c.scale), c.expected) << '"' << c.text << "\" scale " << c.scale;
}

INSTANTIATE_TEST_SUITE_P(
    Frequencies, DecimalScaling,
    ::testing::Values(DecimalCase{"145.525", 5, 14552500}, DecimalCase{"145.5255", 5, 14552550},
                      DecimalCase{"145.525549", 5, 14552554},  // cut, not rounded
                      DecimalCase{"67", 5, 6700000}, DecimalCase{"521.00001", 5, 52100001},
                      DecimalCase{"000145.525", 5, 14552500}, DecimalCase{"0.000029", 5, 2},
                      DecimalCase{"0.00000999", 5, 0}, DecimalCase{"-145.525", 5, -14552500},
                      DecimalCase{"-0.000001", 5, 0}));

INSTANTIATE_TEST_SUITE_P(
    AtofGrammar, DecimalScaling,
    ::testing::Values(DecimalCase{"", 5, 0}, DecimalCase{"abc", 0, 0}, DecimalCase{"OFF", 1, 0},
                      DecimalCase{"  \t\n12", 0, 12}, DecimalCase{"+7", 0, 7}, DecimalCase{"-", 0, 0},
                      DecimalCase{"+", 0, 0}, DecimalCase{".", 0, 0}, DecimalCase{".5", 1, 5},
                      DecimalCase{"5.", 1, 50}, DecimalCase{"-.5", 1, -5}, DecimalCase{"12abc", 0, 12},
                      DecimalCase{"1,5", 0, 1}, DecimalCase{"1 5", 0, 1}, DecimalCase{"- 5", 0, 0},
                      DecimalCase{"2.999", 0, 2}, DecimalCase{"-2.999", 0, -2}, DecimalCase{"1e3", 2, 100000},
                      DecimalCase{"1E-2", 2, 1}, DecimalCase{"2.5e+1", 0, 25}, DecimalCase{"1.45525e2", 5, 14552500},
                      DecimalCase{"1e", 2, 100}, DecimalCase{"1e+", 0, 1}, DecimalCase{"1e-x", 0, 1},
                      DecimalCase{"1.5e1.5", 0, 15}, DecimalCase{".e1", 0, 0}, DecimalCase{"0e999", 0, 0},
                      // No hexadecimal, infinity or not-a-number forms.
                      DecimalCase{"0x1A", 0, 0}, DecimalCase{"0x1p4", 0, 0}, DecimalCase{"inf", 0, 0},
                      DecimalCase{"-INFINITY", 0, 0}, DecimalCase{"nan", 0, 0}, DecimalCase{"NAN(1)", 0, 0}));

INSTANTIATE_TEST_SUITE_P(
    FifteenSignificantDigits, DecimalScaling,
    ::testing::Values(DecimalCase{"123456789012345", 0, 123456789012345},
                      DecimalCase{"1234567890123454", 0, 1234567890123450},
                      DecimalCase{"1234567890123456", 0, 1234567890123460},
                      DecimalCase{"1.23456789012345678", 15, 1234567890123460},
                      // Exactly half rounds away from zero on both sides.
                      DecimalCase{"0.1000000000000005", 16, 1000000000000010},
                      DecimalCase{"-0.1000000000000005", 16, -1000000000000010},
                      DecimalCase{"0.1000000000000004999", 16, 1000000000000000},
                      // Rounding carries through every digit (binary would give 9 here).
                      DecimalCase{"9.999999999999999", 0, 10}, DecimalCase{"99999999999999950", 0, 100000000000000000},
                      DecimalCase{"88.49999999999999", 1, 885}, DecimalCase{"145.5254999999999999", 5, 14552550}));

INSTANTIATE_TEST_SUITE_P(
    Saturation, DecimalScaling,
    ::testing::Values(DecimalCase{"1e300", 5, kTop}, DecimalCase{"-1e300", 5, -kTop},
                      DecimalCase{"99999999999999999999999", 0, kTop},
                      DecimalCase{"4611686018427380000", 0, 4611686018427380000},
                      DecimalCase{"4611686018427387904", 0, kTop},  // rounds to ...390000, above the limit
                      DecimalCase{"1e99999999999999999999", 0, kTop}, DecimalCase{"1e-300", 5, 0},
                      DecimalCase{"1e-99999999999999999999", 0, 0}, DecimalCase{"-1e-99999999999999999999", 0, 0}));

TEST(DecimalScaling, VeryLongTextsStayExact) {
    // 0.(999 zeros)1 × 10^1001 = 10.
    std::string tiny = "0." + std::string(999, '0') + "1e1001";
    EXPECT_EQ(DecimalScaledTruncated(tiny, 0), 10);
    // 1 followed by 2000 zeros, scaled down by 1998 decimal places: 100.
    std::string huge = "1" + std::string(2000, '0') + "e-1998";
    EXPECT_EQ(DecimalScaledTruncated(huge, 0), 100);
    EXPECT_EQ(DecimalScaledTruncated(std::string(5000, '7'), 0), kTop);
    EXPECT_EQ(DecimalScaledTruncated(std::string(5000, ' ') + "5", 0), 5);
}

TEST(DecimalScaling, AgreesWithDoubleForEveryOneDecimalText) {
    // Texts of up to 15 significant digits give the same tenths whether read
    // exactly or through a double multiplied by ten.
    char text[32];
    for (int tenths = 0; tenths <= 99999; ++tenths) {
        std::snprintf(text, sizeof text, "%d.%d", tenths / 10, tenths % 10);
        ASSERT_EQ(DecimalScaledTruncated(text, 1), tenths) << text;
        ASSERT_EQ(static_cast<std::int64_t>(std::atof(text) * 10), tenths) << text;
    }
}

struct NumericCase {
    const char* text;
    bool numeric;
};

class NumericStart : public ::testing::TestWithParam<NumericCase> {};

TEST_P(NumericStart, RecognisesAtofNumbers) {
    EXPECT_EQ(LooksNumeric(GetParam().text), GetParam().numeric) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Cases, NumericStart,
                         ::testing::Values(NumericCase{"145", true}, NumericCase{"  .5", true},
                                           NumericCase{"-1", true}, NumericCase{"0x", true},
                                           NumericCase{"7abc", true}, NumericCase{".", false},
                                           NumericCase{"", false}, NumericCase{"  ", false},
                                           NumericCase{"abc", false}, NumericCase{"-", false},
                                           NumericCase{"+.e1", false}, NumericCase{"OFF", false},
                                           NumericCase{"inf", false}, NumericCase{"D023N", false}));

// ----------------------------------------------------------------- frequencies

struct FrequencyBytesCase {
    std::array<Byte, 4> bytes;
    const char* text;
};

class FrequencyDisplay : public ::testing::TestWithParam<FrequencyBytesCase> {};

TEST_P(FrequencyDisplay, ShowsMegahertzWithFiveDecimals) {
    EXPECT_EQ(FrequencyText(GetParam().bytes.data()), GetParam().text) << Hex(GetParam().bytes.data(), 4);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrequencyDisplay,
    ::testing::Values(FrequencyBytesCase{{0x00, 0x25, 0x55, 0x14}, "145.52500"},
                      FrequencyBytesCase{{0x00, 0x00, 0x50, 0x14}, "145.00000"},
                      FrequencyBytesCase{{0x00, 0x00, 0x70, 0x06}, "67.00000"},
                      FrequencyBytesCase{{0x00, 0x00, 0x10, 0x52}, "521.00000"},
                      FrequencyBytesCase{{0x01, 0x00, 0x00, 0x01}, "10.00001"},
                      FrequencyBytesCase{{0x99, 0x99, 0x99, 0x99}, "999.99999"},
                      FrequencyBytesCase{{0x1A, 0x00, 0x00, 0x01}, "10.00020"},  // nibbles unchecked
                      FrequencyBytesCase{{0xFF, 0xFF, 0xFF, 0xFE}, "1656.66665"},
                      FrequencyBytesCase{{0xFF, 0xFF, 0xFF, 0xFF}, ""},
                      FrequencyBytesCase{{0x00, 0x25, 0x55, 0xFF}, ""},
                      FrequencyBytesCase{{0x12, 0x34, 0x56, 0x00}, ""}));  // top byte 0x00 hides the rest

struct FrequencyTextCase {
    const char* text;
    std::array<Byte, 4> bytes;
};

class FrequencyEntry : public ::testing::TestWithParam<FrequencyTextCase> {};

TEST_P(FrequencyEntry, StoresPackedTenHertzUnits) {
    const FrequencyTextCase c = GetParam();
    std::array<Byte, 4> got{0x5A, 0x5A, 0x5A, 0x5A};
    StoreFrequencyUnits(got.data(), FrequencyUnitsFromText(c.text));
    EXPECT_EQ(got, c.bytes) << '"' << c.text << "\" stored " << Hex(got.data(), 4);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrequencyEntry,
    ::testing::Values(FrequencyTextCase{"145.525", {0x00, 0x25, 0x55, 0x14}},
                      FrequencyTextCase{"145.5255", {0x50, 0x25, 0x55, 0x14}},
                      FrequencyTextCase{"145.525549", {0x54, 0x25, 0x55, 0x14}},
                      FrequencyTextCase{"145.5", {0x00, 0x00, 0x55, 0x14}},
                      FrequencyTextCase{"145.52500", {0x00, 0x25, 0x55, 0x14}},
                      FrequencyTextCase{"  145.525 MHz", {0x00, 0x25, 0x55, 0x14}},
                      FrequencyTextCase{"1.45525e2", {0x00, 0x25, 0x55, 0x14}},
                      FrequencyTextCase{"67", {0x00, 0x00, 0x70, 0x06}},
                      FrequencyTextCase{"521.00001", {0x01, 0x00, 0x10, 0x52}},
                      FrequencyTextCase{"438.00625", {0x25, 0x06, 0x80, 0x43}},
                      FrequencyTextCase{"1000", {0x00, 0x00, 0x00, 0xA0}},  // top group 100 wraps
                      FrequencyTextCase{"", {0xFF, 0xFF, 0xFF, 0xFF}},
                      FrequencyTextCase{"abc", {0xFF, 0xFF, 0xFF, 0xFF}},
                      FrequencyTextCase{"0", {0xFF, 0xFF, 0xFF, 0xFF}},
                      FrequencyTextCase{"0.000009", {0xFF, 0xFF, 0xFF, 0xFF}}));

TEST(FrequencyEntry, EveryDisplayedTextStoresItsOwnBytes) {
    // Over the whole entry range on the 2.5 kHz grid plus odd values: text of
    // bytes, back to bytes, gives the same bytes.
    for (std::int64_t units = 6700000; units <= 52100000; units += 249) {
        std::array<Byte, 4> bytes{};
        StoreFrequencyUnits(bytes.data(), units);
        const std::string text = FrequencyText(bytes.data());
        ASSERT_EQ(FrequencyUnitsOf(bytes.data()), units);
        ASSERT_EQ(FrequencyUnitsFromText(text), units) << text;
    }
}

TEST(FrequencyEntry, StoreWritesFourBytesAndNothingElse) {
    const std::array<std::int64_t, 3> values{14552500, 0, 52100001};
    for (std::int64_t units : values) {
        std::array<Byte, 16> img;
        img.fill(0xFF);
        StoreFrequencyUnits(img.data() + 4, units);
        for (std::size_t i = 0; i < img.size(); ++i) {
            if (i < 4 || i >= 8) {
                EXPECT_EQ(img[i], 0xFF) << "neighbour byte " << i << " for " << units;
            }
        }
        EXPECT_EQ(FrequencyUnitsOf(img.data() + 4), units == 0 ? 166666665 : units);
    }
}

struct MHzCase {
    std::int64_t units;
    const char* text;
};

class MHzFormat : public ::testing::TestWithParam<MHzCase> {};

TEST_P(MHzFormat, FiveDecimals) { EXPECT_EQ(FormatMHz(GetParam().units), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Cases, MHzFormat,
                         ::testing::Values(MHzCase{14552500, "145.52500"}, MHzCase{0, "0.00000"},
                                           MHzCase{1, "0.00001"}, MHzCase{52100000, "521.00000"},
                                           MHzCase{-14552500, "-145.52500"}, MHzCase{-1, "-0.00001"},
                                           MHzCase{std::numeric_limits<std::int64_t>::max(), "92233720368547.75807"},
                                           MHzCase{std::numeric_limits<std::int64_t>::min(),
                                                   "-92233720368547.75808"}));

TEST(MHzFormat, SameTextAsPrintfOfTheDoubleProduct) {
    char expected[64];
    for (std::int64_t units = 0; units <= 166666665; units += 997) {
        std::snprintf(expected, sizeof expected, "%3.5f", static_cast<double>(units) * 0.00001);
        ASSERT_EQ(FormatMHz(units), expected);
    }
}

// ----------------------------------------------------------------------- tones

struct ToneBytesCase {
    Byte high;
    Byte low;
    const char* noTone;
    const char* text;
};

class ToneDisplay : public ::testing::TestWithParam<ToneBytesCase> {};

TEST_P(ToneDisplay, ShowsCtcssOrDcs) {
    const ToneBytesCase c = GetParam();
    EXPECT_EQ(ToneText(c.high, c.low, c.noTone), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToneDisplay,
    ::testing::Values(ToneBytesCase{0x06, 0x70, "OFF", "67.0"}, ToneBytesCase{0x25, 0x41, "OFF", "254.1"},
                      ToneBytesCase{0x08, 0x85, "OFF", "88.5"}, ToneBytesCase{0x10, 0x00, "OFF", "100.0"},
                      ToneBytesCase{0x00, 0x05, "OFF", "OFF"}, ToneBytesCase{0x01, 0x00, "", "10.0"},
                      ToneBytesCase{0x01, 0x01, "", "10.1"}, ToneBytesCase{0x01, 0x0A, "", "11.0"},
                      ToneBytesCase{0x7F, 0xFF, "", "866.5"},
                      ToneBytesCase{0x80, 0x23, "OFF", "D023N"}, ToneBytesCase{0x87, 0x54, "OFF", "D754N"},
                      ToneBytesCase{0x81, 0x14, "OFF", "D114N"}, ToneBytesCase{0xC0, 0x23, "OFF", "D023I"},
                      ToneBytesCase{0xC7, 0x54, "OFF", "D754I"}, ToneBytesCase{0x80, 0x05, "OFF", "D05N"},
                      ToneBytesCase{0xBF, 0x99, "OFF", "D6399N"}, ToneBytesCase{0xFE, 0x00, "OFF", "D6200I"},
                      // No tone: the caller's text, "OFF" for a channel in use.
                      ToneBytesCase{0x00, 0x70, "OFF", "OFF"}, ToneBytesCase{0x00, 0x70, "", ""},
                      ToneBytesCase{0xFF, 0xFF, "OFF", "OFF"}, ToneBytesCase{0xFF, 0x23, "", ""}));

struct ToneTextCase {
    const char* text;
    Byte high;
    Byte low;
};

class ToneEntry : public ::testing::TestWithParam<ToneTextCase> {};

TEST_P(ToneEntry, StoresHighAndLowBytes) {
    const ToneTextCase c = GetParam();
    Byte high = 0x5A;
    Byte low = 0x5A;
    StoreToneText(c.text, high, low);
    EXPECT_EQ(high, c.high) << '"' << c.text << '"';
    EXPECT_EQ(low, c.low) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToneEntry,
    ::testing::Values(ToneTextCase{"D023N", 0x80, 0x23}, ToneTextCase{"D754I", 0xC7, 0x54},
                      ToneTextCase{"D754N", 0x87, 0x54}, ToneTextCase{"254.1", 0x25, 0x41},
                      ToneTextCase{"67.0", 0x06, 0x70}, ToneTextCase{"67", 0x06, 0x70},
                      ToneTextCase{"88.59", 0x08, 0x85}, ToneTextCase{"1000.0", 0xA0, 0x00},
                      ToneTextCase{"OFF", 0xFF, 0xFF}, ToneTextCase{"", 0xFF, 0xFF}, ToneTextCase{"0", 0xFF, 0xFF},
                      ToneTextCase{"0.09", 0xFF, 0xFF}, ToneTextCase{"d023N", 0xFF, 0xFF},
                      // Codes: the first character is dropped, the digits after it read.
                      ToneTextCase{"D023", 0xC0, 0x23}, ToneTextCase{"D", 0xC0, 0x00},
                      ToneTextCase{"XD023N", 0x80, 0x00}, ToneTextCase{"D-23N", 0x80, 0x00},
                      ToneTextCase{"D99999N", 0x67, 0x99},
                      ToneTextCase{"D1111111111111111111111111111111111111111N", 0x47, 0x11},
                      ToneTextCase{"D9999999999999999999999999999999999999999I", 0xBF, 0x99}));

TEST(ToneEntry, EveryTableTextRoundTrips) {
    const auto& table = ToneTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        Byte high = 0;
        Byte low = 0;
        StoreToneText(table[i], high, low);
        EXPECT_EQ(ToneText(high, low, "OFF"), table[i]) << "index " << i;
        if (i == 0) {
            EXPECT_EQ(high, 0xFF);
            EXPECT_EQ(low, 0xFF);
        }
    }
}

TEST(ToneEntry, StoreWritesTwoBytesAndNothingElse) {
    for (const char* text : {"67.0", "D023N", "D754I", "OFF"}) {
        std::array<Byte, 16> img;
        img.fill(0xFF);
        StoreToneText(text, img[9], img[8]);
        for (std::size_t i = 0; i < img.size(); ++i) {
            if (i != 8 && i != 9) {
                EXPECT_EQ(img[i], 0xFF) << "neighbour byte " << i << " for " << text;
            }
        }
        EXPECT_EQ(ToneText(img[9], img[8], "OFF"), text);
    }
}

TEST(ToneTableTest, HasTheFixedOrder) {
    const auto& table = ToneTable();
    ASSERT_EQ(table.size(), 261u);
    const std::array<std::pair<int, const char*>, 14> known{{{0, "OFF"},
                                                             {1, "67.0"},
                                                             {9, "88.5"},
                                                             {13, "100.0"},
                                                             {44, "218.1"},
                                                             {50, "254.1"},
                                                             {51, "D023N"},
                                                             {62, "D065N"},
                                                             {100, "D271N"},
                                                             {155, "D754N"},
                                                             {156, "D023I"},
                                                             {167, "D065I"},
                                                             {205, "D271I"},
                                                             {260, "D754I"}}};
    for (const auto& [index, text] : known) EXPECT_EQ(table[index], text) << "index " << index;
    for (int i = 51; i <= 155; ++i) {
        EXPECT_EQ(table[i].size(), 5u);
        EXPECT_EQ(table[i].back(), 'N');
        EXPECT_EQ(table[i + 105].substr(0, 4), table[i].substr(0, 4));
        EXPECT_EQ(table[i + 105].back(), 'I');
    }
    EXPECT_EQ(std::set<std::string>(table.begin(), table.end()).size(), table.size());
    EXPECT_EQ(&ToneTable(), &table);
}

TEST(ToneTableTest, IndexFindsEveryEntryAndNothingElse) {
    const auto& table = ToneTable();
    for (std::size_t i = 0; i < table.size(); ++i) EXPECT_EQ(ToneIndex(table[i]), static_cast<int>(i));
    for (const char* text : {"", "off", "68.0", "67", "D023n", "D023N ", "D000N"}) {
        EXPECT_EQ(ToneIndex(text), -1) << '"' << text << '"';
    }
}

struct TenthsCase {
    const char* text;
    int tenths;
};

class ToneTenthsValue : public ::testing::TestWithParam<TenthsCase> {};

TEST_P(ToneTenthsValue, CtcssOnly) { EXPECT_EQ(ToneTenths(GetParam().text), GetParam().tenths) << GetParam().text; }

INSTANTIATE_TEST_SUITE_P(Cases, ToneTenthsValue,
                         ::testing::Values(TenthsCase{"88.5", 885}, TenthsCase{"67.0", 670}, TenthsCase{"254.1", 2541},
                                           TenthsCase{"67", 670}, TenthsCase{"OFF", 0}, TenthsCase{"", 0},
                                           TenthsCase{"D023N", 0}, TenthsCase{"D754I", 0}, TenthsCase{"12D", 0},
                                           TenthsCase{"1e300", std::numeric_limits<int>::max()}));

// ----------------------------------------------------------------------- names

struct NameBytesCase {
    std::array<Byte, 8> bytes;
    const char* text;
};

class NameDisplay : public ::testing::TestWithParam<NameBytesCase> {};

TEST_P(NameDisplay, StopsAtFirstFF) { EXPECT_EQ(NameText(GetParam().bytes.data()), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Cases, NameDisplay,
    ::testing::Values(NameBytesCase{{0x0A, 0x0B, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "AB"},
                      NameBytesCase{{0x24, 0x25, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "--"},
                      NameBytesCase{{0x0A, 0x0B, 0x24, 0x01, 0x25, 0x02, 0xFF, 0xFF}, "AB-1-2"},
                      NameBytesCase{{0x00, 0x09, 0x0A, 0x23, 0x26, 0xFE, 0x80, 0x11}, "09AZ---H"},
                      NameBytesCase{{0xFF, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10}, ""},
                      NameBytesCase{{0x0A, 0xFF, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10}, "A"}));

struct NameTextCase {
    const char* text;
    std::array<Byte, 8> bytes;
};

class NameEntry : public ::testing::TestWithParam<NameTextCase> {};

TEST_P(NameEntry, StoresCharacterCodes) {
    std::array<Byte, 8> got;
    got.fill(0x5A);
    StoreNameText(GetParam().text, got.data());
    EXPECT_EQ(got, GetParam().bytes) << '"' << GetParam().text << "\" stored " << Hex(got.data(), 8);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameEntry,
    ::testing::Values(NameTextCase{"AB-1 2", {0x0A, 0x0B, 0x24, 0x01, 0x25, 0x02, 0xFF, 0xFF}},
                      NameTextCase{"", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
                      NameTextCase{"09AZ", {0x00, 0x09, 0x0A, 0x23, 0xFF, 0xFF, 0xFF, 0xFF}},
                      NameTextCase{"ABCDEFGHIJ", {0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11}},
                      NameTextCase{"a.B", {0xFF, 0xFF, 0x0B, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}));

TEST(NameEntry, StoreWritesEightBytesAndNothingElse) {
    std::array<Byte, 24> img;
    img.fill(0x00);
    StoreNameText("CH1", img.data() + 8);
    for (std::size_t i = 0; i < img.size(); ++i) {
        if (i < 8 || i >= 16) {
            EXPECT_EQ(img[i], 0x00) << "neighbour byte " << i;
        }
    }
    EXPECT_EQ(NameText(img.data() + 8), "CH1");
}

// ------------------------------------------------------------------ in-use test

struct InUseCase {
    Byte rxTop;
    Byte txTop;
    bool inUse;
};

class RecordUse : public ::testing::TestWithParam<InUseCase> {};

TEST_P(RecordUse, EitherTopFrequencyByteSet) {
    std::array<Byte, 16> record;
    record.fill(0x14);  // every other byte looks like data
    record[3] = GetParam().rxTop;
    record[7] = GetParam().txTop;
    EXPECT_EQ(RecordInUse(record.data()), GetParam().inUse);
}

INSTANTIATE_TEST_SUITE_P(Cases, RecordUse,
                         ::testing::Values(InUseCase{0xFF, 0xFF, false}, InUseCase{0x00, 0x00, false},
                                           InUseCase{0xFF, 0x00, false}, InUseCase{0x14, 0xFF, true},
                                           InUseCase{0xFF, 0x14, true}, InUseCase{0x00, 0x01, true},
                                           InUseCase{0xFE, 0x00, true}));

}  // namespace
}  // namespace vel

// The difference list of two images: known lists by channel and setting in
// both languages, what "Use this value" takes over, and that every differing
// byte is listed somewhere (taking over every row makes the images equal).

#include <gtest/gtest.h>

#include <random>

#include "family_cases.h"
#include "image/encodings.h"
#include "link/simulated_radio_memory.h"
#include "table/channel_table.h"
#include "table/image_compare.h"

namespace vel {
namespace {

using testing_support::AllIds;
using testing_support::NameOf;

/// A family's image as a program saves it: three channels, the table stored.
Image Saved(const Family& family) {
    Image img = SimulatedRadioStartingMemory(family);
    ChannelTable t = NewChannelTable(family, Lang::English);
    FillChannelGrid(family, Lang::English, img, t);
    StoreChannelGrid(family, t, img);
    return img;
}

struct Row {
    std::string where;
    std::string a;
    std::string b;
    UseScope use;
};

bool operator==(const Row& x, const Row& y) {
    return x.where == y.where && x.a == y.a && x.b == y.b && x.use == y.use;
}

void PrintTo(const Row& r, std::ostream* os) {
    *os << "{" << r.where << " | " << r.a << " | " << r.b << " | " << static_cast<int>(r.use) << "}";
}

std::vector<Row> Rows(const std::vector<ImageDifference>& diffs) {
    std::vector<Row> rows;
    for (const ImageDifference& d : diffs) rows.push_back({d.where, d.valueA, d.valueB, d.use});
    return rows;
}

struct CompareCase {
    const char* name;
    FamilyId family;
    Lang lang;
    std::function<void(const Family&, Image& b)> change;   // b starts as a copy of the saved image a
    std::vector<Row> expected;
};

void PrintTo(const CompareCase& c, std::ostream* os) { *os << c.name; }

void SetTone(const Family& f, Image& img, int channel, int highByte, Byte high, Byte low) {
    img[static_cast<std::size_t>(f.recordAddr(channel) + highByte)] = high;
    img[static_cast<std::size_t>(f.recordAddr(channel) + highByte - 1)] = low;
}

const std::vector<CompareCase>& Cases() {
    static const std::vector<CompareCase> cases{
        {"Same", FamilyId::Velmar_V, Lang::English, [](const Family&, Image&) {}, {}},
        {"RxToneEnglish", FamilyId::Velmar_V, Lang::English,
         [](const Family& f, Image& b) { SetTone(f, b, 2, 9, 0x08, 0x85); },
         {{"Channel 2 Rx Tone", "OFF", "88.5", UseScope::Cell}}},
        {"RxToneChinese", FamilyId::Velmar_V, Lang::Chinese,
         [](const Family& f, Image& b) { SetTone(f, b, 2, 9, 0x08, 0x85); },
         {{"频道 2 接收信令", "OFF", "88.5", UseScope::Cell}}},
        {"TxFrequencyAndPower", FamilyId::VM_CH128, Lang::English,
         [](const Family& f, Image& b) {
             StoreFrequencyUnits(&b[static_cast<std::size_t>(f.recordAddr(3) + 4)], 44000000);
             b[static_cast<std::size_t>(f.recordAddr(3) + 13)] &= static_cast<Byte>(~0x20);
         },
         {{"Channel 3 Transmit(MHz)", "243.00000", "440.00000", UseScope::Cell},
          {"Channel 3 Tx Power", "High", "Low", UseScope::Cell}}},
        {"FieldInChinese", FamilyId::Velmar_V, Lang::Chinese, [](const Family&, Image& b) { b[0x80A] = 0xEF; },
         {{"频段", "240 - 260MHz", "136 - 174MHz", UseScope::Field}}},
        {"FieldLabelWithoutItsColon", FamilyId::VM_CH128, Lang::English,
         [](const Family&, Image& b) { b[0x812] &= 0x7F; }, {{"Manul Setting", "Open", "Close", UseScope::Field}}},
        {"TwoToneBitsNoCellShows", FamilyId::Velmar_V, Lang::English,
         [](const Family& f, Image& b) { b[static_cast<std::size_t>(f.recordAddr(3) + 12)] ^= 0x30; },
         {{"Channel 3 record byte 12", "42", "72", UseScope::Bytes}}},
        {"FlagsOfAChannelNotInUse", FamilyId::Velmar_V, Lang::English,
         [](const Family& f, Image& b) {
             b[static_cast<std::size_t>(f.recordAddr(9) + 13)] = 0x00;
             b[static_cast<std::size_t>(f.recordAddr(9) + 15)] = 0x01;
         },
         {{"Channel 9 record byte 13", "C5", "00", UseScope::Bytes},
          {"Channel 9 record byte 15", "00", "01", UseScope::Bytes}}},
        {"BytesOutsideTheTableInOneRun", FamilyId::Velmar_V, Lang::English,
         [](const Family&, Image& b) {
             for (int i = 0; i < 4; ++i) b[0xE0E + static_cast<std::size_t>(i)] = static_cast<Byte>(i + 1);
         },
         {{"Memory 0x0E0E–0x0E0F", "00 00", "01 02", UseScope::Bytes},
          {"Memory 0x0E10–0x0E11", "00 00", "03 04", UseScope::Bytes}}},
        {"MemoryInChinese", FamilyId::Velmar_V, Lang::Chinese, [](const Family&, Image& b) { b[0x814] = 0x07; },
         {{"内存 0x0814", "00", "07", UseScope::Bytes}}},
        {"ChannelInUseOnOneSide", FamilyId::VM_CH16, Lang::English,
         [](const Family& f, Image& b) {
             Byte* rec = &b[static_cast<std::size_t>(f.recordAddr(4))];
             StoreFrequencyUnits(rec, 44600000);
             StoreFrequencyUnits(rec + 4, 44600000);
         },
         {{"Channel 4 Receive(MHz)", "", "446.00000", UseScope::Channel},
          {"Channel 4 Transmit(MHz)", "", "446.00000", UseScope::Channel},
          {"Channel 4 Busy", "", "NO", UseScope::Channel}}},
        {"Name", FamilyId::VM_CH128, Lang::English,
         [](const Family& f, Image& b) { b[static_cast<std::size_t>(*f.nameAddr + 8 + 1)] = 12; },   // "SCM2"
         {{"Channel 2 Name", "SIM2", "SCM2", UseScope::Cell}}},
        {"AByteTheNameHides", FamilyId::VM_CH128, Lang::English,
         [](const Family& f, Image& b) { b[static_cast<std::size_t>(*f.nameAddr + 8 + 7)] = 0x05; },   // behind its end
         {{"Channel 2 name byte 7", "FF", "05", UseScope::Bytes}}},
        {"ChineseSixteenChannels", FamilyId::VM_CH16_CN, Lang::English,
         [](const Family& f, Image& b) {
             b[static_cast<std::size_t>(f.recordAddr(1) + 12)] ^= 0x01;
             b[0x3C2] = 0x05;
         },
         {{"信道 1 是否禁发", "否", "是", UseScope::Cell}, {"侧键功能", "瞬时取消静噪", "声控开关", UseScope::Field}}},
        {"BandWidthOfEveryChannel", FamilyId::VM_CH16, Lang::English,
         [](const Family& f, Image& b) {
             for (int ch = 1; ch <= 16; ++ch) b[static_cast<std::size_t>(f.recordAddr(ch) + 12)] |= 0x04;
         },
         // The list shows channel 1's bit; the others are bytes of their channels.
         [] {
             std::vector<Row> rows;
             for (int ch = 2; ch <= 16; ++ch)
                 rows.push_back({"Channel " + std::to_string(ch) + " record byte 12", "FB", "FF",
                                 UseScope::Bytes});
             rows.push_back({"Band  Width", "WIDE", "NARROW", UseScope::Field});
             return rows;
         }()},
    };
    return cases;
}

class CompareKnownLists : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareKnownLists, ListsExactlyTheseRows) {
    const CompareCase& c = GetParam();
    const Family& family = GetFamily(c.family);
    const Image a = Saved(family);
    Image b = a;
    c.change(family, b);
    EXPECT_EQ(Rows(CompareImages(family, c.lang, a, b)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, CompareKnownLists, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CompareImages, LinesInBothLanguages) {
    const Family& family = GetFamily(FamilyId::Velmar_V);
    Image a = Saved(family);
    Image b = a;
    SetTone(family, a, 12, 9, 0x08, 0x85);
    Byte* rec = &a[static_cast<std::size_t>(family.recordAddr(12))];
    StoreFrequencyUnits(rec, 14550000);
    StoreFrequencyUnits(rec + 4, 14550000);
    b = a;
    SetTone(family, b, 12, 9, 0xFF, 0xFF);
    const auto diffs = CompareImages(family, Lang::English, a, b);
    ASSERT_EQ(diffs.size(), 1u);
    EXPECT_EQ(VerifyLine(diffs[0], Lang::English), "Channel 12 Rx Tone: sent 88.5, radio has OFF");
    EXPECT_EQ(DifferenceLine(diffs[0], Lang::English), "Channel 12 Rx Tone: 88.5 | OFF");
    const auto zh = CompareImages(family, Lang::Chinese, a, b);
    EXPECT_EQ(VerifyLine(zh.at(0), Lang::Chinese), "频道 12 接收信令：写入 88.5，对讲机中为 OFF");
    ImageDifference empty = diffs[0];
    empty.valueB.clear();
    EXPECT_EQ(DifferenceLine(empty, Lang::English), "Channel 12 Rx Tone: 88.5 | (empty)");
}

TEST(CompareImages, BytesPastTheLimitAreNotCompared) {
    const Family& family = GetFamily(FamilyId::VM_CH118);
    const Image a = Saved(family);
    Image b = a;
    b[0x7E0] = 0x00;   // read but never written
    b[0x7DF] = 0x00;
    const auto diffs = CompareImages(family, Lang::English, a, b, static_cast<std::size_t>(family.protocol.writeBytes()));
    ASSERT_EQ(diffs.size(), 1u);
    EXPECT_EQ(diffs[0].where, "Memory 0x07DF");
}

TEST(CompareImages, RefusesImagesOfAnotherSize) {
    const Family& family = GetFamily(FamilyId::VM_CH16);
    EXPECT_THROW(CompareImages(family, Lang::English, Image(1024, 0xFF), Image(1000, 0xFF)), std::invalid_argument);
}

TEST(UseOtherValue, TakesOverOnlyTheRowsBits) {
    const Family& family = GetFamily(FamilyId::Velmar_V);
    const Image a = Saved(family);
    Image b = a;
    SetTone(family, b, 2, 9, 0x08, 0x85);
    b[static_cast<std::size_t>(family.recordAddr(2) + 13)] &= static_cast<Byte>(~0x08);   // Scan "No"
    b[0x80A] = 0xEF;
    const auto diffs = CompareImages(family, Lang::English, a, b);
    ASSERT_EQ(diffs.size(), 3u);
    Image doc = a;
    UseOtherValue(family, diffs[0], b, doc);   // the tone only
    const auto left = CompareImages(family, Lang::English, doc, b);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].where, "Channel 2 Scan");
    EXPECT_EQ(left[1].where, "Field");
    for (std::size_t i = 0; i < doc.size(); ++i) {
        const bool tone = i == static_cast<std::size_t>(family.recordAddr(2) + 8) ||
                          i == static_cast<std::size_t>(family.recordAddr(2) + 9);
        EXPECT_EQ(doc[i], tone ? b[i] : a[i]) << i;
    }
}

TEST(UseOtherValue, TakesAChannelInUseOnOneSideOverWhole) {
    const Family& family = GetFamily(FamilyId::VM_CH128);
    const Image radio = Saved(family);
    Image doc = radio;
    for (int i = 0; i < 16; ++i) doc[static_cast<std::size_t>(family.recordAddr(2) + i)] = 0xFF;
    const auto diffs = CompareImages(family, Lang::English, doc, radio);
    ASSERT_FALSE(diffs.empty());
    EXPECT_EQ(diffs[0].use, UseScope::Channel);
    UseOtherValue(family, diffs[0], radio, doc);
    EXPECT_EQ(doc, radio);
}

class EveryByteAccountedFor : public ::testing::TestWithParam<FamilyId> {};

// Two unrelated images: taking over every row of the list makes them equal,
// so no differing bit is left out of the list.
TEST_P(EveryByteAccountedFor, TakingOverEveryRowMakesTheImagesEqual) {
    const Family& family = GetFamily(GetParam());
    std::mt19937 random(static_cast<unsigned>(GetParam()) * 7919u + 3u);
    for (int round = 0; round < 30; ++round) {
        Image a(static_cast<std::size_t>(family.imageSize));
        Image b(a.size());
        for (Byte& x : a) x = static_cast<Byte>(random());
        for (std::size_t i = 0; i < b.size(); ++i) b[i] = random() % 3 == 0 ? static_cast<Byte>(random()) : a[i];
        for (const Lang lang : {Lang::English, Lang::Chinese}) {
            Image doc = a;
            for (const ImageDifference& d : CompareImages(family, lang, a, b)) UseOtherValue(family, d, b, doc);
            ASSERT_EQ(doc, b) << NameOf(GetParam()) << " round " << round;
            EXPECT_TRUE(CompareImages(family, lang, doc, b).empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, EveryByteAccountedFor, ::testing::ValuesIn(AllIds()),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

}  // namespace
}  // namespace vel

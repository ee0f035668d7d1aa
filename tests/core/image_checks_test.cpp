// The checks before a write, one table row per rule and family: what a file
// made by the program passes, what each broken byte is reported as (by
// channel and setting, error or warning), and random bytes.

#include <gtest/gtest.h>

#include <random>

#include "family_cases.h"
#include "image/encodings.h"
#include "link/simulated_radio_memory.h"
#include "table/channel_table.h"
#include "table/image_checks.h"

namespace vel {
namespace {

using testing_support::AllIds;
using testing_support::NameOf;

Image Stored(const Family& family, Image img) {
    ChannelTable t = NewChannelTable(family, Lang::English);
    FillChannelGrid(family, Lang::English, img, t);
    StoreChannelGrid(family, t, img);
    return img;
}

class CheckFamily : public ::testing::TestWithParam<FamilyId> {};

// What New, editing and Save produce passes without a word.
TEST_P(CheckFamily, FilesOfTheProgramPass) {
    const Family& family = GetFamily(GetParam());
    for (const Image& img : {Stored(family, NewDocumentImage(family)),
                             Stored(family, SimulatedRadioStartingMemory(family))}) {
        const auto problems = CheckImage(family, Lang::English, img);
        for (const ImageProblem& p : problems) ADD_FAILURE() << ProblemLine(p, Lang::English);
    }
}

// Random bytes are not a file of any radio: the opened file's warning comes up.
TEST_P(CheckFamily, RandomBytesLookLikeAnotherRadio) {
    const Family& family = GetFamily(GetParam());
    std::mt19937 random(17u + static_cast<unsigned>(GetParam()));
    for (int round = 0; round < 5; ++round) {
        Image img(static_cast<std::size_t>(family.imageSize));
        for (Byte& b : img) b = static_cast<Byte>(random());
        const auto problems = CheckImage(family, Lang::English, img);
        EXPECT_TRUE(LooksLikeAnotherRadio(problems)) << ErrorCount(problems) << " errors";
        // Even a write after the store step keeps them from the radio.
        EXPECT_GT(ErrorCount(CheckImage(family, Lang::English, Stored(family, img))), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, CheckFamily, ::testing::ValuesIn(AllIds()),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

struct RuleCase {
    const char* name;
    FamilyId family;
    Lang lang;
    std::function<void(const Family&, Image&)> change;   // on the stored three-channel image
    Severity severity;
    std::string where;
    std::string value;
    std::string message;
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

Byte* Rec(const Family& f, Image& img, int channel) { return &img[static_cast<std::size_t>(f.recordAddr(channel))]; }

const std::vector<RuleCase>& RuleCases() {
    static const std::vector<RuleCase> cases{
        {"FrequencyAboveTheRange", FamilyId::Velmar_V, Lang::English,
         [](const Family& f, Image& img) { StoreFrequencyUnits(Rec(f, img, 2), 60000000); }, Severity::Error,
         "Channel 2 Receive(MHz)", "600.00000", "outside 67–521 MHz"},
        {"FrequencyBelowTheSixteenChannelRange", FamilyId::Marlowe, Lang::English,
         [](const Family& f, Image& img) { StoreFrequencyUnits(Rec(f, img, 3) + 4, 5999999); }, Severity::Error,
         "Channel 3 Transmit(MHz)", "59.99999", "outside 60–600 MHz"},
        {"FrequencyOffTheSteps", FamilyId::VM_CH128, Lang::English,
         [](const Family& f, Image& img) { StoreFrequencyUnits(Rec(f, img, 1), 24100001); }, Severity::Error,
         "Channel 1 Receive(MHz)", "241.00001", "not a multiple of 6.25/5/2.5 kHz"},
        {"TwoAndAHalfKilohertzIsNotAStepOfVM_CH118", FamilyId::VM_CH118, Lang::English,
         [](const Family& f, Image& img) { StoreFrequencyUnits(Rec(f, img, 1), 24100250); }, Severity::Error,
         "Channel 1 Receive(MHz)", "241.00250", "not a multiple of 6.25/5 kHz"},
        {"FrequencyDigitsAboveNine", FamilyId::Velmar_V, Lang::English,
         [](const Family& f, Image& img) { Rec(f, img, 1)[3] = 0xA2; }, Severity::Error, "Channel 1 Receive(MHz)",
         "1021.00000", "the bytes 00 00 10 A2 are not a frequency in decimal digits"},
        {"FrequencyOutsideTheFieldBand", FamilyId::Velmar_V, Lang::English,
         [](const Family& f, Image& img) { StoreFrequencyUnits(Rec(f, img, 2) + 4, 14550000); }, Severity::Warning,
         "Channel 2 Transmit(MHz)", "145.50000", "outside the band 240 - 260MHz chosen in Field"},
        {"FieldBandInChinese", FamilyId::VM_CH16_CN, Lang::Chinese,
         [](const Family& f, Image& img) { StoreFrequencyUnits(Rec(f, img, 1), 14550000); }, Severity::Warning,
         "信道 1 接收频率", "145.50000", "不在频段所选的 430 - 450MHz 内"},
        {"ToneNotInTheTable", FamilyId::Velmar_V, Lang::English,
         [](const Family& f, Image& img) {
             Rec(f, img, 3)[9] = 0x79;
             Rec(f, img, 3)[8] = 0x81;
         },
         Severity::Error, "Channel 3 Rx Tone", "798.1", "not a tone of the tone table"},
        {"DigitalCodeNotInTheTable", FamilyId::VM_CH16, Lang::English,
         [](const Family& f, Image& img) {
             Rec(f, img, 2)[11] = 0xF2;
             Rec(f, img, 2)[10] = 0x33;
         },
         Severity::Error, "Channel 2 Tx Tone", "D5033I", "not a tone of the tone table"},
        {"ToneInAnotherByteForm", FamilyId::VM_CH128, Lang::English,
         [](const Family& f, Image& img) {
             Rec(f, img, 1)[9] = 0x08;
             Rec(f, img, 1)[8] = 0x7F;   // reads as 88.5, but 88.5 is 08 85
         },
         Severity::Error, "Channel 1 Rx Tone", "88.5", "the bytes 08 7F are not the tone table's form of this tone"},
        {"ListByteWithoutMeaning", FamilyId::Velmar_V, Lang::English,
         [](const Family& f, Image& img) { Rec(f, img, 2)[12] = 0x40; }, Severity::Error,
         "Channel 2 Opt Signal", "", "record byte 12 holds 40, which stands for none of the list's items"},
        {"ListByteWithoutMeaningInChinese", FamilyId::Velmar_V, Lang::Chinese,
         [](const Family& f, Image& img) { Rec(f, img, 2)[12] = 0x40; }, Severity::Error, "频道 2 可选信令", "",
         "记录字节 12 为 40，不对应列表中的任何一项"},
        {"OptionalSignallingCodeOfVM_CH128", FamilyId::VM_CH128, Lang::English,
         [](const Family& f, Image& img) { Rec(f, img, 3)[12] = 0x03; }, Severity::Error, "Channel 3 Opt Signal", "",
         "record byte 12 holds 03, which stands for none of the list's items"},
        {"NameCodeWithoutCharacter", FamilyId::VM_CH128, Lang::English,
         [](const Family& f, Image& img) { img[static_cast<std::size_t>(*f.nameAddr + 8 + 1)] = 0x40; },
         Severity::Error, "Channel 2 Name", "S-M2", "holds codes that are no name characters (40)"},
        {"TypeByteNamingNoItem", FamilyId::Velmar_V, Lang::English, [](const Family&, Image& img) { img[0x80B] = 0x30; },
         Severity::Error, "Type", "", "holds 30, which stands for none of the list's items"},
        {"PowerRankBetweenItsSteps", FamilyId::VM_CH16, Lang::English,
         [](const Family&, Image& img) { img[0x3C4] = 28; }, Severity::Error, "TX Power rank", "9",
         "holds 1C, which stands for none of the list's items"},
        {"SideButtonCodeWithoutItem", FamilyId::VM_CH16, Lang::English,
         [](const Family&, Image& img) { img[0x3C2] = 4; }, Severity::Error, "Side Button", "SQ OFF Momentary",
         "holds 04, which stands for none of the list's items"},
        {"PasswordBytesThatAreNoDigits", FamilyId::Marlowe, Lang::English,
         [](const Family&, Image& img) {
             img[0] = '1';
             img[1] = 0xFF;
             img[2] = '2';
         },
         Severity::Error, "Data Password", "12", "the bytes 31 FF 32 FF FF FF are not digits followed by FF"},
    };
    return cases;
}

class CheckRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(CheckRule, ReportsOneProblemByChannelAndSetting) {
    const RuleCase& c = GetParam();
    const Family& family = GetFamily(c.family);
    Image img = Stored(family, SimulatedRadioStartingMemory(family));
    c.change(family, img);
    const auto problems = CheckImage(family, c.lang, img);
    std::string all;
    for (const ImageProblem& p : problems) all += ProblemLine(p, c.lang) + "\n";
    ASSERT_EQ(problems.size(), 1u) << all;
    const ImageProblem& p = problems[0];
    EXPECT_EQ(p.severity, c.severity);
    EXPECT_EQ(p.where, c.where);
    EXPECT_EQ(p.value, c.value);
    EXPECT_EQ(p.message, c.message);
    EXPECT_EQ(ErrorCount(problems), c.severity == Severity::Error ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Rules, CheckRule, ::testing::ValuesIn(RuleCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckImage, ChannelsNotInUseAreNotChecked) {
    const Family& family = GetFamily(FamilyId::Velmar_V);
    Image img = Stored(family, NewDocumentImage(family));
    Byte* rec = Rec(family, img, 40);
    rec[8] = 0x33;
    rec[9] = 0x77;
    rec[12] = 0x00;
    EXPECT_TRUE(CheckImage(family, Lang::English, img).empty());
}

TEST(CheckImage, LinesAndTheOpenedFileWarning) {
    ImageProblem p;
    p.severity = Severity::Warning;
    p.where = "Channel 2 Transmit(MHz)";
    p.value = "145.50000";
    p.message = "outside the band 240 - 260MHz chosen in Field";
    EXPECT_EQ(ProblemLine(p, Lang::English),
              "warning: Channel 2 Transmit(MHz): 145.50000: outside the band 240 - 260MHz chosen in Field");
    p.severity = Severity::Error;
    p.value.clear();
    EXPECT_EQ(ProblemLine(p, Lang::Chinese), "错误：Channel 2 Transmit(MHz)：（空）：outside the band 240 - 260MHz chosen in Field");
    EXPECT_EQ(AnotherRadioWarning("a.sin", 12, Lang::English),
              "a.sin fails 12 checks: it may not be a file of this program's radio.");
    EXPECT_EQ(AnotherRadioWarning("a.sin", 12, Lang::Chinese), "a.sin 有 12 项检查未通过：它可能不是本程序所用对讲机的文件。");
    std::vector<ImageProblem> many(kForeignFileErrors - 1, p);
    EXPECT_FALSE(LooksLikeAnotherRadio(many));
    many.push_back(p);
    EXPECT_TRUE(LooksLikeAnotherRadio(many));
    many.back().severity = Severity::Warning;
    EXPECT_FALSE(LooksLikeAnotherRadio(many)) << "warnings do not count";
}

}  // namespace
}  // namespace vel

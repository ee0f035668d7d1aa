#include <gtest/gtest.h>

#include "settings/optional_features.h"

namespace vel {
namespace {

// The radio-wide block of a new full-application document.
Image NewSettingsImage() {
    Image img(4096, 0xFF);
    const Byte block[] = {0xC0, 0xA8, 0xC4, 0x05, 0x00, 0x00, 0x03, 0x04, 0x00, 0x09, 0x01};
    for (int i = 0; i < 11; ++i) img[0x810 + i] = block[i];
    img[0x81D] = 0x00;
    return img;
}

TEST(OptionalFeatures, NewDocumentOpensWithItsDefaults) {
    const OptionalFeatures f = DecodeOptionalFeatures(NewSettingsImage());
    EXPECT_EQ(TimeoutText(f.timeoutPosition), "OFF");
    EXPECT_EQ(f.squelchIndex, 5);
    EXPECT_EQ(f.languageIndex, -1);
    EXPECT_EQ(f.voxGainIndex, 0);
    EXPECT_TRUE(f.beep);
    EXPECT_TRUE(f.batterySave);
    EXPECT_FALSE(f.scrambler);
    EXPECT_EQ(f.priorityIndex, 0);
    EXPECT_EQ(f.freqModeSignalIndex, 3);
    EXPECT_FALSE(f.beginOfTx);
    EXPECT_FALSE(f.endOfTx);
    EXPECT_EQ(f.groupId + f.id + f.callId + f.checkId + f.killId + f.listenId, "");
    EXPECT_EQ(f.pf2Index, 0);
}

TEST(OptionalFeatures, OkWithoutChangesRewritesOnlyWhatTheDialogOwns) {
    Image img = NewSettingsImage();
    const Image before = img;
    EncodeOptionalFeatures(DecodeOptionalFeatures(img), img);
    EXPECT_EQ(img[0x812], 0xC4);
    EXPECT_EQ(img[0x81B], 0x00);  // PF2 "None" replaces 0xFF
    for (int a = 0x820; a < 0x850; ++a) EXPECT_EQ(img[a], 0xFF) << std::hex << a;
    for (std::size_t a = 0; a < img.size(); ++a) {
        if (a == 0x81B) continue;
        EXPECT_EQ(img[a], before[a]) << std::hex << a;
    }
}

TEST(OptionalFeatures, ChoosingEnglishSetsLanguageCodeTwo) {
    Image img = NewSettingsImage();
    OptionalFeatures f = DecodeOptionalFeatures(img);
    f.languageIndex = 1;
    EncodeOptionalFeatures(f, img);
    EXPECT_EQ(img[0x812], 0xC6);
    EXPECT_EQ(DecodeOptionalFeatures(img).languageIndex, 1);
}

struct LanguageCase {
    Byte flags;
    int index;
};
class LanguageCode : public ::testing::TestWithParam<LanguageCase> {};
TEST_P(LanguageCode, OpensAsTheListShowsIt) {
    Image img = NewSettingsImage();
    img[0x812] = GetParam().flags;
    EXPECT_EQ(DecodeOptionalFeatures(img).languageIndex, GetParam().index);
}
INSTANTIATE_TEST_SUITE_P(Codes, LanguageCode,
                         ::testing::Values(LanguageCase{0xC4, -1}, LanguageCase{0xC5, 0}, LanguageCase{0xC6, 1},
                                           LanguageCase{0xC7, 0}),
                         [](const auto& info) { return "flags" + std::to_string(info.param.flags); });

struct TimeoutCase {
    Byte stored;
    const char* shown;
    Byte storedBack;
};
class Timeout : public ::testing::TestWithParam<TimeoutCase> {};
TEST_P(Timeout, ShowsAndStoresThePosition) {
    Image img = NewSettingsImage();
    img[0x814] = GetParam().stored;
    const OptionalFeatures f = DecodeOptionalFeatures(img);
    EXPECT_EQ(TimeoutText(f.timeoutPosition), GetParam().shown);
    EncodeOptionalFeatures(f, img);
    EXPECT_EQ(img[0x814], GetParam().storedBack);
}
INSTANTIATE_TEST_SUITE_P(Positions, Timeout,
                         ::testing::Values(TimeoutCase{40, "600", 40}, TimeoutCase{0, "OFF", 0},
                                           TimeoutCase{41, "OFF", 0}, TimeoutCase{1, "15", 1}),
                         [](const auto& info) { return "byte" + std::to_string(info.param.stored); });

TEST(OptionalFeatures, TypedTimeoutTextsMapToPositionsOrAreRefused) {
    EXPECT_EQ(TimeoutPositionFromText("OFF"), 0);
    EXPECT_EQ(TimeoutPositionFromText("off"), 0);
    EXPECT_EQ(TimeoutPositionFromText("15"), 1);
    EXPECT_EQ(TimeoutPositionFromText("600"), 40);
    EXPECT_EQ(TimeoutPositionFromText(" 300 "), 20);
    for (const char* bad : {"", "0", "7", "605", "615", "abc", "15s", "-15", "1500"}) {
        EXPECT_FALSE(TimeoutPositionFromText(bad).has_value()) << bad;
    }
}

struct CodeCase {
    const char* name;
    int addr;
    std::string OptionalFeatures::*member;
    const char* typed;
    std::vector<Byte> bytes;
};
class IdentificationCode : public ::testing::TestWithParam<CodeCase> {};
TEST_P(IdentificationCode, StoresItsEightBytesAndNothingElse) {
    const CodeCase& c = GetParam();
    Image img = NewSettingsImage();
    OptionalFeatures f = DecodeOptionalFeatures(img);
    EncodeOptionalFeatures(f, img);
    const Image before = img;
    f.*(c.member) = c.typed;
    EncodeOptionalFeatures(f, img);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(img[c.addr + i], c.bytes[i]) << c.name << " byte " << i;
    for (std::size_t a = 0; a < img.size(); ++a) {
        if (static_cast<int>(a) >= c.addr && static_cast<int>(a) < c.addr + 8) continue;
        EXPECT_EQ(img[a], before[a]) << c.name << " changed " << std::hex << a;
    }
}
INSTANTIATE_TEST_SUITE_P(
    Codes, IdentificationCode,
    ::testing::Values(
        CodeCase{"GroupId2345", 0x820, &OptionalFeatures::groupId, "2345", {'1', '3', '4', '5', 0xFF, 0xFF, 0xFF, 0xFF}},
        CodeCase{"GroupId987", 0x820, &OptionalFeatures::groupId, "987", {'9', '8', '7', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        CodeCase{"GroupId1234", 0x820, &OptionalFeatures::groupId, "1234", {'1', '2', '3', '4', 0xFF, 0xFF, 0xFF, 0xFF}},
        CodeCase{"CheckIdLower", 0x838, &OptionalFeatures::checkId, "ab12", {'A', 'B', '1', '2', 0xFF, 0xFF, 0xFF, 0xFF}},
        CodeCase{"KillIdAsterisk", 0x840, &OptionalFeatures::killId, "1*2", {'1', '0', '2', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        CodeCase{"CallIdFull", 0x828, &OptionalFeatures::callId, "ABCDEFGH", {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}},
        CodeCase{"Id", 0x830, &OptionalFeatures::id, "Z9", {'Z', '9', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        CodeCase{"ListenEmpty", 0x848, &OptionalFeatures::listenId, "", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OptionalFeatures, CodesWithGapsOpenAsTheirValidCharacters) {
    Image img = NewSettingsImage();
    img[0x838] = '1';
    img[0x839] = 0xFF;
    img[0x83A] = '2';
    img[0x820] = '4';
    img[0x821] = 'A';  // not a digit: skipped in the Group ID
    img[0x822] = '5';
    img[0x824] = '7';  // beyond the four Group ID positions
    img[0x848] = 'q';
    img[0x849] = '#';
    img[0x84A] = 'Q';
    const OptionalFeatures f = DecodeOptionalFeatures(img);
    EXPECT_EQ(f.checkId, "12");
    EXPECT_EQ(f.groupId, "45");
    EXPECT_EQ(f.listenId, "QQ");
}

TEST(OptionalFeatures, PriorityChannelAlwaysWinsItsByteOverTheHiddenPf1List) {
    Image img = NewSettingsImage();
    OptionalFeatures f = DecodeOptionalFeatures(img);
    f.pf1Index = 4;
    f.priorityIndex = 127;
    f.pf2Index = 5;
    EncodeOptionalFeatures(f, img);
    EXPECT_EQ(img[0x81A], 128);
    EXPECT_EQ(img[0x81B], 5);
    img[0x81A] = 0;  // out of range: no selection
    EXPECT_EQ(DecodeOptionalFeatures(img).priorityIndex, -1);
}

TEST(OptionalFeatures, FlagsMapToTheirBitsAndKeepTheOthers) {
    Image img = NewSettingsImage();
    img[0x810] = 0x0F;
    img[0x812] = 0xA8 | 0x03;  // bit 7 belongs to the channel table, bits 3 and 5 unused, language code 3
    OptionalFeatures f = DecodeOptionalFeatures(img);
    f.beginOfTx = true;
    f.endOfTx = true;
    f.beep = true;
    f.scrambler = true;
    f.batterySave = true;
    EncodeOptionalFeatures(f, img);
    EXPECT_EQ(img[0x810], 0x3F);
    EXPECT_EQ(img[0x812], 0xA8 | 0x03 | 0x40 | 0x10 | 0x04);
    f.beginOfTx = f.endOfTx = f.beep = f.scrambler = f.batterySave = false;
    EncodeOptionalFeatures(f, img);
    EXPECT_EQ(img[0x810], 0x0F);
    EXPECT_EQ(img[0x812], 0xA8 | 0x03);
}

TEST(OptionalFeatures, OutOfRangeBytesOpenAsTheFirstItem) {
    Image img = NewSettingsImage();
    img[0x813] = 12;
    img[0x815] = 11;
    img[0x816] = 4;
    img[0x81B] = 6;
    const OptionalFeatures f = DecodeOptionalFeatures(img);
    EXPECT_EQ(f.squelchIndex, 0);
    EXPECT_EQ(f.voxGainIndex, 0);
    EXPECT_EQ(f.freqModeSignalIndex, 0);
    EXPECT_EQ(f.pf2Index, 0);
}

TEST(OptionalFeatures, MissingSelectionsStoreMinusOne) {
    Image img = NewSettingsImage();
    OptionalFeatures f;
    EncodeOptionalFeatures(f, img);
    EXPECT_EQ(img[0x813], 0xFF);
    EXPECT_EQ(img[0x815], 0xFF);
    EXPECT_EQ(img[0x816], 0xFF);
    EXPECT_EQ(img[0x81A], 0x00);
    EXPECT_EQ(img[0x817], 4);
    EXPECT_EQ(img[0x818], 0);
}

}  // namespace
}  // namespace vel

// The Optional Features dialogs seen through their controls' texts: what each
// control shows for known bytes, which bytes a text sets (and that no other
// byte moves), and the texts a control refuses.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "family_cases.h"
#include "settings/family_features.h"
#include "settings/optional_features.h"
#include "settings/optional_features_models.h"
#include "settings/settings_dialog_model.h"

namespace vel {
namespace {

using testing_support::NameOf;
using testing_support::Poke;

const SettingsDialogModel& Dialog(FamilyId family) {
    const SettingsDialogModel* model = FindSettingsDialog(family, kOptionalFeaturesDialog);
    if (!model) throw std::logic_error("no Optional Features dialog");
    return *model;
}

Image NewWith(FamilyId family, const std::vector<Poke>& pokes) {
    Image img = NewDocumentImage(GetFamily(family));
    for (const Poke& p : pokes)
        for (std::size_t i = 0; i < p.bytes.size(); ++i) img.at(p.addr + static_cast<int>(i)) = p.bytes[i];
    return img;
}

/// Bytes that differ from address to address and from seed to seed.
Image Pattern(std::size_t size, unsigned seed) {
    Image img(size);
    unsigned x = seed * 2654435761u + 12345u;
    for (Byte& b : img) {
        x = x * 1103515245u + 12345u;
        b = static_cast<Byte>(x >> 16);
    }
    return img;
}

// ---------------------------------------------------------------------------
// A new document opens as its family's edge cases say
// ---------------------------------------------------------------------------

struct OpeningCase {
    FamilyId family;
    Lang lang;
    ControlTexts texts;
};
void PrintTo(const OpeningCase& c, std::ostream* os) { *os << NameOf(c.family); }

class NewDocumentOpening : public ::testing::TestWithParam<OpeningCase> {};
TEST_P(NewDocumentOpening, ShowsEveryControl) {
    const OpeningCase& c = GetParam();
    EXPECT_EQ(Dialog(c.family).show(NewDocumentImage(GetFamily(c.family)), c.lang), c.texts);
}
INSTANTIATE_TEST_SUITE_P(
    Families, NewDocumentOpening,
    ::testing::Values(
        OpeningCase{FamilyId::VM_CH128,
                    Lang::English,
                    {{1013, "OFF"}, {1016, "5"}, {1079, "Off"}, {1074, "1"}, {1075, "0"}, {1090, "1"},
                     {1076, "1"}, {1077, "OFF"}, {1078, "1.5"}, {1084, "1"}, {1080, ""}, {1081, ""},
                     {1092, "0"}, {1093, "0"}, {1085, "None"}, {1086, "None"}}},
        OpeningCase{FamilyId::VM_CH118,
                    Lang::English,
                    {{1013, "OFF"}, {1016, "5"}, {1079, "OFF"}, {1074, "1"}, {1075, "0"}, {1090, "1"},
                     {1076, "1"}, {1077, "OFF"}, {1078, "1.5"}, {1084, "1"}, {1080, ""}, {1081, ""},
                     {1085, "None"}, {1086, "None"}}},
        OpeningCase{FamilyId::Velmar_V,
                    Lang::Chinese,
                    {{1013, "OFF"}, {1016, "5"}, {1079, ""}, {1077, "关"}, {1074, "1"}, {1090, "1"},
                     {1075, "0"}, {3000, "1"}, {1080, ""}, {1081, ""}, {1098, ""}, {1099, ""}, {1100, ""},
                     {1101, ""}, {1082, "0"}, {1083, "0"}, {1102, "关"}, {1085, "自动拨号"}, {1086, "无"}}}),
    [](const auto& info) { return std::string(NameOf(info.param.family)); });

// ---------------------------------------------------------------------------
// Image → text
// ---------------------------------------------------------------------------

struct ShowCase {
    const char* name;
    FamilyId family;
    std::vector<Poke> pokes;
    int id;
    std::string text;
};
void PrintTo(const ShowCase& c, std::ostream* os) { *os << c.name; }

class ControlShows : public ::testing::TestWithParam<ShowCase> {};
TEST_P(ControlShows, TheTextOfItsBytes) {
    const ShowCase& c = GetParam();
    EXPECT_EQ(Dialog(c.family).show(NewWith(c.family, c.pokes), Lang::English).at(c.id), c.text);
}

constexpr FamilyId k128 = FamilyId::VM_CH128;
constexpr FamilyId k118 = FamilyId::VM_CH118;

INSTANTIATE_TEST_SUITE_P(
    Bytes, ControlShows,
    ::testing::Values(
        ShowCase{"TimeoutTop128", k128, {{0x814, {40}}}, 1013, "600"},
        ShowCase{"TimeoutPastTop128", k128, {{0x814, {41}}}, 1013, "OFF"},
        ShowCase{"TimeoutOne118", k118, {{0x7D4, {1}}}, 1013, "15"},
        ShowCase{"SquelchPastNine128", k128, {{0x813, {12}}}, 1016, "0"},
        ShowCase{"Squelch118", k118, {{0x7D3, {9}}}, 1016, "9"},
        ShowCase{"LanguageChinese128", k128, {{0x812, {0xC7}}}, 1079, "Chinese"},
        ShowCase{"LanguageEnglish128", k128, {{0x812, {0xC6}}}, 1079, "English"},
        ShowCase{"LanguageCodeOneNone128", k128, {{0x812, {0xC5}}}, 1079, ""},
        ShowCase{"LanguageEnglish118", k118, {{0x7D2, {0xFA}}}, 1079, "English"},
        ShowCase{"LanguageCodeOneNone118", k118, {{0x7D2, {0xF9}}}, 1079, ""},
        ShowCase{"BeepOff128", k128, {{0x812, {0x84}}}, 1074, "0"},
        ShowCase{"ScramblerOn128", k128, {{0x812, {0xD4}}}, 1075, "1"},
        ShowCase{"BatterySaveOff128", k128, {{0x812, {0xC0}}}, 1090, "0"},
        ShowCase{"VoxFunctionOff128", k128, {{0x810, {0x40}}}, 1076, "0"},
        ShowCase{"VoxInhibitOff128", k128, {{0x810, {0x80}}}, 1084, "0"},
        ShowCase{"BeginOfTx128", k128, {{0x810, {0x20}}}, 1092, "1"},
        ShowCase{"EndOfTx128", k128, {{0x810, {0x10}}}, 1093, "1"},
        ShowCase{"BeepOff118", k118, {{0x7D2, {0xE8}}}, 1074, "0"},
        ShowCase{"ScramblerOn118", k118, {{0x7D2, {0x04}}}, 1075, "1"},
        ShowCase{"BatterySaveOn118", k118, {{0x7D2, {0x08}}}, 1090, "1"},
        ShowCase{"VoxFunctionOn118", k118, {{0x7D2, {0x20}}}, 1076, "1"},
        ShowCase{"VoxInhibitOff118", k118, {{0x7D2, {0xB8}}}, 1084, "0"},
        ShowCase{"VoxGainTen128", k128, {{0x815, {10}}}, 1077, "10"},
        ShowCase{"VoxGainPastTen118", k118, {{0x7D5, {11}}}, 1077, "OFF"},
        ShowCase{"VoxDelayLast128", k128, {{0x816, {5}}}, 1078, "3.0"},
        ShowCase{"VoxDelayPastList118", k118, {{0x7D6, {6}}}, 1078, "0.3"},
        ShowCase{"Pf1_128", k128, {{0x81A, {5}}}, 1085, "Scrambler"},
        ShowCase{"Pf2PastList128", k128, {{0x81B, {6}}}, 1086, "None"},
        ShowCase{"Pf1_118", k118, {{0x7D0, {1}}}, 1085, "Autodial"},
        ShowCase{"Pf2_118", k118, {{0x7D1, {4}}}, 1086, "Monitor Momentary"},
        // PTT ID: digits of the first four positions only.
        ShowCase{"PttIdDigits128", k128, {{0x820, {'2', 'A', '3', '4', '5'}}}, 1080, "234"},
        ShowCase{"PttIdThreeDigits118", k118, {{0x7B0, {'1', '2', '3', '4'}}}, 1080, "123"},
        // ANI: digits and capitals anywhere, small letters in the first six
        // positions as capitals, and the box holds six characters.
        ShowCase{"AniMixed128", k128, {{0x830, {'a', '1', 0xFF, 'B', '#', 'c', 'd', 'E'}}}, 1081, "A1BCE"},
        ShowCase{"AniCutToTheBox128", k128, {{0x830, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}}}, 1081, "ABCDEF"},
        ShowCase{"AniHidden118", k118, {{0x7C0, {'9', 'Z'}}}, 1081, "9Z"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Text → image
// ---------------------------------------------------------------------------

struct SetCase {
    const char* name;
    FamilyId family;
    Lang lang;
    int id;
    std::string text;
    std::vector<Poke> bytes;   // what the named bytes become; no other byte moves
};
void PrintTo(const SetCase& c, std::ostream* os) { *os << c.name; }

class ControlSets : public ::testing::TestWithParam<SetCase> {};
TEST_P(ControlSets, ItsBytesAndNoOthers) {
    const SetCase& c = GetParam();
    const SettingsDialogModel& dialog = Dialog(c.family);
    Image okOnly = NewDocumentImage(GetFamily(c.family));
    ASSERT_FALSE(dialog.set(okOnly, c.lang, {}));
    Image img = NewDocumentImage(GetFamily(c.family));
    const auto refused = dialog.set(img, c.lang, {{c.id, c.text}});
    ASSERT_FALSE(refused) << *refused;
    Image expected = okOnly;
    for (const Poke& p : c.bytes)
        for (std::size_t i = 0; i < p.bytes.size(); ++i) expected.at(p.addr + static_cast<int>(i)) = p.bytes[i];
    for (std::size_t a = 0; a < img.size(); ++a)
        EXPECT_EQ(int(img[a]), int(expected[a])) << c.name << " at 0x" << std::hex << a;
}

const std::vector<Byte> kFF12(12, 0xFF);
std::vector<Byte> Code16(std::vector<Byte> head) {
    head.resize(16, 0xFF);
    return head;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ControlSets,
    ::testing::Values(
        SetCase{"Timeout600_128", k128, Lang::English, 1013, "600", {{0x814, {40}}}},
        SetCase{"TimeoutOffLower118", k118, Lang::English, 1013, "off", {{0x7D4, {0}}}},
        SetCase{"Timeout15_118", k118, Lang::English, 1013, "15", {{0x7D4, {1}}}},
        SetCase{"Squelch128", k128, Lang::English, 1016, "9", {{0x813, {9}}}},
        SetCase{"Squelch118", k118, Lang::English, 1016, "0", {{0x7D3, {0}}}},
        SetCase{"English128", k128, Lang::English, 1079, "English", {{0x812, {0xC6}}}},
        SetCase{"Chinese128", k128, Lang::English, 1079, "Chinese", {{0x812, {0xC7}}}},
        SetCase{"NoLanguageKeepsBits128", k128, Lang::English, 1079, "", {{0x812, {0xC4}}}},
        SetCase{"English118", k118, Lang::English, 1079, "English", {{0x7D2, {0xFA}}}},
        SetCase{"Chinese118", k118, Lang::English, 1079, "Chinese", {{0x7D2, {0xFB}}}},
        SetCase{"BeepOff128", k128, Lang::English, 1074, "0", {{0x812, {0x84}}}},
        SetCase{"ScramblerOn128", k128, Lang::English, 1075, "1", {{0x812, {0xD4}}}},
        SetCase{"BatterySaveOff128", k128, Lang::English, 1090, "0", {{0x812, {0xC0}}}},
        SetCase{"VoxFunctionOff128", k128, Lang::English, 1076, "0", {{0x810, {0x40}}}},
        SetCase{"VoxInhibitOff128", k128, Lang::English, 1084, "0", {{0x810, {0x80}}}},
        SetCase{"BeginOfTx128", k128, Lang::English, 1092, "1", {{0x810, {0xE0}}}},
        SetCase{"EndOfTx128", k128, Lang::English, 1093, "1", {{0x810, {0xD0}}}},
        SetCase{"BeepOff118", k118, Lang::English, 1074, "0", {{0x7D2, {0xE8}}}},
        SetCase{"ScramblerOn118", k118, Lang::English, 1075, "1", {{0x7D2, {0xFC}}}},
        SetCase{"BatterySaveOff118", k118, Lang::English, 1090, "0", {{0x7D2, {0xF0}}}},
        SetCase{"VoxFunctionOff118", k118, Lang::English, 1076, "0", {{0x7D2, {0xD8}}}},
        SetCase{"VoxInhibitOff118", k118, Lang::English, 1084, "0", {{0x7D2, {0xB8}}}},
        SetCase{"VoxGain128", k128, Lang::English, 1077, "10", {{0x815, {10}}}},
        SetCase{"VoxDelay128", k128, Lang::English, 1078, "3.0", {{0x816, {5}}}},
        SetCase{"VoxGain118", k118, Lang::English, 1077, "1", {{0x7D5, {1}}}},
        SetCase{"VoxDelay118", k118, Lang::English, 1078, "0.3", {{0x7D6, {0}}}},
        SetCase{"Pf1_128", k128, Lang::English, 1085, "Monitor", {{0x81A, {3}}}},
        SetCase{"Pf2_128", k128, Lang::English, 1086, "Scrambler", {{0x81B, {5}}}},
        SetCase{"Pf1_118", k118, Lang::English, 1085, "Autodial", {{0x7D0, {1}}}},
        SetCase{"Pf2_118", k118, Lang::English, 1086, "Key Lock", {{0x7D1, {2}}}},
        // A four-digit PTT ID never begins with 2-9.
        SetCase{"PttId2345", k128, Lang::English, 1080, "2345", {{0x820, Code16({'1', '3', '4', '5'})}}},
        SetCase{"PttId987", k128, Lang::English, 1080, "987", {{0x820, Code16({'9', '8', '7'})}}},
        SetCase{"AniLowerCase", k128, Lang::English, 1081, "ab12", {{0x830, Code16({'A', 'B', '1', '2'})}}},
        SetCase{"VelmarEnglishInChinese", FamilyId::Velmar_V, Lang::Chinese, 1079, "英文", {{0x812, {0xC6}}}},
        SetCase{"VelmarPriority", FamilyId::Velmar_V, Lang::English, 3000, "128", {{0x81A, {128}}}},
        SetCase{"VelmarGroupId", FamilyId::Velmar_V, Lang::English, 1080, "2345", {{0x820, {'1', '3', '4', '5'}}}},
        SetCase{"VelmarIdCapitals", FamilyId::Velmar_V, Lang::English, 1081, "ab12", {{0x830, {'A', 'B', '1', '2'}}}},
        SetCase{"VelmarCheckIdOutsideAscii", FamilyId::Velmar_V, Lang::English, 1099, "\xC3\xA9" "1",
                {{0x838, {'0', '1'}}}},
        SetCase{"VelmarSignal", FamilyId::Velmar_V, Lang::English, 1102, "MSK", {{0x816, {0}}}},
        SetCase{"VelmarSignalInChinese", FamilyId::Velmar_V, Lang::Chinese, 1102, "CCIR", {{0x816, {2}}}},
        SetCase{"VelmarVoxOffInChinese", FamilyId::Velmar_V, Lang::Chinese, 1077, "关", {{0x815, {0}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsDialogs, FlagBytesKeepTheBitsTheDialogDoesNotOwn) {
    // 0x812 bit 7 (Manual Setting) and bits 3 and 5, 0x810 bits 0-3; 0x7D2 bit 7.
    Image img = NewWith(k128, {{0x810, {0x0F}}, {0x812, {0xE9}}});
    ASSERT_FALSE(Dialog(k128).set(img, Lang::English, {{1074, "0"}, {1076, "1"}, {1092, "1"}}));
    EXPECT_EQ(img[0x810], 0xAF);
    EXPECT_EQ(img[0x812], 0xA9 & ~0x40);
    img = NewWith(k118, {{0x7D2, {0x81}}});
    ASSERT_FALSE(Dialog(k118).set(img, Lang::English, {{1074, "1"}, {1079, "Chinese"}}));
    EXPECT_EQ(img[0x7D2], 0x93);
}

TEST(SettingsDialogs, OkStoresTheAniCodeAsTheBoxHoldsIt) {
    // The radio's eight characters open as the box's six; OK stores those six.
    Image img = NewWith(k128, {{0x830, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}}});
    ASSERT_FALSE(Dialog(k128).set(img, Lang::English, {{1016, "3"}}));
    EXPECT_EQ(std::vector<Byte>(img.begin() + 0x830, img.begin() + 0x840), Code16({'A', 'B', 'C', 'D', 'E', 'F'}));
}

TEST(SettingsDialogs, HiddenCodesOf118AreNeverRewritten) {
    // A three-digit PTT ID beginning with 2 and stray bytes stay as the radio
    // gave them: nobody could see or change them in the dialog.
    const std::vector<Byte> ptt{'2', '3', '4', 0x00, 'x', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
    const std::vector<Byte> ani{'a', 'B', '-', '1', '2', '3', '4', '5', '6', '7', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    Image img = NewWith(k118, {{0x7B0, ptt}, {0x7C0, ani}});
    ASSERT_FALSE(Dialog(k118).set(img, Lang::English, {{1016, "3"}, {1079, "English"}}));
    EXPECT_EQ(std::vector<Byte>(img.begin() + 0x7B0, img.begin() + 0x7C0), ptt);
    EXPECT_EQ(std::vector<Byte>(img.begin() + 0x7C0, img.begin() + 0x7D0), ani);
}

// ---------------------------------------------------------------------------
// Refusals
// ---------------------------------------------------------------------------

struct RefusalCase {
    const char* name;
    FamilyId family;
    Lang lang;
    ControlTexts texts;
    std::string error;
};
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class ControlRefuses : public ::testing::TestWithParam<RefusalCase> {};
TEST_P(ControlRefuses, NamingItAndLeavingTheImage) {
    const RefusalCase& c = GetParam();
    Image img = NewDocumentImage(GetFamily(c.family));
    const Image before = img;
    const auto refused = Dialog(c.family).set(img, c.lang, c.texts);
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->find(c.error), std::string::npos) << *refused;
    EXPECT_EQ(img, before);
}
INSTANTIATE_TEST_SUITE_P(
    Texts, ControlRefuses,
    ::testing::Values(
        RefusalCase{"UnknownControl", k128, Lang::English, {{4242, "1"}}, "control 4242: the dialog has no such"},
        RefusalCase{"HiddenPttId118", k118, Lang::English, {{1016, "3"}, {1080, "1"}}, "control 1080: the control is hidden"},
        RefusalCase{"HiddenPf1Velmar", FamilyId::Velmar_V, Lang::English, {{1085, "None"}}, "control 1085: the control is hidden"},
        RefusalCase{"NoSuchItem", k128, Lang::English, {{1016, "12"}}, "control 1016: \"12\" is not an item"},
        RefusalCase{"ListCannotBeEmpty", k118, Lang::English, {{1077, ""}}, "control 1077: \"\" is not an item"},
        RefusalCase{"OtherLanguagesItem", FamilyId::Velmar_V, Lang::Chinese, {{1079, "English"}}, "control 1079"},
        RefusalCase{"CheckWord", k128, Lang::English, {{1074, "yes"}}, "control 1074: \"yes\" is not a check box state"},
        RefusalCase{"TimeoutOffStep", k118, Lang::English, {{1013, "20"}}, "control 1013: \"20\" names no time-out"},
        RefusalCase{"TimeoutTooLong", k128, Lang::English, {{1013, "615"}}, "control 1013"},
        RefusalCase{"PttIdTooLong", k128, Lang::English, {{1080, "12345"}}, "control 1080: \"12345\" is longer than"},
        RefusalCase{"PttIdLetter", k128, Lang::English, {{1080, "12a"}}, "control 1080: \"12a\" holds \"a\""},
        RefusalCase{"AniPunctuation", k128, Lang::English, {{1081, "A-1"}}, "control 1081"},
        RefusalCase{"GroupIdLetter", FamilyId::Velmar_V, Lang::English, {{1080, "1A"}}, "control 1080"},
        RefusalCase{"CodeTooLong", FamilyId::Velmar_V, Lang::English, {{1100, "123456789"}}, "control 1100"},
        RefusalCase{"OneBadAmongGood", k128, Lang::English, {{1016, "9"}, {1074, "2"}}, "control 1074"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Every control takes back what it shows
// ---------------------------------------------------------------------------

class ShownTexts : public ::testing::TestWithParam<FamilyId> {};
TEST_P(ShownTexts, GivenBackAreWhatOkWithoutChangesStores) {
    const SettingsDialogModel& dialog = Dialog(GetParam());
    for (unsigned seed = 1; seed <= 200; ++seed) {
        const Image start = Pattern(static_cast<std::size_t>(GetFamily(GetParam()).imageSize), seed);
        for (Lang lang : {Lang::English, Lang::Chinese}) {
            Image okOnly = start;
            ASSERT_FALSE(dialog.set(okOnly, lang, {}));
            ControlTexts shown = dialog.show(start, lang);
            for (const ControlInfo& c : dialog.controls)
                if (c.hidden) shown.erase(c.id);
            Image given = start;
            const auto refused = dialog.set(given, lang, shown);
            ASSERT_FALSE(refused) << "seed " << seed << ": " << *refused;
            ASSERT_EQ(given, okOnly) << "seed " << seed;
            // Opening again shows what was stored.
            EXPECT_EQ(dialog.show(okOnly, lang), dialog.show(given, lang));
        }
    }
}
INSTANTIATE_TEST_SUITE_P(Families, ShownTexts,
                         ::testing::Values(FamilyId::Velmar_V, FamilyId::VM_CH128, FamilyId::VM_CH118),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

TEST(SettingsDialogs, VelmarVModelStoresWhatItsDialogsValuesStore) {
    const SettingsDialogModel& dialog = Dialog(FamilyId::Velmar_V);
    for (unsigned seed = 1; seed <= 200; ++seed) {
        Image viaModel = Pattern(4096, seed);
        Image viaValues = viaModel;
        ASSERT_FALSE(dialog.set(viaModel, Lang::English, {}));
        EncodeOptionalFeatures(DecodeOptionalFeatures(viaValues), viaValues);
        ASSERT_EQ(viaModel, viaValues) << "seed " << seed;
    }
}

}  // namespace
}  // namespace vel

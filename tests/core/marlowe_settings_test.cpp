// Marlowe's Key Assignment and Optional Features: the bytes each dialog opens
// from and writes, known values both ways, and the dialogs seen through their
// controls' texts (show and set).

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "apps/marlowe/marlowe_settings.h"
#include "image/family.h"
#include "settings/settings_dialog_model.h"

namespace vel {
namespace {

Image NewMarlowe() { return NewDocumentImage(MarloweFamily()); }

/// Every byte other than those in `owned` is the same in both images.
void ExpectOnlyChanged(const Image& before, const Image& after, std::initializer_list<int> owned) {
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t a = 0; a < before.size(); ++a) {
        bool mine = false;
        for (int o : owned) mine = mine || static_cast<int>(a) == o;
        if (!mine) {
            ASSERT_EQ(before[a], after[a]) << "byte 0x" << std::hex << a;
        }
    }
}

// ---------------------------------------------------------------------------
// Key Assignment
// ---------------------------------------------------------------------------

struct KeysCase {
    const char* name;
    Byte b2, b3;             // 0x3C5, 0x3C6
    KeyAssignment keys;      // what the lists select
};

void PrintTo(const KeysCase& c, std::ostream* os) { *os << c.name; }

class KeyAssignmentBytes : public ::testing::TestWithParam<KeysCase> {};

TEST_P(KeyAssignmentBytes, Decode) {
    Image img = NewMarlowe();
    img[0x3C5] = GetParam().b2;
    img[0x3C6] = GetParam().b3;
    const KeyAssignment k = DecodeKeyAssignment(img);
    EXPECT_EQ(k.button2Short, GetParam().keys.button2Short);
    EXPECT_EQ(k.button2Long, GetParam().keys.button2Long);
    EXPECT_EQ(k.button3Short, GetParam().keys.button3Short);
    EXPECT_EQ(k.button3Long, GetParam().keys.button3Long);
}

TEST_P(KeyAssignmentBytes, EncodeWritesOnlyItsTwoBytes) {
    Image img(1024, 0xA5);
    const Image before = img;
    EncodeKeyAssignment(GetParam().keys, img);
    EXPECT_EQ(img[0x3C5], GetParam().b2);
    EXPECT_EQ(img[0x3C6], GetParam().b3);
    ExpectOnlyChanged(before, img, {0x3C5, 0x3C6});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyAssignmentBytes,
    ::testing::Values(KeysCase{"new_document", 0x12, 0x78, {1, 2, 7, 8}},
                      KeysCase{"talk_around_and_no_function", 0x50, 0x78, {5, 0, 7, 8}},
                      KeysCase{"all_no_function", 0x00, 0x00, {0, 0, 0, 0}},
                      KeysCase{"highest_function", 0x88, 0x36, {8, 8, 3, 6}}));

struct KeysEncodeCase {
    const char* name;
    KeyAssignment keys;
    Byte b2, b3;
};

void PrintTo(const KeysEncodeCase& c, std::ostream* os) { *os << c.name; }

class KeyAssignmentNoSelection : public ::testing::TestWithParam<KeysEncodeCase> {};

// A list without a selection counts as -1, modulo 256.
TEST_P(KeyAssignmentNoSelection, CountsAsMinusOne) {
    Image img = NewMarlowe();
    EncodeKeyAssignment(GetParam().keys, img);
    EXPECT_EQ(img[0x3C5], GetParam().b2);
    EXPECT_EQ(img[0x3C6], GetParam().b3);
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyAssignmentNoSelection,
                         ::testing::Values(KeysEncodeCase{"short_none", {-1, 2, 0, 0}, 0xF2, 0x00},
                                           KeysEncodeCase{"long_none", {1, -1, 8, -1}, 0x0F, 0x7F},
                                           KeysEncodeCase{"both_none", {-1, -1, -1, 0}, 0xEF, 0xF0}));

// A nibble above 8 names no function.
TEST(KeyAssignment, NibblesAboveEightOpenWithoutSelection) {
    Image img = NewMarlowe();
    img[0x3C5] = 0x9F;
    img[0x3C6] = 0x8A;
    const KeyAssignment k = DecodeKeyAssignment(img);
    EXPECT_EQ(k.button2Short, -1);
    EXPECT_EQ(k.button2Long, -1);
    EXPECT_EQ(k.button3Short, 8);
    EXPECT_EQ(k.button3Long, -1);
}

// ---------------------------------------------------------------------------
// Optional Features
// ---------------------------------------------------------------------------

struct OptionsDecodeCase {
    const char* name;
    std::map<int, Byte> bytes;   // on top of a new document
    MarloweOptionalFeatures shown;
};

void PrintTo(const OptionsDecodeCase& c, std::ostream* os) { *os << c.name; }

class OptionsDecode : public ::testing::TestWithParam<OptionsDecodeCase> {};

TEST_P(OptionsDecode, OpensAsTheRulesSay) {
    Image img = NewMarlowe();
    for (const auto& [addr, value] : GetParam().bytes) img[static_cast<std::size_t>(addr)] = value;
    const MarloweOptionalFeatures got = DecodeMarloweOptionalFeatures(img);
    const MarloweOptionalFeatures& want = GetParam().shown;
    EXPECT_EQ(got.timeoutIndex, want.timeoutIndex);
    EXPECT_EQ(got.squelchIndex, want.squelchIndex);
    EXPECT_EQ(got.voiceIndex, want.voiceIndex);
    EXPECT_EQ(got.voxGainIndex, want.voxGainIndex);
    EXPECT_EQ(got.powerRankIndex, want.powerRankIndex);
    EXPECT_EQ(got.beepIndex, want.beepIndex);
    EXPECT_EQ(got.scramblerIndex, want.scramblerIndex);
    EXPECT_EQ(got.batterySaveIndex, want.batterySaveIndex);
    EXPECT_EQ(got.bandWidthIndex, -1);
}

// Fields: timeout, squelch, voice, vox, power rank, beep, scrambler, battery save.
INSTANTIATE_TEST_SUITE_P(
    Cases, OptionsDecode,
    ::testing::Values(
        // Off, 5, English, Off, 9 (0xFF / 3 = 85), Enable, Off, Enable.
        OptionsDecodeCase{"new_document", {}, {0, 5, 1, 0, 9, 1, 1, 0}},
        OptionsDecodeCase{"flags_clear", {{0x3C0, 0x00}}, {0, 5, 0, 0, 9, 0, 0, 1}},
        OptionsDecodeCase{"chinese_voice", {{0x3C0, 0x18}}, {0, 5, 2, 0, 9, 0, 0, 1}},
        OptionsDecodeCase{"bit4_alone_no_voice", {{0x3C0, 0x10}}, {0, 5, -1, 0, 9, 0, 0, 1}},
        OptionsDecodeCase{"untouched_bits_ignored", {{0x3C0, 0xC4}}, {0, 5, 0, 0, 9, 0, 0, 1}},
        OptionsDecodeCase{"in_range_values", {{0x3C1, 9}, {0x3C3, 10}, {0x3C4, 24}, {0x3C7, 9}},
                          {10, 9, 1, 9, 8, 1, 1, 0}},
        OptionsDecodeCase{"rank_rounds_down", {{0x3C4, 26}}, {0, 5, 1, 0, 8, 1, 1, 0}},
        OptionsDecodeCase{"rank_27_is_9", {{0x3C4, 27}}, {0, 5, 1, 0, 9, 1, 1, 0}},
        OptionsDecodeCase{"rank_0", {{0x3C4, 0}}, {0, 5, 1, 0, 0, 1, 1, 0}},
        OptionsDecodeCase{"out_of_range_first_item", {{0x3C1, 10}, {0x3C3, 11}}, {0, 0, 1, 0, 9, 1, 1, 0}},
        OptionsDecodeCase{"vox_above_9_no_selection", {{0x3C7, 10}}, {0, 5, 1, -1, 9, 1, 1, 0}}));

struct OptionsEncodeCase {
    const char* name;
    MarloweOptionalFeatures chosen;
    Byte flagsBefore;                 // 0x3C0 before OK
    std::map<int, Byte> expected;     // 0x3C0, 0x3C1, 0x3C3, 0x3C4, 0x3C7 after OK
};

void PrintTo(const OptionsEncodeCase& c, std::ostream* os) { *os << c.name; }

class OptionsEncode : public ::testing::TestWithParam<OptionsEncodeCase> {};

TEST_P(OptionsEncode, WritesItsBytesAndNoOthers) {
    Image img(1024, 0x5A);
    img[0x3C0] = GetParam().flagsBefore;
    const Image before = img;
    EncodeMarloweOptionalFeatures(GetParam().chosen, img);
    for (const auto& [addr, value] : GetParam().expected)
        EXPECT_EQ(img[static_cast<std::size_t>(addr)], value) << "byte 0x" << std::hex << addr;
    ExpectOnlyChanged(before, img, {0x3C0, 0x3C1, 0x3C3, 0x3C4, 0x3C7});
}

// Fields: timeout, squelch, voice, vox, power rank, beep, scrambler, battery save.
INSTANTIATE_TEST_SUITE_P(
    Cases, OptionsEncode,
    ::testing::Values(
        // The new document's selections over its own 0x2F.
        OptionsEncodeCase{"new_document", {0, 5, 1, 0, 9, 1, 1, 0}, 0x2F,
                          {{0x3C0, 0x2F}, {0x3C1, 5}, {0x3C3, 0}, {0x3C4, 27}, {0x3C7, 0}}},
        // Bits 2, 6 and 7 stay set whatever the lists say.
        OptionsEncodeCase{"everything_off", {0, 0, 0, 0, 0, 0, 0, 1}, 0xFF,
                          {{0x3C0, 0xC4}, {0x3C1, 0}, {0x3C4, 0}}},
        OptionsEncodeCase{"everything_on", {10, 9, 2, 9, 8, 1, 0, 0}, 0x00,
                          {{0x3C0, 0x1B}, {0x3C1, 9}, {0x3C3, 10}, {0x3C4, 24}, {0x3C7, 9}}},
        OptionsEncodeCase{"english_clears_bit4", {4, 3, 1, 2, 3, 0, 1, 1}, 0x18,
                          {{0x3C0, 0x28}, {0x3C1, 3}, {0x3C3, 4}, {0x3C4, 9}, {0x3C7, 2}}},
        // No selection: -1 into the byte lists (0xFD for the rank); the voice
        // bits and the two-item lists' bits stay.
        OptionsEncodeCase{"no_selection", {-1, -1, -1, -1, -1, -1, -1, -1}, 0x3B,
                          {{0x3C0, 0x3B}, {0x3C1, 0xFF}, {0x3C3, 0xFF}, {0x3C4, 0xFD}, {0x3C7, 0xFF}}}));

TEST(MarloweOptionalFeatures, OkOnANewDocumentOnlyTurnsThePowerRankInto27) {
    const Image before = NewMarlowe();
    ASSERT_EQ(before[0x3C4], 0xFF);
    Image img = before;
    EncodeMarloweOptionalFeatures(DecodeMarloweOptionalFeatures(img), img);
    EXPECT_EQ(img[0x3C4], 27);
    ExpectOnlyChanged(before, img, {0x3C4});
}

// ---------------------------------------------------------------------------
// The dialogs through their controls' texts
// ---------------------------------------------------------------------------

const SettingsDialogModel& Model(const std::string& key) {
    for (const SettingsDialogModel& m : SettingsDialogsOf(FamilyId::Marlowe))
        if (m.key == key) return m;
    throw std::runtime_error("no dialog " + key);
}

TEST(MarloweSettingsModels, OptionalFeaturesFirstThenKeyAssignment) {
    const auto& dialogs = SettingsDialogsOf(FamilyId::Marlowe);
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0].key, "optional-features");
    EXPECT_EQ(dialogs[1].key, "key-assignment");
    for (const ControlInfo& c : dialogs[0].controls) {
        EXPECT_EQ(c.kind, ControlKind::List);
        EXPECT_EQ(c.hidden, c.id == 1073) << c.id;
    }
}

TEST(MarloweSettingsModels, NewDocumentShowsItsDefaults) {
    const Image img = NewMarlowe();
    EXPECT_EQ(Model("optional-features").show(img, Lang::English),
              (ControlTexts{{1013, "Off"},
                            {1014, "Enable"},
                            {1016, "5"},
                            {1018, "9"},
                            {1073, ""},
                            {1075, "English"},
                            {1076, "Off"},
                            {1077, "Off"},
                            {1078, "Enable"}}));
    EXPECT_EQ(Model("key-assignment").show(img, Lang::English),
              (ControlTexts{{1073, "Monitor"}, {1074, "Vox ON/OFF"}, {1075, "Scan ON/OFF"}, {1076, "Scrambler ON/OFF"}}));
}

TEST(MarloweSettingsModels, ListsWithoutSelectionShowEmpty) {
    Image img = NewMarlowe();
    img[0x3C0] = 0x10;
    img[0x3C7] = 12;
    img[0x3C5] = 0xF9;
    const ControlTexts options = Model("optional-features").show(img, Lang::English);
    EXPECT_EQ(options.at(1075), "");
    EXPECT_EQ(options.at(1076), "");
    const ControlTexts keys = Model("key-assignment").show(img, Lang::English);
    EXPECT_EQ(keys.at(1073), "");
    EXPECT_EQ(keys.at(1075), "");
}

struct SetCase {
    const char* name;
    const char* dialog;
    ControlTexts texts;
    std::map<int, Byte> expected;   // bytes after set, on a new document
};

void PrintTo(const SetCase& c, std::ostream* os) { *os << c.name; }

class MarloweSettingsSet : public ::testing::TestWithParam<SetCase> {};

TEST_P(MarloweSettingsSet, DoesWhatOkDoes) {
    Image img = NewMarlowe();
    const Image before = img;
    const auto error = Model(GetParam().dialog).set(img, Lang::English, GetParam().texts);
    ASSERT_FALSE(error) << *error;
    for (const auto& [addr, value] : GetParam().expected)
        EXPECT_EQ(img[static_cast<std::size_t>(addr)], value) << "byte 0x" << std::hex << addr;
    for (std::size_t a = 0; a < img.size(); ++a)
        if (!GetParam().expected.count(static_cast<int>(a))) {
            ASSERT_EQ(img[a], before[a]) << "byte 0x" << std::hex << a;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarloweSettingsSet,
    ::testing::Values(
        SetCase{"nothing_given_is_ok_unchanged", "optional-features", {}, {{0x3C4, 27}}},
        SetCase{"keys_nothing_given", "key-assignment", {}, {}},
        SetCase{"talk_around_no_function", "key-assignment", {{1073, "Talk Around"}, {1075, "NO Function"}},
                {{0x3C5, 0x50}}},
        SetCase{"button3", "key-assignment", {{1074, "Scan Temperary Delete"}, {1076, "Reverse Frequency"}},
                {{0x3C6, 0x36}}},
        SetCase{"key_none", "key-assignment", {{1076, ""}}, {{0x3C6, 0x6F}}},
        SetCase{"timeout_squelch_rank", "optional-features", {{1013, "120s"}, {1016, "0"}, {1018, "3"}},
                {{0x3C3, 4}, {0x3C1, 0}, {0x3C4, 9}}},
        SetCase{"flags", "optional-features",
                {{1014, "Disable"}, {1077, "On"}, {1078, "Disable"}, {1075, "Chinese"}, {1076, "7"}},
                {{0x3C0, 0x1C}, {0x3C4, 27}, {0x3C7, 7}}},
        SetCase{"voice_off", "optional-features", {{1075, "Off"}}, {{0x3C0, 0x27}, {0x3C4, 27}}},
        SetCase{"vox_none", "optional-features", {{1076, ""}}, {{0x3C7, 0xFF}, {0x3C4, 27}}}));

struct RefusedCase {
    const char* name;
    const char* dialog;
    ControlTexts texts;
    const char* named;   // the error names this
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class MarloweSettingsRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(MarloweSettingsRefused, NamesTheControlAndChangesNothing) {
    Image img = NewMarlowe();
    const Image before = img;
    const auto error = Model(GetParam().dialog).set(img, Lang::English, GetParam().texts);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find(GetParam().named), std::string::npos) << *error;
    EXPECT_EQ(img, before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarloweSettingsRefused,
    ::testing::Values(
        RefusedCase{"unknown_id", "optional-features", {{1016, "3"}, {1099, "1"}}, "1099"},
        RefusedCase{"hidden_band_width", "optional-features", {{1073, "WIDE"}}, "1073"},
        RefusedCase{"not_an_item", "optional-features", {{1016, "3"}, {1013, "45s"}}, "1013"},
        RefusedCase{"case_matters", "optional-features", {{1014, "enable"}}, "1014"},
        RefusedCase{"empty_where_always_selected", "optional-features", {{1018, ""}}, "1018"},
        RefusedCase{"vox_ten", "optional-features", {{1076, "10"}}, "1076"},
        RefusedCase{"key_report_text", "key-assignment", {{1073, "No Function"}}, "1073"},
        RefusedCase{"key_unknown_id", "key-assignment", {{1013, "Monitor"}}, "1013"}));

TEST(MarloweSettingsModels, ShowThenSetIsOkWithoutChanges) {
    // Giving every shown (visible) text back does exactly what OK does.
    for (Byte flags : {Byte{0x00}, Byte{0x2F}, Byte{0xD3}}) {
        Image img = NewMarlowe();
        img[0x3C0] = flags;
        img[0x3C4] = 12;
        for (const SettingsDialogModel& model : SettingsDialogsOf(FamilyId::Marlowe)) {
            ControlTexts texts = model.show(img, Lang::English);
            for (const ControlInfo& c : model.controls)
                if (c.hidden) texts.erase(c.id);
            Image viaSet = img;
            ASSERT_FALSE(model.set(viaSet, Lang::English, texts));
            EXPECT_EQ(viaSet, img) << model.key << " flags " << int(flags);
        }
    }
}

}  // namespace
}  // namespace vel

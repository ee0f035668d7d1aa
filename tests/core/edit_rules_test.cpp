#include "table/edit_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vel {
namespace {

// ---------------------------------------------------------------------------
// Combo loading: first entry that begins with the cell text, else entry 0.
// ---------------------------------------------------------------------------

struct ComboCase {
    std::vector<std::string> entries;
    std::string text;
    int expected;
};

class ComboIndexTest : public ::testing::TestWithParam<ComboCase> {};

TEST_P(ComboIndexTest, SelectsFirstEntryBeginningWithText) {
    const auto& c = GetParam();
    EXPECT_EQ(ComboIndexForText(c.entries, c.text), c.expected) << "text '" << c.text << "'";
}

const std::vector<std::string> kTones = {"OFF", "67.0", "69.3", "D023N", "D025N", "D023I"};
const std::vector<std::string> kBusy = {"Close", "Carrier", "QT/DQT"};
const std::vector<std::string> kBusyCh = {"关闭", "载波", "QT/DQT"};

INSTANTIATE_TEST_SUITE_P(
    Entries, ComboIndexTest,
    ::testing::Values(ComboCase{kTones, "67.0", 1}, ComboCase{kTones, "D023I", 5},
                      ComboCase{kTones, "D02", 3},           // prefix: the first of D023N, D025N
                      ComboCase{kTones, "", 0},              // empty cell: entry 0
                      ComboCase{kTones, "254.1", 0},         // no entry begins with it
                      ComboCase{kTones, "67.00", 0},         // longer than any entry
                      ComboCase{kBusy, "C", 0}, ComboCase{kBusy, "Carrier", 1},
                      ComboCase{kBusy, "QT/DQT", 2}, ComboCase{kBusyCh, "载波", 1},
                      ComboCase{kBusyCh, "Carrier", 0},       // the other language's text
                      ComboCase{{}, "x", -1}));

// ---------------------------------------------------------------------------
// Which keys begin editing, and how an editor starts.
// ---------------------------------------------------------------------------

struct KeyCase {
    EditKey key;
    bool begins;
};

class KeyBeginsTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyBeginsTest, ControlCharactersDoNotBeginEditing) {
    EXPECT_EQ(KeyBeginsEditing(GetParam().key), GetParam().begins) << int(GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyBeginsTest,
                         ::testing::Values(KeyCase{0, true}, KeyCase{13, true}, KeyCase{U'5', true},
                                           KeyCase{U'a', true}, KeyCase{U' ', true}, KeyCase{U'频', true},
                                           KeyCase{8, false}, KeyCase{27, false}, KeyCase{3, false},
                                           KeyCase{22, false}, KeyCase{127, false}));

struct StartCase {
    const char* label;
    EditorKind kind;
    std::string cell;
    EditKey key;
    bool message;
    bool replace;
    std::string text;
    bool selectAll;
};

class StartEditorTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartEditorTest, Starts) {
    const auto& c = GetParam();
    const EditorStart s = StartEditor(c.kind, c.cell, c.key);
    EXPECT_EQ(s.numberMessage, c.message) << c.label;
    EXPECT_EQ(s.replaceText, c.replace) << c.label;
    EXPECT_EQ(s.text, c.text) << c.label;
    EXPECT_EQ(s.selectAll, c.selectAll) << c.label;
    // Only a frequency refuses a key: there a prompt means the editor stays shut.
    EXPECT_EQ(s.refused, c.kind == EditorKind::FrequencyEdit && c.message) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Editors, StartEditorTest,
    ::testing::Values(
        StartCase{"click on a frequency keeps the text selected", EditorKind::FrequencyEdit, "145.52500", 0,
                  false, true, "145.52500", true},
        StartCase{"enter on a frequency keeps the text selected", EditorKind::FrequencyEdit, "145.52500", 13,
                  false, true, "145.52500", true},
        StartCase{"digit on an empty frequency", EditorKind::FrequencyEdit, "", U'4', false, true, "4", false},
        StartCase{"digit replaces a frequency", EditorKind::FrequencyEdit, "145.52500", U'4', false, true, "4",
                  false},
        StartCase{"letter on a frequency: message, refused", EditorKind::FrequencyEdit, "", U'x', true,
                  false, "", true},
        StartCase{"letter on a filled frequency never replaces it", EditorKind::FrequencyEdit, "145.52500", U'k',
                  true, false, "", true},
        StartCase{"point is not a digit", EditorKind::FrequencyEdit, "", U'.', true, false, "", true},
        StartCase{"Chinese character on a frequency", EditorKind::FrequencyEdit, "", U'频', true, false, "",
                  true},
        StartCase{"letter on a name: message, upper-cased", EditorKind::NameEdit, "AB", U'q', true, true, "Q",
                  false},
        StartCase{"digit on a name replaces it", EditorKind::NameEdit, "ABCDEFGH", U'7', false, true, "7",
                  false},
        StartCase{"click keeps a long name whole", EditorKind::NameEdit, "ABCDEFGH", 0, false, true,
                  "ABCDEFGH", true},
        StartCase{"punctuation cannot stand in a name", EditorKind::NameEdit, "AB", U'!', true, true, "", false},
        StartCase{"minus stands in a name", EditorKind::NameEdit, "", U'-', true, true, "-", false},
        StartCase{"digit in the tone box's field", EditorKind::ToneBox, "OFF", U'6', false, true, "6", false},
        StartCase{"letter in the tone box's field", EditorKind::ToneBox, "OFF", U'D', true, true, "D", false},
        StartCase{"click on a tone keeps the selection", EditorKind::ToneBox, "67.0", 0, false, false, "", true},
        StartCase{"enter on a tone keeps the selection", EditorKind::ToneBox, "67.0", 13, false, false, "", true},
        StartCase{"digit on a list shows nothing", EditorKind::List, "Wide", U'1', false, false, "", true},
        StartCase{"letter on a list: message only", EditorKind::List, "Wide", U'w', true, false, "", true}));

// ---------------------------------------------------------------------------
// Placement: twips to pixels, 3 pixels up and left, combo lists 100 deeper.
// ---------------------------------------------------------------------------

struct PlaceCase {
    long left, top, width, height;
    int dpiX, dpiY;
    bool combo;
    EditorRect expected;
};

class PlaceEditorTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceEditorTest, Places) {
    const auto& c = GetParam();
    const EditorRect r = PlaceEditor(c.left, c.top, c.width, c.height, c.dpiX, c.dpiY, c.combo);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.width, c.expected.width);
    EXPECT_EQ(r.height, c.expected.height);
    EXPECT_EQ(r.dropHeight, c.expected.dropHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, PlaceEditorTest,
    ::testing::Values(PlaceCase{1440, 720, 1152, 300, 96, 96, false, {93, 45, 76, 20, 0}},
                      PlaceCase{1440, 720, 1152, 300, 96, 96, true, {93, 45, 76, 20, 100}},
                      // integer division: 1000 × 96 / 1440 = 66.67 gives 66
                      PlaceCase{1000, 1000, 1000, 1000, 96, 96, false, {63, 63, 66, 66, 0}},
                      PlaceCase{1440, 1440, 1440, 1440, 144, 120, false, {141, 117, 144, 120, 0}},
                      PlaceCase{0, 0, 960, 240, 96, 96, true, {-3, -3, 64, 16, 100}}));

// ---------------------------------------------------------------------------
// Enter routing.
// ---------------------------------------------------------------------------

struct EnterCase {
    const char* label;
    EnterFocus focus;
    bool toneVisible;
    int row, col;
    EnterCommit commit;
    bool hideTone;
    EnterMove move;
    EnterPassOn pass;
};

class RouteEnterTest : public ::testing::TestWithParam<EnterCase> {};

TEST_P(RouteEnterTest, Routes) {
    const auto& c = GetParam();
    const EnterRoute r = RouteEnter(c.focus, c.toneVisible, c.row, c.col, 128);
    EXPECT_EQ(r.commit, c.commit) << c.label;
    EXPECT_EQ(r.hideToneBox, c.hideTone) << c.label;
    EXPECT_EQ(r.move, c.move) << c.label;
    EXPECT_EQ(r.passOn, c.pass) << c.label;
}

using EC = EnterCommit;
using EM = EnterMove;
using EP = EnterPassOn;
using EF = EnterFocus;

INSTANTIATE_TEST_SUITE_P(
    Controls, RouteEnterTest,
    ::testing::Values(
        EnterCase{"list moves right", EF::List, false, 5, 10, EC::List, false, EM::NextColumn, EP::None},
        EnterCase{"list on row 127 still moves", EF::List, false, 127, 5, EC::List, false, EM::NextColumn,
                  EP::None},
        EnterCase{"list on the last row tabs", EF::List, false, 128, 5, EC::List, false, EM::None, EP::Tab},
        EnterCase{"name goes to the next row", EF::NameEdit, false, 5, 11, EC::Name, false,
                  EM::NextRowFirstColumn, EP::None},
        EnterCase{"name on the last row tabs", EF::NameEdit, false, 128, 11, EC::Name, false, EM::None,
                  EP::Tab},
        EnterCase{"frequency moves right", EF::FrequencyEdit, false, 5, 1, EC::Frequency, false,
                  EM::NextColumn, EP::None},
        EnterCase{"frequency on the last row moves too", EF::FrequencyEdit, false, 128, 2, EC::Frequency,
                  false, EM::NextColumn, EP::None},
        EnterCase{"tone box window: hidden without commit", EF::ToneBox, true, 5, 3, EC::None, true,
                  EM::NextColumn, EP::None},
        EnterCase{"grid: right arrow", EF::Grid, false, 5, 5, EC::None, false, EM::None, EP::Right},
        EnterCase{"grid in column 6: tab", EF::Grid, false, 5, 6, EC::None, false, EM::None, EP::Tab},
        EnterCase{"grid in column 12: right arrow", EF::Grid, false, 5, 12, EC::None, false, EM::None,
                  EP::Right},
        EnterCase{"tone field: exact text or OFF", EF::Other, true, 128, 4, EC::ToneExactOrOff, true,
                  EM::NextColumn, EP::None},
        EnterCase{"other control: tab", EF::Other, false, 5, 3, EC::None, false, EM::None, EP::Tab}));

// ---------------------------------------------------------------------------
// Name editor keys and characters.
// ---------------------------------------------------------------------------

struct VkCase {
    int vk;
    bool allowed;
};

class NameKeyTest : public ::testing::TestWithParam<VkCase> {};

TEST_P(NameKeyTest, Filters) { EXPECT_EQ(NameEditKeyAllowed(GetParam().vk), GetParam().allowed) << GetParam().vk; }

INSTANTIATE_TEST_SUITE_P(
    Keys, NameKeyTest,
    ::testing::Values(VkCase{vk::Back, true}, VkCase{vk::Tab, true}, VkCase{vk::Return, true},
                      VkCase{vk::Shift, true}, VkCase{vk::Escape, true}, VkCase{vk::Space, true},
                      VkCase{0x21, false},               // page up: first code above 0x20
                      VkCase{0x25, false},               // left arrow
                      VkCase{vk::Delete, false}, VkCase{0x2F, false}, VkCase{0x30, true}, VkCase{0x39, true},
                      VkCase{0x3A, false}, VkCase{0x40, false}, VkCase{0x41, true}, VkCase{0x5A, true},
                      VkCase{0x5B, false}, VkCase{0x5F, false}, VkCase{0x60, true}, VkCase{0x69, true},
                      VkCase{0x6A, false}, VkCase{vk::Subtract, false}, VkCase{0x70, false},  // F1
                      VkCase{0xBC, false}, VkCase{vk::OemMinus, true}, VkCase{vk::OemPeriod, false},
                      VkCase{vk::Unknown, false}));

TEST(NameEditText, UpperCasesAndDropsWhatANameCannotHold) {
    EXPECT_EQ(NameEditText("ab-1 2"), "AB-1 2");
    EXPECT_EQ(NameEditText("A!B_C.D"), "ABCD");
    EXPECT_EQ(NameEditText("名A"), "A");
    EXPECT_EQ(NameEditText(""), "");
}

// ---------------------------------------------------------------------------
// Editors by column kind.
// ---------------------------------------------------------------------------

TEST(EditorOf, FollowsTheColumnKinds) {
    Family f{};
    for (ColumnKind k : {ColumnKind::Number, ColumnKind::RxFrequency, ColumnKind::TxFrequency, ColumnKind::RxTone,
                         ColumnKind::TxTone, ColumnKind::List, ColumnKind::Name, ColumnKind::More,
                         ColumnKind::Blank}) {
        Column c;
        c.kind = k;
        f.columns.push_back(c);
    }
    const std::vector<EditorKind> expected = {EditorKind::None,     EditorKind::FrequencyEdit,
                                              EditorKind::FrequencyEdit, EditorKind::ToneBox,
                                              EditorKind::ToneBox,  EditorKind::List,
                                              EditorKind::NameEdit, EditorKind::None,
                                              EditorKind::None};
    for (int col = 0; col < f.columnCount(); ++col) EXPECT_EQ(EditorOf(f, col), expected[col]) << col;
    EXPECT_EQ(EditorOf(f, -1), EditorKind::None);
    EXPECT_EQ(EditorOf(f, f.columnCount()), EditorKind::None);
}

}  // namespace
}  // namespace vel

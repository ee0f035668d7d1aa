// Cell commit rules: frequency validation with each family's range, steps and
// messages, new-channel defaults, clearing and deletion, and the list, tone,
// name and "More" cells.

#include <gtest/gtest.h>

#include "family_cases.h"
#include "table/channel_table.h"

namespace vel {
namespace {

using namespace testing_support;
using F = FamilyId;
const Lang EN = Lang::English;
const Lang CH = Lang::Chinese;

using CellList = std::vector<std::pair<std::pair<int, int>, std::string>>;

struct FrequencyCase {
    const char* label;
    FamilyId id;
    Lang lang;
    CommitKey key;
    CellList before;   // cells of the table before the commit
    int row;
    int col;
    std::string typed;
    std::string message;  // empty: none
    CellList after;       // cells checked after the commit
};

class Frequency : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(Frequency, Commit) {
    const FrequencyCase c = GetParam();
    const Family& f = GetFamily(c.id);
    ChannelTable t = NewChannelTable(f, c.lang);
    for (const auto& [rc, text] : c.before) t.at(rc.first, rc.second) = text;
    const ChannelTable untouched = t;
    const FrequencyCommit r = CommitFrequency(f, c.lang, t, c.row, c.col, c.typed, c.key);
    EXPECT_EQ(r.message.value_or(""), c.message);
    EXPECT_EQ(r.accepted, c.message.empty());
    EXPECT_EQ(r.text, t.at(c.row, c.col));
    for (const auto& [rc, text] : c.after) {
        EXPECT_EQ(t.at(rc.first, rc.second), text) << "row " << rc.first << " col " << rc.second;
    }
    // Other rows never change.
    for (int row = 0; row < t.rows(); ++row) {
        if (row != c.row) {
            EXPECT_EQ(t.cells[static_cast<std::size_t>(row)], untouched.cells[static_cast<std::size_t>(row)]);
        }
    }
}

const CommitKey LEAVE = CommitKey::LeaveCell;
const CommitKey ENTER = CommitKey::Enter;

const std::string kRangeEn = "Error Data Format，Please input again";
const std::string kRangeCh = "输入数据错误，请按正确的格式及大小重新输入";
const std::string kStep3 = "Error data Value，Please input according the step value(6.25K/5k/2.5k)";
const std::string kStep2 = "Error data Value，Please input according the step value(6.25K/5k)";
const std::string kStepChLeave = "输入数据错误，请按6.25K/5k/2.5k的倍数重新输入";
const std::string kStepChEnter = "输入数据错误，请按6.25K/5k/2.5K的倍数重新输入";
const std::string kStepCn16 = "输入数据错误，请按6.25K或 5k的倍数重新输入";

CellList Row(int row, std::vector<std::string> texts, int firstCol = 1) {
    CellList cells;
    for (std::size_t i = 0; i < texts.size(); ++i) cells.push_back({{row, firstCol + static_cast<int>(i)}, texts[i]});
    return cells;
}

CellList operator+(CellList a, const CellList& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A Velmar_V channel in use with both tones.
const CellList kVelmarChannel =
    Row(4, {"145.00000", "146.00000", "67.0", "D023N", "Wide", "Yes", "High", "DTMF", "ON", "Close", "CH4", ">>"});

INSTANTIATE_TEST_SUITE_P(
    VelmarV, Frequency,
    ::testing::Values(
        FrequencyCase{"newChannel", F::Velmar_V, EN, LEAVE, {}, 1, 1, "145.525", "",
                      Row(1, {"145.52500", "145.52500", "OFF", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close", "", ">>"})},
        FrequencyCase{"newChannelChinese", F::Velmar_V, CH, LEAVE, {}, 1, 1, "145.525", "",
                      Row(1, {"145.52500", "145.52500", "OFF", "OFF", "宽", "是", "高", "DTMF", "开", "关闭", "", ">>"})},
        FrequencyCase{"newChannelFromTransmit", F::Velmar_V, EN, LEAVE, {}, 2, 2, "430", "",
                      Row(2, {"", "430.00000", "OFF", "OFF", "Wide"})},
        FrequencyCase{"newChannelDropsTypedName", F::Velmar_V, EN, LEAVE, Row(3, {"AB"}, 11), 3, 1, "145", "",
                      Row(3, {"145.00000", "145.00000"}) + Row(3, {""}, 11)},
        FrequencyCase{"offStep", F::Velmar_V, EN, LEAVE, {}, 1, 1, "145.5237", kStep3, Row(1, {"", "", "", "", ""})},
        FrequencyCase{"below", F::Velmar_V, EN, LEAVE, {}, 1, 1, "66.99", kRangeEn, Row(1, {""})},
        FrequencyCase{"above", F::Velmar_V, EN, LEAVE, {}, 1, 1, "521.00001", kRangeEn, Row(1, {""})},
        FrequencyCase{"top", F::Velmar_V, EN, LEAVE, {}, 1, 1, "521", "", Row(1, {"521.00000", "521.00000"})},
        FrequencyCase{"bottom", F::Velmar_V, EN, LEAVE, {}, 1, 1, "67", "", Row(1, {"67.00000", "67.00000"})},
        FrequencyCase{"step2_5k", F::Velmar_V, EN, LEAVE, {}, 1, 1, "146.0025", "", Row(1, {"146.00250"})},
        FrequencyCase{"step1_25k", F::Velmar_V, EN, LEAVE, {}, 1, 1, "146.00125", kStep3, Row(1, {""})},
        FrequencyCase{"notANumber", F::Velmar_V, EN, LEAVE, {}, 1, 1, "A", kRangeEn, Row(1, {""})},
        FrequencyCase{"rangeChinese", F::Velmar_V, CH, LEAVE, {}, 1, 1, "600", kRangeCh, Row(1, {""})},
        FrequencyCase{"stepChineseLeave", F::Velmar_V, CH, LEAVE, {}, 1, 1, "145.001", kStepChLeave, Row(1, {""})},
        FrequencyCase{"stepChineseEnter", F::Velmar_V, CH, ENTER, {}, 1, 1, "145.001", kStepChEnter, Row(1, {""})},
        FrequencyCase{"stepEnglishEnter", F::Velmar_V, EN, ENTER, {}, 1, 1, "145.001", kStep3, Row(1, {""})},
        // Digits past 10 Hz are cut before the check, and the cell shows the checked value.
        FrequencyCase{"cutNotRounded", F::Velmar_V, EN, LEAVE, {}, 1, 1, "145.000006", "", Row(1, {"145.00000", "145.00000"})},
        FrequencyCase{"cutThenOffStep", F::Velmar_V, EN, LEAVE, {}, 1, 1, "145.525549", kStep3, Row(1, {""})},
        FrequencyCase{"existingOnlyEditedCell", F::Velmar_V, EN, LEAVE, kVelmarChannel, 4, 1, "150", "",
                      Row(4, {"150.00000", "146.00000", "67.0", "D023N", "Wide", "Yes", "High", "DTMF", "ON", "Close", "CH4", ">>"})},
        FrequencyCase{"clearReceive", F::Velmar_V, EN, LEAVE, kVelmarChannel, 4, 1, "", "",
                      Row(4, {"", "146.00000", "", "D023N", "Wide", "Yes", "High", "DTMF", "ON", "Close", "CH4", ">>"})},
        // A refused text keeps the row: the frequency, its tone and the channel.
        FrequencyCase{"refusedKeepsTheRow", F::Velmar_V, EN, LEAVE, kVelmarChannel, 4, 2, "999", kRangeEn,
                      Row(4, {"145.00000", "146.00000", "67.0", "D023N", "Wide"})},
        FrequencyCase{"refusedStepKeepsTheRow", F::Velmar_V, EN, ENTER, kVelmarChannel, 4, 1, "145.5237", kStep3,
                      Row(4, {"145.00000", "146.00000", "67.0", "D023N", "Wide", "Yes", "High", "DTMF", "ON", "Close",
                              "CH4", ">>"})},
        // The text the cell has changes nothing, even a frequency off the steps
        // that came from a file or a radio.
        FrequencyCase{"sameOffStepTextKept", F::Velmar_V, EN, LEAVE,
                      Row(6, {"145.52370", "145.52370", "OFF", "OFF", "Wide"}), 6, 1, "145.52370", "",
                      Row(6, {"145.52370", "145.52370", "OFF", "OFF", "Wide"})},
        FrequencyCase{"sameEmptyTextKeepsTone", F::Velmar_V, EN, LEAVE, Row(6, {"", "", "67.0", "", "Wide"}), 6, 1, "",
                      "", Row(6, {"", "", "67.0", "", "Wide"})},
        FrequencyCase{"clearLastDeletes", F::Velmar_V, EN, LEAVE,
                      Row(4, {"", "146.00000", "", "D023N", "Wide", "Yes", "High", "DTMF", "ON", "Close", "CH4", ">>"}), 4, 2,
                      "", "", Row(4, {"", "", "", "", "", "", "", "", "", "", "", ""})},
        FrequencyCase{"clearWithToneLeftKeepsChannel", F::Velmar_V, EN, LEAVE,
                      Row(4, {"", "146.00000", "67.0", "D023N", "Wide"}), 4, 2, "", "", Row(4, {"", "", "67.0", "", "Wide"})},
        FrequencyCase{"column5SetIsNotNew", F::Velmar_V, EN, LEAVE, Row(5, {"Wide"}, 5), 5, 1, "145", "",
                      Row(5, {"145.00000", "", "", "", "Wide", ""})}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Families, Frequency,
    ::testing::Values(
        FrequencyCase{"c128New", F::VM_CH128, CH, LEAVE, {}, 1, 1, "145.5", "",
                      Row(1, {"145.50000", "145.50000", "OFF", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close", ""})},
        FrequencyCase{"c128Step2_5k", F::VM_CH128, EN, LEAVE, {}, 1, 1, "145.5025", "", Row(1, {"145.50250"})},
        FrequencyCase{"c128OffStep", F::VM_CH128, EN, ENTER, {}, 1, 1, "145.5001", kStep3, Row(1, {""})},
        FrequencyCase{"c128Below", F::VM_CH128, EN, LEAVE, {}, 1, 1, "66.99999", kRangeEn, Row(1, {""})},
        FrequencyCase{"c128Deletes5To11", F::VM_CH128, EN, LEAVE,
                      Row(2, {"145.00000", "", "OFF", "", "Wide", "Yes", "High", "DTMF", "ON", "Close", "N2"}), 2, 1, "", "",
                      Row(2, {"", "", "", "", "", "", "", "", "", "", ""})},
        FrequencyCase{"c118Refuses2_5k", F::VM_CH118, EN, LEAVE, {}, 1, 1, "145.5025", kStep2, Row(1, {""})},
        FrequencyCase{"c118Accepts5k", F::VM_CH118, EN, LEAVE, {}, 118, 1, "145.505", "", Row(118, {"145.50500", "145.50500", "OFF"})},
        FrequencyCase{"c118Top", F::VM_CH118, EN, LEAVE, {}, 1, 2, "521", "", Row(1, {"", "521.00000"})},
        FrequencyCase{"mNew", F::Marlowe, EN, LEAVE, {}, 1, 1, "145.5", "",
                      Row(1, {"145.50000", "145.50000", "OFF", "OFF", "NO", "High", "Wide", "Yes"})},
        FrequencyCase{"mTop", F::Marlowe, EN, LEAVE, {}, 1, 1, "600", "", Row(1, {"600.00000"})},
        FrequencyCase{"mBottom", F::Marlowe, EN, LEAVE, {}, 1, 1, "60", "", Row(1, {"60.00000"})},
        FrequencyCase{"mBelow", F::Marlowe, EN, LEAVE, {}, 1, 1, "59.99999", kRangeEn, Row(1, {""})},
        FrequencyCase{"mAbove", F::Marlowe, EN, LEAVE, {}, 1, 1, "600.00001", kRangeEn, Row(1, {""})},
        FrequencyCase{"mRefuses2_5k", F::Marlowe, EN, LEAVE, {}, 1, 1, "145.5025", kStep2, Row(1, {""})},
        FrequencyCase{"mAccepts30MHzBelowTheOthers", F::Marlowe, EN, LEAVE, {}, 1, 1, "65", "", Row(1, {"65.00000"})},
        FrequencyCase{"mDeletes5To8", F::Marlowe, EN, LEAVE, Row(3, {"", "450.00000", "", "", "NO", "High", "Wide", "Yes"}),
                      3, 2, "", "", Row(3, {"", "", "", "", "", "", "", ""})},
        FrequencyCase{"16New", F::VM_CH16, EN, LEAVE, {}, 16, 1, "145.5", "",
                      Row(16, {"145.50000", "145.50000", "OFF", "OFF", "NO", ""})},
        FrequencyCase{"16Refuses2_5k", F::VM_CH16, EN, LEAVE, {}, 1, 1, "145.5025", kStep2, Row(1, {""})},
        FrequencyCase{"16Deletes5", F::VM_CH16, EN, LEAVE, Row(2, {"145.00000", "", "", "", "YES"}), 2, 1, "", "",
                      Row(2, {"", "", "", "", "", ""})},
        FrequencyCase{"cnNew", F::VM_CH16_CN, EN, LEAVE, {}, 1, 1, "145.5", "",
                      Row(1, {"145.50000", "145.50000", "OFF", "OFF", "否"})},
        FrequencyCase{"cnRange", F::VM_CH16_CN, EN, LEAVE, {}, 1, 1, "30", kRangeCh, Row(1, {""})},
        FrequencyCase{"cnStep", F::VM_CH16_CN, EN, ENTER, {}, 1, 1, "145.5025", kStepCn16, Row(1, {""})}),
    [](const auto& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------------------
// List, tone, name and "More" cells
// ---------------------------------------------------------------------------

struct CellCommitCase {
    const char* label;
    FamilyId id;
    bool inUse;
    int col;
    std::string chosen;
    std::string expected;
};

class CellCommit : public ::testing::TestWithParam<CellCommitCase> {};

TEST_P(CellCommit, StoresTheText) {
    const CellCommitCase c = GetParam();
    const Family& f = GetFamily(c.id);
    ChannelTable t = NewChannelTable(f, EN);
    if (c.inUse) t.at(3, 2) = "145.00000";  // a transmit frequency alone puts the row in use
    const ColumnKind kind = f.columns.at(static_cast<std::size_t>(c.col)).kind;
    switch (kind) {
        case ColumnKind::RxTone:
        case ColumnKind::TxTone: CommitToneCell(t, 3, c.col, c.chosen); break;
        case ColumnKind::Name: CommitNameCell(t, 3, c.col, c.chosen); break;
        case ColumnKind::More: CommitMoreCell(t, 3, c.col); break;
        default: CommitListCell(t, 3, c.col, c.chosen); break;
    }
    EXPECT_EQ(t.at(3, c.col), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    All, CellCommit,
    ::testing::Values(CellCommitCase{"busyOnEmptyRow", F::Velmar_V, false, 10, "QT/DQT", ""},
                      CellCommitCase{"busyInUse", F::Velmar_V, true, 10, "QT/DQT", "QT/DQT"},
                      CellCommitCase{"toneOnEmptyRow", F::Velmar_V, false, 3, "67.0", ""},
                      CellCommitCase{"toneEntry", F::Velmar_V, true, 3, "D754I", "D754I"},
                      CellCommitCase{"toneNotInTableRefused", F::Marlowe, true, 4, "68.0", ""},
                      CellCommitCase{"toneLowerCase", F::VM_CH16, true, 3, "d023n", "D023N"},
                      // The text the cell has changes nothing (an empty tone cell stays empty).
                      CellCommitCase{"toneEmptyTextOfAnEmptyCell", F::VM_CH128, true, 4, "", ""},
                      CellCommitCase{"nameOnEmptyRow", F::Velmar_V, false, 11, "AB12", "AB12"},
                      CellCommitCase{"nameEightKept", F::VM_CH128, true, 11, "ABCDEFGH", "ABCDEFGH"},
                      CellCommitCase{"moreInUse", F::Velmar_V, true, 12, "", ">>"},
                      CellCommitCase{"moreEmptyRow", F::Velmar_V, false, 12, "", ""},
                      CellCommitCase{"marloweBusyEmptyRow", F::Marlowe, false, 5, "YES", ""},
                      CellCommitCase{"cnBusyInUse", F::VM_CH16_CN, true, 5, "是", "是"}),
    [](const auto& info) { return std::string(info.param.label); });

// A tone text that names no tone is refused with a message naming it; the
// cell keeps its tone.
struct ToneCase {
    const char* label;
    Lang lang;
    std::string before;
    std::string typed;
    std::string after;
    std::string message;   // empty: none
};

class ToneCommit : public ::testing::TestWithParam<ToneCase> {};

TEST_P(ToneCommit, EntryOrRefused) {
    const ToneCase c = GetParam();
    ChannelTable t = NewChannelTable(VelmarVFamily(), c.lang);
    t.at(2, 1) = "145.00000";
    t.at(2, 3) = c.before;
    const std::optional<std::string> message = CommitToneCell(t, 2, 3, c.typed, c.lang);
    EXPECT_EQ(t.at(2, 3), c.after);
    EXPECT_EQ(message.value_or(""), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    All, ToneCommit,
    ::testing::Values(
        ToneCase{"entry", EN, "OFF", "D023N", "D023N", ""},
        ToneCase{"lettersInEitherCase", EN, "OFF", "off", "OFF", ""},
        ToneCase{"ctcssWithoutItsTenth", EN, "OFF", "67", "67.0", ""},
        ToneCase{"ctcssWithTwoDecimals", EN, "OFF", "254.10", "254.1", ""},
        ToneCase{"emptyIsOff", EN, "67.0", "", "OFF", ""},
        ToneCase{"sameTextKeptEvenIfNoEntry", EN, "D999N", "D999N", "D999N", ""},
        ToneCase{"notATone", EN, "67.0", "XYZ", "67.0",
                 "\"XYZ\" is not a tone. Choose a tone from the list, or OFF; the cell keeps its tone."},
        ToneCase{"textAfterThePopupClosed", EN, "D023N", "OFFD023N", "D023N",
                 "\"OFFD023N\" is not a tone. Choose a tone from the list, or OFF; the cell keeps its tone."},
        ToneCase{"notACtcssValue", EN, "OFF", "68.0", "OFF",
                 "\"68.0\" is not a tone. Choose a tone from the list, or OFF; the cell keeps its tone."},
        ToneCase{"hundredthsAreNoTone", EN, "OFF", "67.05", "OFF",
                 "\"67.05\" is not a tone. Choose a tone from the list, or OFF; the cell keeps its tone."},
        ToneCase{"chinese", CH, "OFF", "XYZ", "OFF", "“XYZ”不是有效的信令，请从列表中选择信令或OFF；该格保留原来的信令。"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(CellCommit, TheNewChannelDefaultsAreItemsOfTheirLists) {
    for (const Family* f : AllFamilies()) {
        for (Lang lang : {EN, CH}) {
            ChannelTable t = NewChannelTable(*f, lang);
            ASSERT_TRUE(CommitFrequency(*f, lang, t, 1, 1, "145.5", CommitKey::LeaveCell).accepted) << f->name;
            for (int c = 1; c < f->columnCount(); ++c) {
                const Column& col = f->columns[static_cast<std::size_t>(c)];
                if (col.kind != ColumnKind::List) continue;
                bool found = false;
                for (const ListItem& item : col.items) found = found || item.text.in(f->uiLang(lang)) == t.at(1, c);
                EXPECT_TRUE(found) << f->name << " column " << c << " default " << t.at(1, c);
            }
        }
    }
}

TEST(RowInUse, EitherFrequencyCell) {
    ChannelTable t = NewChannelTable(VmCh16Family(), EN);
    EXPECT_FALSE(RowInUse(t, 1));
    t.at(1, 3) = "67.0";
    EXPECT_FALSE(RowInUse(t, 1));
    t.at(1, 2) = "145.00000";
    EXPECT_TRUE(RowInUse(t, 1));
    t.at(1, 2) = "";
    t.at(1, 1) = "145.00000";
    EXPECT_TRUE(RowInUse(t, 1));
}

// ---------------------------------------------------------------------------
// Texts and list look-ups
// ---------------------------------------------------------------------------

struct NumberTextCase {
    FamilyId id;
    std::string en;
    std::string ch;
};

class PleaseInputNumber : public ::testing::TestWithParam<NumberTextCase> {};

TEST_P(PleaseInputNumber, InTheFamilysLanguages) {
    const NumberTextCase c = GetParam();
    const Family& f = GetFamily(c.id);
    EXPECT_EQ(PleaseInputNumberText(f).in(f.uiLang(EN)), c.en);
    EXPECT_EQ(PleaseInputNumberText(f).in(f.uiLang(CH)), c.ch);
}

INSTANTIATE_TEST_SUITE_P(All, PleaseInputNumber,
                         ::testing::Values(NumberTextCase{F::Velmar_V, "Please input Number", "请输入数字"},
                                           NumberTextCase{F::VM_CH128, "Please input Number", "Please input Number"},
                                           NumberTextCase{F::VM_CH118, "Please input Number", "Please input Number"},
                                           NumberTextCase{F::Marlowe, "Please input Number", "Please input Number"},
                                           NumberTextCase{F::VM_CH16, "Please input Number", "Please input Number"},
                                           NumberTextCase{F::VM_CH16_CN, "请输入数字", "请输入数字"}),
                         [](const auto& info) { return std::string(NameOf(info.param.id)); });

struct ItemCase {
    FamilyId id;
    int field;
    std::string text;
    int index;
};

class FormItem : public ::testing::TestWithParam<ItemCase> {};

TEST_P(FormItem, IndexOfText) {
    const ItemCase c = GetParam();
    EXPECT_EQ(FormItemIndex(GetFamily(c.id), c.field, c.text), c.index);
}

INSTANTIATE_TEST_SUITE_P(All, FormItem,
                         ::testing::Values(ItemCase{F::Velmar_V, 1019, "Open", 0}, ItemCase{F::Velmar_V, 1019, "Close", 1},
                                           ItemCase{F::Velmar_V, 1011, "  67 - 72MHz", 0},
                                           ItemCase{F::Velmar_V, 1011, "67 - 72MHz", -1},
                                           ItemCase{F::Velmar_V, 9999, "Open", -1},
                                           ItemCase{F::VM_CH16, 1073, "WIDE", 1}, ItemCase{F::VM_CH16, 1012, "None", 4},
                                           ItemCase{F::VM_CH16_CN, 1019, "窄", 1}, ItemCase{F::VM_CH16_CN, 1019, "宽", 0},
                                           ItemCase{F::VM_CH16_CN, 1014, "关闭", 1},
                                           ItemCase{F::VM_CH16_CN, 1017, "VM - K74", 3},
                                           ItemCase{F::Marlowe, 1074, "1", -1}));

}  // namespace
}  // namespace vel

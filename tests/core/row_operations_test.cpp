// Row operations of the channel table and its clipboard text form: insert,
// delete, clear, move, fill down, copy and paste, each refused as a whole
// when any part of it would lose or break a channel; and the records that
// travel with their channels.

#include <gtest/gtest.h>

#include "family_cases.h"
#include "table/row_operations.h"

namespace vel {
namespace {

using namespace testing_support;
using F = FamilyId;
const Lang EN = Lang::English;
const Lang CH = Lang::Chinese;

/// A table with a channel on each given row: receive frequency `rx` MHz
/// (typed, so the new-channel defaults come with it) and a name.
ChannelTable TableWith(const Family& f, Lang lang, const std::vector<std::pair<int, std::string>>& channels) {
    ChannelTable t = NewChannelTable(f, lang);
    const int name = f.columnOf(ColumnKind::Name);
    for (const auto& [row, rx] : channels) {
        EXPECT_TRUE(CommitFrequency(f, lang, t, row, 1, rx, CommitKey::LeaveCell).accepted) << rx;
        if (name >= 0) t.at(row, name) = "N" + std::to_string(row);
    }
    return t;
}

/// Column 1 of rows 1..n ("" for an empty row).
std::vector<std::string> Receive(const ChannelTable& t, int n) {
    std::vector<std::string> out;
    for (int r = 1; r <= n; ++r) out.push_back(t.at(r, 1));
    return out;
}

// ---------------------------------------------------------------------------
// Insert, move: where rows go
// ---------------------------------------------------------------------------

struct ShapeCase {
    const char* label;
    enum Op { Insert, Up, Down } op;
    RowList rows;
    bool ok;
    std::vector<std::string> receive;   // column 1 of rows 1..6 after
    RowList selection;
    std::vector<int> recordFrom;        // rows 1..6 (empty: no records moved)
};

class Shape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(Shape, RowsAndRecords) {
    const ShapeCase c = GetParam();
    const Family& f = VmCh16Family();
    ChannelTable t = TableWith(f, EN, {{1, "145"}, {2, "146"}, {3, "147"}, {4, "148"}});
    const ChannelTable before = t;
    RowOpResult r;
    switch (c.op) {
        case ShapeCase::Insert: r = InsertEmptyRows(f, EN, t, c.rows); break;
        case ShapeCase::Up: r = MoveRows(f, t, c.rows, -1); break;
        case ShapeCase::Down: r = MoveRows(f, t, c.rows, +1); break;
    }
    EXPECT_EQ(r.ok, c.ok);
    EXPECT_EQ(Receive(t, 6), c.receive);
    if (!c.ok) {
        EXPECT_EQ(t.cells, before.cells);
        return;
    }
    EXPECT_EQ(r.selection, c.selection);
    ASSERT_EQ(r.recordFrom.size(), 17u);
    EXPECT_EQ(std::vector<int>(r.recordFrom.begin() + 1, r.recordFrom.begin() + 7), c.recordFrom);
    // Channel numbers stay with their rows, and whole rows moved.
    for (int row = 1; row <= 16; ++row) {
        EXPECT_EQ(t.at(row, 0), std::to_string(row));
        const int from = r.recordFrom[static_cast<std::size_t>(row)];
        for (int col = 1; col < f.columnCount(); ++col)
            EXPECT_EQ(t.at(row, col), from ? before.at(from, col) : "") << row << "," << col;
    }
}

const std::string A = "145.00000", B = "146.00000", C = "147.00000", D = "148.00000";

INSTANTIATE_TEST_SUITE_P(
    All, Shape,
    ::testing::Values(
        ShapeCase{"insertAboveOne", ShapeCase::Insert, {2}, true, {A, "", B, C, D, ""}, {2}, {1, 0, 2, 3, 4, 5}},
        ShapeCase{"insertAsManyAsSelected", ShapeCase::Insert, {2, 3}, true, {A, "", "", B, C, D}, {2, 3},
                  {1, 0, 0, 2, 3, 4}},
        ShapeCase{"insertAboveEachRun", ShapeCase::Insert, {1, 3}, true, {"", A, B, "", C, D}, {1, 4},
                  {0, 1, 2, 0, 3, 4}},
        ShapeCase{"insertUnsortedRepeated", ShapeCase::Insert, {3, 3, 99}, true, {A, B, "", C, D, ""}, {3},
                  {1, 2, 0, 3, 4, 5}},
        ShapeCase{"moveUp", ShapeCase::Up, {3}, true, {A, C, B, D, "", ""}, {2}, {1, 3, 2, 4, 5, 6}},
        ShapeCase{"moveUpARun", ShapeCase::Up, {3, 4}, true, {A, C, D, B, "", ""}, {2, 3}, {1, 3, 4, 2, 5, 6}},
        ShapeCase{"moveUpTwoRuns", ShapeCase::Up, {2, 4}, true, {B, A, D, C, "", ""}, {1, 3}, {2, 1, 4, 3, 5, 6}},
        ShapeCase{"moveDown", ShapeCase::Down, {1, 2}, true, {C, A, B, D, "", ""}, {2, 3}, {3, 1, 2, 4, 5, 6}},
        ShapeCase{"moveUpAtTheTop", ShapeCase::Up, {1, 3}, false, {A, B, C, D, "", ""}, {}, {}},
        ShapeCase{"moveDownAtTheBottom", ShapeCase::Down, {16}, false, {A, B, C, D, "", ""}, {}, {}},
        ShapeCase{"nothingSelected", ShapeCase::Insert, {}, false, {A, B, C, D, "", ""}, {}, {}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(InsertEmptyRows, NeverPushesAChannelOffTheEnd) {
    const Family& f = VmCh16Family();
    for (int last : {16, 15}) {
        ChannelTable t = TableWith(f, EN, {{1, "145"}, {last, "430"}});
        const ChannelTable before = t;
        const RowOpResult r = InsertEmptyRows(f, EN, t, {1, 2});
        EXPECT_FALSE(r.ok);
        ASSERT_EQ(r.errors.size(), 1u);
        EXPECT_EQ(ErrorReport(r.errors, EN),
                  "Channel " + std::to_string(last) + " is in use: inserting would push it off the end of the table.");
        EXPECT_EQ(t.cells, before.cells);
    }
    // A name alone is something too.
    ChannelTable named = NewChannelTable(VelmarVFamily(), CH);
    named.at(128, 11) = "KEEP";
    const RowOpResult r = InsertEmptyRows(VelmarVFamily(), CH, named, {5});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errors.at(0).message, "信道128已使用：插入会把它挤出表格末尾。");
}

// ---------------------------------------------------------------------------
// Delete, clear, fill down: what the cells become
// ---------------------------------------------------------------------------

using Cells = std::vector<std::string>;

struct CellsCase {
    const char* label;
    FamilyId id;
    enum Op { Delete, Clear, Fill } op;
    RowList rows;
    std::vector<int> cols;   // Clear and Fill (empty: every editable column)
    int row;                 // row checked afterwards
    Cells after;             // its columns 1..
};

class CellsAfter : public ::testing::TestWithParam<CellsCase> {};

TEST_P(CellsAfter, Row) {
    const CellsCase c = GetParam();
    const Family& f = GetFamily(c.id);
    ChannelTable t = TableWith(f, EN, {{2, "145.5"}, {4, "430"}});
    t.at(2, 3) = "67.0";
    const std::vector<int> cols = c.cols.empty() ? EditableColumns(f) : c.cols;
    RowOpResult r;
    switch (c.op) {
        case CellsCase::Delete: r = DeleteChannels(f, t, c.rows); break;
        case CellsCase::Clear: r = ClearCells(f, EN, t, c.rows, cols); break;
        case CellsCase::Fill: r = FillDown(f, EN, t, c.rows, cols); break;
    }
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.recordFrom.empty());   // the channels stay on their records
    Cells row(t.cells.at(static_cast<std::size_t>(c.row)).begin() + 1, t.cells.at(static_cast<std::size_t>(c.row)).end());
    EXPECT_EQ(row, c.after);
    EXPECT_EQ(t.at(c.row, 0), std::to_string(c.row));
}

const Cells kEmptyV(12, "");
const Cells kRow2V{"145.50000", "145.50000", "67.0", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close", "N2", ">>"};

INSTANTIATE_TEST_SUITE_P(
    All, CellsAfter,
    ::testing::Values(
        CellsCase{"deleteEmptiesTheNameToo", F::Velmar_V, CellsCase::Delete, {2}, {}, 2, kEmptyV},
        CellsCase{"deleteLeavesOtherRows", F::Velmar_V, CellsCase::Delete, {4}, {}, 2, kRow2V},
        CellsCase{"clearWholeRowsDeletes", F::Velmar_V, CellsCase::Clear, {2}, {}, 2, kEmptyV},
        CellsCase{"clearReceiveTakesItsTone", F::Velmar_V, CellsCase::Clear, {2}, {1}, 2,
                  {"", "145.50000", "", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close", "N2", ">>"}},
        CellsCase{"clearToneGivesOff", F::Velmar_V, CellsCase::Clear, {2}, {3}, 2,
                  {"145.50000", "145.50000", "OFF", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close", "N2", ">>"}},
        CellsCase{"clearToneShownEmpty", F::Marlowe, CellsCase::Clear, {2}, {3}, 2,
                  {"145.50000", "145.50000", "", "OFF", "NO", "High", "Wide", "Yes"}},
        CellsCase{"clearListKeepsIt", F::Velmar_V, CellsCase::Clear, {2}, {5, 11}, 2,
                  {"145.50000", "145.50000", "67.0", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close", "", ">>"}},
        CellsCase{"fillDownWholeRows", F::Velmar_V, CellsCase::Fill, {2, 3, 4}, {}, 3, kRow2V},
        CellsCase{"fillDownOverAChannel", F::Velmar_V, CellsCase::Fill, {2, 4}, {}, 4, kRow2V},
        CellsCase{"fillDownATone", F::Velmar_V, CellsCase::Fill, {2, 3, 4}, {3}, 4,
                  {"430.00000", "430.00000", "67.0", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close", "N4", ">>"}},
        CellsCase{"fillDownAToneSkipsUnusedRows", F::Velmar_V, CellsCase::Fill, {2, 3}, {3}, 3, kEmptyV},
        CellsCase{"fillDownAFrequencyMakesChannels", F::VM_CH16, CellsCase::Fill, {2, 3}, {1}, 3,
                  {"145.50000", "145.50000", "OFF", "OFF", "NO", ""}}),
    [](const auto& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------------------
// Clipboard text
// ---------------------------------------------------------------------------

TEST(CopyText, HeaderLineAndTabs) {
    const Family& f = VmCh16Family();
    const ChannelTable t = TableWith(f, EN, {{2, "145.5"}});
    std::vector<int> all;
    for (int c = 0; c < f.columnCount(); ++c) all.push_back(c);
    EXPECT_EQ(CopyText(f, t, {3, 2}, all),
              "CH\tReceive(MHz)\tTransmit(MHz)\tRx Tone\tTx Tone\tBusy\n"
              "2\t145.50000\t145.50000\tOFF\tOFF\tNO\n"
              "3\t\t\t\t\t\n");
    EXPECT_EQ(CopyText(VmCh16CnFamily(), NewChannelTable(VmCh16CnFamily(), EN), {1}, {3, 5}), "接收信令\t是否禁发\n\t\n");
}

struct PasteCase {
    const char* label;
    FamilyId id;
    Lang lang;
    std::string text;
    PasteTarget target;
    bool ok;
    int row;                 // row checked afterwards
    Cells after;             // its columns 1.. (when ok)
    std::string report;      // ErrorReport (when !ok)
};

class Paste : public ::testing::TestWithParam<PasteCase> {};

TEST_P(Paste, ThroughTheCommitRules) {
    const PasteCase c = GetParam();
    const Family& f = GetFamily(c.id);
    ChannelTable t = TableWith(f, c.lang, {{2, "145.5"}, {4, "430"}});
    const ChannelTable before = t;
    const RowOpResult r = PasteText(f, c.lang, t, c.text, c.target);
    EXPECT_EQ(r.ok, c.ok);
    if (!c.ok) {
        EXPECT_EQ(ErrorReport(r.errors, f.uiLang(c.lang)), c.report);
        EXPECT_EQ(t.cells, before.cells);   // a refused paste changes nothing at all
        EXPECT_TRUE(r.recordFrom.empty());
        return;
    }
    Cells row(t.cells.at(static_cast<std::size_t>(c.row)).begin() + 1, t.cells.at(static_cast<std::size_t>(c.row)).end());
    EXPECT_EQ(row, c.after);
}

const std::string kHeader16 = "CH\tReceive(MHz)\tTransmit(MHz)\tRx Tone\tTx Tone\tBusy\n";
PasteTarget At(int row, int col = 1) { return PasteTarget{{}, row, col, false}; }
PasteTarget Rows(RowList rows) { return PasteTarget{rows, rows.front(), 1, false}; }
PasteTarget InsertAt(int row) { return PasteTarget{{}, row, 1, true}; }

INSTANTIATE_TEST_SUITE_P(
    All, Paste,
    ::testing::Values(
        PasteCase{"wholeRowOntoEmpty", F::VM_CH16, EN, kHeader16 + "9\t150.00000\t155.00000\t67.0\tD023N\tYES\n", At(6),
                  true, 6, {"150.00000", "155.00000", "67.0", "D023N", "YES", ""}, ""},
        PasteCase{"wholeRowOverAChannel", F::VM_CH16, EN, kHeader16 + "9\t\t155.00000\tOFF\tOFF\tYES\n", At(2), true, 2,
                  {"", "155.00000", "OFF", "OFF", "YES", ""}, ""},
        PasteCase{"emptyRowDeletes", F::VM_CH16, EN, kHeader16 + "9\t\t\t\t\t\n", At(4), true, 4, Cells(6, ""), ""},
        PasteCase{"headerNamesSomeColumns", F::VM_CH16, EN, " busy \tRx Tone\r\nYES\t88.5\r\n", At(2), true, 2,
                  {"145.50000", "145.50000", "88.5", "OFF", "YES", ""}, ""},
        PasteCase{"chineseHeaderIntoEnglish", F::Velmar_V, EN, "接收频率\t宽/窄\n146.025\t窄\n", At(5), true, 5,
                  {"146.02500", "146.02500", "OFF", "OFF", "Narrow", "Yes", "High", "DTMF", "ON", "Close", "", ">>"}, ""},
        PasteCase{"plainValueAtTheColumn", F::VM_CH16, EN, "D754I\n", At(4, 4), true, 4,
                  {"430.00000", "430.00000", "OFF", "D754I", "NO", ""}, ""},
        PasteCase{"spreadsheetNumbers", F::VM_CH16, EN, "146\t146.5\t67\n", At(7), true, 7,
                  {"146.00000", "146.50000", "67.0", "OFF", "NO", ""}, ""},
        PasteCase{"spreadsheetQuotes", F::Velmar_V, EN, "\"AB-1\"\n", At(3, 11), true, 3,
                  Cells{"", "", "", "", "", "", "", "", "", "", "AB-1", ""}, ""},
        PasteCase{"oneLineIntoEverySelectedRow", F::VM_CH16, EN, "Busy\nYES\n", Rows({2, 4}), true, 4,
                  {"430.00000", "430.00000", "OFF", "OFF", "YES", ""}, ""},
        PasteCase{"inserted", F::VM_CH16, EN, kHeader16 + "1\t150.00000\t150.00000\tOFF\tOFF\tNO\n", InsertAt(2), true,
                  3, {"145.50000", "145.50000", "OFF", "OFF", "NO", ""}, ""},
        PasteCase{"rowsFailTogether", F::VM_CH16, EN,
                  kHeader16 + "1\t145.5237\t145.00000\tXYZ\tOFF\tMAYBE\n2\t700\t145\tOFF\tOFF\tNO\n", At(1), false, 0, {},
                  "Channel 1, Receive(MHz): Error data Value，Please input according the step value(6.25K/5k)\n"
                  "Channel 1, Rx Tone: \"XYZ\" is not a tone. Choose a tone from the list, or OFF; the cell keeps its tone.\n"
                  "Channel 1, Busy: \"MAYBE\" is not one of: YES, NO.\n"
                  "Channel 2, Receive(MHz): Error Data Format，Please input again"},
        PasteCase{"nameTooLong", F::Velmar_V, CH, "名称\nABCDEFGHI\nA!\n", At(1), false, 0, {},
                  "信道1，名称：“ABCDEFGHI”不能作为信道名称：最多8个字母、数字、“-”或空格。\n"
                  "信道2，名称：“A!”不能作为信道名称：最多8个字母、数字、“-”或空格。"},
        PasteCase{"pastEnd", F::VM_CH16, EN, "145\n146\n147\n", At(15), false, 0, {},
                  "The text has 3 rows, but only 2 channels are left from channel 15 on."},
        PasteCase{"tooManyValues", F::VM_CH16, EN, "YES\t\tX\n", At(1, 5), false, 0, {},
                  "Channel 1: The line has more values than the table has columns."},
        PasteCase{"nothing", F::VM_CH16_CN, EN, "\n", At(1), false, 0, {}, "剪贴板中没有可粘贴的内容。"},
        PasteCase{"insertAtTheTop", F::VM_CH16, EN, "145\n", InsertAt(1), true, 1,
                  {"145.00000", "145.00000", "OFF", "OFF", "NO", ""}, ""}),
    [](const auto& info) { return std::string(info.param.label); });

// Whatever is copied pastes back to the same table, in every family and language.
TEST(Paste, CopyThenPasteGivesTheSameRows) {
    for (const Family* f : AllFamilies()) {
        for (Lang lang : {EN, CH}) {
            ChannelTable t = TableWith(*f, lang, {{1, "145.5"}, {2, "146.025"}, {3, "430"}});
            t.at(1, 3) = "D754I";
            t.at(2, 2) = "";   // a receive-only channel
            if (f->columnOf(ColumnKind::Name) >= 0) t.at(5, f->columnOf(ColumnKind::Name)) = "UNUSED";
            std::vector<int> all;
            for (int c = 0; c < f->columnCount(); ++c) all.push_back(c);
            const std::string text = CopyText(*f, t, {1, 2, 3, 4, 5}, all);
            ChannelTable target = NewChannelTable(*f, lang);
            const RowOpResult r = PasteText(*f, lang, target, text, PasteTarget{{}, 1, 1, false});
            ASSERT_TRUE(r.ok) << f->name << "\n" << ErrorReport(r.errors, Lang::English);
            for (int row = 1; row <= 5; ++row)
                EXPECT_EQ(target.cells[static_cast<std::size_t>(row)], t.cells[static_cast<std::size_t>(row)])
                    << f->name << " row " << row;
            // Over channels already there, too.
            ChannelTable over = TableWith(*f, lang, {{1, "150"}, {4, "151"}, {5, "152"}});
            ASSERT_TRUE(PasteText(*f, lang, over, text, PasteTarget{{}, 1, 1, false}).ok);
            for (int row = 1; row <= 5; ++row)
                EXPECT_EQ(over.cells[static_cast<std::size_t>(row)], t.cells[static_cast<std::size_t>(row)])
                    << f->name << " over row " << row;
        }
    }
}

TEST(ErrorReport, ShortensLongLists) {
    std::vector<CellError> errors(15, CellError{3, 1, "Rx", "bad"});
    const std::string report = ErrorReport(errors, EN, 2);
    EXPECT_EQ(report, "Channel 3, Rx: bad\nChannel 3, Rx: bad\n… and 13 more.");
}

// ---------------------------------------------------------------------------
// Records travel with their channels
// ---------------------------------------------------------------------------

TEST(ApplyRecordMap, HiddenBytesAndNamesMove) {
    for (FamilyId id : AllIds()) {
        const Family& f = GetFamily(id);
        Image img = NewDocumentImage(f);
        for (int ch = 1; ch <= 3; ++ch) {
            img[static_cast<std::size_t>(f.recordAddr(ch) + 14)] = static_cast<Byte>(0x10 + ch);
            img[static_cast<std::size_t>(f.recordAddr(ch) + 15)] = static_cast<Byte>(0x20 + ch);
            if (f.nameAddr) img[static_cast<std::size_t>(*f.nameAddr + 8 * (ch - 1))] = static_cast<Byte>(ch);
        }
        const Image before = img;
        const Image fresh = NewDocumentImage(f);
        std::vector<int> map(static_cast<std::size_t>(f.channelCount + 1));
        for (int r = 0; r <= f.channelCount; ++r) map[static_cast<std::size_t>(r)] = r;
        map[1] = 3;
        map[2] = 0;
        map[3] = 1;
        ApplyRecordMap(f, map, img);
        auto record = [&](const Image& i, int ch) {
            const auto at = static_cast<std::size_t>(f.recordAddr(ch));
            return Image(i.begin() + static_cast<std::ptrdiff_t>(at), i.begin() + static_cast<std::ptrdiff_t>(at + 16));
        };
        EXPECT_EQ(record(img, 1), record(before, 3)) << f.name;
        EXPECT_EQ(record(img, 2), record(fresh, 2)) << f.name;
        EXPECT_EQ(record(img, 3), record(before, 1)) << f.name;
        if (f.nameAddr) {
            EXPECT_EQ(img[static_cast<std::size_t>(*f.nameAddr)], 3) << f.name;
            EXPECT_EQ(img[static_cast<std::size_t>(*f.nameAddr + 8)], 0xFF) << f.name;
            EXPECT_EQ(img[static_cast<std::size_t>(*f.nameAddr + 16)], 1) << f.name;
        }
        // Nothing outside the three records and names changes.
        for (std::size_t a = 0; a < img.size(); ++a) {
            const bool inRecords = a >= static_cast<std::size_t>(f.recordAddr(1)) && a < static_cast<std::size_t>(f.recordAddr(4));
            const bool inNames = f.nameAddr && a >= static_cast<std::size_t>(*f.nameAddr) &&
                                 a < static_cast<std::size_t>(*f.nameAddr + 24);
            if (!inRecords && !inNames) {
                ASSERT_EQ(img[a], before[a]) << f.name << " byte " << a;
            }
        }
        // An empty map moves nothing.
        Image same = before;
        ApplyRecordMap(f, {}, same);
        EXPECT_EQ(same, before);
    }
}

}  // namespace
}  // namespace vel

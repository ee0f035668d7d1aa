// Channel lists as CSV: the RFC 4180 text layer, the common exchange layout
// in both directions (every Duplex, Tone and CrossMode case by known values),
// what is refused or left out and how it is reported, the three import modes,
// and the native form's byte-exact round trip for every family.

#include <gtest/gtest.h>

#include <random>

#include "family_cases.h"
#include "image/encodings.h"
#include "table/channel_csv.h"
#include "table/channel_table.h"
#include "table/csv_text.h"

namespace vel {
namespace {

using namespace testing_support;
using F = FamilyId;
const Lang EN = Lang::English;
const Lang CH = Lang::Chinese;

const std::string kCommonHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,"
    "Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

ChannelTable Filled(const Family& f, Lang lang, const Image& image) {
    ChannelTable t = NewChannelTable(f, lang);
    FillChannelGrid(f, lang, image, t);
    return t;
}

ChannelTable NewTable(const Family& f, Lang lang) { return Filled(f, lang, NewDocumentImage(f)); }

/// What Save writes for `image`: its table filled and stored back.
Image Saved(const Family& f, Image image) {
    StoreChannelGrid(f, Filled(f, EN, image), image);
    return image;
}

std::string Common(const std::vector<std::string>& rows) {
    std::string text = kCommonHeader + "\r\n";
    for (const std::string& r : rows) text += r + "\r\n";
    return text;
}

/// Sets a channel the way a person types it.
void Type(const Family& f, Lang lang, ChannelTable& t, int row, const std::string& rx, const std::string& tx,
          const std::string& rxTone, const std::string& txTone) {
    CommitFrequency(f, lang, t, row, f.columnOf(ColumnKind::RxFrequency), rx, CommitKey::LeaveCell);
    CommitFrequency(f, lang, t, row, f.columnOf(ColumnKind::TxFrequency), tx, CommitKey::LeaveCell);
    CommitToneCell(t, row, f.columnOf(ColumnKind::RxTone), rxTone);
    CommitToneCell(t, row, f.columnOf(ColumnKind::TxTone), txTone);
}

/// A test case's label as a test name.
struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        std::string n = info.param.label;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    }
};

// ---------------------------------------------------------------------------
// CSV text
// ---------------------------------------------------------------------------

struct ParseCase {
    const char* label;
    std::string text;
    std::vector<std::vector<std::string>> records;
};

class CsvParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CsvParse, Records) {
    const ParseCase& c = GetParam();
    const CsvText csv = ParseCsv(c.text);
    ASSERT_TRUE(csv.ok) << csv.error.en;
    std::vector<std::vector<std::string>> got;
    for (const CsvRecord& r : csv.records) got.push_back(r.cells);
    EXPECT_EQ(got, c.records);
}

INSTANTIATE_TEST_SUITE_P(
    Rfc4180, CsvParse,
    ::testing::Values(ParseCase{"plain", "a,b,c\r\n1,2,3\r\n", {{"a", "b", "c"}, {"1", "2", "3"}}},
                      ParseCase{"lf and no final line end", "a,b\n1,2", {{"a", "b"}, {"1", "2"}}},
                      ParseCase{"cr alone", "a\r1\r", {{"a"}, {"1"}}},
                      ParseCase{"comma in quotes", "\"a,b\",c\r\n", {{"a,b", "c"}}},
                      ParseCase{"doubled quote", "\"say \"\"hi\"\"\",x\r\n", {{"say \"hi\"", "x"}}},
                      ParseCase{"line ends in quotes", "\"two\r\nlines\",\"x\ny\"\r\n", {{"two\r\nlines", "x\ny"}}},
                      ParseCase{"byte order mark", "\xEF\xBB\xBFLocation,Name\r\n", {{"Location", "Name"}}},
                      ParseCase{"empty cells", ",,\r\n\"\",a\r\n", {{"", "", ""}, {"", "a"}}},
                      ParseCase{"blank line kept as a record", "a\r\n\r\nb\r\n", {{"a"}, {""}, {"b"}}},
                      ParseCase{"stray quote kept", "ab\"c,\"d\"e\r\n", {{"ab\"c", "de"}}},
                      ParseCase{"chinese", "信道,接收频率\r\n", {{"信道", "接收频率"}}}),
    CaseName());

TEST(CsvText, RowNumbersCountBlankLinesAndNotQuotedLineEnds) {
    const CsvText csv = ParseCsv("h\r\n\"a\nb\"\r\n\r\nc\r\n");
    ASSERT_TRUE(csv.ok);
    ASSERT_EQ(csv.records.size(), 4u);
    EXPECT_EQ(csv.records[1].row, 2);
    EXPECT_TRUE(csv.records[2].blank());
    EXPECT_EQ(csv.records[3].row, 4);
}

TEST(CsvText, UnclosedQuoteIsAnErrorNamingItsRow) {
    const CsvText csv = ParseCsv("a,b\r\n1,\"open\r\nstill open");
    EXPECT_FALSE(csv.ok);
    EXPECT_NE(csv.error.en.find("Row 2"), std::string::npos) << csv.error.en;
    EXPECT_NE(csv.error.ch.find("第2行"), std::string::npos);
}

TEST(CsvText, FormatQuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(FormatCsv({{"a", "b,c", "say \"hi\"", "two\nlines", " W/N ", ""}}),
              "a,\"b,c\",\"say \"\"hi\"\"\",\"two\nlines\",\" W/N \",\r\n");
    // Plain ASCII has no byte order mark; anything else gets one.
    EXPECT_EQ(FormatCsv({{"CH"}}).substr(0, 2), "CH");
    EXPECT_EQ(FormatCsv({{"频道"}}).substr(0, 3), std::string(kUtf8Bom));
}

TEST(CsvText, FormatThenParseGivesTheCellsBack) {
    const std::vector<std::vector<std::string>> records = {
        {"", ",", "\"", "\"\"", "a\r\nb", " lead", "trail ", "\t", "名称", "x\ry"}, {"1"}, {"", ""}};
    const CsvText csv = ParseCsv(FormatCsv(records));
    ASSERT_TRUE(csv.ok);
    std::vector<std::vector<std::string>> got;
    for (const CsvRecord& r : csv.records) got.push_back(r.cells);
    EXPECT_EQ(got, records);
}

TEST(CsvText, Utf8Check) {
    const std::pair<std::string, bool> cases[] = {
        {"plain", true},        {"频道", true},           {"\xEF\xBB\xBF" "a", true},   {"\xFF\xFE" "a", false},
        {"\xC0\xAF", false},    {"\xE4\xBF", false},      {"\xED\xA0\x80", false},      {"\xB5", false},
        {"\xF0\x9F\x98\x80", true}, {"\xF4\x90\x80\x80", false}};
    for (const auto& [text, ok] : cases) EXPECT_EQ(IsUtf8(text), ok) << text;
}

// ---------------------------------------------------------------------------
// Common layout in: known values for every Duplex, Tone and CrossMode case
// ---------------------------------------------------------------------------

struct InCase {
    const char* label;
    std::string row;   // the record after Location and Name
    std::string rx, tx, rxTone, txTone;
};

class CommonIn : public ::testing::TestWithParam<InCase> {};

TEST_P(CommonIn, GivesTheseCells) {
    const InCase& c = GetParam();
    const Family& f = VelmarVFamily();
    const ChannelImport r = ImportChannels(f, EN, Common({"1,," + c.row}), CsvForm::Auto, ImportMode::Replace,
                                           NewTable(f, EN));
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_TRUE(r.refused.empty()) << DescribeImport(r, EN).front();
    EXPECT_EQ(r.form, CsvForm::Common);
    EXPECT_EQ(r.imported, 1);
    EXPECT_EQ(r.table.at(1, 1), c.rx);
    EXPECT_EQ(r.table.at(1, 2), c.tx);
    EXPECT_EQ(r.table.at(1, 3), c.rxTone);
    EXPECT_EQ(r.table.at(1, 4), c.txTone);
}

INSTANTIATE_TEST_SUITE_P(
    KnownValues, CommonIn,
    ::testing::Values(
        InCase{"simplex", "146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,", "146.52000",
               "146.52000", "OFF", "OFF"},
        InCase{"plus", "146.940000,+,0.600000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,", "146.94000",
               "147.54000", "OFF", "OFF"},
        InCase{"minus", "147.000000,-,0.600000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,", "147.00000",
               "146.40000", "OFF", "OFF"},
        InCase{"split", "146.520000,split,446.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,",
               "146.52000", "446.00000", "OFF", "OFF"},
        InCase{"Tone", "146.520000,,0,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,", "146.52000",
               "146.52000", "OFF", "100.0"},
        InCase{"TSQL", "146.520000,,0,TSQL,88.5,107.2,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,", "146.52000",
               "146.52000", "107.2", "107.2"},
        InCase{"DTCS NN", "146.520000,,0,DTCS,88.5,88.5,023,NN,754,Tone->Tone,FM,5.00,,High,,,,,", "146.52000",
               "146.52000", "D023N", "D023N"},
        InCase{"DTCS NR", "146.520000,,0,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,5.00,,High,,,,,", "146.52000",
               "146.52000", "D023I", "D023N"},
        InCase{"DTCS RN", "146.520000,,0,DTCS,88.5,88.5,754,RN,023,Tone->Tone,FM,5.00,,High,,,,,", "146.52000",
               "146.52000", "D754N", "D754I"},
        InCase{"Cross Tone to Tone", "146.520000,,0,Cross,100.0,123.0,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,",
               "146.52000", "146.52000", "123.0", "100.0"},
        InCase{"Cross Tone to DTCS", "146.520000,,0,Cross,100.0,88.5,023,NR,125,Tone->DTCS,FM,5.00,,High,,,,,",
               "146.52000", "146.52000", "D125I", "100.0"},
        InCase{"Cross DTCS to Tone", "146.520000,,0,Cross,88.5,67.0,754,RN,023,DTCS->Tone,FM,5.00,,High,,,,,",
               "146.52000", "146.52000", "67.0", "D754I"},
        InCase{"Cross DTCS to nothing", "146.520000,,0,Cross,88.5,88.5,051,NN,023,DTCS->,FM,5.00,,High,,,,,",
               "146.52000", "146.52000", "OFF", "D051N"},
        InCase{"Cross nothing to Tone", "146.520000,,0,Cross,88.5,254.1,023,NN,023,->Tone,FM,5.00,,High,,,,,",
               "146.52000", "146.52000", "254.1", "OFF"},
        InCase{"Cross nothing to DTCS", "146.520000,,0,Cross,88.5,88.5,754,NR,023,->DTCS,FM,5.00,,High,,,,,",
               "146.52000", "146.52000", "D023I", "OFF"},
        InCase{"Cross DTCS to DTCS", "146.520000,,0,Cross,88.5,88.5,023,RR,754,DTCS->DTCS,FM,5.00,,High,,,,,",
               "146.52000", "146.52000", "D754I", "D023I"},
        InCase{"every tone column filled, Tone empty",
               "446.006250,,0.000000,,67.0,254.1,754,RR,754,DTCS->DTCS,NFM,6.25,,Low,,,,,", "446.00625",
               "446.00625", "OFF", "OFF"},
        InCase{"spreadsheet tone and lower case", "146.52,+,0.6,tone,100,88.5,23,nn,23,tone->tone,fm,,,high,,,,,",
               "146.52000", "147.12000", "OFF", "100.0"}),
    CaseName());

TEST(CommonIn, ListsNameAndWattage) {
    const Family& f = VelmarVFamily();
    const ChannelImport r = ImportChannels(
        f, CH,
        Common({"0,Rpt-1,146.520000,,0,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,4.0W,note,,,,",
                "1,ab c,146.540000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,0.5W,,,,,",
                "2,,146.560000,,0,,88.5,88.5,023,NN,023,Tone->Tone,,,,,,,,,"}),
        CsvForm::Auto, ImportMode::Replace, NewTable(f, CH));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.refused.empty());
    EXPECT_TRUE(r.dropped.empty()) << DescribeImport(r, EN).front();
    // Rows in file order, whatever their Location; texts in the table's language.
    const std::vector<std::string> first(r.table.cells[1].begin() + 5, r.table.cells[1].end());
    EXPECT_EQ(first, (std::vector<std::string>{"窄", "否", "高", "DTMF", "开", "关闭", "RPT-1", ">>"}));
    EXPECT_EQ(r.table.at(2, 5), "宽");
    EXPECT_EQ(r.table.at(2, 6), "是");
    EXPECT_EQ(r.table.at(2, 7), "低");
    EXPECT_EQ(r.table.at(2, 11), "AB C");
    // Empty Mode, Skip and Power take the new channel's defaults.
    EXPECT_EQ(r.table.at(3, 5), "宽");
    EXPECT_EQ(r.table.at(3, 6), "是");
    EXPECT_EQ(r.table.at(3, 7), "高");
}

TEST(CommonIn, OlderEighteenColumnFilesAndColumnsInAnyOrder) {
    const Family& f = VmCh128Family();
    // No RxDtcsCode, CrossMode or Power; the DTCS code serves both sides.
    const std::string old =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,Skip,"
        "Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
        "1,OLD,145.500000,-,0.600000,DTCS,88.5,88.5,125,NR,FM,12.50,,,,,,\r\n";
    ChannelImport r = ImportChannels(f, EN, old, CsvForm::Auto, ImportMode::Replace, NewTable(f, EN));
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_TRUE(r.refused.empty());
    EXPECT_EQ(r.table.cells[1], (std::vector<std::string>{"1", "145.50000", "144.90000", "D125I", "D125N", "Wide", "Yes",
                                                          "High", "DTMF", "ON", "Close", "OLD"}));

    const std::string shuffled = "Power,Frequency,Unknown,Tone,cToneFreq\r\nLow,430.025,x,TSQL,131.8\r\n";
    r = ImportChannels(f, EN, shuffled, CsvForm::Common, ImportMode::Replace, NewTable(f, EN));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.table.cells[1], (std::vector<std::string>{"1", "430.02500", "430.02500", "131.8", "131.8", "Wide", "Yes",
                                                          "Low", "DTMF", "ON", "Close", ""}));
}

// ---------------------------------------------------------------------------
// Common layout out
// ---------------------------------------------------------------------------

struct OutCase {
    const char* label;
    std::string rx, tx, rxTone, txTone;
    // Duplex, Offset, Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode
    std::vector<std::string> expected;
};

class CommonOut : public ::testing::TestWithParam<OutCase> {};

TEST_P(CommonOut, WritesTheSimplestToneMode) {
    const OutCase& c = GetParam();
    const Family& f = VelmarVFamily();
    ChannelTable t = NewTable(f, EN);
    Type(f, EN, t, 7, c.rx, c.tx, c.rxTone, c.txTone);
    const ChannelExport out = ExportChannels(f, EN, CsvForm::Common, t);
    EXPECT_TRUE(out.left.empty());
    const CsvText csv = ParseCsv(out.text);
    ASSERT_TRUE(csv.ok);
    ASSERT_EQ(csv.records.size(), 2u);
    EXPECT_EQ(csv.records[0].cells, CommonLayoutColumns());
    const std::vector<std::string>& got = csv.records[1].cells;
    ASSERT_EQ(got.size(), 21u);
    EXPECT_EQ(got[0], "7");
    EXPECT_EQ(got[2], c.rx + "0");
    EXPECT_EQ(std::vector<std::string>(got.begin() + 3, got.begin() + 12), c.expected);

    // And the file reads back as the same channel.
    const ChannelImport back = ImportChannels(f, EN, out.text, CsvForm::Auto, ImportMode::Merge, NewTable(f, EN));
    ASSERT_TRUE(back.ok);
    if (c.tx.empty()) {
        ASSERT_EQ(back.refused.size(), 1u) << "a channel that does not transmit";
        EXPECT_EQ(back.refused[0].problems[0].column, "Duplex");
        return;
    }
    ASSERT_TRUE(back.refused.empty()) << DescribeImport(back, EN).front();
    EXPECT_EQ(back.table.cells[7], t.cells[7]);
}

const std::vector<std::string> kNoTones = {"88.5", "88.5", "023", "NN", "023", "Tone->Tone"};

std::vector<std::string> Out(std::string duplex, std::string offset, std::string tone, std::vector<std::string> tones) {
    std::vector<std::string> v{std::move(duplex), std::move(offset), std::move(tone)};
    v.insert(v.end(), tones.begin(), tones.end());
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    KnownValues, CommonOut,
    ::testing::Values(
        OutCase{"simplex", "146.52000", "146.52000", "OFF", "OFF", Out("", "0.000000", "", kNoTones)},
        OutCase{"plus", "146.94000", "147.54000", "OFF", "100.0",
                Out("+", "0.600000", "Tone", {"100.0", "88.5", "023", "NN", "023", "Tone->Tone"})},
        OutCase{"minus", "147.00000", "146.40000", "107.2", "107.2",
                Out("-", "0.600000", "TSQL", {"88.5", "107.2", "023", "NN", "023", "Tone->Tone"})},
        OutCase{"split", "146.52000", "446.00000", "D023I", "D023N",
                Out("split", "446.000000", "DTCS", {"88.5", "88.5", "023", "NR", "023", "Tone->Tone"})},
        OutCase{"just under a split", "146.52000", "246.51875", "OFF", "OFF", Out("+", "99.998750", "", kNoTones)},
        OutCase{"Tone to Tone", "146.52000", "146.52000", "123.0", "100.0",
                Out("", "0.000000", "Cross", {"100.0", "123.0", "023", "NN", "023", "Tone->Tone"})},
        OutCase{"Tone to DTCS", "146.52000", "146.52000", "D125I", "100.0",
                Out("", "0.000000", "Cross", {"100.0", "88.5", "023", "NR", "125", "Tone->DTCS"})},
        OutCase{"DTCS to Tone", "146.52000", "146.52000", "67.0", "D754I",
                Out("", "0.000000", "Cross", {"88.5", "67.0", "754", "RN", "023", "DTCS->Tone"})},
        OutCase{"DTCS to nothing", "146.52000", "146.52000", "OFF", "D051N",
                Out("", "0.000000", "Cross", {"88.5", "88.5", "051", "NN", "023", "DTCS->"})},
        OutCase{"nothing to Tone", "146.52000", "146.52000", "254.1", "OFF",
                Out("", "0.000000", "Cross", {"88.5", "254.1", "023", "NN", "023", "->Tone"})},
        OutCase{"nothing to DTCS", "146.52000", "146.52000", "D023I", "OFF",
                Out("", "0.000000", "Cross", {"88.5", "88.5", "023", "NR", "023", "->DTCS"})},
        OutCase{"DTCS to DTCS", "146.52000", "146.52000", "D754I", "D023I",
                Out("", "0.000000", "Cross", {"88.5", "88.5", "023", "RR", "754", "DTCS->DTCS"})},
        OutCase{"no transmit", "146.52000", "", "OFF", "OFF", Out("off", "0.000000", "", kNoTones)}),
    CaseName());

TEST(CommonOut, ListsNamesAndColumnsWithoutMeaning) {
    const Family& f = VelmarVFamily();
    ChannelTable t = NewTable(f, CH);
    Type(f, CH, t, 3, "438.50000", "431.10000", "OFF", "OFF");
    t.at(3, 5) = "窄";
    t.at(3, 6) = "否";
    t.at(3, 7) = "低";
    t.at(3, 11) = "RPT 7";
    const CsvText csv = ParseCsv(ExportChannels(f, CH, CsvForm::Common, t).text);
    ASSERT_TRUE(csv.ok);
    EXPECT_EQ(csv.records[1].cells,
              (std::vector<std::string>{"3", "RPT 7", "438.500000", "-", "7.400000", "", "88.5", "88.5", "023", "NN",
                                        "023", "Tone->Tone", "NFM", "", "S", "Low", "", "", "", "", ""}));

    // A radio without names, power, per-channel band width or scan leaves them empty.
    const Family& ch16 = VmCh16Family();
    ChannelTable t16 = NewTable(ch16, EN);
    Type(ch16, EN, t16, 16, "460.00000", "460.00000", "OFF", "OFF");
    const CsvText csv16 = ParseCsv(ExportChannels(ch16, EN, CsvForm::Common, t16).text);
    EXPECT_EQ(csv16.records[1].cells,
              (std::vector<std::string>{"16", "", "460.000000", "", "0.000000", "", "88.5", "88.5", "023", "NN", "023",
                                        "Tone->Tone", "", "", "", "", "", "", "", "", ""}));
}

TEST(CommonOut, ChannelWithoutReceiveFrequencyIsReportedNotDropped) {
    const Family& f = VmCh128Family();
    ChannelTable t = NewTable(f, EN);
    Type(f, EN, t, 1, "", "145.00000", "OFF", "OFF");
    Type(f, EN, t, 2, "145.50000", "145.50000", "OFF", "OFF");
    const ChannelExport out = ExportChannels(f, EN, CsvForm::Common, t);
    ASSERT_EQ(out.left.size(), 1u);
    EXPECT_EQ(out.left[0].channel, 1);
    EXPECT_EQ(DescribeExport(out, EN),
              (std::vector<std::string>{"Channel 1 not exported: the channel has no receive frequency, which the "
                                        "common layout cannot state"}));
    EXPECT_EQ(ParseCsv(out.text).records.size(), 2u);
}

// ---------------------------------------------------------------------------
// Refused rows and values left out
// ---------------------------------------------------------------------------

struct RefusalCase {
    const char* label;
    FamilyId id;
    ImportMode mode;
    std::string row;      // a full common-layout record
    std::string column;   // of the first problem
    std::string reason;   // its reason (English)
};

class CommonRefused : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(CommonRefused, RowIsReportedAndTheTableKept) {
    const RefusalCase& c = GetParam();
    const Family& f = GetFamily(c.id);
    ChannelTable before = NewTable(f, EN);
    Type(f, EN, before, 1, f.channelCount == 16 ? "450.00000" : "145.00000", "", "OFF", "OFF");
    const ChannelImport r =
        ImportChannels(f, EN, Common({"1,,450.000000,,0,,,,,,,,,,,,,,,,", c.row}), CsvForm::Common, c.mode, before);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.refused.size(), 1u);
    EXPECT_EQ(r.imported, 1);
    EXPECT_EQ(r.refused[0].row, 3);
    ASSERT_FALSE(r.refused[0].problems.empty());
    EXPECT_EQ(r.refused[0].problems[0].column, c.column);
    EXPECT_EQ(r.refused[0].problems[0].reason, c.reason);
    // The refused row left no trace in the table: every channel but the
    // good row's is as it was (or empty, after Replace).
    for (int row = 2; row <= f.channelCount; ++row) {
        if (c.mode == ImportMode::Merge && row == 1) continue;
        const int good = c.mode == ImportMode::Append ? 2 : 1;
        if (row == good) continue;
        for (int col = 1; col < f.columnCount(); ++col)
            EXPECT_EQ(r.table.at(row, col), c.mode == ImportMode::Replace ? "" : before.at(row, col)) << row << "," << col;
    }
}

const std::string kRange = "Error Data Format，Please input again";

INSTANTIATE_TEST_SUITE_P(
    Reasons, CommonRefused,
    ::testing::Values(
        RefusalCase{"duplex off", F::Velmar_V, ImportMode::Replace, "2,,146.52,off,0,,,,,,,,,,,,,,,,", "Duplex",
                    "a channel that does not transmit cannot be made on this radio"},
        RefusalCase{"duplex unknown", F::Velmar_V, ImportMode::Replace, "2,,146.52,x,0,,,,,,,,,,,,,,,,", "Duplex",
                    "not one of \"\", \"+\", \"-\", \"split\", \"off\""},
        RefusalCase{"DCS code off the table", F::VM_CH128, ImportMode::Replace,
                    "2,,146.52,,0,DTCS,88.5,88.5,017,NN,023,,FM,,,,,,,,", "DtcsCode", "not a DCS code of the tone table"},
        RefusalCase{"CTCSS off the table", F::VM_CH118, ImportMode::Replace,
                    "2,,146.52,,0,Tone,69.4,88.5,023,NN,023,,FM,,,,,,,,", "rToneFreq",
                    "not a CTCSS tone of the tone table"},
        RefusalCase{"polarity", F::Marlowe, ImportMode::Replace, "2,,450.0,,0,DTCS,88.5,88.5,023,NX,023,,FM,,,,,,,,",
                    "DtcsPolarity", "two letters N or R, transmit first"},
        RefusalCase{"tone mode", F::VM_CH16, ImportMode::Replace, "2,,450.0,,0,DV,,,,,,,,,,,,,,,", "Tone",
                    "not one of \"\", \"Tone\", \"TSQL\", \"DTCS\", \"Cross\""},
        RefusalCase{"cross mode", F::VM_CH16, ImportMode::Replace, "2,,450.0,,0,Cross,,,,,,Tone->X,,,,,,,,,",
                    "CrossMode",
                    "not one of \"Tone->Tone\", \"Tone->DTCS\", \"DTCS->Tone\", \"DTCS->\", \"->Tone\", \"->DTCS\", "
                    "\"DTCS->DTCS\""},
        RefusalCase{"mode AM", F::Velmar_V, ImportMode::Append, "2,,146.52,,0,,,,,,,,AM,,,,,,,,", "Mode",
                    "this radio has FM and NFM only"},
        RefusalCase{"power Mid", F::Marlowe, ImportMode::Append, "2,,450.0,,0,,,,,,,,FM,,,Mid,,,,,", "Power",
                    "this radio has High and Low only (or a wattage)"},
        RefusalCase{"skip P", F::VM_CH128, ImportMode::Append, "2,,146.52,,0,,,,,,,,FM,,P,,,,,,", "Skip",
                    "not \"\" (scan) or \"S\" (skip)"},
        RefusalCase{"not a number", F::Velmar_V, ImportMode::Merge, "2,,146.5O,,0,,,,,,,,,,,,,,,,", "Frequency",
                    "not a frequency in MHz"},
        RefusalCase{"finer than 10 Hz", F::Velmar_V, ImportMode::Merge, "2,,146.520005,,0,,,,,,,,,,,,,,,,",
                    "Frequency", "finer than 10 Hz"},
        RefusalCase{"out of range: the family's own message", F::Velmar_V, ImportMode::Merge,
                    "2,,600.000000,,0,,,,,,,,,,,,,,,,", "Frequency", kRange},
        RefusalCase{"transmit out of range", F::VM_CH16, ImportMode::Merge, "2,,450.000000,+,200,,,,,,,,,,,,,,,,",
                    "Duplex/Offset", kRange},
        RefusalCase{"a step the family refuses", F::VM_CH118, ImportMode::Merge, "2,,146.5225,,0,,,,,,,,,,,,,,,,",
                    "Frequency", "Error data Value，Please input according the step value(6.25K/5k)"},
        RefusalCase{"offset not a number", F::VM_CH128, ImportMode::Merge, "2,,146.52,+,six,,,,,,,,,,,,,,,,",
                    "Offset", "not an offset in MHz"},
        RefusalCase{"negative transmit", F::VM_CH128, ImportMode::Merge, "2,,146.52,-,150,,,,,,,,,,,,,,,,", "Offset",
                    "the transmit frequency would not be above 0 MHz"},
        RefusalCase{"location 0", F::Velmar_V, ImportMode::Merge, "0,,146.52,,0,,,,,,,,,,,,,,,,", "Location",
                    "not a channel number of this radio (1-128)"},
        RefusalCase{"location past the last channel", F::VM_CH118, ImportMode::Merge,
                    "119,,146.52,,0,,,,,,,,,,,,,,,,", "Location", "not a channel number of this radio (1-118)"},
        RefusalCase{"location taken", F::Marlowe, ImportMode::Merge, "1,,450.5,,0,,,,,,,,,,,,,,,,", "Location",
                    "the channel is already imported from row 2"}),
    CaseName());

TEST(CommonRefused, EveryReasonOfARowIsListedInTheInterfaceLanguage) {
    const Family& f = VelmarVFamily();
    const ChannelImport r = ImportChannels(f, CH, Common({"5,,700.0,,0,DTCS,,,999,NN,,,AM,,,,,,,,"}),
                                           CsvForm::Common, ImportMode::Merge, NewTable(f, CH));
    ASSERT_EQ(r.refused.size(), 1u);
    EXPECT_EQ(r.refused[0].channel, 5);
    ASSERT_EQ(r.refused[0].problems.size(), 2u);
    EXPECT_EQ(DescribeImport(r, CH),
              (std::vector<std::string>{"第2行（信道5）未导入：DtcsCode“999”：不是信令表中的 DCS 数字亚音；"
                                        "Mode“AM”：本机只有 FM 和 NFM"}));
    EXPECT_EQ(r.table.cells, NewTable(f, CH).cells);
}

TEST(CommonRefused, CommitMessagesComeAfterTheRowsOwnChecks) {
    const Family& f = VelmarVFamily();
    const ChannelImport r = ImportChannels(f, EN, Common({"5,,700.0,,0,,,,,,,,,,,,,,,,"}), CsvForm::Common,
                                           ImportMode::Merge, NewTable(f, EN));
    ASSERT_EQ(r.refused.size(), 1u);
    // A simplex row names its one frequency once.
    EXPECT_EQ(DescribeImport(r, EN),
              (std::vector<std::string>{"Row 2 (channel 5) refused: Frequency \"700.0\": " + kRange}));
}

TEST(CommonRefused, NoRoomLeftWhenAppendingOrReplacing) {
    const Family& f = MarloweFamily();
    std::vector<std::string> rows;
    for (int i = 0; i < 18; ++i) {
        const std::string khz = std::to_string(25 * i);
        rows.push_back(",,450." + std::string(3 - khz.size(), '0') + khz + ",,0,,,,,,,,,,,,,,,,");
    }
    ChannelImport r = ImportChannels(f, EN, Common(rows), CsvForm::Common, ImportMode::Replace, NewTable(f, EN));
    EXPECT_EQ(r.imported, 16);
    ASSERT_EQ(r.refused.size(), 2u);
    EXPECT_EQ(r.refused[0].row, 18);
    EXPECT_EQ(r.refused[0].problems[0].reason, "this radio has only 16 channels");

    ChannelTable t = NewTable(f, EN);
    Type(f, EN, t, 14, "450.00000", "450.00000", "OFF", "OFF");
    r = ImportChannels(f, EN, Common({rows[0], rows[1], rows[2]}), CsvForm::Common, ImportMode::Append, t);
    EXPECT_EQ(r.imported, 2);
    EXPECT_EQ(r.table.at(15, 1), "450.00000");
    EXPECT_EQ(r.table.at(16, 1), "450.02500");
    ASSERT_EQ(r.refused.size(), 1u);
    EXPECT_EQ(r.refused[0].channel, 0);
    EXPECT_EQ(r.refused[0].problems[0].reason, "no free channel after the last one in use (this radio has 16)");
}

struct DropCase {
    const char* label;
    FamilyId id;
    std::string row;
    std::string column;
    std::string reason;
};

class CommonDropped : public ::testing::TestWithParam<DropCase> {};

TEST_P(CommonDropped, RowIsImportedAndTheValueReported) {
    const DropCase& c = GetParam();
    const Family& f = GetFamily(c.id);
    const ChannelImport r =
        ImportChannels(f, EN, Common({c.row, c.row}), CsvForm::Common, ImportMode::Replace, NewTable(f, EN));
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.refused.empty());
    EXPECT_EQ(r.imported, 2);
    ASSERT_EQ(r.dropped.size(), 2u);
    EXPECT_EQ(r.dropped[0].problems.at(0).column, c.column);
    EXPECT_EQ(r.dropped[0].problems.at(0).reason, c.reason);
    // Grouped by column and reason in the report.
    EXPECT_EQ(DescribeImport(r, EN), (std::vector<std::string>{c.column + " not imported (rows 2-3): " + c.reason}));
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, CommonDropped,
    ::testing::Values(
        DropCase{"name on a radio without names", F::VM_CH118, "1,HOME,146.52,,0,,,,,,,,FM,,,High,,,,,", "Name",
                 "this radio has no channel names"},
        DropCase{"name too long", F::Velmar_V, "1,REPEATER,146.52,,0,,,,,,,,FM,,,High,,,,,", "Name",
                 "a name holds at most 6 characters of A-Z, 0-9, \"-\" and blank"},
        DropCase{"name characters", F::VM_CH128, "1,W1/R,146.52,,0,,,,,,,,FM,,,High,,,,,", "Name",
                 "a name holds at most 6 characters of A-Z, 0-9, \"-\" and blank"},
        DropCase{"power on a radio without it", F::VM_CH16, "1,,450.0,,0,,,,,,,,,,,High,,,,,", "Power",
                 "this radio has no transmit power per channel"},
        DropCase{"mode on a radio with one band width", F::VM_CH16, "1,,450.0,,0,,,,,,,,FM,,,,,,,,", "Mode",
                 "this radio sets the band width for all channels on its form"},
        DropCase{"skip on a radio without it", F::VM_CH16, "1,,450.0,,0,,,,,,,,,,S,,,,,,", "Skip",
                 "this radio has no scan setting per channel"}),
    CaseName());

// ---------------------------------------------------------------------------
// Modes
// ---------------------------------------------------------------------------

TEST(ImportModes, MergeWritesAtLocationAndKeepsWhatTheLayoutCannotState) {
    const Family& f = VelmarVFamily();
    ChannelTable t = NewTable(f, EN);
    Type(f, EN, t, 2, "145.00000", "145.00000", "OFF", "OFF");
    t.at(2, 8) = "2-Tone";
    t.at(2, 9) = "OFF";
    t.at(2, 10) = "Carrier";
    Type(f, EN, t, 9, "145.20000", "145.20000", "OFF", "OFF");
    const ChannelTable before = t;
    const ChannelImport r = ImportChannels(
        f, EN, Common({"2,NEW,146.00000,,0,Tone,100.0,,,,,,NFM,,S,Low,,,,,", "5,,146.10000,,0,,,,,,,,,,,,,,,,"}),
        CsvForm::Common, ImportMode::Merge, t);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.imported, 2);
    EXPECT_EQ(r.table.cells[2], (std::vector<std::string>{"2", "146.00000", "146.00000", "OFF", "100.0", "Narrow", "No",
                                                          "Low", "2-Tone", "OFF", "Carrier", "NEW", ">>"}));
    EXPECT_EQ(r.table.cells[5], (std::vector<std::string>{"5", "146.10000", "146.10000", "OFF", "OFF", "Wide", "Yes",
                                                          "High", "DTMF", "ON", "Close", "", ">>"}));
    EXPECT_EQ(r.table.cells[9], before.cells[9]);
    EXPECT_EQ(r.table.selection, before.selection);
}

TEST(ImportModes, NativeRowsEachTakeTheirPlace) {
    const Family& f = VmCh128Family();
    ChannelTable t = NewTable(f, EN);
    Type(f, EN, t, 1, "145.00000", "145.00000", "OFF", "OFF");
    Type(f, EN, t, 3, "145.10000", "145.10000", "OFF", "OFF");
    t.at(4, 11) = "SPARE";   // a name on a channel not in use
    const std::string file = ExportChannels(f, EN, CsvForm::Native, t).text;

    ChannelTable other = NewTable(f, EN);
    Type(f, EN, other, 127, "145.55000", "145.55000", "OFF", "OFF");
    // Replace: the whole table, row by row.
    ChannelImport r = ImportChannels(f, EN, file, CsvForm::Auto, ImportMode::Replace, other);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.form, CsvForm::Native);
    EXPECT_EQ(r.imported, 2);
    EXPECT_EQ(r.emptyRows, 126);
    EXPECT_EQ(r.table.cells, t.cells);
    // Append: the file's channels after the last channel in use, empty rows
    // skipped (the name of an empty row is reported), no room for the second.
    r = ImportChannels(f, EN, file, CsvForm::Auto, ImportMode::Append, other);
    EXPECT_EQ(r.imported, 1);
    EXPECT_EQ(r.table.at(128, 1), "145.00000");
    ASSERT_EQ(r.refused.size(), 1u);
    EXPECT_EQ(r.refused[0].row, 4);
    EXPECT_EQ(DescribeImport(r, EN).back(), "Name not imported (row 5): a row without a frequency holds no channel settings");
}

// ---------------------------------------------------------------------------
// Whole-file checks
// ---------------------------------------------------------------------------

struct FileCase {
    const char* label;
    CsvForm form;
    std::string text;
    std::string error;   // English
};

class FileRefused : public ::testing::TestWithParam<FileCase> {};

TEST_P(FileRefused, NothingChanges) {
    const FileCase& c = GetParam();
    const Family& f = VmCh128Family();
    ChannelTable t = NewTable(f, EN);
    Type(f, EN, t, 1, "145.00000", "145.00000", "OFF", "OFF");
    const ChannelImport r = ImportChannels(f, EN, c.text, c.form, ImportMode::Replace, t);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, c.error);
    EXPECT_EQ(r.table.cells, t.cells);
    EXPECT_EQ(DescribeImport(r, EN), std::vector<std::string>{c.error});
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, FileRefused,
    ::testing::Values(
        FileCase{"empty", CsvForm::Auto, "", "The file holds no header line."},
        FileCase{"blank lines", CsvForm::Auto, "\r\n,,\r\n", "The file holds no header line."},
        FileCase{"not utf8", CsvForm::Auto, "Location,Name\r\n1,\xC4\xE3\r\n",
                 "The file is not UTF-8 text. Save it from the spreadsheet as \"CSV UTF-8\" and import it again."},
        FileCase{"semicolons", CsvForm::Auto, "Location;Frequency\r\n1;145\r\n",
                 "The cells are separated by semicolons; this program reads comma-separated files."},
        FileCase{"unknown header", CsvForm::Auto, "a,b\r\n",
                 "The header line is neither the channel table of this program nor the common exchange layout (which "
                 "has a \"Frequency\" column)."},
        FileCase{"common forced on a native file", CsvForm::Common,
                 "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone, W/N ,Scan,Tx Power, Opt Signal,PTTID,BusyLock,Name\r\n",
                 "The header line has no \"Frequency\" column of the common exchange layout."},
        FileCase{"native forced on a common file", CsvForm::Native, kCommonHeader + "\r\n",
                 "The header line is not the channel table of this program: CH,Receive(MHz),Transmit(MHz),Rx Tone,"
                 "Tx Tone,W/N,Scan,Tx Power,Opt Signal,PTTID,BusyLock,Name."},
        FileCase{"open quote", CsvForm::Auto, kCommonHeader + "\r\n1,\"X,146.52\r\n",
                 "Row 2: a quoted cell is not closed before the end of the file."}),
    CaseName());

TEST(NativeIn, OtherFamiliesHeadersAreNotNative) {
    // Each family's native header is recognised by itself alone.
    for (const Family* exporter : AllFamilies()) {
        const std::string file = ExportChannels(*exporter, EN, CsvForm::Native, NewTable(*exporter, EN)).text;
        for (const Family* importer : AllFamilies()) {
            const ChannelImport r = ImportChannels(*importer, EN, file, CsvForm::Native, ImportMode::Replace,
                                                   NewTable(*importer, EN));
            const bool same = exporter == importer ||
                              (exporter->columns.size() == importer->columns.size() &&
                               std::equal(exporter->columns.begin(), exporter->columns.end(), importer->columns.begin(),
                                          [](const Column& a, const Column& b) { return a.header.en == b.header.en; }));
            EXPECT_EQ(r.ok, same) << exporter->name << " -> " << importer->name;
        }
    }
}

struct NativeCellCase {
    const char* label;
    int col;            // Velmar_V column
    std::string text;   // typed into channel 1 of a native file
    std::string cell;   // what the table then holds; "!" when the row is refused
};

class NativeCells : public ::testing::TestWithParam<NativeCellCase> {};

TEST_P(NativeCells, TextsASpreadsheetMayHaveChanged) {
    const NativeCellCase& c = GetParam();
    const Family& f = VelmarVFamily();
    ChannelTable t = NewTable(f, EN);
    Type(f, EN, t, 1, "145.00000", "145.00000", "OFF", "OFF");
    std::vector<std::vector<std::string>> records(t.cells.begin(), t.cells.begin() + 2);
    records[1][static_cast<std::size_t>(c.col)] = c.text;
    const ChannelImport r =
        ImportChannels(f, EN, FormatCsv(records), CsvForm::Auto, ImportMode::Replace, NewTable(f, EN));
    ASSERT_TRUE(r.ok) << r.error;
    if (c.cell == "!") {
        ASSERT_EQ(r.refused.size(), 1u);
        EXPECT_EQ(r.refused[0].problems[0].value, c.text);
        return;
    }
    ASSERT_TRUE(r.refused.empty()) << DescribeImport(r, EN).front();
    EXPECT_EQ(r.table.at(1, c.col), c.cell);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NativeCells,
    ::testing::Values(NativeCellCase{"frequency without trailing zeros", 1, "145.525", "145.52500"},
                      NativeCellCase{"frequency finer than 10 Hz", 1, "145.525001", "!"},
                      NativeCellCase{"frequency off step", 2, "145.5237", "!"},
                      NativeCellCase{"tone without decimals", 3, "100", "100.0"},
                      NativeCellCase{"tone with two decimals", 4, "88.50", "88.5"},
                      NativeCellCase{"tone not in the table", 4, "88.6", "!"},
                      NativeCellCase{"dcs in lower case", 3, "d023i", "D023I"},
                      NativeCellCase{"dcs off the table", 3, "D024N", "!"},
                      NativeCellCase{"list text in lower case", 5, "narrow", "Narrow"},
                      NativeCellCase{"list text in Chinese", 7, "低", "Low"},
                      NativeCellCase{"list text unknown", 10, "Open", "!"},
                      NativeCellCase{"empty signalling as the window shows it", 8, "", ""}),
    CaseName());

// ---------------------------------------------------------------------------
// The native round trip, byte for byte
// ---------------------------------------------------------------------------

/// A table with a bit of everything the family's grid can show, typed into
/// a new document: every item of every list, tones of all kinds, long names,
/// a channel with only a transmit frequency and one with only a receive one.
ChannelTable Varied(const Family& f, Lang lang, unsigned seed) {
    std::mt19937 rng(seed);
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    ChannelTable t = NewTable(f, lang);
    const std::vector<std::string>& tones = ToneTable();
    const int used = std::min(f.channelCount, 40);
    for (int k = 0; k < used; ++k) {
        const int row = 1 + pick(f.channelCount);
        // On-step frequencies inside the family's range.
        const auto freq = [&] {
            const std::int64_t step = f.frequencyRule.steps[static_cast<std::size_t>(pick(2))];
            const std::int64_t lo = (f.frequencyRule.lo + step - 1) / step, hi = f.frequencyRule.hi / step;
            return FormatMHz(step * (lo + pick(static_cast<int>(hi - lo + 1))));
        };
        const int shape = pick(8);
        Type(f, lang, t, row, shape == 0 ? "" : freq(), shape == 1 ? "" : freq(), tones[static_cast<std::size_t>(pick(261))],
             tones[static_cast<std::size_t>(pick(261))]);
        for (int c = 1; c < f.columnCount(); ++c) {
            const Column& col = f.columns[static_cast<std::size_t>(c)];
            if (col.kind == ColumnKind::List)
                CommitListCell(t, row, c, col.items[static_cast<std::size_t>(pick(static_cast<int>(col.items.size())))].text.in(f.uiLang(lang)));
            if (col.kind == ColumnKind::Name) {
                const char* names[] = {"", "A", "AB-12", "ABCDEF", "ABCDEFG", "ABCDEFGH", "A B", "9-9-9"};
                CommitNameCell(t, row, c, names[pick(8)]);
                // Names of channels not in use are kept too.
                CommitNameCell(t, 1 + pick(f.channelCount), c, "SPARE");
            }
        }
    }
    return t;
}

class NativeRoundTrip : public ::testing::TestWithParam<const Family*> {};

TEST_P(NativeRoundTrip, ExportThenImportIntoANewDocumentGivesWhatSaveWrites) {
    const Family& f = *GetParam();
    for (unsigned seed = 1; seed <= 12; ++seed) {
        for (const Lang from : {EN, CH}) {
            // The document the user saved and exported.
            Image saved = NewDocumentImage(f);
            StoreChannelGrid(f, Varied(f, from, seed), saved);
            saved = Saved(f, saved);
            const ChannelExport out = ExportChannels(f, from, CsvForm::Native, Filled(f, from, saved));
            ASSERT_TRUE(out.left.empty());
            for (const Lang into : {EN, CH}) {
                const ChannelImport in =
                    ImportChannels(f, into, out.text, CsvForm::Auto, ImportMode::Replace, NewTable(f, into));
                ASSERT_TRUE(in.ok) << in.error;
                ASSERT_TRUE(in.refused.empty()) << DescribeImport(in, EN).front();
                ASSERT_TRUE(in.dropped.empty()) << DescribeImport(in, EN).front();
                Image image = NewDocumentImage(f);
                StoreChannelGrid(f, in.table, image);
                ASSERT_EQ(image, saved) << "seed " << seed;
            }
        }
    }
}

TEST_P(NativeRoundTrip, ImportIntoTheSameDocumentKeepsEveryOtherByte) {
    // A document read from a radio: settings and bytes no column owns are
    // anything; the channels hold values the table can show.
    const Family& f = *GetParam();
    std::mt19937 rng(7);
    for (unsigned seed = 1; seed <= 6; ++seed) {
        Image image(static_cast<std::size_t>(f.imageSize));
        for (Byte& b : image) b = static_cast<Byte>(rng());
        for (int ch = 1; ch <= f.channelCount; ++ch)
            for (int i = 0; i < 12; ++i) image[static_cast<std::size_t>(f.recordAddr(ch) + i)] = 0xFF;
        StoreChannelGrid(f, Varied(f, EN, seed + 100), image);
        const Image saved = Saved(f, image);
        const std::string text = ExportChannels(f, EN, CsvForm::Native, Filled(f, EN, saved)).text;
        const ChannelImport in = ImportChannels(f, EN, text, CsvForm::Auto, ImportMode::Replace, Filled(f, EN, saved));
        ASSERT_TRUE(in.refused.empty() && in.dropped.empty());
        Image again = saved;
        StoreChannelGrid(f, in.table, again);
        EXPECT_EQ(again, saved);
    }
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, NativeRoundTrip, ::testing::ValuesIn(AllFamilies()),
                         [](const auto& info) { return info.param->name; });

TEST(NativeRoundTrip, ToneBytesOfAChannelNotInUseAreReported) {
    // The sixteen-channel radios show the tone bytes of an empty channel;
    // typing cannot put a tone there, so neither can an import: it says so.
    const Family& f = VmCh16Family();
    Image image = NewDocumentImage(f);
    image[static_cast<std::size_t>(f.recordAddr(3) + 9)] = 0x08;
    image[static_cast<std::size_t>(f.recordAddr(3) + 8)] = 0x85;
    const std::string text = ExportChannels(f, EN, CsvForm::Native, Filled(f, EN, image)).text;
    const ChannelImport in = ImportChannels(f, EN, text, CsvForm::Auto, ImportMode::Replace, NewTable(f, EN));
    EXPECT_TRUE(in.refused.empty());
    EXPECT_EQ(DescribeImport(in, EN),
              (std::vector<std::string>{"Rx Tone not imported (row 4): a row without a frequency holds no channel settings"}));
}

TEST(ChannelRoles, EveryRoleColumnHasItsItems) {
    const std::pair<ChannelRole, std::vector<std::string>> roles[] = {
        {ChannelRole::Bandwidth, {"Wide", "Narrow"}}, {ChannelRole::Power, {"High", "Low"}}, {ChannelRole::Scan, {"Yes", "No"}}};
    for (const Family* f : AllFamilies()) {
        int found = 0;
        for (const Column& c : f->columns) {
            for (const auto& [role, texts] : roles) {
                if (c.role != role) continue;
                ++found;
                for (const std::string& en : texts)
                    EXPECT_TRUE(std::any_of(c.items.begin(), c.items.end(), [&](const ListItem& i) { return i.text.en == en; }))
                        << f->name << " " << en;
            }
        }
        EXPECT_EQ(found, f->id == F::VM_CH16 || f->id == F::VM_CH16_CN ? 0 : 3) << f->name;
    }
}

}  // namespace
}  // namespace vel

// The built velprog, run as a separate program: file commands on temporary
// files, and read, write and testmode against `velprog simulate` over a real
// pseudo-terminal.

#ifndef _WIN32

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "apps/marlowe/data_password.h"
#include "apps/marlowe/image_text.h"
#include "image/family.h"
#include "settings/settings_dialog_model.h"
#include "table/channel_csv.h"
#include "table/channel_table.h"
#include "velprog_run.h"

namespace vel {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using namespace velprog_run;

/// Bytes that differ from address to address and from seed to seed.
Image Pattern(int size, unsigned seed) {
    Image img(static_cast<std::size_t>(size));
    unsigned x = seed * 2654435761u + 12345u;
    for (Byte& b : img) {
        x = x * 1103515245u + 12345u;
        b = static_cast<Byte>(x >> 16);
    }
    return img;
}

/// What the window saves: the image's table filled and stored back.
Image Stored(const Family& family, Lang lang, Image image) {
    ChannelTable table = NewChannelTable(family, lang);
    FillChannelGrid(family, lang, image, table);
    StoreChannelGrid(family, table, image);
    return image;
}

std::string FamilyName(const ::testing::TestParamInfo<const Family*>& info) { return info.param->name; }

// ---------------------------------------------------------------------------
// families, new, show, store
// ---------------------------------------------------------------------------

TEST(Velprog, FamiliesListsNameAndImageSize) {
    const RunResult r = Velprog({"families"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "Velmar_V 4096\nVM_CH128 3168\nVM_CH118 2048\nMarlowe 1024\nVM_CH16 1024\nVM_CH16_CN 1024\n");
}

class VelprogFamily : public ::testing::TestWithParam<const Family*> {};

TEST_P(VelprogFamily, NewIsTheNewDocumentAsSaved) {
    const Family& family = *GetParam();
    TempDir dir;
    for (const char* lang : {"en", "ch"}) {
        const std::string out = dir / (std::string("new_") + lang + ".sin");
        const RunResult r = Velprog({"new", "--family", family.name, "--lang", lang, out}, dir.path);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const Image expected = Stored(family, Lang::English, NewDocumentImage(family));
        EXPECT_EQ(ReadFile(out), expected) << lang;
    }
    EXPECT_FALSE(fs::exists(dir.path / "1.txt")) << "velprog never writes the text form";
}

TEST_P(VelprogFamily, ShowPrintsWhatTheWindowShows) {
    const Family& family = *GetParam();
    TempDir dir;
    const Image image = Stored(family, Lang::English, NewDocumentImage(family));
    WriteFile(dir / "in.sin", image);
    for (const Lang lang : {Lang::English, Lang::Chinese}) {
        const RunResult r =
            Velprog({"show", "--family", family.name, "--lang", lang == Lang::English ? "en" : "ch", dir / "in.sin"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const json doc = json::parse(r.out);
        const Lang shown = family.uiLang(lang);
        ChannelTable table = NewChannelTable(family, shown);
        FillChannelGrid(family, shown, image, table);
        EXPECT_EQ(doc["family"], family.name);
        EXPECT_EQ(doc["headers"].get<std::vector<std::string>>(), table.cells[0]);
        ASSERT_EQ(doc["rows"].size(), static_cast<std::size_t>(family.channelCount));
        for (int row = 1; row <= family.channelCount; ++row) {
            EXPECT_EQ(doc["rows"][row - 1].get<std::vector<std::string>>(), table.cells[row]) << "row " << row;
            EXPECT_EQ(doc["rows"][row - 1][0], std::to_string(row)) << "column 0 holds the channel number";
        }
        ASSERT_EQ(doc["form"].size(), family.form.size());
        for (const FormField& field : family.form) {
            const std::string key = std::to_string(field.id);
            ASSERT_TRUE(doc["form"].contains(key)) << key;
            if (field.isEdit()) continue;
            const int sel = table.selection.count(field.id) ? table.selection.at(field.id) : -1;
            EXPECT_EQ(doc["form"][key], sel < 0 ? std::string() : field.items[sel].text.in(shown)) << key;
        }
    }
}

/// A channel row of valid texts for every column of `family`.
std::vector<std::string> ChannelTexts(const Family& family, int channel, Lang lang) {
    std::vector<std::string> row;
    for (const Column& col : family.columns) {
        switch (col.kind) {
        case ColumnKind::Number: row.push_back(std::to_string(channel)); break;
        case ColumnKind::RxFrequency: row.push_back("145.12500"); break;
        case ColumnKind::TxFrequency: row.push_back("146.50000"); break;
        case ColumnKind::RxTone: row.push_back("88.5"); break;
        case ColumnKind::TxTone: row.push_back("D023N"); break;
        case ColumnKind::List: row.push_back(col.items.size() > 1 ? col.items[1].text.in(lang) : col.items[0].text.in(lang)); break;
        case ColumnKind::Name: row.push_back("AB-12"); break;
        case ColumnKind::More: row.push_back(">>"); break;
        case ColumnKind::Blank: row.push_back(""); break;
        }
    }
    return row;
}

TEST_P(VelprogFamily, StoreThenShowGivesTheGridBack) {
    const Family& family = *GetParam();
    const Lang lang = family.uiLang(Lang::English);
    TempDir dir;
    const Image image = Stored(family, lang, NewDocumentImage(family));
    WriteFile(dir / "in.sin", image);
    const RunResult shown = Velprog({"show", "--family", family.name, dir / "in.sin"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    json grid = json::parse(shown.out);
    // Channels 1 and the last one in use; the band list on its last item.
    grid["rows"][0] = ChannelTexts(family, 1, lang);
    grid["rows"][family.channelCount - 1] = ChannelTexts(family, family.channelCount, lang);
    const FormField* band = family.field(1011);
    ASSERT_NE(band, nullptr);
    grid["form"]["1011"] = band->items.back().text.in(lang);
    WriteText(dir / "grid.json", grid.dump());

    const RunResult stored =
        Velprog({"store", "--family", family.name, "--grid", dir / "grid.json", dir / "in.sin", dir / "out.sin"},
                dir.path);
    ASSERT_EQ(stored.exitCode, 0) << stored.err;
    EXPECT_FALSE(fs::exists(dir.path / "1.txt"));

    // The bytes are those the engine stores from the same texts.
    ChannelTable table = NewChannelTable(family, lang);
    FillChannelGrid(family, lang, image, table);
    table.cells[1] = ChannelTexts(family, 1, lang);
    table.cells[family.channelCount] = ChannelTexts(family, family.channelCount, lang);
    table.selection[1011] = static_cast<int>(band->items.size()) - 1;
    Image expected = image;
    StoreChannelGrid(family, table, expected);
    EXPECT_EQ(ReadFile(dir / "out.sin"), expected);

    // And showing the result gives the edited grid back.
    const RunResult again = Velprog({"show", "--family", family.name, dir / "out.sin"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(json::parse(again.out), grid);
}

TEST_P(VelprogFamily, ExportThenImportIntoANewDocumentGivesWhatSaveWrites) {
    const Family& family = *GetParam();
    const Lang lang = family.uiLang(Lang::English);
    TempDir dir;
    // A file with channels in the first and the last row, typed into what
    // `velprog new` writes (a new document as saved).
    const Image saved = Stored(family, lang, NewDocumentImage(family));
    ChannelTable table = NewChannelTable(family, lang);
    FillChannelGrid(family, lang, saved, table);
    for (int row : {1, family.channelCount}) {
        CommitFrequency(family, lang, table, row, 1, "145.12500", CommitKey::LeaveCell);
        CommitToneCell(table, row, 4, "D023N");
    }
    Image image = saved;
    StoreChannelGrid(family, table, image);
    WriteFile(dir / "in.sin", image);

    const RunResult exported = Velprog({"export", "--family", family.name, dir / "in.sin", dir / "list.csv"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    ASSERT_EQ(Velprog({"new", "--family", family.name, dir / "new.sin"}).exitCode, 0);
    const RunResult imported =
        Velprog({"import", "--family", family.name, dir / "list.csv", dir / "new.sin", dir / "out.sin"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(ReadFile(dir / "out.sin"), Stored(family, lang, image));
    const json summary = json::parse(imported.out);
    EXPECT_EQ(summary["form"], "native");
    EXPECT_EQ(summary["imported"], 2);
    EXPECT_EQ(summary["written"], true);
    EXPECT_TRUE(imported.err.empty()) << imported.err;
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, VelprogFamily, ::testing::ValuesIn(AllFamilies()), FamilyName);

// ---------------------------------------------------------------------------
// export and import
// ---------------------------------------------------------------------------

const char* kCommonList =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,"
    "TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
    "1,HOME,145.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,\r\n"
    "2,AIR,118.100000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,25.00,S,Low,,,,,\r\n"
    "3,RPT,438.500000,-,7.600000,Tone,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,,50W,,,,,\r\n";

TEST(VelprogCsv, RefusedRowFailsAndLeavesOutAlone) {
    TempDir dir;
    WriteText(dir / "list.csv", kCommonList);
    const Image image = Stored(VmCh128Family(), Lang::English, NewDocumentImage(VmCh128Family()));
    WriteFile(dir / "in.sin", image);
    WriteFile(dir / "out.sin", Image{1, 2, 3});
    const std::vector<std::string> args = {"import", "--family", "VM_CH128", "--mode", "merge",
                                           dir / "list.csv", dir / "in.sin", dir / "out.sin"};
    RunResult r = Velprog(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(ReadFile(dir / "out.sin"), (Image{1, 2, 3}));
    EXPECT_NE(r.err.find("velprog: Row 3 (channel 2) refused: Duplex \"off\": a channel that does not transmit cannot "
                         "be made on this radio; Mode \"AM\": this radio has FM and NFM only"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("out.sin was not written"), std::string::npos) << r.err;
    json summary = json::parse(r.out);
    EXPECT_EQ(summary["imported"], 2);
    EXPECT_EQ(summary["written"], false);
    ASSERT_EQ(summary["refused"].size(), 1u);
    EXPECT_EQ(summary["refused"][0]["row"], 3);
    EXPECT_EQ(summary["refused"][0]["problems"][1]["column"], "Mode");

    // --skip-bad writes the others.
    std::vector<std::string> skip = args;
    skip.insert(skip.begin() + 1, "--skip-bad");
    r = Velprog(skip);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    ChannelTable table = NewChannelTable(VmCh128Family(), Lang::English);
    FillChannelGrid(VmCh128Family(), Lang::English, ReadFile(dir / "out.sin"), table);
    EXPECT_EQ(table.cells[1], (std::vector<std::string>{"1", "145.50000", "145.50000", "OFF", "OFF", "Wide", "Yes",
                                                        "High", "DTMF", "ON", "Close", "HOME"}));
    EXPECT_EQ(table.cells[3], (std::vector<std::string>{"3", "438.50000", "430.90000", "OFF", "88.5", "Narrow", "Yes",
                                                        "High", "DTMF", "ON", "Close", "RPT"}));
    EXPECT_EQ(table.at(2, 1), "");
}

TEST(VelprogCsv, ExportWritesTheLibrarysTextAndImportReportsInChinese) {
    TempDir dir;
    const Family& family = VelmarVFamily();
    WriteText(dir / "list.csv", kCommonList);
    WriteFile(dir / "in.sin", Stored(family, Lang::English, NewDocumentImage(family)));
    RunResult r = Velprog({"import", "--family", "Velmar_V", "--lang", "ch", "--skip-bad", "--format", "common",
                           dir / "list.csv", dir / "in.sin", dir / "out.sin"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("第3行（信道2）未导入：Duplex“off”：本机不能设置只收不发的信道"), std::string::npos) << r.err;

    for (const char* format : {"native", "common"}) {
        r = Velprog({"export", "--family", "Velmar_V", "--lang", "ch", "--format", format, dir / "out.sin",
                     dir / "list.csv"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        ChannelTable table = NewChannelTable(family, Lang::Chinese);
        FillChannelGrid(family, Lang::Chinese, ReadFile(dir / "out.sin"), table);
        const std::string expected =
            ExportChannels(family, Lang::Chinese, std::string(format) == "native" ? CsvForm::Native : CsvForm::Common,
                           table)
                .text;
        const Image written = ReadFile(dir / "list.csv");
        EXPECT_EQ(std::string(written.begin(), written.end()), expected) << format;
    }
}

TEST(VelprogCsv, UsageAndUnreadableFiles) {
    TempDir dir;
    WriteFile(dir / "in.sin", NewDocumentImage(MarloweFamily()));
    EXPECT_EQ(Velprog({"import", "--family", "Marlowe", "--mode", "insert", dir / "x.csv", dir / "in.sin", dir / "o.sin"})
                  .exitCode,
              2);
    EXPECT_EQ(Velprog({"export", "--family", "Marlowe", "--format", "chirp", dir / "in.sin", dir / "o.csv"}).exitCode, 2);
    EXPECT_EQ(Velprog({"export", "--family", "Marlowe", dir / "in.sin"}).exitCode, 2);
    const RunResult missing =
        Velprog({"import", "--family", "Marlowe", dir / "missing.csv", dir / "in.sin", dir / "o.sin"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("missing.csv"), std::string::npos);
    WriteText(dir / "bad.csv", "what,ever\r\n1,2\r\n");
    const RunResult bad = Velprog({"import", "--family", "Marlowe", dir / "bad.csv", dir / "in.sin", dir / "o.sin"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("neither the channel table of this program nor the common exchange layout"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dir.path / "o.sin"));
}

TEST(Velprog, ChineseFamilyShowsChineseWhateverTheLanguageAsked) {
    TempDir dir;
    const Family& family = GetFamily(FamilyId::VM_CH16_CN);
    ASSERT_EQ(Velprog({"new", "--family", "VM_CH16_CN", dir / "cn.sin"}).exitCode, 0);
    const RunResult en = Velprog({"show", "--family", "VM_CH16_CN", "--lang", "en", dir / "cn.sin"});
    ASSERT_EQ(en.exitCode, 0) << en.err;
    const json doc = json::parse(en.out);
    EXPECT_EQ(doc["headers"][1], family.columns[1].header.ch);
    EXPECT_EQ(doc["form"]["1011"], family.field(1011)->items[7].text.ch);
}

// ---------------------------------------------------------------------------
// Refusals
// ---------------------------------------------------------------------------

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
};

// Test names in ctest show the case, not its bytes.
void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

class VelprogUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(VelprogUsage, ExitsWithTwo) {
    TempDir dir;
    std::vector<std::string> args = GetParam().args;
    for (std::string& a : args)
        if (a == "OUT") a = dir / "out.sin";
    const RunResult r = Velprog(args, dir.path);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(fs::exists(dir / "out.sin"));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, VelprogUsage,
    ::testing::Values(
        UsageCase{"NoCommand", {}}, UsageCase{"UnknownCommand", {"erase", "OUT"}},
        UsageCase{"NoFamily", {"new", "OUT"}}, UsageCase{"UnknownFamily", {"new", "--family", "Velmar", "OUT"}},
        UsageCase{"BadLanguage", {"new", "--family", "VM_CH16", "--lang", "de", "OUT"}},
        UsageCase{"NoOutput", {"new", "--family", "VM_CH16"}},
        UsageCase{"StoreWithoutGrid", {"store", "--family", "VM_CH16", "in.sin", "OUT"}},
        UsageCase{"ReadWithoutPort", {"read", "--family", "VM_CH16", "OUT"}},
        UsageCase{"NegativeRetry", {"read", "--family", "VM_CH16", "--port", "COM1", "--retry", "-1", "OUT"}},
        UsageCase{"ValueAndDefault",
                  {"testmode", "--family", "VM_CH16", "--port", "COM1", "--item", "tx-power", "--value", "3",
                   "--default"}},
        UsageCase{"NeitherValueNorDefault", {"testmode", "--family", "VM_CH16", "--port", "COM1", "--item", "tx-power"}},
        UsageCase{"ValueTooBig",
                  {"testmode", "--family", "VM_CH16", "--port", "COM1", "--item", "tx-power", "--value", "256"}},
        UsageCase{"UnknownItem",
                  {"testmode", "--family", "VM_CH16", "--port", "COM1", "--item", "volume", "--default"}},
        UsageCase{"UnknownStep",
                  {"testmode", "--family", "VM_CH16", "--port", "COM1", "--item", "tx-power", "--default", "--step",
                   "12.5"}},
        UsageCase{"UnknownTone",
                  {"testmode", "--family", "VM_CH16", "--port", "COM1", "--item", "tx-power", "--default",
                   "--rx-tone", "88.4"}},
        UsageCase{"BandWithoutNumber",
                  {"testmode", "--family", "Velmar_V", "--port", "COM1", "--item", "tx-power", "--default", "--band",
                   "MHz"}},
        UsageCase{"UnknownFault", {"simulate", "--family", "VM_CH16", "--fault", "loud"}},
        UsageCase{"TypeByteTooBig", {"simulate", "--family", "VM_CH16", "--type-byte", "300"}},
        UsageCase{"OptionsWithoutShowOrSet", {"options", "--family", "VM_CH128", "in.sin"}},
        UsageCase{"OptionsUnknownDialog", {"options", "show", "--family", "VM_CH128", "--dialog", "vox", "in.sin"}},
        UsageCase{"OptionsFamilyWithoutDialog", {"options", "show", "--family", "VM_CH16", "in.sin"}},
        UsageCase{"OptionsNoKeyAssignment",
                  {"options", "show", "--family", "VM_CH128", "--dialog", "key-assignment", "in.sin"}},
        UsageCase{"OptionsSetWithoutValues", {"options", "set", "--family", "VM_CH118", "in.sin", "OUT"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadFileCase {
    const char* name;
    const char* inSize;     // "missing", "empty", "short" or "ok"
    const char* gridText;
};

// Test names in ctest show the case, not its bytes.
void PrintTo(const BadFileCase& c, std::ostream* os) { *os << c.name; }

class VelprogBadFile : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(VelprogBadFile, ExitsWithOneAndLeavesNoOutput) {
    const BadFileCase c = GetParam();
    TempDir dir;
    const Family& family = GetFamily(FamilyId::VM_CH16);
    const std::string in = dir / "in.sin";
    const std::string inSize = c.inSize;
    if (inSize == "short") WriteFile(in, Image(1000, 0xFF));
    if (inSize == "empty") WriteFile(in, Image());
    if (inSize == "ok") WriteFile(in, Stored(family, Lang::English, NewDocumentImage(family)));
    WriteText(dir / "grid.json", c.gridText);
    const RunResult r =
        Velprog({"store", "--family", "VM_CH16", "--grid", dir / "grid.json", in, dir / "out.sin"}, dir.path);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("velprog: "), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.sin"));
}

const char* const kGoodGridStart = R"({"family":"VM_CH16","rows":[)";

std::string SixteenRows(const std::string& firstRow) {
    std::string rows = firstRow;
    for (int i = 2; i <= 16; ++i) rows += R"(,["","","","","","",""])";
    return rows;
}

INSTANTIATE_TEST_SUITE_P(
    Files, VelprogBadFile,
    ::testing::Values(
        BadFileCase{"MissingFile", "missing", "{}"}, BadFileCase{"ShortFile", "short", "{}"},
        BadFileCase{"EmptyFile", "empty", "{}"}, BadFileCase{"GridNotJson", "ok", "{rows:"},
        BadFileCase{"GridNotObject", "ok", "[]"}, BadFileCase{"GridWithoutRows", "ok", R"({"form":{}})"},
        BadFileCase{"GridOfAnotherFamily", "ok", R"({"family":"Marlowe","rows":[]})"},
        BadFileCase{"TooFewRows", "ok", R"({"rows":[["1","","","","","",""]]})"}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadGridCase {
    const char* name;
    std::string grid;
};

// Test names in ctest show the case, not its bytes.
void PrintTo(const BadGridCase& c, std::ostream* os) { *os << c.name; }

class VelprogBadGrid : public ::testing::TestWithParam<BadGridCase> {};

TEST_P(VelprogBadGrid, ExitsWithOneAndLeavesNoOutput) {
    TempDir dir;
    const Family& family = GetFamily(FamilyId::VM_CH16);
    WriteFile(dir / "in.sin", Stored(family, Lang::English, NewDocumentImage(family)));
    WriteText(dir / "grid.json", GetParam().grid);
    const RunResult r = Velprog(
        {"store", "--family", "VM_CH16", "--grid", dir / "grid.json", dir / "in.sin", dir / "out.sin"}, dir.path);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find("grid.json"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.sin"));
}

INSTANTIATE_TEST_SUITE_P(
    Grids, VelprogBadGrid,
    ::testing::Values(
        BadGridCase{"UnknownListText", std::string(kGoodGridStart) + SixteenRows(R"(["1","","","","","",""])") +
                                 R"(],"form":{"1011":"nowhere"}})"},
        BadGridCase{"ShortRow", std::string(kGoodGridStart) + SixteenRows(R"(["1",""])") + "]}"},
        BadGridCase{"CellNotText", std::string(kGoodGridStart) + SixteenRows(R"(["1",145.125,"","","","",""])") + "]}"},
        BadGridCase{"UnknownControl", std::string(kGoodGridStart) + SixteenRows(R"(["1","","","","","",""])") +
                                          R"(],"form":{"4242":"x"}})"},
        BadGridCase{"ControlNotNumber", std::string(kGoodGridStart) + SixteenRows(R"(["1","","","","","",""])") +
                                            R"(],"form":{"Field":"x"}})"},
        BadGridCase{"FormValueNotText", std::string(kGoodGridStart) + SixteenRows(R"(["1","","","","","",""])") +
                                            R"(],"form":{"1011":3}})"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Velprog, UnwritableOutputFailsAndLeavesNothing) {
    TempDir dir;
    const RunResult r = Velprog({"new", "--family", "VM_CH16", dir / "no_such_dir/out.sin"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(fs::exists(dir / "no_such_dir"));
}

TEST(Velprog, StoreLeavesAnExistingOutputAloneOnFailure) {
    TempDir dir;
    WriteFile(dir / "out.sin", Image(5, 0x11));
    WriteFile(dir / "in.sin", Image(10, 0xFF));
    WriteText(dir / "grid.json", "{}");
    const RunResult r = Velprog(
        {"store", "--family", "VM_CH16", "--grid", dir / "grid.json", dir / "in.sin", dir / "out.sin"}, dir.path);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(ReadFile(dir / "out.sin"), Image(5, 0x11));
}

TEST(Velprog, ReadFromAMissingPortFails) {
    TempDir dir;
    const RunResult r = Velprog({"read", "--family", "VM_CH16", "--port", dir / "no_such_tty", dir / "out.sin"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Could not Open the Port"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.sin"));
}

// ---------------------------------------------------------------------------
// Against a simulated radio on a pseudo-terminal
// ---------------------------------------------------------------------------

class VelprogRadio : public ::testing::TestWithParam<const Family*> {};

TEST_P(VelprogRadio, ReadAndWriteRoundTripTheFamilysRanges) {
    const Family& family = *GetParam();
    const int size = family.imageSize;
    const int readEnd = family.protocol.readBytes();
    const int writeEnd = family.protocol.writeBytes();
    TempDir dir;

    // The radio's memory, and an image the read starts from.
    const Image radio = Pattern(size, 1);
    const Image start = Pattern(size, 2);
    WriteFile(dir / "radio.sin", radio);
    WriteFile(dir / "start.sin", start);
    // What a write sends; its type byte is the radio's, so the type check passes.
    Image sent = Pattern(size, 3);
    sent[family.protocol.typeByteAddress] = radio[family.protocol.typeByteAddress];
    WriteFile(dir / "sent.sin", sent);

    Simulator sim({"--family", family.name, "--image", dir / "radio.sin", "--latency", "1", "--save",
                   dir / "after.sin"});
    ASSERT_EQ(sim.device.rfind("/dev/", 0), 0u) << sim.device;

    const RunResult read = Velprog({"read", "--family", family.name, "--port", sim.device, "--image",
                                    dir / "start.sin", "--password", DataPasswordFromImage(radio), dir / "read.sin"},
                                   dir.path);
    EXPECT_EQ(read.exitCode, 0) << read.err;
    const Image got = ReadFile(dir / "read.sin");
    ASSERT_EQ(got.size(), static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) {
        if (i < readEnd)
            ASSERT_EQ(got[i], radio[i]) << "read byte " << i;
        else
            ASSERT_EQ(got[i], start[i]) << "byte " << i << " is outside the read and must keep its value";
    }

    // The pattern is no file of a radio: it goes only with --force. The
    // backup read before it needs the radio's data password.
    std::vector<std::string> writeArgs{"write", "--family", family.name, "--port", sim.device, "--raw", "--force"};
    if (family.protocol.dataPasswordCheck) writeArgs.insert(writeArgs.end(), {"--password", DataPasswordFromImage(radio)});
    writeArgs.push_back(dir / "sent.sin");
    const RunResult write = Velprog(writeArgs, dir.path);
    EXPECT_EQ(write.exitCode, 0) << write.err;

    const RunResult stopped = sim.stop();
    EXPECT_EQ(stopped.exitCode, 0) << stopped.err;
    const Image after = ReadFile(dir / "after.sin");
    ASSERT_EQ(after.size(), static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) {
        if (i < writeEnd)
            ASSERT_EQ(after[i], sent[i]) << "written byte " << i;
        else
            ASSERT_EQ(after[i], radio[i]) << "byte " << i << " is outside the write and must stay the radio's";
    }
    EXPECT_FALSE(fs::exists(dir.path / "1.txt"));
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, VelprogRadio, ::testing::ValuesIn(AllFamilies()), FamilyName);

TEST(VelprogRadioWrite, StoresTheTableBeforeSendingUnlessRaw) {
    const Family& family = GetFamily(FamilyId::Marlowe);
    TempDir dir;
    Image file = NewDocumentImage(family);
    // A channel whose bytes the store step rewrites: signalling bits of an empty channel.
    file[0x10 + 12] = 0x00;
    file[0] = '4';   // part of the data password
    WriteFile(dir / "in.sin", file);
    Simulator sim({"--family", family.name, "--latency", "1", "--save", dir / "after.sin"});
    ASSERT_FALSE(sim.device.empty());
    const RunResult write =
        Velprog({"write", "--family", family.name, "--port", sim.device, "--no-backup", dir / "in.sin"}, dir.path);
    EXPECT_EQ(write.exitCode, 0) << write.err;
    ASSERT_EQ(sim.stop().exitCode, 0);
    const Image expected = Stored(family, Lang::English, file);
    ASSERT_NE(expected, file) << "the case must be one the store step changes";
    const Image after = ReadFile(dir / "after.sin");
    ASSERT_EQ(after.size(), file.size());
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + family.protocol.writeBytes(), expected.begin()));
    EXPECT_FALSE(fs::exists(dir.path / "1.txt"));
}

TEST(VelprogRadioWrite, RadioTypeMismatchCancelsUnlessAccepted) {
    const Family& family = GetFamily(FamilyId::VM_CH16);
    TempDir dir;
    Image file = Pattern(family.imageSize, 7);
    file[family.protocol.typeByteAddress] = 0x38;
    WriteFile(dir / "in.sin", file);
    Simulator sim({"--family", family.name, "--type-byte", "0x39", "--latency", "1", "--save", dir / "after.sin"});
    ASSERT_FALSE(sim.device.empty());

    const RunResult refused =
        Velprog({"write", "--family", family.name, "--port", sim.device, "--raw", "--force", dir / "in.sin"});
    EXPECT_EQ(refused.exitCode, 3) << refused.err;
    EXPECT_NE(refused.err.find("Radio Type are not match"), std::string::npos) << refused.err;

    const RunResult accepted = Velprog(
        {"write", "--family", family.name, "--port", sim.device, "--raw", "--force", "--accept-type", dir / "in.sin"});
    EXPECT_EQ(accepted.exitCode, 0) << accepted.err;
    ASSERT_EQ(sim.stop().exitCode, 0);
    const Image after = ReadFile(dir / "after.sin");
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + family.protocol.writeBytes(), file.begin()));
}

TEST(VelprogRadioRead, WrongDataPasswordFailsAndSavesNothing) {
    const Family& family = GetFamily(FamilyId::Marlowe);
    TempDir dir;
    Image radio = NewDocumentImage(family);
    StoreDataPassword("1234", radio);
    WriteFile(dir / "radio.sin", radio);
    Simulator sim({"--family", family.name, "--image", dir / "radio.sin", "--latency", "1"});
    ASSERT_FALSE(sim.device.empty());
    const RunResult wrong =
        Velprog({"read", "--family", family.name, "--port", sim.device, "--password", "4321", dir / "out.sin"});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_NE(wrong.err.find("Password incorrect"), std::string::npos) << wrong.err;
    EXPECT_FALSE(fs::exists(dir / "out.sin"));
    sim.stop();
}

TEST(VelprogRadioRead, MissingAcknowledgementFailsAndSavesNothing) {
    const Family& family = GetFamily(FamilyId::VM_CH16);
    TempDir dir;
    Simulator sim({"--family", family.name, "--fault", "no-ack=0x10", "--latency", "1"});
    ASSERT_FALSE(sim.device.empty());
    const RunResult r = Velprog({"read", "--family", family.name, "--port", sim.device, dir / "out.sin"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Error had happen,please try again"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.sin"));
    sim.stop();
}

TEST(VelprogTestMode, SendsOneSettingWithTheChosenFrequencies) {
    TempDir dir;
    // A reply latency well above the exchange's 1 ms pause before its purges.
    Simulator sim({"--family", "Velmar_V", "--latency", "20"});
    ASSERT_FALSE(sim.device.empty());
    // The port is named COM2 and found through velprog.ini beside the program.
    const std::string program = dir / "velprog";
    fs::copy_file(VELPROG_PATH, program);
    fs::permissions(program, fs::perms::owner_all);
    WriteText(dir / "velprog.ini", "[PORTS]\nCOM2=" + sim.device + "\n");
    const RunResult r = Velprog({"testmode", "--family", "Velmar_V", "--port", "COM2", "--item", "squelch-level",
                                 "--default", "--band", "136 - 174MHz", "--debug-frequency", "middle", "--rx",
                                 "145.0026", "--rx-tone", "88.5", "--retry", "2"},
                                dir.path, 60000, program);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const RunResult stopped = sim.stop();
    // 145.0026 rounds up to 145.00500 on the 5 kHz step; the transmit
    // frequency is the middle debug frequency F + 10 = 146 MHz.
    EXPECT_NE(stopped.out.find("test-mode item 73 frequency 00 05 50 14 00 00 60 14 parameter 85 08 00 00 FB 01 01 A0"),
              std::string::npos)
        << stopped.out;
}

struct DebugFrequencyCase {
    const char* family;
    const char* choice;
    const char* frequencyBytes;   // receive and transmit
};

// Test names in ctest show the case, not its bytes.
void PrintTo(const DebugFrequencyCase& c, std::ostream* os) { *os << c.family; }

class VelprogDebugFrequency : public ::testing::TestWithParam<DebugFrequencyCase> {};

TEST_P(VelprogDebugFrequency, StartsFromTheFamilysBase) {
    const DebugFrequencyCase c = GetParam();
    Simulator sim({"--family", c.family, "--latency", "20"});
    ASSERT_FALSE(sim.device.empty());
    const RunResult r = Velprog({"testmode", "--family", c.family, "--port", sim.device, "--item", "tx-power",
                                 "--value", "7", "--debug-frequency", c.choice, "--retry", "2"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const RunResult stopped = sim.stop();
    EXPECT_NE(stopped.out.find(std::string("test-mode item 74 frequency ") + c.frequencyBytes +
                               " parameter 00 00 00 00 FB 01 01 07"),
              std::string::npos)
        << stopped.out;
}

// Velmar_V's new document shows the band "240 - 260MHz"; VM_CH16 is fixed at 450 MHz.
INSTANTIATE_TEST_SUITE_P(Bases, VelprogDebugFrequency,
                         ::testing::Values(DebugFrequencyCase{"Velmar_V", "low", "00 00 00 24 00 00 00 24"},
                                           DebugFrequencyCase{"Velmar_V", "high", "00 00 00 26 00 00 00 26"},
                                           DebugFrequencyCase{"VM_CH16", "middle", "00 00 00 46 00 00 00 46"}),
                         [](const auto& info) {
                             return std::string(info.param.family) + "_" + info.param.choice;
                         });

TEST(VelprogRadioRead, InterruptCancelsClosesAndSavesNothing) {
    TempDir dir;
    Simulator sim({"--family", "VM_CH16", "--latency", "1"});
    ASSERT_FALSE(sim.device.empty());
    Child read({"read", "--family", "VM_CH16", "--port", sim.device, dir / "out.sin"}, dir.path);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    kill(read.pid, SIGINT);
    const RunResult r = read.finish(20000);
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.sin"));
    // The port was closed: another session can open it at once.
    const RunResult again = Velprog({"testmode", "--family", "VM_CH16", "--port", sim.device, "--item", "tx-power",
                                     "--default", "--retry", "2"});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    sim.stop();
}

// ---------------------------------------------------------------------------
// options
// ---------------------------------------------------------------------------

TEST(VelprogOptions, ShowPrintsWhatEachDialogOpensWith) {
    TempDir dir;
    for (const Family* family : AllFamilies()) {
        for (const SettingsDialogModel& dialog : SettingsDialogsOf(family->id)) {
            for (const char* lang : {"en", "ch"}) {
                const Image image = Pattern(family->imageSize, 7);
                WriteFile(dir / "in.sin", image);
                const RunResult r = Velprog({"options", "show", "--family", family->name, "--lang", lang, "--dialog",
                                             dialog.key, dir / "in.sin"});
                ASSERT_EQ(r.exitCode, 0) << r.err;
                const json doc = json::parse(r.out);
                EXPECT_EQ(doc.at("family"), family->name);
                json expected = json::object();
                const Lang l = family->uiLang(std::string(lang) == "ch" ? Lang::Chinese : Lang::English);
                for (const auto& [id, text] : dialog.show(image, l)) expected[std::to_string(id)] = text;
                EXPECT_EQ(doc.at("controls"), expected) << family->name << " " << dialog.key << " " << lang;
            }
        }
    }
}

struct OptionsSetCase {
    const char* name;
    const char* family;
    const char* dialog;
    ControlTexts texts;
};
void PrintTo(const OptionsSetCase& c, std::ostream* os) { *os << c.name; }

class VelprogOptionsSet : public ::testing::TestWithParam<OptionsSetCase> {};
TEST_P(VelprogOptionsSet, DoesWhatOkDoesAndSavesOut) {
    const OptionsSetCase& c = GetParam();
    TempDir dir;
    const Family& family = *FindFamily(c.family);
    const Image image = Pattern(family.imageSize, 11);
    WriteFile(dir / "in.sin", image);
    // "family" and anything else beside "controls" is not read.
    json values{{"family", "someone else"}, {"controls", json::object()}, {"x", 1}};
    for (const auto& [id, text] : c.texts) values["controls"][std::to_string(id)] = text;
    WriteText(dir / "values.json", values.dump());
    const RunResult r = Velprog({"options", "set", "--family", c.family, "--dialog", c.dialog, "--values",
                                 dir / "values.json", dir / "in.sin", dir / "out.sin"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Image expected = image;
    ASSERT_FALSE(FindSettingsDialog(family.id, c.dialog)->set(expected, Lang::English, c.texts));
    EXPECT_EQ(ReadFile(dir / "out.sin"), expected);
    EXPECT_EQ(ReadFile(dir / "in.sin"), image);
}
INSTANTIATE_TEST_SUITE_P(
    Dialogs, VelprogOptionsSet,
    ::testing::Values(
        OptionsSetCase{"VelmarV", "Velmar_V", "optional-features", {{1013, "600"}, {1016, "7"}, {1074, "0"}}},
        OptionsSetCase{"VmCh128", "VM_CH128", "optional-features", {{1013, "600"}, {1016, "7"}, {1074, "0"}}},
        OptionsSetCase{"VmCh118", "VM_CH118", "optional-features", {{1013, "600"}, {1016, "7"}, {1074, "0"}}},
        OptionsSetCase{"MarloweOptionalFeatures", "Marlowe", "optional-features",
                       {{1013, "120s"}, {1016, "3"}, {1075, ""}, {1078, "Disable"}}},
        OptionsSetCase{"MarloweKeyAssignment", "Marlowe", "key-assignment",
                       {{1073, "Monitor"}, {1076, "Vox ON/OFF"}, {1074, ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct OptionsRefusalCase {
    const char* name;
    const char* family;
    std::string values;
    const char* error;
};
void PrintTo(const OptionsRefusalCase& c, std::ostream* os) { *os << c.name; }

class VelprogOptionsRefusal : public ::testing::TestWithParam<OptionsRefusalCase> {};
TEST_P(VelprogOptionsRefusal, ExitsWithOneNamingItAndWritesNothing) {
    const OptionsRefusalCase& c = GetParam();
    TempDir dir;
    WriteFile(dir / "in.sin", NewDocumentImage(*FindFamily(c.family)));
    WriteText(dir / "values.json", c.values);
    const RunResult r = Velprog(
        {"options", "set", "--family", c.family, "--values", dir / "values.json", dir / "in.sin", dir / "out.sin"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.sin"));
}
INSTANTIATE_TEST_SUITE_P(
    Values, VelprogOptionsRefusal,
    ::testing::Values(
        OptionsRefusalCase{"UnknownControl", "VM_CH128", R"({"controls": {"1016": "3", "77": "1"}})", "control 77"},
        OptionsRefusalCase{"HiddenControl", "VM_CH118", R"({"controls": {"1081": "AB"}})", "control 1081"},
        OptionsRefusalCase{"TextNotTaken", "Velmar_V", R"({"controls": {"3000": "129"}})", "control 3000"},
        OptionsRefusalCase{"TimeoutNamingNoPosition", "VM_CH128", R"({"controls": {"1013": "14"}})", "control 1013"},
        OptionsRefusalCase{"NotJson", "VM_CH128", "{controls", "values.json: not a JSON document"},
        OptionsRefusalCase{"NoControls", "VM_CH128", R"({"1016": "3"})", "values.json: expected an object"},
        OptionsRefusalCase{"ValueNotText", "VM_CH128", R"({"controls": {"1016": 3}})", "control 1016 must be given"},
        OptionsRefusalCase{"KeyNotIdentifier", "VM_CH128", R"({"controls": {"squelch": "3"}})", "\"squelch\""},
        OptionsRefusalCase{"LongTextQuotedShort", "Marlowe",
                           R"({"controls": {"1016": ")" + std::string(5000, 'x') + R"("}})", "(5000 bytes)"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// diff and check
// ---------------------------------------------------------------------------

TEST(VelprogDiff, SameDifferentAndUnreadable) {
    const Family& family = GetFamily(FamilyId::Velmar_V);
    TempDir dir;
    Image a = Stored(family, Lang::English, NewDocumentImage(family));
    Byte* rec = &a[static_cast<std::size_t>(family.recordAddr(12))];
    rec[0] = 0x00, rec[1] = 0x00, rec[2] = 0x55, rec[3] = 0x14;   // 145.50000
    rec[9] = 0x08, rec[8] = 0x85;                                  // 88.5
    Image b = a;
    b[static_cast<std::size_t>(family.recordAddr(12) + 9)] = 0xFF;
    b[0x80A] = 0xEF;
    WriteFile(dir / "a.sin", a);
    WriteFile(dir / "b.sin", b);

    const RunResult same = Velprog({"diff", "--family", family.name, dir / "a.sin", dir / "a.sin"});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, "");

    const RunResult differ = Velprog({"diff", "--family", family.name, dir / "a.sin", dir / "b.sin"});
    EXPECT_EQ(differ.exitCode, 1) << differ.err;
    EXPECT_EQ(differ.out, "Channel 12 Rx Tone: 88.5 | OFF\nField: 240 - 260MHz | 136 - 174MHz\n");

    const RunResult chinese = Velprog({"diff", "--family", family.name, "--lang", "ch", dir / "a.sin", dir / "b.sin"});
    EXPECT_EQ(chinese.exitCode, 1);
    EXPECT_EQ(chinese.out, "频道 12 接收信令：88.5 | OFF\n频段：240 - 260MHz | 136 - 174MHz\n");

    const RunResult asJson = Velprog({"diff", "--family", family.name, "--json", dir / "a.sin", dir / "b.sin"});
    EXPECT_EQ(asJson.exitCode, 1);
    const json doc = json::parse(asJson.out);
    ASSERT_EQ(doc["differences"].size(), 2u);
    EXPECT_EQ(doc["differences"][0]["where"], "Channel 12 Rx Tone");
    EXPECT_EQ(doc["differences"][0]["channel"], 12);
    EXPECT_EQ(doc["differences"][1]["field"], 1011);

    const RunResult missing = Velprog({"diff", "--family", family.name, dir / "a.sin", dir / "none.sin"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("none.sin"), std::string::npos) << missing.err;
    EXPECT_EQ(Velprog({"diff", "--family", family.name, dir / "a.sin"}).exitCode, 2) << "usage";
}

TEST(VelprogCheck, ErrorsWarningsAndFilesThatCannotBeChecked) {
    const Family& family = GetFamily(FamilyId::VM_CH16);
    TempDir dir;
    const Image good = Stored(family, Lang::English, NewDocumentImage(family));
    WriteFile(dir / "good.sin", good);
    Image warned = good;
    Byte* rec = &warned[static_cast<std::size_t>(family.recordAddr(1))];
    rec[0] = 0x00, rec[1] = 0x00, rec[2] = 0x55, rec[3] = 0x14;   // 145.5 MHz: outside the band 430 - 450MHz
    WriteFile(dir / "warned.sin", warned);
    WriteFile(dir / "random.sin", Pattern(family.imageSize, 9));

    const RunResult ok = Velprog({"check", "--family", family.name, dir / "good.sin"});
    EXPECT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_EQ(ok.out, "");

    const RunResult warning = Velprog({"check", "--family", family.name, dir / "warned.sin"});
    EXPECT_EQ(warning.exitCode, 0) << "warnings leave 0";
    EXPECT_EQ(warning.out, "warning: Channel 1 Receive(MHz): 145.50000: outside the band 430 - 450MHz chosen in Field\n");

    const RunResult bad = Velprog({"check", "--family", family.name, "--raw", dir / "random.sin"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.out.find("error: Channel "), std::string::npos) << bad.out;
    const RunResult asJson = Velprog({"check", "--family", family.name, "--json", dir / "random.sin"});
    EXPECT_EQ(asJson.exitCode, 1);
    EXPECT_GT(json::parse(asJson.out)["errors"].get<int>(), 0);

    WriteFile(dir / "short.sin", Image(10, 0));
    EXPECT_EQ(Velprog({"check", "--family", family.name, dir / "short.sin"}).exitCode, 2);
    EXPECT_EQ(Velprog({"check", "--family", "Nope", dir / "good.sin"}).exitCode, 2);
}

// ---------------------------------------------------------------------------
// The safe write: checks, backup, read-back
// ---------------------------------------------------------------------------

TEST(VelprogSafeWrite, BacksUpChecksAndPrintsTheBackup) {
    const Family& family = GetFamily(FamilyId::VM_CH128);
    TempDir dir;
    const Image radio = Stored(family, Lang::English, Pattern(family.imageSize, 4));
    WriteFile(dir / "radio.sin", radio);
    const Image file = Stored(family, Lang::English, NewDocumentImage(family));
    WriteFile(dir / "in.sin", file);
    Simulator sim({"--family", family.name, "--image", dir / "radio.sin", "--type-byte", "0xFF", "--latency", "1",
                   "--save", dir / "after.sin"});
    ASSERT_FALSE(sim.device.empty());

    const RunResult r = Velprog(
        {"write", "--family", family.name, "--port", sim.device, "--backup", dir / "backups", dir / "in.sin"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(r.out.rfind("backup: ", 0), 0u) << r.out;
    const std::string backup = r.out.substr(8, r.out.find('\n') - 8);
    EXPECT_EQ(fs::path(backup).parent_path(), dir.path / "backups");
    const Image saved = ReadFile(backup);
    ASSERT_EQ(saved.size(), radio.size());
    EXPECT_TRUE(std::equal(radio.begin(), radio.begin() + family.protocol.readBytes(), saved.begin()))
        << "the backup holds what the radio held";
    ASSERT_EQ(sim.stop().exitCode, 0);
    const Image after = ReadFile(dir / "after.sin");
    EXPECT_TRUE(std::equal(file.begin(), file.begin() + family.protocol.writeBytes(), after.begin()));
}

TEST(VelprogSafeWrite, DefaultBackupGoesToTheDataFolder) {
    const Family& family = GetFamily(FamilyId::VM_CH16);
    TempDir dir;
    WriteFile(dir / "in.sin", Stored(family, Lang::English, NewDocumentImage(family)));
    Simulator sim({"--family", family.name, "--type-byte", "0xFF", "--latency", "1"});
    ASSERT_FALSE(sim.device.empty());
    const RunResult r = Velprog({"write", "--family", family.name, "--port", sim.device, dir / "in.sin"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const fs::path folder = fs::path(SandboxDataHome()) / "Velmar" / "backups";
    EXPECT_EQ(r.out.rfind("backup: " + (folder / "VM_CH16-").string(), 0), 0u) << r.out;
    sim.stop();
}

TEST(VelprogSafeWrite, RefusesAFileWithProblemsUnlessForced) {
    const Family& family = GetFamily(FamilyId::Marlowe);
    TempDir dir;
    Image file = Stored(family, Lang::English, NewDocumentImage(family));
    // Channel 1 at 145.5 MHz with the receive tone 798.1.
    file[0x10 + 3] = 0x14, file[0x10 + 2] = 0x55, file[0x10 + 1] = 0x00, file[0x10 + 0] = 0x00;
    file[0x10 + 9] = 0x79, file[0x10 + 8] = 0x81;
    WriteFile(dir / "in.sin", file);
    Simulator sim({"--family", family.name, "--type-byte", "0xFF", "--latency", "1", "--save", dir / "after.sin"});
    ASSERT_FALSE(sim.device.empty());

    const RunResult refused = Velprog({"write", "--family", family.name, "--port", sim.device, "--raw", dir / "in.sin"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("error: Channel 1 Rx Tone: 798.1: not a tone of the tone table"), std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("nothing was written"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.out, "") << "not even a backup";

    const RunResult forced = Velprog(
        {"write", "--family", family.name, "--port", sim.device, "--raw", "--force", "--no-backup", dir / "in.sin"});
    EXPECT_EQ(forced.exitCode, 0) << forced.err;
    ASSERT_EQ(sim.stop().exitCode, 0);
    const Image after = ReadFile(dir / "after.sin");
    EXPECT_EQ(after[0x10 + 9], 0x79);
}

TEST(VelprogSafeWrite, ReadBackNamesAByteTheRadioStoredWrongly) {
    const Family& family = GetFamily(FamilyId::Velmar_V);
    TempDir dir;
    Image file = Stored(family, Lang::English, NewDocumentImage(family));
    Byte* rec = &file[static_cast<std::size_t>(family.recordAddr(12))];
    rec[0] = 0x00, rec[1] = 0x00, rec[2] = 0x50, rec[3] = 0x24;   // 245.00000
    rec[4] = 0x00, rec[5] = 0x00, rec[6] = 0x50, rec[7] = 0x24;
    rec[9] = 0x08, rec[8] = 0x85;                                  // 88.5
    rec[10] = rec[11] = 0xFF;
    rec[12] = 0x42;                                                // DTMF, PTT ID on
    rec[13] = 0x38;                                                // high, wide, scan, busy lock "Close"
    WriteFile(dir / "in.sin", file);
    const std::string fault = "bad-store=" + std::to_string(family.recordAddr(12) + 9) + ":0xFF";
    Simulator sim({"--family", family.name, "--type-byte", "0xFF", "--latency", "1", "--fault", fault});
    ASSERT_FALSE(sim.device.empty());

    const RunResult r = Velprog({"write", "--family", family.name, "--port", sim.device, "--no-backup", "--raw",
                                 dir / "in.sin"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("velprog: Channel 12 Rx Tone: sent 88.5, radio has OFF\n"), std::string::npos) << r.err;
    const RunResult unchecked = Velprog({"write", "--family", family.name, "--port", sim.device, "--no-backup",
                                         "--no-verify", "--raw", dir / "in.sin"});
    EXPECT_EQ(unchecked.exitCode, 0) << unchecked.err;
    sim.stop();
}

// ---------------------------------------------------------------------------
// text export, text import
// ---------------------------------------------------------------------------

/// A Marlowe document with data password `password` and a few channel bytes
/// that tell images apart.
Image MarloweImage(const std::string& password, unsigned seed) {
    Image img = NewDocumentImage(MarloweFamily());
    StoreDataPassword(password, img);
    for (std::size_t a = 0x50; a < 0x60; ++a) img[a] = static_cast<Byte>(a * seed);
    return img;
}

std::string AsText(const Image& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(VelprogText, ExportWritesTheTextFormOfTheBytesAsTheyAre) {
    TempDir dir;
    const Image img = Pattern(1024, 5);
    WriteFile(dir / "in.sin", img);
    const RunResult r = Velprog({"text", "export", "--family", "Marlowe", dir / "in.sin", dir / "out.txt"}, dir.path);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(AsText(ReadFile(dir / "out.txt")), ImageTextFileContents(img));
    EXPECT_FALSE(fs::exists(dir / kImageTextFileName));
}

struct TextImportCase {
    const char* name;
    const char* filePassword;   // FILE's data password
    const char* textPassword;   // the text form's
    std::vector<std::string> passwordArg;
    bool mismatch;
};

void PrintTo(const TextImportCase& c, std::ostream* os) { *os << c.name; }

class VelprogTextImport : public ::testing::TestWithParam<TextImportCase> {};

TEST_P(VelprogTextImport, KeepsTheImportedBytesAndSaysWhenPasswordsDiffer) {
    const TextImportCase& c = GetParam();
    TempDir dir;
    WriteFile(dir / "in.sin", MarloweImage(c.filePassword, 3));
    const Image imported = MarloweImage(c.textPassword, 7);
    WriteText(dir / "form.txt", ImageTextFileContents(imported));
    std::vector<std::string> args{"text", "import", "--family", "Marlowe"};
    args.insert(args.end(), c.passwordArg.begin(), c.passwordArg.end());
    args.insert(args.end(), {dir / "form.txt", dir / "in.sin", dir / "out.sin"});
    const RunResult r = Velprog(args, dir.path);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFile(dir / "out.sin"), imported);
    EXPECT_EQ(r.err.find("Password incorrect") != std::string::npos, c.mismatch) << r.err;
    EXPECT_FALSE(fs::exists(dir / kImageTextFileName));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VelprogTextImport,
    ::testing::Values(TextImportCase{"same_as_file", "123456", "123456", {}, false},
                      TextImportCase{"differs_from_file", "1234", "5678", {}, true},
                      TextImportCase{"none_in_file_some_imported", "", "42", {}, true},
                      TextImportCase{"none_either", "", "", {}, false},
                      TextImportCase{"given_matches", "1111", "2222", {"--password", "2222"}, false},
                      TextImportCase{"given_differs", "2222", "2222", {"--password", "9"}, true},
                      TextImportCase{"given_trailing_blank", "0", "42", {"--password", "42 "}, false},
                      TextImportCase{"given_empty", "77", "", {"--password", ""}, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextFailCase {
    const char* name;
    const char* text;   // "missing", "directory" or "ok"
    const char* file;   // "missing", "short" or "ok"
};

void PrintTo(const TextFailCase& c, std::ostream* os) { *os << c.name; }

class VelprogTextFail : public ::testing::TestWithParam<TextFailCase> {};

TEST_P(VelprogTextFail, ImportExitsWithOneAndWritesNothing) {
    const TextFailCase& c = GetParam();
    TempDir dir;
    const std::string text = c.text, file = c.file;
    if (text == "ok") WriteText(dir / "form.txt", ImageTextFileContents(MarloweImage("1", 2)));
    if (text == "directory") fs::create_directory(dir / "form.txt");
    if (file == "ok") WriteFile(dir / "in.sin", MarloweImage("1", 3));
    if (file == "short") WriteFile(dir / "in.sin", Image(100, 0xFF));
    const RunResult r = Velprog(
        {"text", "import", "--family", "Marlowe", dir / "form.txt", dir / "in.sin", dir / "out.sin"}, dir.path);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(text != "ok" ? "form.txt" : "in.sin"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.sin"));
}

INSTANTIATE_TEST_SUITE_P(Cases, VelprogTextFail,
                         ::testing::Values(TextFailCase{"text_missing", "missing", "ok"},
                                           TextFailCase{"text_is_a_directory", "directory", "ok"},
                                           TextFailCase{"file_missing", "ok", "missing"},
                                           TextFailCase{"file_short", "ok", "short"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VelprogText, ExportOfAMissingFileFailsAndWritesNothing) {
    TempDir dir;
    const RunResult r = Velprog({"text", "export", "--family", "Marlowe", dir / "in.sin", dir / "out.txt"}, dir.path);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(fs::exists(dir / "out.txt"));
}

TEST(VelprogText, FamiliesWithoutATextFormAreRefused) {
    TempDir dir;
    WriteFile(dir / "in.sin", NewDocumentImage(VmCh16Family()));
    const RunResult r = Velprog({"text", "export", "--family", "VM_CH16", dir / "in.sin", dir / "out.txt"}, dir.path);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("VM_CH16"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.txt"));
    EXPECT_EQ(Velprog({"text", "--family", "Marlowe"}, dir.path).exitCode, 2);
}

// The text form beside a store is the window's; the command line never leaves one.
TEST(VelprogText, StoreNeverWritesATextForm) {
    TempDir dir;
    ASSERT_EQ(Velprog({"new", "--family", "Marlowe", dir / "a.sin"}, dir.path).exitCode, 0);
    const RunResult shown = Velprog({"show", "--family", "Marlowe", dir / "a.sin"}, dir.path);
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    WriteText(dir / "grid.json", shown.out);
    const RunResult stored =
        Velprog({"store", "--family", "Marlowe", "--grid", dir / "grid.json", dir / "a.sin", dir / "b.sin"}, dir.path);
    ASSERT_EQ(stored.exitCode, 0) << stored.err;
    EXPECT_FALSE(fs::exists(dir / kImageTextFileName));
}

}  // namespace
}  // namespace vel

#endif  // _WIN32

#include "cli/csv_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "table/channel_csv.h"
#include "table/channel_table.h"
#include "table/csv_text.h"
#include "velprog_common.h"

namespace velprog {

namespace {

using nlohmann::ordered_json;

// A channel list is a few kilobytes; anything this large is some other file.
constexpr std::size_t kMaxCsvBytes = 4 * 1024 * 1024;

struct CsvArgs {
    std::string family;
    std::string lang = "en";
    std::string format;          // "", "native" or "common"
    std::string mode = "replace";
    bool skipBad = false;
    std::string csv;             // import: the CSV file
    std::string file;            // the channel data file
    std::string out;             // export: the CSV file; import: the channel data file
};

vel::ChannelTable FilledTable(const vel::Family& family, vel::Lang lang, const vel::Image& image) {
    vel::ChannelTable table = vel::NewChannelTable(family, lang);
    vel::FillChannelGrid(family, lang, image, table);
    return table;
}

vel::CsvForm FormOf(const std::string& format) {
    if (format == "native") return vel::CsvForm::Native;
    if (format == "common") return vel::CsvForm::Common;
    return vel::CsvForm::Auto;
}

ordered_json Rows(const std::vector<vel::CsvRowReport>& rows) {
    ordered_json list = ordered_json::array();
    for (const vel::CsvRowReport& r : rows) {
        ordered_json problems = ordered_json::array();
        for (const vel::CsvProblem& p : r.problems)
            problems.push_back({{"column", p.column}, {"value", p.value}, {"reason", p.reason}});
        list.push_back({{"row", r.row}, {"channel", r.channel}, {"problems", problems}});
    }
    return list;
}

int RunExport(const CsvArgs& a) {
    const vel::Family& family = FamilyNamed(a.family);
    const vel::Lang lang = InterfaceLanguage(family, a.lang);
    const std::optional<vel::Image> image = LoadImageFile(a.file, family, lang);
    if (!image) return kFailed;
    const vel::ChannelExport out =
        vel::ExportChannels(family, lang, a.format == "common" ? vel::CsvForm::Common : vel::CsvForm::Native,
                            FilledTable(family, lang, *image));
    for (const std::string& line : vel::DescribeExport(out, lang)) PrintError(line);
    return SaveImageFile(a.out, vel::Image(out.text.begin(), out.text.end()), lang) ? kDone : kFailed;
}

int RunImport(const CsvArgs& a) {
    const vel::Family& family = FamilyNamed(a.family);
    const vel::Lang lang = InterfaceLanguage(family, a.lang);
    std::optional<vel::Image> image = LoadImageFile(a.file, family, lang);
    if (!image) return kFailed;
    const vel::TextFile csv = vel::ReadTextFile(a.csv, kMaxCsvBytes);
    if (!csv.ok) {
        PrintError(csv.message.in(lang));
        return kFailed;
    }
    const vel::ImportMode mode = a.mode == "merge"    ? vel::ImportMode::Merge
                                 : a.mode == "append" ? vel::ImportMode::Append
                                                      : vel::ImportMode::Replace;
    const vel::ChannelImport result =
        vel::ImportChannels(family, lang, csv.text, FormOf(a.format), mode, FilledTable(family, lang, *image));
    for (const std::string& line : vel::DescribeImport(result, lang)) PrintError(line);
    if (!result.ok) return kFailed;

    const bool write = result.refused.empty() || a.skipBad;
    ordered_json summary = {{"form", result.form == vel::CsvForm::Native ? "native" : "common"},
                            {"mode", a.mode},
                            {"imported", result.imported},
                            {"emptyRows", result.emptyRows},
                            {"refused", Rows(result.refused)},
                            {"dropped", Rows(result.dropped)},
                            {"written", write}};
    std::cout << summary.dump(-1, ' ', false, ordered_json::error_handler_t::replace) << '\n' << std::flush;
    if (!write) {
        PrintError(std::to_string(result.refused.size()) + (result.refused.size() == 1 ? " row" : " rows") +
                   " refused; " + a.out + " was not written (--skip-bad writes the other rows)");
        return kFailed;
    }
    vel::StoreChannelGrid(family, result.table, *image);
    return SaveImageFile(a.out, *image, lang) ? kDone : kFailed;
}

void AddCommon(CLI::App* cmd, CsvArgs& a, const std::string& formatDefault) {
    cmd->add_option("--family", a.family, "Radio family")->required()->check(CLI::IsMember(FamilyNames()));
    cmd->add_option("--lang", a.lang, "Language of the table's texts and messages: en (default) or ch")
        ->check(CLI::IsMember({"en", "ch"}));
    cmd->add_option("--format", a.format,
                    "native (the program's channel table) or common (the exchange layout); default: " + formatDefault)
        ->check(CLI::IsMember({"native", "common"}));
}

}  // namespace

void AddCsvCommands(CLI::App& app) {
    auto exportArgs = std::make_shared<CsvArgs>();
    CLI::App* exp = app.add_subcommand("export", "Write the channel table of a file as CSV (native by default)");
    AddCommon(exp, *exportArgs, "native");
    exp->add_option("FILE", exportArgs->file, "Channel data file")->required();
    exp->add_option("OUT", exportArgs->out, "CSV file to write")->required();
    exp->callback([exportArgs] { RunFromCallback([&] { return RunExport(*exportArgs); }); });

    auto importArgs = std::make_shared<CsvArgs>();
    CLI::App* imp = app.add_subcommand("import", "Put the channels of a CSV file into a file's channel table");
    AddCommon(imp, *importArgs, "recognised by the header line");
    imp->add_option("--mode", importArgs->mode,
                    "replace (the whole table, default), merge (at each row's channel number) or append (after the "
                    "last channel in use)")
        ->check(CLI::IsMember({"replace", "merge", "append"}));
    imp->add_flag("--skip-bad", importArgs->skipBad, "Write the good rows even when some are refused");
    imp->add_option("CSV", importArgs->csv, "CSV file to read")->required();
    imp->add_option("FILE", importArgs->file, "Channel data file to start from")->required();
    imp->add_option("OUT", importArgs->out, "Channel data file to write")->required();
    imp->callback([importArgs] { RunFromCallback([&] { return RunImport(*importArgs); }); });
}

}  // namespace velprog

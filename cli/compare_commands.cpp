#include "cli/compare_commands.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "table/channel_table.h"
#include "table/image_checks.h"
#include "table/image_compare.h"
#include "velprog_common.h"

namespace velprog {
namespace {

using nlohmann::ordered_json;

constexpr int kCannotCheck = 2;   // diff and check: a file that cannot be read counts as a usage error

struct CompareArgs {
    std::string family;
    std::string lang = "en";
    bool json = false;
    bool raw = false;
    std::string first;
    std::string second;
};

const char* KindName(vel::DifferenceKind kind) {
    switch (kind) {
        case vel::DifferenceKind::Cell: return "cell";
        case vel::DifferenceKind::Field: return "field";
        case vel::DifferenceKind::Bytes: return "bytes";
    }
    return "?";
}

int RunDiff(const CompareArgs& args) {
    const vel::Family& family = FamilyNamed(args.family);
    const vel::Lang lang = InterfaceLanguage(family, args.lang);
    const std::optional<vel::Image> a = LoadImageFile(args.first, family, lang);
    if (!a) return kCannotCheck;
    const std::optional<vel::Image> b = LoadImageFile(args.second, family, lang);
    if (!b) return kCannotCheck;

    const std::vector<vel::ImageDifference> diffs = vel::CompareImages(family, lang, *a, *b);
    if (args.json) {
        ordered_json rows = ordered_json::array();
        for (const vel::ImageDifference& d : diffs) {
            ordered_json row{{"kind", KindName(d.kind)}, {"where", d.where}, {"a", d.valueA}, {"b", d.valueB}};
            if (d.channel > 0) row["channel"] = d.channel;
            if (d.column >= 0) row["column"] = d.column;
            if (d.fieldId != 0) row["field"] = d.fieldId;
            if (d.address >= 0) {
                row["address"] = d.address;
                row["length"] = d.length;
            }
            rows.push_back(std::move(row));
        }
        std::cout << ordered_json{{"family", family.name}, {"differences", rows}}.dump(1) << '\n';
    } else {
        for (const vel::ImageDifference& d : diffs) std::cout << vel::DifferenceLine(d, lang) << '\n';
    }
    return diffs.empty() ? kDone : kFailed;
}

int RunCheck(const CompareArgs& args) {
    const vel::Family& family = FamilyNamed(args.family);
    const vel::Lang lang = InterfaceLanguage(family, args.lang);
    std::optional<vel::Image> image = LoadImageFile(args.first, family, lang);
    if (!image) return kCannotCheck;
    if (!args.raw) *image = ImageAsWritten(family, lang, std::move(*image));

    const std::vector<vel::ImageProblem> problems = vel::CheckImage(family, lang, *image);
    const int errors = vel::ErrorCount(problems);
    if (args.json) {
        ordered_json rows = ordered_json::array();
        for (const vel::ImageProblem& p : problems) {
            ordered_json row{{"severity", p.severity == vel::Severity::Error ? "error" : "warning"},
                             {"where", p.where},
                             {"value", p.value},
                             {"message", p.message}};
            if (p.channel > 0) row["channel"] = p.channel;
            if (p.column >= 0) row["column"] = p.column;
            if (p.fieldId != 0) row["field"] = p.fieldId;
            rows.push_back(std::move(row));
        }
        std::cout << ordered_json{{"family", family.name},
                                  {"errors", errors},
                                  {"warnings", static_cast<int>(problems.size()) - errors},
                                  {"problems", rows}}
                         .dump(1)
                  << '\n';
    } else {
        for (const vel::ImageProblem& p : problems) std::cout << vel::ProblemLine(p, lang) << '\n';
    }
    return errors > 0 ? kFailed : kDone;
}

void Common(CLI::App* cmd, CompareArgs& args) {
    cmd->add_option("--family", args.family, "Radio family")->required()->check(CLI::IsMember(FamilyNames()));
    cmd->add_option("--lang", args.lang, "Language of the lines: en (default) or ch")->check(CLI::IsMember({"en", "ch"}));
    cmd->add_flag("--json", args.json, "Print JSON instead of lines");
}

/// Runs `command` from the subcommand's callback, passing a non-zero exit on.
void RunFrom(CLI::App* cmd, std::shared_ptr<CompareArgs> args, int (*command)(const CompareArgs&)) {
    cmd->callback([args, command] {
        std::fflush(stdout);
        int code = kFailed;
        try {
            code = command(*args);
        } catch (const std::exception& e) {
            PrintError(e.what());
            code = kCannotCheck;
        }
        std::cout << std::flush;
        if (code != kDone) throw CLI::RuntimeError(code);
    });
}

}  // namespace

void AddCompareCommands(CLI::App& app) {
    auto diff = std::make_shared<CompareArgs>();
    CLI::App* diffCmd = app.add_subcommand("diff", "List the differences between two channel data files");
    Common(diffCmd, *diff);
    diffCmd->add_option("A", diff->first, "First channel data file")->required();
    diffCmd->add_option("B", diff->second, "Second channel data file")->required();
    RunFrom(diffCmd, diff, RunDiff);

    auto check = std::make_shared<CompareArgs>();
    CLI::App* checkCmd = app.add_subcommand("check", "Check a channel data file as a write would before sending it");
    Common(checkCmd, *check);
    checkCmd->add_flag("--raw", check->raw, "Check the file's bytes as they are, without the store step");
    checkCmd->add_option("FILE", check->first, "Channel data file")->required();
    RunFrom(checkCmd, check, RunCheck);
}

}  // namespace velprog

#pragma once
// velprog report --family F [--lang en|ch] FILE.sin OUT.pdf
//
// Writes the settings report of a channel data file as a PDF. Drawing the
// pages needs the windowing toolkit's fonts and PDF writer, which velprog
// does not link: the command runs the report tool velreport, found beside
// velprog (or named by the environment variable VELREPORT), and passes its
// exit code on: 0 written, 1 failed with a message on stderr, 2 usage error.

#include <filesystem>
#include <string>

namespace CLI {
class App;
}

namespace vel {

struct ReportCommandArgs {
    std::string family;       ///< program name of the family, e.g. "Velmar_V"
    std::string lang = "en";  ///< "en" or "ch"
    std::string input;        ///< channel data file
    std::string output;       ///< PDF to write
};

/// Registers the "report" subcommand on `app`. When it runs and fails, it
/// throws CLI::RuntimeError with the exit code (1 or 2) after printing its
/// message, so CLI11_PARSE (or app.exit()) ends velprog with that code and
/// prints nothing more.
void AddReportCommand(CLI::App& app);

/// Checks the arguments and runs the report tool; returns 0, 1 or 2.
int RunReportCommand(const ReportCommandArgs& args);

/// The report tool: $VELREPORT when set, else velreport beside the running
/// program, else in the build tree's report folder. Empty when none exists.
std::filesystem::path FindReportTool();

}  // namespace vel

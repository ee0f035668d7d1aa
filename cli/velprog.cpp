// velprog: the command-line face of velcore. Channel data files without a
// window, sessions and test-mode exchanges with a radio, and a simulated
// radio on a pseudo-terminal.

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <exception>
#include <iostream>

#include "cli/compare_commands.h"
#include "cli/csv_command.h"
#include "cli/options_command.h"
#include "cli/report_command.h"
#include "cli/text_command.h"
#include "image/message_quote.h"
#include "velprog_commands.h"
#include "velprog_common.h"

namespace {

using namespace velprog;

void AddFamily(CLI::App* cmd, std::string& family) {
    cmd->add_option("--family", family, "Radio family")->required()->check(CLI::IsMember(FamilyNames()));
}

void AddLang(CLI::App* cmd, std::string& lang) {
    cmd->add_option("--lang", lang, "Interface language of texts: en (default) or ch")
        ->check(CLI::IsMember({"en", "ch"}));
}

void AddPort(CLI::App* cmd, RadioOptions& o) {
    cmd->add_option("--port", o.port,
                    "COM1..COM4 (see [PORTS] in velprog.ini, beside velprog or in ~/.config/velmar) or a device path")
        ->required();
    cmd->add_option("--retry", o.retries, "Answer Retry to a failure at most N times (default 0)")
        ->check(CLI::NonNegativeNumber);
}

void AddYes(CLI::App* cmd, RadioOptions& o) {
    cmd->add_flag("--yes", o.yes,
                  "Answer OK to questions other than the radio type: send the acknowledgement again when the port "
                  "refused it (at most 3 sends)");
}

bool ParseByte(const std::string& text, int& value) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0' || v < 0 || v > 255) return false;
    value = static_cast<int>(v);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"velprog: channel data files and radios of the Velmar families from the command line"};
    app.require_subcommand(1);

    app.add_subcommand("families", "List the families: name and image size");

    FileOptions fileOpts;
    CLI::App* newCmd = app.add_subcommand("new", "Save what New then Save produce");
    AddFamily(newCmd, fileOpts.family);
    AddLang(newCmd, fileOpts.lang);
    newCmd->add_option("OUT", fileOpts.out, "Channel data file to write")->required();

    CLI::App* showCmd = app.add_subcommand("show", "Print the channel table of a file as JSON");
    AddFamily(showCmd, fileOpts.family);
    AddLang(showCmd, fileOpts.lang);
    showCmd->add_option("FILE", fileOpts.file, "Channel data file")->required();

    CLI::App* storeCmd = app.add_subcommand("store", "Store the texts of a JSON grid into a file");
    AddFamily(storeCmd, fileOpts.family);
    AddLang(storeCmd, fileOpts.lang);
    storeCmd->add_option("--grid", fileOpts.grid, "JSON grid in the form show prints")->required();
    storeCmd->add_option("FILE", fileOpts.file, "Channel data file to start from")->required();
    storeCmd->add_option("OUT", fileOpts.out, "Channel data file to write")->required();

    RadioOptions radioOpts;
    CLI::App* readCmd = app.add_subcommand("read", "Read a radio's memory into a file");
    AddFamily(readCmd, radioOpts.family);
    AddLang(readCmd, radioOpts.lang);
    AddPort(readCmd, radioOpts);
    readCmd->add_option("--image", radioOpts.image, "Start from this file instead of a new document");
    readCmd->add_option("--password", radioOpts.password, "Data password (families that check one)");
    AddYes(readCmd, radioOpts);
    readCmd->add_option("OUT", radioOpts.out, "Channel data file to write")->required();

    CLI::App* writeCmd = app.add_subcommand("write", "Write a file into a radio");
    AddFamily(writeCmd, radioOpts.family);
    AddLang(writeCmd, radioOpts.lang);
    AddPort(writeCmd, radioOpts);
    writeCmd->add_flag("--raw", radioOpts.raw, "Send the file's bytes as they are, without the store step");
    writeCmd->add_flag("--accept-type", radioOpts.acceptType, "Answer OK when the radio's type differs (only then)");
    AddYes(writeCmd, radioOpts);
    writeCmd->add_option("--backup", radioOpts.backupDir,
                         "Save the radio's memory before the write in this folder (default: the user's data folder, "
                         "Velmar/backups)");
    writeCmd->add_flag("--no-backup", radioOpts.noBackup, "Write without reading a backup first")
        ->excludes(writeCmd->get_option("--backup"));
    writeCmd->add_flag("--no-verify", radioOpts.noVerify, "Do not read the radio back to check the write");
    writeCmd->add_flag("--force", radioOpts.force, "Write even when the checks before sending find errors");
    writeCmd->add_option("--password", radioOpts.backupPassword,
                         "The radio's data password for the backup read (default: the file's own)");
    writeCmd->add_option("IN", radioOpts.in, "Channel data file to send")->required();

    CLI::App* testCmd = app.add_subcommand("testmode", "Send one test-mode setting to a radio");
    AddFamily(testCmd, radioOpts.family);
    AddLang(testCmd, radioOpts.lang);
    AddPort(testCmd, radioOpts);
    testCmd->add_option("--item", radioOpts.item, "Debug item")
        ->required()
        ->check(CLI::IsMember({"tx-frequency", "low-power-voltage", "squelch-level", "tx-power"}));
    CLI::Option* valueOpt =
        testCmd->add_option("--value", radioOpts.value, "Value 0..255 to send")->check(CLI::Range(0, 255));
    CLI::Option* defaultOpt = testCmd->add_flag("--default", radioOpts.useDefault, "Send the item's default value");
    valueOpt->excludes(defaultOpt);
    testCmd->add_option("--band", radioOpts.band, "Band text whose leading number is F (e.g. \"136 - 174MHz\")");
    testCmd->add_option("--debug-frequency", radioOpts.debugFrequency, "high = F+20 (default), middle = F+10, low = F")
        ->check(CLI::IsMember({"high", "middle", "low"}));
    testCmd->add_option("--rx", radioOpts.rx, "Receive frequency in MHz (rounded like the dialog's entry)");
    testCmd->add_option("--tx", radioOpts.tx, "Transmit frequency in MHz (rounded like the dialog's entry)");
    testCmd->add_option("--rx-tone", radioOpts.rxTone, "Receive tone text (default OFF)");
    testCmd->add_option("--tx-tone", radioOpts.txTone, "Transmit tone text (default OFF)");
    testCmd->add_option("--step", radioOpts.step, "Frequency step in kHz: 5 (default) or 6.25")
        ->check(CLI::IsMember({"5", "6.25"}));

    SimulateOptions simOpts;
    std::string typeByteText;
    CLI::App* simCmd = app.add_subcommand(
        "simulate", "Answer as a radio on a pseudo-terminal until SIGTERM or SIGINT; prints the device first");
    AddFamily(simCmd, simOpts.family);
    simCmd->add_option("--image", simOpts.image, "The radio's memory (default all 0xFF)");
    simCmd->add_option("--type-byte", typeByteText, "Radio type byte to report (default: the memory's type setting)");
    simCmd->add_option("--fault", simOpts.faults,
                       "silent, ignore-wakeups=N, wrong-ack[=N], short-read=ADDR[:K], no-ack=ADDR, vanish=N, "
                       "short-id=K, bad-store=ADDR[:VALUE] (repeatable, or comma-separated)");
    simCmd->add_flag("--line-rate", simOpts.lineRate, "Pace bytes at 9600 baud");
    simCmd->add_option("--latency", simOpts.latencyMs, "Reply latency in ms (default 5)")
        ->check(CLI::Range(0, 10000));
    simCmd->add_option("--save", simOpts.save, "Save the radio's memory here when stopped");

    // report, diff and check run from their own callbacks during parsing.
    vel::AddReportCommand(app);
    AddCompareCommands(app);
    // options: likewise.
    AddOptionsCommand(app);
    // text export|import: runs from its callbacks too (see text_command.h).
    vel::AddTextCommand(app);
    // export and import: likewise.
    AddCsvCommands(app);

    try {
        app.parse(argc, argv);
        if (!typeByteText.empty()) {
            int value = 0;
            if (!ParseByte(typeByteText, value))
                throw CLI::ValidationError("--type-byte", "must be a byte value 0..255 (decimal or 0x..)");
            simOpts.typeByte = value;
        }
    } catch (const CLI::RuntimeError& e) {
        // A command that ran and failed; it has printed its message.
        return e.get_exit_code();
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) return app.exit(e) == 0 ? kDone : kUsage;   // --help
        // CLI11 quotes the offending value whole; a message shows an excerpt.
        std::cerr << vel::QuoteForMessage(e.what(), 400) << "\nRun with --help for more information.\n";
        return kUsage;
    }

    try {
        const CLI::App* cmd = app.get_subcommands().front();
        const std::string name = cmd->get_name();
        if (name == "families") return RunFamilies();
        if (name == "new") return RunNew(fileOpts);
        if (name == "show") return RunShow(fileOpts);
        if (name == "store") return RunStore(fileOpts);
        if (name == "read") return RunRead(radioOpts);
        if (name == "write") return RunWrite(radioOpts);
        if (name == "testmode") return RunTestMode(radioOpts);
        if (name == "simulate") return RunSimulate(simOpts);
        if (name == "report" || name == "diff" || name == "check" || name == "options") return kDone;
        if (name == "text") return kDone;
        if (name == "export" || name == "import") return kDone;
    } catch (const std::exception& e) {
        PrintError(e.what());
        return kFailed;
    }
    return kUsage;
}

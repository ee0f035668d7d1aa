// velreport: writes the settings report of a channel data file as a PDF,
// without a window.
//
//   velreport --family F [--lang en|ch] FILE.sin OUT.pdf
//
// Exit codes: 0 written, 1 failed (message on stderr), 2 usage error.
// "velprog report" runs this tool, so that velprog itself needs no Qt.

#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "image/document_file.h"
#include "image/family.h"
#include "report/report_layout.h"
#include "report/ui/report_printer.h"
#include "table/channel_table.h"

namespace {

/// The name messages give: "velprog report" when velprog runs this tool.
std::string ProgramName() {
    const char* name = std::getenv("VELREPORT_PROGRAM");
    return name && *name ? name : "velreport";
}

std::string UsageLine() { return "usage: " + ProgramName() + " --family F [--lang en|ch] FILE.sin OUT.pdf\n"; }

void Fail(const std::string& what, const std::string& why) {
    std::fprintf(stderr, "%s: %s: %s\n", ProgramName().c_str(), what.c_str(), why.c_str());
}

struct Args {
    std::string family;
    std::string lang = "en";
    std::vector<std::string> files;
};

int Usage(const std::string& why) {
    if (!why.empty()) std::fprintf(stderr, "%s: %s\n", ProgramName().c_str(), why.c_str());
    std::fputs(UsageLine().c_str(), stderr);
    return 2;
}

std::string FamilyNames() {
    std::string names;
    for (const vel::Family* f : vel::AllFamilies()) {
        if (vel::ReportPageCount(*f) == 0) continue;
        if (!names.empty()) names += ", ";
        names += f->name;
    }
    return names;
}

/// Reads the arguments; returns an exit code when they cannot be used, 0
/// otherwise. --help prints the usage and asks to stop with 0 through `stop`.
int ParseArgs(int argc, char** argv, Args& args, bool& stop) {
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (!options) {
            args.files.push_back(a);
            continue;
        }
        const auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        if (a == "--") {
            options = false;
        } else if (a == "--help" || a == "-h") {
            std::fputs(UsageLine().c_str(), stdout);
            stop = true;
            return 0;
        } else if (a == "--family") {
            if (!value(args.family)) return Usage("--family needs a value");
        } else if (a.rfind("--family=", 0) == 0) {
            args.family = a.substr(9);
        } else if (a == "--lang") {
            if (!value(args.lang)) return Usage("--lang needs a value");
        } else if (a.rfind("--lang=", 0) == 0) {
            args.lang = a.substr(7);
        } else if (a.size() > 1 && a[0] == '-') {
            return Usage("unknown option " + a);
        } else {
            args.files.push_back(a);
        }
    }
    if (args.family.empty()) return Usage("--family is required");
    if (args.lang != "en" && args.lang != "ch") return Usage("--lang must be en or ch, not \"" + args.lang + "\"");
    if (args.files.size() != 2) return Usage("expected FILE.sin and OUT.pdf");
    return 0;
}

/// Qt's own notes (no runtime folder, font substitutions) are not this
/// tool's business; only its serious errors reach stderr.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s: %s\n", ProgramName().c_str(), message.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv) {
    Args args;
    bool stop = false;
    if (const int code = ParseArgs(argc, argv, args, stop); code != 0 || stop) return code;

    const vel::Family* family = vel::FindFamily(args.family);
    if (!family || vel::ReportPageCount(*family) == 0) {
        return Usage("unknown family \"" + args.family + "\" (one of: " + FamilyNames() + ")");
    }

    // No window is ever shown: draw offscreen unless a platform was chosen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QGuiApplication app(argc, argv);

    const std::filesystem::path input(args.files[0]);
    const vel::ChannelFileLoadResult loaded = vel::LoadChannelFile(input, static_cast<std::size_t>(family->imageSize));
    if (!loaded.ok) {
        Fail(args.files[0], loaded.message ? loaded.message->en : "cannot be read");
        return 1;
    }
    if (loaded.warning) Fail(args.files[0], loaded.warning->en);

    const vel::Lang lang = family->uiLang(args.lang == "ch" ? vel::Lang::Chinese : vel::Lang::English);
    vel::ChannelTable table = vel::NewChannelTable(*family, lang);
    vel::FillChannelGrid(*family, lang, loaded.image, table);

    QString why;
    if (!velui::WriteReportPdf(QString::fromStdString(args.files[1]), *family, loaded.image, table, lang,
                               velui::DefaultReportPageLayout(), &why)) {
        Fail(args.files[1], why.toStdString());
        return 1;
    }
    return 0;
}

// velbench_window: a full read and a full write of every family from the
// real window, measured against the protocol's floor. Each family's program
// starts as a user starts it (offscreen unless a platform is given), chooses
// Port > Simulated radio, opens the progress dialog with Read or Write and
// presses Start; the session runs with the window's message pump and progress
// dialog, over the real serial port, against the program's own simulated radio
// at line rate. Wall time runs from Start to the end of the session.
//
// A write runs as a new user has it, with the backup before and the check
// after (two reads), each phase timed against its own floor; --plain switches
// both off.
//
//   velbench_window [--family NAME]... [--direction read|write] [--repeat N]
//                   [--plain] [--latency-us N] [--fault TEXT] [--load N]

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_options.h"
#include "bench/bench_pattern.h"
#include "image/family.h"
#include "link/radio_simulator.h"
#include "link/session_floor.h"
#include "link/simulated_radio_memory.h"
#include "link/write_sequence.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/message_box.h"
#include "shell/ui/program_commands.h"
#include "shell/ui/progress_dialog.h"
#include "shell/ui/simulated_radio.h"
#include "shell/ui/vel_app.h"
#include "shell/ui/vel_doc.h"
#include "table/ui/vel_view.h"

namespace {

using namespace vel;

// The folder of a family's program in the build tree (language libraries and
// help pages beside it).
QString ProgramPath(const Family& family) {
    QString folder = QString::fromStdString(family.name).toLower();
    return QStringLiteral(VEL_APPS_DIR "/") + folder + QLatin1Char('/') + QString::fromStdString(family.name);
}

using benchsupport::Pattern;

struct Options : benchsupport::SessionOptions {
    SimulatorFaults faults;
    int load = 0;
    bool plain = false;
};

struct Run {
    bool ok = false;
    double seconds = 0;
    /// A write's phases (backup, write, check) in the order they ran, each
    /// with its time from its beginning to the next one's (or the end).
    std::vector<std::pair<WritePhase, double>> phases;
};

/// One program of one family, started in a folder of its own for its
/// settings, with Port > Simulated radio chosen.
class Program {
public:
    Program(const Family& family, const Options& options) : family_(family) {
        velui::StartupOptions o;
        o.programPath = ProgramPath(family);
        o.localeName = QStringLiteral("en_US");
        o.settingsFile = dir_.filePath(QStringLiteral("settings.ini"));
        o.userConfigDir = dir_.filePath(QStringLiteral("user-config"));
        app_ = std::make_unique<velui::CVelApp>(family, o);
        ok_ = app_->initInstance();
        if (!ok_) return;
        app_->mainFrame()->execute(velui::ID_PORT_SIMULATED);
        velui::SimulatedRadio& radio = app_->programCommands()->simulatedRadio();
        ok_ = radio.running();
        if (options.latencyUs) radio.setReplyLatencyUs(*options.latencyUs);
        radio.setFaults(options.faults);
        // A list of problems or differences, were there one, is closed at
        // once: the benchmark times the sessions, not a reader.
        app_->programCommands()->setDialogRunner([](QDialog&) { return int(QDialog::Accepted); });
        for (const int id : {velui::ID_BACKUP_BEFORE_WRITE, velui::ID_VERIFY_AFTER_WRITE})
            if (QAction* a = app_->mainFrame()->action(id)) a->setChecked(!options.plain);
    }
    bool ok() const { return ok_; }

    Run run(Direction direction, unsigned seed) {
        velui::CProgramCommands& commands = *app_->programCommands();
        velui::SimulatedRadio& radio = commands.simulatedRadio();
        Image radioMemory = Pattern(family_.imageSize, seed);
        // The radio reports the type byte it holds; 0xFF answers for any
        // image, whatever the form stores there when a write begins, so a
        // write asks no question.
        radioMemory[static_cast<std::size_t>(family_.protocol.typeByteAddress)] = 0xFF;
        radio.setMemory(radioMemory);
        // What a write sends is a sound document (the program checks it
        // first), the one the simulated radio comes with; the radio holds
        // other bytes before, so that every block changes something.
        Image& image = app_->document()->image();
        image = direction == Direction::Read ? Pattern(family_.imageSize, seed + 1000)
                                             : SimulatedRadioStartingMemory(family_);
        app_->view()->fillChannelGrid();

        app_->mainFrame()->execute(direction == Direction::Read ? velui::ID_READ_FROM_RADIO : velui::ID_WRITE_TO_RADIO);
        velui::ProgressDialog* dialog = commands.progressDialog();
        Run run;
        QElapsedTimer timer;
        QEventLoop loop;
        std::vector<std::pair<WritePhase, double>> began;   // phase, seconds since Start
        const auto phaseConn = QObject::connect(&commands, &velui::CProgramCommands::writePhaseBegan, [&](int phase) {
            began.emplace_back(static_cast<WritePhase>(phase), static_cast<double>(timer.nsecsElapsed()) / 1e9);
        });
        const auto conn = QObject::connect(&commands, &velui::CProgramCommands::sessionFinished, &loop, [&](int) {
            run.seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
            loop.quit();
        });
        timer.start();
        dialog->startButton()->click();
        loop.exec();
        QObject::disconnect(conn);
        QObject::disconnect(phaseConn);
        // The first phase also carries what came before it (the checks of the
        // table, opening the port).
        for (std::size_t k = 0; k < began.size(); ++k) {
            const double from = k == 0 ? 0.0 : began[k].second;
            const double to = k + 1 < began.size() ? began[k + 1].second : run.seconds;
            run.phases.emplace_back(began[k].first, to - from);
        }

        run.ok = commands.lastResult() && commands.lastResult()->outcome == SessionOutcome::Completed;
        // The exchange must also have carried the right bytes.
        const int end = direction == Direction::Read ? family_.protocol.readBytes() : family_.protocol.writeBytes();
        const Image after = radio.memory();
        const Image& expected = direction == Direction::Read ? radioMemory : image;
        const Image& got = direction == Direction::Read ? image : after;
        if (run.ok && !std::equal(got.begin(), got.begin() + end, expected.begin())) {
            std::fprintf(stderr, "velbench_window: %s %s carried wrong bytes\n", family_.name.c_str(),
                         direction == Direction::Read ? "read" : "write");
            run.ok = false;
        }
        return run;
    }

private:
    const Family& family_;
    QTemporaryDir dir_;
    std::unique_ptr<velui::CVelApp> app_;
    bool ok_ = false;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: velbench_window [--family NAME]... [--direction read|write] [--repeat N] [--latency-us N] "
                 "[--plain] [--fault TEXT] [--load N]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    // Marlowe's window leaves its text form "1.txt" in the current directory
    // at every store: the benchmark keeps it out of the caller's folder.
    QTemporaryDir workDir;
    if (workDir.isValid()) QDir::setCurrent(workDir.path());

    Options options;
    for (int i = 1; i < argc; ++i) {
        const benchsupport::OptionRead shared = benchsupport::ReadSessionOption(i, argc, argv, options);
        if (shared == benchsupport::OptionRead::Taken) continue;
        if (shared == benchsupport::OptionRead::Bad) return Usage();
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--fault" && hasValue) {
            std::string error;
            if (!ParseSimulatorFaults(argv[++i], options.faults, error)) {
                std::fprintf(stderr, "velbench_window: %s\n", error.c_str());
                return Usage();
            }
        } else if (a == "--plain") {
            options.plain = true;
        } else if (a == "--load" && hasValue) {
            options.load = std::max(0, std::atoi(argv[++i]));
        } else {
            return Usage();
        }
    }
    if (options.families.empty()) options.families = AllFamilies();
    if (!velui::SimulatedRadio::Available()) {
        std::fputs("velbench_window: the simulated radio needs pseudo-terminals, which this platform does not have\n",
                   stderr);
        return 1;
    }

    // A session that fails says why; the box is answered with Cancel.
    velui::setMessageHook([](const velui::MessageRequest& r) {
        std::fprintf(stderr, "velbench_window: the program said: %s\n", r.text.toLocal8Bit().constData());
        return (r.buttons & QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::Ok;
    });

    // Busy threads that compete with the program for the processors.
    std::atomic<bool> stopLoad{false};
    std::vector<std::thread> load;
    for (int i = 0; i < options.load; ++i)
        load.emplace_back([&] {
            volatile unsigned long x = 0;
            while (!stopLoad.load(std::memory_order_relaxed)) x = x + 1;
        });

    std::printf("%-11s %-7s %6s %9s %9s %7s\n", "family", "dir", "blocks", "wall s", "floor s", "ratio");
    const auto row = [](const Family& family, const char* what, int blocks, double wall, double floor) {
        std::printf("%-11s %-7s %6d %9.3f %9.3f %7.4f", family.name.c_str(), what, blocks, wall, floor, wall / floor);
    };
    bool allOk = true;
    unsigned seed = 1;
    for (const Family* family : options.families) {
        Program program(*family, options);
        if (!program.ok()) {
            std::fprintf(stderr, "velbench_window: %s did not start with its simulated radio\n", family->name.c_str());
            allOk = false;
            continue;
        }
        for (const Direction d : options.directions) {
            // The best of the runs that went through, for the whole and for
            // each phase; a run that failed is reported, not timed.
            double best = 0;
            std::vector<std::pair<WritePhase, double>> bestPhases;
            int failed = 0;
            for (int r = 0; r < options.repeat; ++r) {
                const Run run = program.run(d, seed++);
                if (!run.ok) {
                    ++failed;
                    continue;
                }
                best = best == 0 ? run.seconds : std::min(best, run.seconds);
                if (bestPhases.empty()) bestPhases = run.phases;
                for (std::size_t k = 0; k < bestPhases.size() && k < run.phases.size(); ++k)
                    bestPhases[k].second = std::min(bestPhases[k].second, run.phases[k].second);
            }
            allOk = allOk && failed == 0;
            // A write with a backup and a check: its floor is the sum of its
            // phases' floors, and each phase has its own.
            std::vector<std::pair<WritePhase, Direction>> phases;
            if (d == Direction::Write && !options.plain)
                phases = {{WritePhase::Backup, Direction::Read}, {WritePhase::Write, Direction::Write},
                          {WritePhase::Verify, Direction::Read}};
            double floor = ProtocolFloor(*family, d).seconds();
            int blocks = SessionBlocks(*family, d);
            if (!phases.empty()) {
                floor = 0;
                blocks = 0;
                for (const auto& [phase, dir] : phases) {
                    floor += ProtocolFloor(*family, dir).seconds();
                    blocks += SessionBlocks(*family, dir);
                }
            }
            row(*family, d == Direction::Read ? "read" : phases.empty() ? "write" : "write+", blocks, best, floor);
            if (failed > 0) std::printf("  (%d of %d runs failed)", failed, options.repeat);
            std::printf("\n");
            for (std::size_t k = 0; k < bestPhases.size() && k < phases.size(); ++k) {
                static const char* const kNames[] = {" backup", " write", " check"};
                const Direction dir = phases[k].second;
                row(*family, kNames[static_cast<int>(bestPhases[k].first)], SessionBlocks(*family, dir),
                    bestPhases[k].second, ProtocolFloor(*family, dir).seconds());
                std::printf("\n");
            }
            std::fflush(stdout);
        }
    }
    stopLoad.store(true);
    for (std::thread& t : load) t.join();
    return allOk ? 0 : 1;
}

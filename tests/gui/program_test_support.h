#pragma once
// Helpers of the programming-command tests: an application whose exchanges
// go to a simulated radio on a virtual clock (whole sessions take
// milliseconds), a port that lets a test act between two writes, and a
// catcher that answers real message boxes.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

#include "image/family.h"
#include "link/radio_simulator.h"
#include "link/simulated_serial_port.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/program_commands.h"
#include "shell/ui/progress_dialog.h"
#include "shell/ui/vel_app.h"
#include "shell/ui/vel_doc.h"
#include "shell_test_support.h"
#include "table/ui/cmsflexgrid.h"
#include "table/ui/vel_view.h"

namespace programtest {

/// Forwards to a port shared by every exchange of a test, counts the writes
/// and calls `afterWrite(n)` after the n-th one; `failWrite(bytes)` makes a
/// write report a device error instead.
class ForwardingPort final : public vel::SerialPort {
public:
    ForwardingPort(vel::SerialPort& inner, std::function<void(int)> afterWrite,
                   std::function<bool(const std::uint8_t*, std::size_t)> failWrite, int& writes)
        : inner_(inner), afterWrite_(std::move(afterWrite)), failWrite_(std::move(failWrite)), writes_(writes) {}

    bool open(const std::string& name) override { return inner_.open(name); }
    void configure(const vel::TimingProfile& p) override { inner_.configure(p); }
    void purgeAll() override { inner_.purgeAll(); }
    void purgeBuffers() override { inner_.purgeBuffers(); }
    vel::IoResult write(const std::uint8_t* data, std::size_t count) override {
        if (failWrite_ && failWrite_(data, count)) return {false, 0};
        const vel::IoResult r = inner_.write(data, count);
        ++writes_;
        if (afterWrite_) afterWrite_(writes_);
        return r;
    }
    vel::IoResult read(std::uint8_t* buffer, std::size_t count) override { return inner_.read(buffer, count); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    vel::OpenFailure openFailure() const override { return inner_.openFailure(); }

private:
    vel::SerialPort& inner_;
    std::function<void(int)> afterWrite_;
    std::function<bool(const std::uint8_t*, std::size_t)> failWrite_;
    int& writes_;
};

/// The radio end of a test: a simulated radio behind an in-process port on a
/// virtual clock.
struct SimLink {
    explicit SimLink(const vel::Family& family) : radio(family), port(radio, clock) {}

    velui::PortFactory factory() {
        return [this] { return std::make_unique<ForwardingPort>(port, afterWrite, failWrite, writes); };
    }
    /// Write frames of one kind the radio received.
    std::size_t frames(vel::FrameKind kind) const { return radio.countFrames(kind); }

    vel::RadioSimulator radio;
    vel::VirtualClock clock;
    vel::SimulatedSerialPort port;
    std::function<void(int)> afterWrite;
    std::function<bool(const std::uint8_t*, std::size_t)> failWrite;
    int writes = 0;
};

/// Answers every real message box that comes up while it lives, from a queue
/// (default: Retry when offered, else OK), and records its text.
class BoxAnswerer : public QObject {
public:
    BoxAnswerer() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            texts << box->text();
            QMessageBox::StandardButton answer = box->button(QMessageBox::Retry) ? QMessageBox::Retry : QMessageBox::Ok;
            if (!answers.empty()) {
                answer = answers.front();
                answers.pop_front();
            }
            box->button(answer)->click();
        });
        timer_.start(10);
    }
    QStringList texts;
    std::deque<QMessageBox::StandardButton> answers;

private:
    QTimer timer_;
};

inline QString ProgramName(vel::FamilyId id) { return QString::fromStdString(vel::GetFamily(id).name); }

/// How a harness's writes go.
enum class WriteSafety {
    Plain,     ///< the Program menu's backup and check switched off: the write session alone
    Default,   ///< as a new user has it: backup before and check after every write
};

/// An application of one family whose exchanges go to `link`. Backups go to
/// the test's own folder (XDG_DATA_HOME), never into the home. The dialogs of
/// the write's checks and lists are answered by `dialogAnswer` (default:
/// accepted, that is "Write Anyway" and "Close").
struct ProgramHarness {
    explicit ProgramHarness(vel::FamilyId id, QString locale = QStringLiteral("en_US"), bool scriptMessages = true,
                            WriteSafety safety = WriteSafety::Plain)
        : family(vel::GetFamily(id)), link(family) {
        if (scriptMessages) messages = std::make_unique<shelltest::MessageScript>();
        if (safety == WriteSafety::Plain)
            dir.writeFile(QStringLiteral("settings.ini"),
                          "[Write]\nBackupBeforeWrite=false\nVerifyAfterWrite=false\n");
        app = std::make_unique<velui::CVelApp>(family, dir.options(locale, ProgramName(id)));
        ok = app->initInstance();
        if (!ok) return;
        app->programCommands()->setLink(link.factory(), &link.clock);
        app->programCommands()->setDialogRunner([this](QDialog& d) {
            dialogs << d.objectName();
            return dialogAnswer ? dialogAnswer(d) : int(QDialog::Accepted);
        });
        QObject::connect(app->programCommands(), &velui::CProgramCommands::sessionFinished,
                         [this](int) { ++finished; });
    }

    velui::CMainFrame* frame() const { return app->mainFrame(); }
    CVelView* view() const { return app->view(); }
    vel::Image& image() const { return app->document()->image(); }
    velui::ProgressDialog* dialog() const { return app->programCommands()->progressDialog(); }
    CMSFlexGrid* grid() const { return view()->grid(); }
    QString cell(int row, int col) const { return grid()->GetTextMatrix(row, col); }

    /// Runs the command, presses Start and waits for the session to end.
    bool run(int command) {
        frame()->execute(command);
        if (!dialog()->isVisible()) return false;
        const int before = finished;
        dialog()->startButton()->click();
        return QTest::qWaitFor([&] { return finished > before; }, 60000);
    }
    bool read() { return run(velui::ID_READ_FROM_RADIO); }
    bool write() { return run(velui::ID_WRITE_TO_RADIO); }
    vel::SessionOutcome outcome() const { return app->programCommands()->lastResult()->outcome; }

    QStringList messageTexts() const {
        QStringList t;
        if (messages)
            for (const auto& m : messages->shown) t << m.text;
        return t;
    }

    /// The folder a write's backups go to.
    QString backupFolder() const { return dir.path(QStringLiteral("data/Velmar/backups")); }

    const vel::Family& family;
    shelltest::ProgramDir dir;
    std::function<int(QDialog&)> dialogAnswer;
    QStringList dialogs;   // object names of the dialogs the commands opened
    std::unique_ptr<shelltest::MessageScript> messages;
    SimLink link;
    std::unique_ptr<velui::CVelApp> app;
    bool ok = false;
    int finished = 0;
};

}  // namespace programtest

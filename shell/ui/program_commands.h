#pragma once
// The Program menu's exchanges with a radio, wired into the main window's
// command table: Read From Radio and Write To Radio (the progress dialog and
// the session it starts), Test Mode (the test-mode dialog), and the Port
// menu's simulated radio. One instance per main window; it owns the progress
// dialog, created once and kept for the window's life.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "image/family.h"
#include "image/language.h"
#include "link/programming_session.h"
#include "link/serial_port.h"
#include "link/write_sequence.h"
#include "table/image_checks.h"
#include "shell/config_file.h"

class CVelView;
class QDialog;
class QSettings;

namespace velui {

class CMainFrame;
class CVelDoc;
class CTestModeDlg;
class ProgressDialog;
class SimulatedRadio;

/// Makes the (closed) serial port of one exchange. The port opens the port
/// name it is given ("COM1" … "COM4", or SimulatedPortName()).
using PortFactory = std::function<std::unique_ptr<vel::SerialPort>()>;

class CProgramCommands : public QObject {
    Q_OBJECT
public:
    /// `config` (may be null) maps COM1..COM4 to devices (section PORTS).
    CProgramCommands(const vel::Family& family, vel::Lang lang, CMainFrame& frame, CVelView& view, CVelDoc& doc,
                     const vel::CConfigFile* config, QObject* parent = nullptr);
    ~CProgramCommands() override;

    /// Installs the handlers of Read, Write, Test Mode and the simulated radio.
    void install();

    /// Replaces the ports and the clock of every later exchange (tests: a
    /// simulated port on a virtual clock). An empty factory or a null clock
    /// restores the system's serial ports and clock.
    void setLink(PortFactory factory, vel::Clock* clock);

    // The commands, as the menu runs them.
    void onRead();
    void onWrite();
    void onTestMode();
    void onSimulatedPort();
    /// File › Compare With: asks whether to compare with a file or the radio.
    void onCompareWith();
    /// Compares this document with the channel data file `path`.
    void compareWithFile(const QString& path);
    /// Reads the radio into a copy (progress dialog, Start) and compares.
    void compareWithRadio();

    /// The per-user settings that remember the Program menu's two write
    /// switches (both on when nothing is remembered).
    void setSettings(QSettings* settings);
    bool backupBeforeWrite() const;
    bool verifyAfterWrite() const;

    /// Called instead of exec() with the dialogs these commands open (the
    /// checks before a write, the difference lists, the Compare With
    /// question), when set; returns the dialog's result. Tests answer them.
    void setDialogRunner(std::function<int(QDialog&)> runner) { dialogRunner_ = std::move(runner); }
    /// The last write with its backup and check (none before the first).
    const std::optional<vel::WriteSequenceResult>& lastWrite() const { return lastWrite_; }

    /// Called with the test-mode dialog instead of running it modally, when set
    /// (tests drive the dialog themselves).
    void setTestModeRunner(std::function<void(CTestModeDlg&)> runner) { testModeRunner_ = std::move(runner); }

    ProgressDialog* progressDialog() const { return dialog_; }
    /// Direction the next Start uses.
    vel::Direction direction() const { return direction_; }
    bool sessionRunning() const { return sessionRunning_; }
    /// Result of the last session (none before the first).
    const std::optional<vel::SessionResult>& lastResult() const { return lastResult_; }
    /// Base frequency F the Test Mode command gives the dialog now.
    int testModeBaseMHz() const;

    /// The simulated radio (created, not started, on first use).
    SimulatedRadio& simulatedRadio();
    /// The device an exchange opens for `portName`.
    std::string deviceFor(const std::string& portName);

signals:
    /// A session ended (after the table was refilled when it read); the
    /// outcome is a vel::SessionOutcome.
    void sessionFinished(int outcome);

private:
    /// What the progress dialog's Start does.
    enum class Purpose { ReadIntoDocument, Write, ReadForCompare };

    void openProgress(vel::Direction direction, Purpose purpose);
    void runSession();
    bool checksAllowWrite();
    vel::WriteSequenceOptions writeOptions();
    void reportWrite(const vel::WriteSequenceResult& result);
    void showComparison(const vel::Image& other, const QString& otherName);
    void useOtherValue(const vel::ImageDifference& difference, const vel::Image& other);
    int runDialog(QDialog& dialog);
    vel::Lang textLang() const;
    void setBusy(bool busy);
    std::unique_ptr<vel::SerialPort> makePort();
    vel::Clock& clock();
    QString title() const;
    void refreshPortDevices();
    bool eventFilter(QObject* watched, QEvent* event) override;

    const vel::Family& family_;
    vel::Lang lang_;
    CMainFrame& frame_;
    CVelView& view_;
    CVelDoc& doc_;
    const vel::CConfigFile* config_;
    ProgressDialog* dialog_ = nullptr;   // owned by the frame
    std::unique_ptr<SimulatedRadio> simulated_;

    PortFactory portFactory_;
    vel::Clock* clock_ = nullptr;
    std::function<void(CTestModeDlg&)> testModeRunner_;

    std::function<int(QDialog&)> dialogRunner_;
    QSettings* settings_ = nullptr;
    std::optional<vel::WriteSequenceResult> lastWrite_;
    std::vector<vel::ImageProblem> warnings_;   // of the checks before the running write

    vel::Direction direction_ = vel::Direction::Read;
    Purpose purpose_ = Purpose::ReadIntoDocument;
    bool sessionRunning_ = false;
    std::optional<vel::SessionResult> lastResult_;
    std::vector<std::pair<int, bool>> disabledWhileBusy_;   // command, its state before
};

}  // namespace velui

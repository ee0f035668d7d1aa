#include "shell/ui/program_commands.h"
#include "shell/ui/context_help.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

#include <exception>
#include <map>

#include "image/backup_files.h"
#include "image/document_file.h"
#include "link/line_rate_port.h"
#include "link/port_names.h"
#include "link/session_frames.h"
#include "link/session_texts.h"
#include "link/system_serial_port.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/message_box.h"
#include "shell/ui/progress_dialog.h"
#include "shell/ui/qt_session_host.h"
#include "shell/ui/simulated_radio.h"
#include "shell/ui/vel_doc.h"
#include "table/image_checks.h"
#include "table/image_compare.h"
#include "table/ui/check_result_dlg.h"
#include "table/ui/cmsflexgrid.h"
#include "table/ui/difference_list_dlg.h"
#include "table/ui/vel_view.h"
#include "testmode/ui/test_mode_dlg.h"

namespace velui {

namespace {

constexpr int kFieldList = 1011;

// Commands that wait until a session ends: those that would change the
// document's image or start another exchange while the session moves the
// image, and those that open a modal window, whose event loop would hold the
// session inside one pump round until it closed.
const int kBusyCommands[] = {ID_FILE_NEW,           ID_FILE_OPEN,           ID_FILE_SAVE,
                             ID_FILE_SAVE_AS,       ID_FILE_MRU_FILE1,      ID_FILE_MRU_FILE1 + 1,
                             ID_FILE_MRU_FILE1 + 2, ID_FILE_MRU_FILE1 + 3,  ID_APP_EXIT,
                             ID_TEST_MODE,          ID_EDIT_DATA,           ID_OPTIONAL_FEATURES,
                             ID_OPTIONAL_FEATURES_EDIT, ID_TWO_TONE,        ID_KEY_ASSIGNMENT,
                             ID_FILE_PRINT,         ID_FILE_PRINT_PREVIEW,  ID_FILE_PRINT_SETUP,
                             ID_FILE_EXPORT_PDF,    ID_FILE_IMPORT_TEXT,    ID_FILE_EXPORT_TEXT,
                             ID_APP_ABOUT,          ID_FILE_COMPARE,        ID_FILE_OPEN_BACKUP,
                             ID_BACKUP_BEFORE_WRITE, ID_VERIFY_AFTER_WRITE, ID_FILE_IMPORT_CHANNELS, ID_FILE_EXPORT_CHANNELS,
                             // The edit commands would change the image under the session.
                             ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_PASTE_INSERTED,
                             ID_EDIT_INSERT_CHANNEL, ID_EDIT_DELETE_CHANNEL, ID_EDIT_MOVE_UP, ID_EDIT_MOVE_DOWN,
                             ID_EDIT_FILL_DOWN, ID_EDIT_CLEAR};

// Where the Program menu's two write switches are remembered.
constexpr const char* kBackupKey = "Write/BackupBeforeWrite";
constexpr const char* kVerifyKey = "Write/VerifyAfterWrite";

QString Q(const std::string& s) { return QString::fromStdString(s); }

QString Tr(const char* text) { return QCoreApplication::translate("CProgramCommands", text); }

// Seconds with one decimal, as the status bar's sentences give them.
QString Seconds(std::int64_t ms) { return QString::number(static_cast<double>(ms) / 1000.0, 'f', 1); }

}  // namespace

CProgramCommands::CProgramCommands(const vel::Family& family, vel::Lang lang, CMainFrame& frame, CVelView& view,
                                   CVelDoc& doc, const vel::CConfigFile* config, QObject* parent)
    : QObject(parent), family_(family), lang_(lang), frame_(frame), view_(view), doc_(doc), config_(config) {
    // The dialog belongs to the main window, not to the form, so that the
    // form can be disabled while a session runs without disabling it.
    dialog_ = new ProgressDialog(family_, lang_, &frame_);
    connect(dialog_, &ProgressDialog::startRequested, this, &CProgramCommands::runSession, Qt::QueuedConnection);
    frame_.installEventFilter(this);
}

CProgramCommands::~CProgramCommands() {
    frame_.removeEventFilter(this);
}

void CProgramCommands::install() {
    frame_.setHandler(ID_READ_FROM_RADIO, [this] { onRead(); });
    frame_.setHandler(ID_WRITE_TO_RADIO, [this] { onWrite(); });
    frame_.setHandler(ID_TEST_MODE, [this] { onTestMode(); });
    frame_.setHandler(ID_PORT_SIMULATED, [this] { onSimulatedPort(); });
    if (QAction* sim = frame_.action(ID_PORT_SIMULATED)) sim->setVisible(SimulatedRadio::Available());
    frame_.setHandler(ID_FILE_COMPARE, [this] { onCompareWith(); });
    // The two switches are checkable: the menu has set the check mark when
    // the handler runs, which remembers it.
    for (const auto& [id, key] : {std::pair{ID_BACKUP_BEFORE_WRITE, kBackupKey}, std::pair{ID_VERIFY_AFTER_WRITE, kVerifyKey}}) {
        if (QAction* a = frame_.action(id)) a->setChecked(true);
        frame_.setHandler(id, [this, id = id, key = key] {
            if (settings_) settings_->setValue(QString::fromLatin1(key), frame_.action(id)->isChecked());
        });
    }
}

void CProgramCommands::setSettings(QSettings* settings) {
    settings_ = settings;
    if (!settings_) return;
    for (const auto& [id, key] : {std::pair{ID_BACKUP_BEFORE_WRITE, kBackupKey}, std::pair{ID_VERIFY_AFTER_WRITE, kVerifyKey}})
        if (QAction* a = frame_.action(id)) a->setChecked(settings_->value(QString::fromLatin1(key), true).toBool());
}

bool CProgramCommands::backupBeforeWrite() const {
    const QAction* a = frame_.action(ID_BACKUP_BEFORE_WRITE);
    return a == nullptr || a->isChecked();
}

bool CProgramCommands::verifyAfterWrite() const {
    const QAction* a = frame_.action(ID_VERIFY_AFTER_WRITE);
    return a == nullptr || a->isChecked();
}

int CProgramCommands::runDialog(QDialog& dialog) { return dialogRunner_ ? dialogRunner_(dialog) : dialog.exec(); }

vel::Lang CProgramCommands::textLang() const { return family_.uiLang(lang_); }

void CProgramCommands::setLink(PortFactory factory, vel::Clock* clock) {
    portFactory_ = std::move(factory);
    clock_ = clock;
}

QString CProgramCommands::title() const { return frame_.windowTitle(); }

vel::Clock& CProgramCommands::clock() { return clock_ ? *clock_ : vel::SystemClock(); }

std::unique_ptr<vel::SerialPort> CProgramCommands::makePort(const std::string& portName) {
    if (portFactory_) return portFactory_();
    auto port = vel::CreateSystemSerialPort([this](const std::string& name) { return deviceFor(name); });
    // The simulated radio's pseudo-terminal takes our bytes at once; on a
    // cable a write lasts until its bytes are on the line.
    if (QString::fromStdString(portName) == SimulatedPortName())
        return std::make_unique<vel::LineRatePort>(std::move(port));
    return port;
}

SimulatedRadio& CProgramCommands::simulatedRadio() {
    if (!simulated_) simulated_ = std::make_unique<SimulatedRadio>(family_);
    return *simulated_;
}

std::string CProgramCommands::deviceFor(const std::string& portName) {
    if (QString::fromStdString(portName) == SimulatedPortName()) {
        std::string error;
        return simulatedRadio().start(error) ? simulatedRadio().devicePath() : std::string();
    }
    return vel::ResolvePortDevice(portName, config_);
}

// ---------------------------------------------------------------------------
// Read and Write
// ---------------------------------------------------------------------------

void CProgramCommands::onRead() { openProgress(vel::Direction::Read, Purpose::ReadIntoDocument); }

void CProgramCommands::onWrite() { openProgress(vel::Direction::Write, Purpose::Write); }

void CProgramCommands::openProgress(vel::Direction direction, Purpose purpose) {
    view_.commitCurrentCell();
    // A running session took its direction when it started; a command given
    // meanwhile changes nothing, so the dialog keeps saying what it does.
    if (dialog_->running()) return;
    direction_ = direction;
    purpose_ = purpose;
    // A write with a backup or a check names its phases before it starts.
    QStringList phases;
    if (purpose == Purpose::Write) {
        if (backupBeforeWrite()) phases << Q(vel::WritePhaseName(vel::WritePhase::Backup, textLang()));
        phases << Q(vel::WritePhaseName(vel::WritePhase::Write, textLang()));
        if (verifyAfterWrite()) phases << Q(vel::WritePhaseName(vel::WritePhase::Verify, textLang()));
    }
    dialog_->setPhaseText(phases.size() > 1 ? phases.join(QStringLiteral(" → ")) : QString());
    dialog_->setCaption(QString::fromStdString(vel::ProgressCaption(direction == vel::Direction::Write)));
    dialog_->setMessageTitle(title());
    dialog_->setProperty(kHelpPageProperty,
                         direction == vel::Direction::Write ? QStringLiteral("writing.html") : QStringLiteral("reading.html"));
    // An open dialog is not opened again; its title follows the command, so
    // that Start always does what the title says.
    if (!dialog_->openWindow(view_.grid())) dialog_->retitle();
}

void CProgramCommands::runSession() {
    // The start request of a dialog that is still waiting for it; anything
    // else (a request left over from a closed dialog) is dropped.
    if (sessionRunning_ || !dialog_->running()) return;
    const vel::Direction direction = direction_;
    const std::string portName = frame_.portName().toStdString();

    const Purpose purpose = purpose_;
    if (purpose == Purpose::Write && !checksAllowWrite()) {
        dialog_->closeWindow();
        vel::SessionResult cancelled;
        cancelled.outcome = vel::SessionOutcome::Cancelled;
        lastResult_ = cancelled;
        emit sessionFinished(static_cast<int>(cancelled.outcome));
        return;
    }

    std::unique_ptr<vel::SerialPort> port = makePort(portName);
    ProgressPaintingClock sessionClock(clock(), *dialog_);
    QtSessionHost host(*dialog_, view_, title(), sessionClock, family_, sessionDirections(purpose));
    vel::ProgrammingSession session(family_, lang_, *port, sessionClock, host);

    const std::int64_t startMs = clock().nowMs();
    sessionRunning_ = true;
    setBusy(true);
    vel::SessionResult result;
    std::optional<vel::WriteSequenceResult> written;
    std::optional<vel::Image> radioCopy;
    try {
        if (purpose == Purpose::Write) {
            written = vel::RunWriteSequence(family_, lang_, *port, sessionClock, host, portName, doc_.image(),
                                            writeOptions());
            result = written->session;
            result.outcome = written->outcome;
        } else if (purpose == Purpose::ReadForCompare) {
            // Read into a copy of what the document would save: bytes the
            // read does not reach compare equal.
            radioCopy = view_.storedImage();
            result = session.run(vel::Direction::Read, portName, *radioCopy);
        } else {
            result = session.run(direction, portName, doc_.image());
        }
    } catch (const std::exception& e) {
        result.outcome = vel::SessionOutcome::Failed;
        result.lastMessage = e.what();
        port->close();
        dialog_->closeWindow();
        ShowMessage(&frame_, QMessageBox::Warning, title(), QString::fromStdString(e.what()));
    }
    port->close();   // the session closes it on every way out; this only makes sure
    setBusy(false);
    sessionRunning_ = false;

    // Only a completed read replaces the table. The document stays as it is
    // (not saved), so the unsaved-changes question protects what was read.
    const bool completed = result.outcome == vel::SessionOutcome::Completed;
    if (purpose == Purpose::ReadIntoDocument && completed) view_.fillChannelGrid();
    const std::int64_t elapsedMs = clock().nowMs() - startMs;
    if (!written) frame_.setPaneText(readSummary(portName, result, elapsedMs));
    lastResult_ = result;
    if (written) {
        lastWrite_ = written;
        reportWrite(*written, portName, elapsedMs);
    }
    if (radioCopy && completed) showComparison(*radioCopy, Tr(QT_TRANSLATE_NOOP("CProgramCommands", "The Radio")));
    emit sessionFinished(static_cast<int>(result.outcome));
}

std::vector<vel::Direction> CProgramCommands::sessionDirections(Purpose purpose) const {
    if (purpose != Purpose::Write) return {vel::Direction::Read};
    std::vector<vel::Direction> phases;
    if (backupBeforeWrite()) phases.push_back(vel::Direction::Read);
    phases.push_back(vel::Direction::Write);
    if (verifyAfterWrite()) phases.push_back(vel::Direction::Read);
    return phases;
}

QString CProgramCommands::portLabel(const std::string& portName) const {
    const QString port = QString::fromStdString(portName);
    return port == SimulatedPortName() ? QCoreApplication::translate("CMainFrame", "Simulated radio") : port;
}

QString CProgramCommands::readSummary(const std::string& portName, const vel::SessionResult& result,
                                      std::int64_t elapsedMs) const {
    const QString total = QString::number(family_.protocol.readBytes());
    const QString port = portLabel(portName);
    switch (result.outcome) {
        case vel::SessionOutcome::Completed:
            return Tr(QT_TRANSLATE_NOOP("CProgramCommands", "Read %1 bytes from %2 in %3 s"))
                .arg(total, port, Seconds(elapsedMs));
        case vel::SessionOutcome::Cancelled:
            return Tr(QT_TRANSLATE_NOOP("CProgramCommands", "Read from %1 cancelled after %2 of %3 bytes"))
                .arg(port, QString::number(result.blocksTransferred * vel::kBlockSize), total);
        case vel::SessionOutcome::Failed:
            return Tr(QT_TRANSLATE_NOOP("CProgramCommands", "Read from %1 failed after %2 of %3 bytes"))
                .arg(port, QString::number(result.blocksTransferred * vel::kBlockSize), total);
        case vel::SessionOutcome::OpenFailed:
            return Tr(QT_TRANSLATE_NOOP("CProgramCommands", "%1 could not be opened")).arg(port);
    }
    return {};
}

// ---------------------------------------------------------------------------
// The safety of a write: checks, backup, read-back
// ---------------------------------------------------------------------------

bool CProgramCommands::checksAllowWrite() {
    // A message of the cell commit or the list of problems takes the focus
    // from the progress dialog: that must not count as switching away from
    // a session.
    const bool guard = dialog_->deactivationGuard();
    dialog_->setDeactivationGuard(false);
    // What the write sends is what a save would write now.
    view_.commitCurrentCell();
    const std::vector<vel::ImageProblem> problems = vel::CheckImage(family_, lang_, view_.storedImage());
    // Warnings alone never stop a write: they are told when it ends.
    warnings_.clear();
    bool writeAnyway = true;
    if (vel::ErrorCount(problems) == 0) {
        warnings_ = problems;
    } else {
        CCheckResultDlg dlg(problems, textLang(), dialog_);
        writeAnyway = runDialog(dlg) == QDialog::Accepted;
    }
    dialog_->setDeactivationGuard(guard);
    return writeAnyway;
}

vel::WriteSequenceOptions CProgramCommands::writeOptions() {
    vel::WriteSequenceOptions options;
    options.backup = backupBeforeWrite();
    options.verify = verifyAfterWrite();
    const vel::Lang lang = textLang();
    options.saveBackup = [this, lang](const vel::Image& backup) {
        const vel::BackupSaveResult saved = vel::SaveBackup(vel::DefaultBackupFolder(), family_.name, backup);
        return vel::BackupOutcome{saved.ok, saved.path, saved.message.in(lang)};
    };
    options.phaseBegins = [this, lang](vel::WritePhase phase, int number, int count) {
        emit writePhaseBegan(static_cast<int>(phase));
        if (count > 1)
            dialog_->setPhaseText(Tr(QT_TRANSLATE_NOOP("CProgramCommands", "Step %1 of %2: %3"))
                                      .arg(number)
                                      .arg(count)
                                      .arg(Q(vel::WritePhaseName(phase, lang))));
    };
    return options;
}

void CProgramCommands::reportWrite(const vel::WriteSequenceResult& result, const std::string& portName,
                                   std::int64_t elapsedMs) {
    QString sentence = Q(result.summary);
    // A write that went through also says how much went where, and how long
    // the whole of it took (backup and check included).
    if (result.outcome == vel::SessionOutcome::Completed)
        sentence = Tr(QT_TRANSLATE_NOOP("CProgramCommands", "Wrote %1 bytes to %2 in %3 s. %4"))
                       .arg(QString::number(family_.protocol.writeBytes()), portLabel(portName), Seconds(elapsedMs),
                            sentence);
    if (!warnings_.empty())
        sentence = Tr(QT_TRANSLATE_NOOP("CProgramCommands", "%1 (Before writing, %2 warnings; the first: %3)"))
                       .arg(sentence)
                       .arg(warnings_.size())
                       .arg(Q(vel::ProblemLine(warnings_.front(), textLang())));
    frame_.setPaneText(sentence);
    if (!result.differences.empty()) {
        const std::vector<vel::ImageDifference> rows = result.differences;
        CDifferenceListDlg dlg(CDifferenceListDlg::Mode::Verify, textLang(), QString(), [rows] { return rows; }, {},
                               Q(result.summary), &frame_);
        runDialog(dlg);
        return;
    }
    // A backup that could not be made, or a write that could not be read
    // back, is said once more after the session's own message: otherwise a
    // user could take the write for done and checked.
    const bool unchecked = result.endedIn == vel::WritePhase::Backup || result.endedIn == vel::WritePhase::Verify;
    if (result.outcome == vel::SessionOutcome::Failed && unchecked)
        ShowMessage(&frame_, QMessageBox::Warning, title(), Q(result.summary));
}

// ---------------------------------------------------------------------------
// Compare With
// ---------------------------------------------------------------------------

void CProgramCommands::onCompareWith() {
    if (sessionRunning_) return;
    view_.commitCurrentCell();
    QMessageBox box(QMessageBox::Question, title(),
                    Tr(QT_TRANSLATE_NOOP("CProgramCommands", "Compare this document with:")), QMessageBox::NoButton,
                    &frame_);
    box.setObjectName(QStringLiteral("compareSource"));
    QPushButton* file =
        box.addButton(Tr(QT_TRANSLATE_NOOP("CProgramCommands", "A &File...")), QMessageBox::ActionRole);
    file->setObjectName(QStringLiteral("compareWithFile"));
    QPushButton* radio =
        box.addButton(Tr(QT_TRANSLATE_NOOP("CProgramCommands", "The &Radio")), QMessageBox::ActionRole);
    radio->setObjectName(QStringLiteral("compareWithRadio"));
    box.addButton(Tr(QT_TRANSLATE_NOOP("CProgramCommands", "Cancel")), QMessageBox::RejectRole);
    box.setDefaultButton(file);
    runDialog(box);
    if (box.clickedButton() == radio) {
        compareWithRadio();
    } else if (box.clickedButton() == file) {
        FileDialogRequest request;
        request.kind = FileDialogKind::Open;
        request.title = Tr(QT_TRANSLATE_NOOP("CProgramCommands", "Compare With"));
        request.suggested = doc_.pathName().isEmpty() ? QString() : QFileInfo(doc_.pathName()).absolutePath();
        request.filter = QCoreApplication::translate("CVelApp", "Channel Data (*.sin)") + QStringLiteral(";;") +
                         QCoreApplication::translate("CVelApp", "All Files (*)");
        const QString path = AskFileName(&frame_, request);
        if (!path.isEmpty()) compareWithFile(path);
    }
}

void CProgramCommands::compareWithFile(const QString& path) {
    view_.commitCurrentCell();
    const vel::ChannelFileLoadResult loaded =
        vel::LoadChannelFile(path.toStdString(), static_cast<std::size_t>(family_.imageSize));
    if (!loaded.ok) {
        const std::string why = loaded.message ? loaded.message->in(textLang()) : std::string();
        ShowMessage(&frame_, QMessageBox::Warning, title(), Q(why));
        return;
    }
    showComparison(loaded.image, QFileInfo(path).fileName());
}

void CProgramCommands::compareWithRadio() { openProgress(vel::Direction::Read, Purpose::ReadForCompare); }

void CProgramCommands::showComparison(const vel::Image& other, const QString& otherName) {
    // "This document" is what a save would write now, so every "Use this
    // value" shows at once in the list computed again.
    CDifferenceListDlg dlg(
        CDifferenceListDlg::Mode::Compare, textLang(), otherName,
        [this, other] { return vel::CompareImages(family_, lang_, view_.storedImage(), other); },
        [this, other](const vel::ImageDifference& d) { useOtherValue(d, other); }, QString(), &frame_);
    runDialog(dlg);
}

void CProgramCommands::useOtherValue(const vel::ImageDifference& difference, const vel::Image& other) {
    // The table goes into the image, the row's bits come over, and the table
    // is filled again: the document then differs from its file, which the
    // unsaved-changes question sees.
    view_.commitCurrentCell();
    vel::Image image = view_.storedImage();
    vel::UseOtherValue(family_, difference, other, image);
    doc_.image() = image;
    view_.fillChannelGrid();
}

void CProgramCommands::setBusy(bool busy) {
    if (busy) {
        disabledWhileBusy_.clear();
        for (int id : kBusyCommands) {
            if (QAction* a = frame_.action(id)) {
                disabledWhileBusy_.emplace_back(id, a->isEnabled());
                a->setEnabled(false);
            }
        }
    } else {
        for (const auto& [id, enabled] : disabledWhileBusy_)
            if (QAction* a = frame_.action(id)) a->setEnabled(enabled);
        disabledWhileBusy_.clear();
    }
    // The form and dropped files would change the image under the session.
    view_.setEnabled(!busy);
    frame_.setAcceptDrops(!busy);
}

bool CProgramCommands::eventFilter(QObject* watched, QEvent* event) {
    // The window stays open until the session has closed its port; the
    // progress dialog's Cancel ends the session.
    if (watched == &frame_ && event->type() == QEvent::Close && sessionRunning_) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Test mode
// ---------------------------------------------------------------------------

int CProgramCommands::testModeBaseMHz() const {
    std::string fieldText;
    if (const vel::FormField* field = family_.field(kFieldList)) {
        const vel::ChannelTable& table = view_.table();
        const auto it = table.selection.find(kFieldList);
        if (it != table.selection.end() && it->second >= 0 && it->second < static_cast<int>(field->items.size()))
            fieldText = field->items[static_cast<std::size_t>(it->second)].text.in(lang_);
    }
    return vel::TestModeBaseMHz(family_, fieldText);
}

void CProgramCommands::onTestMode() {
    if (sessionRunning_) return;
    view_.commitCurrentCell();
    TestModeLink link;
    link.makePort = [this, portName = frame_.portName().toStdString()] { return makePort(portName); };
    link.clock = &clock();
    link.messageTitle = title();
    CTestModeDlg dlg(family_, lang_, testModeBaseMHz(), frame_.portName(), link, &frame_);
    // The simulated radio thinks before it answers a test mode, which clears
    // the line between a frame and the read of its answer.
    if (simulated_) simulated_->setTestModeTiming(true);
    if (testModeRunner_)
        testModeRunner_(dlg);
    else
        dlg.exec();
    if (simulated_) simulated_->setTestModeTiming(false);
}

// ---------------------------------------------------------------------------
// The simulated radio
// ---------------------------------------------------------------------------

void CProgramCommands::onSimulatedPort() {
    const QString previous = frame_.portName();
    std::string error;
    if (!simulatedRadio().start(error)) {
        frame_.selectPort(previous == SimulatedPortName() ? QStringLiteral("COM1") : previous);
        ShowMessage(&frame_, QMessageBox::Warning, title(),
                    Tr(QT_TRANSLATE_NOOP("CProgramCommands", "The simulated radio could not be started: %1"))
                        .arg(QString::fromStdString(error)));
        return;
    }
    frame_.selectPort(SimulatedPortName());
    refreshPortDevices();
}

void CProgramCommands::refreshPortDevices() {
    std::map<QString, QString> devices;
    for (const std::string& port : vel::StandardPortNames())
        devices[QString::fromStdString(port)] = QString::fromStdString(vel::ResolvePortDevice(port, config_));
    if (simulated_ && simulated_->running())
        devices[SimulatedPortName()] = QString::fromStdString(simulated_->devicePath());
    frame_.setPortDevices(devices);
}

}  // namespace velui

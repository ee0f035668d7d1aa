#include "shell/ui/program_commands.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>

#include <exception>
#include <map>

#include "link/port_names.h"
#include "link/session_texts.h"
#include "link/system_serial_port.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/message_box.h"
#include "shell/ui/progress_dialog.h"
#include "shell/ui/qt_session_host.h"
#include "shell/ui/simulated_radio.h"
#include "shell/ui/vel_doc.h"
#include "table/ui/cmsflexgrid.h"
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
                             ID_APP_ABOUT};

QString Tr(const char* text) { return QCoreApplication::translate("CProgramCommands", text); }

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
}

void CProgramCommands::setLink(PortFactory factory, vel::Clock* clock) {
    portFactory_ = std::move(factory);
    clock_ = clock;
}

QString CProgramCommands::title() const { return frame_.windowTitle(); }

vel::Clock& CProgramCommands::clock() { return clock_ ? *clock_ : vel::SystemClock(); }

std::unique_ptr<vel::SerialPort> CProgramCommands::makePort() {
    if (portFactory_) return portFactory_();
    return vel::CreateSystemSerialPort([this](const std::string& name) { return deviceFor(name); });
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

void CProgramCommands::onRead() { openProgress(vel::Direction::Read); }

void CProgramCommands::onWrite() { openProgress(vel::Direction::Write); }

void CProgramCommands::openProgress(vel::Direction direction) {
    view_.commitCurrentCell();
    // A running session took its direction when it started; a command given
    // meanwhile changes nothing, so the dialog keeps saying what it does.
    if (dialog_->running()) return;
    direction_ = direction;
    dialog_->setCaption(QString::fromStdString(vel::ProgressCaption(direction == vel::Direction::Write)));
    dialog_->setMessageTitle(title());
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

    std::unique_ptr<vel::SerialPort> port = makePort();
    QtSessionHost host(*dialog_, view_, title());
    vel::ProgrammingSession session(family_, lang_, *port, clock(), host);

    sessionRunning_ = true;
    setBusy(true);
    vel::SessionResult result;
    try {
        result = session.run(direction, portName, doc_.image());
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
    if (direction == vel::Direction::Read && result.outcome == vel::SessionOutcome::Completed) view_.fillChannelGrid();
    lastResult_ = result;
    emit sessionFinished(static_cast<int>(result.outcome));
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
    link.makePort = [this] { return makePort(); };
    link.clock = &clock();
    link.messageTitle = title();
    CTestModeDlg dlg(family_, lang_, testModeBaseMHz(), frame_.portName(), link, &frame_);
    if (testModeRunner_)
        testModeRunner_(dlg);
    else
        dlg.exec();
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

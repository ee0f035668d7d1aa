// End to end through the real serial port code: the Port menu's simulated
// radio (a pseudo-terminal served by a thread of the program, paced at 9600
// baud), Read, an edit, Write, Read again, and Test Mode; and a configured
// port whose device is missing.

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <atomic>
#include <thread>
#include <vector>

#include "image/encodings.h"
#include "link/simulated_radio_memory.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/program_commands.h"
#include "shell/ui/progress_dialog.h"
#include "shell/ui/simulated_radio.h"
#include "shell/ui/vel_app.h"
#include "shell/ui/vel_doc.h"
#include "shell_test_support.h"
#include "table/channel_table.h"
#include "table/ui/cmsflexgrid.h"
#include "table/ui/vel_view.h"
#include "testmode/ui/test_mode_dlg.h"

using namespace velui;

namespace {

struct App {
    explicit App(vel::FamilyId id) : family(vel::GetFamily(id)) {}
    bool start() {
        app = std::make_unique<CVelApp>(family, dir.options(QStringLiteral("en_US"), QString::fromStdString(family.name)));
        if (!app->initInstance()) return false;
        QObject::connect(app->programCommands(), &CProgramCommands::sessionFinished, [this](int) { ++finished; });
        return true;
    }
    bool run(int command) {
        app->mainFrame()->execute(command);
        ProgressDialog* d = app->programCommands()->progressDialog();
        if (!d->isVisible()) return false;
        const int before = finished;
        d->startButton()->click();
        return QTest::qWaitFor([&] { return finished > before; }, 120000);
    }
    vel::SessionOutcome outcome() const { return app->programCommands()->lastResult()->outcome; }
    QString cell(int row, int col) const { return app->view()->grid()->GetTextMatrix(row, col); }

    const vel::Family& family;
    shelltest::ProgramDir dir;
    shelltest::MessageScript messages;
    std::unique_ptr<CVelApp> app;
    int finished = 0;
};

}  // namespace

class SimulatedRadioTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!SimulatedRadio::Available()) QSKIP("no pseudo-terminals on this platform");
    }

    void readEditWriteReadAndTestMode() {
        App a(vel::FamilyId::VM_CH16);
        QVERIFY(a.start());
        CMainFrame* frame = a.app->mainFrame();
        frame->action(ID_PORT_SIMULATED)->trigger();
        QCOMPARE(frame->portName(), SimulatedPortName());
        QVERIFY(frame->action(ID_PORT_SIMULATED)->isChecked());
        QVERIFY(!frame->action(ID_COM1)->isChecked());
        const QString device = QString::fromStdString(a.app->programCommands()->simulatedRadio().devicePath());
        QVERIFY(device.startsWith(QStringLiteral("/dev/")));
        QVERIFY(frame->action(ID_PORT_SIMULATED)->statusTip().contains(device));

        // Read: the simulated radio's three channels.
        QVERIFY(a.run(ID_READ_FROM_RADIO));
        QCOMPARE(a.outcome(), vel::SessionOutcome::Completed);
        QCOMPARE(a.messages.shown.size(), size_t(0));
        vel::ChannelTable expected = vel::NewChannelTable(a.family, vel::Lang::English);
        vel::FillChannelGrid(a.family, vel::Lang::English, vel::SimulatedRadioStartingMemory(a.family), expected);
        const int rx = a.family.columnOf(vel::ColumnKind::RxFrequency);
        const int tx = a.family.columnOf(vel::ColumnKind::TxFrequency);
        for (int row = 1; row <= 4; ++row) QCOMPARE(a.cell(row, rx), QString::fromStdString(expected.at(row, rx)));
        QVERIFY(!a.cell(1, rx).isEmpty());
        QVERIFY(a.app->document()->isModified());

        // Edit channel 4, write it.
        a.app->view()->grid()->SetTextMatrix(4, rx, QStringLiteral("451.12500"));
        a.app->view()->grid()->SetTextMatrix(4, tx, QStringLiteral("452.12500"));
        QVERIFY(a.run(ID_WRITE_TO_RADIO));
        QCOMPARE(a.outcome(), vel::SessionOutcome::Completed);
        const vel::Image radio = a.app->programCommands()->simulatedRadio().memory();
        QCOMPARE(QString::fromStdString(vel::FrequencyText(&radio[static_cast<std::size_t>(a.family.recordAddr(4))])),
                 QStringLiteral("451.12500"));

        // A new document forgets the edit; the radio brings it back.
        a.messages.answers = {QMessageBox::Discard};
        frame->execute(ID_FILE_NEW);
        QCOMPARE(a.cell(4, rx), QString());
        QVERIFY(a.run(ID_READ_FROM_RADIO));
        QCOMPARE(a.outcome(), vel::SessionOutcome::Completed);
        QCOMPARE(a.cell(4, rx), QStringLiteral("451.12500"));
        QCOMPARE(a.cell(4, tx), QStringLiteral("452.12500"));

        // Test mode against the same radio.
        a.app->programCommands()->setTestModeRunner([](CTestModeDlg& dlg) {
            dlg.selectNode(QStringLiteral("Squelch Level"));
            dlg.defaultButton()->click();
            dlg.startButton()->click();
        });
        a.messages.shown.clear();
        frame->execute(ID_TEST_MODE);
        QCOMPARE(a.messages.shown.size(), size_t(1));
        QCOMPARE(a.messages.shown[0].text, QStringLiteral("Finish successfully!"));
        const auto settings = a.app->programCommands()->simulatedRadio().lastTestMode();
        QVERIFY(settings.has_value());
        QCOMPARE(settings->commandByte, vel::Byte{0x73});
        QCOMPARE(settings->value(), 160);
    }

    // The simulated radio never fails a healthy computer: a whole read from
    // the window goes through while busy threads compete with the window and
    // the radio for every processor (two for each).
    void readWhileEveryProcessorIsBusy() {
        App a(vel::FamilyId::VM_CH16);
        QVERIFY(a.start());
        a.app->mainFrame()->action(ID_PORT_SIMULATED)->trigger();
        std::atomic<bool> stop{false};
        std::vector<std::thread> busy;
        const unsigned processors = std::max(1u, std::thread::hardware_concurrency());
        for (unsigned i = 0; i < 2 * processors; ++i)
            busy.emplace_back([&stop] {
                volatile unsigned long spin = 0;
                while (!stop.load(std::memory_order_relaxed)) spin = spin + 1;
            });
        const bool ended = a.run(ID_READ_FROM_RADIO);
        stop = true;
        for (std::thread& t : busy) t.join();
        QVERIFY(ended);
        QCOMPARE(a.messages.shown.size(), size_t(0));
        QCOMPARE(a.outcome(), vel::SessionOutcome::Completed);
        QCOMPARE(a.app->document()->image(), a.app->programCommands()->simulatedRadio().memory());
    }

    // A configured device that does not exist: the open-failure message
    // names it, and nothing hangs.
    void missingDevice() {
        App a(vel::FamilyId::VM_CH16);
        a.dir.writeFile(QStringLiteral("VM_CH16.ini"), "[PORTS]\nCOM4=/nonexistent/ttyVEL9\n");
        QVERIFY(a.start());
        a.app->mainFrame()->execute(ID_COM4);
        QVERIFY(a.run(ID_READ_FROM_RADIO));
        QCOMPARE(a.outcome(), vel::SessionOutcome::OpenFailed);
        QCOMPARE(a.messages.shown.size(), size_t(1));
        const QString text = a.messages.shown[0].text;
        QCOMPARE(text.section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("Could not Open the Port,Please check whether the Port are occupied or the device are ok"));
        QVERIFY2(text.contains(QStringLiteral("/nonexistent/ttyVEL9")), qPrintable(text));
        QVERIFY(!a.app->programCommands()->progressDialog()->isVisible());
        QVERIFY(a.app->view()->isEnabled());
    }
};

QTEST_MAIN(SimulatedRadioTest)
#include "simulated_radio_test.moc"

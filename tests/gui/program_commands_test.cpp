// Read From Radio and Write To Radio through the window: the progress dialog,
// the session it starts, what reaches the table and the radio, every message
// of the session and the dialog, cancelling, switching away and moving. The
// radio is the in-process simulator on a virtual clock.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "image/encodings.h"
#include "link/simulated_radio_memory.h"
#include "program_test_support.h"
#include "shell/ui/progress_dialog.h"
#include "shell/ui/qt_session_host.h"
#include "temporary_current_dir.h"
#include "table/channel_table.h"

using namespace velui;
using programtest::BoxAnswerer;
using programtest::ProgramHarness;
using vel::FamilyId;
using vel::FrameKind;
using vel::SessionOutcome;

Q_DECLARE_METATYPE(vel::FamilyId)
Q_DECLARE_METATYPE(vel::SessionOutcome)

namespace {

const char* const kInterrupted = "Communication had been interrupted,please try again";
const char* const kCommError = "Communication Error，Please check all the connections and the radio power";

// The channel cells (rows 1..n, columns 1..) FillChannelGrid gives for `image`.
std::vector<std::vector<std::string>> FilledCells(const vel::Family& family, vel::Lang lang, const vel::Image& image) {
    vel::ChannelTable t = vel::NewChannelTable(family, lang);
    vel::FillChannelGrid(family, lang, image, t);
    return {t.cells.begin() + 1, t.cells.end()};
}

std::vector<std::vector<std::string>> ShownCells(const ProgramHarness& h) {
    const vel::ChannelTable& t = h.view()->table();
    return {t.cells.begin() + 1, t.cells.end()};
}

// A radio memory that differs from a new document everywhere it can: three
// channels, and a recognisable pattern in the bytes past the channel table.
vel::Image RadioMemory(const vel::Family& family) {
    vel::Image m = vel::SimulatedRadioStartingMemory(family);
    m[static_cast<std::size_t>(family.protocol.readBytes() - 1)] = 0x5A;
    return m;
}

void AddFamilies() {
    QTest::addColumn<FamilyId>("id");
    for (FamilyId id : {FamilyId::Velmar_V, FamilyId::VM_CH128, FamilyId::VM_CH118, FamilyId::Marlowe, FamilyId::VM_CH16,
                        FamilyId::VM_CH16_CN})
        QTest::newRow(vel::GetFamily(id).name.c_str()) << id;
}

// Runs `f` from the event loop, as a user's action taken during a pump round.
template <class F>
void Later(F f) {
    QMetaObject::invokeMethod(qApp, std::move(f), Qt::QueuedConnection);
}

}  // namespace

class ProgramCommandsTest : public QObject {
    Q_OBJECT
    // Marlowe's writes leave "1.txt" in the current directory.
    std::unique_ptr<veltest::TemporaryCurrentDir> cwd_;

private slots:
    void initTestCase() {
        cwd_ = std::make_unique<veltest::TemporaryCurrentDir>();
        QVERIFY(cwd_->isValid());
    }
    void cleanupTestCase() { cwd_.reset(); }

    // -----------------------------------------------------------------------
    // The dialog
    // -----------------------------------------------------------------------

    void dialogOpens_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("labels");   // Start, Cancel, progress label, status line
        const QStringList english{"Start", "Cancel", "Progress：", "   Not start yet"};
        QTest::newRow("Velmar_V") << FamilyId::Velmar_V << "en_US" << english;
        QTest::newRow("Velmar_V Chinese") << FamilyId::Velmar_V << "zh_CN"
                                          << QStringList{"开始", "取消", "现在完成：", "未开始"};
        QTest::newRow("VM_CH128") << FamilyId::VM_CH128 << "en_US" << english;
        QTest::newRow("VM_CH118") << FamilyId::VM_CH118 << "zh_CN" << english;
        QTest::newRow("Marlowe") << FamilyId::Marlowe << "en_US" << english;
        QTest::newRow("VM_CH16") << FamilyId::VM_CH16 << "en_US" << english;
        QTest::newRow("VM_CH16_CN") << FamilyId::VM_CH16_CN << "en_US"
                                    << QStringList{"开始", "取消", "现在完成：", "未开始"};
    }
    void dialogOpens() {
        QFETCH(FamilyId, id);
        QFETCH(QString, locale);
        QFETCH(QStringList, labels);
        ProgramHarness h(id, locale);
        QVERIFY(h.ok);
        h.frame()->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.frame()));
        ProgressDialog* d = h.dialog();
        QVERIFY(!d->isVisible());
        h.frame()->execute(ID_READ_FROM_RADIO);
        QVERIFY(d->isVisible());
        QVERIFY(!d->isModal());
        QCOMPARE(d->windowTitle(), QStringLiteral("Reading Data Progress"));
        QCOMPARE((QStringList{d->startButton()->text(), d->cancelButton()->text(), d->progressLabel()->text(),
                              d->statusText()}),
                 labels);
        QVERIFY(d->startButton()->isDefault());
        QVERIFY(d->startButton()->isEnabled());
        QCOMPARE(d->bar()->minimum(), 0);
        QCOMPARE(d->bar()->maximum(), h.family.protocol.progressMax);
        QCOMPARE(d->bar()->value(), 0);
        QVERIFY(!d->cancelRequested());
        QVERIFY(d->deactivationGuard());
        // Centred over the channel grid.
        const QPoint gridCentre = h.grid()->mapToGlobal(h.grid()->rect().center());
        QVERIFY2((d->frameGeometry().center() - gridCentre).manhattanLength() < 10, "not centred over the grid");
        d->cancelButton()->click();
        QVERIFY(!d->isVisible());
    }

    // Read and Write while the dialog is open: one dialog, and its title
    // always names what Start will do.
    void oneDialogWhoseTitleFollowsTheCommand() {
        ProgramHarness h(FamilyId::Velmar_V);
        QVERIFY(h.ok);
        h.frame()->execute(ID_READ_FROM_RADIO);
        h.frame()->execute(ID_READ_FROM_RADIO);
        QCOMPARE(h.frame()->findChildren<ProgressDialog*>().size(), 1);
        QCOMPARE(h.dialog()->windowTitle(), QStringLiteral("Reading Data Progress"));
        h.frame()->execute(ID_WRITE_TO_RADIO);
        h.frame()->execute(ID_WRITE_TO_RADIO);
        QCOMPARE(h.frame()->findChildren<ProgressDialog*>().size(), 1);
        QCOMPARE(h.dialog()->windowTitle(), QStringLiteral("Writing Data Progress"));
        QCOMPARE(h.app->programCommands()->direction(), vel::Direction::Write);
        h.link.radio.setTypeByte(0xFF);
        const int before = h.finished;
        h.dialog()->startButton()->click();
        QVERIFY(QTest::qWaitFor([&] { return h.finished > before; }, 60000));
        QCOMPARE(h.link.frames(FrameKind::WriteRequest), size_t(h.family.protocol.writeBlocks));
        QCOMPARE(h.link.frames(FrameKind::ReadRequest), size_t(0));
    }

    // A Read or Write given during a session does not change it.
    void runningSessionKeepsItsDirection_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("Write during a read") << int(ID_READ_FROM_RADIO) << int(ID_WRITE_TO_RADIO);
        QTest::newRow("Read during a write") << int(ID_WRITE_TO_RADIO) << int(ID_READ_FROM_RADIO);
    }
    void runningSessionKeepsItsDirection() {
        QFETCH(int, first);
        QFETCH(int, second);
        ProgramHarness h(FamilyId::VM_CH16);
        QVERIFY(h.ok);
        h.link.radio.setTypeByte(0xFF);
        QString titleDuring;
        h.link.afterWrite = [&](int n) {
            if (n == 40) Later([&] {
                    h.frame()->execute(second);
                    titleDuring = h.dialog()->windowTitle();
                });
        };
        QVERIFY(h.run(first));
        QCOMPARE(h.outcome(), SessionOutcome::Completed);
        QCOMPARE(h.frame()->findChildren<ProgressDialog*>().size(), 1);
        const bool read = first == ID_READ_FROM_RADIO;
        QCOMPARE(titleDuring, read ? QStringLiteral("Reading Data Progress") : QStringLiteral("Writing Data Progress"));
        QCOMPARE(h.link.frames(FrameKind::ReadRequest), size_t(read ? h.family.protocol.readBlocks : 0));
        QCOMPARE(h.link.frames(FrameKind::WriteRequest), size_t(read ? 0 : h.family.protocol.writeBlocks));
        QVERIFY(!h.dialog()->isVisible());
    }

    // -----------------------------------------------------------------------
    // Read and Write
    // -----------------------------------------------------------------------

    void readFillsTable_data() { AddFamilies(); }
    void readFillsTable() {
        QFETCH(FamilyId, id);
        ProgramHarness h(id);
        QVERIFY(h.ok);
        const vel::ProtocolParams& p = h.family.protocol;
        const vel::Image radio = RadioMemory(h.family);
        h.link.radio.loadMemory(radio);
        QVERIFY(!h.app->document()->isModified());
        for (std::size_t i = static_cast<std::size_t>(p.readBytes()); i < h.image().size(); ++i) h.image()[i] = 0x3C;
        const vel::Image before = h.image();

        QVERIFY(h.read());
        QCOMPARE(h.outcome(), SessionOutcome::Completed);
        QCOMPARE(h.messageTexts(), QStringList{});
        for (std::size_t i = 0; i < h.image().size(); ++i) {
            const vel::Byte expected = i < static_cast<std::size_t>(p.readBytes()) ? radio[i] : before[i];
            QVERIFY2(h.image()[i] == expected, qPrintable(QStringLiteral("byte 0x%1").arg(i, 0, 16)));
        }
        QCOMPARE(ShownCells(h), FilledCells(h.family, h.view()->displayLang(), h.image()));
        QCOMPARE(h.cell(1, h.family.columnOf(vel::ColumnKind::RxFrequency)).isEmpty(), false);
        QCOMPARE(h.link.frames(FrameKind::ReadRequest), size_t(p.readBlocks));
        // The port is closed, the dialog closed with its bar full, and what
        // was read is not taken as saved.
        QVERIFY(!h.link.port.isOpen());
        QCOMPARE(h.link.port.openCount(), 1);
        QVERIFY(!h.dialog()->isVisible());
        QCOMPARE(h.dialog()->position(), p.endPositionRead);
        QCOMPARE(h.dialog()->bar()->value(), std::min(p.endPositionRead, p.progressMax));
        QVERIFY(h.app->document()->isModified());
        QVERIFY(h.view()->isEnabled());
    }

    void writeSendsTable_data() { AddFamilies(); }
    void writeSendsTable() {
        QFETCH(FamilyId, id);
        ProgramHarness h(id);
        QVERIFY(h.ok);
        const vel::ProtocolParams& p = h.family.protocol;
        vel::Image radio(static_cast<std::size_t>(h.family.imageSize), 0x77);
        h.link.radio.loadMemory(radio);
        h.link.radio.setTypeByte(0xFF);
        const int rx = h.family.columnOf(vel::ColumnKind::RxFrequency);
        const int tx = h.family.columnOf(vel::ColumnKind::TxFrequency);
        // What the table shows, the cell still being edited included.
        h.grid()->SetTextMatrix(2, rx, QStringLiteral("146.52000"));
        h.grid()->SetTextMatrix(2, tx, QStringLiteral("146.52000"));

        QVERIFY(h.write());
        QCOMPARE(h.outcome(), SessionOutcome::Completed);
        QCOMPARE(h.messageTexts(), QStringList{});
        vel::Image expected = vel::NewDocumentImage(h.family);
        vel::StoreChannelGrid(h.family, h.view()->table(), expected);
        const vel::Image& sent = h.link.radio.memory();
        for (std::size_t i = 0; i < sent.size(); ++i) {
            const vel::Byte want = i < static_cast<std::size_t>(p.writeBytes()) ? expected[i] : vel::Byte{0x77};
            QVERIFY2(sent[i] == want, qPrintable(QStringLiteral("byte 0x%1").arg(i, 0, 16)));
        }
        QCOMPARE(QString::fromStdString(vel::FrequencyText(&sent[static_cast<std::size_t>(h.family.recordAddr(2))])),
                 QStringLiteral("146.52000"));
        QCOMPARE(h.link.frames(FrameKind::WriteRequest), size_t(p.writeBlocks));
        QVERIFY(!h.link.port.isOpen());
        QCOMPARE(h.dialog()->position(), p.endPositionWrite);
        // Read back, the radio fills the table with what was written.
        h.grid()->SetTextMatrix(2, rx, QString());
        h.grid()->SetTextMatrix(2, tx, QString());
        QVERIFY(h.read());
        QCOMPARE(h.cell(2, rx), QStringLiteral("146.52000"));
    }

    // What the user reads while a session runs (percent and time left, from
    // the family's floor) and after it ends (the status bar's sentence), in
    // the interface's language.
    void sessionFeedback_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("afterFirstBlock");
        QTest::addColumn<QString>("summary");   // a pattern: the time is the session's own
        QTest::addColumn<bool>("safeWrite");    // a write with its backup before and its check after
        QTest::newRow("Velmar_V read") << FamilyId::Velmar_V << "en_US" << int(ID_READ_FROM_RADIO) << ""
                                       << "0 %, 20 s left" << "^Read 4064 bytes from COM1 in \\d+\\.\\d s$" << false;
        QTest::newRow("Velmar_V Chinese write") << FamilyId::Velmar_V << "zh_CN" << int(ID_WRITE_TO_RADIO) << ""
                                                << "0%，剩余 8 秒" << "^已向 COM1 写入 4064 字节，用时 \\d+\\.\\d 秒。写入完毕。$"
                                                << false;
        // Backup (128 blocks), write (123), check (128): the time left counts all three.
        QTest::newRow("VM_CH16 write with backup and check")
            << FamilyId::VM_CH16 << "en_US" << int(ID_WRITE_TO_RADIO) << "" << "0 %, 16 s left"
            << "^Wrote 984 bytes to COM1 in \\d+\\.\\d s\\. Written and checked: the radio holds what was sent\\." << true;
        QTest::newRow("VM_CH16_CN read") << FamilyId::VM_CH16_CN << "en_US" << int(ID_READ_FROM_RADIO) << ""
                                         << "0%，剩余 7 秒" << "^已从 COM1 读取 1024 字节，用时 \\d+\\.\\d 秒$" << false;
        QTest::newRow("VM_CH118 failed read") << FamilyId::VM_CH118 << "en_US" << int(ID_READ_FROM_RADIO)
                                              << "short-read=0x40" << "0 %, 10 s left"
                                              << "^Read from COM1 failed after 64 of 2048 bytes$" << false;
    }
    void sessionFeedback() {
        QFETCH(FamilyId, id);
        QFETCH(QString, locale);
        QFETCH(int, command);
        QFETCH(QString, fault);
        QFETCH(QString, afterFirstBlock);
        QFETCH(QString, summary);
        QFETCH(bool, safeWrite);
        ProgramHarness h(id, locale, true, safeWrite ? programtest::WriteSafety::Default : programtest::WriteSafety::Plain);
        QVERIFY(h.ok);
        h.link.radio.setTypeByte(0xFF);
        vel::SimulatorFaults faults;
        std::string error;
        QVERIFY(vel::ParseSimulatorFaults(fault.toStdString(), faults, error));
        h.link.radio.setFaults(faults);
        // Writes 11 and 12 carry the first block; the 13th begins the second.
        QString shown;
        h.link.afterWrite = [&](int n) {
            if (n == 13) shown = h.dialog()->timeLeftText();
        };
        QVERIFY(h.run(command));
        QCOMPARE(shown, afterFirstBlock);
        const QString pane = h.frame()->paneText();
        QVERIFY2(QRegularExpression(summary).match(pane).hasMatch(), qPrintable(pane));
    }

    // While a session runs the newest progress is painted in a pause of the
    // session once the display interval has passed, or by the timer when no
    // pause comes; a change never paints at once.
    void progressPaintedInPauses() {
        const vel::Family& family = vel::GetFamily(FamilyId::VM_CH16);
        ProgressDialog dialog(family, vel::Lang::English, nullptr);
        dialog.openWindow();
        dialog.startButton()->click();
        QVERIFY(dialog.running());
        const QString before = dialog.statusLine()->text();
        dialog.setStatusText(QStringLiteral("7"));
        dialog.setTimeLeft(42, 12);
        QCOMPARE(dialog.statusLine()->text(), before);
        QTest::qSleep(ProgressDialog::kDisplayIntervalMs + 10);   // no pump round: the timer cannot show it
        QVERIFY(dialog.progressDue());
        ProgressPaintingClock clock(vel::SystemClock(), dialog);
        clock.sleepMs(1);
        QCOMPARE(dialog.statusLine()->text(), QStringLiteral("7"));
        QCOMPARE(dialog.timeLeftLabel()->text(), QStringLiteral("42 %, 12 s left"));
        QVERIFY(!dialog.progressDue());
        dialog.setStatusText(QStringLiteral("8"));
        QTRY_COMPARE(dialog.statusLine()->text(), QStringLiteral("8"));
        dialog.closeWindow();
    }

    // A failed read keeps the blocks it stored in the image and leaves the
    // table as it was.
    void failedReadKeepsStoredBlocks() {
        ProgramHarness h(FamilyId::Velmar_V);
        QVERIFY(h.ok);
        const vel::Image radio = RadioMemory(h.family);
        h.link.radio.loadMemory(radio);
        vel::SimulatorFaults faults;
        faults.vanishAfterBlocks = 5;
        h.link.radio.setFaults(faults);
        const vel::Image before = h.image();
        const auto cellsBefore = ShownCells(h);

        QVERIFY(h.read());
        QCOMPARE(h.outcome(), SessionOutcome::Failed);
        QCOMPARE(h.messageTexts(), QStringList{"not received enough  byte"});
        for (std::size_t i = 0; i < h.image().size(); ++i) {
            const vel::Byte expected = i < 5 * 8 ? radio[i] : before[i];
            QVERIFY2(h.image()[i] == expected, qPrintable(QStringLiteral("byte 0x%1").arg(i, 0, 16)));
        }
        QVERIFY(radio != before);
        QCOMPARE(ShownCells(h), cellsBefore);
        QVERIFY(!h.link.port.isOpen());
        QVERIFY(!h.dialog()->isVisible());
    }

    // -----------------------------------------------------------------------
    // Cancelling
    // -----------------------------------------------------------------------

    void cancelBeforeStart_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Escape key") << true;
    }
    void cancelBeforeStart() {
        QFETCH(bool, escape);
        ProgramHarness h(FamilyId::Velmar_V);
        QVERIFY(h.ok);
        h.frame()->execute(ID_WRITE_TO_RADIO);
        QVERIFY(QTest::qWaitForWindowActive(h.dialog()));
        if (escape)
            QTest::keyClick(h.dialog(), Qt::Key_Escape);
        else
            h.dialog()->cancelButton()->click();
        QVERIFY(!h.dialog()->isVisible());
        QTest::qWait(50);
        QCOMPARE(h.finished, 0);
        QCOMPARE(h.link.port.openCount(), 0);
        QCOMPARE(h.link.writes, 0);
        QCOMPARE(h.messageTexts(), QStringList{});
    }

    // Cancel pressed between Start and the session's first step: the session
    // opens the port, sees the flag at its first pump round and sends nothing.
    void cancelRightAfterStart() {
        ProgramHarness h(FamilyId::Velmar_V);
        QVERIFY(h.ok);
        h.frame()->execute(ID_READ_FROM_RADIO);
        h.dialog()->startButton()->click();
        h.dialog()->cancelButton()->click();
        QVERIFY(h.dialog()->isVisible());   // the session closes it
        QVERIFY(QTest::qWaitFor([&] { return h.finished == 1; }, 10000));
        QCOMPARE(h.outcome(), SessionOutcome::Cancelled);
        QCOMPARE(h.link.writes, 0);
        QVERIFY(!h.link.port.isOpen());
        QVERIFY(!h.dialog()->isVisible());
    }

    void cancelMidTransfer_data() {
        QTest::addColumn<int>("command");
        QTest::newRow("read") << int(ID_READ_FROM_RADIO);
        QTest::newRow("write") << int(ID_WRITE_TO_RADIO);
    }
    void cancelMidTransfer() {
        QFETCH(int, command);
        ProgramHarness h(FamilyId::Velmar_V);
        QVERIFY(h.ok);
        h.link.radio.loadMemory(RadioMemory(h.family));
        h.link.radio.setTypeByte(0xFF);
        const auto cellsBefore = ShownCells(h);
        int writesAtCancel = 0;
        h.link.afterWrite = [&](int n) {
            if (n == 60) Later([&] {
                    writesAtCancel = h.link.writes;
                    h.dialog()->cancelButton()->click();
                });
        };
        QVERIFY(h.run(command));
        QCOMPARE(h.outcome(), SessionOutcome::Cancelled);
        QCOMPARE(h.messageTexts(), QStringList{});
        QVERIFY(!h.link.port.isOpen());
        QVERIFY(!h.dialog()->isVisible());
        // Stopped within one pump round: no further request went out.
        QCOMPARE(h.link.writes, writesAtCancel);
        const std::size_t blocks = h.link.frames(FrameKind::ReadRequest) + h.link.frames(FrameKind::WriteRequest);
        QVERIFY(blocks > 0 && blocks < 30);
        QCOMPARE(ShownCells(h), cellsBefore);
    }

    // -----------------------------------------------------------------------
    // Switching away and moving
    // -----------------------------------------------------------------------

    void interruption_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("move");
        QTest::addColumn<QString>("message");   // empty: the family goes on
        QTest::newRow("Velmar_V deactivated") << FamilyId::Velmar_V << "en_US" << false << kInterrupted;
        QTest::newRow("Velmar_V moved") << FamilyId::Velmar_V << "en_US" << true << kInterrupted;
        QTest::newRow("Velmar_V Chinese moved") << FamilyId::Velmar_V << "zh_CN" << true << "通讯已被中断,请重新开始";
        QTest::newRow("VM_CH128 deactivated") << FamilyId::VM_CH128 << "en_US" << false << kInterrupted;
        QTest::newRow("VM_CH118 moved") << FamilyId::VM_CH118 << "en_US" << true << kInterrupted;
        QTest::newRow("Marlowe deactivated") << FamilyId::Marlowe << "en_US" << false << "";
        QTest::newRow("VM_CH16 moved") << FamilyId::VM_CH16 << "en_US" << true << "";
        QTest::newRow("VM_CH16_CN deactivated") << FamilyId::VM_CH16_CN << "en_US" << false << "";
    }
    void interruption() {
        QFETCH(FamilyId, id);
        QFETCH(QString, locale);
        QFETCH(bool, move);
        QFETCH(QString, message);
        ProgramHarness h(id, locale);
        QVERIFY(h.ok);
        h.link.radio.loadMemory(RadioMemory(h.family));
        QWidget other;
        other.setWindowTitle(QStringLiteral("another window"));
        h.frame()->execute(ID_READ_FROM_RADIO);
        QVERIFY(QTest::qWaitForWindowActive(h.dialog()));
        h.link.afterWrite = [&](int n) {
            if (n != 60) return;
            Later([&] {
                if (move) {
                    h.dialog()->move(h.dialog()->pos() + QPoint(40, 30));
                } else {
                    other.show();
                    other.activateWindow();
                }
            });
        };
        h.dialog()->startButton()->click();
        QVERIFY(QTest::qWaitFor([&] { return h.finished == 1; }, 60000));
        QVERIFY(!h.link.port.isOpen());
        QVERIFY(!h.dialog()->isVisible());
        if (message.isEmpty()) {
            QCOMPARE(h.outcome(), SessionOutcome::Completed);
            QCOMPARE(h.messageTexts(), QStringList{});
        } else {
            QCOMPARE(h.outcome(), SessionOutcome::Cancelled);
            QCOMPARE(h.messageTexts(), QStringList{message});
            QVERIFY(h.link.frames(FrameKind::ReadRequest) < 40);
        }
    }

    // The session's own message boxes take the focus from the dialog without
    // cancelling the session: real boxes, answered like a user would.
    void ownMessageBoxesDoNotCancel_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::newRow("Velmar_V") << FamilyId::Velmar_V;
        QTest::newRow("VM_CH118") << FamilyId::VM_CH118;
    }
    void ownMessageBoxesDoNotCancel() {
        QFETCH(FamilyId, id);
        ProgramHarness h(id, QStringLiteral("en_US"), false);
        QVERIFY(h.ok);
        BoxAnswerer boxes;
        vel::SimulatorFaults faults;
        faults.wrongFirstAcks = 1;
        h.link.radio.setFaults(faults);
        h.link.radio.setTypeByte(0x01);
        h.frame()->execute(ID_WRITE_TO_RADIO);
        QVERIFY(QTest::qWaitForWindowActive(h.dialog()));
        // The radio type brings the mismatch box (OK), the wrong
        // acknowledgement of the repeated handshake the communication-error
        // box (Retry).
        h.dialog()->startButton()->click();
        QVERIFY(QTest::qWaitFor([&] { return h.finished == 1; }, 60000));
        QCOMPARE(boxes.texts, (QStringList{
                                  " Radio Type are not match for your setting，If you want continue,push ok button",
                                  kCommError}));
        QCOMPARE(h.outcome(), SessionOutcome::Completed);
        QCOMPARE(h.link.frames(FrameKind::WriteRequest), size_t(h.family.protocol.writeBlocks));
    }

    // -----------------------------------------------------------------------
    // Handshake: type mismatch, silence, messages
    // -----------------------------------------------------------------------

    void typeMismatch_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void typeMismatch() {
        QFETCH(bool, accept);
        ProgramHarness h(FamilyId::Velmar_V);
        QVERIFY(h.ok);
        h.link.radio.setTypeByte(0x01);
        h.messages->answers = {accept ? QMessageBox::Ok : QMessageBox::Cancel};
        QVERIFY(h.write());
        QCOMPARE(h.messageTexts(),
                 QStringList{" Radio Type are not match for your setting，If you want continue,push ok button"});
        QCOMPARE(h.link.frames(FrameKind::Identification), size_t(accept ? 2 : 1));
        QCOMPARE(h.link.frames(FrameKind::WakeUp), size_t(accept ? 2 : 1));
        QCOMPARE(h.outcome(), accept ? SessionOutcome::Completed : SessionOutcome::Cancelled);
        QCOMPARE(h.link.frames(FrameKind::WriteRequest), size_t(accept ? h.family.protocol.writeBlocks : 0));
        QVERIFY(!h.link.port.isOpen());
    }

    void silentRadio() {
        ProgramHarness h(FamilyId::VM_CH128);
        QVERIFY(h.ok);
        vel::SimulatorFaults faults;
        faults.silent = true;
        h.link.radio.setFaults(faults);
        h.messages->answers = {QMessageBox::Retry, QMessageBox::Cancel};
        QVERIFY(h.read());
        // 15 attempts, the box, Retry: 15 fresh attempts on the same port.
        QCOMPARE(h.messageTexts(), (QStringList{kCommError, kCommError}));
        for (const auto& m : h.messages->shown) QCOMPARE(m.buttons, QMessageBox::Retry | QMessageBox::Cancel);
        std::size_t wakeUps = 0;
        for (const auto& w : h.link.port.writes()) wakeUps += w.bytes == std::vector<vel::Byte>{0x02};
        QCOMPARE(wakeUps, size_t(30));
        QCOMPARE(h.link.port.openCount(), 1);
        QVERIFY(!h.link.port.isOpen());
        QCOMPARE(h.outcome(), SessionOutcome::Failed);
        QVERIFY(!h.dialog()->isVisible());
    }

    // The status line while the port is opened and at each wake-up.
    void statusTexts_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<QString>("atFirstByte");
        QTest::addColumn<QString>("afterWakeUp");
        QTest::addColumn<QString>("afterFirstBlock");
        const QString detecting = QStringLiteral("Now are detecting Communication Port,Please wait...");
        const QString waiting = QStringLiteral("Waiting the response from radio....");
        QTest::newRow("Velmar_V") << FamilyId::Velmar_V << waiting << waiting << "1";
        QTest::newRow("VM_CH118") << FamilyId::VM_CH118 << waiting << waiting << "1";
        QTest::newRow("Marlowe") << FamilyId::Marlowe << detecting << waiting << "1";
        QTest::newRow("VM_CH16_CN") << FamilyId::VM_CH16_CN << "正在检测通讯端口，请等待..." << "正在等待对讲机响应...."
                                    << "1";
    }
    void statusTexts() {
        QFETCH(FamilyId, id);
        QFETCH(QString, atFirstByte);
        QFETCH(QString, afterWakeUp);
        QFETCH(QString, afterFirstBlock);
        ProgramHarness h(id);
        QVERIFY(h.ok);
        QStringList seen;
        // Writes: 7 wake-up bytes, 2 identification bytes, the acknowledgement,
        // then per block the request and its acknowledgement.
        h.link.afterWrite = [&](int n) {
            if (n == 1 || n == 8 || n == 13) seen << h.dialog()->statusText();
        };
        QVERIFY(h.read());
        QCOMPARE(seen, (QStringList{atFirstByte, afterWakeUp, afterFirstBlock}));
    }

    // Every message of a session, in the family's language.
    void sessionMessages_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        QTest::addColumn<SessionOutcome>("outcome");
        const auto F = SessionOutcome::Failed;
        const auto C = SessionOutcome::Completed;
        QTest::newRow("open") << FamilyId::Velmar_V << "en_US" << "open"
                              << "Could not Open the Port,Please check whether the Port are occupied or the device are ok"
                              << SessionOutcome::OpenFailed;
        QTest::newRow("open Chinese") << FamilyId::Velmar_V << "zh_CN" << "open"
                                      << "无法打开串口，请检查该设备是否正常，或是否被占用" << SessionOutcome::OpenFailed;
        QTest::newRow("open CN") << FamilyId::VM_CH16_CN << "en_US" << "open"
                                 << "无法打开串口，请检查该设备是否正常，或是否被占用" << SessionOutcome::OpenFailed;
        QTest::newRow("silent") << FamilyId::Velmar_V << "en_US" << "silent" << kCommError << F;
        QTest::newRow("silent Chinese") << FamilyId::Velmar_V << "zh_CN" << "silent"
                                        << "通讯错误，请检查连接线是否接触良好或对讲机电源是否开启" << F;
        QTest::newRow("short read") << FamilyId::VM_CH118 << "en_US" << "short-read" << "not received enough  byte" << F;
        QTest::newRow("short read CN") << FamilyId::VM_CH16_CN << "en_US" << "short-read" << "未收到足够字节" << F;
        QTest::newRow("read ack") << FamilyId::Marlowe << "en_US" << "read-no-ack"
                                  << "Error had happen,please try again" << F;
        QTest::newRow("read ack CN") << FamilyId::VM_CH16_CN << "en_US" << "read-no-ack" << "接收出错中断，请重试" << F;
        QTest::newRow("write ack") << FamilyId::VM_CH16 << "en_US" << "write-no-ack"
                                   << " Program Interrupt，Please reset the radio and try again" << F;
        QTest::newRow("write ack CN") << FamilyId::VM_CH16_CN << "en_US" << "write-no-ack" << " 接收出错中断，请重试"
                                      << F;
        QTest::newRow("send order") << FamilyId::VM_CH128 << "en_US" << "send-order" << " Error in the Send Order" << C;
        QTest::newRow("send order CN") << FamilyId::VM_CH16_CN << "en_US" << "send-order" << " 发送数据错误" << C;
        QTest::newRow("type") << FamilyId::VM_CH118 << "en_US" << "type"
                              << " Radio Type are not match for your setting，If you want continue,push ok button" << C;
        QTest::newRow("type Chinese") << FamilyId::Velmar_V << "zh_CN" << "type"
                                      << " 对讲机的类型与你所设置的不一样，若要覆盖请按确定按钮" << C;
        QTest::newRow("type CN") << FamilyId::VM_CH16_CN << "en_US" << "type"
                                 << "对讲机的类型与你所设置的不一样，若要覆盖请按确定按钮" << C;
        QTest::newRow("password") << FamilyId::Marlowe << "en_US" << "password" << "Password incorrect" << F;
    }
    void sessionMessages() {
        QFETCH(FamilyId, id);
        QFETCH(QString, locale);
        QFETCH(QString, fault);
        QFETCH(QString, message);
        QFETCH(SessionOutcome, outcome);
        ProgramHarness h(id, locale);
        QVERIFY(h.ok);
        vel::SimulatorFaults faults;
        int command = ID_READ_FROM_RADIO;
        h.link.radio.setTypeByte(0xFF);
        if (fault == "open") {
            h.link.port.setOptions({false, true, false});
        } else if (fault == "silent") {
            faults.silent = true;
        } else if (fault == "short-read") {
            faults.shortReadAddress = 0x40;
        } else if (fault == "read-no-ack") {
            faults.noAckAfterBlockAddress = 0x40;
        } else if (fault == "write-no-ack") {
            faults.noAckAfterBlockAddress = 0x40;
            command = ID_WRITE_TO_RADIO;
        } else if (fault == "send-order") {
            // The acknowledgement after the identification fails once; OK sends it again.
            int acks = 0;
            h.link.failWrite = [acks](const std::uint8_t* data, std::size_t count) mutable {
                return count == 1 && data[0] == 0x06 && acks++ == 0;
            };
        } else if (fault == "type") {
            h.link.radio.setTypeByte(0x01);
            command = ID_WRITE_TO_RADIO;
        } else if (fault == "password") {
            vel::Image m = RadioMemory(h.family);
            for (int i = 0; i < 6; ++i) m[static_cast<std::size_t>(i)] = static_cast<vel::Byte>('1' + i);
            h.link.radio.loadMemory(m);
        }
        h.link.radio.setFaults(faults);
        QVERIFY(h.run(command));
        QCOMPARE(h.messages->shown.size(), size_t(1));
        QCOMPARE(h.messages->shown[0].text.section(QLatin1Char('\n'), 0, 0), message);
        QCOMPARE(h.messages->shown[0].title, h.frame()->windowTitle());
        const QMessageBox::StandardButtons expectedButtons =
            fault == "silent" ? QMessageBox::Retry | QMessageBox::Cancel
            : fault == "type" || fault == "send-order" ? QMessageBox::Ok | QMessageBox::Cancel
                                                       : QMessageBox::StandardButtons(QMessageBox::Ok);
        QCOMPARE(h.messages->shown[0].buttons, expectedButtons);
        QCOMPARE(h.outcome(), outcome);
        if (fault == "open") {
            // Our explanation follows on the next line, in the message's language.
            QVERIFY(h.messages->shown[0].text.contains(QStringLiteral("\n")));
            const QString explanation = h.messages->shown[0].text.section(QLatin1Char('\n'), 1);
            const bool chinese = message.contains(QStringLiteral("串口"));
            QVERIFY2(explanation.contains(chinese ? QStringLiteral("正被其他程序占用") : QStringLiteral("in use by another program")),
                     qPrintable(explanation));
            QCOMPARE(h.link.writes, 0);
        }
        QVERIFY(!h.link.port.isOpen());
        QVERIFY(!h.dialog()->isVisible());
        QVERIFY(h.view()->isEnabled());
    }

    // The data password typed on the form lets the read go on.
    void passwordFromTheForm_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<SessionOutcome>("outcome");
        QTest::newRow("same digits") << "123456" << SessionOutcome::Completed;
        QTest::newRow("other digits") << "123457" << SessionOutcome::Failed;
        QTest::newRow("empty") << "" << SessionOutcome::Failed;
    }
    void passwordFromTheForm() {
        QFETCH(QString, typed);
        QFETCH(SessionOutcome, outcome);
        ProgramHarness h(FamilyId::Marlowe);
        QVERIFY(h.ok);
        vel::Image m = RadioMemory(h.family);
        for (int i = 0; i < 6; ++i) m[static_cast<std::size_t>(i)] = static_cast<vel::Byte>('1' + i);
        h.link.radio.loadMemory(m);
        auto* box = h.view()->findChild<QLineEdit*>(QStringLiteral("field1074"));
        QVERIFY(box);
        box->setText(typed);
        QVERIFY(h.read());
        QCOMPARE(h.outcome(), outcome);
        QCOMPARE(h.link.frames(FrameKind::ReadRequest), size_t(outcome == SessionOutcome::Completed ? 128 : 2));
    }

    // -----------------------------------------------------------------------
    // The window while a session runs
    // -----------------------------------------------------------------------

    void windowWhileRunning() {
        ProgramHarness h(FamilyId::Velmar_V);
        QVERIFY(h.ok);
        h.frame()->show();
        bool newEnabled = true, openEnabled = true, testEnabled = true, viewEnabled = true, closed = true, drops = true;
        bool printEnabled = true, aboutEnabled = true, readEnabled = false, portEnabled = false;
        h.link.afterWrite = [&](int n) {
            if (n != 30) return;
            newEnabled = h.frame()->action(ID_FILE_NEW)->isEnabled();
            openEnabled = h.frame()->action(ID_FILE_OPEN)->isEnabled();
            testEnabled = h.frame()->action(ID_TEST_MODE)->isEnabled();
            viewEnabled = h.view()->isEnabled();
            drops = h.frame()->acceptDrops();
            printEnabled = h.frame()->action(ID_FILE_PRINT)->isEnabled();
            aboutEnabled = h.frame()->action(ID_APP_ABOUT)->isEnabled();
            readEnabled = h.frame()->action(ID_READ_FROM_RADIO)->isEnabled();
            portEnabled = h.frame()->action(ID_COM2)->isEnabled();
            closed = h.frame()->close();
        };
        QVERIFY(h.read());
        QCOMPARE(h.outcome(), SessionOutcome::Completed);
        QVERIFY(!newEnabled);
        QVERIFY(!openEnabled);
        QVERIFY(!testEnabled);
        QVERIFY(!viewEnabled);
        QVERIFY(!drops);
        QVERIFY(!printEnabled);   // a modal window would hold the session in one pump round
        QVERIFY(!aboutEnabled);
        QVERIFY(readEnabled);     // Read and Write stay available; they do not change the session
        QVERIFY(portEnabled);
        QVERIFY(!closed);
        QVERIFY(h.frame()->isVisible());
        // Everything is back once the session is over.
        QVERIFY(h.frame()->action(ID_FILE_NEW)->isEnabled());
        QVERIFY(h.frame()->action(ID_TEST_MODE)->isEnabled());
        QVERIFY(h.frame()->action(ID_FILE_PRINT)->isEnabled());
        QVERIFY(h.view()->isEnabled());
        QVERIFY(h.frame()->acceptDrops());
        QVERIFY(!h.frame()->action(ID_FILE_MRU_FILE1)->isEnabled());   // the placeholder stays greyed
        h.messages->answers = {QMessageBox::Discard};
        QVERIFY(h.frame()->close());
    }
};

QTEST_MAIN(ProgramCommandsTest)
#include "program_commands_test.moc"

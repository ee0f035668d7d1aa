// Programming safely from the window: the backup before a write and the check
// after it (remembered switches, phases in the progress dialog, the backup
// file, a radio that stores one byte wrongly), the checks before sending,
// Compare With a file or the radio with "Use this value", Open Backup, and
// the warning on opening a file of another radio. The radio is the
// in-process simulator on a virtual clock; backups go to the test's folder.

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

#include "image/backup_files.h"
#include "image/encodings.h"
#include "link/simulated_radio_memory.h"
#include "program_test_support.h"
#include "table/channel_table.h"
#include "table/ui/check_result_dlg.h"
#include "table/ui/difference_list_dlg.h"

using namespace velui;
using programtest::ProgramHarness;
using programtest::WriteSafety;
using vel::FamilyId;
using vel::FrameKind;
using vel::SessionOutcome;

namespace {

QStringList Row(const QTableWidget* list, int row) {
    QStringList texts;
    for (int c = 0; c < list->columnCount(); ++c)
        if (const QTableWidgetItem* item = list->item(row, c)) texts << item->text();
    return texts;
}

/// Channel `channel` of the document in use at `mhz` with the table's new-channel defaults.
void TypeChannel(ProgramHarness& h, int channel, const QString& mhz) {
    const int rx = h.family.columnOf(vel::ColumnKind::RxFrequency);
    const int tx = h.family.columnOf(vel::ColumnKind::TxFrequency);
    vel::ChannelTable t = h.view()->table();
    vel::CommitFrequency(h.family, h.view()->displayLang(), t, channel, rx, mhz.toStdString(), vel::CommitKey::Enter);
    for (int c = 1; c < h.family.columnCount(); ++c) h.grid()->SetTextMatrix(channel, c, QString::fromStdString(t.at(channel, c)));
    QCOMPARE(h.cell(channel, tx), mhz);
}

}  // namespace

class WriteSafetyTest : public QObject {
    Q_OBJECT
private slots:
    // Both switches are on for a new user and remembered per user.
    void switchesAreOnAndRemembered() {
        ProgramHarness h(FamilyId::VM_CH16, QStringLiteral("en_US"), true, WriteSafety::Default);
        QVERIFY(h.ok);
        QAction* backup = h.frame()->action(ID_BACKUP_BEFORE_WRITE);
        QAction* verify = h.frame()->action(ID_VERIFY_AFTER_WRITE);
        QVERIFY(backup->isCheckable() && backup->isChecked());
        QVERIFY(verify->isChecked());
        backup->trigger();
        QVERIFY(!h.app->programCommands()->backupBeforeWrite());
        QVERIFY(h.app->programCommands()->verifyAfterWrite());
        h.app.reset();
        velui::CVelApp again(h.family, h.dir.options(QStringLiteral("en_US"), QStringLiteral("VM_CH16")));
        QVERIFY(again.initInstance());
        QVERIFY(!again.mainFrame()->action(ID_BACKUP_BEFORE_WRITE)->isChecked());
        QVERIFY(again.mainFrame()->action(ID_VERIFY_AFTER_WRITE)->isChecked());
    }

    // Backup, write, check: the backup file holds what the radio held, the
    // progress dialog names each phase, the radio holds the document.
    void backupWriteAndCheck() {
        ProgramHarness h(FamilyId::Velmar_V, QStringLiteral("en_US"), true, WriteSafety::Default);
        QVERIFY(h.ok);
        const vel::Image radio = vel::SimulatedRadioStartingMemory(h.family);
        h.link.radio.loadMemory(radio);
        h.link.radio.setTypeByte(0xFF);
        TypeChannel(h, 5, QStringLiteral("245.00000"));
        h.frame()->execute(ID_WRITE_TO_RADIO);
        QCOMPARE(h.dialog()->phaseText(),
                 QStringLiteral("Backup: reading the radio → Writing → Checking: reading the radio back"));
        QStringList phases;
        h.link.afterWrite = [&](int) {
            if (phases.isEmpty() || phases.back() != h.dialog()->phaseText()) phases << h.dialog()->phaseText();
        };
        const int before = h.finished;
        h.dialog()->startButton()->click();
        QVERIFY(QTest::qWaitFor([&] { return h.finished > before; }, 60000));
        QCOMPARE(h.outcome(), SessionOutcome::Completed);
        QCOMPARE(phases, (QStringList{"Step 1 of 3: Backup: reading the radio", "Step 2 of 3: Writing",
                                      "Step 3 of 3: Checking: reading the radio back"}));
        QCOMPARE(h.messageTexts(), QStringList{});
        QCOMPARE(h.dialogs, QStringList{});

        const std::vector<std::string> backups = vel::ListBackups(h.backupFolder().toStdString(), "Velmar_V");
        QCOMPARE(backups.size(), size_t(1));
        QFile f(QString::fromStdString(backups[0]));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray saved = f.readAll();
        QCOMPARE(saved.left(h.family.protocol.readBytes()),
                 shelltest::Bytes(radio).left(h.family.protocol.readBytes()));
        QVERIFY(h.app->programCommands()->lastWrite()->verified);
        QVERIFY(h.frame()->paneText().startsWith(QStringLiteral("Written and checked: the radio holds what was sent.")));
        QCOMPARE(QString::fromStdString(vel::FrequencyText(&h.link.radio.memory()[h.family.recordAddr(5)])),
                 QStringLiteral("245.00000"));
    }

    // A radio that stores one byte wrongly: the check after the write lists
    // it by channel and setting.
    void checkAfterWriteNamesTheWrongByte_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("English") << "en_US" << QStringList{"Channel 2 Rx Tone", "88.5", "OFF"};
        QTest::newRow("Chinese") << "zh_CN" << QStringList{"频道 2 接收信令", "88.5", "OFF"};
    }
    void checkAfterWriteNamesTheWrongByte() {
        QFETCH(QString, locale);
        QFETCH(QStringList, row);
        ProgramHarness h(FamilyId::Velmar_V, locale, true, WriteSafety::Default);
        QVERIFY(h.ok);
        h.frame()->action(ID_BACKUP_BEFORE_WRITE)->trigger();   // the check alone
        h.link.radio.setTypeByte(0xFF);
        TypeChannel(h, 2, QStringLiteral("245.00000"));
        h.grid()->SetTextMatrix(2, h.family.columnOf(vel::ColumnKind::RxTone), QStringLiteral("88.5"));
        vel::SimulatorFaults faults;
        faults.badStoreAddress = h.family.recordAddr(2) + 9;
        faults.badStoreValue = 0xFF;
        h.link.radio.setFaults(faults);
        QStringList shown;
        QString heading;
        h.dialogAnswer = [&](QDialog& d) {
            auto* list = qobject_cast<CDifferenceListDlg*>(&d);
            if (!list) return int(QDialog::Rejected);
            heading = list->heading()->text();
            for (int r = 0; r < list->list()->rowCount(); ++r) shown << Row(list->list(), r);
            return int(QDialog::Accepted);
        };
        QVERIFY(h.write());
        QCOMPARE(h.outcome(), SessionOutcome::Failed);
        QCOMPARE(h.dialogs, QStringList{"CDifferenceListDlg"});
        QCOMPARE(shown, row);
        QVERIFY2(heading.contains(locale == "en_US" ? "Written, but the check found differences" : "核对发现"),
                 qPrintable(heading));
    }

    // A backup that cannot be read stops the write before any byte is sent.
    void failedBackupWritesNothing() {
        ProgramHarness h(FamilyId::VM_CH118, QStringLiteral("en_US"), true, WriteSafety::Default);
        QVERIFY(h.ok);
        const vel::Image radio = vel::SimulatedRadioStartingMemory(h.family);
        h.link.radio.loadMemory(radio);
        vel::SimulatorFaults faults;
        faults.vanishAfterBlocks = 30;
        h.link.radio.setFaults(faults);
        QVERIFY(h.write());
        QCOMPARE(h.outcome(), SessionOutcome::Failed);
        QCOMPARE(h.link.frames(FrameKind::WriteRequest), size_t(0));
        QCOMPARE(h.link.radio.memory(), radio);
        QCOMPARE(h.messageTexts(), (QStringList{"not received enough  byte",
                                                "Nothing was written: the radio could not be read for the backup."}));
        QVERIFY(vel::ListBackups(h.backupFolder().toStdString(), "VM_CH118").empty());
    }

    // The checks before sending: Cancel sends nothing, Write Anyway writes.
    void checksBeforeSending_data() {
        QTest::addColumn<bool>("writeAnyway");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Write anyway") << true;
    }
    void checksBeforeSending() {
        QFETCH(bool, writeAnyway);
        ProgramHarness h(FamilyId::VM_CH128);
        QVERIFY(h.ok);
        h.link.radio.setTypeByte(0xFF);
        TypeChannel(h, 3, QStringLiteral("245.00000"));
        // A tone that is not in the tone table reaches the grid only from a file.
        vel::Image image = h.view()->storedImage();
        image[static_cast<std::size_t>(h.family.recordAddr(3) + 9)] = 0x79;
        image[static_cast<std::size_t>(h.family.recordAddr(3) + 8)] = 0x81;
        h.image() = image;
        h.view()->fillChannelGrid();
        QStringList rows;
        h.dialogAnswer = [&](QDialog& d) {
            auto* checks = qobject_cast<CCheckResultDlg*>(&d);
            if (!checks) return int(QDialog::Accepted);
            for (int r = 0; r < checks->list()->rowCount(); ++r) rows << Row(checks->list(), r).join('|');
            rows << checks->heading()->text();
            return int(writeAnyway ? QDialog::Accepted : QDialog::Rejected);
        };
        QVERIFY(h.write());
        QCOMPARE(rows, (QStringList{"error|Channel 3 Rx Tone|798.1|not a tone of the tone table",
                                    "The checks before writing found 1 errors and 0 warnings."}));
        QCOMPARE(h.outcome(), writeAnyway ? SessionOutcome::Completed : SessionOutcome::Cancelled);
        QCOMPARE(h.link.port.openCount(), writeAnyway ? 1 : 0);
        QCOMPARE(h.link.frames(FrameKind::WriteRequest), size_t(writeAnyway ? h.family.protocol.writeBlocks : 0));
        QVERIFY(!h.dialog()->isVisible());
    }

    // A frequency outside the Field band is a warning: the write goes on
    // without a question and its last sentence tells it.
    void warningsAloneDoNotStopAWrite() {
        ProgramHarness h(FamilyId::VM_CH16);
        QVERIFY(h.ok);
        h.link.radio.setTypeByte(0xFF);
        TypeChannel(h, 4, QStringLiteral("451.12500"));   // receive and transmit; the band is 430 - 450MHz
        QVERIFY(h.write());
        QCOMPARE(h.outcome(), SessionOutcome::Completed);
        QCOMPARE(h.dialogs, QStringList{});
        QCOMPARE(h.frame()->paneText(),
                 QStringLiteral("Written. (Before writing, 2 warnings; the first: warning: Channel 4 Receive(MHz): "
                                "451.12500: outside the band 430 - 450MHz chosen in Field)"));
    }

    // Compare With a file: the list in the program's language, and "Use this
    // value" taking one row over into the document.
    void compareWithFileAndUseAValue() {
        ProgramHarness h(FamilyId::VM_CH16_CN);
        QVERIFY(h.ok);
        TypeChannel(h, 1, QStringLiteral("431.00000"));
        vel::Image other = h.view()->storedImage();
        other[static_cast<std::size_t>(h.family.recordAddr(1) + 12)] ^= 0x01;   // busy lockout
        other[0x3C1] = 7;                                                       // squelch
        h.dir.writeFile(QStringLiteral("other.sin"), shelltest::Bytes(other));
        QList<QStringList> before, after;
        QString header;
        h.dialogAnswer = [&](QDialog& d) {
            auto* list = qobject_cast<CDifferenceListDlg*>(&d);
            if (!list) return int(QDialog::Rejected);
            header = list->list()->horizontalHeaderItem(2)->text();
            for (int r = 0; r < list->list()->rowCount(); ++r) before << Row(list->list(), r);
            list->useButton(0)->click();
            for (int r = 0; r < list->list()->rowCount(); ++r) after << Row(list->list(), r);
            return int(QDialog::Accepted);
        };
        h.app->programCommands()->compareWithFile(h.dir.path(QStringLiteral("other.sin")));
        QCOMPARE(header, QStringLiteral("other.sin"));
        QCOMPARE(before, (QList<QStringList>{{"信道 1 是否禁发", "否", "是"}, {"静噪等级(SQ)", "5", "7"}}));
        QCOMPARE(after, (QList<QStringList>{{"静噪等级(SQ)", "5", "7"}}));
        // The busy lockout came over into the document, the squelch did not.
        QCOMPARE(h.cell(1, 5), QStringLiteral("是"));
        QCOMPARE(h.image()[static_cast<std::size_t>(h.family.recordAddr(1) + 12)] & 0x01, 0);
        QCOMPARE(int(h.image()[0x3C1]), 5);
    }

    // Compare With the radio: read into a copy; the document stays as it was.
    void compareWithTheRadio() {
        ProgramHarness h(FamilyId::Marlowe);
        QVERIFY(h.ok);
        const vel::Image radio = vel::SimulatedRadioStartingMemory(h.family);
        h.link.radio.loadMemory(radio);
        const vel::Image before = h.image();
        QStringList firstRow;
        QString header;
        h.dialogAnswer = [&](QDialog& d) {
            if (auto* box = qobject_cast<QMessageBox*>(&d)) {
                box->findChild<QPushButton*>(QStringLiteral("compareWithRadio"))->click();
                return 0;
            }
            auto* list = qobject_cast<CDifferenceListDlg*>(&d);
            if (!list) return int(QDialog::Rejected);
            header = list->list()->horizontalHeaderItem(2)->text();
            firstRow = Row(list->list(), 0);
            return int(QDialog::Accepted);
        };
        h.frame()->execute(ID_FILE_COMPARE);
        QVERIFY(h.dialog()->isVisible());
        QCOMPARE(h.dialog()->windowTitle(), QStringLiteral("Reading Data Progress"));
        const int finishedBefore = h.finished;
        h.dialog()->startButton()->click();
        QVERIFY(QTest::qWaitFor([&] { return h.finished > finishedBefore; }, 60000));
        QCOMPARE(h.dialogs, (QStringList{"compareSource", "CDifferenceListDlg"}));
        QCOMPARE(header, QStringLiteral("The Radio"));
        QCOMPARE(firstRow, (QStringList{"Channel 1 Receive(MHz)", "(empty)", "68.00000"}));
        QCOMPARE(h.image(), before);
        QCOMPARE(h.link.frames(FrameKind::WriteRequest), size_t(0));
    }

    // Open Backup: the file dialog starts in the backups folder.
    void openBackup() {
        ProgramHarness h(FamilyId::VM_CH16);
        QVERIFY(h.ok);
        const vel::Image saved = vel::SimulatedRadioStartingMemory(h.family);
        const vel::BackupSaveResult backup = vel::SaveBackup(vel::DefaultBackupFolder(), "VM_CH16", saved);
        QVERIFY(backup.ok);
        QVERIFY(QString::fromStdString(backup.path).startsWith(h.backupFolder()));
        shelltest::FileDialogScript files;
        files.answers = {QString::fromStdString(backup.path)};
        QVERIFY(h.app->onOpenBackup());
        QCOMPARE(files.requests.size(), size_t(1));
        QCOMPARE(files.requests[0].suggested, h.backupFolder());
        QVERIFY(files.requests[0].filter.startsWith(QStringLiteral("Backups of VM_CH16 (VM_CH16-*.sin)")));
        QCOMPARE(h.image(), saved);
        QVERIFY(h.messageTexts().isEmpty());
    }

    // A file of random bytes opens, with a warning naming its problems.
    void openingAnotherRadiosFileWarns() {
        ProgramHarness h(FamilyId::Velmar_V);
        QVERIFY(h.ok);
        QByteArray noise(h.family.imageSize, '\0');
        for (int i = 0; i < noise.size(); ++i) noise[i] = char((i * 151 + 7) & 0xFF);
        h.dir.writeFile(QStringLiteral("noise.sin"), noise);
        QVERIFY(h.app->openDocumentFile(h.dir.path(QStringLiteral("noise.sin"))));
        const QStringList texts = h.messageTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].startsWith(QStringLiteral("noise.sin fails ")), qPrintable(texts[0]));
        QVERIFY(texts[0].contains(QStringLiteral("it may not be a file of this program's radio.")));
        QVERIFY(texts[0].contains(QStringLiteral("error: Channel 1 ")));
        // A file the program saved opens without a word.
        h.messages->shown.clear();
        h.dir.writeFile(QStringLiteral("good.sin"), shelltest::Bytes(vel::SimulatedRadioStartingMemory(h.family)));
        QVERIFY(h.app->openDocumentFile(h.dir.path(QStringLiteral("good.sin"))));
        QCOMPARE(h.messageTexts(), QStringList{});
    }
};

QTEST_MAIN(WriteSafetyTest)
#include "write_safety_test.moc"

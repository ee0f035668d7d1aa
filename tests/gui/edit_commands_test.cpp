// Editing a dealer can trust, through the windows of all six programs: undo
// and redo of a cell edit, a row operation, a dialog's OK and a Read; the
// Edit menu, its keys and the grid's context menu; the clipboard; and the
// cases in which the grid used to lose a value without anyone asking.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include "image/encodings.h"
#include "link/simulated_radio_memory.h"
#include "program_test_support.h"
#include "table/channel_table.h"

using namespace velui;
using programtest::ProgramHarness;
using vel::FamilyId;

Q_DECLARE_METATYPE(vel::FamilyId)

namespace {

const QString kNumber = QStringLiteral("Please input Number");
const QString kRange = QStringLiteral("Error Data Format，Please input again");

void AddFamilies() {
    QTest::addColumn<FamilyId>("id");
    for (FamilyId id : {FamilyId::Velmar_V, FamilyId::VM_CH128, FamilyId::VM_CH118, FamilyId::Marlowe, FamilyId::VM_CH16,
                        FamilyId::VM_CH16_CN})
        QTest::newRow(vel::GetFamily(id).name.c_str()) << id;
}

/// A shown window of one program, driven by real mouse and keys.
struct Window : ProgramHarness {
    explicit Window(FamilyId id) : ProgramHarness(id) {
        if (!ok) return;
        frame()->resize(1100, 800);
        frame()->show();
        if (!QTest::qWaitForWindowActive(frame())) qWarning("window not active");
    }
    CVelDoc* doc() const { return app->document(); }
    QStringList row(int r) const {
        QStringList cells;
        for (int c = 1; c < grid()->GetCols(); ++c) cells << cell(r, c);
        return cells;
    }
    QPoint centreOf(int r, int c) const {
        grid()->ShowCell(r, std::max(c, 1));
        return grid()->cellRect(r, c).center();
    }
    void click(int r, int c, Qt::KeyboardModifiers m = {}) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, m, centreOf(r, c));
    }
    QWidget* focus() const {
        if (!QApplication::focusWidget()) (void)QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 2000);
        return QApplication::focusWidget();
    }
    void type(const QString& text) {
        for (const QChar ch : text) QTest::keyClick(focus(), char(ch.unicode()));
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(focus(), k, m); }
    /// Types a frequency into a cell and presses Enter.
    void enterFrequency(int r, int c, const QString& text) {
        click(r, c);
        type(text);
        key(Qt::Key_Return);
    }
    /// The grid with the keyboard focus on cell (r, c) and no editor open.
    void focusCell(int r, int c) {
        grid()->SetRow(r);
        grid()->SetCol(c);
        grid()->setFocus();
    }
    /// Writes a channel into the image and shows the image in the table.
    void putChannel(int channel, std::int64_t rx, std::int64_t tx, const char* rxTone = "OFF") {
        vel::Byte* rec = &image()[static_cast<std::size_t>(family.recordAddr(channel))];
        vel::StoreFrequencyUnits(rec, rx);
        vel::StoreFrequencyUnits(rec + 4, tx);
        vel::StoreToneText(rxTone, rec[9], rec[8]);
        vel::StoreToneText("OFF", rec[11], rec[10]);
    }
    void showImage() {
        view()->initialUpdate();
        doc()->markClean();
        doc()->startHistory();
    }
    int steps() const { return doc()->undoStack()->count(); }
    bool canUndo() const { return doc()->undoStack()->canUndo(); }
};

/// Runs `f` on the next modal dialog that comes up.
void OnNextDialog(std::function<void(QDialog*)> f) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, f] {
        if (auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            f(dlg);
        }
    });
    timer->start(10);
}

}  // namespace

class EditCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QApplication::clipboard()->clear(); }

    // -----------------------------------------------------------------------
    // Undo and redo
    // -----------------------------------------------------------------------

    void undoOfOneEdit_data() { AddFamilies(); }
    void undoOfOneEdit() {
        QFETCH(FamilyId, id);
        Window w(id);
        QVERIFY(w.ok);
        const QStringList empty = w.row(2);
        QVERIFY(!w.frame()->action(ID_EDIT_UNDO)->isEnabled());
        w.enterFrequency(2, 1, "145.5");
        QCOMPARE(w.cell(2, 1), QString("145.50000"));
        QVERIFY(w.doc()->isModified());
        QVERIFY(w.frame()->action(ID_EDIT_UNDO)->isEnabled());
        // Ctrl+Z from the grid undoes the edit, and the question about unsaved
        // changes goes with it.
        w.focusCell(5, 1);
        w.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.row(2), empty);
        QVERIFY(!w.doc()->isModified());
        QVERIFY(w.frame()->action(ID_EDIT_REDO)->isEnabled());
        w.frame()->execute(ID_EDIT_REDO);
        QCOMPARE(w.cell(2, 1), QString("145.50000"));
        QCOMPARE(w.cell(2, 2), QString("145.50000"));
        QVERIFY(w.doc()->isModified());
        QCOMPARE(w.messageTexts(), QStringList{});
    }

    // Redo is Ctrl+Shift+Z everywhere, Ctrl+Y too where Two Tone does not have it.
    void redoKeys_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<bool>("ctrlY");
        QTest::newRow("Velmar_V") << FamilyId::Velmar_V << false;
        QTest::newRow("VM_CH128") << FamilyId::VM_CH128 << true;
        QTest::newRow("Marlowe") << FamilyId::Marlowe << true;
    }
    void redoKeys() {
        QFETCH(FamilyId, id);
        QFETCH(bool, ctrlY);
        Window w(id);
        QVERIFY(w.ok);
        w.enterFrequency(3, 1, "146");
        w.frame()->execute(ID_EDIT_UNDO);
        QVERIFY(w.cell(3, 1).isEmpty());
        w.focusCell(6, 1);
        bool twoTone = false;
        if (!ctrlY) w.frame()->setHandler(ID_TWO_TONE, [&] { twoTone = true; });
        w.key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w.cell(3, 1), ctrlY ? QString("146.00000") : QString());
        QCOMPARE(twoTone, !ctrlY);
        if (!ctrlY) {
            w.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(w.cell(3, 1), QString("146.00000"));
        }
    }

    void undoOfARowOperation_data() { AddFamilies(); }
    void undoOfARowOperation() {
        QFETCH(FamilyId, id);
        Window w(id);
        QVERIFY(w.ok);
        w.putChannel(1, 14550000, 14550000);
        w.putChannel(2, 43000000, 43000000);
        // A byte the table does not show travels with its channel.
        const std::size_t hidden = static_cast<std::size_t>(w.family.recordAddr(1) + 15);
        w.image()[hidden] = 0x42;
        w.showImage();
        const vel::Image before = w.image();
        const QStringList first = w.row(1), second = w.row(2);

        w.click(1, 0);   // the channel number selects the whole row
        QCOMPARE(w.grid()->GetSelectedRows(), std::vector<int>{1});
        w.frame()->execute(ID_EDIT_MOVE_DOWN);
        QCOMPARE(w.row(1), second);
        QCOMPARE(w.row(2), first);
        QCOMPARE(w.grid()->GetSelectedRows(), std::vector<int>{2});
        QCOMPARE(w.image()[hidden + 16], vel::Byte(0x42));
        QCOMPARE(w.steps(), 1);

        w.frame()->execute(ID_EDIT_UNDO);
        QCOMPARE(w.row(1), first);
        QCOMPARE(w.row(2), second);
        QCOMPARE(w.image(), before);
        QVERIFY(!w.doc()->isModified());
        w.frame()->execute(ID_EDIT_REDO);
        QCOMPARE(w.row(2), first);
    }

    void undoOfADialogOk() {
        Window w(FamilyId::Velmar_V);
        QVERIFY(w.ok);
        const vel::Image before = w.image();
        OnNextDialog([](QDialog* dlg) {
            for (QCheckBox* box : dlg->findChildren<QCheckBox*>())
                if (box->text() == QStringLiteral("Beep")) box->click();
            dlg->accept();
        });
        w.frame()->execute(ID_OPTIONAL_FEATURES);
        const vel::Image after = w.image();
        QVERIFY(after != before);
        QCOMPARE(w.steps(), 1);
        QCOMPARE(w.doc()->undoStack()->undoText(), QStringLiteral("Optional Features"));
        w.frame()->execute(ID_EDIT_UNDO);
        QCOMPARE(w.image(), before);
        QVERIFY(!w.doc()->isModified());
        w.frame()->execute(ID_EDIT_REDO);
        QCOMPARE(w.image(), after);
        // Cancel changes nothing and records nothing.
        OnNextDialog([](QDialog* dlg) { dlg->reject(); });
        w.frame()->execute(ID_OPTIONAL_FEATURES);
        QCOMPARE(w.steps(), 1);
    }

    // The Undo and Redo items name the step they act on, in the menu's own
    // language and form, and are bare again when there is none.
    void undoItemsNameTheStep_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<QString>("undoRead");
        QTest::addColumn<QString>("redoRead");
        QTest::addColumn<QString>("bareUndo");
        QTest::newRow("Velmar_V") << FamilyId::Velmar_V << "&Undo Read From Radio" << "&Redo Read From Radio"
                                  << "&Undo";
        QTest::newRow("VM_CH16_CN") << FamilyId::VM_CH16_CN << "撤销 读频(&U)" << "重做 读频(&R)" << "撤销(&U)";
    }
    void undoItemsNameTheStep() {
        QFETCH(FamilyId, id);
        QFETCH(QString, undoRead);
        QFETCH(QString, redoRead);
        QFETCH(QString, bareUndo);
        Window w(id);
        QVERIFY(w.ok);
        w.link.radio.loadMemory(vel::SimulatedRadioStartingMemory(w.family));
        QCOMPARE(w.frame()->action(ID_EDIT_UNDO)->text(), bareUndo);
        QVERIFY(w.read());
        QCOMPARE(w.frame()->action(ID_EDIT_UNDO)->text(), undoRead);
        w.frame()->execute(ID_EDIT_UNDO);
        QCOMPARE(w.frame()->action(ID_EDIT_REDO)->text(), redoRead);
        QCOMPARE(w.frame()->action(ID_EDIT_UNDO)->text(), bareUndo);
    }

    void undoOfARead_data() { AddFamilies(); }
    void undoOfARead() {
        QFETCH(FamilyId, id);
        Window w(id);
        QVERIFY(w.ok);
        w.link.radio.loadMemory(vel::SimulatedRadioStartingMemory(w.family));
        w.enterFrequency(4, 1, "146");
        const vel::Image beforeImage = w.image();
        const vel::ChannelTable beforeTable = w.view()->table();
        QVERIFY(w.read());
        QVERIFY(w.view()->table().cells != beforeTable.cells);
        const vel::Image read = w.image();
        QCOMPARE(w.steps(), 2);

        w.frame()->execute(ID_EDIT_UNDO);   // the document as it was before the Read
        QCOMPARE(w.image(), beforeImage);
        QCOMPARE(w.view()->table().cells, beforeTable.cells);
        QCOMPARE(w.view()->table().selection, beforeTable.selection);
        w.frame()->execute(ID_EDIT_UNDO);   // and the edit before it
        QVERIFY(w.cell(4, 1).isEmpty());
        QVERIFY(!w.doc()->isModified());
        w.frame()->execute(ID_EDIT_REDO);
        w.frame()->execute(ID_EDIT_REDO);
        QCOMPARE(w.image(), read);
    }

    // The history ends at New and Open; a save keeps it and marks where the
    // document equals its file.
    void historyPerDocument() {
        Window w(FamilyId::VM_CH16);
        QVERIFY(w.ok);
        w.dir.writeFile("a.sin", shelltest::Bytes(vel::NewDocumentImage(w.family)));
        QVERIFY(w.app->openDocumentFile(w.dir.path("a.sin")));
        QVERIFY(!w.canUndo());
        w.enterFrequency(1, 1, "145");
        w.enterFrequency(2, 1, "146");
        QVERIFY(w.app->onFileSave());
        const QByteArray saved = w.dir.readFile("a.sin");
        QVERIFY(!w.doc()->isModified());
        w.frame()->execute(ID_EDIT_UNDO);
        QVERIFY(w.doc()->isModified());
        w.frame()->execute(ID_EDIT_REDO);
        QVERIFY(!w.doc()->isModified());
        // Undo back to the opened file: a save writes what Save wrote for it unedited.
        w.frame()->execute(ID_EDIT_UNDO);
        w.frame()->execute(ID_EDIT_UNDO);
        QVERIFY(!w.canUndo());
        QVERIFY(w.doc()->isModified());   // differs from the file as last saved
        shelltest::FileDialogScript dialogs;
        dialogs.answers.push_back(w.dir.path("b.sin"));
        QVERIFY(w.app->onFileSaveAs());
        vel::Image fresh = vel::NewDocumentImage(w.family);
        vel::ChannelTable t = vel::NewChannelTable(w.family, vel::Lang::English);
        vel::FillChannelGrid(w.family, vel::Lang::English, fresh, t);
        vel::StoreChannelGrid(w.family, t, fresh);
        QCOMPARE(w.dir.readFile("b.sin"), shelltest::Bytes(fresh));
        QVERIFY(saved != w.dir.readFile("b.sin"));
        // New ends the history.
        w.enterFrequency(1, 1, "150");
        w.messages->answers.push_back(QMessageBox::Discard);
        w.frame()->execute(ID_FILE_NEW);
        QVERIFY(!w.canUndo());
        QVERIFY(!w.frame()->action(ID_EDIT_UNDO)->isEnabled());
    }

    // -----------------------------------------------------------------------
    // No silent loss
    // -----------------------------------------------------------------------

    // A frequency off the step list (from a file or a radio) survives the
    // editor passing over it.
    void movingThroughACellNeverEditsIt_data() { AddFamilies(); }
    void movingThroughACellNeverEditsIt() {
        QFETCH(FamilyId, id);
        Window w(id);
        QVERIFY(w.ok);
        w.putChannel(3, 14552370, 14552370, "D023N");
        w.showImage();
        const QStringList before = w.row(3);
        w.click(3, 1);
        QVERIFY(w.focus() != w.grid());   // the editor is open
        w.key(Qt::Key_Down);
        w.click(3, 3);                    // the tone editor, then away
        w.key(Qt::Key_Right);
        w.click(3, 5);                    // a list editor, then away by Enter
        w.key(Qt::Key_Return);
        w.click(3, 2);
        w.key(Qt::Key_Return);            // Enter on an unchanged frequency
        w.click(8, 1);
        QCOMPARE(w.row(3), before);
        QCOMPARE(w.messageTexts(), QStringList{});
        QCOMPARE(w.steps(), 0);
        QVERIFY(!w.doc()->isModified());
    }

    void strayLetterOnAFrequencyIsRefused() {
        Window w(FamilyId::Velmar_V);
        QVERIFY(w.ok);
        w.putChannel(3, 14552500, 14552500);
        w.showImage();
        w.focusCell(3, 1);
        QTest::keyClick(w.grid(), 'k');
        QCOMPARE(w.messageTexts(), QStringList{kNumber});
        w.click(9, 9);
        QCOMPARE(w.cell(3, 1), QString("145.52500"));
        QCOMPARE(w.steps(), 0);
    }

    void refusedFrequencyRestoresTheCell_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("Velmar_V, Enter") << FamilyId::Velmar_V << true;
        QTest::newRow("VM_CH16, leaving") << FamilyId::VM_CH16 << false;
    }
    void refusedFrequencyRestoresTheCell() {
        QFETCH(FamilyId, id);
        QFETCH(bool, byEnter);
        Window w(id);
        QVERIFY(w.ok);
        w.putChannel(3, 14552500, 14600000, "67.0");
        w.showImage();
        const QStringList before = w.row(3);
        w.click(3, 2);
        w.type("999");
        if (byEnter) w.key(Qt::Key_Return);
        else w.click(7, 1);
        QCOMPARE(w.messageTexts(), QStringList{kRange});
        QCOMPARE(w.row(3), before);
        QCOMPARE(w.steps(), 0);
    }

    void toneThatIsNoToneIsRefused_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("popupFirst");
        QTest::newRow("Velmar_V XYZ") << FamilyId::Velmar_V << "XYZ" << false;
        QTest::newRow("Marlowe 68.0") << FamilyId::Marlowe << "68.0" << false;
        QTest::newRow("VM_CH128 after the list closed") << FamilyId::VM_CH128 << "D023N" << true;
    }
    void toneThatIsNoToneIsRefused() {
        QFETCH(FamilyId, id);
        QFETCH(QString, typed);
        QFETCH(bool, popupFirst);
        Window w(id);
        QVERIFY(w.ok);
        w.putChannel(3, 14552500, 14552500, "67.0");
        w.showImage();
        w.click(3, 3);
        QComboBox* box = w.view()->findChild<QComboBox*>(QStringLiteral("toneBox"));
        QVERIFY(box->isVisible());
        if (popupFirst) {
            // Alt+Down opens the list, Esc closes it: the typing that follows
            // lands behind the entry's text.
            w.key(Qt::Key_Down, Qt::AltModifier);
            QTRY_VERIFY(box->view()->isVisible());
            QTest::keyClick(box->view(), Qt::Key_Escape);
            QTRY_VERIFY(!box->view()->isVisible());
            box->lineEdit()->setFocus();
            box->lineEdit()->end(false);
        } else {
            box->lineEdit()->selectAll();
        }
        w.type(typed);
        const QString text = box->currentText();
        QVERIFY(text.endsWith(typed));
        w.key(Qt::Key_Return);
        QCOMPARE(w.cell(3, 3), QString("67.0"));
        QCOMPARE(w.messageTexts(),
                 QStringList{QStringLiteral("\"%1\" is not a tone. Choose a tone from the list, or OFF; the cell keeps its tone.")
                                 .arg(text)});
        QCOMPARE(w.steps(), 0);
    }

    void escapeCancelsTheEdit_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::newRow("frequency") << 1 << "146";
        QTest::newRow("tone") << 3 << "D023N";
        QTest::newRow("name") << 11 << "XY";
    }
    void escapeCancelsTheEdit() {
        QFETCH(int, col);
        QFETCH(QString, typed);
        Window w(FamilyId::Velmar_V);
        QVERIFY(w.ok);
        w.putChannel(3, 14552500, 14552500, "67.0");
        w.showImage();
        const QStringList before = w.row(3);
        w.click(3, col);
        w.type(typed);
        w.key(Qt::Key_Escape);
        QCOMPARE(w.focus(), static_cast<QWidget*>(w.grid()));
        QCOMPARE(w.row(3), before);
        w.click(9, 1);   // nothing is committed later either
        QCOMPARE(w.row(3), before);
        QCOMPARE(w.steps(), 0);
    }

    // -----------------------------------------------------------------------
    // Row operations, keys and the clipboard
    // -----------------------------------------------------------------------

    void copyAndPasteRows() {
        Window w(FamilyId::Velmar_V);
        QVERIFY(w.ok);
        w.putChannel(1, 14550000, 14550000, "D754I");
        w.putChannel(2, 43000000, 43012500);
        w.showImage();
        w.click(1, 0);
        w.click(2, 0, Qt::ShiftModifier);
        QCOMPARE(w.grid()->GetSelectedRows(), (std::vector<int>{1, 2}));
        w.key(Qt::Key_C, Qt::ControlModifier);
        const QString text = QApplication::clipboard()->text();
        QVERIFY(text.startsWith(QStringLiteral("CH\tReceive(MHz)\tTransmit(MHz)\tRx Tone")));
        QCOMPARE(text.count('\n'), 3);
        w.click(6, 0);
        w.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.row(6), w.row(1));
        QCOMPARE(w.row(7), w.row(2));
        QCOMPARE(w.grid()->GetSelectedRows(), (std::vector<int>{6, 7}));
        QCOMPARE(w.steps(), 1);
        // Inserted above a row: the channels below move down.
        w.click(2, 0);
        w.key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.row(2), w.row(1));
        QCOMPARE(w.row(3), w.row(4));   // the second pasted row; the channel it copies moved to row 4
        QCOMPARE(w.cell(8, 1), QString("145.50000"));
    }

    // Rows that fail are reported together and change nothing.
    void pasteRefusedAsAWhole() {
        Window w(FamilyId::VM_CH16);
        QVERIFY(w.ok);
        w.putChannel(1, 14550000, 14550000);
        w.showImage();
        const QStringList before = w.row(1);
        QApplication::clipboard()->setText(QStringLiteral("Receive(MHz)\tRx Tone\n146\tXYZ\n700\tOFF\n"));
        w.focusCell(1, 1);
        w.key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(w.messageTexts(),
                 QStringList{QStringLiteral("Nothing was changed:\n\n"
                                            "Channel 1, Rx Tone: \"XYZ\" is not a tone. Choose a tone from the list, or "
                                            "OFF; the cell keeps its tone.\n"
                                            "Channel 2, Receive(MHz): Error Data Format，Please input again")});
        QCOMPARE(w.row(1), before);
        QVERIFY(w.cell(2, 1).isEmpty());
        QCOMPARE(w.steps(), 0);
    }

    // Where Ctrl+C to Ctrl+F choose ports, they still do; Copy and Paste
    // answer Ctrl+Ins and Shift+Ins.
    void portKeysStayPorts_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::newRow("Marlowe") << FamilyId::Marlowe;
        QTest::newRow("VM_CH16") << FamilyId::VM_CH16;
        QTest::newRow("VM_CH16_CN") << FamilyId::VM_CH16_CN;
    }
    void portKeysStayPorts() {
        QFETCH(FamilyId, id);
        Window w(id);
        QVERIFY(w.ok);
        w.enterFrequency(1, 1, "145");
        w.frame()->selectPort(QStringLiteral("COM3"));
        w.click(1, 0);
        w.key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(w.frame()->portName(), QStringLiteral("COM1"));
        QVERIFY(QApplication::clipboard()->text().isEmpty());
        w.key(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(w.frame()->portName(), QStringLiteral("COM2"));
        w.click(1, 0);
        w.key(Qt::Key_Insert, Qt::ControlModifier);
        QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("145.00000")));
        w.click(4, 0);
        w.key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(w.row(4), w.row(1));
        QCOMPARE(w.frame()->portName(), QStringLiteral("COM2"));
    }

    // Del empties the selected cells by the clearing rules; Ins inserts rows.
    void deleteAndInsertKeys() {
        Window w(FamilyId::VM_CH128);
        QVERIFY(w.ok);
        w.putChannel(2, 14550000, 14600000, "67.0");
        w.showImage();
        w.focusCell(2, 1);
        QTest::keyClick(w.grid(), Qt::Key_Delete);
        QCOMPARE(w.row(2).mid(0, 4), (QStringList{"", "146.00000", "", "OFF"}));
        QTest::keyClick(w.grid(), Qt::Key_Insert);
        QVERIFY(w.row(2).mid(0, 10).join(QString()).isEmpty());
        QCOMPARE(w.cell(3, 2), QString("146.00000"));
        QCOMPARE(w.steps(), 2);
        w.frame()->execute(ID_EDIT_UNDO);
        w.frame()->execute(ID_EDIT_UNDO);
        QCOMPARE(w.cell(2, 1), QString("145.50000"));
        QCOMPARE(w.cell(2, 3), QString("67.0"));
    }

    // A row that would be pushed off the end stops the insertion.
    void insertNeverPushesAChannelOut() {
        Window w(FamilyId::VM_CH16);
        QVERIFY(w.ok);
        w.putChannel(16, 14550000, 14550000);
        w.showImage();
        w.click(3, 0);
        w.frame()->execute(ID_EDIT_INSERT_CHANNEL);
        QCOMPARE(w.messageTexts(),
                 QStringList{QStringLiteral("Nothing was changed:\n\n"
                                            "Channel 16 is in use: inserting would push it off the end of the table.")});
        QCOMPARE(w.cell(16, 1), QString("145.50000"));
        QCOMPARE(w.steps(), 0);
    }

    void fillDownAndDelete() {
        Window w(FamilyId::Velmar_V);
        QVERIFY(w.ok);
        w.putChannel(1, 14550000, 14550000, "88.5");
        w.showImage();
        w.click(1, 0);
        w.click(3, 0, Qt::ShiftModifier);
        w.key(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(w.row(3), w.row(1));
        w.click(2, 0);
        w.frame()->execute(ID_EDIT_DELETE_CHANNEL);
        QVERIFY(w.row(2).join(QString()).isEmpty());
        QCOMPARE(w.cell(2, 0), QString("2"));
        QCOMPARE(w.steps(), 2);
    }

    // The grid's context menu offers the Edit commands; a right click on a
    // channel number selects that row first.
    void contextMenu() {
        Window w(FamilyId::VM_CH118);
        QVERIFY(w.ok);
        QStringList shown;
        QTimer::singleShot(50, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* a : menu->actions())
                    if (!a->isSeparator()) shown << a->text();
                menu->close();
            }
        });
        const QPoint at = w.centreOf(4, 0);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, w.grid()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(w.grid()->viewport(), &event);
        QCOMPARE(w.grid()->GetSelectedRows(), std::vector<int>{4});
        QVERIFY(shown.contains(w.frame()->action(ID_EDIT_COPY)->text()));
        QVERIFY(shown.contains(w.frame()->action(ID_EDIT_MOVE_UP)->text()));
        QCOMPARE(shown.size(), 13);
    }

    // Every program has the Edit menu; Marlowe's keeps its own items first.
    void editMenus_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("first");
        QTest::newRow("Velmar_V") << FamilyId::Velmar_V << "&Edit" << "&Undo";
        QTest::newRow("VM_CH128") << FamilyId::VM_CH128 << "&Edit" << "&Undo";
        QTest::newRow("Marlowe") << FamilyId::Marlowe << "&Edit" << "&Edit Data\tCtrl+G";
        QTest::newRow("VM_CH16_CN") << FamilyId::VM_CH16_CN << "编辑(&B)" << "撤销(&U)";
    }
    void editMenus() {
        QFETCH(FamilyId, id);
        QFETCH(QString, title);
        QFETCH(QString, first);
        Window w(id);
        QVERIFY(w.ok);
        QMenu* menu = w.frame()->menu(title);
        QVERIFY(menu);
        QCOMPARE(menu->actions().first()->text(), first);
        for (int command : EditCommands())
            if (command != ID_SEPARATOR) QVERIFY(menu->actions().contains(w.frame()->action(command)));
    }
};

QTEST_MAIN(EditCommandsTest)
#include "edit_commands_test.moc"

// The Velmar_V form view driven by real mouse and key input: initial update,
// the cell editors, validation messages, Enter routing, the name filter,
// scrolling, Edit Data, status hints and the bytes a store gives.

#include <QSignalSpy>
#include <QWheelEvent>

#include "shell/ui/message_box.h"
#include "table/channel_table.h"
#include "view_test_support.h"

namespace {

const QString kRange = QStringLiteral("Error Data Format，Please input again");
const QString kStep = QStringLiteral("Error data Value，Please input according the step value(6.25K/5k/2.5k)");
const QString kNumber = QStringLiteral("Please input Number");

QStringList Row(ViewHarness& h, int row, int from, int to) {
  QStringList cells;
  for (int c = from; c <= to; ++c) cells << h.cell(row, c);
  return cells;
}

}  // namespace

class VelViewTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ViewHarness> h;
  std::unique_ptr<MessageCatcher> boxes;

  const vel::Family& fam() { return vel::VelmarVFamily(); }

private slots:
  void init() {
    QApplication::setApplicationDisplayName(QStringLiteral("Velmar Test"));
    boxes = std::make_unique<MessageCatcher>();
    h = std::make_unique<ViewHarness>(fam(), vel::Lang::English);
  }
  void cleanup() {
    h.reset();
    boxes.reset();
  }

  // --- Initial update -----------------------------------------------------

  void newDocumentShowsEmptyRowsAndPresetLists() {
    QCOMPARE(h->grid()->GetRows(), 129);
    QCOMPARE(h->grid()->GetCols(), 13);
    for (int r = 1; r <= 128; ++r) {
      QCOMPARE(h->cell(r, 0), QString::number(r));
      for (int c = 1; c <= 12; ++c) QVERIFY2(h->cell(r, c).isEmpty(), qPrintable(QStringLiteral("%1,%2").arg(r).arg(c)));
    }
    QCOMPARE(h->field(1011)->currentText(), QString("240 - 260MHz"));
    QCOMPARE(h->field(1017)->currentText(), QString("VM - K10"));
    QCOMPARE(h->field(1019)->currentText(), QString("Open"));
    QCOMPARE(h->field(1018)->currentText(), QString("9"));
    // The keyboard starts in the grid on channel 1's receive frequency.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h->grid()));
    QCOMPARE(h->grid()->GetRow(), 1);
    QCOMPARE(h->grid()->GetCol(), 1);
    QVERIFY(h->visibleEditors().isEmpty());
  }

  void headers_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("header");
    const char* headers[] = {"CH",       "Receive(MHz)", "Transmit(MHz)", "Rx Tone", "Tx Tone", " W/N ", "Scan",
                             "Tx Power", " Opt Signal",  "PTTID",         "BusyLock", "Name",   "More"};
    for (int c = 0; c < 13; ++c) QTest::newRow(headers[c]) << c << QString(headers[c]);
  }
  void headers() {
    QFETCH(int, col);
    QFETCH(QString, header);
    QCOMPARE(h->cell(0, col), header);
    QCOMPARE(h->grid()->GetColAlignment(col), short(CMSFlexGrid::CenterCenter));
  }

  void columnWidthsFollowTheDefaultWidth_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<double>("factor");
    QTest::newRow("0: 0.6 w") << 0 << 0.6;
    QTest::newRow("1: 1.2 w") << 1 << 1.2;
    QTest::newRow("2: 1.2 w") << 2 << 1.2;
    QTest::newRow("3: w / 1.2") << 3 << 0.8333333333333334;
    QTest::newRow("7: w / 1.2") << 7 << 0.8333333333333334;
    QTest::newRow("8: w") << 8 << 1.0;
    QTest::newRow("10: w / 1.2") << 10 << 0.8333333333333334;
    QTest::newRow("12: w") << 12 << 1.0;
  }
  void columnWidthsFollowTheDefaultWidth() {
    QFETCH(int, col);
    QFETCH(double, factor);
    // w: the width column 2 has before the first layout; at least the grid's
    // default, and wide enough that every header fits.
    const long w = h->view->columnBaseWidth();
    QVERIFY(w >= h->grid()->GetDefaultColWidth());
    QCOMPARE(h->grid()->GetColWidth(col), long(double(w) * factor));
    const QString header = h->grid()->GetTextMatrix(0, col);
    QVERIFY2(h->grid()->fontMetrics().horizontalAdvance(header) * 1440 / h->grid()->logicalDpiX() <
                 h->grid()->GetColWidth(col),
             qPrintable(header));
  }

  void laterInitialUpdateHidesEditorsAndRefills() {
    h->click(4, 1);
    h->type("146");
    QCOMPARE(h->visibleEditors(), QStringList({"frequencyEdit"}));
    h->putChannel(2, 14552500, 14600000, "67.0", "D023N");
    h->view->initialUpdate();
    QVERIFY(h->visibleEditors().isEmpty());
    QVERIFY(h->freqEdit()->text().isEmpty());
    QVERIFY(h->cell(4, 1).isEmpty());  // the typed text was not committed anywhere
    QCOMPARE(Row(*h, 2, 1, 4), QStringList({"145.52500", "146.00000", "67.0", "D023N"}));
    // Widths are laid out once: a second update keeps them.
    QCOMPARE(h->grid()->GetColWidth(1), long(h->view->columnBaseWidth() * 1.2));
  }

  void typingIntoAGuardedListPutsItBack_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Type") << 1017 << "VM - K10";
    QTest::newRow("Field") << 1011 << "240 - 260MHz";
    QTest::newRow("Tx Power Rank") << 1018 << "9";
  }
  void typingIntoAGuardedListPutsItBack() {
    QFETCH(int, id);
    QFETCH(QString, expected);
    QComboBox* box = h->field(id);
    box->setCurrentIndex(1);
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), "x");
    QCOMPARE(box->currentText(), expected);
    QCOMPARE(box->lineEdit()->text(), expected);
  }

  // --- New channel and frequency validation --------------------------------

  void newChannelGetsTheDefaults() {
    h->click(1, 1);
    h->type("145.525");
    h->click(3, 3);  // leave the cell
    QCOMPARE(Row(*h, 1, 1, 12), QStringList({"145.52500", "145.52500", "OFF", "OFF", "Wide", "Yes", "High", "DTMF",
                                             "ON", "Close", "", ">>"}));
    QVERIFY(boxes->texts.isEmpty());
  }

  void transmitFrequencyOfANewChannelIsNotCopied() {
    h->click(2, 2);
    h->type("146.5");
    h->enter();
    QCOMPARE(Row(*h, 2, 1, 5), QStringList({"", "146.50000", "OFF", "OFF", "Wide"}));
  }

  void frequencyEntries_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("145.525") << "145.525" << false << "145.52500" << QStringList();
    QTest::newRow("2.5 kHz step") << "146.0025" << false << "146.00250" << QStringList();
    QTest::newRow("1.25 kHz refused") << "146.00125" << false << "" << QStringList{kStep};
    QTest::newRow("145.5237 refused") << "145.5237" << true << "" << QStringList{kStep};
    QTest::newRow("66.99 refused") << "66.99" << false << "" << QStringList{kRange};
    QTest::newRow("521.00001 refused") << "521.00001" << true << "" << QStringList{kRange};
    QTest::newRow("521 accepted") << "521" << false << "521.00000" << QStringList();
    QTest::newRow("67 accepted") << "67" << true << "67.00000" << QStringList();
    QTest::newRow("letter refused") << "x" << false << "" << QStringList{kRange};
    QTest::newRow("digits then letters") << "14x" << true << "" << QStringList{kRange};
  }
  void frequencyEntries() {
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    QFETCH(QString, cell);
    QFETCH(QStringList, messages);
    h->click(7, 1);
    h->type(typed);
    if (byEnter) h->enter();
    else h->click(9, 5);
    QCOMPARE(h->cell(7, 1), cell);
    QCOMPARE(boxes->texts, messages);
    for (const QString& title : boxes->titles) QCOMPARE(title, QString("Velmar Test"));
    // A refused entry leaves no channel behind.
    if (cell.isEmpty()) QCOMPARE(Row(*h, 7, 2, 12), QStringList(11, QString()));
  }

  // A letter cannot start a frequency: the prompt comes, the editor stays
  // shut and the cell keeps its value.
  void letterOnAFrequencyCellIsRefused() {
    h->putChannel(3, 14552500, 14552500);
    h->view->initialUpdate();
    h->grid()->SetRow(3);
    h->grid()->SetCol(2);
    h->grid()->setFocus();
    QTest::keyClick(h->grid(), 'k');
    QCOMPARE(boxes->texts, QStringList{kNumber});
    QVERIFY(!h->freqEdit()->isVisible());
    QCOMPARE(h->focus(), static_cast<QWidget*>(h->grid()));
    h->enter();
    h->click(9, 5);
    QCOMPARE(boxes->texts, QStringList{kNumber});
    QCOMPARE(h->cell(3, 2), QString("145.52500"));
  }

  void typedDigitReplacesAFilledCell() {
    h->putChannel(4, 14552500, 14552500);
    h->view->initialUpdate();
    h->grid()->SetRow(4);
    h->grid()->SetCol(1);
    h->grid()->setFocus();
    QTest::keyClick(h->grid(), '4');
    QCOMPARE(h->freqEdit()->text(), QString("4"));
    h->type("30.1");
    h->enter();
    QCOMPARE(Row(*h, 4, 1, 2), QStringList({"430.10000", "145.52500"}));  // the other side is never adjusted
  }

  void clickSelectsTheWholeText() {
    h->putChannel(4, 14552500, 14552500);
    h->view->initialUpdate();
    h->click(4, 2);
    QCOMPARE(h->freqEdit()->text(), QString("145.52500"));
    QCOMPARE(h->freqEdit()->selectedText(), QString("145.52500"));
    // The editor lies over the cell: 3 pixels up and left, the cell's size.
    const QRect cell = h->grid()->cellRect(4, 2);
    QCOMPARE(h->freqEdit()->geometry(), QRect(cell.left() - 3, cell.top() - 3, cell.width(), cell.height()));
  }

  void clickBesideTheEditorKeepsTheTypedText() {
    h->putChannel(4, 14552500, 14552500);
    h->view->initialUpdate();
    h->click(4, 1);
    h->type("430");
    // The editor lies 3 pixels up and left of the cell: its lower right
    // corner leaves the grid's own cell uncovered.
    const QRect cell = h->grid()->cellRect(4, 1);
    QTest::mouseClick(h->grid()->viewport(), Qt::LeftButton, {}, cell.bottomRight() - QPoint(1, 1));
    QCOMPARE(h->freqEdit()->text(), QString("430"));
    QVERIFY(h->freqEdit()->isVisible());
    h->enter();
    QCOMPARE(h->cell(4, 1), QString("430.00000"));
  }

  void clearingAndDeletion() {
    h->putChannel(3, 14552500, 14600000, "67.0", "D023N");
    h->view->initialUpdate();
    // Clearing the receive frequency clears only it and the receive tone.
    h->click(3, 1);
    h->key(Qt::Key_Backspace);
    h->enter();
    QCOMPARE(Row(*h, 3, 1, 4), QStringList({"", "146.00000", "", "D023N"}));
    QCOMPARE(h->cell(3, 12), QString(">>"));
    // Enter went on to the transmit frequency, its text selected: clearing
    // it as well deletes the channel.
    QCOMPARE(h->freqEdit()->selectedText(), QString("146.00000"));
    h->key(Qt::Key_Backspace);
    h->click(5, 5);
    QCOMPARE(Row(*h, 3, 1, 12), QStringList(12, QString()));
    QVERIFY(boxes->texts.isEmpty());
    QCOMPARE(h->cell(3, 0), QString("3"));
  }

  // --- Enter routing -------------------------------------------------------

  void enterFromBusyLockToNameToNextRow() {
    h->putChannel(5, 14552500, 14552500);
    h->view->initialUpdate();
    h->click(5, 10);
    QCOMPARE(h->visibleEditors(), QStringList({"list61453"}));
    h->key(Qt::Key_Down);  // "Close" -> "Carrier"
    h->enter();
    QCOMPARE(h->cell(5, 10), QString("Carrier"));
    QCOMPARE(h->visibleEditors(), QStringList({"nameEdit"}));
    QCOMPARE(h->grid()->GetRow(), 5);
    QCOMPARE(h->grid()->GetCol(), 11);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h->nameEdit()));
    h->type("ab1");
    h->enter();
    QCOMPARE(h->cell(5, 11), QString("AB1"));
    QCOMPARE(h->grid()->GetRow(), 6);
    QCOMPARE(h->grid()->GetCol(), 1);
    QCOMPARE(h->visibleEditors(), QStringList({"frequencyEdit"}));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h->freqEdit()));
  }

  void enterWalksAcrossTheColumns() {
    h->click(2, 1);
    h->type("145.525");
    const char* editors[] = {"frequencyEdit", "toneBox",   "toneBox",   "list61452", "list61450",
                             "list61449",     "list61448", "list61451", "list61453", "nameEdit"};
    for (int col = 2; col <= 11; ++col) {
      h->enter();
      QCOMPARE(h->grid()->GetRow(), 2);
      QCOMPARE(h->grid()->GetCol(), col);
      QCOMPARE(h->visibleEditors(), QStringList({editors[col - 2]}));
    }
    h->enter();
    QCOMPARE(h->grid()->GetRow(), 3);
    QCOMPARE(h->grid()->GetCol(), 1);
    // Nothing was changed on the way.
    QCOMPARE(Row(*h, 2, 1, 12), QStringList({"145.52500", "145.52500", "OFF", "OFF", "Wide", "Yes", "High", "DTMF",
                                             "ON", "Close", "", ">>"}));
  }

  void enterOnTheLastRowTabsOutOfTheList() {
    h->putChannel(128, 14552500, 14552500);
    h->view->initialUpdate();
    h->click(128, 6);
    h->key(Qt::Key_Down);  // "Yes" -> "No"
    h->enter();
    QCOMPARE(h->cell(128, 6), QString("No"));
    QVERIFY(h->visibleEditors().isEmpty());
    QCOMPARE(h->grid()->GetRow(), 128);
    QCOMPARE(h->grid()->GetCol(), 6);
    QVERIFY(!h->grid()->hasFocus());
  }

  void enterOnTheGrid_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("after");
    QTest::addColumn<bool>("gridKeepsFocus");
    QTest::newRow("column 5: right") << 5 << 6 << true;
    QTest::newRow("column 6: tab") << 6 << 6 << false;
    QTest::newRow("column 11: right") << 11 << 12 << true;
  }
  void enterOnTheGrid() {
    QFETCH(int, col);
    QFETCH(int, after);
    QFETCH(bool, gridKeepsFocus);
    h->grid()->SetRow(9);
    h->grid()->SetCol(col);
    h->grid()->setFocus();
    QTest::keyClick(h->grid(), Qt::Key_Return);
    QCOMPARE(h->grid()->GetCol(), after);
    QCOMPARE(h->grid()->hasFocus(), gridKeepsFocus);
    QVERIFY(h->visibleEditors().isEmpty());
  }

  void enterOnAnotherControlTabs() {
    h->field(1019)->setFocus();
    h->enter();
    QVERIFY(QApplication::focusWidget() != h->field(1019));
  }

  // --- Tone box ------------------------------------------------------------

  void toneBoxTypedText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("refused");
    QTest::newRow("entry by enter") << "67.0" << true << "67.0" << false;
    QTest::newRow("entry on leaving") << "254.1" << false << "254.1" << false;
    QTest::newRow("no entry by enter") << "68.0" << true << "OFF" << true;
    QTest::newRow("no entry on leaving") << "12" << false << "OFF" << true;
    QTest::newRow("a tone without its tenth") << "67" << true << "67.0" << false;
    QTest::newRow("DCS by enter") << "D023N" << true << "D023N" << false;
  }
  void toneBoxTypedText() {
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    QFETCH(QString, cell);
    h->putChannel(8, 14552500, 14552500);
    h->view->initialUpdate();
    h->grid()->SetRow(8);
    h->grid()->SetCol(4);
    h->grid()->setFocus();
    h->type(typed);
    QCOMPARE(h->toneBox()->currentText(), typed);
    if (byEnter) {
      h->enter();
      QCOMPARE(h->grid()->GetCol(), 5);  // on to the next column
    } else {
      h->click(10, 10);
    }
    QFETCH(bool, refused);
    QCOMPARE(h->cell(8, 4), cell);
    QStringList expected;
    if (!typed.at(0).isDigit()) expected << kNumber;
    if (refused)
      expected << QStringLiteral("\"%1\" is not a tone. Choose a tone from the list, or OFF; the cell keeps its tone.").arg(typed);
    QCOMPARE(boxes->texts, expected);
  }

  void toneBoxLoadsTheCellsEntry() {
    h->putChannel(8, 14552500, 14552500, "D754I", "OFF");
    h->view->initialUpdate();
    h->click(8, 3);
    QCOMPARE(h->toneBox()->currentText(), QString("D754I"));
    QCOMPARE(h->toneBox()->currentIndex(), 260);
    QCOMPARE(h->toneBox()->count(), 261);
    h->click(8, 4);
    QCOMPARE(h->toneBox()->currentIndex(), 0);
    QCOMPARE(h->cell(8, 3), QString("D754I"));
  }

  void toneBoxStaysAboveTheGrid() {
    h->putChannel(8, 14552500, 14552500);
    h->view->initialUpdate();
    h->click(8, 3);
    h->view->repaint();
    h->grid()->repaint();
    QWidget* top = h->grid()->editorParent()->childAt(h->toneBox()->geometry().center());
    QVERIFY(top == h->toneBox() || h->toneBox()->isAncestorOf(top));
    // The box is as high as the cell; its list gets 100 pixels.
    QCOMPARE(h->toneBox()->height(), h->grid()->cellRect(8, 3).height());
  }

  // --- Lists ---------------------------------------------------------------

  void listOnRows_data() {
    QTest::addColumn<bool>("inUse");
    QTest::addColumn<QString>("cell");
    QTest::newRow("unused row stays empty") << false << "";
    QTest::newRow("row in use") << true << "QT/DQT";
  }
  void listOnRows() {
    QFETCH(bool, inUse);
    QFETCH(QString, cell);
    if (inUse) h->putChannel(7, 14552500, 14552500);
    h->view->initialUpdate();
    h->click(7, 10);
    QComboBox* list = h->list(61453);
    QVERIFY(list->isVisible());
    h->key(Qt::Key_End);  // the last entry, "QT/DQT"
    QCOMPARE(list->currentText(), QString("QT/DQT"));
    h->click(7, 9);
    QCOMPARE(h->cell(7, 10), cell);
    QVERIFY(!list->isVisible());
  }

  void typedKeysOnAList() {
    h->putChannel(7, 14552500, 14552500);
    h->view->initialUpdate();
    h->grid()->SetRow(7);
    h->grid()->SetCol(7);
    h->grid()->setFocus();
    QTest::keyClick(h->grid(), '3');
    QVERIFY(boxes->texts.isEmpty());
    QVERIFY(h->list(61449)->isVisible());
    QCOMPARE(h->list(61449)->currentText(), h->cell(7, 7));  // loaded from the cell, not from the key
    QCOMPARE(h->cell(7, 7), QString("High"));
  }

  // --- Name editor ---------------------------------------------------------

  void nameEditKeys_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("upper case") << "ab12" << "AB12";
    QTest::newRow("minus and blank") << "a- b" << "A- B";
    QTest::newRow("punctuation discarded") << "a!b.c,d" << "ABCD";
    QTest::newRow("six characters at most") << "abcdefgh" << "ABCDEF";
  }
  void nameEditKeys() {
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    h->putChannel(2, 14552500, 14552500);
    h->view->initialUpdate();
    h->click(2, 11);
    h->type(typed);
    QCOMPARE(h->nameEdit()->text(), expected);
    h->click(4, 4);
    QCOMPARE(h->cell(2, 11), expected);
  }

  void nameEditNavigationKeysDoNothing() {
    h->click(2, 11);
    h->type("abc");
    h->key(Qt::Key_Left);
    h->key(Qt::Key_Home);
    h->key(Qt::Key_Delete);
    h->type("d");
    QCOMPARE(h->nameEdit()->text(), QString("ABCD"));
    h->key(Qt::Key_Backspace);
    h->key(Qt::Key_5, Qt::KeypadModifier);
    QCOMPARE(h->nameEdit()->text(), QString("ABC5"));
  }

  void nameOnAnUnusedRowIsKept() {
    h->click(6, 11);
    h->type("x1");
    h->enter();
    QCOMPARE(h->cell(6, 11), QString("X1"));
  }

  void longStoredNameIsKeptUnlessEdited() {
    // Name of channel 3: "ABCDEFGH", eight characters.
    vel::StoreNameText("ABCDEFGH", &h->image[*fam().nameAddr + 8 * 2]);
    h->putChannel(3, 14552500, 14552500);
    h->view->initialUpdate();
    QCOMPARE(h->cell(3, 11), QString("ABCDEFGH"));
    h->click(3, 11);
    QCOMPARE(h->nameEdit()->text(), QString("ABCDEFGH"));
    h->type("Z");  // the whole text is selected: typing replaces it
    QCOMPARE(h->nameEdit()->text(), QString("Z"));
    h->view->initialUpdate();
    h->click(3, 11);
    // Arrow keys do nothing in the name edit: the caret goes behind the
    // text by a click.
    QTest::mouseClick(h->nameEdit(), Qt::LeftButton, {}, QPoint(h->nameEdit()->width() - 2, h->nameEdit()->height() / 2));
    QVERIFY(!h->nameEdit()->hasSelectedText());
    h->type("IJ");  // longer than the limit: no more typing
    QCOMPARE(h->nameEdit()->text(), QString("ABCDEFGH"));
    h->click(5, 5);
    QCOMPARE(h->cell(3, 11), QString("ABCDEFGH"));
    const vel::Image stored = h->view->storedImage();
    const int at = *fam().nameAddr + 8 * 2;
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&stored[at]), 8),
             QByteArray(reinterpret_cast<const char*>(&h->image[at]), 8));
  }

  void typedLetterOnANameCell() {
    h->grid()->SetRow(2);
    h->grid()->SetCol(11);
    h->grid()->setFocus();
    QTest::keyClick(h->grid(), 'q');
    QCOMPARE(boxes->texts, QStringList{kNumber});
    QCOMPARE(h->nameEdit()->text(), QString("Q"));
  }

  // --- Other keys and clicks ----------------------------------------------

  void controlKeysAndTheMoreColumnOpenNoEditor_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("key");
    QTest::newRow("backspace on a frequency") << 1 << int(Qt::Key_Backspace);
    QTest::newRow("escape on a list") << 6 << int(Qt::Key_Escape);
    QTest::newRow("digit on More") << 12 << int(Qt::Key_5);
  }
  void controlKeysAndTheMoreColumnOpenNoEditor() {
    QFETCH(int, col);
    QFETCH(int, key);
    h->putChannel(2, 14552500, 14552500);
    h->view->initialUpdate();
    h->grid()->SetRow(2);
    h->grid()->SetCol(col);
    h->grid()->setFocus();
    QTest::keyClick(h->grid(), Qt::Key(key));
    QVERIFY(h->visibleEditors().isEmpty());
    QVERIFY(boxes->texts.isEmpty());
    QCOMPARE(h->cell(2, 1), QString("145.52500"));
  }

  void rightClickOpensNoEditor() {
    QTest::mouseClick(h->grid()->viewport(), Qt::RightButton, {}, h->centreOf(3, 3));
    QVERIFY(h->visibleEditors().isEmpty());
  }

  // --- Scrolling -----------------------------------------------------------

  void scrollHidesEditorsButNotTheNameEdit_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<bool>("staysVisible");
    QTest::newRow("frequency") << 1 << false;
    QTest::newRow("tone") << 3 << false;
    QTest::newRow("list") << 9 << false;
    QTest::newRow("name") << 11 << true;
  }
  void scrollHidesEditorsButNotTheNameEdit() {
    QFETCH(int, col);
    QFETCH(bool, staysVisible);
    h->putChannel(2, 14552500, 14552500);
    h->view->initialUpdate();
    h->click(2, col);
    QCOMPARE(h->visibleEditors().size(), 1);
    const QPoint at = h->centreOf(6, 6);
    QWheelEvent wheel(at, h->grid()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(h->grid()->viewport(), &wheel);
    QVERIFY(h->grid()->GetTopRow() > 1);
    QCOMPARE(h->visibleEditors().size(), staysVisible ? 1 : 0);
  }

  void scrollKeepsWhatWasTyped() {
    h->click(2, 1);
    h->type("145.5");
    QWheelEvent wheel(QPointF(50, 50), h->grid()->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(h->grid()->viewport(), &wheel);
    QVERIFY(h->visibleEditors().isEmpty());
    QCOMPARE(h->cell(2, 1), QString("145.50000"));
    QCOMPARE(h->cell(2, 2), QString("145.50000"));
  }

  // --- Commands ------------------------------------------------------------

  void editData() {
    h->grid()->SetRow(40);
    h->grid()->SetCol(7);
    h->view->editData();
    QCOMPARE(boxes->texts, QStringList{"Please directly double click inside the table"});
    QCOMPARE(h->grid()->GetRow(), 1);
    QCOMPARE(h->grid()->GetCol(), 1);
    QVERIFY(!h->grid()->cellRect(1, 1).isEmpty());
  }

  void editDataCommitsTheOpenEditorToItsOwnCell() {
    h->click(5, 1);
    h->type("430.1");
    h->view->editData();
    QCOMPARE(h->cell(5, 1), QString("430.10000"));
    QVERIFY(h->cell(1, 1).isEmpty());
    QVERIFY(h->visibleEditors().isEmpty());
  }

  void commitCurrentCell() {
    h->click(5, 2);
    h->type("430.1");
    h->view->commitCurrentCell();
    QCOMPARE(h->cell(5, 2), QString("430.10000"));
    QVERIFY(h->visibleEditors().isEmpty());
    QCOMPARE(h->view->table().at(5, 2), std::string("430.10000"));
  }

  void doubleClick_data() {
    QTest::addColumn<bool>("bothFrequencies");
    QTest::newRow("channel with both frequencies") << true;
    QTest::newRow("channel with only a transmit frequency") << false;
  }
  void doubleClick() {
    QFETCH(bool, bothFrequencies);
    h->putChannel(6, bothFrequencies ? 14552500 : 0, 14552500);
    h->view->initialUpdate();
    // An edit in the grid that a store must carry into the image first.
    h->click(6, 2);
    h->type("146");
    h->click(6, 12);
    QList<int> rows;
    vel::Image seen;
    h->view->setChannelDialogHandler([&](int row) {
      rows << row;
      seen = h->image;
    });
    QTest::mouseDClick(h->grid()->viewport(), Qt::LeftButton, {}, h->centreOf(6, 12));
    if (bothFrequencies) {
      QCOMPARE(rows, QList<int>{6});
      QCOMPARE(h->view->signallingRow(), 6);
      const std::size_t rec = fam().recordAddr(6);
      QCOMPARE(vel::FrequencyUnitsOf(&seen[rec + 4]), 14600000LL);  // stored before the dialog opened
    } else {
      QVERIFY(rows.isEmpty());
      QCOMPARE(h->view->signallingRow(), 0);
    }
  }

  // --- Status-bar hints ------------------------------------------------------

  void statusHints_data() {
    QTest::addColumn<QString>("over");
    QTest::addColumn<QString>("hint");
    const QString list = QStringLiteral("Please click the CommBox to choose value，For help，please press F1");
    const QString grid = QStringLiteral("Please Click the cell to edit or input data，For help，please press F1");
    const QString elsewhere = QStringLiteral("For help，please press F1");
    QTest::newRow("Field list") << "field" << list;
    QTest::newRow("Manul Setting list") << "manual" << list;
    QTest::newRow("grid cell") << "grid" << grid;
    QTest::newRow("grid header") << "header" << grid;
    QTest::newRow("tone box over the grid") << "tone" << list;
    QTest::newRow("frequency edit over the grid") << "frequency" << elsewhere;
    QTest::newRow("form margin") << "margin" << elsewhere;
    QTest::newRow("group box") << "group" << elsewhere;
  }
  void statusHints() {
    QFETCH(QString, over);
    QFETCH(QString, hint);
    h->putChannel(3, 14552500, 14552500);
    h->view->initialUpdate();
    QWidget* target = nullptr;
    QPoint at;
    if (over == "field") target = h->field(1011);
    if (over == "manual") target = h->field(1019);
    if (over == "grid") at = h->centreOf(3, 3), target = h->grid()->viewport();
    if (over == "header") at = h->centreOf(0, 3), target = h->grid()->viewport();
    if (over == "tone" || over == "frequency") {
      h->click(3, over == "tone" ? 4 : 1);
      target = over == "tone" ? static_cast<QWidget*>(h->toneBox()) : h->freqEdit();
    }
    if (over == "margin") target = h->view.get(), at = QPoint(2, h->view->height() - 2);
    if (over == "group") target = h->view->findChild<QWidget*>("typeSetting"), at = QPoint(3, 3);
    QVERIFY(target);
    if (at.isNull()) at = target->rect().center();
    // No button is held (a double click of another test may leave one).
    QTest::mouseRelease(h->grid()->viewport(), Qt::LeftButton, {}, h->centreOf(8, 8));
    QSignalSpy hints(h->view.get(), &CVelView::statusHint);
    // Come from somewhere else, so that the cursor really enters the target.
    QTest::mouseMove(h->grid()->viewport(), h->centreOf(8, 8));
    QTest::mouseMove(h->field(1017));
    QTest::mouseMove(target, at);
    QVERIFY(!hints.isEmpty());
    QCOMPARE(hints.last().at(0).toString(), hint);
  }

  // --- Store ---------------------------------------------------------------

  void storeGivesVelcoresBytes() {
    h->putChannel(9, 43010000, 43510000, "D023N", "88.5");
    h->view->initialUpdate();
    // Through the view.
    h->click(1, 1);
    h->type("145.525");
    h->enter();  // -> transmit frequency
    h->enter();  // -> receive tone
    h->type("67.0");
    h->enter();  // -> transmit tone
    h->enter();  // -> bandwidth
    h->key(Qt::Key_Down);  // Narrow
    h->enter();  // -> scan
    h->click(9, 10);
    h->key(Qt::Key_End);  // QT/DQT
    h->enter();  // -> name
    h->type("r-9");
    h->enter();  // -> receive frequency of row 10
    h->click(20, 7);

    // Through velcore alone, the same edits.
    vel::ChannelTable t = vel::NewChannelTable(fam(), vel::Lang::English);
    vel::Image expected = h->image;
    vel::FillChannelGrid(fam(), vel::Lang::English, expected, t);
    vel::CommitFrequency(fam(), vel::Lang::English, t, 1, 1, "145.525", vel::CommitKey::Enter);
    vel::CommitToneCell(t, 1, 3, "67.0");
    vel::CommitListCell(t, 1, 5, "Narrow");
    vel::CommitListCell(t, 9, 10, "QT/DQT");
    vel::CommitNameCell(t, 9, 11, "R-9");
    vel::StoreChannelGrid(fam(), t, expected);

    const vel::Image before = h->image;
    const vel::Image viaView = h->view->storedImage();
    QVERIFY(h->image == before);  // storedImage leaves the document alone
    QVERIFY(viaView == expected);
    h->view->storeChannelGrid();
    QVERIFY(h->image == expected);

    // Known bytes of channel 1: 145.525 both ways, 67.0 / OFF, DTMF with
    // PTT ID on, high power, narrow, scan, busy lock closed.
    const std::vector<vel::Byte> record1 = {0x00, 0x25, 0x55, 0x14, 0x00, 0x25, 0x55, 0x14,
                                            0x70, 0x06, 0xFF, 0xFF, 0x42, 0xE9};
    QCOMPARE(std::vector<vel::Byte>(h->image.begin(), h->image.begin() + 14), record1);
    QCOMPARE(int(h->image[0x811]), 0xA8);
  }

  void messagesGoThroughTheHookWithTheApplicationsTitle() {
    QList<velui::MessageRequest> seen;
    velui::setMessageHook([&](const velui::MessageRequest& r) {
      seen << r;
      return QMessageBox::Ok;
    });
    h->view->setWindowTitle("Velmar Programing Software");
    h->click(2, 1);
    h->type("66.99");
    h->enter();
    h->view->setMessageTitle("Given Title");
    h->view->editData();
    velui::setMessageHook({});
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0].title, QString("Velmar Programing Software"));
    QCOMPARE(seen[0].text, kRange);
    QCOMPARE(seen[0].icon, QMessageBox::Warning);
    QCOMPARE(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen[1].title, QString("Given Title"));
    QVERIFY(boxes->texts.isEmpty());
  }

  void formListsReachTheImageOnStore() {
    h->field(1011)->setCurrentIndex(9);
    h->field(1019)->setCurrentIndex(1);
    h->view->storeChannelGrid();
    QCOMPARE(int(h->image[0x80A]), 0xF7);
    QCOMPARE(int(h->image[0x812] & 0x80), 0);
  }
};

QTEST_MAIN(VelViewTest)
#include "vel_view_test.moc"

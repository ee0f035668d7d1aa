// The grid's operations and events as its owners rely on them.

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "table/ui/cmsflexgrid.h"

class CMSFlexGridTest : public QObject {
  Q_OBJECT

  CMSFlexGrid* grid = nullptr;
  QStringList events;

  void record() {
    events.clear();
    connect(grid, &CMSFlexGrid::LeaveCell, this,
            [this] { events << QStringLiteral("leave %1,%2").arg(grid->GetRow()).arg(grid->GetCol()); });
    connect(grid, &CMSFlexGrid::EnterCell, this,
            [this] { events << QStringLiteral("enter %1,%2").arg(grid->GetRow()).arg(grid->GetCol()); });
    connect(grid, &CMSFlexGrid::MouseDown, this, [this](short b, short, int, int) {
      events << QStringLiteral("down %1 at %2,%3").arg(b).arg(grid->GetRow()).arg(grid->GetCol());
    });
    connect(grid, &CMSFlexGrid::DblClick, this,
            [this] { events << QStringLiteral("dblclick %1,%2").arg(grid->GetRow()).arg(grid->GetCol()); });
  }

  QPoint centreOf(int row, int col) {
    grid->ShowCell(row, col);
    return grid->cellRect(row, col).center();
  }

private slots:
  void init() {
    grid = new CMSFlexGrid;
    grid->SetRows(129);
    grid->SetCols(13);
    grid->SetFixedRows(1);
    grid->SetFixedCols(1);
    grid->resize(600, 300);
    grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid));
    record();
  }
  void cleanup() {
    delete grid;
    grid = nullptr;
  }

  void textMatrixHoldsExactlyWhatWasWritten_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("text");
    QTest::newRow("corner") << 0 << 0 << "CH";
    QTest::newRow("header") << 0 << 5 << " W/N ";
    QTest::newRow("row number") << 128 << 0 << "128";
    QTest::newRow("cell") << 1 << 1 << "145.52500";
    QTest::newRow("chinese") << 7 << 10 << "关闭";
    QTest::newRow("last") << 128 << 12 << ">>";
  }
  void textMatrixHoldsExactlyWhatWasWritten() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, text);
    grid->SetTextMatrix(row, col, text);
    QCOMPARE(grid->GetTextMatrix(row, col), text);
    // Only that cell changed.
    int nonEmpty = 0;
    for (int r = 0; r < grid->GetRows(); ++r)
      for (int c = 0; c < grid->GetCols(); ++c) nonEmpty += grid->GetTextMatrix(r, c).isEmpty() ? 0 : 1;
    QCOMPARE(nonEmpty, 1);
    QVERIFY(grid->GetTextMatrix(-1, 0).isEmpty());
    QVERIFY(grid->GetTextMatrix(0, 13).isEmpty());
  }

  // Whole rows are selected on the row numbers: a click selects one, Shift
  // extends from the first, Ctrl adds or removes one, a drag selects the
  // rows passed; Shift+arrows extend by rows, Shift+Space selects the
  // current row, and any other move ends the row selection.
  void rowSelection_data() {
    QTest::addColumn<QString>("steps");   // click R, shift R, ctrl R, drag A-B, key up|down|shiftdown|shiftspace|right
    QTest::addColumn<QString>("rows");
    QTest::addColumn<int>("currentRow");
    QTest::newRow("click") << "click 3" << "3" << 3;
    QTest::newRow("shift extends") << "click 3,shift 6" << "3 4 5 6" << 6;
    QTest::newRow("shift upwards") << "click 6,shift 4" << "4 5 6" << 4;
    QTest::newRow("ctrl adds") << "click 3,ctrl 7" << "3 7" << 7;
    QTest::newRow("ctrl removes") << "click 3,shift 5,ctrl 4" << "3 5" << 4;
    QTest::newRow("drag") << "drag 2-5" << "2 3 4 5" << 2;
    QTest::newRow("shift+down extends") << "click 3,key shiftdown,key shiftdown" << "3 4 5" << 3;
    QTest::newRow("arrow ends it") << "click 3,key down" << "" << 4;
    QTest::newRow("cell click ends it") << "click 3,cell 5" << "" << 5;
    QTest::newRow("shift+space") << "cell 8,key shiftspace" << "8" << 8;
  }
  void rowSelection() {
    QFETCH(QString, steps);
    QFETCH(QString, rows);
    QFETCH(int, currentRow);
    QSignalSpy changed(grid, &CMSFlexGrid::RowSelectionChanged);
    QWidget* vp = grid->editorParent();
    for (const QString& step : steps.split(',')) {
      const QString what = step.section(' ', 0, 0), arg = step.section(' ', 1);
      if (what == "click") QTest::mouseClick(vp, Qt::LeftButton, {}, centreOf(arg.toInt(), 0));
      if (what == "shift") QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, centreOf(arg.toInt(), 0));
      if (what == "ctrl") QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, centreOf(arg.toInt(), 0));
      if (what == "cell") QTest::mouseClick(vp, Qt::LeftButton, {}, centreOf(arg.toInt(), 2));
      if (what == "drag") {
        const int from = arg.section('-', 0, 0).toInt(), to = arg.section('-', 1, 1).toInt();
        QTest::mousePress(vp, Qt::LeftButton, {}, centreOf(from, 0));
        for (int r = from + 1; r <= to; ++r) {
          QMouseEvent move(QEvent::MouseMove, centreOf(r, 0), vp->mapToGlobal(centreOf(r, 0)), Qt::NoButton,
                           Qt::LeftButton, Qt::NoModifier);
          QApplication::sendEvent(vp, &move);
        }
        QTest::mouseRelease(vp, Qt::LeftButton, {}, centreOf(to, 0));
      }
      if (what == "key") {
        if (arg == "up") QTest::keyClick(grid, Qt::Key_Up);
        if (arg == "down") QTest::keyClick(grid, Qt::Key_Down);
        if (arg == "shiftdown") QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        if (arg == "shiftspace") QTest::keyClick(grid, Qt::Key_Space, Qt::ShiftModifier);
      }
    }
    QStringList got;
    for (int r : grid->GetSelectedRows()) got << QString::number(r);
    QCOMPARE(got.join(' '), rows);
    QCOMPARE(grid->GetRow(), currentRow);
    QVERIFY(!changed.isEmpty());
    // A row number press never raises a click on a cell of column 0.
    QVERIFY(grid->GetCol() >= 1);
  }

  void textIsTheCurrentCell() {
    grid->SetRow(3);
    grid->SetCol(4);
    grid->SetText("67.0");
    QCOMPARE(grid->GetTextMatrix(3, 4), QString("67.0"));
    QCOMPARE(grid->GetText(), QString("67.0"));
  }

  void puttingRowAndColRaisesNoEvents() {
    grid->SetRow(10);
    grid->SetCol(7);
    QCOMPARE(grid->GetRow(), 10);
    QCOMPARE(grid->GetCol(), 7);
    QCOMPARE(grid->GetRowSel(), 10);
    QCOMPARE(grid->GetColSel(), 7);
    QVERIFY(events.isEmpty());
    // Fixed cells cannot become current.
    grid->SetRow(0);
    grid->SetCol(0);
    QCOMPARE(grid->GetRow(), 1);
    QCOMPARE(grid->GetCol(), 1);
  }

  void arrowKeysLeaveThenEnter_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::newRow("right") << int(Qt::Key_Right) << 5 << 6;
    QTest::newRow("left") << int(Qt::Key_Left) << 5 << 4;
    QTest::newRow("up") << int(Qt::Key_Up) << 4 << 5;
    QTest::newRow("down") << int(Qt::Key_Down) << 6 << 5;
    QTest::newRow("home") << int(Qt::Key_Home) << 5 << 1;
    QTest::newRow("end") << int(Qt::Key_End) << 5 << 12;
  }
  void arrowKeysLeaveThenEnter() {
    QFETCH(int, key);
    QFETCH(int, row);
    QFETCH(int, col);
    grid->SetRow(5);
    grid->SetCol(5);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key(key));
    QCOMPARE(events, QStringList({"leave 5,5", QStringLiteral("enter %1,%2").arg(row).arg(col)}));
  }

  void arrowsStopAtTheFixedCells() {
    grid->SetRow(1);
    grid->SetCol(1);
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Left);
    QCOMPARE(grid->GetRow(), 1);
    QCOMPARE(grid->GetCol(), 1);
    QVERIFY(events.isEmpty());
  }

  void mouseDownFollowsTheMove() {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(3, 2));
    QCOMPARE(events, QStringList({"leave 1,1", "enter 3,2", "down 1 at 3,2"}));
    events.clear();
    // The right button does not move the current cell.
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, centreOf(4, 4));
    QCOMPARE(events, QStringList({"down 2 at 3,2"}));
    QCOMPARE(grid->GetMouseRow(), 4);
    QCOMPARE(grid->GetMouseCol(), 4);
    events.clear();
    // A press on a header reports where it was but moves nothing.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(0, 4));
    QCOMPARE(events, QStringList({"down 1 at 3,2"}));
    QCOMPARE(grid->GetMouseRow(), 0);
  }

  void doubleClickOnACell() {
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centreOf(2, 12));
    QVERIFY(events.contains("dblclick 2,12"));
  }

  void keyPressCarriesTheCharacterAndNavigationKeysDoNot() {
    QList<int> codes;
    connect(grid, &CMSFlexGrid::KeyPress, this, [&](int& k) { codes << k; });
    QTest::keyClick(grid, '7');
    QTest::keyClick(grid, 'a');
    QTest::sendKeyEvent(QTest::Click, grid, Qt::Key_unknown, QString::fromUtf8("频"), {});
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(codes, QList<int>({'7', 'a', 0x9891}));
  }

  void widthsAndHeightsAreTwips() {
    QCOMPARE(grid->GetColWidth(2), grid->GetDefaultColWidth());
    grid->SetColWidth(2, 1152);
    QCOMPARE(grid->GetColWidth(2), 1152L);
    grid->SetRowHeight(2, 300);
    QCOMPARE(grid->GetRowHeight(2), 300L);
    // 1440 twips to the inch at the grid's logical resolution.
    QCOMPARE(grid->cellRect(2, 2).width(), int(1152L * grid->logicalDpiX() / 1440));
    QCOMPARE(grid->cellRect(2, 2).height(), int(300L * grid->logicalDpiY() / 1440));
    grid->SetColAlignment(3, CMSFlexGrid::CenterCenter);
    QCOMPARE(grid->GetColAlignment(3), short(4));
  }

  void cellGeometryFollowsScrolling() {
    for (int c = 0; c < 13; ++c) grid->SetColWidth(c, 960);
    for (int r = 0; r < 129; ++r) grid->SetRowHeight(r, 300);
    grid->SetRow(3);
    grid->SetCol(2);
    const long rowTwips = 300, colTwips = 960;
    QCOMPARE(grid->GetCellLeft(), grid->twipsX(grid->pixelsX(colTwips) * 2));
    QCOMPARE(grid->GetCellTop(), grid->twipsY(grid->pixelsY(rowTwips) * 3));
    QCOMPARE(grid->GetCellWidth(), colTwips);
    QCOMPARE(grid->GetCellHeight(), rowTwips);
    QSignalSpy scrolled(grid, &CMSFlexGrid::Scroll);
    grid->SetTopRow(3);  // rows 1 and 2 scroll away; row 3 sits below the header
    QCOMPARE(scrolled.count(), 1);
    QCOMPARE(grid->GetCellTop(), grid->twipsY(grid->pixelsY(rowTwips)));
    // Row 0 and column 0 stay put.
    QCOMPARE(grid->cellRect(0, 2).top(), 0);
    QCOMPARE(grid->cellRect(3, 0).left(), 0);
    QVERIFY(grid->cellRect(1, 2).isEmpty());
  }

  void readingThePositionOfAHiddenCellScrollsItIntoView() {
    grid->SetRow(120);
    grid->SetCol(12);
    QSignalSpy scrolled(grid, &CMSFlexGrid::Scroll);
    const long top = grid->GetCellTop();
    const long left = grid->GetCellLeft();
    QVERIFY(scrolled.count() >= 1);
    const QRect shown = grid->cellRect(120, 12);
    QVERIFY(!shown.isEmpty());
    QCOMPARE(top, grid->twipsY(shown.top()));
    QCOMPARE(left, grid->twipsX(shown.left()));
    QVERIFY(grid->viewport()->rect().contains(shown));
  }

  void wheelScrollsAndSaysSo() {
    QSignalSpy scrolled(grid, &CMSFlexGrid::Scroll);
    const QPoint at = centreOf(2, 2);
    QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(grid->viewport(), &wheel);
    QCOMPARE(scrolled.count(), 1);
    QCOMPARE(grid->GetTopRow(), 4);
    QVERIFY(events.isEmpty());  // scrolling does not move the current cell
  }

  void clickOnAScrolledCellHitsThatCell() {
    grid->SetTopRow(50);
    const QRect r = grid->cellRect(52, 3);
    QVERIFY(!r.isEmpty());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(grid->GetRow(), 52);
    QCOMPARE(grid->GetCol(), 3);
  }

  void shrinkingKeepsTheCurrentCellInside() {
    grid->SetRow(100);
    grid->SetCol(12);
    grid->SetRows(17);
    grid->SetCols(9);
    QCOMPARE(grid->GetRow(), 16);
    QCOMPARE(grid->GetCol(), 8);
  }
};

QTEST_MAIN(CMSFlexGridTest)
#include "cmsflexgrid_test.moc"

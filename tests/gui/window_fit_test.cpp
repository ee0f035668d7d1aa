// The main window at start: every program's window fits the screen it opens
// on (menu bar, form and status bar visible, the grid scrolling inside),
// shows every column where the screen is wide enough, comes back where the
// user left it when that still fits, and starts with the keyboard in the
// grid.

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "shell/ui/main_frame.h"
#include "shell/ui/vel_app.h"
#include "shell/ui/vel_doc.h"
#include "shell_test_support.h"
#include "table/ui/cmsflexgrid.h"
#include "table/ui/vel_view.h"

using namespace velui;
using shelltest::MessageScript;
using shelltest::ProgramDir;

Q_DECLARE_METATYPE(vel::FamilyId)

namespace {

const QRect kLaptop(0, 0, 1366, 768);
const QRect kDesktop(0, 0, 1920, 1080);

StartupOptions ShownOn(const ProgramDir& dir, vel::FamilyId family, const QRect& area) {
    StartupOptions options = dir.options(QStringLiteral("en_US"), QString::fromStdString(vel::GetFamily(family).name));
    options.availableArea = area;
    options.show = true;
    return options;
}

/// `w`'s rectangle in the coordinates of its window.
QRect InWindow(const QWidget* w) { return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size()); }

}  // namespace

class WindowFitTest : public QObject {
    Q_OBJECT
private slots:
    void fitsTheScreen_data() {
        QTest::addColumn<vel::FamilyId>("family");
        QTest::addColumn<QRect>("area");
        for (const vel::Family* f : vel::AllFamilies()) {
            QTest::addRow("%s 1366x768", f->name.c_str()) << f->id << kLaptop;
            QTest::addRow("%s 1920x1080", f->name.c_str()) << f->id << kDesktop;
            // A panel at the top of a 1400×1000 screen.
            QTest::addRow("%s 1400x1000 panel", f->name.c_str()) << f->id << QRect(0, 30, 1400, 970);
        }
    }
    void fitsTheScreen() {
        QFETCH(vel::FamilyId, family);
        QFETCH(QRect, area);
        ProgramDir dir;
        MessageScript messages;
        CVelApp app(vel::GetFamily(family), ShownOn(dir, family, area));
        QVERIFY(app.initInstance());
        CMainFrame* frame = app.mainFrame();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        QApplication::processEvents();

        // The frame, with the title bar the window system adds, is inside the area.
        const vel::FrameMargins m = vel::kAssumedFrameMargins;
        const QRect outer(frame->pos(), frame->size().grownBy(QMargins(m.left, m.top, m.right, m.bottom)));
        QVERIFY2(area.contains(outer), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(outer.x()).arg(outer.y())
                                                     .arg(outer.width()).arg(outer.height())));
        // The program's own size where the area allows it.
        const vel::AppInfo& info = vel::GetFamily(family).app;
        QCOMPARE(frame->height(), std::min(info.windowHeight, area.height() - m.top - m.bottom));
        QVERIFY(frame->width() >= std::min(info.windowWidth, area.width() - m.left - m.right));

        // Menu bar, toolbar, the form's lists and the status bar lie inside the
        // window; the grid keeps room for rows and scrolls inside.
        const QRect inside = frame->rect();
        QVERIFY(frame->menuBar()->isVisible() && inside.contains(InWindow(frame->menuBar())));
        QVERIFY(frame->statusBar()->isVisible() && inside.contains(InWindow(frame->statusBar())));
        QVERIFY(inside.contains(InWindow(frame->commandBar())));
        for (QGroupBox* box : app.view()->findChildren<QGroupBox*>()) {
            QVERIFY2(box->isVisible(), qPrintable(box->objectName()));
            QVERIFY2(inside.contains(InWindow(box)), qPrintable(box->objectName()));
        }
        CMSFlexGrid* grid = app.view()->grid();
        QVERIFY(inside.contains(InWindow(grid)));
        QVERIFY2(grid->height() >= 5 * grid->pixelsY(grid->GetRowHeight(1)), qPrintable(QString::number(grid->height())));

        // Wide screens show every column.
        if (area.width() >= 1920) QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(messages.shown.size(), size_t(0));
    }

    // The user's last placement comes back when it fits the screen now;
    // otherwise the window opens as on a first start.
    void lastPlacement_data() {
        QTest::addColumn<QRect>("saved");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<bool>("restored");
        QTest::newRow("fits") << QRect(100, 60, 1200, 900) << kDesktop << true;
        QTest::newRow("saved on a larger screen") << QRect(100, 60, 1200, 900) << kLaptop << false;
        QTest::newRow("title bar above the screen") << QRect(100, -20, 900, 600) << kLaptop << false;
        QTest::newRow("on a screen that is gone") << QRect(2500, 100, 900, 600) << kDesktop << false;
    }
    void lastPlacement() {
        QFETCH(QRect, saved);
        QFETCH(QRect, area);
        QFETCH(bool, restored);
        ProgramDir dir;
        {
            QSettings settings(dir.path(QStringLiteral("settings.ini")), QSettings::IniFormat);
            settings.setValue(QStringLiteral("Window/Placement"), saved);
        }
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::VM_CH128), ShownOn(dir, vel::FamilyId::VM_CH128, area));
        QVERIFY(app.initInstance());
        QVERIFY(QTest::qWaitForWindowExposed(app.mainFrame()));
        const QRect now(app.mainFrame()->pos(), app.mainFrame()->size());
        if (restored) {
            QCOMPARE(now, saved);
        } else {
            QVERIFY(now != saved);
            QVERIFY(area.contains(now));
        }
    }

    void placementIsRememberedOnClose() {
        ProgramDir dir;
        MessageScript messages;
        {
            CVelApp app(vel::GetFamily(vel::FamilyId::VM_CH16), ShownOn(dir, vel::FamilyId::VM_CH16, kDesktop));
            QVERIFY(app.initInstance());
            QVERIFY(QTest::qWaitForWindowExposed(app.mainFrame()));
            app.mainFrame()->resize(900, 700);
            app.mainFrame()->move(200, 150);
            QApplication::processEvents();
            QVERIFY(app.mainFrame()->close());
        }
        QSettings settings(dir.path(QStringLiteral("settings.ini")), QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("Window/Placement")).toRect(), QRect(200, 150, 900, 700));
        QCOMPARE(settings.value(QStringLiteral("Window/Maximized")).toBool(), false);
        // The next start opens there.
        CVelApp again(vel::GetFamily(vel::FamilyId::VM_CH16), ShownOn(dir, vel::FamilyId::VM_CH16, kDesktop));
        QVERIFY(again.initInstance());
        QCOMPARE(QRect(again.mainFrame()->pos(), again.mainFrame()->size()), QRect(200, 150, 900, 700));
    }

    // The keyboard starts in the grid on channel 1's receive frequency: the
    // first keys move in the table and change no setting of the form.
    void focusStartsInTheGrid_data() {
        QTest::addColumn<vel::FamilyId>("family");
        for (const vel::Family* f : vel::AllFamilies()) QTest::addRow("%s", f->name.c_str()) << f->id;
    }
    void focusStartsInTheGrid() {
        QFETCH(vel::FamilyId, family);
        ProgramDir dir;
        MessageScript messages;
        CVelApp app(vel::GetFamily(family), ShownOn(dir, family, kDesktop));
        QVERIFY(app.initInstance());
        QVERIFY(QTest::qWaitForWindowActive(app.mainFrame()));
        CMSFlexGrid* grid = app.view()->grid();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid));
        QCOMPARE(grid->GetRow(), 1);
        QCOMPARE(grid->GetCol(), 1);

        std::map<QString, int> before;
        for (QComboBox* list : app.view()->findChildren<QComboBox*>(QRegularExpression(QStringLiteral("^field"))))
            before[list->objectName()] = list->currentIndex();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        for (QComboBox* list : app.view()->findChildren<QComboBox*>(QRegularExpression(QStringLiteral("^field"))))
            QCOMPARE(list->currentIndex(), before[list->objectName()]);
        QVERIFY(grid->GetRow() > 1);
        QVERIFY(!app.document()->isModified());

        // A file opened later starts there too.
        grid->SetRow(7);
        QVERIFY(app.onFileNew());
        QCOMPARE(grid->GetRow(), 1);
        QCOMPARE(grid->GetCol(), 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid));
    }
};

QTEST_MAIN(WindowFitTest)
#include "window_fit_test.moc"

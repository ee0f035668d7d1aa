// The main window built from its command tables: menus and their texts,
// accelerators (exactly the listed ones), status prompts, tooltips, the
// toolbar, the port check mark and what may be dropped on the window.

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <set>

#include "image/family.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_frame.h"

using namespace velui;

Q_DECLARE_METATYPE(vel::FamilyId)

namespace {

std::unique_ptr<CMainFrame> MakeFrame(vel::FamilyId id) {
    FrameLook look;
    look.title = QStringLiteral("Title");
    look.aboutItem = QString::fromStdString(vel::GetFamily(id).app.aboutMenuItem.en);
    return std::make_unique<CMainFrame>(GetFrameProfile(id), look);
}

QStringList ItemTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && a->isVisible()) texts.append(a->text());
    return texts;
}

// Every working shortcut of the window: key → command identifier.
std::set<std::pair<QString, int>> WorkingShortcuts(const QMainWindow& w) {
    std::set<std::pair<QString, int>> keys;
    for (QAction* a : w.findChildren<QAction*>())
        for (const QKeySequence& k : a->shortcuts()) keys.insert({k.toString(), a->data().toInt()});
    for (QShortcut* s : w.findChildren<QShortcut*>()) keys.insert({s->key().toString(), -1});
    return keys;
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void menuTexts_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("File") << "&File"
                              << QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "Open &Backup...", "&Save\tCtrl+S",
                                             "Save &As...", "Compare &With...", "Import C&hannels...", "Export &Channels...",
                                             "&Print...\tCtrl+P", "Print Pre&view", "P&rint Setup...", "&Export PDF...",
                                             "Recent File", "E&xit"};
        QTest::newRow("Program") << "&Program"
                                 << QStringList{"&Read From Radio\tCtrl+R", "&Write To Radio\tCtrl+W",
                                                "&Backup Before Write", "&Verify After Write",
                                                "&Test Mode\tCtrl+T", "&Edit Data\tCtrl+E",
                                                "&Optional Features\tCtrl+O", "Two Tone\tCtrl+Y"};
        QTest::newRow("Port") << "P&ort"
                              << QStringList{"COM1(&P)\tCtrl+C", "COM2(&Q)\tCtrl+D", "COM3(&S)\tCtrl+E",
                                             "COM4(&T)\tCtrl+F", "Simulated &radio"};
        QTest::newRow("View") << "&View" << QStringList{"&Toolbar", "&Status Bar"};
        QTest::newRow("Help") << "&Help" << QStringList{"&Help Topics", "&About Velmar-2.0..."};
    }
    void menuTexts() {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        QMenu* m = frame->menu(menu);
        QVERIFY2(m, qPrintable(menu));
        QCOMPARE(ItemTexts(m), items);
    }

    void menuBarOrder() {
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        QStringList titles;
        for (QAction* a : frame->menuBar()->actions()) titles.append(a->text());
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Program", "P&ort", "&View", "&Help"}));
    }

    void menuIdentifiers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("id");
        QTest::newRow("New") << "&New\tCtrl+N" << 57600;
        QTest::newRow("Open") << "&Open...\tCtrl+O" << 57601;
        QTest::newRow("Save") << "&Save\tCtrl+S" << 57603;
        QTest::newRow("Save As") << "Save &As..." << 57604;
        QTest::newRow("Print") << "&Print...\tCtrl+P" << 57607;
        QTest::newRow("Preview") << "Print Pre&view" << 57609;
        QTest::newRow("Setup") << "P&rint Setup..." << 57606;
        QTest::newRow("Export PDF") << "&Export PDF..." << 32900;
        QTest::newRow("Import Channels") << "Import C&hannels..." << 32910;
        QTest::newRow("Export Channels") << "Export &Channels..." << 32911;
        QTest::newRow("Recent") << "Recent File" << 57616;
        QTest::newRow("Open Backup") << "Open &Backup..." << int(ID_FILE_OPEN_BACKUP);
        QTest::newRow("Compare") << "Compare &With..." << int(ID_FILE_COMPARE);
        QTest::newRow("Backup") << "&Backup Before Write" << int(ID_BACKUP_BEFORE_WRITE);
        QTest::newRow("Verify") << "&Verify After Write" << int(ID_VERIFY_AFTER_WRITE);
        QTest::newRow("Exit") << "E&xit" << 57665;
        QTest::newRow("Read") << "&Read From Radio\tCtrl+R" << 32771;
        QTest::newRow("Write") << "&Write To Radio\tCtrl+W" << 32772;
        QTest::newRow("Test") << "&Test Mode\tCtrl+T" << 32778;
        QTest::newRow("Edit") << "&Edit Data\tCtrl+E" << 32780;
        QTest::newRow("Optional") << "&Optional Features\tCtrl+O" << 32784;
        QTest::newRow("TwoTone") << "Two Tone\tCtrl+Y" << 32786;
        QTest::newRow("COM1") << "COM1(&P)\tCtrl+C" << 32773;
        QTest::newRow("COM2") << "COM2(&Q)\tCtrl+D" << 32775;
        QTest::newRow("COM3") << "COM3(&S)\tCtrl+E" << 32776;
        QTest::newRow("COM4") << "COM4(&T)\tCtrl+F" << 32777;
        QTest::newRow("Simulated") << "Simulated &radio" << int(ID_PORT_SIMULATED);
        QTest::newRow("Toolbar") << "&Toolbar" << 59392;
        QTest::newRow("Status") << "&Status Bar" << 59393;
        QTest::newRow("Topics") << "&Help Topics" << 57667;
        QTest::newRow("About") << "&About Velmar-2.0..." << 57664;
    }
    void menuIdentifiers() {
        QFETCH(QString, text);
        QFETCH(int, id);
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        QAction* a = frame->action(id);
        QVERIFY(a);
        QCOMPARE(a->text(), text);
        bool inMenu = false;
        for (QAction* top : frame->menuBar()->actions())
            inMenu = inMenu || top->menu()->actions().contains(a);
        QVERIFY(inMenu);
    }

    // Only the accelerators are shortcuts; the texts after a tab are labels.
    void acceleratorsExactly_data() {
        QTest::addColumn<vel::FamilyId>("family");
        QTest::addColumn<QStringList>("keys");   // "key=id"
        const QStringList framework = {"Ctrl+N=57600", "Ctrl+O=57601", "Ctrl+P=57607", "Ctrl+S=57603",
                                       "F1=57670",     "Shift+F1=57669", "F6=57680",   "Shift+F6=57681"};
        // The Edit menu's keys: Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+D where no port
        // or command has them; Ctrl+Y for Redo where Two Tone does not.
        const QStringList edit = {"Ctrl+Z=57643",       "Ctrl+Shift+Z=57644", "Shift+Del=57635",
                                  "Ctrl+Ins=57634",     "Shift+Ins=57637",    "Ctrl+Shift+V=33101",
                                  "Ctrl+Shift+Up=33104", "Ctrl+Shift+Down=33105", "Ctrl+A=57642"};
        const QStringList letters = {"Ctrl+X=57635", "Ctrl+C=57634", "Ctrl+V=57637", "Ctrl+D=33106"};
        QTest::newRow("Velmar_V") << vel::FamilyId::Velmar_V << (framework + QStringList{"Ctrl+Y=32786"} + edit + letters);
        QTest::newRow("VM_CH128") << vel::FamilyId::VM_CH128 << (framework + edit + letters + QStringList{"Ctrl+Y=57644"});
        QTest::newRow("VM_CH118") << vel::FamilyId::VM_CH118 << (framework + edit + letters + QStringList{"Ctrl+Y=57644"});
        const QStringList sixteen = framework + edit + QStringList{"Ctrl+Y=57644"} +
                                    QStringList{"Ctrl+C=32773", "Ctrl+D=32775", "Ctrl+E=32776",
                                                "Ctrl+F=32777", "Ctrl+G=32780", "Ctrl+R=32771",
                                                "Ctrl+T=32778", "Ctrl+W=32772"};
        QTest::newRow("Marlowe") << vel::FamilyId::Marlowe << sixteen;
        QTest::newRow("VM_CH16") << vel::FamilyId::VM_CH16 << sixteen;
        QTest::newRow("VM_CH16_CN") << vel::FamilyId::VM_CH16_CN << sixteen;
    }
    void acceleratorsExactly() {
        QFETCH(vel::FamilyId, family);
        QFETCH(QStringList, keys);
        auto frame = MakeFrame(family);
        std::set<std::pair<QString, int>> expected;
        for (const QString& k : keys) {
            const QStringList parts = k.split('=');
            expected.insert({QKeySequence(parts[0]).toString(), parts[1].toInt()});
        }
        QCOMPARE(WorkingShortcuts(*frame), expected);
    }

    // Pressing keys on the shown window: accelerators run their command,
    // labels do nothing, and Ctrl+O opens a file, not the optional features.
    void keysReachCommands_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("expectedId");   // 0: no command
        QTest::newRow("Ctrl+N") << int(Qt::Key_N) << int(Qt::ControlModifier) << 57600;
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << int(Qt::ControlModifier) << 57601;
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << int(Qt::ControlModifier) << 57603;
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << int(Qt::ControlModifier) << 57607;
        QTest::newRow("Ctrl+Y") << int(Qt::Key_Y) << int(Qt::ControlModifier) << 32786;
        QTest::newRow("Shift+F1") << int(Qt::Key_F1) << int(Qt::ShiftModifier) << 57669;
        QTest::newRow("F1") << int(Qt::Key_F1) << int(Qt::NoModifier) << 57670;
        QTest::newRow("F6") << int(Qt::Key_F6) << int(Qt::NoModifier) << 57680;
        QTest::newRow("label Ctrl+R") << int(Qt::Key_R) << int(Qt::ControlModifier) << 0;
        QTest::newRow("label Ctrl+W") << int(Qt::Key_W) << int(Qt::ControlModifier) << 0;
        QTest::newRow("label Ctrl+T") << int(Qt::Key_T) << int(Qt::ControlModifier) << 0;
        QTest::newRow("label Ctrl+E") << int(Qt::Key_E) << int(Qt::ControlModifier) << 0;
        QTest::newRow("Ctrl+C copies") << int(Qt::Key_C) << int(Qt::ControlModifier) << 57634;
        QTest::newRow("label Ctrl+F") << int(Qt::Key_F) << int(Qt::ControlModifier) << 0;
    }
    void keysReachCommands() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, expectedId);
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        QList<int> ran;
        for (const CommandSpec& c : AllCommands()) {
            const int id = c.id;
            frame->setHandler(id, [&ran, id] { ran.append(id); });
        }
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (expectedId == 0)
            QCOMPARE(ran, QList<int>{});
        else
            QCOMPARE(ran, QList<int>{expectedId});
        QCOMPARE(frame->portName(), QStringLiteral("COM1"));
    }

    void statusPrompts_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("tip");
        QTest::newRow("32771") << 32771 << "Read Data From Radio" << "Read";
        QTest::newRow("32772") << 32772 << "Write Data to Radio " << "Write";
        QTest::newRow("32773") << 32773 << "Choose Communication Port one " << "Com1";
        QTest::newRow("32775") << 32775 << "Choose Communication Port two " << "Com2";
        QTest::newRow("32776") << 32776 << "Choose Communication Port three " << "Com3";
        QTest::newRow("32777") << 32777 << "Choose Communication Port four " << "Com4";
        QTest::newRow("32778") << 32778 << "Debug TX Power,Squelch Level,Low Power Alert" << "Debug on line";
        QTest::newRow("32780") << 32780 << "Edit channel Data " << "Edit";
        QTest::newRow("32784") << 32784 << "Set the rest  functional features for the interphone" << "";
        QTest::newRow("New") << 57600 << "Create a new document" << "New";
        QTest::newRow("Exit") << 57665 << "Quit the application; prompts to save documents" << "Exit";
    }
    void statusPrompts() {
        QFETCH(int, id);
        QFETCH(QString, prompt);
        QFETCH(QString, tip);
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        QCOMPARE(frame->action(id)->statusTip(), prompt);
        if (!tip.isEmpty()) QCOMPARE(frame->action(id)->toolTip(), tip);
    }

    void idleTextAndPanes() {
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        QCOMPARE(frame->paneText(), QStringLiteral("For Help，Please Press F1"));
        QStringList names;
        for (QLabel* l : frame->indicatorPanes()) names.append(l->text());
        QCOMPARE(names, (QStringList{"CAP", "NUM", "SCRL"}));
    }

    // The pointer over a toolbar button shows its prompt in pane 0; leaving
    // it brings the idle text back.
    void toolbarHoverShowsPrompt() {
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        QWidget* button = frame->commandBar()->widgetForAction(frame->action(ID_READ_FROM_RADIO));
        QVERIFY(button);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(button, &enter);
        QCOMPARE(frame->paneText(), QStringLiteral("Read Data From Radio"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        QCOMPARE(frame->paneText(), frame->idleText());
    }

    // A menu item under the keyboard or pointer shows its prompt.
    void menuHoverShowsPrompt() {
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        QMenu* program = frame->menu(QStringLiteral("&Program"));
        program->popup(frame->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(program));
        program->setActiveAction(frame->action(ID_TEST_MODE));
        QCOMPARE(frame->paneText(), QStringLiteral("Debug TX Power,Squelch Level,Low Power Alert"));
        program->close();
    }

    void toolbarOrder() {
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        QList<int> ids;
        for (QAction* a : frame->commandBar()->actions()) ids.append(a->isSeparator() ? 0 : a->data().toInt());
        QCOMPARE(ids, (QList<int>{57600, 57601, 57603, 0, 32771, 32772, 32778, 0, 32780, 0, 57607, 57669, 57664}));
        QVERIFY(frame->commandBar()->isMovable());
        QCOMPARE(frame->commandBar()->allowedAreas(), Qt::AllToolBarAreas);
    }

    // Every toolbar icon draws something at normal and at high density.
    void toolbarIconsRender() {
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        for (QAction* a : frame->commandBar()->actions()) {
            if (a->isSeparator()) continue;
            QVERIFY2(!a->icon().isNull(), qPrintable(a->text()));
            for (int size : {18, 36}) {
                const QImage img = a->icon().pixmap(QSize(size, size)).toImage();
                QCOMPARE(img.width(), size);
                int opaque = 0;
                for (int y = 0; y < img.height(); ++y)
                    for (int x = 0; x < img.width(); ++x) opaque += qAlpha(img.pixel(x, y)) > 0 ? 1 : 0;
                QVERIFY2(opaque > size * size / 8, qPrintable(a->text()));
            }
        }
    }

    void portCheckMark_data() {
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<QString>("port");
        QTest::newRow("start") << QList<int>{} << "COM1";
        QTest::newRow("COM3") << QList<int>{ID_COM3} << "COM3";
        QTest::newRow("COM3 then COM2") << QList<int>{ID_COM3, ID_COM2} << "COM2";
        QTest::newRow("COM4 twice") << QList<int>{ID_COM4, ID_COM4} << "COM4";
        QTest::newRow("back to COM1") << QList<int>{ID_COM4, ID_COM1} << "COM1";
        QTest::newRow("simulated radio") << QList<int>{ID_COM3, ID_PORT_SIMULATED} << "SIM";
        QTest::newRow("simulated, then COM2") << QList<int>{ID_PORT_SIMULATED, ID_COM2} << "COM2";
    }
    void portCheckMark() {
        QFETCH(QList<int>, chosen);
        QFETCH(QString, port);
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        for (int id : chosen) frame->action(id)->trigger();
        QCOMPARE(frame->portName(), port);
        for (int id : SelectablePortCommands())
            QCOMPARE(frame->action(id)->isChecked(), PortNameOf(id) == port);
        QCOMPARE(SelectablePortCommands().size(), PortCommands().size() + 1);
    }

    void portPromptNamesDevice() {
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        frame->setPortDevices({{"COM1", "/dev/ttyUSB0"}, {"COM3", "/dev/serial/by-id/cable"}});
        QCOMPARE(frame->action(ID_COM1)->statusTip(), QStringLiteral("Choose Communication Port one  (device /dev/ttyUSB0)"));
        QCOMPARE(frame->action(ID_COM3)->statusTip(),
                 QStringLiteral("Choose Communication Port three  (device /dev/serial/by-id/cable)"));
        QCOMPARE(frame->action(ID_COM2)->statusTip(), QStringLiteral("Choose Communication Port two "));
    }

    void toggles() {
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        frame->action(ID_VIEW_TOOLBAR)->trigger();
        QVERIFY(!frame->commandBar()->isVisible());
        QVERIFY(!frame->action(ID_VIEW_TOOLBAR)->isChecked());
        frame->action(ID_VIEW_STATUS_BAR)->trigger();
        QVERIFY(!frame->statusBar()->isVisible());
        QVERIFY(!frame->action(ID_VIEW_STATUS_BAR)->isChecked());
        frame->action(ID_VIEW_TOOLBAR)->trigger();
        QVERIFY(frame->commandBar()->isVisible());
        QVERIFY(frame->action(ID_VIEW_TOOLBAR)->isChecked());
    }

    void recentEntries() {
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        QAction* placeholder = frame->action(ID_FILE_MRU_FILE1);
        QVERIFY(placeholder->isVisible());
        QVERIFY(!placeholder->isEnabled());
        frame->setRecentFiles({"/a/one.sin", "/b/two.sin", "/c/three.sin", "/d/four.sin", "/e/five.sin"});
        QMenu* file = frame->menu(QStringLiteral("&File"));
        const QStringList items = ItemTexts(file);
        QCOMPARE(items.mid(items.indexOf("&1 /a/one.sin"), 4), (QStringList{"&1 /a/one.sin", "&2 /b/two.sin", "&3 /c/three.sin", "&4 /d/four.sin"}));
        // Each entry of the menu, the first included, runs its own command.
        QList<int> ran;
        for (int i = 0; i < kRecentFileCount; ++i)
            frame->setHandler(ID_FILE_MRU_FILE1 + i, [&ran, i] { ran.append(i); });
        for (QAction* a : file->actions())
            if (a->isVisible() && a->text().startsWith('&') && a->text().at(1).isDigit()) a->trigger();
        QCOMPARE(ran, (QList<int>{0, 1, 2, 3}));
        QCOMPARE(frame->action(ID_FILE_MRU_FILE1)->text(), QStringLiteral("&1 /a/one.sin"));
        frame->setRecentFiles({});
        QVERIFY(frame->action(ID_FILE_MRU_FILE1)->isVisible());
    }

    void droppableFiles_data() {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("one sin") << QList<QUrl>{QUrl::fromLocalFile("/x/a.sin")} << QStringList{"/x/a.sin"};
        QTest::newRow("upper case") << QList<QUrl>{QUrl::fromLocalFile("/x/A.SIN")} << QStringList{"/x/A.SIN"};
        QTest::newRow("other kinds skipped")
            << QList<QUrl>{QUrl::fromLocalFile("/x/a.txt"), QUrl::fromLocalFile("/x/b.sin")} << QStringList{"/x/b.sin"};
        QTest::newRow("remote refused") << QList<QUrl>{QUrl("http://example.invalid/a.sin")} << QStringList{};
        QTest::newRow("sin in a directory name") << QList<QUrl>{QUrl::fromLocalFile("/x.sin/a")} << QStringList{};
    }
    void droppableFiles() {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QStringList, files);
        QCOMPARE(CMainFrame::DroppableFiles(urls), files);
    }

    void closeGuardKeepsWindow() {
        auto frame = MakeFrame(vel::FamilyId::Velmar_V);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        bool allow = false;
        int asked = 0;
        frame->setCloseGuard([&] {
            ++asked;
            return allow;
        });
        QVERIFY(!frame->close());
        QVERIFY(frame->isVisible());
        allow = true;
        QVERIFY(frame->close());
        QCOMPARE(asked, 2);
    }

    void familyMenus_data() {
        QTest::addColumn<vel::FamilyId>("family");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QString>("about");
        QTest::newRow("VM_CH128") << vel::FamilyId::VM_CH128
                                  << QStringList{"&File", "&Edit", "&Program", "P&ort", "&View", "&Help"} << "&About...";
        QTest::newRow("VM_CH118") << vel::FamilyId::VM_CH118
                                  << QStringList{"&File", "&Edit", "&Program", "P&ort", "&View", "&Help"}
                                  << "&About Velmar-1.0...";
        QTest::newRow("Marlowe") << vel::FamilyId::Marlowe
                                 << QStringList{"&File", "&Edit", "&Program", "P&ort", "&View", "&Help"}
                                 << "&About Velmar...";
        QTest::newRow("VM_CH16") << vel::FamilyId::VM_CH16
                                 << QStringList{"&File", "&Edit", "&Program", "P&ort", "&View", "&Help"}
                                 << "&About Velmar-1.1...";
        QTest::newRow("VM_CH16_CN") << vel::FamilyId::VM_CH16_CN
                                    << QStringList{"文件(&F)", "编辑(&B)", "编程(&E)", "端口设置", "查看(&V)", "帮助(&H)"}
                                    << "关于 本软件(&A)...";
    }
    void familyMenus() {
        QFETCH(vel::FamilyId, family);
        QFETCH(QStringList, menus);
        QFETCH(QString, about);
        auto frame = MakeFrame(family);
        QStringList titles;
        for (QAction* a : frame->menuBar()->actions()) titles.append(a->text());
        QCOMPARE(titles, menus);
        QCOMPARE(frame->action(ID_APP_ABOUT)->text(), about);
        // Only the full application has the two-tone command.
        bool twoTone = false;
        for (QAction* top : frame->menuBar()->actions())
            twoTone = twoTone || top->menu()->actions().contains(frame->action(ID_TWO_TONE));
        QCOMPARE(twoTone, family == vel::FamilyId::Velmar_V);
    }

    // Every family's Port menu ends with the simulated radio, after a separator.
    void simulatedRadioInPortMenu_data() {
        QTest::addColumn<vel::FamilyId>("family");
        QTest::addColumn<QString>("text");
        QTest::newRow("Velmar_V") << vel::FamilyId::Velmar_V << "Simulated &radio";
        QTest::newRow("VM_CH128") << vel::FamilyId::VM_CH128 << "Simulated &radio";
        QTest::newRow("VM_CH118") << vel::FamilyId::VM_CH118 << "Simulated &radio";
        QTest::newRow("Marlowe") << vel::FamilyId::Marlowe << "Simulated &radio";
        QTest::newRow("VM_CH16") << vel::FamilyId::VM_CH16 << "Simulated &radio";
        QTest::newRow("VM_CH16_CN") << vel::FamilyId::VM_CH16_CN << "模拟对讲机(&M)";
    }
    void simulatedRadioInPortMenu() {
        QFETCH(vel::FamilyId, family);
        QFETCH(QString, text);
        auto frame = MakeFrame(family);
        QAction* sim = frame->action(ID_PORT_SIMULATED);
        QVERIFY(sim);
        QCOMPARE(sim->text(), text);
        QVERIFY(sim->isCheckable());
        QMenu* port = nullptr;
        for (QAction* top : frame->menuBar()->actions())
            if (top->menu()->actions().contains(frame->action(ID_COM1))) port = top->menu();
        QVERIFY(port);
        const QList<QAction*> items = port->actions();
        QCOMPARE(items.size(), 6);
        QVERIFY(items[4]->isSeparator());
        QCOMPARE(items[5], sim);
        QCOMPARE(PortNameOf(ID_PORT_SIMULATED), SimulatedPortName());
    }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"

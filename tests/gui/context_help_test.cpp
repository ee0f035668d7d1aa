// F1 opens the help at the page of the window in front, in every program;
// Shift+F1 keeps opening the contents; a program whose help lacks the page
// opens the contents instead; help opened over a modal dialog can be used
// and outlives the dialog.

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "shell/ui/command_table.h"
#include "shell/ui/context_help.h"
#include "shell/ui/help_window.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/program_commands.h"
#include "shell/ui/progress_dialog.h"
#include "shell/ui/vel_app.h"
#include "shell_test_support.h"
#include "table/ui/cmsflexgrid.h"
#include "table/ui/vel_view.h"

using namespace velui;
using shelltest::CopyHelp;
using shelltest::MessageScript;
using shelltest::ProgramDir;
using shelltest::WhenModal;

Q_DECLARE_METATYPE(vel::FamilyId)

namespace {

struct Running {
    ProgramDir dir;
    MessageScript messages;
    std::unique_ptr<CVelApp> app;

    explicit Running(vel::FamilyId family, const QString& helpWithout = QString()) {
        CopyHelp(dir, helpWithout);
        StartupOptions options = dir.options(QStringLiteral("en_US"), QString::fromStdString(vel::GetFamily(family).name));
        options.show = true;
        options.availableArea = QRect(0, 0, 1920, 1080);
        app = std::make_unique<CVelApp>(vel::GetFamily(family), options);
    }
    bool start() { return app->initInstance() && QTest::qWaitForWindowActive(app->mainFrame()); }
    CHelpWindow* help() const { return app->helpWindow(); }
    QString page() const { return help() && help()->isVisible() ? help()->currentPage() : QString(); }
};

}  // namespace

class ContextHelpTest : public QObject {
    Q_OBJECT
private slots:
    void pageOfEachWindow_data() {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("page");
        QTest::newRow("main window") << "CMainFrame" << "" << "editing.html";
        QTest::newRow("progress, named") << "ProgressDialog" << "writing.html" << "writing.html";
        QTest::newRow("unknown dialog") << "QDialog" << "" << "index.html";
        QTest::newRow("named dialog") << "QDialog" << "port.html" << "port.html";
    }
    void pageOfEachWindow() {
        QFETCH(QString, className);
        QFETCH(QString, property);
        QFETCH(QString, page);
        std::unique_ptr<QWidget> w;
        if (className == QLatin1String("CMainFrame"))
            w = std::make_unique<CMainFrame>(GetFrameProfile(vel::FamilyId::Velmar_V), FrameLook{});
        else if (className == QLatin1String("ProgressDialog"))
            w = std::make_unique<ProgressDialog>(vel::GetFamily(vel::FamilyId::Velmar_V), vel::Lang::English, nullptr);
        else
            w = std::make_unique<QDialog>();
        if (!property.isEmpty()) w->setProperty(kHelpPageProperty, property);
        QCOMPARE(HelpPageFor(w.get()), page);
        // A message box over the window, and a widget inside it, take its page.
        auto* box = new QMessageBox(w.get());
        QCOMPARE(HelpPageFor(box), page);
        auto* child = new QWidget(w.get());
        QCOMPARE(HelpPageFor(child), page);
        QCOMPARE(HelpPageFor(nullptr), QStringLiteral("index.html"));
    }

    // F1 in the main window of every program opens the channel table's page;
    // Shift+F1 still opens the contents.
    void f1InEveryProgram_data() {
        QTest::addColumn<vel::FamilyId>("family");
        for (const vel::Family* f : vel::AllFamilies()) QTest::addRow("%s", f->name.c_str()) << f->id;
    }
    void f1InEveryProgram() {
        QFETCH(vel::FamilyId, family);
        Running r(family);
        QVERIFY(r.start());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QVERIFY(r.help() && r.help()->isVisible());
        QCOMPARE(r.page(), QStringLiteral("editing.html"));
        QCOMPARE(r.help()->folder(), r.app->helpFolder());

        r.app->mainFrame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(r.app->mainFrame()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(r.page(), QStringLiteral("index.html"));
        QCOMPARE(r.messages.shown.size(), size_t(0));
    }

    // The modeless progress window names the page of its direction.
    void f1InTheProgressWindow() {
        Running r(vel::FamilyId::Velmar_V);
        QVERIFY(r.start());
        for (int command : {ID_WRITE_TO_RADIO, ID_READ_FROM_RADIO}) {
            r.app->mainFrame()->execute(command);
            ProgressDialog* progress = r.app->programCommands()->progressDialog();
            QVERIFY(progress->isVisible());
            QTest::keyClick(progress, Qt::Key_F1);
            QCOMPARE(r.page(), command == ID_WRITE_TO_RADIO ? QStringLiteral("writing.html") : QStringLiteral("reading.html"));
            QVERIFY(!progress->running());   // F1 started nothing
        }
        r.app->programCommands()->progressDialog()->cancelButton()->click();
    }

    // Over a modal dialog the help is the dialog's while it is open (so that
    // it can be used), then goes back to the main window and stays open. The
    // page is the one the program's help folder has for the dialog.
    void f1InAModalDialog_data() {
        QTest::addColumn<vel::FamilyId>("family");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("folder");   // the program's own help folder
        QTest::addColumn<QString>("page");
        QTest::newRow("Velmar_V test mode") << vel::FamilyId::Velmar_V << int(ID_TEST_MODE) << "Velmar_V_EN" << "testmode.html";
        QTest::newRow("Velmar_V optional features")
            << vel::FamilyId::Velmar_V << int(ID_OPTIONAL_FEATURES) << "Velmar_V_EN" << "optional.html";
        QTest::newRow("Velmar_V two tone") << vel::FamilyId::Velmar_V << int(ID_TWO_TONE) << "Velmar_V_EN" << "twotone.html";
        QTest::newRow("Marlowe optional features")
            << vel::FamilyId::Marlowe << int(ID_OPTIONAL_FEATURES_EDIT) << "Marlowe" << "settings.html";
        QTest::newRow("Marlowe key assignment") << vel::FamilyId::Marlowe << int(ID_KEY_ASSIGNMENT) << "Marlowe" << "settings.html";
        QTest::newRow("VM_CH128 optional features")
            << vel::FamilyId::VM_CH128 << int(ID_OPTIONAL_FEATURES) << "VM_CH128" << "settings.html";
        QTest::newRow("VM_CH118 optional features")
            << vel::FamilyId::VM_CH118 << int(ID_OPTIONAL_FEATURES) << "VM_CH118" << "settings.html";
        QTest::newRow("VM_CH16 test mode") << vel::FamilyId::VM_CH16 << int(ID_TEST_MODE) << "VM_CH16" << "testmode.html";
    }
    void f1InAModalDialog() {
        QFETCH(vel::FamilyId, family);
        QFETCH(int, command);
        QFETCH(QString, folder);
        QFETCH(QString, page);
        Running r(family);
        QVERIFY(r.start());
        QString shown, expectedShown, inOwnFolder;
        QWidget* owner = nullptr;
        QWidget* dialog = nullptr;
        bool usable = false;
        WhenModal([&](QWidget* w) {
            dialog = w;
            QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_F1);
            shown = r.page();
            expectedShown = r.help() ? HelpPageFor(w, r.help()->folder()) : QString();
            inOwnFolder = HelpPageFor(w, QDir(QStringLiteral(VEL_HELP_DIR)).filePath(folder));
            owner = r.help() ? r.help()->parentWidget() : nullptr;
            usable = r.help() && !BlockedByModal(r.help());
            static_cast<QDialog*>(w)->reject();
        });
        r.app->mainFrame()->execute(command);
        QCOMPARE(inOwnFolder, page);
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown, expectedShown);   // the folder the program opens
        QCOMPARE(owner, dialog);
        QVERIFY(usable);
        QVERIFY(r.help());
        QCOMPARE(r.help()->parentWidget(), static_cast<QWidget*>(r.app->mainFrame()));
        QVERIFY(r.help()->isVisible());
    }

    // Help folders that call a topic differently: the first page the folder
    // has, else the contents.
    void pageInTheProgramsFolder_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("page");
        QTest::newRow("Velmar_V") << "Velmar_V_EN" << "printing.html";
        QTest::newRow("VM_CH16") << "VM_CH16" << "report.html";
        QTest::newRow("Marlowe, no such page") << "Marlowe" << "index.html";
    }
    void pageInTheProgramsFolder() {
        QFETCH(QString, folder);
        QFETCH(QString, page);
        QPrintDialog print;
        QCOMPARE(HelpPageFor(&print, QDir(QStringLiteral(VEL_HELP_DIR)).filePath(folder)), page);
    }

    // A program whose help has no page for the window opens the contents.
    void missingPageFallsBackToTheContents() {
        Running r(vel::FamilyId::VM_CH128, QStringLiteral("editing.html"));
        QVERIFY(r.start());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(r.page(), QStringLiteral("index.html"));
        QCOMPARE(r.messages.shown.size(), size_t(0));
    }

private:
    /// True when the window system would refuse input to `w` because another
    /// window is modal.
    static bool BlockedByModal(QWidget* w) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return false;
        for (QWidget* p = w; p; p = p->parentWidget())
            if (p == modal) return false;
        return true;
    }
};

QTEST_MAIN(ContextHelpTest)
#include "context_help_test.moc"

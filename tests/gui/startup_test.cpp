// Start-up of the application in a program directory of its own: the
// language choice from the locale and the configuration file, the language
// library and its failure message, where files are looked for and created,
// the help pages chosen, and the family's window.

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QWindow>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include "shell/ui/about_dlg.h"
#include "shell/ui/command_table.h"
#include "shell/ui/help_window.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/vel_app.h"
#include "shell/ui/vel_doc.h"
#include "table/ui/vel_view.h"
#include "shell_test_support.h"
#include "table/ui/cmsflexgrid.h"
#include "table/ui/vel_view.h"

using namespace velui;
using shelltest::CopyHelp;
using shelltest::MessageScript;
using shelltest::ProgramDir;

Q_DECLARE_METATYPE(vel::FamilyId)

namespace {

// Copies the help folder `folder` beside the program as "help/<as>".
void CopyHelpAs(const ProgramDir& dir, const QString& folder, const QString& as) {
    const QDir source(QStringLiteral(VEL_HELP_DIR "/") + folder);
    QDir().mkpath(dir.path(QStringLiteral("help/")) + as);
    for (const QString& f : source.entryList(QDir::Files))
        QFile::copy(source.filePath(f), dir.path(QStringLiteral("help/%1/%2").arg(as, f)));
}

// An icon file holding one square image of `size` pixels.
void WriteIcon(const QString& path, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(QColor(200, 30, 30));
    QVERIFY(image.save(path, "ICO"));
}

// Runs the current directory elsewhere while the object lives.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const QString& path) : old_(QDir::currentPath()) { QDir::setCurrent(path); }
    ~CurrentDirectory() { QDir::setCurrent(old_); }

private:
    QString old_;
};

/// Start-up options of Velmar_V installed under `prefix` ("<prefix>/bin/Velmar_V"),
/// with its user's configuration folder in "<prefix>/home/velmar".
StartupOptions InstalledOptions(const QDir& prefix, const QString& locale) {
    StartupOptions options;
    options.programPath = prefix.filePath(QStringLiteral("bin/Velmar_V"));
    options.localeName = locale;
    options.settingsFile = prefix.filePath(QStringLiteral("settings.ini"));
    options.userConfigDir = prefix.filePath(QStringLiteral("home/velmar"));
    options.show = false;
    return options;
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void languageChoice_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("ini");   // empty: no configuration file
        QTest::addColumn<QString>("languageBase");
        QTest::addColumn<bool>("english");

        QTest::newRow("Chinese system") << "zh_CN" << "" << "Velmar_V_CH" << false;
        QTest::newRow("Taiwan is Chinese too") << "zh_TW" << "" << "Velmar_V_CH" << false;
        QTest::newRow("English system") << "en_US" << "" << "Velmar_V_EN" << true;
        QTest::newRow("any other language") << "de_DE" << "" << "Velmar_V_EN" << true;
        QTest::newRow("forced Chinese") << "en_US" << "[MAIN]\nLANGUAGE_FORCE=1\nLANGUAGE=Velmar_V_CH\n"
                                        << "Velmar_V_CH" << false;
        QTest::newRow("forced English") << "zh_CN" << "[MAIN]\nLANGUAGE_FORCE=1\nLANGUAGE=Velmar_V_EN\n"
                                        << "Velmar_V_EN" << true;
        QTest::newRow("force 2 is not forced") << "en_US" << "[MAIN]\nLANGUAGE_FORCE=2\nLANGUAGE=Velmar_V_CH\n"
                                               << "Velmar_V_EN" << true;
        QTest::newRow("force word is not forced") << "zh_CN" << "[MAIN]\nLANGUAGE_FORCE=yes\nLANGUAGE=Velmar_V_EN\n"
                                                  << "Velmar_V_CH" << false;
        QTest::newRow("names in any case") << "en_US" << "[main]\nlanguage_force = 1\nlanguage = Velmar_V_CH\n"
                                           << "Velmar_V_CH" << false;
        QTest::newRow("later LANGUAGE wins")
            << "en_US" << "[MAIN]\nLANGUAGE_FORCE=1\nLANGUAGE=Velmar_V_EN\nLANGUAGE=Velmar_V_CH\n" << "Velmar_V_CH" << false;
        QTest::newRow("second MAIN never read")
            << "en_US" << "[MAIN]\nLANGUAGE=Velmar_V_CH\n[MAIN]\nLANGUAGE_FORCE=1\n" << "Velmar_V_EN" << true;
    }
    void languageChoice() {
        QFETCH(QString, locale);
        QFETCH(QString, ini);
        QFETCH(QString, languageBase);
        QFETCH(bool, english);
        ProgramDir dir;
        if (!ini.isEmpty()) dir.writeFile(QStringLiteral("Velmar_V.ini"), ini.toUtf8());
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), dir.options(locale));
        QVERIFY(app.initInstance());
        QCOMPARE(app.languageBaseName(), languageBase);
        QCOMPARE(app.languageFile(), dir.path(languageBase + ".qm"));
        QCOMPARE(app.displayLang(), english ? vel::Lang::English : vel::Lang::Chinese);
        QCOMPARE(messages.shown.size(), size_t(0));
        // The menus speak the chosen language.
        const QString file = app.mainFrame()->menuBar()->actions().front()->text();
        QCOMPARE(file, english ? QStringLiteral("&File") : QStringLiteral("文件(&F)"));
        QCOMPARE(app.mainFrame()->windowTitle(),
                 english ? QStringLiteral("Velmar Programing Software") : QStringLiteral("Velmar 写频软件"));
        QCOMPARE(app.mainFrame()->paneText(),
                 english ? QStringLiteral("For Help，Please Press F1") : QStringLiteral("如需帮助，请按F1键"));
    }

    // A language library that cannot be loaded ends start-up with a message
    // that names the file that was tried; a name from the configuration file
    // is shown as read (quoted), with the file and the rule that cuts
    // comments from values.
    void missingLibrary_data() {
        QTest::addColumn<bool>("shipLibraries");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("tried");
        QTest::addColumn<QString>("value");   // empty: the name did not come from the file
        QTest::newRow("English library missing") << false << "en_US" << "" << "Velmar_V_EN.qm" << "";
        QTest::newRow("Chinese library missing") << false << "zh_CN" << "" << "Velmar_V_CH.qm" << "";
        QTest::newRow("forced name missing") << true << "en_US" << "[MAIN]\nLANGUAGE_FORCE=1\nLANGUAGE=english\n"
                                             << "english.qm" << "english";
        QTest::newRow("comment leaves a blank")
            << true << "en_US" << "[MAIN]\nLANGUAGE_FORCE=1\nLANGUAGE=Velmar_V_CH //Chinese\n" << "Velmar_V_CH .qm"
            << "Velmar_V_CH ";
        QTest::newRow("comment after blanks stays")
            << true << "en_US" << "[MAIN]\nLANGUAGE_FORCE=1\nLANGUAGE=Velmar_V_CH      ; Velmar_V_EN for English\n"
            << "Velmar_V_CH      ; Velmar_V_EN for English.qm" << "Velmar_V_CH      ; Velmar_V_EN for English";
    }
    void missingLibrary() {
        QFETCH(bool, shipLibraries);
        QFETCH(QString, locale);
        QFETCH(QString, ini);
        QFETCH(QString, tried);
        QFETCH(QString, value);
        ProgramDir dir(shipLibraries);
        if (!ini.isEmpty()) dir.writeFile(QStringLiteral("Velmar_V.ini"), ini.toUtf8());
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), dir.options(locale));
        QVERIFY(!app.initInstance());
        QVERIFY(!app.mainFrame());
        QCOMPARE(messages.shown.size(), size_t(1));
        const QString text = messages.shown[0].text;
        const QString first = QStringLiteral("Load Resource DLL %1 Fail").arg(QDir::toNativeSeparators(dir.path(tried)));
        QCOMPARE(messages.shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        if (value.isEmpty()) {
            QCOMPARE(text, first);
            return;
        }
        QVERIFY2(text.startsWith(first + QLatin1Char('\n')), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("\"%1\"").arg(value)), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(dir.path(QStringLiteral("Velmar_V.ini")))), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("a tab followed by \";\"")), qPrintable(text));
    }

    // Files are looked for and created beside the program, never in the
    // working directory.
    void filesBesideTheProgram() {
        ProgramDir dir;
        QTemporaryDir elsewhere;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        {
            MessageScript messages;
            CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), dir.options());
            QVERIFY(app.initInstance());
            QCOMPARE(app.configPath(), dir.path("Velmar_V.ini"));
            QCOMPARE(app.programBaseName(), QStringLiteral("Velmar_V"));
        }
        QDir::setCurrent(before);
        QVERIFY(QFileInfo::exists(dir.path("Velmar_V.ini")));
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{});
    }

    // A renamed program uses its own name for its files.
    void renamedProgram() {
        ProgramDir dir;
        QFile::copy(dir.path("Velmar_V_EN.qm"), dir.path("Radio_EN.qm"));
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), dir.options("en_US", "Radio"));
        QVERIFY(app.initInstance());
        QCOMPARE(app.languageBaseName(), QStringLiteral("Radio_EN"));
        QCOMPARE(app.configPath(), dir.path("Radio.ini"));
        // The help pages keep their own names.
        QCOMPARE(app.helpFolder(), dir.path("help/Velmar_V_EN"));
    }

    // An installed program ("<prefix>/bin/Velmar_V") finds its files in
    // "<prefix>/share/velmar/Velmar_V/"; a file beside the program wins; a
    // configuration file is never created beside an installed program.
    void installedLayout_data() {
        QTest::addColumn<bool>("besideToo");     // the language libraries and help beside the program too
        QTest::addColumn<bool>("defaultIni");    // an installed default configuration file
        QTest::addColumn<QString>("filesDir");   // where the libraries and help are taken from
        QTest::addColumn<QString>("configFile"); // the configuration file read (or created)
        const QString data = QStringLiteral("share/velmar/Velmar_V");
        QTest::newRow("installed") << false << false << data << "home/velmar/Velmar_V.ini";
        QTest::newRow("installed default ini") << false << true << data << data + "/Velmar_V.ini";
        QTest::newRow("beside wins") << true << true << "bin" << data + "/Velmar_V.ini";
    }
    void installedLayout() {
        QFETCH(bool, besideToo);
        QFETCH(bool, defaultIni);
        QFETCH(QString, filesDir);
        QFETCH(QString, configFile);
        QTemporaryDir root;
        const QDir prefix(root.path());
        const auto ship = [&](const QString& dir) {
            QVERIFY(prefix.mkpath(dir));
            for (const char* qm : {"Velmar_V_CH.qm", "Velmar_V_EN.qm"})
                QVERIFY(QFile::copy(QDir(QStringLiteral(VEL_QM_DIR)).filePath(QString::fromLatin1(qm)),
                                    prefix.filePath(dir + QLatin1Char('/') + QString::fromLatin1(qm))));
            QVERIFY(prefix.mkpath(dir + QStringLiteral("/help/Velmar_V_EN")));
            QFile index(prefix.filePath(dir + QStringLiteral("/help/Velmar_V_EN/index.html")));
            QVERIFY(index.open(QIODevice::WriteOnly));
            index.write("<html><body><h1>Contents</h1></body></html>");
        };
        ship(QStringLiteral("share/velmar/Velmar_V"));
        QVERIFY(prefix.mkpath(QStringLiteral("bin")));
        if (besideToo) ship(QStringLiteral("bin"));
        if (defaultIni) {
            QFile ini(prefix.filePath(QStringLiteral("share/velmar/Velmar_V/Velmar_V.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write("[PORTS]\nCOM2=/dev/ttyACM5\n");
        }
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), InstalledOptions(prefix, QStringLiteral("en_US")));
        QVERIFY(app.initInstance());
        QCOMPARE(messages.shown.size(), size_t(0));
        QCOMPARE(app.languageFile(), prefix.filePath(filesDir + QStringLiteral("/Velmar_V_EN.qm")));
        QCOMPARE(app.helpFolder(), prefix.filePath(filesDir + QStringLiteral("/help/Velmar_V_EN")));
        QCOMPARE(app.configPath(), prefix.filePath(configFile));
        QVERIFY(QFileInfo::exists(prefix.filePath(configFile)));
        QVERIFY(!QFileInfo::exists(prefix.filePath(QStringLiteral("bin/Velmar_V.ini"))));
        if (defaultIni) QVERIFY(app.mainFrame()->action(ID_COM2)->statusTip().contains(QStringLiteral("/dev/ttyACM5")));
        // The help window opens the installed pages.
        app.mainFrame()->execute(ID_HELP_FINDER);
        QCOMPARE(messages.shown.size(), size_t(0));
        QCOMPARE(app.helpWindow()->folder(), prefix.filePath(filesDir + QStringLiteral("/help/Velmar_V_EN")));
    }

    // With its language library nowhere, an installed program names the
    // file in its data folder, where it belongs.
    void installedLibraryMissing() {
        QTemporaryDir root;
        const QDir prefix(root.path());
        QVERIFY(prefix.mkpath(QStringLiteral("bin")));
        QVERIFY(prefix.mkpath(QStringLiteral("share/velmar/Velmar_V")));
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), InstalledOptions(prefix, QStringLiteral("zh_CN")));
        QVERIFY(!app.initInstance());
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(messages.shown[0].text,
                 QStringLiteral("Load Resource DLL %1 Fail")
                     .arg(QDir::toNativeSeparators(prefix.filePath(QStringLiteral("share/velmar/Velmar_V/Velmar_V_CH.qm")))));
    }

    void helpChoice_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("folder");
        QTest::newRow("English") << "en_US" << "" << "help/Velmar_V_EN";
        QTest::newRow("Chinese") << "zh_CN" << "" << "help/Velmar_V_CH";
        QTest::newRow("forced other name") << "en_US" << "[MAIN]\nLANGUAGE_FORCE=1\nLANGUAGE=custom\n"
                                           << "help/Velmar_V_CH";
    }
    void helpChoice() {
        QFETCH(QString, locale);
        QFETCH(QString, ini);
        QFETCH(QString, folder);
        ProgramDir dir;
        CopyHelp(dir);
        QFile::copy(dir.path("Velmar_V_EN.qm"), dir.path("custom.qm"));
        if (!ini.isEmpty()) dir.writeFile(QStringLiteral("Velmar_V.ini"), ini.toUtf8());
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), dir.options(locale));
        QVERIFY(app.initInstance());
        QCOMPARE(app.helpFolder(), dir.path(folder));
        // Help Topics and context help open those pages at their contents.
        app.mainFrame()->execute(ID_HELP_FINDER);
        QVERIFY(app.helpWindow());
        QCOMPARE(app.helpWindow()->folder(), dir.path(folder));
        QVERIFY(app.helpWindow()->isVisible());
        QCOMPARE(app.helpWindow()->currentPage(), QStringLiteral("index.html"));
        app.helpWindow()->openPage(QStringLiteral("port.html"));
        app.mainFrame()->execute(ID_CONTEXT_HELP);
        QCOMPARE(app.helpWindow()->currentPage(), QStringLiteral("index.html"));
        QCOMPARE(messages.shown.size(), size_t(0));
        // F1 opens the page of the main window, the channel table's.
        app.helpWindow()->close();
        app.mainFrame()->execute(ID_HELP);
        QVERIFY(app.helpWindow()->isVisible());
        QCOMPARE(app.helpWindow()->currentPage(), QStringLiteral("editing.html"));
    }

    void helpPagesMissing() {
        ProgramDir dir;
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), dir.options());
        QVERIFY(app.initInstance());
        app.mainFrame()->execute(ID_HELP_FINDER);
        QCOMPARE(messages.shown.size(), size_t(1));
        QVERIFY(messages.shown[0].text.contains(QDir::toNativeSeparators(dir.path("help/Velmar_V_EN/index.html"))));
    }

    // Each family program opens its own pages, under its own name when it was
    // given one and has pages of that name; one whose pages are missing says
    // which. Another program's pages beside it are not taken instead.
    void familyHelp_data() {
        QTest::addColumn<vel::FamilyId>("family");
        QTest::addColumn<QString>("program");   // the executable's name
        QTest::addColumn<QStringList>("copied");
        QTest::addColumn<QString>("opened");    // "" when the pages are missing
        for (vel::FamilyId id : {vel::FamilyId::VM_CH128, vel::FamilyId::VM_CH118, vel::FamilyId::Marlowe,
                                 vel::FamilyId::VM_CH16, vel::FamilyId::VM_CH16_CN}) {
            const QString name = QString::fromStdString(vel::GetFamily(id).name);
            QTest::newRow(qPrintable(name)) << id << name << QStringList{name} << name;
        }
        QTest::newRow("renamed, its pages under its own name")
            << vel::FamilyId::VM_CH128 << "Acme" << QStringList{"VM_CH128", "Acme"} << "Acme";
        QTest::newRow("renamed, the family's pages")
            << vel::FamilyId::Marlowe << "Acme" << QStringList{"Marlowe"} << "Marlowe";
        QTest::newRow("VM_CH128 without its pages") << vel::FamilyId::VM_CH128 << "VM_CH128" << QStringList{} << "";
        QTest::newRow("VM_CH16 without its pages") << vel::FamilyId::VM_CH16 << "VM_CH16" << QStringList{} << "";
    }
    void familyHelp() {
        QFETCH(vel::FamilyId, family);
        QFETCH(QString, program);
        QFETCH(QStringList, copied);
        QFETCH(QString, opened);
        ProgramDir dir;
        const QString name = QString::fromStdString(vel::GetFamily(family).name);
        CopyHelp(dir);   // every program's pages, then only those the row names of this family
        QVERIFY(QDir(dir.path("help/" + name)).removeRecursively());
        for (const QString& folder : copied) CopyHelpAs(dir, name, folder);   // the family's pages under that name
        MessageScript messages;
        CVelApp app(vel::GetFamily(family), dir.options("en_US", program));
        QVERIFY(app.initInstance());
        app.mainFrame()->execute(ID_HELP_FINDER);
        if (opened.isEmpty()) {
            QCOMPARE(app.helpFolder(), dir.path("help/" + name));
            QCOMPARE(messages.shown.size(), size_t(1));
            QVERIFY(messages.shown[0].text.contains(QDir::toNativeSeparators(dir.path("help/" + name + "/index.html"))));
            return;
        }
        QCOMPARE(app.helpFolder(), dir.path("help/" + opened));
        QCOMPARE(messages.shown.size(), size_t(0));
        QVERIFY(app.helpWindow()->isVisible());
        QCOMPARE(app.helpWindow()->folder(), dir.path("help/" + opened));
        QCOMPARE(app.helpWindow()->currentPage(), QStringLiteral("index.html"));
        // The contents page of the family's own folder, in the program's language.
        const QString title = name == QLatin1String("VM_CH16_CN") ? QStringLiteral("VM系列专业手持对讲机写频软件 帮助")
                                                                  : name + " Help";
        QCOMPARE(app.helpWindow()->contentsTitles().value(0), title);
    }

    // "<program>.ico": beside the program wins over the current directory;
    // without one there is no icon of ours, in the window or the about box.
    void brandingIcon_data() {
        QTest::addColumn<int>("besideSize");    // 0: no file, -1: a file that is not an icon
        QTest::addColumn<int>("currentSize");
        QTest::addColumn<int>("shownSize");     // 0: no icon
        QTest::newRow("beside the program") << 32 << 0 << 32;
        QTest::newRow("beside wins") << 32 << 16 << 32;
        QTest::newRow("current directory") << 0 << 16 << 16;
        QTest::newRow("unreadable beside") << -1 << 16 << 16;
        QTest::newRow("none") << 0 << 0 << 0;
    }
    void brandingIcon() {
        QFETCH(int, besideSize);
        QFETCH(int, currentSize);
        QFETCH(int, shownSize);
        ProgramDir dir;
        QTemporaryDir elsewhere;
        if (besideSize > 0) WriteIcon(dir.path("VM_CH128.ico"), besideSize);
        if (besideSize < 0) dir.writeFile("VM_CH128.ico", "not an icon");
        if (currentSize > 0) WriteIcon(QDir(elsewhere.path()).filePath("VM_CH128.ico"), currentSize);
        CurrentDirectory current(elsewhere.path());
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::VM_CH128), dir.options("en_US", "VM_CH128"));
        QVERIFY(app.initInstance());
        const QIcon icon = app.mainFrame()->windowIcon();
        if (shownSize == 0) {
            QVERIFY(icon.availableSizes().isEmpty());
        } else {
            QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(shownSize, shownSize)});
        }
        QSize picture;
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
            if (!dlg) return;
            picture = dlg->picture()->pixmap().size();
            dlg->accept();
        });
        app.mainFrame()->execute(ID_APP_ABOUT);
        QCOMPARE(picture, shownSize ? QSize(shownSize, shownSize) : QSize(0, 0));
        QCOMPARE(messages.shown.size(), size_t(0));
    }

    void brandingIconFollowsTheFile() {
        ProgramDir dir;
        WriteIcon(dir.path("VM_CH128.ico"), 16);
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::VM_CH128), dir.options("en_US", "VM_CH128"));
        QVERIFY(app.initInstance());
        QCOMPARE(app.mainFrame()->windowIcon().availableSizes(), QList<QSize>{QSize(16, 16)});
        WriteIcon(dir.path("VM_CH128.ico"), 48);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(app.mainFrame(), &activate);
        QCOMPARE(app.mainFrame()->windowIcon().availableSizes(), QList<QSize>{QSize(48, 48)});
        QVERIFY(QFile::remove(dir.path("VM_CH128.ico")));
        QApplication::sendEvent(app.mainFrame(), &activate);
        QVERIFY(app.mainFrame()->windowIcon().availableSizes().isEmpty());
    }

    // An empty configured title is not replaced by the program's name.
    void emptyTitlesStayEmpty() {
        ProgramDir dir;
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::VM_CH128), dir.options("en_US", "VM_CH128"));
        QVERIFY(app.initInstance());
        app.mainFrame()->show();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainFrame()));
        QCOMPARE(app.mainFrame()->windowTitle(), QString());
        QCOMPARE(app.mainFrame()->windowHandle()->title(), QStringLiteral(" "));
        QString aboutTitle = QStringLiteral("unseen");
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
            if (!dlg) return;
            aboutTitle = dlg->windowHandle() ? dlg->windowHandle()->title() : QString();
            dlg->accept();
        });
        app.mainFrame()->execute(ID_APP_ABOUT);
        QCOMPARE(aboutTitle, QStringLiteral(" "));
    }

    void typeNamesFromConfiguration() {
        ProgramDir dir;
        dir.writeFile("VM_CH128.ini", "[MAIN]\nTYPE1=Acme A\nTYPE2=Acme B\n");
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::VM_CH128), dir.options("en_US", "VM_CH128"));
        QVERIFY(app.initInstance());
        auto* type = app.view()->findChild<QComboBox*>(QStringLiteral("field1017"));
        QVERIFY(type);
        QCOMPARE(type->itemText(0), QStringLiteral("Acme A"));
        QCOMPARE(type->itemText(1), QStringLiteral("Acme B"));
        QCOMPARE(type->itemText(2), QStringLiteral("VM - K30"));
        // A new document selects "VM - K20": it shows under its new name and stores the same byte.
        QCOMPARE(type->currentText(), QStringLiteral("Acme B"));
        app.view()->storeChannelGrid();
        QCOMPARE(int(app.document()->image()[0x80B]), 0x39);
    }

    void familyWindows_data() {
        QTest::addColumn<vel::FamilyId>("family");
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("iniCreated");
        QTest::newRow("Velmar_V") << vel::FamilyId::Velmar_V << "" << "Velmar Programing Software" << QSize(1024, 768)
                                  << true;
        QTest::newRow("VM_CH128 branded") << vel::FamilyId::VM_CH128 << "[MAIN]\nTITLE=Acme Radio Writer\n"
                                          << "Acme Radio Writer" << QSize(800, 1100) << true;
        QTest::newRow("VM_CH128 unbranded") << vel::FamilyId::VM_CH128 << "" << "" << QSize(800, 1100) << true;
        QTest::newRow("VM_CH118") << vel::FamilyId::VM_CH118 << "" << "Velmar Electronics  Programing Software"
                                  << QSize(800, 1100) << false;
        QTest::newRow("Marlowe") << vel::FamilyId::Marlowe << "" << "Velmar Radio Programming Software"
                                 << QSize(800, 1100) << false;
        QTest::newRow("VM_CH16") << vel::FamilyId::VM_CH16 << "" << "Velmar Serials Radio Programing Software"
                                 << QSize(800, 1100) << false;
        QTest::newRow("VM_CH16_CN") << vel::FamilyId::VM_CH16_CN << "" << "VM系列专业手持对讲机写频软件" << QSize(800, 700)
                                    << false;
    }
    void familyWindows() {
        QFETCH(vel::FamilyId, family);
        QFETCH(QString, ini);
        QFETCH(QString, title);
        QFETCH(QSize, size);
        QFETCH(bool, iniCreated);
        ProgramDir dir;
        const QString name = QString::fromStdString(vel::GetFamily(family).name);
        if (!ini.isEmpty()) dir.writeFile(name + ".ini", ini.toUtf8());
        MessageScript messages;
        CVelApp app(vel::GetFamily(family), dir.options("en_US", name));
        QVERIFY(app.initInstance());
        QCOMPARE(app.mainFrame()->windowTitle(), title);
        QCOMPARE(app.mainFrame()->size(), size);
        QCOMPARE(QFileInfo::exists(dir.path(name + ".ini")), iniCreated || !ini.isEmpty());
        QCOMPARE(app.document()->image().size(), size_t(vel::GetFamily(family).imageSize));
        QCOMPARE(messages.shown.size(), size_t(0));
    }

    // The 16-channel form: the table is as tall as its 16 rows and the
    // Function Setting group follows right under the last row; the window's
    // spare height lies below the group.
    void functionSettingSitsUnderTheRows_data() {
        QTest::addColumn<vel::FamilyId>("family");
        QTest::newRow("VM_CH16") << vel::FamilyId::VM_CH16;
        QTest::newRow("VM_CH16_CN") << vel::FamilyId::VM_CH16_CN;
    }
    void functionSettingSitsUnderTheRows() {
        QFETCH(vel::FamilyId, family);
        ProgramDir dir;
        const QString name = QString::fromStdString(vel::GetFamily(family).name);
        MessageScript messages;
        CVelApp app(vel::GetFamily(family), dir.options("en_US", name));
        QVERIFY(app.initInstance());
        CMainFrame* frame = app.mainFrame();
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CMSFlexGrid* grid = app.view()->grid();
        auto* group = app.view()->findChild<QGroupBox*>(QStringLiteral("functionSetting"));
        QVERIFY(group);
        // Every row is shown whole.
        const QRect last = grid->cellRect(16, 1);
        QVERIFY(!last.isEmpty());
        QVERIFY(grid->viewport()->rect().contains(last));
        const int gridBottom = grid->mapTo(frame, QPoint(0, grid->height())).y();
        const int rowsBottom = grid->viewport()->mapTo(frame, last.bottomLeft()).y();
        const int groupTop = group->mapTo(frame, QPoint(0, 0)).y();
        QVERIFY2(groupTop >= gridBottom, qPrintable(QStringLiteral("%1 %2").arg(groupTop).arg(gridBottom)));
        QVERIFY2(groupTop - rowsBottom < 40, qPrintable(QStringLiteral("%1 %2").arg(groupTop).arg(rowsBottom)));
        // A taller window keeps the group where it is.
        frame->resize(frame->width(), frame->height() + 200);
        QTest::qWait(50);
        QCOMPARE(group->mapTo(frame, QPoint(0, 0)).y(), groupTop);
    }

    void portsFromConfiguration() {
        ProgramDir dir;
        dir.writeFile("Velmar_V.ini", "[PORTS]\nCOM2=/dev/ttyACM7\n");
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), dir.options());
        QVERIFY(app.initInstance());
        QVERIFY(app.mainFrame()->action(ID_COM2)->statusTip().contains(QStringLiteral("/dev/ttyACM7")));
        QVERIFY(app.mainFrame()->action(ID_COM2)->statusTip().startsWith(QStringLiteral("Choose Communication Port two ")));
        QCOMPARE(app.mainFrame()->portName(), QStringLiteral("COM1"));
    }

    void aboutBox_data() {
        QTest::addColumn<vel::FamilyId>("family");
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("line1");
        QTest::newRow("Velmar_V") << vel::FamilyId::Velmar_V << "" << "About Velmar"
                                  << "Velmar Programing Software Version 2.0";
        QTest::newRow("VM_CH128 branded") << vel::FamilyId::VM_CH128
                                          << "[ABOUT]\nTITLE=About Acme\nCOMPANY=Acme Ltd\nCOMPANY1=x\nVERSION=3\n"
                                          << "About Acme" << "Acme Ltd";
        QTest::newRow("VM_CH128 bare") << vel::FamilyId::VM_CH128 << "" << "" << "";
    }
    void aboutBox() {
        QFETCH(vel::FamilyId, family);
        QFETCH(QString, ini);
        QFETCH(QString, caption);
        QFETCH(QString, line1);
        ProgramDir dir;
        const QString name = QString::fromStdString(vel::GetFamily(family).name);
        if (!ini.isEmpty()) dir.writeFile(name + ".ini", ini.toUtf8());
        MessageScript messages;
        CVelApp app(vel::GetFamily(family), dir.options("en_US", name));
        QVERIFY(app.initInstance());
        QString seenCaption, seenLine1;
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
            if (!dlg) return;
            seenCaption = dlg->windowTitle();
            seenLine1 = dlg->line1();
            dlg->accept();
        });
        app.mainFrame()->execute(ID_APP_ABOUT);
        QCOMPARE(seenCaption, caption);
        QCOMPARE(seenLine1, line1);
    }

    // A configuration file that is there but cannot be read is reported with
    // its name and the reason, and start-up goes on with the defaults; a
    // named pipe in its place never holds the start.
    void unusableConfiguration_data() {
        QTest::addColumn<vel::FamilyId>("family");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder") << vel::FamilyId::Velmar_V << "folder" << "it is a folder, not a file";
        QTest::newRow("named pipe") << vel::FamilyId::VM_CH16 << "fifo" << "it is a named pipe, not a regular file";
        QTest::newRow("link to nothing") << vel::FamilyId::VM_CH128 << "dangling" << "No such file or directory";
    }
    void unusableConfiguration() {
        QFETCH(vel::FamilyId, family);
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        ProgramDir dir;
        const QString name = QString::fromStdString(vel::GetFamily(family).name);
        const QString ini = dir.path(name + ".ini");
        if (kind == "folder") QVERIFY(QDir().mkdir(ini));
        if (kind == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
        if (kind == "dangling") QVERIFY(QFile::link(dir.path("nowhere.ini"), ini));
        MessageScript messages;
        CVelApp app(vel::GetFamily(family), dir.options("en_US", name));
        QVERIFY(app.initInstance());
        QCOMPARE(messages.shown.size(), size_t(1));
        QVERIFY2(messages.shown[0].text.contains(ini), qPrintable(messages.shown[0].text));
        QVERIFY2(messages.shown[0].text.contains(reason), qPrintable(messages.shown[0].text));
        QVERIFY(!QFileInfo::exists(dir.path("nowhere.ini")));
        QCOMPARE(app.configPath(), QString());
    }

    void notYetAvailable_data() {
        QTest::addColumn<int>("id");
        for (int id : {ID_KEY_ASSIGNMENT, ID_OPTIONAL_FEATURES_EDIT})
            QTest::newRow(qPrintable(QString::number(id))) << id;
    }
    void notYetAvailable() {
        QFETCH(int, id);
        ProgramDir dir;
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), dir.options());
        QVERIFY(app.initInstance());
        app.mainFrame()->execute(id);
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(messages.shown[0].text, QStringLiteral("This command is not yet available."));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"

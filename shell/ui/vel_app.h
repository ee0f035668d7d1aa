#pragma once
// The application object: start-up (tone table, configuration file beside
// the program, interface language and its language library, recent files,
// the document, the main window and the view), the file commands and the
// guard that asks before unsaved work is dropped.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>

#include "image/family.h"
#include "image/language.h"
#include "shell/config_file.h"
#include "shell/startup_rules.h"

class QSettings;
class QTranslator;
class CVelView;

class QPrinter;

namespace velui {

class CMainFrame;
class CVelDoc;
class CHelpWindow;
class CHelpKeyFilter;
class CProgramCommands;
class CBrandingIcon;
class CTextFormCommands;

/// Where start-up looks. Every field left empty takes the running program's
/// own value, so tests can start an application in a directory of their own.
struct StartupOptions {
    QString programPath;    // full path of the executable; default QCoreApplication::applicationFilePath()
    QString localeName;     // e.g. "zh_CN"; default QLocale::system().name()
    QString settingsFile;   // recent-file list in this INI file instead of the per-user store
    QStringList arguments;  // command-line arguments after the program name
    QString userConfigDir;  // the user's configuration folder; default from the environment (velcore's rule)
    QRect availableArea;    // the screen area the window opens in; default the screen's available geometry
    bool show = true;       // show the main window at the end of start-up
};

class CVelApp : public QObject {
    Q_OBJECT
public:
    CVelApp(const vel::Family& family, StartupOptions options, QObject* parent = nullptr);
    ~CVelApp() override;

    /// Runs the start-up steps; false ends the application (a message was shown).
    bool initInstance();

    const vel::Family& family() const { return family_; }
    QString programDirectory() const { return programDir_; }
    QString programBaseName() const { return programBase_; }
    /// Name of the language library (without ".qm"); empty for a family with one language.
    QString languageBaseName() const { return languageBase_; }
    /// The .qm file start-up loaded, or tried to load.
    QString languageFile() const { return languageFile_; }
    vel::Lang displayLang() const { return displayLang_; }
    /// The configuration file that was read (empty when none).
    QString configPath() const;
    const vel::CConfigFile& config() const { return config_; }
    /// The folder of the program's help pages (of the interface language).
    QString helpFolder() const;
    /// The icon file a branded program shows, or nullptr for the others.
    const CBrandingIcon* brandingIcon() const { return brandingIcon_.get(); }
    /// One of the program's own files (or folders), `relativePath` such as
    /// "VM_CH128.ico": beside the program, else in the installed data folder;
    /// when in neither, where the program expects it.
    QString programFile(const QString& relativePath) const;

    CMainFrame* mainFrame() const { return frame_.get(); }
    CVelDoc* document() const { return doc_.get(); }
    CVelView* view() const { return view_; }
    CHelpWindow* helpWindow() const;
    /// Read, Write, Test Mode and the simulated radio.
    CProgramCommands* programCommands() const { return program_.get(); }
    /// Import and Export Text Form (families with a text form), else nullptr.
    CTextFormCommands* textFormCommands() const { return textForm_.get(); }

    QStringList recentFiles() const { return recent_; }

    // File commands, as the menu runs them. Each returns whether it went through.
    bool onFileNew();
    bool onFileOpen();
    bool onFileSave();
    bool onFileSaveAs();
    bool onRecentFile(int index);
    /// File › Open Backup: a backup saved before a write, from the backups folder.
    bool onOpenBackup();
    /// Opens a file dropped on the window.
    bool onDropFile(const QString& path);
    /// Opens `path` after the unsaved-changes question (used by all open paths).
    bool openDocumentFile(const QString& path);
    /// Asks "Save changes?" when saving now would change the file; false when
    /// the user cancels or the save fails.
    bool saveModified();

    /// Shows the message of a command that a later version carries out.
    void showNotYetAvailable();
    /// Help Topics (finder true) and context help (the contents page).
    void showHelp(bool finder);
    /// F1: the help page of `window` (the window in front), or the contents
    /// page when this program's help has no page for it. The help window
    /// opens above `window`, so that a modal dialog does not shut it out.
    void showContextHelp(QWidget* window);
    /// Sizes and places the main window for start-up: the last placement the
    /// user left when it fits the screen, else the program's size cut to the
    /// screen (StartupOptions::availableArea, else the screen's own area).
    void placeMainWindow();
    /// Remembers the main window's placement in the user's settings.
    void savePlacement();
    void showAbout();

    /// Text of the message shown when the language library cannot be loaded.
    /// When the configuration file named the library (LANGUAGE_FORCE=1),
    /// `configValue` is the LANGUAGE value read from `configFile`, and the
    /// message says so and how comments are cut from values.
    static QString LanguageLoadFailureText(const QString& file, const QString& configValue = QString(),
                                           const QString& configFile = QString());

private:
    bool loadLanguageLibrary();
    /// The help window of the interface language; nullptr (after a message)
    /// when its pages cannot be found.
    CHelpWindow* ensureHelpWindow(QWidget* messageParent);
    void createWindows();
    void installHandlers();
    void installReportHandlers();
    void installSettingsHandlers();
    void installEditHandlers();
    QPrinter& printer();
    bool processCommandLine();
    void newDocument();
    bool doOpen(const QString& path);
    void warnIfAnotherRadio(const QString& path);
    bool doSave(const QString& path);
    void addToRecentFiles(const QString& path);
    void removeFromRecentFiles(const QString& path);
    void loadRecentFiles();
    void saveRecentFiles();
    QString appTitle() const;
    /// Part `index` of the family's document string (2: the new file's name,
    /// 3: the file filter), translated where the language library has it.
    QString documentStringPart(int index) const;
    QString message(const char* text) const;
    void warn(const QString& text);

    // The family as this program shows it: a branded program names its Type
    // list's items after its configuration.
    vel::Family family_;
    StartupOptions options_;
    QString programPath_;
    QString programDir_;
    QString programBase_;
    vel::ProgramFolders folders_;
    QString languageBase_;
    QString languageFile_;
    vel::Lang displayLang_ = vel::Lang::English;
    vel::CConfigFile config_;
    bool configRead_ = false;
    std::unique_ptr<QSettings> settings_;
    std::unique_ptr<QTranslator> translator_;
    std::unique_ptr<QTranslator> qtTranslator_;
    QStringList recent_;
    std::unique_ptr<CVelDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<CProgramCommands> program_;   // goes before the frame it works on
    std::unique_ptr<CTextFormCommands> textForm_; // likewise
    CVelView* view_ = nullptr;   // owned by the frame
    QPointer<CHelpWindow> help_;   // owned by the frame, or by the dialog it was opened over
    CHelpKeyFilter* helpKeys_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    std::shared_ptr<CBrandingIcon> brandingIcon_;   // the "<program>.ico" of a branded program
};

/// The body of every application's main(): starts `family`'s application.
int RunApplication(int argc, char** argv, vel::FamilyId family);

}  // namespace velui

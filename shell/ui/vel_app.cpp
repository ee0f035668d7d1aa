#include "shell/ui/vel_app.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

#include "apps/marlowe/ui/dialogs.h"
#include "apps/marlowe/ui/text_form_commands.h"
#include "report/ui/report_printer.h"
#include "settings/optional_features_models.h"
#include "settings/ui/dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QLibraryInfo>
#include <QLocale>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTranslator>

#include "image/backup_files.h"
#include "image/encodings.h"
#include "link/port_names.h"
#include "shell/startup_rules.h"
#include "table/image_checks.h"
#include "shell/ui/about_dlg.h"
#include "shell/ui/branding.h"
#include "shell/ui/channel_csv_commands.h"
#include "shell/ui/command_table.h"
#include "shell/ui/context_help.h"
#include "shell/ui/help_window.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/message_box.h"
#include "shell/ui/program_commands.h"
#include "shell/ui/startup_check.h"
#include "shell/ui/vel_doc.h"
#include "table/ui/vel_view.h"

namespace velui {

namespace {

constexpr const char* kSettingsOrganization = "Local AppWizard-Generated Applications";
constexpr const char* kRecentGroup = "Recent File List";
// The main window's last placement: frame corner and client size, and
// whether it was maximised.
constexpr const char* kPlacementKey = "Window/Placement";
constexpr const char* kMaximizedKey = "Window/Maximized";

QString Tr(const char* text) { return QCoreApplication::translate("CVelApp", text); }

bool SamePath(const QString& a, const QString& b) {
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// "&Undo" with the step it undoes: "&Undo Edit channel 3"; a Chinese item
// keeps its mnemonic at the end ("撤销 读频(&U)"), and a shortcut after a tab
// stays after it.
QString NamedStep(const QString& item, QString step) {
    if (step.isEmpty()) return item;
    step.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QString head = item.section(QLatin1Char('\t'), 0, 0);
    const QString tail = item.mid(head.size());
    static const QRegularExpression mnemonicAtEnd(QStringLiteral("\\(&.\\)$"));
    const QRegularExpressionMatch m = mnemonicAtEnd.match(head);
    if (m.hasMatch())
        head.insert(m.capturedStart(), QLatin1Char(' ') + step);
    else
        head += QLatin1Char(' ') + step;
    return head + tail;
}

}  // namespace

CVelApp::CVelApp(const vel::Family& family, StartupOptions options, QObject* parent)
    : QObject(parent), family_(family), options_(std::move(options)) {
    EnsureShellResources();
}

CVelApp::~CVelApp() {
    // The view belongs to the frame; the document outlives both. The
    // programming commands work on the frame and go first.
    textForm_.reset();
    program_.reset();
    frame_.reset();
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
    if (qtTranslator_) QCoreApplication::removeTranslator(qtTranslator_.get());
}

QString CVelApp::LanguageLoadFailureText(const QString& file, const QString& configValue, const QString& configFile) {
    // The application's own string, naming the file that was actually tried.
    // It is shown before any language library is loaded, so it stands in
    // English.
    QString text = QStringLiteral("Load Resource DLL %1 Fail").arg(QDir::toNativeSeparators(file));
    if (configFile.isEmpty()) return text;
    // A name from the configuration file: show the value exactly as read
    // (quoted, so that trailing blanks show), where it came from, and the
    // rule that decides what of a line is the value.
    text += QStringLiteral("\n\n") +
            Tr(QT_TRANSLATE_NOOP("CVelApp", "The name is the value of LANGUAGE in [MAIN] of %1 (LANGUAGE_FORCE=1), "
                                            "read as \"%2\"."))
                .arg(QDir::toNativeSeparators(configFile), configValue) +
            QStringLiteral("\n") +
            Tr(QT_TRANSLATE_NOOP("CVelApp", "A value runs to the end of its line: only \"//\", \"/*\" or a tab "
                                            "followed by \";\" cut a comment off. Put comments on lines of their own."));
    return text;
}

QString CVelApp::configPath() const { return configRead_ ? QString::fromStdString(config_.path()) : QString(); }

bool CVelApp::initInstance() {
    // The program's own directory, from the running executable: the
    // configuration file, the language libraries and the help pages sit
    // beside the program whatever the working directory is.
    programPath_ = options_.programPath.isEmpty() ? QCoreApplication::applicationFilePath() : options_.programPath;
    const QFileInfo program(programPath_);
    programDir_ = program.absolutePath();
    programBase_ = QString::fromStdString(vel::ExecutableBaseName(program.absoluteFilePath().toStdString()));

    // Recent files: four entries, per user.
    if (!options_.settingsFile.isEmpty())
        settings_ = std::make_unique<QSettings>(options_.settingsFile, QSettings::IniFormat);
    else
        settings_ = std::make_unique<QSettings>(QString::fromLatin1(kSettingsOrganization), programBase_);
    loadRecentFiles();

    // The tone table is built once, before any window shows a tone.
    (void)vel::ToneTable();

    // The program's own files: beside it, else in the installed data folder.
    const QString userConfigDir = options_.userConfigDir.isEmpty()
                                      ? QString::fromStdString(vel::UserConfigDirectory())
                                      : options_.userConfigDir;
    folders_ = vel::MakeProgramFolders(programDir_.toStdString(), programBase_.toStdString(),
                                       userConfigDir.toStdString());

    // The configuration file, read once and never written. A family that
    // keeps its settings in it (language, branding) has it created empty
    // when there is none; the others only read one that exists (its [PORTS]).
    const bool usesConfig = family_.bilingual || family_.app.titleFromConfig;
    configRead_ = vel::OpenProgramConfig(config_, folders_, (programBase_ + QStringLiteral(".ini")).toStdString(),
                                         usesConfig);
    if (family_.app.titleFromConfig) {
        // A branded program names its Type list's items after its sellers'
        // models; the items, and the bytes they store, stay the family's.
        vel::NameTypeItems(family_, vel::ConfiguredTypeNames(config_));
    }
    if (family_.app.iconFromFile) {
        // "<program>.ico" beside the program wins, as the configuration file
        // does; then the installed data folder, then the current directory.
        const std::string icon = (programBase_ + QStringLiteral(".ico")).toStdString();
        brandingIcon_ = std::make_shared<CBrandingIcon>(
            QStringList{QString::fromStdString(vel::JoinPath(folders_.programDir, icon)),
                        QString::fromStdString(vel::JoinPath(folders_.dataDir, icon)),
                        QDir::current().filePath(QString::fromStdString(icon))});
    }

    if (family_.bilingual) {
        const QString locale = options_.localeName.isEmpty() ? QLocale::system().name() : options_.localeName;
        const int primary = vel::PrimaryLanguageFromLocale(locale.toStdString());
        languageBase_ = QString::fromStdString(
            vel::LanguageBaseName(programBase_.toStdString(), primary, config_));
        displayLang_ = vel::UiLang(languageBase_.toStdString(), programBase_.toStdString());
        if (!loadLanguageLibrary()) {
            const bool fromConfig = vel::LanguageForced(config_);
            ShowMessage(nullptr, QMessageBox::Warning, programBase_,
                        LanguageLoadFailureText(languageFile_, fromConfig ? languageBase_ : QString(),
                                                fromConfig ? configPath() : QString()));
            return false;
        }
    } else {
        displayLang_ = family_.uiLang(vel::Lang::English);
        if (displayLang_ == vel::Lang::Chinese) {
            // A one-language Chinese build: its texts come with the program.
            languageBase_ = programBase_ + QStringLiteral("_CH");
            loadLanguageLibrary();
        }
    }

    createWindows();
    installHandlers();
    // A configuration file that is there but cannot be read (a folder, a
    // named pipe, a link to nothing) is reported rather than passed over.
    const std::string unread =
        configRead_ || !config_.failure()
            ? std::string()
            : vel::FindConfigFile(folders_, (programBase_ + QStringLiteral(".ini")).toStdString(), vel::EntryExists);
    if (!unread.empty()) {
        warn(Tr(QT_TRANSLATE_NOOP("CVelApp", "The configuration file %1 cannot be read: %2. Its settings are not used."))
                 .arg(QDir::toNativeSeparators(QString::fromStdString(unread)),
                      QString::fromStdString(config_.failure()->in(displayLang_))));
    }
    if (!processCommandLine()) return false;

    if (options_.show) {
        placeMainWindow();
        if (settings_->value(QString::fromLatin1(kMaximizedKey)).toBool())
            frame_->showMaximized();
        else
            frame_->show();
        frame_->raise();
        frame_->activateWindow();
    }
    return true;
}

bool CVelApp::loadLanguageLibrary() {
    // The language library is a Qt translation file: a bare name is looked up
    // beside the program, then in the installed data folder; a path is taken
    // as it stands.
    const QFileInfo named(languageBase_ + QStringLiteral(".qm"));
    languageFile_ = named.isAbsolute() ? named.filePath() : programFile(named.filePath());
    auto translator = std::make_unique<QTranslator>();
    if (!QFileInfo(languageFile_).isFile() || !translator->load(languageFile_)) return false;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    if (displayLang_ == vel::Lang::Chinese) {
        // Qt's own dialogs (file dialogs, standard buttons) in Chinese too.
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(QStringLiteral("qt_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt.get());
            qtTranslator_ = std::move(qt);
        }
    }
    return true;
}

QString CVelApp::documentStringPart(int index) const {
    // The parts as the bilingual family's language library knows them.
    [[maybe_unused]] static const char* const kParts[] = {QT_TRANSLATE_NOOP("CVelApp", "Write Data"),
                                                          QT_TRANSLATE_NOOP("CVelApp", "Channel Data (*.sin)")};
    const QStringList parts = QString::fromStdString(family_.app.documentString.in(displayLang_)).split(QLatin1Char('\n'));
    if (index < 0 || index >= parts.size()) return {};
    return Tr(parts[index].toUtf8().constData());
}

QString CVelApp::appTitle() const {
    if (family_.app.titleFromConfig) return QString::fromStdString(config_.GetValue("MAIN", "TITLE", ""));
    // The bilingual family's texts are translated by its language library;
    // a one-language family's texts are shown as the descriptor gives them.
    return QCoreApplication::translate("CMainFrame", family_.app.windowTitle.in(displayLang_).c_str());
}

void CVelApp::createWindows() {
    doc_ = std::make_unique<CVelDoc>(family_, displayLang_);
    FrameLook look;
    look.title = appTitle();
    look.aboutItem = QCoreApplication::translate("CMainFrame", family_.app.aboutMenuItem.in(displayLang_).c_str());
    look.size = QSize(family_.app.windowWidth, family_.app.windowHeight);
    if (family_.app.windowX && family_.app.windowY) look.position = QPoint(*family_.app.windowX, *family_.app.windowY);
    frame_ = std::make_unique<CMainFrame>(GetFrameProfile(family_.id), look);
    if (brandingIcon_) ShowBrandingIconOn(frame_.get(), brandingIcon_);
    if (family_.app.titleFromConfig) KeepEmptyTitleEmpty(frame_.get());
    view_ = new CVelView(family_, displayLang_, frame_.get());
    view_->setImage(&doc_->image());
    frame_->setCentralWidget(view_);
    doc_->setStoredImageSource([this] { return view_->storedImage(); });
    doc_->setTableAccess([this] { return view_->table(); },
                         [this](const vel::ChannelTable& table) { view_->setTable(table); });
    connect(view_, &CVelView::statusHint, frame_.get(), &CMainFrame::setPaneText);

    std::map<QString, QString> devices;
    for (const std::string& port : vel::StandardPortNames())
        devices[QString::fromStdString(port)] =
            QString::fromStdString(vel::ResolvePortDevice(port, configRead_ ? &config_ : nullptr));
    frame_->setPortDevices(devices);
    frame_->setRecentFiles(recent_);
}

void CVelApp::installHandlers() {
    CMainFrame* f = frame_.get();
    f->setHandler(ID_FILE_NEW, [this] { onFileNew(); });
    f->setHandler(ID_FILE_OPEN, [this] { onFileOpen(); });
    f->setHandler(ID_FILE_SAVE, [this] { onFileSave(); });
    f->setHandler(ID_FILE_SAVE_AS, [this] { onFileSaveAs(); });
    for (int i = 0; i < kRecentFileCount; ++i) f->setHandler(ID_FILE_MRU_FILE1 + i, [this, i] { onRecentFile(i); });
    f->setHandler(ID_APP_EXIT, [f] { f->close(); });
    f->setCloseGuard([this] {
        if (!saveModified()) return false;
        savePlacement();
        return true;
    });
    f->setDropHandler([this](const QString& path) { onDropFile(path); });

    // Read, Write, Test Mode and the simulated radio.
    program_ = std::make_unique<CProgramCommands>(family_, displayLang_, *f, *view_, *doc_,
                                                  configRead_ ? &config_ : nullptr);
    program_->install();
    program_->setSettings(settings_.get());
    f->setHandler(ID_FILE_OPEN_BACKUP, [this] { onOpenBackup(); });
    // Commands that later versions carry out.
    for (int id : {ID_OPTIONAL_FEATURES, ID_OPTIONAL_FEATURES_EDIT, ID_TWO_TONE, ID_KEY_ASSIGNMENT})
        f->setHandler(id, [this] { showNotYetAvailable(); });
    installReportHandlers();
    installSettingsHandlers();
    installEditHandlers();
    InstallChannelCsvCommands(*f, *view_, *doc_, displayLang_);
    f->setHandler(ID_EDIT_DATA, [this] { view_->editData(); });
    f->setHandler(ID_HELP_FINDER, [this] { showHelp(true); });
    f->setHandler(ID_CONTEXT_HELP, [this] { showHelp(false); });
    // F1 in the main window is its accelerator; in every other window of
    // the program the key filter catches it.
    f->setHandler(ID_HELP, [this] { showContextHelp(frame_.get()); });
    helpKeys_ = new CHelpKeyFilter([this](QWidget* w) { showContextHelp(w); }, this);
    qApp->installEventFilter(helpKeys_);
    f->setHandler(ID_APP_ABOUT, [this] { showAbout(); });
}

void CVelApp::installReportHandlers() {
    CMainFrame* f = frame_.get();
    // The report prints the table as the grid shows it, the cell being
    // edited included.
    f->setHandler(ID_FILE_PRINT, [this] {
        view_->commitCurrentCell();
        PrintReport(frame_.get(), printer(), family_, doc_->image(), view_->table(), displayLang_);
    });
    f->setHandler(ID_FILE_PRINT_PREVIEW, [this] {
        view_->commitCurrentCell();
        PreviewReport(frame_.get(), printer(), family_, doc_->image(), view_->table(), displayLang_);
    });
    f->setHandler(ID_FILE_PRINT_SETUP, [this] { PrintSetup(frame_.get(), printer()); });
    f->setHandler(ID_FILE_EXPORT_PDF, [this] {
        view_->commitCurrentCell();
        QString suggested;
        if (!doc_->pathName().isEmpty()) {
            const QFileInfo info(doc_->pathName());
            suggested = info.dir().filePath(info.completeBaseName() + QStringLiteral(".pdf"));
        }
        ExportReportPdf(frame_.get(), printer(), family_, doc_->image(), view_->table(), displayLang_, suggested);
    });
}

void CVelApp::installSettingsHandlers() {
    // The radio-wide settings and two-tone dialogs belong to the full
    // application's image; the families bring their own dialogs.
    CMainFrame* f = frame_.get();
    if (family_.textForm) {
        textForm_ = std::make_unique<CTextFormCommands>(*f, *view_, *doc_);
        textForm_->install();
    }
    if (family_.id == vel::FamilyId::Marlowe) {
        f->setHandler(ID_KEY_ASSIGNMENT, [this] { RunKeyAssignmentDialog(frame_.get(), doc_->image()); });
        f->setHandler(ID_OPTIONAL_FEATURES_EDIT,
                      [this] { RunMarloweOptionalFeaturesDialog(frame_.get(), doc_->image()); });
    }
    if (family_.id != vel::FamilyId::Velmar_V) {
        if (HasSettingsDialog(family_.id, vel::kOptionalFeaturesDialog)) {
            f->setHandler(ID_OPTIONAL_FEATURES, [this] {
                RunSettingsDialog(frame_.get(), family_, doc_->image(), displayLang_, vel::kOptionalFeaturesDialog);
            });
        }
        return;
    }
    f->setHandler(ID_OPTIONAL_FEATURES,
                  [this] { RunOptionalFeaturesDialog(frame_.get(), doc_->image(), displayLang_); });
    f->setHandler(ID_TWO_TONE, [this] {
        RunTwoToneDialog(frame_.get(), doc_->image(), displayLang_, languageBase_ == QStringLiteral("english"));
    });
    view_->setChannelDialogHandler([this](int row) {
        ChannelTableCallbacks table{[this] { view_->storeChannelGrid(); }, [this] { view_->fillChannelGrid(); }};
        RunChannelEditDialog(frame_.get(), doc_->image(), row, table);
    });
}

void CVelApp::installEditHandlers() {
    CMainFrame* f = frame_.get();
    CVelView* v = view_;
    f->setHandler(ID_EDIT_UNDO, [this] {
        view_->commitCurrentCell();
        doc_->undo();
    });
    f->setHandler(ID_EDIT_REDO, [this] {
        view_->commitCurrentCell();
        doc_->redo();
    });
    f->setHandler(ID_EDIT_CUT, [v] { v->cutSelection(); });
    f->setHandler(ID_EDIT_COPY, [v] { v->copySelection(); });
    f->setHandler(ID_EDIT_PASTE, [v] { v->pasteClipboard(false); });
    f->setHandler(ID_EDIT_PASTE_INSERTED, [v] { v->pasteClipboard(true); });
    f->setHandler(ID_EDIT_INSERT_CHANNEL, [v] { v->insertEmptyChannels(); });
    f->setHandler(ID_EDIT_DELETE_CHANNEL, [v] { v->deleteChannels(); });
    f->setHandler(ID_EDIT_MOVE_UP, [v] { v->moveChannels(-1); });
    f->setHandler(ID_EDIT_MOVE_DOWN, [v] { v->moveChannels(+1); });
    f->setHandler(ID_EDIT_FILL_DOWN, [v] { v->fillDown(); });
    f->setHandler(ID_EDIT_CLEAR, [v] { v->clearSelection(); });
    f->setHandler(ID_EDIT_SELECT_ALL, [v] { v->selectAllChannels(); });

    QList<QAction*> menu;
    for (int id : EditCommands()) menu.append(id == ID_SEPARATOR ? nullptr : f->action(id));
    view_->setContextMenuActions(menu);

    // Every change of the document becomes one undo step: cell commits and
    // row operations announce themselves; every command of the window (a
    // dialog's OK, an import) is recorded when it returns, under its menu
    // text; a session is recorded when it ends (a completed Read).
    connect(view_, &CVelView::documentChanged, doc_.get(), [this](const QString& what) { doc_->recordChange(what); });
    f->setAfterCommand([this](int id) { doc_->recordChange(frame_->commandLabel(id)); });
    connect(program_.get(), &CProgramCommands::sessionFinished, doc_.get(), [this] {
        const bool read = program_->direction() == vel::Direction::Read;
        doc_->recordChange(frame_->commandLabel(read ? ID_READ_FROM_RADIO : ID_WRITE_TO_RADIO));
    });
    QUndoStack* history = doc_->undoStack();
    QAction* undo = f->action(ID_EDIT_UNDO);
    QAction* redo = f->action(ID_EDIT_REDO);
    undo->setEnabled(history->canUndo());
    redo->setEnabled(history->canRedo());
    connect(history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    // The items name the step they would undo or redo.
    connect(history, &QUndoStack::undoTextChanged, undo,
            [undo, item = undo->text()](const QString& step) { undo->setText(NamedStep(item, step)); });
    connect(history, &QUndoStack::redoTextChanged, redo,
            [redo, item = redo->text()](const QString& step) { redo->setText(NamedStep(item, step)); });
}

QPrinter& CVelApp::printer() {
    // One printer for the whole run, so that Print Setup's choices carry
    // over to Print, Preview and Export PDF.
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

bool CVelApp::processCommandLine() {
    // The one argument that is not an option names a file to open. A file
    // that cannot be opened is reported and the application starts with a
    // new document instead of ending.
    QString file;
    for (const QString& arg : options_.arguments) {
        if (arg.startsWith(QLatin1Char('-')) || arg.startsWith(QLatin1Char('/'))) {
            if (QFileInfo(arg).isFile()) file = arg;   // an absolute path on POSIX
            continue;
        }
        file = arg;
    }
    newDocument();
    if (!file.isEmpty()) doOpen(file);
    return true;
}

QString CVelApp::message(const char* text) const { return Tr(text); }

void CVelApp::warn(const QString& text) {
    ShowMessage(frame_.get(), QMessageBox::Warning, appTitle(), text);
}

void CVelApp::newDocument() {
    doc_->onNewDocument();
    view_->initialUpdate();
    doc_->markClean();
    doc_->startHistory();
}

bool CVelApp::onFileNew() {
    if (!saveModified()) return false;
    newDocument();
    return true;
}

bool CVelApp::onFileOpen() {
    if (!saveModified()) return false;
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = Tr(QT_TRANSLATE_NOOP("CVelApp", "Open"));
    request.suggested = doc_->pathName().isEmpty() ? QString() : QFileInfo(doc_->pathName()).absolutePath();
    request.filter = documentStringPart(3) + QStringLiteral(";;") + Tr(QT_TRANSLATE_NOOP("CVelApp", "All Files (*)"));
    const QString path = AskFileName(frame_.get(), request);
    if (path.isEmpty()) return false;
    return doOpen(path);
}

bool CVelApp::onOpenBackup() {
    if (!saveModified()) return false;
    // The backups a write saved: the file dialog opens on their folder and
    // offers this program's ones first.
    const QString folder = QString::fromStdString(vel::DefaultBackupFolder());
    const QString program = QString::fromStdString(family_.name);
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = Tr(QT_TRANSLATE_NOOP("CVelApp", "Open Backup"));
    request.suggested = folder;
    request.filter = Tr(QT_TRANSLATE_NOOP("CVelApp", "Backups of %1 (%1-*.sin)")).arg(program) + QStringLiteral(";;") +
                     Tr(QT_TRANSLATE_NOOP("CVelApp", "Channel Data (*.sin)"));
    const QString path = AskFileName(frame_.get(), request);
    if (path.isEmpty()) return false;
    return doOpen(path);
}

bool CVelApp::openDocumentFile(const QString& path) {
    if (!saveModified()) return false;
    return doOpen(path);
}

bool CVelApp::onRecentFile(int index) {
    if (index < 0 || index >= recent_.size()) return false;
    const QString path = recent_.at(index);   // a copy: saving first may reorder the list
    return openDocumentFile(path);
}

bool CVelApp::onDropFile(const QString& path) {
    frame_->raise();
    frame_->activateWindow();
    return openDocumentFile(path);
}

bool CVelApp::doOpen(const QString& path) {
    const CVelDoc::Outcome out = doc_->openDocument(path);
    if (!out.ok) {
        // The document is as it was; a recent entry that no longer opens goes.
        warn(out.message);
        removeFromRecentFiles(path);
        return false;
    }
    view_->initialUpdate();
    doc_->markClean();
    doc_->startHistory();
    addToRecentFiles(doc_->pathName());
    if (!out.warning.isEmpty()) warn(out.warning);
    warnIfAnotherRadio(path);
    return true;
}

void CVelApp::warnIfAnotherRadio(const QString& path) {
    // Any bytes open; a file that breaks many of the family's rules is
    // probably another radio's, and a write would send its nonsense.
    const vel::Lang lang = family_.uiLang(displayLang_);
    const std::vector<vel::ImageProblem> problems = vel::CheckImage(family_, lang, doc_->image());
    if (!vel::LooksLikeAnotherRadio(problems)) return;
    QStringList lines{QString::fromStdString(
        vel::AnotherRadioWarning(QFileInfo(path).fileName().toStdString(), vel::ErrorCount(problems), lang))};
    constexpr int kShown = 10;
    for (std::size_t i = 0; i < problems.size() && i < static_cast<std::size_t>(kShown); ++i)
        lines << QString::fromStdString(vel::ProblemLine(problems[i], lang));
    if (problems.size() > static_cast<std::size_t>(kShown)) lines << QStringLiteral("…");
    warn(lines.join(QLatin1Char('\n')));
}

bool CVelApp::onFileSave() {
    if (doc_->pathName().isEmpty()) return onFileSaveAs();
    return doSave(doc_->pathName());
}

bool CVelApp::onFileSaveAs() {
    view_->commitCurrentCell();
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.title = Tr(QT_TRANSLATE_NOOP("CVelApp", "Save As"));
    request.suggested = doc_->pathName().isEmpty() ? documentStringPart(2) + QStringLiteral(".sin") : doc_->pathName();
    request.filter = documentStringPart(3);
    QString path = AskFileName(frame_.get(), request);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".sin");
    return doSave(path);
}

bool CVelApp::doSave(const QString& path) {
    // What the grid shows is what is saved: the open editor first, then the table.
    view_->commitCurrentCell();
    view_->storeChannelGrid();
    const CVelDoc::Outcome out = doc_->saveDocument(path);
    if (!out.ok) {
        warn(out.message);
        return false;
    }
    addToRecentFiles(doc_->pathName());
    return true;
}

bool CVelApp::saveModified() {
    view_->commitCurrentCell();
    if (!doc_->isModified()) return true;
    const QMessageBox::StandardButton answer =
        ShowMessage(frame_.get(), QMessageBox::Question, appTitle(),
                    Tr(QT_TRANSLATE_NOOP("CVelApp", "Save changes to %1?")).arg(doc_->title()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) return onFileSave();
    return answer == QMessageBox::Discard;
}

void CVelApp::showNotYetAvailable() {
    ShowMessage(frame_.get(), QMessageBox::Information, appTitle(),
                Tr(QT_TRANSLATE_NOOP("CVelApp", "This command is not yet available.")));
}

QString CVelApp::helpFolder() const {
    // The first folder that holds pages; when none does, the last (the
    // family's own), so the message names where the pages belong.
    QString folder;
    for (const std::string& name :
         vel::HelpFolderNames(family_, languageBase_.toStdString(), programBase_.toStdString())) {
        folder = programFile(QStringLiteral("help/") + QString::fromStdString(name));
        if (QFileInfo::exists(QDir(folder).filePath(QStringLiteral("index.html")))) break;
    }
    return folder;
}

QString CVelApp::programFile(const QString& relativePath) const {
    return QDir::fromNativeSeparators(QString::fromStdString(vel::FindProgramFile(folders_, relativePath.toStdString())));
}

CHelpWindow* CVelApp::helpWindow() const { return help_.data(); }

CHelpWindow* CVelApp::ensureHelpWindow(QWidget* messageParent) {
    const QString folder = helpFolder();
    if (help_ && help_->folder() != folder) delete help_.data();
    if (!help_) help_ = new CHelpWindow(folder, frame_.get());
    if (!help_->isValid()) {
        ShowMessage(messageParent, QMessageBox::Warning, appTitle(),
                    Tr(QT_TRANSLATE_NOOP("CVelApp", "The help pages %1 cannot be found."))
                        .arg(QDir::toNativeSeparators(QDir(folder).filePath(QStringLiteral("index.html")))));
        return nullptr;
    }
    return help_;
}

void CVelApp::showHelp(bool finder) {
    CHelpWindow* help = ensureHelpWindow(frame_.get());
    if (!help) return;
    if (help->parentWidget() != frame_.get()) help->setParent(frame_.get(), Qt::Window);
    if (finder)
        help->showFinder();
    else
        help->showContents();
}

namespace {

/// Makes `owner` the help window's parent, where it was on the screen and
/// shown if it was.
void MoveHelpTo(CHelpWindow* help, QWidget* owner) {
    const bool wasShown = help->isVisible();
    const QRect where = help->geometry();
    help->setParent(owner, Qt::Window);
    help->setGeometry(where);
    if (wasShown) help->show();
}

/// Gives the help window back to the main window when the dialog it was
/// opened over closes, so that it outlives the dialog and stays open.
class ReturnHelpOnHide : public QObject {
public:
    ReturnHelpOnHide(CHelpWindow* help, QWidget* home, QWidget* owner) : QObject(owner), help_(help), home_(home) {
        owner->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && watched == parent()) {
            if (help_ && home_ && help_->parentWidget() == parent()) MoveHelpTo(help_, home_);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<CHelpWindow> help_;
    QPointer<QWidget> home_;
};

}  // namespace

void CVelApp::showContextHelp(QWidget* window) {
    QWidget* front = window ? window->window() : frame_.get();
    CHelpWindow* help = ensureHelpWindow(front);
    if (!help) return;
    // A modal dialog shuts out every window that is not its own; the help
    // window becomes the dialog's while it is open.
    QWidget* owner = frame_.get();
    if (front == help)
        owner = help->parentWidget() ? help->parentWidget()->window() : owner;
    else if (front->isModal())
        owner = front;
    if (help->parentWidget() != owner) {
        MoveHelpTo(help, owner);
        if (owner != frame_.get()) new ReturnHelpOnHide(help, frame_.get(), owner);
    }
    help->openPage(HelpPageFor(front, help->folder()));
    help->show();
    help->raise();
    help->activateWindow();
}

void CVelApp::placeMainWindow() {
    std::optional<vel::WindowPlacement> saved;
    const QRect remembered = settings_->value(QString::fromLatin1(kPlacementKey)).toRect();
    if (remembered.isValid())
        saved = vel::WindowPlacement{remembered.x(), remembered.y(), remembered.width(), remembered.height()};
    QRect area = options_.availableArea;
    if (area.isNull()) {
        // The screen the remembered window was on, else the window's own.
        QScreen* screen = saved ? QGuiApplication::screenAt(remembered.center()) : nullptr;
        if (!screen) screen = frame_->screen();
        if (!screen) screen = QGuiApplication::primaryScreen();
        if (screen) area = screen->availableGeometry();
    }
    frame_->placeAtStart(area, view_->widthForAllColumns(), saved);
}

void CVelApp::savePlacement() {
    const vel::WindowPlacement p = frame_->placement();
    settings_->setValue(QString::fromLatin1(kPlacementKey), QRect(p.x, p.y, p.width, p.height));
    settings_->setValue(QString::fromLatin1(kMaximizedKey), frame_->isMaximized());
    settings_->sync();
}

void CVelApp::showAbout() {
    const FrameProfile& profile = GetFrameProfile(family_.id);
    QString caption, line1, line2;
    if (family_.app.titleFromConfig) {
        caption = QString::fromStdString(config_.GetValue("ABOUT", "TITLE", ""));
        line1 = QString::fromStdString(config_.GetValue("ABOUT", "COMPANY", ""));
        line2 = QString::fromStdString(config_.GetValue("ABOUT", "COMPANY1", ""));
        const QString version = QString::fromStdString(config_.GetValue("ABOUT", "VERSION", ""));
        if (!version.isEmpty()) line2 += QStringLiteral("\n") + version;
    } else {
        const std::string& given = family_.app.aboutCaption.in(displayLang_);
        caption = QCoreApplication::translate("CMainFrame", given.empty() ? profile.aboutCaption : given.c_str());
        line1 = QCoreApplication::translate("CMainFrame", profile.aboutLine1);
        line2 = QCoreApplication::translate("CMainFrame", profile.aboutLine2);
    }
    CAboutDlg dlg(caption, line1, line2, frame_.get());
    if (brandingIcon_) ShowBrandingPictureIn(dlg.picture(), brandingIcon_);
    if (family_.app.titleFromConfig) KeepEmptyTitleEmpty(&dlg);
    dlg.exec();
}

void CVelApp::loadRecentFiles() {
    recent_.clear();
    settings_->beginGroup(QString::fromLatin1(kRecentGroup));
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString path = settings_->value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty()) recent_.append(path);
    }
    settings_->endGroup();
}

void CVelApp::saveRecentFiles() {
    settings_->beginGroup(QString::fromLatin1(kRecentGroup));
    settings_->remove(QString());
    for (int i = 0; i < recent_.size(); ++i) settings_->setValue(QStringLiteral("File%1").arg(i + 1), recent_[i]);
    settings_->endGroup();
    settings_->sync();
    if (frame_) frame_->setRecentFiles(recent_);
}

void CVelApp::addToRecentFiles(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent_.erase(std::remove_if(recent_.begin(), recent_.end(), [&](const QString& p) { return SamePath(p, absolute); }),
                  recent_.end());
    recent_.prepend(absolute);
    while (recent_.size() > kRecentFileCount) recent_.removeLast();
    saveRecentFiles();
}

void CVelApp::removeFromRecentFiles(const QString& path) {
    const auto before = recent_.size();
    recent_.erase(std::remove_if(recent_.begin(), recent_.end(), [&](const QString& p) { return SamePath(p, path); }),
                  recent_.end());
    if (recent_.size() != before) saveRecentFiles();
}

int RunApplication(int argc, char** argv, vel::FamilyId familyId) {
    QApplication qapp(argc, argv);
    const vel::Family& family = vel::GetFamily(familyId);
    QApplication::setApplicationName(QString::fromStdString(family.name));
    StartupOptions options;
    options.arguments = QApplication::arguments().mid(1);
    const bool check = WantsStartupCheck(options.arguments);
    if (check) {
        options.show = false;
        options.arguments.removeAll(QString::fromLatin1(kStartupCheckOption));
        InstallStartupCheckMessages();
    }
    CVelApp app(family, options);
    if (!app.initInstance()) return 1;
    if (check) return ReportStartupCheck(app);
    return QApplication::exec();
}

}  // namespace velui

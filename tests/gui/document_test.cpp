// The document through the application's commands: New, Open, Save, Save
// As, recent files, drops and the command line; no work is dropped without
// asking, a refused file changes nothing, and what is saved is what the
// channel table stores.

#include <QAction>
#include <QApplication>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "shell/ui/command_table.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/program_commands.h"
#include "shell/ui/progress_dialog.h"
#include "shell/ui/vel_app.h"
#include "shell/ui/vel_doc.h"
#include "shell_test_support.h"
#include "table/channel_table.h"
#include "table/ui/cmsflexgrid.h"
#include "table/ui/vel_view.h"

using namespace velui;
using shelltest::Bytes;
using shelltest::FileDialogScript;
using shelltest::MessageScript;
using shelltest::ProgramDir;

namespace {

const vel::Family& Velmar() { return vel::GetFamily(vel::FamilyId::Velmar_V); }

// A byte that only the optional-features dialog edits: the channel table's
// store never writes it, so an edit there is a direct edit of the image.
constexpr int kDirectByte = 0x820;

// A channel data file different from a new document.
QByteArray SampleFile(char fill) {
    vel::Image img = vel::NewDocumentImage(Velmar());
    img[kDirectByte] = static_cast<vel::Byte>(fill);
    return Bytes(img);
}

// The application delivers drops only to the target of a running drag; the
// window's own handling is reached directly.
void Deliver(QObject* window, QEvent* event) { window->event(event); }

enum class Path { New, Open, Drop, Recent, Exit, Close };

}  // namespace

Q_DECLARE_METATYPE(Path)

class DocumentTest : public QObject {
    Q_OBJECT

    struct Session {
        ProgramDir dir;
        MessageScript messages;
        FileDialogScript dialogs;
        std::unique_ptr<CVelApp> app;
        explicit Session(QStringList args = {}) {
            velui::StartupOptions o = dir.options();
            o.arguments = std::move(args);
            app = std::make_unique<CVelApp>(Velmar(), o);
        }
        bool start() { return app->initInstance(); }
        CVelDoc* doc() const { return app->document(); }
        CMainFrame* frame() const { return app->mainFrame(); }
    };

private slots:
    void newDocumentIsClean() {
        Session s;
        QVERIFY(s.start());
        QCOMPARE(s.doc()->image(), vel::NewDocumentImage(Velmar()));
        QVERIFY(s.doc()->pathName().isEmpty());
        QVERIFY(!s.doc()->isModified());
        // Opening a file and doing nothing leaves nothing to save.
        s.dir.writeFile("a.sin", SampleFile('7'));
        s.dialogs.answers = {s.dir.path("a.sin")};
        QVERIFY(s.app->onFileOpen());
        QVERIFY(!s.doc()->isModified());
        QCOMPARE(s.messages.shown.size(), size_t(0));
    }

    void unsavedChanges_data() {
        QTest::addColumn<Path>("path");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("answer");   // QMessageBox button, 0 when no question is expected
        const std::pair<const char*, Path> paths[] = {{"New", Path::New},       {"Open", Path::Open},
                                                      {"drop", Path::Drop},     {"recent", Path::Recent},
                                                      {"Exit", Path::Exit},     {"close", Path::Close}};
        for (const auto& [name, path] : paths) {
            QTest::addRow("%s unedited", name) << path << false << 0;
            QTest::addRow("%s Save", name) << path << true << int(QMessageBox::Save);
            QTest::addRow("%s Discard", name) << path << true << int(QMessageBox::Discard);
            QTest::addRow("%s Cancel", name) << path << true << int(QMessageBox::Cancel);
        }
    }
    void unsavedChanges() {
        QFETCH(Path, path);
        QFETCH(bool, edited);
        QFETCH(int, answer);
        Session s;
        QVERIFY(s.start());
        s.frame()->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.frame()));
        const QByteArray original = SampleFile('1');
        s.dir.writeFile("a.sin", original);
        s.dir.writeFile("b.sin", SampleFile('2'));
        QVERIFY(s.app->openDocumentFile(s.dir.path("b.sin")));
        QVERIFY(s.app->openDocumentFile(s.dir.path("a.sin")));   // recent: a, b
        if (edited) s.doc()->image()[kDirectByte] = 'X';
        QCOMPARE(s.doc()->isModified(), edited);
        if (answer) s.messages.answers = {QMessageBox::StandardButton(answer)};
        s.messages.shown.clear();

        switch (path) {
            case Path::New: s.frame()->action(ID_FILE_NEW)->trigger(); break;
            case Path::Open:
                s.dialogs.answers = {s.dir.path("b.sin")};
                s.frame()->action(ID_FILE_OPEN)->trigger();
                break;
            case Path::Drop: {
                QMimeData data;
                data.setUrls({QUrl::fromLocalFile(s.dir.path("b.sin"))});
                QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                Deliver(s.frame(), &drop);
                break;
            }
            case Path::Recent:
                QCOMPARE(s.app->recentFiles().value(1), s.dir.path("b.sin"));
                s.frame()->action(ID_FILE_MRU_FILE1 + 1)->trigger();
                break;
            case Path::Exit: s.frame()->action(ID_APP_EXIT)->trigger(); break;
            case Path::Close: s.frame()->close(); break;
        }

        QCOMPARE(s.messages.questions(), answer ? 1 : 0);
        if (answer) {
            QCOMPARE(s.messages.shown[0].text, QStringLiteral("Save changes to a.sin?"));
            QCOMPARE(s.messages.shown[0].buttons,
                     QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        }
        // The file on disk holds the edit exactly when the user chose Save.
        const QByteArray onDisk = s.dir.readFile("a.sin");
        QCOMPARE(onDisk.at(kDirectByte) == 'X', answer == QMessageBox::Save);
        if (answer == QMessageBox::Discard) QCOMPARE(onDisk, original);

        const bool proceeds = answer != QMessageBox::Cancel;
        switch (path) {
            case Path::New:
                QCOMPARE(s.doc()->pathName().isEmpty(), proceeds);
                QCOMPARE(s.doc()->image() == vel::NewDocumentImage(Velmar()), proceeds);
                break;
            case Path::Open:
            case Path::Drop:
            case Path::Recent:
                QCOMPARE(s.doc()->pathName(), s.dir.path(proceeds ? "b.sin" : "a.sin"));
                QCOMPARE(s.doc()->image()[kDirectByte], vel::Byte(proceeds ? '2' : 'X'));
                break;
            case Path::Exit:
            case Path::Close: QCOMPARE(s.frame()->isVisible(), !proceeds); break;
        }
        if (!proceeds) QVERIFY(s.doc()->isModified());
    }

    // An untitled document asked to be saved goes through Save As; cancelling
    // that dialog cancels the whole command.
    void untitledSaveAnswer_data() {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("named") << "new.sin";
        QTest::newRow("no extension") << "plain";
        QTest::newRow("dialog cancelled") << "";
    }
    void untitledSaveAnswer() {
        QFETCH(QString, chosen);
        Session s;
        QVERIFY(s.start());
        s.doc()->image()[kDirectByte] = 'Y';
        s.messages.answers = {QMessageBox::Save};
        s.dialogs.answers = {chosen.isEmpty() ? QString() : s.dir.path(chosen)};
        const bool went = s.app->onFileNew();
        QCOMPARE(went, !chosen.isEmpty());
        QCOMPARE(s.dialogs.requests.size(), size_t(1));
        QCOMPARE(s.dialogs.requests[0].kind, FileDialogKind::Save);
        if (chosen.isEmpty()) {
            QVERIFY(s.doc()->isModified());
            QCOMPARE(s.doc()->image()[kDirectByte], vel::Byte('Y'));
            return;
        }
        const QString file = chosen.endsWith(".sin") ? chosen : chosen + ".sin";
        QCOMPARE(s.dir.readFile(file).at(kDirectByte), 'Y');
        QVERIFY(s.doc()->pathName().isEmpty());   // New went on
    }

    // A file that is refused changes nothing: image, name, unsaved state.
    void refusedFileChangesNothing_data() {
        QTest::addColumn<QByteArray>("content");   // empty with 'missing' true: no file
        QTest::addColumn<bool>("missing");
        QTest::newRow("missing file") << QByteArray() << true;
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("one byte") << QByteArray(1, '\x11') << false;
        QTest::newRow("one byte short") << QByteArray(4095, '\x22') << false;
    }
    void refusedFileChangesNothing() {
        QFETCH(QByteArray, content);
        QFETCH(bool, missing);
        Session s;
        QVERIFY(s.start());
        s.dir.writeFile("a.sin", SampleFile('1'));
        QVERIFY(s.app->openDocumentFile(s.dir.path("a.sin")));
        s.doc()->image()[kDirectByte] = 'Z';
        const vel::Image before = s.doc()->image();
        if (!missing) s.dir.writeFile("bad.sin", content);
        s.messages.shown.clear();
        s.messages.answers = {QMessageBox::Discard, QMessageBox::Ok};
        s.dialogs.answers = {s.dir.path("bad.sin")};
        QVERIFY(!s.app->onFileOpen());
        QCOMPARE(s.messages.shown.size(), size_t(2));   // the question, then the refusal
        QVERIFY(!s.messages.shown[1].text.isEmpty());
        QCOMPARE(s.doc()->image(), before);
        QCOMPARE(s.doc()->pathName(), s.dir.path("a.sin"));
        QVERIFY(s.doc()->isModified());
        QVERIFY(!s.app->recentFiles().contains(s.dir.path("bad.sin")));
    }

    void longFileLoadsWithWarning() {
        Session s;
        QVERIFY(s.start());
        QByteArray content = SampleFile('5');
        content.append(QByteArray(10, '\x33'));
        s.dir.writeFile("long.sin", content);
        QVERIFY(s.app->openDocumentFile(s.dir.path("long.sin")));
        QCOMPARE(Bytes(s.doc()->image()), content.left(4096));
        QCOMPARE(s.messages.shown.size(), size_t(1));
        QCOMPARE(s.doc()->pathName(), s.dir.path("long.sin"));
    }

    // Open, edit, save: the file holds what velcore's StoreChannelGrid gives
    // for the table the view shows; reopening and saving again changes nothing.
    void saveStoresTheTable() {
        Session s;
        QVERIFY(s.start());
        vel::Image file = vel::NewDocumentImage(Velmar());
        file[0x80B] = 0x3B;   // a type byte the table shows as "VM - K10" and stores as 0x38
        s.dir.writeFile("a.sin", Bytes(file));
        QVERIFY(s.app->openDocumentFile(s.dir.path("a.sin")));
        // Saving would rewrite the type byte, but the user changed nothing.
        QVERIFY(s.doc()->storedImage() != s.doc()->image());
        QVERIFY(!s.doc()->isModified());
        s.doc()->image()[kDirectByte] = 'E';
        QVERIFY(s.doc()->isModified());

        vel::Image expected = s.doc()->image();
        vel::StoreChannelGrid(Velmar(), s.app->view()->table(), expected);
        QCOMPARE(s.doc()->storedImage(), expected);

        s.frame()->action(ID_FILE_SAVE)->trigger();
        QCOMPARE(s.dir.readFile("a.sin"), Bytes(expected));
        QCOMPARE(s.dir.readFile("a.sin").at(0x811), char(0xA8));
        QVERIFY(!s.doc()->isModified());

        QVERIFY(s.app->openDocumentFile(s.dir.path("a.sin")));
        QCOMPARE(s.doc()->image(), expected);
        QVERIFY(s.app->onFileSave());
        QCOMPARE(s.dir.readFile("a.sin"), Bytes(expected));
    }

    // A save that fails keeps the document's name and its unsaved state.
    void failedSaveKeepsState() {
        Session s;
        QVERIFY(s.start());
        s.doc()->image()[kDirectByte] = 'F';
        s.dialogs.answers = {s.dir.path("no/such/dir/x.sin")};
        QVERIFY(!s.app->onFileSaveAs());
        QCOMPARE(s.messages.shown.size(), size_t(1));
        QVERIFY(s.doc()->pathName().isEmpty());
        QVERIFY(s.doc()->isModified());
    }

    // Every recent entry, the first included, opens the file: the document
    // takes its name, and a later Save writes that file.
    void recentEntriesOpenTheirFile_data() {
        QTest::addColumn<int>("entry");
        for (int i = 0; i < 3; ++i) QTest::addRow("entry %d", i + 1) << i;
    }
    void recentEntriesOpenTheirFile() {
        QFETCH(int, entry);
        Session s;
        QVERIFY(s.start());
        for (const char* name : {"c.sin", "b.sin", "a.sin"}) {
            s.dir.writeFile(name, SampleFile(name[0]));
            QVERIFY(s.app->openDocumentFile(s.dir.path(name)));
        }
        QCOMPARE(s.app->recentFiles(), (QStringList{s.dir.path("a.sin"), s.dir.path("b.sin"), s.dir.path("c.sin")}));
        QVERIFY(s.app->onFileNew());   // an untitled document is open
        const QString target = s.app->recentFiles().at(entry);
        s.frame()->action(ID_FILE_MRU_FILE1 + entry)->trigger();
        QCOMPARE(s.app->recentFiles().front(), target);
        QCOMPARE(s.doc()->pathName(), target);
        QCOMPARE(s.doc()->image()[kDirectByte], vel::Byte(QFileInfo(target).fileName().at(0).toLatin1()));
        s.doc()->image()[kDirectByte] = 'S';
        QVERIFY(s.app->onFileSave());
        QCOMPARE(s.dir.readFile(QFileInfo(target).fileName()).at(kDirectByte), 'S');
        for (const char* other : {"a.sin", "b.sin", "c.sin"})
            if (QFileInfo(target).fileName() != QLatin1String(other))
                QCOMPARE(s.dir.readFile(other).at(kDirectByte), other[0]);
    }

    void recentListKeepsFour() {
        Session s;
        QVERIFY(s.start());
        for (const char* name : {"1.sin", "2.sin", "3.sin", "4.sin", "5.sin", "3.sin"}) {
            s.dir.writeFile(name, SampleFile('r'));
            QVERIFY(s.app->openDocumentFile(s.dir.path(name)));
        }
        QCOMPARE(s.app->recentFiles(),
                 (QStringList{s.dir.path("3.sin"), s.dir.path("5.sin"), s.dir.path("4.sin"), s.dir.path("2.sin")}));
        // The list is kept for the next run.
        const QString settings = s.dir.path("settings.ini");
        s.app.reset();
        velui::StartupOptions o = s.dir.options();
        o.settingsFile = settings;
        CVelApp again(Velmar(), o);
        QVERIFY(again.initInstance());
        QCOMPARE(again.recentFiles().size(), 4);
        QCOMPARE(again.recentFiles().front(), s.dir.path("3.sin"));
    }

    void commandLineFile_data() {
        QTest::addColumn<bool>("good");
        QTest::newRow("opens") << true;
        QTest::newRow("refused file still starts") << false;
    }
    void commandLineFile() {
        QFETCH(bool, good);
        ProgramDir prep;
        const QString file = prep.path("cmd.sin");
        prep.writeFile("cmd.sin", good ? SampleFile('c') : QByteArray(7, 'x'));
        Session s({file});
        QVERIFY(s.start());
        QCOMPARE(s.doc()->pathName(), good ? file : QString());
        QCOMPARE(s.messages.shown.size(), size_t(good ? 0 : 1));
        QCOMPARE(s.doc()->image()[kDirectByte], vel::Byte(good ? 'c' : 0xFF));
    }

    // A drop of something else than a channel data file opens nothing.
    void dropOfOtherFilesIgnored() {
        Session s;
        QVERIFY(s.start());
        s.dir.writeFile("notes.txt", "hello");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(s.dir.path("notes.txt"))});
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        Deliver(s.frame(), &drop);
        QVERIFY(s.doc()->pathName().isEmpty());
        QCOMPARE(s.messages.shown.size(), size_t(0));
    }

    // Edits made in the grid: they make the document modified, Save and the
    // radio commands commit the cell being edited, and the saved file holds
    // what StoreChannelGrid gives for the table.
    void gridEdits_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("pressEnter");
        QTest::newRow("Save after Enter") << int(ID_FILE_SAVE) << true;
        QTest::newRow("Save with the editor open") << int(ID_FILE_SAVE) << false;
        QTest::newRow("Read commits") << int(ID_READ_FROM_RADIO) << false;
        QTest::newRow("Write commits") << int(ID_WRITE_TO_RADIO) << false;
    }
    void gridEdits() {
        QFETCH(int, command);
        QFETCH(bool, pressEnter);
        Session s;
        QVERIFY(s.start());
        s.frame()->show();
        QVERIFY(QTest::qWaitForWindowActive(s.frame()));
        s.dir.writeFile("a.sin", Bytes(vel::NewDocumentImage(Velmar())));
        QVERIFY(s.app->openDocumentFile(s.dir.path("a.sin")));
        QVERIFY(!s.doc()->isModified());

        CMSFlexGrid* grid = s.app->view()->grid();
        grid->ShowCell(3, 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(3, 1).center());
        QVERIFY(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 2000));
        for (char ch : QByteArray("145.525")) QTest::keyClick(QApplication::focusWidget(), ch);
        if (pressEnter) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

        s.frame()->execute(command);
        QCOMPARE(grid->GetTextMatrix(3, 1), QStringLiteral("145.52500"));
        QCOMPARE(grid->GetTextMatrix(3, 2), QStringLiteral("145.52500"));
        if (command != ID_FILE_SAVE) {
            // The progress dialog waits for Start; nothing was sent or stored.
            velui::ProgressDialog* progress = s.app->programCommands()->progressDialog();
            QVERIFY(progress->isVisible());
            QCOMPARE(progress->windowTitle(), command == ID_READ_FROM_RADIO ? QStringLiteral("Reading Data Progress")
                                                                              : QStringLiteral("Writing Data Progress"));
            QVERIFY(s.doc()->isModified());
            progress->cancelButton()->click();
            QVERIFY(!progress->isVisible());
            return;
        }
        vel::Image expected = vel::NewDocumentImage(Velmar());
        vel::StoreChannelGrid(Velmar(), s.app->view()->table(), expected);
        QCOMPARE(s.dir.readFile("a.sin"), Bytes(expected));
        QVERIFY(expected != vel::NewDocumentImage(Velmar()));
        QVERIFY(!s.doc()->isModified());
        // Reopened, the table shows the channel again.
        QVERIFY(s.app->onFileNew());
        QCOMPARE(grid->GetTextMatrix(3, 1), QString());
        QVERIFY(s.app->openDocumentFile(s.dir.path("a.sin")));
        QCOMPARE(grid->GetTextMatrix(3, 1), QStringLiteral("145.52500"));
        QCOMPARE(s.doc()->image(), expected);
    }

    void gridEditAsksBeforeNew() {
        Session s;
        QVERIFY(s.start());
        s.frame()->show();
        QVERIFY(QTest::qWaitForWindowActive(s.frame()));
        CMSFlexGrid* grid = s.app->view()->grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(1, 1).center());
        QVERIFY(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 2000));
        for (char ch : QByteArray("146.5")) QTest::keyClick(QApplication::focusWidget(), ch);
        s.messages.answers = {QMessageBox::Cancel};
        QVERIFY(!s.app->onFileNew());
        QCOMPARE(s.messages.questions(), 1);
        QCOMPARE(grid->GetTextMatrix(1, 1), QStringLiteral("146.50000"));
        s.messages.answers = {QMessageBox::Discard};
        QVERIFY(s.app->onFileNew());
        QCOMPARE(grid->GetTextMatrix(1, 1), QString());
        QVERIFY(!s.doc()->isModified());
    }

    // The question speaks the interface language.
    void questionInChinese() {
        ProgramDir dir;
        MessageScript messages;
        CVelApp app(Velmar(), dir.options(QStringLiteral("zh_CN")));
        QVERIFY(app.initInstance());
        app.document()->image()[kDirectByte] = 'Q';
        messages.answers = {QMessageBox::Cancel};
        QVERIFY(!app.onFileNew());
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(messages.shown[0].text, QStringLiteral("是否保存对 无标题 的更改？"));
    }
};

QTEST_MAIN(DocumentTest)
#include "document_test.moc"

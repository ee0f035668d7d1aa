// Marlowe's own commands in the window: the Key Assignment and Optional
// Features dialogs, the text form left by every save and write, and File ›
// Import Text Form… and Export Text Form….
//
// Saves and writes leave "1.txt" in the current directory, so every test
// runs in a temporary directory of its own.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "apps/marlowe/data_password.h"
#include "apps/marlowe/image_text.h"
#include "apps/marlowe/ui/key_assignment_dlg.h"
#include "apps/marlowe/ui/optional_features_dlg.h"
#include "apps/marlowe/ui/text_form_commands.h"
#include "image/family.h"
#include "settings/settings_dialog_model.h"
#include "tests/gui/program_test_support.h"
#include "tests/gui/temporary_current_dir.h"

using namespace velui;
using namespace shelltest;
using vel::FamilyId;

namespace {

vel::Image NewMarlowe() { return vel::NewDocumentImage(vel::MarloweFamily()); }

const vel::SettingsDialogModel& Model(const std::string& key) {
    const auto& models = vel::SettingsDialogsOf(FamilyId::Marlowe);
    for (const vel::SettingsDialogModel& m : models)
        if (m.key == key) return m;
    qFatal("no dialog %s", key.c_str());
    return models.front();
}

/// Marlowe's window in a program directory of its own, its message boxes recorded.
struct MarloweWindow {
    ProgramDir dir;
    MessageScript messages;
    CVelApp app{vel::MarloweFamily(), dir.options(QStringLiteral("en_US"), QStringLiteral("Marlowe"))};
    bool ok = app.initInstance();
};

QString TextOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return QString::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
}

void WriteText(const QString& path, const std::string& text) {
    std::ofstream(path.toStdString(), std::ios::binary) << text;
}

/// A Marlowe document with data password `password` and channel 1 in use.
vel::Image ImageWith(const std::string& password) {
    vel::Image img = NewMarlowe();
    vel::StoreDataPassword(password, img);
    const vel::Byte channel1[] = {0x00, 0x00, 0x55, 0x14, 0x00, 0x00, 0x55, 0x14};   // 145.50000 both ways
    for (int i = 0; i < 8; ++i) img[static_cast<std::size_t>(0x10 + i)] = channel1[i];
    img[0x3C1] = 7;
    return img;
}

}  // namespace

class MarloweTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        cwd_ = std::make_unique<veltest::TemporaryCurrentDir>();
        QVERIFY(cwd_->isValid());
    }
    void cleanup() { cwd_.reset(); }

    // -----------------------------------------------------------------------
    // The dialogs
    // -----------------------------------------------------------------------

    // Each list shows what `velprog options show` says it shows, hidden ones included.
    void dialogsShowWhatTheirModelsShow_data() {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("squelch");
        QTest::addColumn<int>("rank");
        QTest::addColumn<int>("vox");
        QTest::addColumn<int>("keys2");
        QTest::newRow("new document") << 0x2F << 5 << 0xFF << 0 << 0x12;
        QTest::newRow("chinese, bit 4 only keys") << 0x18 << 9 << 12 << 9 << 0x50;
        QTest::newRow("no selections") << 0x10 << 14 << 27 << 10 << 0x9F;
        QTest::newRow("flags clear") << 0x00 << 0 << 0 << 1 << 0x88;
    }
    void dialogsShowWhatTheirModelsShow() {
        QFETCH(int, flags);
        QFETCH(int, squelch);
        QFETCH(int, rank);
        QFETCH(int, vox);
        QFETCH(int, keys2);
        vel::Image img = NewMarlowe();
        img[0x3C0] = static_cast<vel::Byte>(flags);
        img[0x3C1] = static_cast<vel::Byte>(squelch);
        img[0x3C4] = static_cast<vel::Byte>(rank);
        img[0x3C7] = static_cast<vel::Byte>(vox);
        img[0x3C5] = static_cast<vel::Byte>(keys2);
        marlowe::COptionalFeaturesDlg options(img);
        for (const auto& [id, text] : Model("optional-features").show(img, vel::Lang::English)) {
            QVERIFY(options.list(id));
            QCOMPARE(options.list(id)->currentText(), QString::fromStdString(text));
        }
        CKeyAssignmentDlg keys(img);
        for (const auto& [id, text] : Model("key-assignment").show(img, vel::Lang::English)) {
            QVERIFY(keys.list(id));
            QCOMPARE(keys.list(id)->currentText(), QString::fromStdString(text));
        }
    }

    void newDocumentOpensWithItsDefaults() {
        vel::Image img = NewMarlowe();
        marlowe::COptionalFeaturesDlg options(img);
        QCOMPARE(options.windowTitle(), QStringLiteral("Optional Features"));
        const std::map<int, QString> shown{{1013, "Off"}, {1016, "5"},       {1075, "English"}, {1076, "Off"},
                                           {1018, "9"},   {1014, "Enable"},  {1077, "Off"},     {1078, "Enable"}};
        for (const auto& [id, text] : shown) QCOMPARE(options.list(id)->currentText(), text);
        CKeyAssignmentDlg keys(img);
        QCOMPARE(keys.windowTitle(), QStringLiteral("Key Assignment"));
        QCOMPARE(keys.button2ShortList()->currentText(), QStringLiteral("Monitor"));
        QCOMPARE(keys.button2LongList()->currentText(), QStringLiteral("Scan ON/OFF"));
        QCOMPARE(keys.button3ShortList()->currentText(), QStringLiteral("Vox ON/OFF"));
        QCOMPARE(keys.button3LongList()->currentText(), QStringLiteral("Scrambler ON/OFF"));
        QCOMPARE(keys.button2ShortList()->count(), 9);
    }

    void bandWidthIsHiddenWithItsLabel() {
        vel::Image img = NewMarlowe();
        marlowe::COptionalFeaturesDlg options(img);
        options.show();
        QVERIFY(QTest::qWaitForWindowExposed(&options));
        QVERIFY(!options.list(1073)->isVisible());
        QVERIFY(!options.bandWidthLabel()->isVisible());
        QVERIFY(options.list(1013)->isVisible());
    }

    void okWithoutChanges() {
        const vel::Image before = NewMarlowe();
        vel::Image img = before;
        CKeyAssignmentDlg keys(img);
        keys.okButton()->click();
        QVERIFY(img == before);
        marlowe::COptionalFeaturesDlg options(img);
        options.okButton()->click();
        vel::Image expected = before;
        expected[0x3C4] = 27;   // the new document's 0xFF shows as rank 9
        QVERIFY(img == expected);
    }

    void okStoresTheChoicesAndCancelNothing() {
        const vel::Image before = NewMarlowe();
        vel::Image img = before;
        {
            CKeyAssignmentDlg keys(img);
            keys.button2ShortList()->setCurrentText(QStringLiteral("Talk Around"));
            keys.button2LongList()->setCurrentText(QStringLiteral("NO Function"));
            keys.cancelButton()->click();
            QVERIFY(img == before);
        }
        {
            CKeyAssignmentDlg keys(img);
            keys.button2ShortList()->setCurrentText(QStringLiteral("Talk Around"));
            keys.button2LongList()->setCurrentText(QStringLiteral("NO Function"));
            keys.okButton()->click();
            QCOMPARE(img[0x3C5], vel::Byte{0x50});
            QCOMPARE(img[0x3C6], vel::Byte{0x78});
        }
        {
            marlowe::COptionalFeaturesDlg options(img);
            options.list(1013)->setCurrentText(QStringLiteral("270s"));
            options.list(1075)->setCurrentText(QStringLiteral("Chinese"));
            options.list(1014)->setCurrentText(QStringLiteral("Disable"));
            options.cancelButton()->click();
            QCOMPARE(img[0x3C3], vel::Byte{0});
        }
        marlowe::COptionalFeaturesDlg options(img);
        options.list(1013)->setCurrentText(QStringLiteral("270s"));
        options.list(1075)->setCurrentText(QStringLiteral("Chinese"));
        options.list(1014)->setCurrentText(QStringLiteral("Disable"));
        options.list(1018)->setCurrentText(QStringLiteral("4"));
        options.okButton()->click();
        QCOMPARE(img[0x3C3], vel::Byte{9});
        QCOMPARE(img[0x3C0], vel::Byte{0x3E});
        QCOMPARE(img[0x3C4], vel::Byte{12});
    }

    void editMenuOpensBothDialogs_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("title");
        QTest::newRow("Key Assignment") << int(ID_KEY_ASSIGNMENT) << "Key Assignment";
        QTest::newRow("Optional Features") << int(ID_OPTIONAL_FEATURES_EDIT) << "Optional Features";
    }
    void editMenuOpensBothDialogs() {
        QFETCH(int, command);
        QFETCH(QString, title);
        MarloweWindow window;
        QVERIFY(window.ok);
        auto& [dir, messages, app, ok] = window;
        const vel::Image before = app.document()->image();
        QCOMPARE(TitleOfDialogOpenedBy(app, command), title);
        QVERIFY(messages.shown.empty());
        QVERIFY(app.document()->image() == before);
    }

    // -----------------------------------------------------------------------
    // The text form left by every save and write
    // -----------------------------------------------------------------------

    void saveLeavesTheTextForm() {
        MarloweWindow window;
        QVERIFY(window.ok);
        auto& [dir, messages, app, ok] = window;
        app.view()->grid()->SetTextMatrix(3, 1, QStringLiteral("446.00625"));
        FileDialogScript files;
        files.answers.push_back(dir.path(QStringLiteral("radio.sin")));
        QVERIFY(app.onFileSaveAs());
        const QByteArray bytes = dir.readFile(QStringLiteral("radio.sin"));
        const vel::Image saved(bytes.begin(), bytes.end());
        QCOMPARE(saved.size(), size_t(1024));
        QCOMPARE(TextOf(vel::kImageTextFileName), QString::fromStdString(vel::ImageTextFileContents(saved)));
    }

    void foreignTextFileSurvivesAndIsMentionedOnce() {
        const std::string notes = "Dealer notes: radio 3 goes back on Tuesday\n";
        WriteText(QString::fromLatin1(vel::kImageTextFileName), notes);
        MarloweWindow window;
        QVERIFY(window.ok);
        auto& [dir, messages, app, ok] = window;
        FileDialogScript files;
        files.answers.push_back(dir.path(QStringLiteral("a.sin")));
        QVERIFY(app.onFileSaveAs());
        QCOMPARE(TextOf(vel::kImageTextFileName), QString::fromStdString(notes));
        QVERIFY2(app.mainFrame()->paneText().contains(QStringLiteral("left untouched")),
                 qPrintable(app.mainFrame()->paneText()));
        QVERIFY(messages.shown.empty());
        // The next save says nothing more, and the file still survives.
        app.mainFrame()->setPaneText(QStringLiteral("something else"));
        QVERIFY(app.onFileSave());
        QCOMPARE(app.mainFrame()->paneText(), QStringLiteral("something else"));
        QCOMPARE(TextOf(vel::kImageTextFileName), QString::fromStdString(notes));
        QVERIFY(dir.readFile(QStringLiteral("a.sin")).size() == 1024);
    }

    void writeLeavesTheTextForm() {
        programtest::ProgramHarness h(FamilyId::Marlowe);
        QVERIFY(h.ok);
        h.link.radio.setTypeByte(0xFF);
        h.grid()->SetTextMatrix(2, 1, QStringLiteral("146.52000"));
        h.grid()->SetTextMatrix(2, 2, QStringLiteral("146.52000"));
        QVERIFY(h.write());
        QCOMPARE(h.outcome(), vel::SessionOutcome::Completed);
        QCOMPARE(TextOf(vel::kImageTextFileName), QString::fromStdString(vel::ImageTextFileContents(h.image())));
    }

    // An import would replace the image under a running session, and the
    // dialogs would hold it in one pump round: they wait until it ends.
    void ownCommandsWaitWhileASessionRuns() {
        programtest::ProgramHarness h(FamilyId::Marlowe);
        QVERIFY(h.ok);
        const std::vector<int> ids{ID_FILE_IMPORT_TEXT, ID_FILE_EXPORT_TEXT, ID_KEY_ASSIGNMENT, ID_OPTIONAL_FEATURES_EDIT};
        std::vector<bool> enabled;
        h.link.afterWrite = [&](int n) {
            if (n != 30) return;
            for (int id : ids) enabled.push_back(h.frame()->action(id)->isEnabled());
        };
        QVERIFY(h.read());
        QCOMPARE(enabled, std::vector<bool>(ids.size(), false));
        for (int id : ids) QVERIFY(h.frame()->action(id)->isEnabled());
    }

    // A "1.txt" that cannot be replaced does not stop the save.
    void unwritableTextFormDoesNotStopTheSave() {
        QVERIFY(QDir().mkdir(QString::fromLatin1(vel::kImageTextFileName)));   // a directory in its place
        MarloweWindow window;
        QVERIFY(window.ok);
        auto& [dir, messages, app, ok] = window;
        FileDialogScript files;
        files.answers.push_back(dir.path(QStringLiteral("b.sin")));
        QVERIFY(app.onFileSaveAs());
        QCOMPARE(dir.readFile(QStringLiteral("b.sin")).size(), qsizetype(1024));
        QVERIFY(messages.shown.empty());
    }

    // -----------------------------------------------------------------------
    // File › Import Text Form… and Export Text Form…
    // -----------------------------------------------------------------------

    void fileMenuOffersTheTextForm() {
        MarloweWindow window;
        QVERIFY(window.ok);
        auto& [dir, messages, app, ok] = window;
        QStringList texts;
        for (QAction* a : app.mainFrame()->menu(QStringLiteral("&File"))->actions()) texts << a->text();
        QVERIFY(texts.contains(QStringLiteral("&Import Text Form…")));
        QVERIFY(texts.contains(QStringLiteral("Export &Text Form…")));
        QVERIFY(app.textFormCommands());
        CVelApp other(vel::VmCh16Family(), dir.options(QStringLiteral("en_US"), QStringLiteral("VM_CH16")));
        QVERIFY(other.initInstance());
        for (QAction* a : other.mainFrame()->menu(QStringLiteral("&File"))->actions())
            QVERIFY(!a->text().contains(QStringLiteral("Text Form")));
        QVERIFY(!other.textFormCommands());
    }

    void importTextForm_data() {
        QTest::addColumn<QString>("typed");       // the form's Data Password box
        QTest::addColumn<QString>("imported");    // the text form's password
        QTest::addColumn<bool>("mismatch");
        QTest::newRow("same") << "1234" << "1234" << false;
        QTest::newRow("none either") << "" << "" << false;
        QTest::newRow("different") << "1234" << "4321" << true;
        QTest::newRow("box empty") << "" << "42" << true;
    }
    void importTextForm() {
        QFETCH(QString, typed);
        QFETCH(QString, imported);
        QFETCH(bool, mismatch);
        const vel::Image form = ImageWith(imported.toStdString());
        WriteText(QString::fromLatin1(vel::kImageTextFileName), vel::ImageTextFileContents(form));

        MarloweWindow window;
        QVERIFY(window.ok);
        auto& [dir, messages, app, ok] = window;
        FileDialogScript files;
        // A saved document whose form shows `typed`, so that nothing is modified yet.
        vel::Image start = NewMarlowe();
        vel::StoreDataPassword(typed.toStdString(), start);
        dir.writeFile(QStringLiteral("start.sin"), Bytes(start));
        QVERIFY(app.openDocumentFile(dir.path(QStringLiteral("start.sin"))));
        auto* box = app.view()->findChild<QLineEdit*>(QStringLiteral("field1074"));
        QVERIFY(box);
        QCOMPARE(box->text(), typed);
        QVERIFY(!app.document()->isModified());
        files.answers.push_back(QDir::current().filePath(QString::fromLatin1(vel::kImageTextFileName)));
        app.mainFrame()->execute(ID_FILE_IMPORT_TEXT);

        // The dialog starts on "1.txt" in the current directory.
        QCOMPARE(files.requests.size(), size_t(1));
        QCOMPARE(QFileInfo(files.requests[0].suggested).absoluteFilePath(),
                 QDir::current().absoluteFilePath(QString::fromLatin1(vel::kImageTextFileName)));
        QCOMPARE(messages.shown.size(), size_t(mismatch ? 1 : 0));
        if (mismatch) QCOMPARE(messages.shown[0].text, QStringLiteral("Password incorrect"));
        // The imported bytes stay either way, and the view shows them.
        QVERIFY(app.document()->image() == form);
        QCOMPARE(app.view()->grid()->GetTextMatrix(1, 1), QStringLiteral("145.50000"));
        QCOMPARE(box->text(), imported);
        QVERIFY(app.document()->isModified());
    }

    void importOfAMissingFileChangesNothing() {
        MarloweWindow window;
        QVERIFY(window.ok);
        auto& [dir, messages, app, ok] = window;
        const vel::Image before = app.document()->image();
        const QString missing = QDir::current().filePath(QStringLiteral("nowhere.txt"));
        QVERIFY(!app.textFormCommands()->importTextForm(missing));
        QCOMPARE(messages.shown.size(), size_t(1));
        QVERIFY2(messages.shown[0].text.contains(QStringLiteral("nowhere.txt")), qPrintable(messages.shown[0].text));
        QVERIFY(app.document()->image() == before);
        QVERIFY(!app.document()->isModified());
    }

    void exportTextFormWritesWhatSavingWould() {
        MarloweWindow window;
        QVERIFY(window.ok);
        auto& [dir, messages, app, ok] = window;
        FileDialogScript files;
        app.view()->grid()->SetTextMatrix(4, 1, QStringLiteral("450.00000"));
        app.view()->grid()->SetTextMatrix(4, 2, QStringLiteral("450.00000"));
        const vel::Image before = app.document()->image();
        const QString out = QDir::current().filePath(QStringLiteral("export.txt"));
        files.answers.push_back(out);
        app.mainFrame()->execute(ID_FILE_EXPORT_TEXT);
        QCOMPARE(files.requests.size(), size_t(1));
        QCOMPARE(files.requests[0].kind, FileDialogKind::Save);
        QCOMPARE(TextOf(out.toStdString()), QString::fromStdString(vel::ImageTextFileContents(app.view()->storedImage())));
        QVERIFY(TextOf(out.toStdString()).contains(QStringLiteral("|0|0|0|69|0|0|0|69|")));
        QVERIFY(app.document()->image() == before);
        QVERIFY(messages.shown.empty());
    }

private:
    std::unique_ptr<veltest::TemporaryCurrentDir> cwd_;
};

QTEST_MAIN(MarloweTest)
#include "marlowe_test.moc"

// File › Import Channels… and Export Channels… in the six programs: the menu
// items, export in either form, the import dialog (summary, mode, Apply and
// Cancel), a file that is no channel list, and the round trip of the native
// form through the windows, byte for byte against what Save writes.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "image/encodings.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/vel_app.h"
#include "shell/ui/vel_doc.h"
#include "shell_test_support.h"
#include "table/channel_csv.h"
#include "table/channel_table.h"
#include "table/ui/import_channels_dlg.h"
#include "table/ui/vel_view.h"

using namespace velui;
using shelltest::Bytes;
using shelltest::MessageScript;
using shelltest::ProgramDir;

Q_DECLARE_METATYPE(vel::FamilyId)

namespace {

/// Answers file dialogs from a queue of (path, filter index) and records them.
class FileAnswers {
public:
    FileAnswers() {
        setFileDialogHook([this](const FileDialogRequest& r) {
            requests.push_back(r);
            if (answers.empty()) return QString();
            const auto [path, filter] = answers.front();
            answers.pop_front();
            if (r.selectedFilter && filter >= 0) *r.selectedFilter = r.filter.split(QStringLiteral(";;")).value(filter);
            return path;
        });
    }
    ~FileAnswers() { setFileDialogHook({}); }
    std::vector<FileDialogRequest> requests;
    std::deque<std::pair<QString, int>> answers;
};

/// Runs `check` on the import dialog once it is up, then presses `button`.
void OnImportDialog(std::function<void(CImportChannelsDlg&)> check, const char* button) {
    QTimer::singleShot(0, [check, button] {
        auto* dlg = qobject_cast<CImportChannelsDlg*>(QApplication::activeModalWidget());
        if (!dlg) {
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
            QFAIL("no import dialog");
        }
        check(*dlg);
        dlg->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    });
}

QString ProgramName(vel::FamilyId id) { return QString::fromStdString(vel::GetFamily(id).name); }

/// A document with channels of every sort the family's grid shows.
vel::Image SampleImage(const vel::Family& f) {
    vel::Image image = vel::NewDocumentImage(f);
    vel::ChannelTable t = vel::NewChannelTable(f, vel::Lang::English);
    vel::FillChannelGrid(f, vel::Lang::English, image, t);
    const char* tones[] = {"OFF", "67.0", "D023N", "D754I", "254.1"};
    for (int n = 1; n <= 5; ++n) {
        const int row = n * 3;
        vel::CommitFrequency(f, vel::Lang::English, t, row, 1, "145.5" + std::to_string(n), vel::CommitKey::LeaveCell);
        if (n == 4) vel::CommitFrequency(f, vel::Lang::English, t, row, 2, "", vel::CommitKey::LeaveCell);
        vel::CommitToneCell(t, row, 3, tones[n - 1]);
        vel::CommitToneCell(t, row, 4, tones[5 - n]);
        if (const int name = f.columnOf(vel::ColumnKind::Name); name >= 0) vel::CommitNameCell(t, row, name, "CH-" + std::to_string(n));
    }
    vel::StoreChannelGrid(f, t, image);
    return image;
}

struct Session {
    ProgramDir dir;
    MessageScript messages;
    FileAnswers files;
    std::unique_ptr<CVelApp> app;
    explicit Session(vel::FamilyId id, const QString& locale = QStringLiteral("en_US")) {
        app = std::make_unique<CVelApp>(vel::GetFamily(id), dir.options(locale, ProgramName(id)));
    }
    CVelDoc* doc() const { return app->document(); }
    CMainFrame* frame() const { return app->mainFrame(); }
    CVelView* view() const { return app->view(); }
};

const std::vector<vel::FamilyId> kFamilies = {vel::FamilyId::Velmar_V, vel::FamilyId::VM_CH128, vel::FamilyId::VM_CH118,
                                              vel::FamilyId::Marlowe,  vel::FamilyId::VM_CH16,  vel::FamilyId::VM_CH16_CN};

}  // namespace

class ChannelCsvTest : public QObject {
    Q_OBJECT

    void families() {
        QTest::addColumn<vel::FamilyId>("family");
        for (vel::FamilyId id : kFamilies) QTest::newRow(ProgramName(id).toLatin1()) << id;
    }

private slots:
    void menuItemsInEveryProgram_data() { families(); }
    void menuItemsInEveryProgram() {
        QFETCH(vel::FamilyId, family);
        Session s(family);
        QVERIFY(s.app->initInstance());
        const bool chinese = family == vel::FamilyId::VM_CH16_CN;
        QAction* import = s.frame()->action(ID_FILE_IMPORT_CHANNELS);
        QAction* exportAction = s.frame()->action(ID_FILE_EXPORT_CHANNELS);
        QVERIFY(import && exportAction);
        QCOMPARE(import->text(), chinese ? QStringLiteral("导入信道(&H)...") : QStringLiteral("Import C&hannels..."));
        QCOMPARE(exportAction->text(), chinese ? QStringLiteral("导出信道(&C)...") : QStringLiteral("Export &Channels..."));
        QMenu* file = s.frame()->menu(chinese ? QStringLiteral("文件(&F)") : QStringLiteral("&File"));
        QVERIFY(file && file->actions().contains(import) && file->actions().contains(exportAction));
        QVERIFY(s.frame()->hasHandler(ID_FILE_IMPORT_CHANNELS));
        QVERIFY(s.frame()->hasHandler(ID_FILE_EXPORT_CHANNELS));
    }

    // Export in the form chosen by the file dialog's filter; the open cell counts.
    void exportWritesTheChosenForm_data() {
        QTest::addColumn<int>("filter");
        QTest::newRow("native") << 0;
        QTest::newRow("common") << 1;
    }
    void exportWritesTheChosenForm() {
        QFETCH(int, filter);
        Session s(vel::FamilyId::Velmar_V, QStringLiteral("zh_CN"));
        QVERIFY(s.app->initInstance());
        s.dir.writeFile("radio.sin", Bytes(SampleImage(vel::VelmarVFamily())));
        QVERIFY(s.app->openDocumentFile(s.dir.path("radio.sin")));
        s.files.answers = {{s.dir.path("out"), filter}};
        s.frame()->execute(ID_FILE_EXPORT_CHANNELS);
        QCOMPARE(s.files.requests.size(), size_t(1));
        QCOMPARE(s.files.requests[0].kind, FileDialogKind::Save);
        QCOMPARE(s.files.requests[0].suggested, s.dir.path("radio.csv"));
        const vel::ChannelExport expected = vel::ExportChannels(
            vel::VelmarVFamily(), vel::Lang::Chinese, filter ? vel::CsvForm::Common : vel::CsvForm::Native, s.view()->table());
        QCOMPARE(s.dir.readFile("out.csv"), QByteArray::fromStdString(expected.text));
        if (!filter) QVERIFY(expected.text.find("接收频率") != std::string::npos);
        QVERIFY(s.messages.shown.empty());
        QVERIFY(s.frame()->paneText().contains(QStringLiteral("out.csv")));
    }

    void importShowsWhatItWouldDoAndCancelKeepsTheTable() {
        Session s(vel::FamilyId::VM_CH128);
        QVERIFY(s.app->initInstance());
        s.dir.writeFile("list.csv",
                        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Mode,Power\r\n"
                        "1,HOME,145.500000,,0,,88.5,88.5,FM,High\r\n"
                        "2,BAD,999.000000,,0,,88.5,88.5,FM,High\r\n"
                        "3,RPT,438.500000,-,7.600000,Tone,88.5,88.5,NFM,Low\r\n");
        s.files.answers = {{s.dir.path("list.csv"), -1}};
        const vel::ChannelTable before = s.view()->table();
        OnImportDialog(
            [](CImportChannelsDlg& dlg) {
                QVERIFY(dlg.modeButton(vel::ImportMode::Replace)->isChecked());
                QCOMPARE(dlg.summaryLabel()->text(),
                         QStringLiteral("Channels imported: 2. Rows refused: 1. Rows without a frequency: 0."));
                QVERIFY(dlg.reportView()->toPlainText().startsWith(QStringLiteral("Row 3 (channel 2) refused: Frequency")));
                QVERIFY(dlg.applyButton()->isEnabled());
            },
            "cancelButton");
        s.frame()->execute(ID_FILE_IMPORT_CHANNELS);
        QCOMPARE(s.view()->table().cells, before.cells);
        QVERIFY(!s.doc()->isModified());
    }

    void applyPutsTheChosenModesResultInPlace() {
        Session s(vel::FamilyId::Marlowe);
        QVERIFY(s.app->initInstance());
        s.dir.writeFile("list.csv", "Location,Frequency\r\n9,450.125\r\n");
        s.files.answers = {{s.dir.path("list.csv"), -1}};
        OnImportDialog(
            [](CImportChannelsDlg& dlg) {
                dlg.modeButton(vel::ImportMode::Merge)->click();
                QCOMPARE(dlg.mode(), vel::ImportMode::Merge);
                QCOMPARE(dlg.result().table.at(9, 1), std::string("450.12500"));
                QCOMPARE(dlg.reportView()->toPlainText(), QStringLiteral("Every row is imported as the file states it."));
            },
            "applyButton");
        s.frame()->execute(ID_FILE_IMPORT_CHANNELS);
        const vel::ChannelTable t = s.view()->table();
        QCOMPARE(t.at(9, 1), std::string("450.12500"));
        QCOMPARE(t.at(1, 1), std::string());
        QVERIFY(s.doc()->isModified());
        QVERIFY(s.frame()->paneText().contains(QStringLiteral("list.csv")));
    }

    void fileThatIsNoChannelListChangesNothing() {
        Session s(vel::FamilyId::VM_CH16);
        QVERIFY(s.app->initInstance());
        s.dir.writeFile("x.csv", "Name;Frequency\r\n");
        s.files.answers = {{s.dir.path("x.csv"), -1}, {s.dir.path("missing.csv"), -1}};
        s.frame()->execute(ID_FILE_IMPORT_CHANNELS);
        s.frame()->execute(ID_FILE_IMPORT_CHANNELS);
        QCOMPARE(s.messages.shown.size(), size_t(2));
        QCOMPARE(s.messages.shown[0].text,
                 QStringLiteral("The cells are separated by semicolons; this program reads comma-separated files."));
        QVERIFY(s.messages.shown[1].text.contains(QStringLiteral("missing.csv")));
        QVERIFY(!s.doc()->isModified());
    }

    // Export, New, Import (replace), Save: the .sin that Save writes for the exported file.
    void nativeRoundTripThroughTheWindows_data() { families(); }
    void nativeRoundTripThroughTheWindows() {
        QFETCH(vel::FamilyId, family);
        const vel::Family& f = vel::GetFamily(family);
        Session s(family);
        QVERIFY(s.app->initInstance());
        s.dir.writeFile("radio.sin", Bytes(SampleImage(f)));
        QVERIFY(s.app->openDocumentFile(s.dir.path("radio.sin")));
        s.files.answers = {{s.dir.path("radio.sin"), -1}};
        QVERIFY(s.app->onFileSaveAs());
        const QByteArray saved = s.dir.readFile("radio.sin");

        s.files.answers = {{s.dir.path("list.csv"), 0}};
        s.frame()->execute(ID_FILE_EXPORT_CHANNELS);
        QVERIFY(s.app->onFileNew());
        s.files.answers = {{s.dir.path("list.csv"), -1}};
        OnImportDialog([](CImportChannelsDlg& dlg) { QVERIFY(dlg.result().refused.empty()); }, "applyButton");
        s.frame()->execute(ID_FILE_IMPORT_CHANNELS);
        s.files.answers = {{s.dir.path("again.sin"), -1}};
        QVERIFY(s.app->onFileSaveAs());
        QCOMPARE(s.dir.readFile("again.sin"), saved);
        QVERIFY(s.messages.shown.empty());
    }
};

QTEST_MAIN(ChannelCsvTest)
#include "channel_csv_test.moc"

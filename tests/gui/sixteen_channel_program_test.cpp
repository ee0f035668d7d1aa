// The 16-channel programs as their users meet them. The Chinese one: every
// text of the window is Chinese except the texts its own resources fix
// otherwise, and the texts they fix are exact; the English families keep
// their texts. Both: the report prints the form as it stands.

#include <QAction>
#include <QGroupBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "shell/ui/command_table.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/vel_app.h"
#include "shell/ui/vel_doc.h"
#include "shell_test_support.h"
#include "table/ui/cmsflexgrid.h"
#include "table/ui/vel_view.h"

using namespace velui;
using shelltest::FileDialogScript;
using shelltest::MessageScript;
using shelltest::ProgramDir;

namespace {

/// What remains of a window text after the parts every language writes
/// the same way: accelerator keys and shortcuts, port, device and model names,
/// file patterns, units, numbers, and the list texts the program's resources give in
/// English ("Off", "30s", the tone table's "OFF").
QString WithoutFixedParts(QString text) {
    static const QRegularExpression fixed(QStringLiteral(
        "\\t.*$|/dev/\\S+|\\(&?[A-Z]\\)|\\(&[A-Z]|&|COM[1-4]|Ctrl\\+[A-Z]|Shift\\+F[0-9]+|F[0-9]+|PDF|CSV|MHz|MHZ|POWER|\\(SQ\\)|TOT|"
        "VM - K[0-9]+|VM(?![A-Za-z])|\\*\\.[a-z]+|\\bOFF\\b|\\bOff\\b|[0-9]+s\\b"));
    return text.remove(fixed);
}

bool HasLatinWord(const QString& text) {
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    return latin.match(WithoutFixedParts(text)).hasMatch();
}

QStringList WindowTexts(CMainFrame* frame) {
    QStringList texts{frame->windowTitle()};
    for (QAction* top : frame->menuBar()->actions()) {
        texts << top->text();
        for (QAction* a : top->menu()->actions()) {
            if (a->isSeparator() || !a->isVisible()) continue;
            texts << a->text() << a->statusTip() << a->toolTip();
        }
    }
    for (QAction* a : frame->findChild<QToolBar*>()->actions()) {
        if (!a->isSeparator()) texts << a->statusTip() << a->toolTip();
    }
    for (QLabel* l : frame->findChildren<QLabel*>()) texts << l->text();
    for (QGroupBox* g : frame->findChildren<QGroupBox*>()) texts << g->title();
    for (QComboBox* c : frame->findChildren<QComboBox*>()) {
        // The tone lists hold the tone table, the same in every language.
        if (c->objectName() == QStringLiteral("toneBox")) continue;
        for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
    }
    CMSFlexGrid* grid = frame->findChild<CMSFlexGrid*>();
    for (int col = 0; col < grid->GetCols(); ++col) texts << grid->GetTextMatrix(0, col);
    texts.removeAll(QString());
    return texts;
}

}  // namespace

class SixteenChannelProgramTest : public QObject {
    Q_OBJECT

    struct Session {
        ProgramDir dir;
        MessageScript messages;
        FileDialogScript dialogs;
        std::unique_ptr<CVelApp> app;
        explicit Session(vel::FamilyId id, const QString& locale = QStringLiteral("en_US")) {
            const QString name = QString::fromStdString(vel::GetFamily(id).name);
            app = std::make_unique<CVelApp>(vel::GetFamily(id), dir.options(locale, name));
        }
        CMainFrame* frame() const { return app->mainFrame(); }
    };

private slots:
    void everyWindowTextIsChinese() {
        Session s(vel::FamilyId::VM_CH16_CN);
        QVERIFY(s.app->initInstance());
        const QStringList texts = WindowTexts(s.frame());
        QVERIFY(texts.size() > 80);
        for (const QString& t : texts) QVERIFY2(!HasLatinWord(t), qPrintable(t));
        // The check itself sees English where there is some.
        Session english(vel::FamilyId::VM_CH16);
        QVERIFY(english.app->initInstance());
        int latin = 0;
        for (const QString& t : WindowTexts(english.frame())) latin += HasLatinWord(t) ? 1 : 0;
        QVERIFY2(latin > 30, qPrintable(QString::number(latin)));
    }

    void testModePromptIsTheProgramsOwn_data() {
        QTest::addColumn<vel::FamilyId>("family");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("tip");
        QTest::newRow("VM_CH16_CN") << vel::FamilyId::VM_CH16_CN << "en_US"
                                    << QStringLiteral("实时修改对讲机发射功率，静燥等级，电池低压报警")
                                    << QStringLiteral("在线调试");
        QTest::newRow("VM_CH16") << vel::FamilyId::VM_CH16 << "zh_CN"
                                 << QStringLiteral("Debug TX Power,Squelch Level,Low Power Alert")
                                 << QStringLiteral("Debug on line");
        QTest::newRow("Velmar_V Chinese") << vel::FamilyId::Velmar_V << "zh_CN"
                                          << QStringLiteral("调试发射功率、静噪等级、低电报警") << QStringLiteral("在线调试");
    }
    void testModePromptIsTheProgramsOwn() {
        QFETCH(vel::FamilyId, family);
        QFETCH(QString, locale);
        QFETCH(QString, prompt);
        QFETCH(QString, tip);
        Session s(family, locale);
        QVERIFY(s.app->initInstance());
        QAction* testMode = s.frame()->action(ID_TEST_MODE);
        QCOMPARE(testMode->statusTip(), prompt);
        QCOMPARE(testMode->toolTip(), tip);
        // The prompt shows in the status bar while the pointer rests on it.
        testMode->showStatusText(s.frame());
        QCOMPARE(s.frame()->paneText(), prompt);
    }

    void fileDialogsNameTheProgramsFiles_data() {
        QTest::addColumn<vel::FamilyId>("family");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("newName");
        QTest::newRow("VM_CH16_CN") << vel::FamilyId::VM_CH16_CN << "en_US" << QStringLiteral("写频数据 文件 (*.sin)")
                                    << QStringLiteral("写频数据.sin");
        QTest::newRow("VM_CH16") << vel::FamilyId::VM_CH16 << "en_US" << QStringLiteral("Channel Data (*.sin)")
                                 << QStringLiteral("Write Data.sin");
        QTest::newRow("Velmar_V Chinese") << vel::FamilyId::Velmar_V << "zh_CN" << QStringLiteral("写频数据 (*.sin)")
                                          << QStringLiteral("写频数据.sin");
        QTest::newRow("Velmar_V English") << vel::FamilyId::Velmar_V << "en_US"
                                          << QStringLiteral("Channel Data (*.sin)") << QStringLiteral("Write Data.sin");
    }
    void fileDialogsNameTheProgramsFiles() {
        QFETCH(vel::FamilyId, family);
        QFETCH(QString, locale);
        QFETCH(QString, filter);
        QFETCH(QString, newName);
        Session s(family, locale);
        QVERIFY(s.app->initInstance());
        s.dialogs.answers = {QString(), QString()};   // both dialogs cancelled
        QVERIFY(!s.app->onFileOpen());
        QVERIFY(!s.app->onFileSaveAs());
        QCOMPARE(s.dialogs.requests.size(), size_t(2));
        QCOMPARE(s.dialogs.requests[0].filter.section(QStringLiteral(";;"), 0, 0), filter);
        QCOMPARE(s.dialogs.requests[1].filter, filter);
        QCOMPARE(s.dialogs.requests[1].suggested, newName);
        if (family == vel::FamilyId::VM_CH16_CN) {
            for (const auto& r : s.dialogs.requests) QVERIFY2(!HasLatinWord(r.title + r.filter), qPrintable(r.title + r.filter));
        }
    }

    // The report takes the form's lists and the grid's cells as the window
    // shows them, before anything is stored.
    void reportPrintsTheFormBeforeItIsStored_data() {
        QTest::addColumn<vel::FamilyId>("family");
        QTest::addColumn<QString>("line");
        QTest::newRow("VM_CH16") << vel::FamilyId::VM_CH16 << QStringLiteral("Moni:VOXON/OFF");
        QTest::newRow("VM_CH16_CN") << vel::FamilyId::VM_CH16_CN << QStringLiteral("监听功能:声控开关");
    }
    void reportPrintsTheFormBeforeItIsStored() {
        QFETCH(vel::FamilyId, family);
        QFETCH(QString, line);
        Session s(family);
        QVERIFY(s.app->initInstance());
        const vel::Image before = s.app->document()->image();
        s.app->view()->findChild<QComboBox*>(QStringLiteral("field1012"))->setCurrentIndex(2);
        s.app->view()->grid()->SetTextMatrix(1, 1, QStringLiteral("145.50000"));
        const QString pdf = s.dir.path(QStringLiteral("report.pdf"));
        s.dialogs.answers = {pdf};
        s.frame()->execute(ID_FILE_EXPORT_PDF);
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        if (!p.waitForStarted()) QSKIP("pdftotext (poppler-utils) is not installed");
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput()).remove(QRegularExpression(QStringLiteral("\\s")));
        QVERIFY2(text.contains(line), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("145.50000")));
        QCOMPARE(s.app->document()->image(), before);
        QCOMPARE(s.messages.shown.size(), size_t(0));
    }

    void exportAndQuestionsAreChinese() {
        Session s(vel::FamilyId::VM_CH16_CN);
        QVERIFY(s.app->initInstance());
        s.dialogs.answers = {QString()};
        s.frame()->execute(ID_FILE_EXPORT_PDF);
        QCOMPARE(s.dialogs.requests.size(), size_t(1));
        QCOMPARE(s.dialogs.requests[0].title, QStringLiteral("导出PDF"));
        QVERIFY2(!HasLatinWord(s.dialogs.requests[0].filter), qPrintable(s.dialogs.requests[0].filter));
        // Unsaved changes: the question is Chinese.
        s.app->view()->grid()->SetTextMatrix(1, 1, QStringLiteral("145.50000"));
        s.messages.answers = {QMessageBox::Cancel};
        QVERIFY(!s.app->onFileNew());
        QCOMPARE(s.messages.shown.size(), size_t(1));
        QVERIFY2(!HasLatinWord(s.messages.shown[0].text), qPrintable(s.messages.shown[0].text));
    }
};

QTEST_MAIN(SixteenChannelProgramTest)
#include "sixteen_channel_program_test.moc"

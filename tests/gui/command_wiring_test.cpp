// The main window's commands reach the dialogs and the report: which dialog
// each command opens in which application, and what the report commands write.
#include <QApplication>
#include <QDialog>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <QtTest>

#include "image/family.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/vel_app.h"
#include "shell/ui/vel_doc.h"
#include "table/ui/vel_view.h"
#include "tests/gui/shell_test_support.h"

using namespace velui;
using namespace shelltest;

class CommandWiringTest : public QObject {
    Q_OBJECT
private slots:
    void dialogsOfTheFullApplication_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("title");
        QTest::newRow("Optional Features") << int(ID_OPTIONAL_FEATURES) << "Optional Features";
        QTest::newRow("Two Tone") << int(ID_TWO_TONE) << "Tow Tone";
    }
    void dialogsOfTheFullApplication() {
        QFETCH(int, command);
        QFETCH(QString, title);
        ProgramDir dir;
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), dir.options());
        QVERIFY(app.initInstance());
        QCOMPARE(TitleOfDialogOpenedBy(app, command), title);
        QVERIFY(messages.shown.empty());
    }

    void optionalFeaturesCancelLeavesTheImage() {
        ProgramDir dir;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), dir.options());
        QVERIFY(app.initInstance());
        const vel::Image before = app.document()->image();
        QCOMPARE(TitleOfDialogOpenedBy(app, ID_OPTIONAL_FEATURES), QStringLiteral("Optional Features"));
        QVERIFY(app.document()->image() == before);
    }

    void familiesOpenTheirOwnOptionalFeatures_data() {
        QTest::addColumn<int>("family");
        QTest::newRow("VM_CH128") << int(vel::FamilyId::VM_CH128);
        QTest::newRow("VM_CH118") << int(vel::FamilyId::VM_CH118);
    }
    void familiesOpenTheirOwnOptionalFeatures() {
        QFETCH(int, family);
        const vel::Family& f = vel::GetFamily(static_cast<vel::FamilyId>(family));
        ProgramDir dir;
        MessageScript messages;
        CVelApp app(f, dir.options(QStringLiteral("en_US"), QString::fromStdString(f.name)));
        QVERIFY(app.initInstance());
        const vel::Image before = app.document()->image();
        QCOMPARE(TitleOfDialogOpenedBy(app, ID_OPTIONAL_FEATURES), QStringLiteral("Optional Features"));
        QVERIFY(messages.shown.empty());
        QVERIFY(app.document()->image() == before);
        // The two-tone dialog belongs to the full application alone.
        app.mainFrame()->execute(ID_TWO_TONE);
        QCOMPARE(messages.shown.size(), size_t(1));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void familiesWithoutTheseDialogsSayNotYetAvailable() {
        ProgramDir dir;
        MessageScript messages;
        CVelApp app(vel::GetFamily(vel::FamilyId::VM_CH16), dir.options(QStringLiteral("en_US"), QStringLiteral("VM_CH16")));
        QVERIFY(app.initInstance());
        app.mainFrame()->execute(ID_OPTIONAL_FEATURES);
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(messages.shown[0].text, QStringLiteral("This command is not yet available."));
    }

    void printPreviewOpensThePreview() {
        ProgramDir dir;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), dir.options());
        QVERIFY(app.initInstance());
        bool preview = false;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
                preview = true;
                dialog->reject();
            }
        });
        app.mainFrame()->execute(ID_FILE_PRINT_PREVIEW);
        QVERIFY(preview);
    }

    void exportPdfWritesTheReportBesideTheDocument() {
        ProgramDir dir;
        MessageScript messages;
        FileDialogScript files;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), dir.options());
        QVERIFY(app.initInstance());
        const QString target = dir.path(QStringLiteral("report"));
        files.answers.push_back(target);
        app.mainFrame()->execute(ID_FILE_EXPORT_PDF);
        QVERIFY(messages.shown.empty());
        QCOMPARE(files.requests.size(), size_t(1));
        QCOMPARE(files.requests[0].kind, FileDialogKind::Save);
        QFile pdf(target + QStringLiteral(".pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
    }

    void exportPdfCancelledWritesNothing() {
        ProgramDir dir;
        FileDialogScript files;
        CVelApp app(vel::GetFamily(vel::FamilyId::Velmar_V), dir.options());
        QVERIFY(app.initInstance());
        files.answers.push_back(QString());
        app.mainFrame()->execute(ID_FILE_EXPORT_PDF);
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.pdf")}).size(), 0);
    }
};

QTEST_MAIN(CommandWiringTest)
#include "command_wiring_test.moc"

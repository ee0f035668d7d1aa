// The test-mode dialog: its tree and pages, the item values and Default, the
// frequency entry with its rounding, the tone lists, and Start against a
// simulated radio on a virtual clock (frames, messages, Retry), and the Test
// Mode command's base frequency and port.

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>

#include "image/encodings.h"
#include "program_test_support.h"
#include "testmode/ui/test_mode_dlg.h"

using namespace velui;
using programtest::ProgramHarness;
using programtest::SimLink;
using vel::FamilyId;

Q_DECLARE_METATYPE(vel::FamilyId)
Q_DECLARE_METATYPE(vel::TestModeOutcome)

namespace {

struct DialogHarness {
    DialogHarness(FamilyId id, vel::Lang lang = vel::Lang::English, int baseMHz = 136)
        : family(vel::GetFamily(id)), link(family) {
        TestModeLink l;
        l.makePort = link.factory();
        l.clock = &link.clock;
        l.messageTitle = QStringLiteral("Velmar");
        dlg = std::make_unique<CTestModeDlg>(family, lang, baseMHz, QStringLiteral("COM2"), l);
        dlg->show();
        if (!QTest::qWaitForWindowActive(dlg.get())) qWarning("test-mode dialog not active");
    }

    QStringList messages() const {
        QStringList t;
        for (const auto& m : script.shown) t << m.text;
        return t;
    }
    /// Types `text` into a frequency edit as a user would, then Enter.
    void enterFrequency(bool transmit, const QString& text) {
        QLineEdit* edit = dlg->frequencyEdit(transmit);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    std::vector<vel::Byte> writeAfter(const std::vector<vel::Byte>& before) const {
        const auto& w = link.port.writes();
        for (std::size_t i = 0; i + 1 < w.size(); ++i)
            if (w[i].bytes == before) return w[i + 1].bytes;
        return {};
    }

    const vel::Family& family;
    shelltest::MessageScript script;
    SimLink link;
    std::unique_ptr<CTestModeDlg> dlg;
};

QStringList Children(QTreeWidgetItem* item) {
    QStringList labels;
    for (int i = 0; i < item->childCount(); ++i) labels << item->child(i)->text(0);
    return labels;
}

}  // namespace

class TestModeDlgTest : public QObject {
    Q_OBJECT
private slots:
    void opening_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<vel::Lang>("lang");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("labels");   // Default, Start, QT, DQT, receive group, step label
        const QString choose = QStringLiteral("Please Choose Frequency first");
        const QString chooseCh =
            QStringLiteral("请先设定调试频率，包括高，中，低三档，便于你后续选择，否则程序将送出默认频率");
        const QStringList english{"Default", "Start", "QT", "DQT", "Receive", "Step Value"};
        const QStringList chinese{"还原默认值", "开始", "模拟信令", "数字信令", "接收", "频率步进值"};
        QTest::newRow("Velmar_V") << FamilyId::Velmar_V << vel::Lang::English << "Debug Mode for Velmar" << choose
                                  << english;
        QTest::newRow("Velmar_V Chinese") << FamilyId::Velmar_V << vel::Lang::Chinese << "Debug Mode for Velmar"
                                          << chooseCh << chinese;
        QTest::newRow("VM_CH128") << FamilyId::VM_CH128 << vel::Lang::English << "Debug Mode for Velmar" << choose
                                  << english;
        QTest::newRow("VM_CH118") << FamilyId::VM_CH118 << vel::Lang::English << "Debug Mode for  Velmar" << choose
                                  << english;
        QTest::newRow("Marlowe") << FamilyId::Marlowe << vel::Lang::English << "Debug Mode for  Velmar Radio"
                                 << choose << english;
        QTest::newRow("VM_CH16") << FamilyId::VM_CH16 << vel::Lang::English << "Debug Mode for  Velmar Radio"
                                 << choose << english;
        QTest::newRow("VM_CH16_CN") << FamilyId::VM_CH16_CN << vel::Lang::English << "Dialog" << chooseCh << chinese;
    }
    void opening() {
        QFETCH(FamilyId, id);
        QFETCH(vel::Lang, lang);
        QFETCH(QString, title);
        QFETCH(QString, caption);
        QFETCH(QStringList, labels);
        DialogHarness h(id, lang);
        CTestModeDlg* d = h.dlg.get();
        QCOMPARE(d->windowTitle(), title);
        QVERIFY(d->isModal());
        QCOMPARE(d->captionGroup()->title(), caption);
        QCOMPARE((QStringList{d->defaultButton()->text(), d->startButton()->text(),
                              d->kindButton(false, vel::ToneKind::QT)->text(),
                              d->kindButton(false, vel::ToneKind::DQT)->text(),
                              d->findChild<QGroupBox*>(QStringLiteral("receiveGroup"))->title(),
                              d->findChild<QLabel*>(QStringLiteral("rxStepLabel"))->text()}),
                 labels);

        // The tree: the same labels in every family and language.
        QTreeWidget* tree = d->tree();
        QCOMPARE(tree->topLevelItemCount(), 3);
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Debug Frequency"));
        QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("Debug Item"));
        QCOMPARE(tree->topLevelItem(2)->text(0), QStringLiteral("Exit Debug"));
        QCOMPARE(Children(tree->topLevelItem(0)),
                 (QStringList{"High Frequency", "Middle Frequency", "Low Frequency"}));
        QCOMPARE(Children(tree->topLevelItem(1)),
                 (QStringList{"TX Frequency", "Low Power Voltage", "Squelch Level", "TX Power"}));
        QVERIFY(tree->topLevelItem(0)->isExpanded());
        QVERIFY(!tree->topLevelItem(1)->isExpanded());

        // Only the tree and group 1029 show.
        QVERIFY(tree->isVisible());
        QVERIFY(d->captionGroup()->isVisible());
        QVERIFY(!d->frequencyPage()->isVisible());
        QVERIFY(!d->parameterPage()->isVisible());
        QVERIFY(!d->defaultButton()->isVisible());
        QCOMPARE(d->page(), CTestModeDlg::Page::None);

        for (bool tx : {false, true}) {
            QVERIFY(d->kindButton(tx, vel::ToneKind::QT)->isChecked());
            QVERIFY(d->stepButton(tx, vel::TestStep::KHz500)->isChecked());
            QCOMPARE(d->toneBox(tx)->count(), 51);
            QCOMPARE(d->toneBox(tx)->currentIndex(), 0);
            QCOMPARE(d->toneBox(tx)->currentText(), QStringLiteral("OFF"));
        }
        QVERIFY(d->chooseButton(vel::kDebugHigh)->isChecked());
        QCOMPARE(d->trackBar()->minimum(), 0);
        QCOMPARE(d->trackBar()->maximum(), 255);
        QCOMPARE(d->trackBar()->value(), 0);
    }

    void treeSelection_data() {
        QTest::addColumn<QStringList>("nodes");
        QTest::addColumn<int>("page");   // CTestModeDlg::Page
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<bool>("defaultShown");
        const int none = int(CTestModeDlg::Page::None), freq = int(CTestModeDlg::Page::Frequency),
                  param = int(CTestModeDlg::Page::Parameter);
        const QString choose = QStringLiteral("Please Choose Frequency first");
        QTest::newRow("High") << QStringList{"High Frequency"} << freq << "High Frequency" << "156.00000" << true;
        QTest::newRow("Middle") << QStringList{"Middle Frequency"} << freq << "Middle Frequency" << "146.00000" << true;
        QTest::newRow("Low") << QStringList{"Low Frequency"} << freq << "Low frequency" << "136.00000" << true;
        QTest::newRow("item") << QStringList{"Squelch Level"} << param << choose << "" << true;
        QTest::newRow("top-level node") << QStringList{"Debug Item"} << none << choose << "" << false;
        QTest::newRow("item after frequency") << QStringList{"Low Frequency", "TX Power"} << param << "Low frequency"
                                              << "136.00000" << true;
        QTest::newRow("top-level after item") << QStringList{"TX Power", "Debug Frequency"} << param << choose << ""
                                              << true;
    }
    void treeSelection() {
        QFETCH(QStringList, nodes);
        QFETCH(int, page);
        QFETCH(QString, caption);
        QFETCH(QString, rx);
        QFETCH(bool, defaultShown);
        DialogHarness h(FamilyId::Velmar_V);
        for (const QString& n : nodes) h.dlg->selectNode(n);
        QCOMPARE(int(h.dlg->page()), page);
        QCOMPARE(h.dlg->frequencyPage()->isVisible(), page == int(CTestModeDlg::Page::Frequency));
        QCOMPARE(h.dlg->parameterPage()->isVisible(), page == int(CTestModeDlg::Page::Parameter));
        QCOMPARE(h.dlg->startButton()->isVisible(), page == int(CTestModeDlg::Page::Parameter));
        QCOMPARE(h.dlg->captionGroup()->title(), caption);
        QCOMPARE(h.dlg->frequencyEdit(false)->text(), rx);
        QCOMPARE(h.dlg->frequencyEdit(true)->text(), rx);
        QCOMPARE(h.dlg->defaultButton()->isVisible(), defaultShown);
    }

    // Each item keeps its own value; Default gives the item's default.
    void itemsAndDefault_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("defaultValue");
        QTest::newRow("TX Frequency") << "TX Frequency" << 2 << 91;
        QTest::newRow("Low Power Voltage") << "Low Power Voltage" << 3 << 38;
        QTest::newRow("Squelch Level") << "Squelch Level" << 4 << 160;
        QTest::newRow("TX Power") << "TX Power" << 5 << 47;
    }
    void itemsAndDefault() {
        QFETCH(QString, item);
        QFETCH(int, code);
        QFETCH(int, defaultValue);
        DialogHarness h(FamilyId::Velmar_V);
        h.dlg->selectNode(item);
        QCOMPARE(h.dlg->selectedItem(), code);
        QCOMPARE(h.dlg->currentValueLabel()->text(), QStringLiteral("Current Position:0"));
        h.dlg->defaultButton()->click();
        QCOMPARE(h.dlg->trackBar()->value(), defaultValue);
        QCOMPARE(h.dlg->currentValueLabel()->text(), QStringLiteral("Current Position:%1").arg(defaultValue));
        QCOMPARE(h.dlg->state().itemValue(code), defaultValue);

        // Another item shows its own value; coming back shows this one's.
        const QString other = code == 5 ? QStringLiteral("TX Frequency") : QStringLiteral("TX Power");
        h.dlg->selectNode(other);
        QCOMPARE(h.dlg->trackBar()->value(), 0);
        h.dlg->trackBar()->setValue(200);
        QCOMPARE(h.dlg->currentValueLabel()->text(), QStringLiteral("Current Position:200"));
        h.dlg->selectNode(item);
        QCOMPARE(h.dlg->trackBar()->value(), defaultValue);
        QCOMPARE(h.dlg->state().itemValue(code == 5 ? 2 : 5), 200);

        // The keyboard moves the bar too.
        h.dlg->trackBar()->setFocus();
        QTest::keyClick(h.dlg->trackBar(), Qt::Key_Right);
        QCOMPARE(h.dlg->state().itemValue(code), defaultValue + 1);
        QCOMPARE(h.dlg->currentValueLabel()->text(), QStringLiteral("Current Position:%1").arg(defaultValue + 1));
        QCOMPARE(h.messages(), QStringList{});
    }

    void defaultWithNoPage_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<vel::Lang>("lang");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("positionLabel");
        QTest::newRow("English") << FamilyId::Velmar_V << vel::Lang::English << " There are no Visible information"
                                 << "Current Position:47";
        QTest::newRow("Chinese") << FamilyId::Velmar_V << vel::Lang::Chinese << "没有可视信息" << "当前位置:47";
        QTest::newRow("VM_CH16_CN") << FamilyId::VM_CH16_CN << vel::Lang::Chinese << " 没有可视信息" << "当前位置:47";
        QTest::newRow("Marlowe") << FamilyId::Marlowe << vel::Lang::English << " There are no Visible information"
                                 << "Current Position:47";
    }
    void defaultWithNoPage() {
        QFETCH(FamilyId, id);
        QFETCH(vel::Lang, lang);
        QFETCH(QString, message);
        QFETCH(QString, positionLabel);
        DialogHarness h(id, lang);
        h.dlg->onDefault();   // the button is hidden until a node is chosen
        QCOMPARE(h.messages(), QStringList{message});
        QCOMPARE(h.script.shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        h.dlg->selectNode(QStringLiteral("TX Power"));
        h.dlg->defaultButton()->click();
        QCOMPARE(h.dlg->currentValueLabel()->text(), positionLabel);
    }

    // Enter on the Default button runs Default.
    void enterOnDefault() {
        DialogHarness h(FamilyId::Velmar_V);
        h.dlg->selectNode(QStringLiteral("Low Power Voltage"));
        h.dlg->defaultButton()->setFocus();
        QTest::keyClick(h.dlg->defaultButton(), Qt::Key_Return);
        QCOMPARE(h.dlg->state().itemValue(3), 38);
        QCOMPARE(h.dlg->lastOutcome(), std::nullopt);   // Enter never starts an exchange
    }

    void frequencyEntry_data() {
        QTest::addColumn<int>("base");
        QTest::addColumn<bool>("transmit");
        QTest::addColumn<bool>("step625");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above the span") << 136 << false << false << "160" << "156.00000";
        QTest::newRow("below the span") << 136 << true << false << "100" << "136.00000";
        QTest::newRow("5 kHz up") << 136 << false << false << "145.0026" << "145.00500";
        QTest::newRow("5 kHz down") << 136 << false << false << "145.0024" << "145.00000";
        QTest::newRow("5 kHz half") << 136 << true << false << "145.0025" << "145.00000";
        QTest::newRow("6.25 kHz 312") << 136 << false << true << "145.00312" << "145.00000";
        QTest::newRow("6.25 kHz 313") << 136 << true << true << "145.00313" << "145.00625";
        QTest::newRow("band 67") << 67 << false << false << "70.0026" << "70.00500";
        QTest::newRow("letters") << 450 << false << false << "abc" << "450.00000";
    }
    void frequencyEntry() {
        QFETCH(int, base);
        QFETCH(bool, transmit);
        QFETCH(bool, step625);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        DialogHarness h(FamilyId::Velmar_V, vel::Lang::English, base);
        h.dlg->selectNode(QStringLiteral("Middle Frequency"));
        // Each group rounds to its own step: the other group has the other step.
        h.dlg->stepButton(transmit, step625 ? vel::TestStep::KHz625 : vel::TestStep::KHz500)->click();
        h.dlg->stepButton(!transmit, step625 ? vel::TestStep::KHz500 : vel::TestStep::KHz625)->click();
        const QString otherBefore = h.dlg->frequencyEdit(!transmit)->text();
        h.enterFrequency(transmit, typed);
        QCOMPARE(h.dlg->frequencyEdit(transmit)->text(), shown);
        QCOMPARE(h.dlg->frequencyEdit(!transmit)->text(), otherBefore);
        QVERIFY(QApplication::focusWidget() != h.dlg->frequencyEdit(transmit));
        // The value is the debug frequency's now: it comes back after another was shown.
        h.dlg->selectNode(QStringLiteral("High Frequency"));
        h.dlg->selectNode(QStringLiteral("Middle Frequency"));
        QCOMPARE(h.dlg->frequencyEdit(transmit)->text(), shown);
        QCOMPARE(h.messages(), QStringList{});
    }

    // Typed text is taken when the user leaves the edit without Enter too.
    void frequencyTakenOnLeaving() {
        DialogHarness h(FamilyId::Velmar_V);
        h.dlg->selectNode(QStringLiteral("High Frequency"));
        QLineEdit* rx = h.dlg->frequencyEdit(false);
        rx->setFocus();
        rx->selectAll();
        QTest::keyClicks(rx, QStringLiteral("150.0026"));
        h.dlg->selectNode(QStringLiteral("Low Frequency"));
        QCOMPARE(h.dlg->state().frequency(vel::kDebugHigh).rxUnits, 15000500);
        QCOMPARE(h.dlg->frequencyEdit(false)->text(), QStringLiteral("136.00000"));
        QCOMPARE(h.dlg->state().frequency(vel::kDebugLow).rxUnits, 13600000);
    }

    void toneLists() {
        DialogHarness h(FamilyId::Velmar_V);
        h.dlg->selectNode(QStringLiteral("High Frequency"));
        h.dlg->kindButton(false, vel::ToneKind::DQT)->click();
        QCOMPARE(h.dlg->toneBox(false)->count(), 211);
        QCOMPARE(h.dlg->toneBox(false)->currentIndex(), 0);
        QCOMPARE(h.dlg->toneBox(false)->itemText(1), QString::fromStdString(vel::ToneTable()[51]));
        QCOMPARE(h.dlg->toneBox(true)->count(), 51);
        QVERIFY(!h.dlg->kindButton(false, vel::ToneKind::QT)->isChecked());
        // A tone chosen from the list is the debug frequency's.
        h.dlg->toneBox(false)->setCurrentIndex(7);
        emit h.dlg->toneBox(false)->activated(7);
        h.dlg->toneBox(true)->setCurrentIndex(3);
        emit h.dlg->toneBox(true)->activated(3);
        // Middle has its own choices; High's come back.
        h.dlg->selectNode(QStringLiteral("Middle Frequency"));
        QVERIFY(h.dlg->kindButton(false, vel::ToneKind::QT)->isChecked());
        QCOMPARE(h.dlg->toneBox(false)->count(), 51);
        QCOMPARE(h.dlg->toneBox(true)->currentIndex(), 0);
        h.dlg->selectNode(QStringLiteral("High Frequency"));
        QVERIFY(h.dlg->kindButton(false, vel::ToneKind::DQT)->isChecked());
        QCOMPARE(h.dlg->toneBox(false)->currentIndex(), 7);
        QCOMPARE(h.dlg->toneBox(true)->currentIndex(), 3);
        QCOMPARE(h.dlg->toneBox(true)->currentText(), QStringLiteral("71.9"));
        // Clicking the checked kind again changes nothing.
        h.dlg->kindButton(false, vel::ToneKind::DQT)->click();
        QCOMPARE(h.dlg->toneBox(false)->currentIndex(), 7);
    }

    void defaultOnFrequencyPage() {
        DialogHarness h(FamilyId::Velmar_V);
        h.dlg->selectNode(QStringLiteral("Low Frequency"));
        h.enterFrequency(false, QStringLiteral("140"));
        h.dlg->stepButton(true, vel::TestStep::KHz625)->click();
        h.dlg->kindButton(true, vel::ToneKind::DQT)->click();
        h.dlg->toneBox(true)->setCurrentIndex(5);
        emit h.dlg->toneBox(true)->activated(5);
        h.dlg->selectNode(QStringLiteral("High Frequency"));
        h.enterFrequency(false, QStringLiteral("150"));
        h.dlg->selectNode(QStringLiteral("Low Frequency"));
        h.dlg->defaultButton()->click();
        QCOMPARE(h.dlg->frequencyEdit(false)->text(), QStringLiteral("136.00000"));
        QVERIFY(h.dlg->stepButton(true, vel::TestStep::KHz500)->isChecked());
        QVERIFY(h.dlg->kindButton(true, vel::ToneKind::QT)->isChecked());
        QCOMPARE(h.dlg->toneBox(true)->count(), 51);
        QCOMPARE(h.dlg->toneBox(true)->currentIndex(), 0);
        QCOMPARE(h.dlg->state().frequency(vel::kDebugLow), h.dlg->state().openingFrequency(vel::kDebugLow));
        // Only the debug frequency shown is reset.
        QCOMPARE(h.dlg->state().frequency(vel::kDebugHigh).rxUnits, 15000000);
    }

    void chooseButtonsExclude() {
        DialogHarness h(FamilyId::Velmar_V);
        h.dlg->selectNode(QStringLiteral("TX Power"));
        h.dlg->chooseButton(vel::kDebugLow)->click();
        QCOMPARE(h.dlg->chosenFrequency(), int(vel::kDebugLow));
        QVERIFY(!h.dlg->chooseButton(vel::kDebugHigh)->isChecked());
        h.dlg->chooseButton(vel::kDebugMiddle)->click();
        QVERIFY(!h.dlg->chooseButton(vel::kDebugLow)->isChecked());
        QCOMPARE(h.dlg->chosenFrequency(), int(vel::kDebugMiddle));
    }

    // -----------------------------------------------------------------------
    // Start
    // -----------------------------------------------------------------------

    void startSquelchDefault_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<vel::Lang>("lang");
        QTest::addColumn<QString>("finished");
        QTest::newRow("English") << FamilyId::Velmar_V << vel::Lang::English << "Finish successfully!";
        QTest::newRow("Chinese") << FamilyId::Velmar_V << vel::Lang::Chinese << "对讲机已收到!";
        QTest::newRow("VM_CH16_CN") << FamilyId::VM_CH16_CN << vel::Lang::Chinese << "对讲机已收到!";
        QTest::newRow("VM_CH118") << FamilyId::VM_CH118 << vel::Lang::Chinese << "Finish successfully!";
    }
    void startSquelchDefault() {
        QFETCH(FamilyId, id);
        QFETCH(vel::Lang, lang);
        QFETCH(QString, finished);
        DialogHarness h(id, lang);
        h.dlg->selectNode(QStringLiteral("Squelch Level"));
        h.dlg->defaultButton()->click();
        h.dlg->startButton()->click();
        QCOMPARE(h.dlg->lastOutcome(), vel::TestModeOutcome::Completed);
        QCOMPARE(h.messages(), QStringList{finished});
        QCOMPARE(h.link.port.openedName(), std::string("COM2"));
        QVERIFY(!h.link.port.isOpen());
        QCOMPARE(h.link.port.profile()->gapMs, vel::kTestModeTiming.gapMs);
        // 'x', then 's', then 's' 0x08.
        QCOMPARE(h.writeAfter({0x78}), (std::vector<vel::Byte>{0x73}));
        QCOMPARE(h.writeAfter({0x73}), (std::vector<vel::Byte>{0x73, 0x08}));
        const auto settings = h.link.radio.lastTestMode();
        QVERIFY(settings.has_value());
        QCOMPARE(settings->commandByte, vel::Byte{0x73});
        QCOMPARE(settings->value(), 160);
        // High of F = 136 with tone OFF.
        QCOMPARE(settings->frequencyFrame, (std::array<vel::Byte, 8>{0x00, 0x00, 0x60, 0x15, 0x00, 0x00, 0x60, 0x15}));
        QCOMPARE(settings->parameterFrame, (std::array<vel::Byte, 8>{0, 0, 0, 0, 0xFB, 0x01, 0x01, 160}));
        QVERIFY(h.dlg->isVisible());
    }

    // Start sends the debug frequency chosen on the parameter page, with the
    // frequencies and tones stored for it.
    void startSendsTheChosenDebugFrequency() {
        DialogHarness h(FamilyId::Velmar_V);
        h.dlg->selectNode(QStringLiteral("Middle Frequency"));
        h.enterFrequency(false, QStringLiteral("145.125"));
        h.dlg->toneBox(false)->setCurrentIndex(vel::ToneIndex("88.5"));
        emit h.dlg->toneBox(false)->activated(vel::ToneIndex("88.5"));
        h.dlg->selectNode(QStringLiteral("Low Frequency"));   // the edits now show Low
        h.dlg->selectNode(QStringLiteral("TX Power"));
        h.dlg->trackBar()->setValue(99);
        h.dlg->chooseButton(vel::kDebugMiddle)->click();
        h.dlg->startButton()->click();
        QCOMPARE(h.dlg->lastOutcome(), vel::TestModeOutcome::Completed);
        const auto settings = h.link.radio.lastTestMode();
        QVERIFY(settings.has_value());
        QCOMPARE(settings->commandByte, vel::Byte{0x74});
        QCOMPARE(settings->frequencyFrame, (std::array<vel::Byte, 8>{0x00, 0x25, 0x51, 0x14, 0x00, 0x00, 0x60, 0x14}));
        QCOMPARE(settings->parameterFrame, (std::array<vel::Byte, 8>{0x85, 0x08, 0, 0, 0xFB, 0x01, 0x01, 99}));
    }

    void startRetry_data() {
        QTest::addColumn<vel::Lang>("lang");
        QTest::addColumn<bool>("retry");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<vel::TestModeOutcome>("outcome");
        QTest::newRow("Retry") << vel::Lang::English << true
                               << QStringList{" Error had happen ,need try again", "Finish successfully!"}
                               << vel::TestModeOutcome::Completed;
        QTest::newRow("Cancel") << vel::Lang::English << false << QStringList{" Error had happen ,need try again"}
                                << vel::TestModeOutcome::Cancelled;
        QTest::newRow("Chinese") << vel::Lang::Chinese << false << QStringList{" 错误需延时再试"}
                                 << vel::TestModeOutcome::Cancelled;
    }
    void startRetry() {
        QFETCH(vel::Lang, lang);
        QFETCH(bool, retry);
        QFETCH(QStringList, messages);
        QFETCH(vel::TestModeOutcome, outcome);
        DialogHarness h(FamilyId::Velmar_V, lang);
        vel::SimulatorFaults faults;
        faults.wrongFirstAcks = 1;   // the first attempt gets a wrong answer
        h.link.radio.setFaults(faults);
        h.script.answers = {retry ? QMessageBox::Retry : QMessageBox::Cancel};
        h.dlg->selectNode(QStringLiteral("Squelch Level"));
        h.dlg->startButton()->click();
        QCOMPARE(h.messages(), messages);
        QCOMPARE(h.script.shown[0].buttons, QMessageBox::Retry | QMessageBox::Cancel);
        QCOMPARE(h.dlg->lastOutcome(), outcome);
        // Retry starts again with the 700 ms pause and a fresh wake-up on the open port.
        QCOMPARE(h.link.radio.countFrames(vel::FrameKind::WakeUp), size_t(retry ? 2 : 1));
        const auto& sleeps = h.link.clock.sleeps();
        QCOMPARE(std::count(sleeps.begin(), sleeps.end(), 700), std::ptrdiff_t(retry ? 2 : 1));
        QCOMPARE(h.link.port.openCount(), 1);
        QVERIFY(!h.link.port.isOpen());
        QCOMPARE(h.link.radio.testModeCount(), retry ? 1 : 0);
    }

    void startOpenFailure() {
        DialogHarness h(FamilyId::VM_CH16_CN, vel::Lang::Chinese);
        h.link.port.setOptions({false, true, false});
        h.dlg->selectNode(QStringLiteral("TX Power"));
        h.dlg->startButton()->click();
        QCOMPARE(h.dlg->lastOutcome(), vel::TestModeOutcome::OpenFailed);
        QCOMPARE(h.script.shown.size(), size_t(1));
        QCOMPARE(h.script.shown[0].text.section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("无法打开串口，请检查该设备是否正常，或是否被占用"));
        QVERIFY(h.dlg->isVisible());
        QCOMPARE(h.link.writes, 0);
    }

    void exitDebugCloses() {
        DialogHarness h(FamilyId::Velmar_V);
        h.dlg->selectNode(QStringLiteral("Exit Debug"));
        QVERIFY(!h.dlg->isVisible());
        QCOMPARE(h.dlg->result(), int(QDialog::Accepted));
    }

    // -----------------------------------------------------------------------
    // The Test Mode command
    // -----------------------------------------------------------------------

    void commandGivesBaseAndPort_data() {
        QTest::addColumn<FamilyId>("id");
        QTest::addColumn<int>("fieldIndex");   // -1: leave the Field list as it is
        QTest::addColumn<int>("base");
        QTest::newRow("Velmar_V new document") << FamilyId::Velmar_V << -1 << 240;
        QTest::newRow("Velmar_V 67") << FamilyId::Velmar_V << 0 << 67;
        QTest::newRow("Velmar_V 136") << FamilyId::Velmar_V << 1 << 136;
        QTest::newRow("VM_CH128 136") << FamilyId::VM_CH128 << 1 << 136;
        QTest::newRow("Marlowe fixed") << FamilyId::Marlowe << 1 << 450;
        QTest::newRow("VM_CH16 fixed") << FamilyId::VM_CH16 << 1 << 450;
        QTest::newRow("VM_CH16_CN by the list") << FamilyId::VM_CH16_CN << 1 << -1;
    }
    void commandGivesBaseAndPort() {
        QFETCH(FamilyId, id);
        QFETCH(int, fieldIndex);
        QFETCH(int, base);
        ProgramHarness h(id);
        QVERIFY(h.ok);
        auto* field = h.view()->findChild<QComboBox*>(QStringLiteral("field1011"));
        QVERIFY(field);
        if (fieldIndex >= 0) field->setCurrentIndex(fieldIndex);
        if (base < 0) base = field->currentText().trimmed().section(QLatin1Char(' '), 0, 0).toInt();
        h.frame()->execute(ID_COM3);
        int seenBase = 0;
        QString seenPort, seenTitle;
        h.app->programCommands()->setTestModeRunner([&](CTestModeDlg& dlg) {
            seenBase = dlg.baseMHz();
            seenPort = dlg.portName();
            seenTitle = dlg.windowTitle();
            dlg.selectNode(QStringLiteral("Low Frequency"));
            QCOMPARE(dlg.frequencyEdit(false)->text().trimmed(), QString::fromStdString(vel::FormatMHz(base * 100000LL)));
        });
        h.frame()->execute(ID_TEST_MODE);
        QCOMPARE(seenBase, base);
        QCOMPARE(seenPort, QStringLiteral("COM3"));
        QCOMPARE(seenTitle, QString::fromStdString(vel::TestModeDialogTitle(id)));
    }

    // Start from the command reaches the radio through the application's ports.
    void commandStartReachesTheRadio() {
        ProgramHarness h(FamilyId::VM_CH16);
        QVERIFY(h.ok);
        h.app->programCommands()->setTestModeRunner([&](CTestModeDlg& dlg) {
            dlg.selectNode(QStringLiteral("Low Power Voltage"));
            dlg.defaultButton()->click();
            dlg.startButton()->click();
        });
        h.frame()->execute(ID_TEST_MODE);
        QCOMPARE(h.messageTexts(), QStringList{"Finish successfully!"});
        const auto settings = h.link.radio.lastTestMode();
        QVERIFY(settings.has_value());
        QCOMPARE(settings->commandByte, vel::Byte{0x72});
        QCOMPARE(settings->value(), 38);
        // F = 450: High is 470 MHz.
        QCOMPARE(settings->frequencyFrame, (std::array<vel::Byte, 8>{0x00, 0x00, 0x00, 0x47, 0x00, 0x00, 0x00, 0x47}));
    }
};

QTEST_MAIN(TestModeDlgTest)
#include "test_mode_dlg_test.moc"

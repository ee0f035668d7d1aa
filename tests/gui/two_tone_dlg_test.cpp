// Two-tone dialog: when its pages load and store, the decode-set up-downs,
// and the encode page's grid editing with real keys and clicks.

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "dialog_test_support.h"
#include "settings/ui/dialogs.h"
#include "settings/ui/up_down_edit.h"
#include "signalling/ui/two_tone_dlg.h"
#include "signalling/ui/two_tone_encode_page.h"
#include "table/ui/cmsflexgrid.h"

using velui::CTwoToneDlg;
using velui::CTwoToneEncodePage;
using velui::CUpDownEdit;

namespace {

struct Dialog {
    vel::Image image = veltest::NewImage();
    std::unique_ptr<CTwoToneDlg> dlg;

    explicit Dialog(vel::Lang lang = vel::Lang::English, bool englishBase = false) { open(lang, englishBase); }
    void open(vel::Lang lang = vel::Lang::English, bool englishBase = false) {
        dlg = std::make_unique<CTwoToneDlg>(image, lang, englishBase);
        dlg->show();
        if (!QTest::qWaitForWindowExposed(dlg.get())) qWarning("dialog not exposed");
    }
    CTwoToneEncodePage* encode() const { return dlg->encodePage(); }
    CMSFlexGrid* grid() const { return encode()->grid(); }
    QLineEdit* editor() const { return encode()->cellEditor(); }
    QString cell(int row, int col) const { return grid()->GetTextMatrix(row, col); }
    velui::CTwoToneSetPage* set(int n) const { return dlg->decodeContainer()->page(n); }
    void chooseDecode() { dlg->tabs()->setCurrentIndex(1); }
    void chooseEncode() { dlg->tabs()->setCurrentIndex(0); }
    void chooseSet(int n) { dlg->decodeContainer()->tabs()->setCurrentIndex(n - 1); }

    /// A real click on a grid cell (scrolled into view first).
    void click(int row, int col) {
        grid()->ShowCell(row, col);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->cellRect(row, col).center());
    }
    /// Opens the editor on a cell with a click and types into it.
    void type(int row, int col, const QString& text) {
        click(row, col);
        QTest::keyClicks(editor(), text);
    }
    void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    int byte(int addr) const { return image[static_cast<std::size_t>(addr)]; }
    int word(int addr) const { return byte(addr) * 256 + byte(addr + 1); }
};

void Step(CUpDownEdit* box, int presses) {
    box->setFocus();
    for (int i = 0; i < std::abs(presses); ++i) QTest::keyClick(box, presses > 0 ? Qt::Key_Up : Qt::Key_Down);
}

void Retype(CUpDownEdit* box, const QString& text) {
    box->setFocus();
    box->edit()->selectAll();
    QTest::keyClick(box->edit(), Qt::Key_Backspace);
    QTest::keyClicks(box->edit(), text);
}

}  // namespace

class TwoToneDlgTest : public QObject {
    Q_OBJECT
private slots:
    void captionAndTabsInBothLanguages_data();
    void captionAndTabsInBothLanguages();
    void newDocumentOpensWithItsValues();
    void setOneStoresWhenTheDialogCloses_data();
    void setOneStoresWhenTheDialogCloses();
    void switchingEncodeAndDecodeLeavesTheDecodeSets();
    void switchingDecodeTabsStoresTheLeftSetAndLoadsTheChosen_data();
    void switchingDecodeTabsStoresTheLeftSetAndLoadsTheChosen();
    void encodeLoadsAgainWhenChosenAgain();
    void decodeToneUpDownsWrapThroughNoTone_data();
    void decodeToneUpDownsWrapThroughNoTone();
    void decodeTimeUpDownsShowTenths_data();
    void decodeTimeUpDownsShowTenths();
    void decodeSetValuesAreHeldInsteadOfWrapping_data();
    void decodeSetValuesAreHeldInsteadOfWrapping();
    void encodeGridLayout_data();
    void encodeGridLayout();
    void typedToneIsFormattedHeldAndCopied_data();
    void typedToneIsFormattedHeldAndCopied();
    void enterMovesThroughTheTable();
    void enterOnTheLastEntryStays();
    void leavingTheCellCommits();
    void leavingTone2WithoutTone1ClearsIt();
    void editorFollowsTheCurrentCell();
    void firstKeyOnTheGrid_data();
    void firstKeyOnTheGrid();
    void controlKeysDoNotStartEditing();
    void enterOnTheGridMovesRightThenOn();
    void toneIntervalAndRiseDelayAreCheckedOnStore_data();
    void toneIntervalAndRiseDelayAreCheckedOnStore();
    void intervalAndRiseDelayUpDownsWrap_data();
    void intervalAndRiseDelayUpDownsWrap();
    void delayUpDownsAndTheirBytes();
    void shortKillToneStoresInBothRecords();
    void toneLeftInTheEditorIsKeptWhenThePageStores();
    void entryPointRunsModallyAndStoresOnClose();
};

void TwoToneDlgTest::captionAndTabsInBothLanguages_data() {
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("encode");
    QTest::addColumn<QString>("decode");
    QTest::addColumn<QString>("set1");
    QTest::addColumn<QString>("set8");
    QTest::addColumn<QString>("header1");
    QTest::addColumn<QString>("header2");
    QTest::newRow("English") << false << "Tow Tone" << "Encode" << "Decode" << "2Tone 1" << "2Tone 8" << "Tone1 Fre"
                             << "Tone2 Fre";
    QTest::newRow("Chinese") << true << "两音" << "编码" << "解码" << "两音 1" << "两音 8"
                             << "第一个音频率(HZ)" << "第一个音频率(HZ)";
}

void TwoToneDlgTest::captionAndTabsInBothLanguages() {
    QFETCH(bool, chinese);
    std::unique_ptr<veltest::ChineseTexts> texts;
    if (chinese) {
        texts = std::make_unique<veltest::ChineseTexts>();
        QVERIFY(texts->loaded());
    }
    Dialog d(chinese ? vel::Lang::Chinese : vel::Lang::English);
    QTEST(d.dlg->windowTitle(), "caption");
    QCOMPARE(d.dlg->tabs()->count(), 2);
    QTEST(d.dlg->tabs()->tabText(0), "encode");
    QTEST(d.dlg->tabs()->tabText(1), "decode");
    QCOMPARE(d.dlg->decodeContainer()->tabs()->count(), 8);
    QTEST(d.dlg->decodeContainer()->tabs()->tabText(0), "set1");
    QTEST(d.dlg->decodeContainer()->tabs()->tabText(7), "set8");
    QTEST(d.cell(0, 1), "header1");
    QTEST(d.cell(0, 2), "header2");
    QCOMPARE(d.dlg->tabs()->currentIndex(), 0);
}

void TwoToneDlgTest::newDocumentOpensWithItsValues() {
    Dialog d;
    for (int r = 1; r <= 32; ++r) {
        QCOMPARE(d.cell(r, 0), QString::number(r));
        QVERIFY(d.cell(r, 1).isEmpty());
        QVERIFY(d.cell(r, 2).isEmpty());
    }
    QCOMPARE(d.encode()->firstDelayBox()->text(), QStringLiteral("0.5"));
    QCOMPARE(d.encode()->secondDelayBox()->text(), QStringLiteral("0.6"));
    QCOMPARE(d.encode()->longDelayBox()->text(), QStringLiteral("0.7"));
    QCOMPARE(d.encode()->toneIntervalBox()->text(), QStringLiteral("100"));
    QCOMPARE(d.encode()->riseDelayBox()->text(), QStringLiteral("200"));
    QVERIFY(!d.encode()->shortKillToneBox()->isChecked());
    // Set 1 loaded while the Decode container is still hidden.
    QVERIFY(d.set(1)->isPageShown());
    QCOMPARE(d.set(1)->aToneBox()->text(), QStringLiteral("411.2"));
    QCOMPARE(d.set(1)->bToneBox()->text(), QStringLiteral("411.2"));
    for (int i = 0; i < 4; ++i) QCOMPARE(d.set(1)->timeBox(i)->text(), QStringLiteral("0.8"));
    for (int n = 2; n <= 8; ++n) QVERIFY(!d.set(n)->isPageShown());
}

void TwoToneDlgTest::setOneStoresWhenTheDialogCloses_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("close box") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("destroyed while shown") << 2;
}

void TwoToneDlgTest::setOneStoresWhenTheDialogCloses() {
    QFETCH(int, how);
    Dialog d;
    const vel::Image before = d.image;
    if (how == 0) d.dlg->close();
    if (how == 1) QTest::keyClick(d.dlg.get(), Qt::Key_Escape);
    if (how == 2) d.dlg.reset();
    if (d.dlg) QVERIFY(!d.dlg->isVisible());
    const int timing[] = {0x08, 0x82, 0x08, 0x82, 0x10, 0x10, 0x10, 0x10};
    for (int i = 0; i < 8; ++i) QCOMPARE(d.byte(0xF80 + i), timing[i]);
    // Sets 2-8 were never shown: neither their records nor their timing moved.
    for (int a = 0xE80; a <= 0xEBF; ++a) QCOMPARE(d.byte(a), int(before[static_cast<std::size_t>(a)]));
    for (int a = 0xF88; a <= 0xFBF; ++a) QCOMPARE(d.byte(a), 0xFF);
    // The Encode page was shown too: its 50 ms record is written.
    QCOMPARE(d.byte(0xFC0), 10);
    QCOMPARE(d.byte(0xFC1), 12);
    QCOMPARE(d.byte(0xFC2), 14);
    QCOMPARE(d.word(0xFC3), 2);
    QCOMPARE(d.word(0xFC5), 4);
    QCOMPARE(d.byte(0xEC7), 0);
    QCOMPARE(d.byte(0xFC7), 0);
}

void TwoToneDlgTest::switchingEncodeAndDecodeLeavesTheDecodeSets() {
    Dialog d;
    Retype(d.set(1)->aToneBox(), QStringLiteral("1000"));
    const vel::Image before = d.image;
    d.chooseDecode();
    d.chooseEncode();
    d.chooseDecode();
    for (int a = 0xE80; a <= 0xEBF; ++a) QCOMPARE(d.byte(a), int(before[static_cast<std::size_t>(a)]));
    for (int a = 0xF80; a <= 0xFBF; ++a) QCOMPARE(d.byte(a), 0xFF);
    // Nor does showing the container load set 1 again.
    d.image[0xE80] = 0x20;
    d.chooseEncode();
    d.chooseDecode();
    QCOMPARE(d.set(1)->aToneBox()->text(), QStringLiteral("1000"));
    d.dlg->close();
    QCOMPARE(d.word(0xE80), 10000);
    QCOMPARE(d.word(0xF80), 896);
}

void TwoToneDlgTest::switchingDecodeTabsStoresTheLeftSetAndLoadsTheChosen_data() {
    QTest::addColumn<int>("chosen");
    QTest::newRow("set 2") << 2;
    QTest::newRow("set 8") << 8;
}

void TwoToneDlgTest::switchingDecodeTabsStoresTheLeftSetAndLoadsTheChosen() {
    QFETCH(int, chosen);
    Dialog d;
    d.chooseDecode();
    const int base = 0xE80 + 8 * (chosen - 1);
    d.image[static_cast<std::size_t>(base)] = 0x27;   // 1000.0 Hz
    d.image[static_cast<std::size_t>(base + 1)] = 0x10;
    d.image[static_cast<std::size_t>(base + 6)] = 20;  // interval 2.0 s
    Retype(d.set(1)->aToneBox(), QStringLiteral("1000"));
    Retype(d.set(1)->timeBox(2), QStringLiteral("1.5"));
    d.chooseSet(chosen);
    // Set 1 stored as it was left...
    QCOMPARE(d.word(0xE80), 10000);
    QCOMPARE(d.word(0xF80), 896);
    QCOMPARE(d.byte(0xE86), 15);
    QCOMPARE(d.byte(0xF86), 30);
    // ...and the chosen set loaded from the image.
    QVERIFY(d.set(chosen)->isPageShown());
    QVERIFY(!d.set(1)->isPageShown());
    QCOMPARE(d.set(chosen)->aToneBox()->text(), QStringLiteral("1000.0"));
    QCOMPARE(d.set(chosen)->timeBox(2)->text(), QStringLiteral("2.0"));
    // Its interval byte lands at +6 in both records when it stores.
    Retype(d.set(chosen)->timeBox(2), QStringLiteral("0.4"));
    d.chooseSet(1);
    QCOMPARE(d.byte(base + 6), 4);
    QCOMPARE(d.byte(0xF80 + 8 * (chosen - 1) + 6), 8);
}

void TwoToneDlgTest::encodeLoadsAgainWhenChosenAgain() {
    Dialog d;
    d.chooseDecode();
    d.image[0xE04] = 0x03;   // entry 2, Tone 1: 100.0 Hz
    d.image[0xE05] = 0xE8;
    d.image[0xEC7] = 1;
    d.chooseEncode();
    QCOMPARE(d.cell(2, 1), QStringLiteral("100.0"));
    QVERIFY(d.encode()->shortKillToneBox()->isChecked());
}

void TwoToneDlgTest::decodeToneUpDownsWrapThroughNoTone_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("shown");
    QTest::newRow("up from top") << "3106.0" << 1 << "0.0";
    QTest::newRow("up from top twice") << "3106.0" << 2 << "288.5";
    QTest::newRow("down from bottom") << "288.5" << -1 << "0.0";
    QTest::newRow("down from bottom twice") << "288.5" << -2 << "3106.0";
    QTest::newRow("up a tenth") << "1000.0" << 1 << "1000.1";
    QTest::newRow("down a tenth") << "411.2" << -1 << "411.1";
}

void TwoToneDlgTest::decodeToneUpDownsWrapThroughNoTone() {
    QFETCH(QString, start);
    QFETCH(int, presses);
    QFETCH(QString, shown);
    Dialog d;
    d.chooseDecode();
    for (CUpDownEdit* box : {d.set(1)->aToneBox(), d.set(1)->bToneBox()}) {
        box->setText(start);
        Step(box, presses);
        QCOMPARE(box->text(), shown);
    }
}

void TwoToneDlgTest::decodeTimeUpDownsShowTenths_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("shown");
    QTest::newRow("first delay up") << 0 << 8 << 1 << "0.9";
    QTest::newRow("first delay stops at 0.5") << 0 << 6 << -3 << "0.5";
    QTest::newRow("second delay down to 0") << 1 << 1 << -1 << "0.0";
    QTest::newRow("interval stops at 2.0") << 2 << 19 << 3 << "2.0";
    QTest::newRow("long tone delay to 10.0") << 3 << 99 << 1 << "10.0";
}

void TwoToneDlgTest::decodeTimeUpDownsShowTenths() {
    QFETCH(int, box);
    QFETCH(int, stored);
    QFETCH(int, presses);
    QFETCH(QString, shown);
    Dialog d;
    d.image[static_cast<std::size_t>(0xE88 + 4 + box)] = static_cast<vel::Byte>(stored);
    d.chooseDecode();
    d.chooseSet(2);
    Step(d.set(2)->timeBox(box), presses);
    QCOMPARE(d.set(2)->timeBox(box)->text(), shown);
}

void TwoToneDlgTest::decodeSetValuesAreHeldInsteadOfWrapping_data() {
    QTest::addColumn<QString>("tone");
    QTest::addColumn<QString>("time");
    QTest::addColumn<int>("toneWord");
    QTest::addColumn<int>("periodWord");
    QTest::addColumn<int>("timeByte");
    QTest::addColumn<int>("time50Byte");
    QTest::newRow("1000 Hz, 0.8 s") << "1000" << "0.8" << 10000 << 896 << 8 << 16;
    QTest::newRow("above the top") << "7000" << "0.8" << 31060 << 288 << 8 << 16;
    QTest::newRow("below the bottom") << "100" << "0.8" << 2885 << 3105 << 8 << 16;
    QTest::newRow("no tone") << "0.0" << "0.0" << 0 << 0 << 0 << 0;
    QTest::newRow("not a number") << "abc" << "x" << 0 << 0 << 0 << 0;
    QTest::newRow("time past its byte") << "411.2" << "30.0" << 4112 << 2178 << 255 << 255;
}

void TwoToneDlgTest::decodeSetValuesAreHeldInsteadOfWrapping() {
    QFETCH(QString, tone);
    QFETCH(QString, time);
    QFETCH(int, toneWord);
    QFETCH(int, periodWord);
    QFETCH(int, timeByte);
    QFETCH(int, time50Byte);
    Dialog d;
    d.chooseDecode();
    Retype(d.set(1)->bToneBox(), tone);
    Retype(d.set(1)->timeBox(3), time);
    d.chooseSet(3);
    QCOMPARE(d.word(0xE82), toneWord);
    QCOMPARE(d.word(0xF82), periodWord);
    QCOMPARE(d.byte(0xE87), timeByte);
    QCOMPARE(d.byte(0xF87), time50Byte);
    QCOMPARE(d.word(0xE80), 4112);   // the A tone as it was
}

void TwoToneDlgTest::encodeGridLayout_data() {
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("number");
    QTest::newRow("English") << false << "Num";
    QTest::newRow("Chinese") << true << "序号";
}

void TwoToneDlgTest::encodeGridLayout() {
    QFETCH(bool, chinese);
    Dialog d(chinese ? vel::Lang::Chinese : vel::Lang::English);
    CMSFlexGrid* g = d.grid();
    QCOMPARE(g->GetRows(), 33);
    QCOMPARE(g->GetCols(), 3);
    QCOMPARE(g->GetFixedRows(), 1);
    QCOMPARE(g->GetFixedCols(), 1);
    QTEST(d.cell(0, 0), "number");
    const long tone = g->GetColWidth(1);
    QCOMPARE(g->GetColWidth(2), tone);
    // Number column 0.65 w, tone columns 1.45 w of one template width w.
    const long w = static_cast<long>(tone / 1.45 + 0.5);
    QCOMPARE(g->GetColWidth(0), static_cast<long>(0.65 * static_cast<double>(w)));
    QCOMPARE(tone, static_cast<long>(1.45 * static_cast<double>(w)));
    QCOMPARE(g->GetRowHeight(0), 2 * g->GetRowHeight(2));
    for (int c = 0; c < 3; ++c) QCOMPARE(g->GetColAlignment(c), short(CMSFlexGrid::CenterCenter));
    QCOMPARE(d.editor()->objectName(), QStringLiteral("61457"));
    QCOMPARE(d.editor()->parentWidget(), g->editorParent());
    QVERIFY(!d.editor()->isVisible());
}

void TwoToneDlgTest::typedToneIsFormattedHeldAndCopied_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("toneWord");
    QTest::addColumn<int>("periodWord");
    QTest::newRow("1000") << "1000" << "1000.0" << 0x2710 << 0x0070;
    QTest::newRow("50 held at the bottom") << "50" << "288.5" << 2885 << 388;
    QTest::newRow("5000 held at the top") << "5000" << "3106.0" << 31060 << 36;
    QTest::newRow("tenths kept") << "1234.56" << "1234.5" << 12345 << 91;
}

void TwoToneDlgTest::typedToneIsFormattedHeldAndCopied() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, toneWord);
    QFETCH(int, periodWord);
    Dialog d;
    d.type(1, 1, typed);
    d.enter();
    QCOMPARE(d.cell(1, 1), shown);
    QCOMPARE(d.cell(1, 2), shown);
    QCOMPARE(d.grid()->GetRow(), 1);
    QCOMPARE(d.grid()->GetCol(), 2);
    d.dlg->close();
    QCOMPARE(d.word(0xE00), toneWord);
    QCOMPARE(d.word(0xE02), toneWord);
    QCOMPARE(d.word(0xF00), periodWord);
    QCOMPARE(d.word(0xF02), periodWord);
    for (int a = 0xE04; a < 0xE80; ++a) QCOMPARE(d.byte(a), 0);
    for (int a = 0xF04; a < 0xF80; ++a) QCOMPARE(d.byte(a), 0);
}

void TwoToneDlgTest::enterMovesThroughTheTable() {
    Dialog d;
    d.type(1, 1, QStringLiteral("1000"));
    d.enter();
    // Tone 2 of the entry: the copied tone, all selected, ready to retype.
    QVERIFY(d.editor()->isVisible());
    QCOMPARE(d.editor()->text(), QStringLiteral("1000.0"));
    QCOMPARE(d.editor()->selectedText(), QStringLiteral("1000.0"));
    QTest::keyClicks(d.editor(), QStringLiteral("1200"));
    d.enter();
    QCOMPARE(d.cell(1, 2), QStringLiteral("1200.0"));
    QCOMPARE(d.grid()->GetRow(), 2);
    QCOMPARE(d.grid()->GetCol(), 1);
    // The editor opens on the empty entry 2 empty, not with the last tone.
    QVERIFY(d.editor()->isVisible());
    QVERIFY(d.editor()->text().isEmpty());
    QCOMPARE(d.editor()->geometry().top(), d.grid()->cellRect(2, 1).top() - 3);
    d.enter();   // nothing typed: entry 2 stays empty, on to its Tone 2
    QCOMPARE(d.grid()->GetCol(), 2);
    QTest::keyClicks(d.editor(), QStringLiteral("900"));
    d.enter();   // a Tone 2 without a Tone 1 is cleared; back to Tone 1
    QVERIFY(d.cell(2, 2).isEmpty());
    QCOMPARE(d.grid()->GetRow(), 2);
    QCOMPARE(d.grid()->GetCol(), 1);
}

void TwoToneDlgTest::enterOnTheLastEntryStays() {
    Dialog d;
    d.grid()->SetTextMatrix(32, 1, QStringLiteral("400.0"));
    d.type(32, 2, QStringLiteral("450"));
    d.enter();
    QCOMPARE(d.cell(32, 2), QStringLiteral("450.0"));
    QCOMPARE(d.grid()->GetRow(), 32);
    QCOMPARE(d.grid()->GetCol(), 2);
    QVERIFY(d.editor()->isVisible());
}

void TwoToneDlgTest::leavingTheCellCommits() {
    Dialog d;
    d.type(3, 1, QStringLiteral("7000"));
    d.click(10, 2);
    QCOMPARE(d.cell(3, 1), QStringLiteral("3106.0"));
    QCOMPARE(d.cell(3, 2), QStringLiteral("3106.0"));
    QCOMPARE(d.grid()->GetRow(), 10);
    QCOMPARE(d.grid()->GetCol(), 2);
    QVERIFY(d.editor()->isVisible());
    QVERIFY(d.editor()->text().isEmpty());
    QCOMPARE(d.editor()->geometry().left(), d.grid()->cellRect(10, 2).left() - 3);
}

void TwoToneDlgTest::leavingTone2WithoutTone1ClearsIt() {
    Dialog d;
    d.type(4, 2, QStringLiteral("800"));
    d.click(20, 1);
    QVERIFY(d.cell(4, 2).isEmpty());
    d.grid()->SetTextMatrix(20, 1, QString());
    d.grid()->SetTextMatrix(21, 1, QStringLiteral("600.0"));
    d.type(21, 2, QStringLiteral("650"));
    d.click(5, 1);
    QCOMPARE(d.cell(21, 2), QStringLiteral("650.0"));
    QCOMPARE(d.grid()->GetRow(), 5);
}

void TwoToneDlgTest::editorFollowsTheCurrentCell() {
    Dialog d;
    d.type(1, 1, QStringLiteral("500"));
    // Scrolling the grid carries the open editor along with its cell.
    d.grid()->SetTopRow(2);
    QCOMPARE(d.encode()->isEditing(), true);
    QVERIFY(!d.editor()->isVisible());
    d.grid()->SetTopRow(1);
    QVERIFY(d.editor()->isVisible());
    QCOMPARE(d.editor()->geometry().top(), d.grid()->cellRect(1, 1).top() - 3);
    d.enter();
    QCOMPARE(d.cell(1, 1), QStringLiteral("500.0"));
}

void TwoToneDlgTest::firstKeyOnTheGrid_data() {
    QTest::addColumn<bool>("englishBase");
    QTest::addColumn<QString>("cellText");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("editorText");
    QTest::newRow("digit on an empty cell") << false << "" << "7" << "" << "7";
    QTest::newRow("digit on a filled cell") << false << "1000.0" << "5" << "" << "5";
    QTest::newRow("letter, Chinese message") << false << "" << "a" << "请输入数据!" << "";
    QTest::newRow("letter, english library") << true << "" << "a" << "Please input Number" << "";
    QTest::newRow("letter on a filled cell") << true << "1000.0" << "x" << "Please input Number" << "x";
    QTest::newRow("point") << false << "" << "." << "请输入数据!" << "";
}

void TwoToneDlgTest::firstKeyOnTheGrid() {
    QFETCH(bool, englishBase);
    QFETCH(QString, cellText);
    QFETCH(QString, key);
    QFETCH(QString, message);
    QFETCH(QString, editorText);
    veltest::MessageRecorder messages;
    Dialog d(vel::Lang::English, englishBase);
    d.grid()->SetTextMatrix(1, 1, cellText);
    d.grid()->setFocus();
    QVERIFY(d.grid()->hasFocus());
    QTest::keyClicks(d.grid(), key);
    QCOMPARE(messages.texts.join(QLatin1Char('|')), message);
    QVERIFY(d.editor()->isVisible());
    QVERIFY(d.editor()->hasFocus());
    QCOMPARE(d.editor()->text(), editorText);
    QCOMPARE(d.editor()->cursorPosition(), editorText.size());
    QVERIFY(d.editor()->selectedText().isEmpty());
}

void TwoToneDlgTest::controlKeysDoNotStartEditing() {
    Dialog d;
    d.grid()->SetTextMatrix(1, 1, QStringLiteral("1000.0"));
    d.grid()->setFocus();
    QTest::keyClick(d.grid(), Qt::Key_Backspace);
    QVERIFY(!d.editor()->isVisible());
    QCOMPARE(d.cell(1, 1), QStringLiteral("1000.0"));
}

void TwoToneDlgTest::enterOnTheGridMovesRightThenOn() {
    Dialog d;
    d.grid()->setFocus();
    QTest::keyClick(d.grid(), Qt::Key_Return);
    QCOMPARE(d.grid()->GetRow(), 1);
    QCOMPARE(d.grid()->GetCol(), 2);
    QVERIFY(d.grid()->hasFocus());
    QVERIFY(!d.editor()->isVisible());
    QTest::keyClick(d.grid(), Qt::Key_Return);   // Tone 2: Tab to the next control
    QVERIFY(!d.grid()->hasFocus());
    QVERIFY(!d.editor()->hasFocus());
    QCOMPARE(d.grid()->GetCol(), 2);
    QVERIFY(d.dlg->isVisible());
}

void TwoToneDlgTest::toneIntervalAndRiseDelayAreCheckedOnStore_data() {
    QTest::addColumn<QString>("interval");
    QTest::addColumn<QString>("rise");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("intervalWord");
    QTest::addColumn<int>("riseWord");
    QTest::newRow("both fine") << "1500" << "300" << "" << 1500 << 300;
    QTest::newRow("interval too long") << "5000" << "300" << "Please enter an integer between 0 and 2000." << 100
                                       << 200;
    QTest::newRow("interval no number") << "1a" << "300" << "Please enter an integer." << 100 << 200;
    QTest::newRow("rise too short") << "1500" << "50" << "Please enter an integer between 100 and 1000." << 1500
                                    << 200;
    QTest::newRow("rise empty") << "0" << "" << "Please enter an integer." << 0 << 200;
}

void TwoToneDlgTest::toneIntervalAndRiseDelayAreCheckedOnStore() {
    QFETCH(QString, interval);
    QFETCH(QString, rise);
    QFETCH(QString, message);
    QFETCH(int, intervalWord);
    QFETCH(int, riseWord);
    veltest::MessageRecorder messages;
    Dialog d;
    Retype(d.encode()->toneIntervalBox(), interval);
    Retype(d.encode()->riseDelayBox(), rise);
    d.chooseDecode();
    QCOMPARE(messages.texts.join(QLatin1Char('|')), message);
    QCOMPARE(d.word(0xEC3), intervalWord);
    QCOMPARE(d.word(0xFC3), intervalWord / 50);
    QCOMPARE(d.word(0xEC5), riseWord);
    QCOMPARE(d.word(0xFC5), riseWord / 50);
    // The rest of the page stored all the same.
    QCOMPARE(d.byte(0xFC0), 10);
}

void TwoToneDlgTest::intervalAndRiseDelayUpDownsWrap_data() {
    QTest::addColumn<bool>("rise");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("shown");
    QTest::newRow("interval up") << false << "100" << 1 << "200";
    QTest::newRow("interval up from 2000") << false << "2000" << 1 << "0";
    QTest::newRow("interval down from 0") << false << "0" << -1 << "2000";
    QTest::newRow("rise up") << true << "200" << 1 << "250";
    QTest::newRow("rise up from 1000") << true << "1000" << 1 << "100";
    QTest::newRow("rise down from 100") << true << "100" << -1 << "1000";
    QTest::newRow("rise down") << true << "200" << -2 << "100";
}

void TwoToneDlgTest::intervalAndRiseDelayUpDownsWrap() {
    QFETCH(bool, rise);
    QFETCH(QString, start);
    QFETCH(int, presses);
    QFETCH(QString, shown);
    Dialog d;
    CUpDownEdit* box = rise ? d.encode()->riseDelayBox() : d.encode()->toneIntervalBox();
    Retype(box, start);
    Step(box, presses);
    QCOMPARE(box->text(), shown);
    // The buttons step the same way as the keys.
    if (presses == 1) {
        Retype(box, start);
        QStyleOptionSpinBox option;
        option.initFrom(box);
        option.subControls = QStyle::SC_SpinBoxUp;
        const QRect up = box->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, up.center());
        QCOMPARE(box->text(), shown);
    }
}

void TwoToneDlgTest::delayUpDownsAndTheirBytes() {
    Dialog d;
    Step(d.encode()->firstDelayBox(), 1);
    QCOMPARE(d.encode()->firstDelayBox()->text(), QStringLiteral("0.6"));
    Step(d.encode()->firstDelayBox(), -2);
    QCOMPARE(d.encode()->firstDelayBox()->text(), QStringLiteral("0.5"));   // position 0 is 0.5
    Step(d.encode()->secondDelayBox(), 2);
    QCOMPARE(d.encode()->secondDelayBox()->text(), QStringLiteral("0.8"));
    Step(d.encode()->longDelayBox(), -1);
    QCOMPARE(d.encode()->longDelayBox()->text(), QStringLiteral("0.6"));
    d.chooseDecode();
    QCOMPARE(d.byte(0xEC0), 5);
    QCOMPARE(d.byte(0xFC0), 10);
    QCOMPARE(d.byte(0xEC1), 8);
    QCOMPARE(d.byte(0xFC1), 16);
    QCOMPARE(d.byte(0xEC2), 6);
    QCOMPARE(d.byte(0xFC2), 12);
    // A tone interval of 1500 ms: 0x05DC and 30 fifty-millisecond steps.
    d.chooseEncode();
    Retype(d.encode()->toneIntervalBox(), QStringLiteral("1500"));
    d.chooseDecode();
    QCOMPARE(d.byte(0xEC3), 0x05);
    QCOMPARE(d.byte(0xEC4), 0xDC);
    QCOMPARE(d.byte(0xFC3), 0x00);
    QCOMPARE(d.byte(0xFC4), 0x1E);
}

void TwoToneDlgTest::shortKillToneStoresInBothRecords() {
    Dialog d;
    QTest::mouseClick(d.encode()->shortKillToneBox(), Qt::LeftButton);
    d.dlg->close();
    QCOMPARE(d.byte(0xEC7), 1);
    QCOMPARE(d.byte(0xFC7), 1);
}

void TwoToneDlgTest::toneLeftInTheEditorIsKeptWhenThePageStores() {
    Dialog d;
    d.type(5, 1, QStringLiteral("1500"));
    d.chooseDecode();
    QCOMPARE(d.word(0xE10), 15000);
    QCOMPARE(d.word(0xE12), 15000);
    QVERIFY(!d.encode()->isEditing());
    d.chooseEncode();
    QCOMPARE(d.cell(5, 1), QStringLiteral("1500.0"));
    QVERIFY(!d.editor()->isVisible());
}

void TwoToneDlgTest::entryPointRunsModallyAndStoresOnClose() {
    vel::Image image = veltest::NewImage();
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        wasModal = qobject_cast<CTwoToneDlg*>(modal) != nullptr;
        if (modal) modal->close();
    });
    velui::RunTwoToneDialog(nullptr, image, vel::Lang::English, false);
    QVERIFY(wasModal);
    QCOMPARE(int(image[0xF80]), 0x08);
    QCOMPARE(int(image[0xF81]), 0x82);
    QCOMPARE(int(image[0xFC0]), 10);
}

QTEST_MAIN(TwoToneDlgTest)
#include "two_tone_dlg_test.moc"

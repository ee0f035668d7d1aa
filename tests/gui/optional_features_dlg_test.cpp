// Optional Features dialog: what a document opens as, what OK and Cancel do
// to the image, the time-out box and the ID box's keys.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "dialog_test_support.h"
#include "settings/ui/dialogs.h"
#include "settings/ui/optional_features_dlg.h"
#include "settings/ui/up_down_edit.h"

using velui::COptionalFeaturesDlg;

namespace {

// Bytes the dialog owns; everything else must never change.
bool OwnedByDialog(int addr) { return addr >= 0x810 && addr <= 0x84F && addr != 0x811 && addr != 0x819; }

void TypeInto(QWidget* box, const QString& text) {
    box->setFocus();
    QTest::keyClicks(box, text);
}

}  // namespace

class OptionalFeaturesDlgTest : public QObject {
    Q_OBJECT
private slots:
    void newDocumentOpensWithItsDefaults();
    void hiddenControlsStayHidden();
    void cancelLeavesEveryByte_data();
    void cancelLeavesEveryByte();
    void okWithoutChangesRewritesOnlyItsBytes();
    void okStoresWhatTheControlsShow_data();
    void okStoresWhatTheControlsShow();
    void timeoutUpDownShowsSecondsOrOff_data();
    void timeoutUpDownShowsSecondsOrOff();
    void typedTimeoutNeverDiffersFromStoredValue_data();
    void typedTimeoutNeverDiffersFromStoredValue();
    void idBoxTakesDigitsLettersAndBackspaceOnly_data();
    void idBoxTakesDigitsLettersAndBackspaceOnly();
    void idBoxLetsTabMoveOn();
    void boxesKeepTheirLengthAndCase_data();
    void boxesKeepTheirLengthAndCase();
    void outOfRangeBytesOpenAsTheirFirstItem();
    void captionInBothLanguages();
};

void OptionalFeaturesDlgTest::newDocumentOpensWithItsDefaults() {
    vel::Image image = veltest::NewImage();
    COptionalFeaturesDlg dlg(image);
    QCOMPARE(dlg.timeoutBox()->text(), QStringLiteral("OFF"));
    QCOMPARE(dlg.squelchList()->currentText(), QStringLiteral("5"));
    QCOMPARE(dlg.languageList()->currentIndex(), -1);
    QCOMPARE(dlg.voxGainList()->currentText(), QStringLiteral("OFF"));
    QVERIFY(dlg.beepBox()->isChecked());
    QVERIFY(dlg.batterySaveBox()->isChecked());
    QVERIFY(!dlg.scramblerBox()->isChecked());
    QCOMPARE(dlg.priorityList()->count(), 128);
    QCOMPARE(dlg.priorityList()->itemText(127), QStringLiteral("128"));
    QCOMPARE(dlg.priorityList()->currentText(), QStringLiteral("1"));
    QCOMPARE(dlg.freqModeSignalList()->currentText(), QStringLiteral("OFF"));
    QVERIFY(!dlg.beginOfTxBox()->isChecked());
    QVERIFY(!dlg.endOfTxBox()->isChecked());
    for (QLineEdit* box : {dlg.groupIdBox(), dlg.idBox(), dlg.callIdBox(), dlg.checkIdBox(), dlg.killIdBox(),
                           dlg.listenIdBox()})
        QVERIFY(box->text().isEmpty());
}

void OptionalFeaturesDlgTest::hiddenControlsStayHidden() {
    vel::Image image = veltest::NewImage();
    COptionalFeaturesDlg dlg(image);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(!dlg.pf1List()->isVisible());
    QVERIFY(!dlg.pf2List()->isVisible());
    QVERIFY(!dlg.groupIdLabel()->isVisible());
    QVERIFY(dlg.groupIdBox()->isVisible());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Optional Features"));
}

void OptionalFeaturesDlgTest::cancelLeavesEveryByte_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel button") << false;
    QTest::newRow("Escape key") << true;
}

void OptionalFeaturesDlgTest::cancelLeavesEveryByte() {
    QFETCH(bool, escape);
    vel::Image image = veltest::NewImage();
    image[0x814] = 41;   // out of range: shown as OFF, but Cancel must not repair it
    const vel::Image before = image;
    COptionalFeaturesDlg dlg(image);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.languageList()->setCurrentIndex(1);
    dlg.beepBox()->setChecked(false);
    TypeInto(dlg.idBox(), QStringLiteral("AB12"));
    TypeInto(dlg.groupIdBox(), QStringLiteral("12"));
    dlg.timeoutBox()->setFocus();
    QTest::keyClick(dlg.timeoutBox(), Qt::Key_Up);
    if (escape)
        QTest::keyClick(dlg.timeoutBox(), Qt::Key_Escape);
    else
        QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(image == before);
}

void OptionalFeaturesDlgTest::okWithoutChangesRewritesOnlyItsBytes() {
    vel::Image image = veltest::NewImage();
    const vel::Image before = image;
    COptionalFeaturesDlg dlg(image);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(image[0x812], vel::Byte(0xC4));
    QCOMPARE(image[0x81B], vel::Byte(0x00));
    for (int a = 0x820; a <= 0x84F; ++a) QCOMPARE(image[static_cast<std::size_t>(a)], vel::Byte(0xFF));
    for (int a = 0; a < static_cast<int>(image.size()); ++a) {
        if (a == 0x81B) continue;
        if (!OwnedByDialog(a) || a <= 0x81A)
            QVERIFY2(image[static_cast<std::size_t>(a)] == before[static_cast<std::size_t>(a)],
                     qPrintable(QString::number(a, 16)));
    }
}

void OptionalFeaturesDlgTest::okStoresWhatTheControlsShow_data() {
    QTest::addColumn<QString>("box");     // which box gets typed text, or a list choice
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("addr");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("English") << "language" << "1" << 0x812 << QByteArray("\xC6", 1);
    QTest::newRow("squelch 9") << "squelch" << "9" << 0x813 << QByteArray("\x09", 1);
    QTest::newRow("priority 128") << "priority" << "127" << 0x81A << QByteArray("\x80", 1);
    QTest::newRow("group 2345") << "groupId" << "2345" << 0x820 << QByteArray("1345\xFF\xFF\xFF\xFF", 8);
    QTest::newRow("group 987") << "groupId" << "987" << 0x820 << QByteArray("987\xFF\xFF\xFF\xFF\xFF", 8);
    QTest::newRow("check ab12") << "checkId" << "ab12" << 0x838 << QByteArray("AB12\xFF\xFF\xFF\xFF", 8);
    QTest::newRow("kill 1*2") << "killId" << "1*2" << 0x840 << QByteArray("102\xFF\xFF\xFF\xFF\xFF", 8);
    QTest::newRow("id z9") << "id" << "z9" << 0x830 << QByteArray("Z9\xFF\xFF\xFF\xFF\xFF\xFF", 8);
    QTest::newRow("call 12345678") << "callId" << "12345678" << 0x828 << QByteArray("12345678", 8);
    QTest::newRow("listen x") << "listenId" << "x" << 0x848 << QByteArray("X\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8);
}

void OptionalFeaturesDlgTest::okStoresWhatTheControlsShow() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(int, addr);
    QFETCH(QByteArray, bytes);
    vel::Image image = veltest::NewImage();
    COptionalFeaturesDlg dlg(image);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    if (box == "language") dlg.languageList()->setCurrentIndex(typed.toInt());
    if (box == "squelch") dlg.squelchList()->setCurrentIndex(typed.toInt());
    if (box == "priority") dlg.priorityList()->setCurrentIndex(typed.toInt());
    if (box == "groupId") TypeInto(dlg.groupIdBox(), typed);
    if (box == "checkId") TypeInto(dlg.checkIdBox(), typed);
    if (box == "killId") TypeInto(dlg.killIdBox(), typed);
    if (box == "id") TypeInto(dlg.idBox(), typed);
    if (box == "callId") TypeInto(dlg.callIdBox(), typed);
    if (box == "listenId") TypeInto(dlg.listenIdBox(), typed);
    QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);   // Enter presses OK
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    for (int i = 0; i < bytes.size(); ++i)
        QCOMPARE(int(image[static_cast<std::size_t>(addr + i)]), int(static_cast<unsigned char>(bytes[i])));
}

void OptionalFeaturesDlgTest::timeoutUpDownShowsSecondsOrOff_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("upPresses");   // negative: down
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("storedAfterOk");
    QTest::newRow("off up once") << 0 << 1 << "15" << 1;
    QTest::newRow("off up three") << 0 << 3 << "45" << 3;
    QTest::newRow("off stays at the bottom") << 0 << -1 << "OFF" << 0;
    QTest::newRow("600 stays at the top") << 40 << 1 << "600" << 40;
    QTest::newRow("600 down") << 40 << -1 << "585" << 39;
    QTest::newRow("15 down is off") << 1 << -1 << "OFF" << 0;
    QTest::newRow("41 opens off, stores 0") << 41 << 0 << "OFF" << 0;
}

void OptionalFeaturesDlgTest::timeoutUpDownShowsSecondsOrOff() {
    QFETCH(int, stored);
    QFETCH(int, upPresses);
    QFETCH(QString, shown);
    QFETCH(int, storedAfterOk);
    vel::Image image = veltest::NewImage();
    image[0x814] = static_cast<vel::Byte>(stored);
    COptionalFeaturesDlg dlg(image);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.timeoutBox()->setFocus();
    for (int i = 0; i < std::abs(upPresses); ++i)
        QTest::keyClick(dlg.timeoutBox(), upPresses > 0 ? Qt::Key_Up : Qt::Key_Down);
    QCOMPARE(dlg.timeoutBox()->text(), shown);
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    QCOMPARE(int(image[0x814]), storedAfterOk);
}

void OptionalFeaturesDlgTest::typedTimeoutNeverDiffersFromStoredValue_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("leaveBox");   // Tab out of the box first, else Enter in it
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("storedAfterOk");
    QTest::newRow("150 by Tab") << 0 << "150" << true << "150" << 10;
    QTest::newRow("600 by Enter") << 0 << "600" << false << "600" << 40;
    QTest::newRow("off in small letters") << 4 << "off" << true << "OFF" << 0;
    QTest::newRow("17 is no step") << 4 << "17" << true << "60" << 4;
    QTest::newRow("17 by Enter") << 4 << "17" << false << "60" << 4;
    QTest::newRow("615 is past the top") << 2 << "615" << true << "30" << 2;
    QTest::newRow("letters") << 0 << "abc" << true << "OFF" << 0;
    QTest::newRow("empty") << 3 << "" << true << "45" << 3;
}

void OptionalFeaturesDlgTest::typedTimeoutNeverDiffersFromStoredValue() {
    QFETCH(int, stored);
    QFETCH(QString, typed);
    QFETCH(bool, leaveBox);
    QFETCH(QString, shown);
    QFETCH(int, storedAfterOk);
    vel::Image image = veltest::NewImage();
    image[0x814] = static_cast<vel::Byte>(stored);
    COptionalFeaturesDlg dlg(image);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QLineEdit* edit = dlg.timeoutBox()->edit();
    dlg.timeoutBox()->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, typed);
    if (leaveBox) {
        QTest::keyClick(dlg.timeoutBox(), Qt::Key_Tab);
        QVERIFY(!dlg.timeoutBox()->hasFocus());
        QCOMPARE(dlg.timeoutBox()->text(), shown);
        QCOMPARE(dlg.timeoutBox()->position(), storedAfterOk);
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    } else {
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(dlg.timeoutBox()->text(), shown);
    }
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(int(image[0x814]), storedAfterOk);
}

void OptionalFeaturesDlgTest::idBoxTakesDigitsLettersAndBackspaceOnly_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letters upper-cased") << "ab" << "AB";
    QTest::newRow("digits") << "0189" << "0189";
    QTest::newRow("punctuation refused") << "1-2.3*4 5!" << "12345";
    QTest::newRow("eight at most") << "abcdefghij" << "ABCDEFGH";
}

void OptionalFeaturesDlgTest::idBoxTakesDigitsLettersAndBackspaceOnly() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    vel::Image image = veltest::NewImage();
    COptionalFeaturesDlg dlg(image);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    TypeInto(dlg.idBox(), typed);
    QCOMPARE(dlg.idBox()->text(), shown);

    // Arrows and Delete are discarded; Backspace works.
    QTest::keyClick(dlg.idBox(), Qt::Key_Left);
    QTest::keyClick(dlg.idBox(), Qt::Key_Home);
    QTest::keyClick(dlg.idBox(), Qt::Key_Delete);
    QCOMPARE(dlg.idBox()->text(), shown);
    QCOMPARE(dlg.idBox()->cursorPosition(), shown.size());
    QTest::keyClick(dlg.idBox(), Qt::Key_Backspace);
    QCOMPARE(dlg.idBox()->text(), shown.left(shown.size() - 1));
}

void OptionalFeaturesDlgTest::idBoxLetsTabMoveOn() {
    vel::Image image = veltest::NewImage();
    COptionalFeaturesDlg dlg(image);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.idBox()->setFocus();
    QTest::keyClick(dlg.idBox(), Qt::Key_Tab);
    QVERIFY(!dlg.idBox()->hasFocus());
}

void OptionalFeaturesDlgTest::boxesKeepTheirLengthAndCase_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("group id digits only") << "groupId" << "1a2b" << "12";
    QTest::newRow("group id four digits") << "groupId" << "123456" << "1234";
    QTest::newRow("call id upper case") << "callId" << "ab*c" << "AB*C";
    QTest::newRow("check id as typed") << "checkId" << "ab12" << "ab12";
    QTest::newRow("kill id eight") << "killId" << "123456789" << "12345678";
}

void OptionalFeaturesDlgTest::boxesKeepTheirLengthAndCase() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    vel::Image image = veltest::NewImage();
    COptionalFeaturesDlg dlg(image);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QLineEdit* edit = box == "groupId" ? dlg.groupIdBox()
                      : box == "callId" ? dlg.callIdBox()
                      : box == "checkId" ? dlg.checkIdBox()
                                         : dlg.killIdBox();
    TypeInto(edit, typed);
    QCOMPARE(edit->text(), shown);
}

void OptionalFeaturesDlgTest::outOfRangeBytesOpenAsTheirFirstItem() {
    vel::Image image = veltest::NewImage();
    image[0x813] = 10;
    image[0x815] = 11;
    image[0x816] = 4;
    image[0x81A] = 0;
    image[0x812] = 0xC7;   // language code 3: Chinese
    image[0x830] = '1';
    image[0x831] = 0xFF;
    image[0x832] = '2';
    COptionalFeaturesDlg dlg(image);
    QCOMPARE(dlg.squelchList()->currentIndex(), 0);
    QCOMPARE(dlg.voxGainList()->currentIndex(), 0);
    QCOMPARE(dlg.freqModeSignalList()->currentText(), QStringLiteral("MSK"));
    QCOMPARE(dlg.priorityList()->currentIndex(), -1);
    QCOMPARE(dlg.languageList()->currentIndex(), 0);
    QCOMPARE(dlg.idBox()->text(), QStringLiteral("12"));
}

void OptionalFeaturesDlgTest::captionInBothLanguages() {
    vel::Image image = veltest::NewImage();
    {
        COptionalFeaturesDlg dlg(image);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Optional Features"));
        QCOMPARE(dlg.okButton()->text(), QStringLiteral("OK"));
    }
    veltest::ChineseTexts chinese;
    QVERIFY(chinese.loaded());
    COptionalFeaturesDlg dlg(image);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("可选功能"));
    QCOMPARE(dlg.languageList()->itemText(0), QStringLiteral("中文"));
    QCOMPARE(dlg.cancelButton()->text(), QStringLiteral("取消"));
}

QTEST_MAIN(OptionalFeaturesDlgTest)
#include "optional_features_dlg_test.moc"

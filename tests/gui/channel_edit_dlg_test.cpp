// Channel Edit dialog: the type it opens with and stores at once, the Call
// and Decode up-downs, what closing stores, and stepping between channels.

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "dialog_test_support.h"
#include "settings/ui/dialogs.h"
#include "settings/ui/up_down_edit.h"
#include "signalling/ui/channel_edit_dlg.h"

using velui::CChannelEditDlg;
using velui::CUpDownEdit;

namespace {

int SignallingAddr(int channel) { return 16 * (channel - 1) + 12; }
int TwoToneAddr(int channel) { return 16 * (channel - 1) + 14; }

/// Counts what the dialog asks of the view, and checks each store comes
/// before the refill of the same change.
struct TableLog : velui::ChannelTableAccess {
    int stores = 0;
    int fills = 0;
    void storeChannelTable() override { ++stores; }
    void fillChannelTable() override { ++fills; }
};

struct Dialog {
    vel::Image image = veltest::NewImage();
    TableLog table;
    std::unique_ptr<CChannelEditDlg> dlg;

    void set(int channel, int signalling, int twoTone) {
        image[static_cast<std::size_t>(SignallingAddr(channel))] = static_cast<vel::Byte>(signalling);
        image[static_cast<std::size_t>(TwoToneAddr(channel))] = static_cast<vel::Byte>(twoTone);
    }
    void open(int channel) {
        dlg = std::make_unique<CChannelEditDlg>(image, channel, table);
        dlg->show();
        if (!QTest::qWaitForWindowExposed(dlg.get())) qWarning("dialog not exposed");
    }
    int signalling(int channel) const { return image[static_cast<std::size_t>(SignallingAddr(channel))]; }
    int twoTone(int channel) const { return image[static_cast<std::size_t>(TwoToneAddr(channel))]; }
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

class ChannelEditDlgTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheChannelsType_data();
    void opensWithTheChannelsType();
    void callAndDecodeUpDownsCycleThroughNo_data();
    void callAndDecodeUpDownsCycleThroughNo();
    void callAndDecodeTakeDigitsOnly();
    void closingStoresCallAndDecode_data();
    void closingStoresCallAndDecode();
    void otherTypesStoreNoCallOrDecode();
    void choosingATypeStoresItAtOnce_data();
    void choosingATypeStoresItAtOnce();
    void channelUpDownWraps_data();
    void channelUpDownWraps();
    void steppingAwayKeepsTheLeftChannelsChoices();
    void typedChannelOutsideTheTableIsRefused_data();
    void typedChannelOutsideTheTableIsRefused();
    void captionInBothLanguages();
    void entryPointRunsModally();
    void entryPointsOpenNothingOnASmallerImage();
};

void ChannelEditDlgTest::opensWithTheChannelsType_data() {
    QTest::addColumn<int>("signalling");
    QTest::addColumn<int>("twoTone");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("group");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("decode");
    QTest::addColumn<int>("storedSignalling");
    QTest::newRow("no type") << 0x00 << 0x00 << -1 << false << "0" << "0" << 0xF7;
    QTest::newRow("two bits") << 0x03 << 0x00 << -1 << false << "0" << "0" << 0xF7;
    QTest::newRow("2-Tone call 6 decode 3") << 0x38 << 0x45 << 3 << true << "6" << "3" << 0x38;
    QTest::newRow("2-Tone both off") << 0x08 << 0x45 << 3 << true << "NO" << "NO" << 0x08;
    QTest::newRow("PD1200 with PTT ID") << 0x41 << 0x45 << 0 << false << "5" << "2" << 0x41;
    QTest::newRow("5-Tone") << 0x04 << 0x00 << 2 << false << "0" << "0" << 0x04;
}

void ChannelEditDlgTest::opensWithTheChannelsType() {
    QFETCH(int, signalling);
    QFETCH(int, twoTone);
    QFETCH(int, index);
    QFETCH(bool, group);
    QFETCH(QString, call);
    QFETCH(QString, decode);
    QFETCH(int, storedSignalling);
    Dialog d;
    d.set(7, signalling, twoTone);
    const vel::Image before = d.image;
    d.open(7);
    QCOMPARE(d.dlg->channelBox()->text(), QStringLiteral("7"));
    QCOMPARE(d.dlg->typeList()->currentIndex(), index);
    QCOMPARE(d.dlg->typeList()->isEnabled(), index >= 0);
    if (index < 0) QVERIFY(d.dlg->typeList()->currentText().isEmpty());
    QCOMPARE(d.dlg->twoToneGroup()->isVisible(), group);
    QCOMPARE(d.dlg->callBox()->text(), call);
    QCOMPARE(d.dlg->decodeBox()->text(), decode);
    QCOMPARE(d.signalling(7), storedSignalling);
    QCOMPARE(d.table.fills, 1);
    QCOMPARE(d.table.stores, 0);
    for (std::size_t a = 0; a < d.image.size(); ++a)
        if (static_cast<int>(a) != SignallingAddr(7)) QCOMPARE(d.image[a], before[a]);
}

void ChannelEditDlgTest::callAndDecodeUpDownsCycleThroughNo_data() {
    QTest::addColumn<bool>("decode");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("shown");
    QTest::newRow("call up from 32") << false << "32" << 1 << "NO";
    QTest::newRow("call up from 32 twice") << false << "32" << 2 << "1";
    QTest::newRow("call down from NO") << false << "NO" << -1 << "32";
    QTest::newRow("call down from 1") << false << "1" << -1 << "NO";
    QTest::newRow("call up from 40") << false << "40" << 1 << "NO";
    QTest::newRow("decode down from NO") << true << "NO" << -1 << "8";
    QTest::newRow("decode up from 8") << true << "8" << 1 << "NO";
    QTest::newRow("decode down from 12") << true << "12" << -1 << "8";
    QTest::newRow("decode up from 3") << true << "3" << 1 << "4";
}

void ChannelEditDlgTest::callAndDecodeUpDownsCycleThroughNo() {
    QFETCH(bool, decode);
    QFETCH(QString, start);
    QFETCH(int, presses);
    QFETCH(QString, shown);
    Dialog d;
    d.set(1, 0x08, 0x00);
    d.open(1);
    CUpDownEdit* box = decode ? d.dlg->decodeBox() : d.dlg->callBox();
    box->setText(start);
    Step(box, presses);
    QCOMPARE(box->text(), shown);
}

void ChannelEditDlgTest::callAndDecodeTakeDigitsOnly() {
    Dialog d;
    d.set(1, 0x08, 0x00);
    d.open(1);
    Retype(d.dlg->callBox(), QStringLiteral("1a2b3"));
    QCOMPARE(d.dlg->callBox()->text(), QStringLiteral("12"));
}

void ChannelEditDlgTest::closingStoresCallAndDecode_data() {
    QTest::addColumn<int>("how");   // 0 close box, 1 Enter, 2 Escape
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("decode");
    QTest::addColumn<int>("signalling");
    QTest::addColumn<int>("twoTone");
    QTest::newRow("close box: NO and 8") << 0 << "NO" << "8" << 0x28 << 0xE5;
    QTest::newRow("Enter: NO and 8") << 1 << "NO" << "8" << 0x28 << 0xE5;
    QTest::newRow("Escape: NO and 8") << 2 << "NO" << "8" << 0x28 << 0xE5;
    QTest::newRow("32 and 1") << 1 << "32" << "1" << 0x38 << 0x1F;
    QTest::newRow("too large held") << 1 << "99" << "99" << 0x38 << 0xFF;
    QTest::newRow("0 and empty are off") << 1 << "0" << "" << 0x08 << 0x45;
}

void ChannelEditDlgTest::closingStoresCallAndDecode() {
    QFETCH(int, how);
    QFETCH(QString, call);
    QFETCH(QString, decode);
    QFETCH(int, signalling);
    QFETCH(int, twoTone);
    Dialog d;
    d.set(9, 0x38, 0x45);
    d.open(9);
    Retype(d.dlg->callBox(), call == "NO" ? QString() : call);
    if (call == "NO") d.dlg->callBox()->setText(call);
    Retype(d.dlg->decodeBox(), decode);
    QCOMPARE(d.signalling(9), 0x38);   // nothing stored before closing
    if (how == 0) d.dlg->close();
    if (how == 1) QTest::keyClick(d.dlg->decodeBox(), Qt::Key_Return);
    if (how == 2) QTest::keyClick(d.dlg->decodeBox(), Qt::Key_Escape);
    QVERIFY(!d.dlg->isVisible());
    QCOMPARE(d.signalling(9), signalling);
    QCOMPARE(d.twoTone(9), twoTone);
}

void ChannelEditDlgTest::otherTypesStoreNoCallOrDecode() {
    Dialog d;
    d.set(2, 0x32, 0x45);
    d.open(2);
    d.dlg->callBox()->setText(QStringLiteral("1"));
    d.dlg->close();
    QCOMPARE(d.signalling(2), 0x32);
    QCOMPARE(d.twoTone(2), 0x45);
}

void ChannelEditDlgTest::choosingATypeStoresItAtOnce_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("group");
    QTest::newRow("DTMF on 2-Tone keeps bits 4 and 5") << 0x38 << 1 << 0x32 << false;
    QTest::newRow("PD1200 on 2-Tone") << 0x38 << 0 << 0x31 << false;
    QTest::newRow("2-Tone on DTMF") << 0x32 << 3 << 0x38 << true;
    QTest::newRow("5-Tone with PTT ID") << 0x41 << 2 << 0x44 << false;
}

void ChannelEditDlgTest::choosingATypeStoresItAtOnce() {
    QFETCH(int, start);
    QFETCH(int, chosen);
    QFETCH(int, stored);
    QFETCH(bool, group);
    Dialog d;
    d.set(4, start, 0x45);
    d.open(4);
    const int fills = d.table.fills;
    // Choose with the keyboard, as a user does.
    QComboBox* list = d.dlg->typeList();
    list->setFocus();
    const int from = list->currentIndex();
    for (int i = from; i < chosen; ++i) QTest::keyClick(list, Qt::Key_Down);
    for (int i = from; i > chosen; --i) QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->currentIndex(), chosen);
    QCOMPARE(d.signalling(4), stored);
    QCOMPARE(d.dlg->twoToneGroup()->isVisible(), group);
    QCOMPARE(d.table.fills, fills + std::abs(chosen - from));
}

void ChannelEditDlgTest::channelUpDownWraps_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("presses");
    QTest::addColumn<int>("to");
    QTest::newRow("128 up is 1") << 128 << 1 << 1;
    QTest::newRow("1 down is 128") << 1 << -1 << 128;
    QTest::newRow("5 up twice") << 5 << 2 << 7;
}

void ChannelEditDlgTest::channelUpDownWraps() {
    QFETCH(int, from);
    QFETCH(int, presses);
    QFETCH(int, to);
    Dialog d;
    d.set(to, 0x38, 0x45);
    d.open(from);
    Step(d.dlg->channelBox(), presses);
    QCOMPARE(d.dlg->channel(), to);
    QCOMPARE(d.dlg->channelBox()->text(), QString::number(to));
    QCOMPARE(d.table.stores, std::abs(presses));
    QCOMPARE(d.dlg->typeList()->currentIndex(), 3);
    QVERIFY(d.dlg->typeList()->isEnabled());
    QCOMPARE(d.dlg->callBox()->text(), QStringLiteral("6"));
    QCOMPARE(d.dlg->decodeBox()->text(), QStringLiteral("3"));
}

void ChannelEditDlgTest::steppingAwayKeepsTheLeftChannelsChoices() {
    Dialog d;
    d.set(5, 0x08, 0x00);
    d.set(6, 0x00, 0x00);
    d.open(5);
    Retype(d.dlg->callBox(), QStringLiteral("10"));
    Retype(d.dlg->decodeBox(), QStringLiteral("2"));
    Step(d.dlg->channelBox(), 1);
    QCOMPARE(d.dlg->channel(), 6);
    QCOMPARE(d.signalling(5), 0x38);
    QCOMPARE(d.twoTone(5), 0x29);   // call 10 (9), decode 2 (1)
    // Channel 6 has no type: the list is empty and disabled, 0xF7 is stored.
    QCOMPARE(d.dlg->typeList()->currentIndex(), -1);
    QVERIFY(!d.dlg->typeList()->isEnabled());
    QVERIFY(!d.dlg->twoToneGroup()->isVisible());
    QCOMPARE(d.signalling(6), 0xF7);
    // Back on channel 5 its choices show again.
    Step(d.dlg->channelBox(), -1);
    QCOMPARE(d.dlg->callBox()->text(), QStringLiteral("10"));
    QCOMPARE(d.dlg->decodeBox()->text(), QStringLiteral("2"));
}

void ChannelEditDlgTest::typedChannelOutsideTheTableIsRefused_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("message");
    QTest::newRow("25") << "25" << 25 << "";
    QTest::newRow("200") << "200" << 20 << "Please enter an integer between 1 and 128.";
    QTest::newRow("0") << "0" << 3 << "Please enter an integer between 1 and 128.";
    QTest::newRow("letter") << "x" << 3 << "Please enter an integer.";
}

void ChannelEditDlgTest::typedChannelOutsideTheTableIsRefused() {
    QFETCH(QString, typed);
    QFETCH(int, channel);
    QFETCH(QString, message);
    veltest::MessageRecorder messages;
    Dialog d;
    d.set(3, 0x31, 0x00);
    d.open(3);
    const vel::Image before = d.image;
    Retype(d.dlg->channelBox(), typed);
    QCOMPARE(messages.texts.join(QLatin1Char('|')), message);
    QCOMPARE(d.dlg->channel(), channel);
    QCOMPARE(d.dlg->channelBox()->text(), QString::number(channel));
    // Nothing outside the channel records is ever written.
    for (std::size_t a = 0x800; a < d.image.size(); ++a) QCOMPARE(d.image[a], before[a]);
    QTest::keyClick(d.dlg->channelBox(), Qt::Key_Tab);
    QCOMPARE(d.dlg->channelBox()->text(), QString::number(channel));
}

void ChannelEditDlgTest::captionInBothLanguages() {
    Dialog d;
    d.open(1);
    QCOMPARE(d.dlg->windowTitle(), QStringLiteral("Channel Edit"));
    QCOMPARE(d.dlg->twoToneGroup()->title(), QStringLiteral("Opt Signal(2 Tone)"));
    veltest::ChineseTexts chinese;
    QVERIFY(chinese.loaded());
    d.open(1);
    QCOMPARE(d.dlg->windowTitle(), QStringLiteral("信道编辑"));
    QCOMPARE(d.dlg->twoToneGroup()->title(), QStringLiteral("选择信令(两音)"));
}

void ChannelEditDlgTest::entryPointRunsModally() {
    vel::Image image = veltest::NewImage();
    image[static_cast<std::size_t>(SignallingAddr(12))] = 0x08;
    TableLog table;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<CChannelEditDlg*>(QApplication::activeModalWidget());
        wasModal = dlg != nullptr;
        if (!dlg) return;
        dlg->decodeBox()->setText(QStringLiteral("4"));
        dlg->close();
    });
    velui::RunChannelEditDialog(nullptr, image, 12, table);
    QVERIFY(wasModal);
    QCOMPARE(int(image[static_cast<std::size_t>(SignallingAddr(12))]), 0x28);
    QCOMPARE(int(image[static_cast<std::size_t>(TwoToneAddr(12))]), 0x60);
    QCOMPARE(table.fills, 1);
}

void ChannelEditDlgTest::entryPointsOpenNothingOnASmallerImage() {
    vel::Image image = vel::NewDocumentImage(vel::MarloweFamily());
    const vel::Image before = image;
    TableLog table;
    int opened = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++opened;
            modal->close();
        }
    });
    watch.start(5);
    QCOMPARE(velui::RunOptionalFeaturesDialog(nullptr, image, vel::Lang::English), int(QDialog::Rejected));
    velui::RunTwoToneDialog(nullptr, image, vel::Lang::English, false);
    velui::RunChannelEditDialog(nullptr, image, 1, table);
    vel::Image full = veltest::NewImage();
    velui::RunChannelEditDialog(nullptr, full, 129, table);
    QCOMPARE(opened, 0);
    QVERIFY(image == before);
    QCOMPARE(table.fills, 0);
}

QTEST_MAIN(ChannelEditDlgTest)
#include "channel_edit_dlg_test.moc"

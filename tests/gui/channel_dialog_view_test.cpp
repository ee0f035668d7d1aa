// The Channel Edit dialog opened from the form view's double click: the
// view's table follows every type the dialog stores, and the view's own
// store keeps the dialog's Call and Decode.

#include <QComboBox>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#include "dialog_test_support.h"
#include "settings/ui/dialogs.h"
#include "settings/ui/up_down_edit.h"
#include "signalling/ui/channel_edit_dlg.h"
#include "view_test_support.h"

namespace {

constexpr int kTypeColumn = 8;

struct Harness {
    ViewHarness view{vel::VelmarVFamily(), vel::Lang::English};
    velui::ChannelTableCallbacks table{[this] { view.view->storeChannelGrid(); },
                                       [this] { view.view->fillChannelGrid(); }};
    std::function<void(velui::CChannelEditDlg*)> script;
    bool opened = false;

    Harness() {
        view.view->setChannelDialogHandler([this](int row) {
            QTimer::singleShot(0, [this] {
                auto* dlg = qobject_cast<velui::CChannelEditDlg*>(QApplication::activeModalWidget());
                opened = dlg != nullptr;
                if (!dlg) return;
                if (script) script(dlg);
                dlg->close();
            });
            velui::RunChannelEditDialog(view.view.get(), view.image, row, table);
        });
    }
    vel::Byte& byte(int channel, int offset) {
        return view.image[static_cast<std::size_t>(16 * (channel - 1) + offset)];
    }
    void doubleClick(int row, int col) {
        QTest::mouseDClick(view.grid()->viewport(), Qt::LeftButton, {}, view.centreOf(row, col));
    }
};

}  // namespace

class ChannelDialogViewTest : public QObject {
    Q_OBJECT
private slots:
    void typeChosenInTheDialogShowsInTheTable() {
        Harness h;
        h.view.putChannel(3, 14552500, 14552500);
        h.byte(3, 12) = 0x38;
        h.view.view->initialUpdate();
        QCOMPARE(h.view.cell(3, kTypeColumn), QStringLiteral("2-Tone"));
        h.script = [](velui::CChannelEditDlg* dlg) {
            dlg->typeList()->setFocus();
            QTest::keyClick(dlg->typeList(), Qt::Key_Up);
            QTest::keyClick(dlg->typeList(), Qt::Key_Up);
        };
        h.doubleClick(3, 5);
        QVERIFY(h.opened);
        QCOMPARE(int(h.byte(3, 12)), 0x32);
        QCOMPARE(h.view.cell(3, kTypeColumn), QStringLiteral("DTMF"));
    }

    void callAndDecodeSurviveTheTablesStore() {
        Harness h;
        h.view.putChannel(2, 14600000, 14600000);
        h.byte(2, 12) = 0x08;
        h.byte(2, 14) = 0x00;
        h.view.view->initialUpdate();
        h.script = [](velui::CChannelEditDlg* dlg) {
            dlg->callBox()->setText(QStringLiteral("7"));
            dlg->decodeBox()->setText(QStringLiteral("2"));
        };
        h.doubleClick(2, 3);
        QVERIFY(h.opened);
        QCOMPARE(int(h.byte(2, 12)), 0x38);
        QCOMPARE(int(h.byte(2, 14)), 0x26);
        h.view.view->storeChannelGrid();
        QCOMPARE(int(h.byte(2, 12)), 0x38);
        QCOMPARE(int(h.byte(2, 14)), 0x26);
    }
};

QTEST_MAIN(ChannelDialogViewTest)
#include "channel_dialog_view_test.moc"

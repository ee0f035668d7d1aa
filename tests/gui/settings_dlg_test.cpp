// The families' Optional Features dialog: it opens with what its model shows,
// OK stores exactly what the model stores for the same texts (and nothing
// without changes), Cancel stores nothing, the hidden PTT ID group of the
// 118-channel family stays hidden. And Velmar_V's own dialog shows what its
// model shows, in both languages.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "dialog_test_support.h"
#include "image/family.h"
#include "settings/optional_features_models.h"
#include "settings/ui/optional_features_dlg.h"
#include "settings/ui/settings_dlg.h"
#include "settings/ui/up_down_edit.h"

using velui::CSettingsDlg;
using vel::FamilyId;

Q_DECLARE_METATYPE(vel::FamilyId)

namespace {

const vel::SettingsDialogModel& Model(FamilyId family) {
    return *vel::FindSettingsDialog(family, vel::kOptionalFeaturesDialog);
}
const velui::SettingsDlgLayout& Layout(FamilyId family) {
    return *velui::SettingsDlgLayoutOf(family, vel::kOptionalFeaturesDialog);
}

vel::Image Pattern(FamilyId family, unsigned seed) {
    vel::Image img(static_cast<std::size_t>(vel::GetFamily(family).imageSize));
    unsigned x = seed * 2654435761u + 12345u;
    for (vel::Byte& b : img) {
        x = x * 1103515245u + 12345u;
        b = static_cast<vel::Byte>(x >> 16);
    }
    return img;
}

template <class W>
W* Control(const CSettingsDlg& dlg, int id) {
    return qobject_cast<W*>(dlg.control(id));
}

void AddFamilies() {
    QTest::addColumn<FamilyId>("family");
    QTest::newRow("VM_CH128") << FamilyId::VM_CH128;
    QTest::newRow("VM_CH118") << FamilyId::VM_CH118;
}

}  // namespace

class SettingsDlgTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithWhatTheModelShows_data() { AddFamilies(); }
    void opensWithWhatTheModelShows() {
        QFETCH(FamilyId, family);
        for (unsigned seed = 0; seed < 20; ++seed) {
            vel::Image image = seed == 0 ? vel::NewDocumentImage(vel::GetFamily(family)) : Pattern(family, seed);
            CSettingsDlg dlg(Model(family), Layout(family), image, vel::Lang::English);
            QCOMPARE(dlg.texts(), Model(family).show(image, vel::Lang::English));
        }
    }

    void showsItsGroups_data() {
        QTest::addColumn<FamilyId>("family");
        QTest::addColumn<bool>("codesShown");
        QTest::newRow("VM_CH128") << FamilyId::VM_CH128 << true;
        QTest::newRow("VM_CH118") << FamilyId::VM_CH118 << false;
    }
    void showsItsGroups() {
        QFETCH(FamilyId, family);
        QFETCH(bool, codesShown);
        vel::Image image = vel::NewDocumentImage(vel::GetFamily(family));
        CSettingsDlg dlg(Model(family), Layout(family), image, vel::Lang::English);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Optional Features"));
        QStringList groups;
        for (QGroupBox* box : dlg.findChildren<QGroupBox*>())
            if (box->isVisible()) groups << box->title();
        QStringList expected{QStringLiteral("Function Set"), QStringLiteral("VOX"), QStringLiteral("Key Assignment")};
        if (codesShown) expected.insert(2, QStringLiteral("PTT ID"));
        QCOMPARE(groups, expected);
        for (int id : {1080, 1081}) QCOMPARE(dlg.control(id)->isVisible(), codesShown);
        QCOMPARE(dlg.control(1092) != nullptr, codesShown);
        QCOMPARE(Control<QComboBox>(dlg, 1079)->itemText(2), codesShown ? QStringLiteral("Off") : QStringLiteral("OFF"));
        QCOMPARE(Control<QComboBox>(dlg, 1078)->count(), 6);
        QCOMPARE(Control<QCheckBox>(dlg, 1084)->text(), QStringLiteral("Vox Inhibit On Recieve"));
    }

    void okWithoutChangesLeavesTheImage_data() { AddFamilies(); }
    void okWithoutChangesLeavesTheImage() {
        QFETCH(FamilyId, family);
        vel::Image image = vel::NewDocumentImage(vel::GetFamily(family));
        const vel::Image before = image;
        CSettingsDlg dlg(Model(family), Layout(family), image, vel::Lang::English);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(image == before);
    }

    void cancelLeavesEveryByte_data() { AddFamilies(); }
    void cancelLeavesEveryByte() {
        QFETCH(FamilyId, family);
        vel::Image image = Pattern(family, 3);
        const vel::Image before = image;
        CSettingsDlg dlg(Model(family), Layout(family), image, vel::Lang::English);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        Control<QComboBox>(dlg, 1016)->setCurrentIndex(9);
        Control<QCheckBox>(dlg, 1074)->toggle();
        QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(image == before);
    }

    // What the user does in the window stores what the same texts store
    // through the model (and so through velprog options set).
    void okStoresWhatTheModelStores_data() { AddFamilies(); }
    void okStoresWhatTheModelStores() {
        QFETCH(FamilyId, family);
        const vel::Image start = Pattern(family, 5);
        vel::Image image = start;
        CSettingsDlg dlg(Model(family), Layout(family), image, vel::Lang::English);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        Control<QComboBox>(dlg, 1079)->setCurrentIndex(1);
        Control<QComboBox>(dlg, 1086)->setCurrentIndex(4);
        Control<QCheckBox>(dlg, 1076)->toggle();
        auto* timeout = Control<velui::CUpDownEdit>(dlg, 1013);
        timeout->setFocus();
        QTest::keyClick(timeout, Qt::Key_Up);
        QTest::keyClick(timeout, Qt::Key_Up);
        const bool codes = Control<QLineEdit>(dlg, 1081)->isVisible();
        if (codes) {
            auto* ani = Control<QLineEdit>(dlg, 1081);
            ani->clear();
            ani->setFocus();
            QTest::keyClicks(ani, QStringLiteral("a-b 9"));   // the box takes letters and digits, in capitals
            QCOMPARE(ani->text(), QStringLiteral("AB9"));
            auto* ptt = Control<QLineEdit>(dlg, 1080);
            ptt->clear();
            ptt->setFocus();
            QTest::keyClicks(ptt, QStringLiteral("2x345"));
            QCOMPARE(ptt->text(), QStringLiteral("2345"));
        }
        const vel::ControlTexts shown = dlg.texts();
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));

        vel::Image expected = start;
        vel::ControlTexts given = shown;
        for (const vel::ControlInfo& c : Model(family).controls)
            if (c.hidden) given.erase(c.id);
        QVERIFY(!Model(family).set(expected, vel::Lang::English, given));
        QVERIFY(image == expected);
        QCOMPARE(Model(family).show(image, vel::Lang::English).at(1079), std::string("English"));
        if (codes) QCOMPARE(Model(family).show(image, vel::Lang::English).at(1080), std::string("1345"));
    }

    // Velmar_V keeps its own window; its controls show what its model shows.
    void velmarVDialogShowsWhatItsModelShows_data() {
        QTest::addColumn<bool>("chinese");
        QTest::newRow("English") << false;
        QTest::newRow("Chinese") << true;
    }
    void velmarVDialogShowsWhatItsModelShows() {
        QFETCH(bool, chinese);
        std::unique_ptr<veltest::ChineseTexts> translator;
        if (chinese) {
            translator = std::make_unique<veltest::ChineseTexts>();
            QVERIFY(translator->loaded());
        }
        const vel::Lang lang = chinese ? vel::Lang::Chinese : vel::Lang::English;
        const vel::SettingsDialogModel& model = Model(FamilyId::Velmar_V);
        for (unsigned seed = 0; seed < 20; ++seed) {
            vel::Image image = seed == 0 ? veltest::NewImage() : Pattern(FamilyId::Velmar_V, seed);
            velui::COptionalFeaturesDlg dlg(image);
            const auto list = [](QComboBox* box) { return box->currentIndex() < 0 ? QString() : box->currentText(); };
            const auto check = [](QCheckBox* box) { return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0"); };
            const std::map<int, QString> shown{
                {1013, dlg.timeoutBox()->text()},          {1016, list(dlg.squelchList())},
                {1079, list(dlg.languageList())},          {1077, list(dlg.voxGainList())},
                {1074, check(dlg.beepBox())},              {1090, check(dlg.batterySaveBox())},
                {1075, check(dlg.scramblerBox())},         {3000, list(dlg.priorityList())},
                {1080, dlg.groupIdBox()->text()},          {1081, dlg.idBox()->text()},
                {1098, dlg.callIdBox()->text()},           {1099, dlg.checkIdBox()->text()},
                {1100, dlg.killIdBox()->text()},           {1101, dlg.listenIdBox()->text()},
                {1082, check(dlg.beginOfTxBox())},         {1083, check(dlg.endOfTxBox())},
                {1102, list(dlg.freqModeSignalList())},    {1085, list(dlg.pf1List())},
                {1086, list(dlg.pf2List())}};
            const vel::ControlTexts texts = model.show(image, lang);
            QCOMPARE(texts.size(), shown.size());
            for (const auto& [id, text] : shown)
                QVERIFY2(QString::fromStdString(texts.at(id)) == text,
                         qPrintable(QStringLiteral("seed %1, control %2: %3").arg(seed).arg(id).arg(text)));
        }
    }
};

QTEST_MAIN(SettingsDlgTest)
#include "settings_dlg_test.moc"

// Shows one of the settings or signalling dialogs with sample values, for
// screenshots: dialog_preview <optional|encode|decode|channel|marlowe-keys|marlowe-optional> <en|zh>,
// or dialog_preview <VM_CH128|VM_CH118> for a family's Optional Features.
// Prints the window id and keeps the dialog open until it is closed.

#include <QApplication>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <memory>

#include "apps/marlowe/ui/key_assignment_dlg.h"
#include "apps/marlowe/ui/optional_features_dlg.h"
#include "image/family.h"
#include "settings/optional_features_models.h"
#include "settings/ui/optional_features_dlg.h"
#include "settings/ui/settings_dlg.h"
#include "settings/ui/up_down_edit.h"
#include "signalling/ui/channel_edit_dlg.h"
#include "signalling/ui/two_tone_dlg.h"
#include "signalling/ui/two_tone_encode_page.h"
#include "table/ui/cmsflexgrid.h"

namespace {

struct NoTable : velui::ChannelTableAccess {
    void storeChannelTable() override {}
    void fillChannelTable() override {}
};

void SampleImage(vel::Image& image) {
    // Optional features.
    image[0x814] = 8;                       // 120 s
    image[0x812] = 0xC6;                    // English, beep, battery save
    image[0x815] = 3;
    image[0x816] = 1;
    image[0x810] = 0xE0;
    const char* id = "A1B2";
    for (int i = 0; i < 4; ++i) image[static_cast<std::size_t>(0x830 + i)] = static_cast<vel::Byte>(id[i]);
    const char* group = "123";
    for (int i = 0; i < 3; ++i) image[static_cast<std::size_t>(0x820 + i)] = static_cast<vel::Byte>(group[i]);
    // Encode table: a few tone pairs.
    const unsigned tones[][2] = {{10000, 10000}, {12000, 15000}, {3490, 3490}, {21250, 8930}, {6531, 6531}};
    for (unsigned r = 0; r < 5; ++r)
        for (unsigned k = 0; k < 2; ++k) vel::WriteBE16(image, 0xE00 + 4 * r + 2 * k, tones[r][k]);
    // Channel 1: two-tone, call 6, decode 3.
    image[12] = 0x38;
    image[14] = 0x45;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmar_V"));
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("optional");
    const bool chinese = argc > 2 && QString::fromLocal8Bit(argv[2]) == QLatin1String("zh");
    QTranslator texts;
    QTranslator qtTexts;
    if (chinese) {
        if (texts.load(QStringLiteral(VEL_QM_DIR "/Velmar_V_CH.qm"))) QApplication::installTranslator(&texts);
        if (qtTexts.load(QStringLiteral("qt_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(&qtTexts);
    }
    const vel::Lang lang = chinese ? vel::Lang::Chinese : vel::Lang::English;

    vel::Image image = vel::NewDocumentImage(vel::VelmarVFamily());
    SampleImage(image);
    // Marlowe: side button 2 Talk Around / Monitor, time-out 120 s, VOX 3.
    vel::Image marlowe = vel::NewDocumentImage(vel::MarloweFamily());
    marlowe[0x3C5] = 0x51;
    marlowe[0x3C3] = 4;
    marlowe[0x3C7] = 3;
    marlowe[0x3C4] = 21;
    NoTable table;
    std::unique_ptr<QDialog> dialog;
    vel::Image familyImage;
    if (which == QLatin1String("marlowe-keys")) {
        QApplication::setApplicationName(QStringLiteral("Marlowe"));
        dialog = std::make_unique<velui::CKeyAssignmentDlg>(marlowe);
    } else if (which == QLatin1String("marlowe-optional")) {
        QApplication::setApplicationName(QStringLiteral("Marlowe"));
        dialog = std::make_unique<velui::marlowe::COptionalFeaturesDlg>(marlowe);
    } else if (const vel::Family* family = vel::FindFamily(which.toStdString())) {
        // A family's Optional Features with a few settings changed.
        familyImage = vel::NewDocumentImage(*family);
        const vel::SettingsDialogModel& model = *vel::FindSettingsDialog(family->id, vel::kOptionalFeaturesDialog);
        model.set(familyImage, vel::Lang::English,
                  {{1013, "120"}, {1079, "English"}, {1077, "3"}, {1085, "Monitor"}, {1086, "Key Lock"}});
        if (family->id == vel::FamilyId::VM_CH128)
            model.set(familyImage, vel::Lang::English, {{1080, "1234"}, {1081, "A1B2"}, {1092, "1"}});
        dialog = std::make_unique<velui::CSettingsDlg>(
            model, *velui::SettingsDlgLayoutOf(family->id, vel::kOptionalFeaturesDialog), familyImage,
            vel::Lang::English);
    } else if (which == QLatin1String("optional")) {
        dialog = std::make_unique<velui::COptionalFeaturesDlg>(image);
    } else if (which == QLatin1String("channel")) {
        dialog = std::make_unique<velui::CChannelEditDlg>(image, 1, table);
    } else {
        auto two = std::make_unique<velui::CTwoToneDlg>(image, lang, false);
        if (which == QLatin1String("decode")) two->tabs()->setCurrentIndex(1);
        dialog = std::move(two);
    }
    dialog->show();
    if (which == QLatin1String("encode")) {
        // An entry being edited, as a user sees it.
        auto* two = static_cast<velui::CTwoToneDlg*>(dialog.get());
        CMSFlexGrid* grid = two->encodePage()->grid();
        const QRect cell = grid->cellRect(6, 1);
        QMouseEvent press(QEvent::MouseButtonPress, cell.center(), grid->viewport()->mapToGlobal(cell.center()),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &press);
        two->encodePage()->cellEditor()->setText(QStringLiteral("1750"));
    }
    std::printf("%llu\n", static_cast<unsigned long long>(dialog->winId()));
    std::fflush(stdout);
    return app.exec();
}

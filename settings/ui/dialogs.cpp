#include "settings/ui/dialogs.h"

#include "settings/ui/optional_features_dlg.h"
#include "settings/ui/settings_dlg.h"
#include "signalling/channel_signalling.h"
#include "signalling/ui/two_tone_dlg.h"

namespace velui {
namespace {

// The dialogs belong to the full application's 4096-byte image; a smaller
// image has none of their records, and they do not open on it.
constexpr std::size_t kFullImageSize = 4096;

}  // namespace

int RunOptionalFeaturesDialog(QWidget* parent, vel::Image& image, vel::Lang /*lang*/) {
    if (image.size() < kFullImageSize) return QDialog::Rejected;
    COptionalFeaturesDlg dialog(image, parent);
    return dialog.exec();
}

int RunSettingsDialog(QWidget* parent, const vel::Family& family, vel::Image& image, vel::Lang lang,
                      const std::string& key) {
    const vel::SettingsDialogModel* model = vel::FindSettingsDialog(family.id, key);
    const SettingsDlgLayout* layout = SettingsDlgLayoutOf(family.id, key);
    if (!model || !layout || image.size() != static_cast<std::size_t>(family.imageSize)) return QDialog::Rejected;
    CSettingsDlg dialog(*model, *layout, image, lang, parent);
    return dialog.exec();
}

bool HasSettingsDialog(vel::FamilyId family, const std::string& key) {
    return vel::FindSettingsDialog(family, key) && SettingsDlgLayoutOf(family, key);
}

void RunTwoToneDialog(QWidget* parent, vel::Image& image, vel::Lang lang, bool englishLanguageBase) {
    if (image.size() < kFullImageSize) return;
    CTwoToneDlg dialog(image, lang, englishLanguageBase, parent);
    dialog.exec();
}

void RunChannelEditDialog(QWidget* parent, vel::Image& image, int row, ChannelTableAccess& table) {
    if (image.size() < kFullImageSize || row < 1 || row > vel::kSignallingChannelCount) return;
    CChannelEditDlg dialog(image, row, table, parent);
    dialog.exec();
}

}  // namespace velui

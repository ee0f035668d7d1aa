#include "settings/ui/dialogs.h"

#include "settings/ui/optional_features_dlg.h"
#include "signalling/ui/two_tone_dlg.h"

namespace velui {

int RunOptionalFeaturesDialog(QWidget* parent, vel::Image& image, vel::Lang /*lang*/) {
    COptionalFeaturesDlg dialog(image, parent);
    return dialog.exec();
}

void RunTwoToneDialog(QWidget* parent, vel::Image& image, vel::Lang lang, bool englishLanguageBase) {
    CTwoToneDlg dialog(image, lang, englishLanguageBase, parent);
    dialog.exec();
}

void RunChannelEditDialog(QWidget* parent, vel::Image& image, int row, ChannelTableAccess& table) {
    CChannelEditDlg dialog(image, row, table, parent);
    dialog.exec();
}

}  // namespace velui

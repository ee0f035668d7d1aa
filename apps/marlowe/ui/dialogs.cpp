#include "apps/marlowe/ui/dialogs.h"

#include "apps/marlowe/ui/key_assignment_dlg.h"
#include "apps/marlowe/ui/optional_features_dlg.h"
#include "image/family.h"

namespace velui {
namespace {

bool IsMarloweImage(const vel::Image& image) {
    return image.size() == static_cast<std::size_t>(vel::MarloweFamily().imageSize);
}

}  // namespace

int RunKeyAssignmentDialog(QWidget* parent, vel::Image& image) {
    if (!IsMarloweImage(image)) return QDialog::Rejected;
    CKeyAssignmentDlg dialog(image, parent);
    return dialog.exec();
}

int RunMarloweOptionalFeaturesDialog(QWidget* parent, vel::Image& image) {
    if (!IsMarloweImage(image)) return QDialog::Rejected;
    marlowe::COptionalFeaturesDlg dialog(image, parent);
    return dialog.exec();
}

}  // namespace velui

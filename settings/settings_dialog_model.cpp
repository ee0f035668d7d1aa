#include "settings/settings_dialog_model.h"

namespace vel {

const std::vector<SettingsDialogModel>& SettingsDialogsOf(FamilyId family) {
    static const std::vector<SettingsDialogModel> none;
    switch (family) {
    case FamilyId::Velmar_V:
    case FamilyId::VM_CH128:
    case FamilyId::VM_CH118:
    case FamilyId::Marlowe:
    case FamilyId::VM_CH16:
    case FamilyId::VM_CH16_CN:
        break;
    }
    return none;
}

}  // namespace vel

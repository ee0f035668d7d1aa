#include "settings/settings_dialog_model.h"

#include "apps/marlowe/settings_models.h"

namespace vel {

const std::vector<SettingsDialogModel>& SettingsDialogsOf(FamilyId family) {
    static const std::vector<SettingsDialogModel> none;
    switch (family) {
    case FamilyId::Velmar_V:
    case FamilyId::VM_CH128:
    case FamilyId::VM_CH118:
        break;
    case FamilyId::Marlowe:
        return MarloweSettingsDialogs();
    case FamilyId::VM_CH16:
    case FamilyId::VM_CH16_CN:
        break;
    }
    return none;
}

}  // namespace vel

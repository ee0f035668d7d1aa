#include "settings/settings_dialog_model.h"

#include "apps/marlowe/settings_models.h"
#include "settings/family_features.h"
#include "settings/optional_features_models.h"

namespace vel {

const std::vector<SettingsDialogModel>& SettingsDialogsOf(FamilyId family) {
    static const std::vector<SettingsDialogModel> none;
    switch (family) {
    case FamilyId::Velmar_V: {
        static const std::vector<SettingsDialogModel> dialogs{VelmarVOptionalFeaturesModel()};
        return dialogs;
    }
    case FamilyId::VM_CH128: {
        static const std::vector<SettingsDialogModel> dialogs{
            FamilyOptionalFeaturesModel(*FamilyFeaturesLayoutOf(FamilyId::VM_CH128))};
        return dialogs;
    }
    case FamilyId::VM_CH118: {
        static const std::vector<SettingsDialogModel> dialogs{
            FamilyOptionalFeaturesModel(*FamilyFeaturesLayoutOf(FamilyId::VM_CH118))};
        return dialogs;
    }
    case FamilyId::Marlowe:
        return MarloweSettingsDialogs();
    case FamilyId::VM_CH16:
    case FamilyId::VM_CH16_CN:
        break;
    }
    return none;
}

const SettingsDialogModel* FindSettingsDialog(FamilyId family, const std::string& key) {
    for (const SettingsDialogModel& model : SettingsDialogsOf(family))
        if (model.key == key) return &model;
    return nullptr;
}

}  // namespace vel

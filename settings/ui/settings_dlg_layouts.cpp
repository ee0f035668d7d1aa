// The window layouts of the families' settings dialogs: which group box
// holds which control, with the labels the dialogs show.

#include <QtGlobal>

#include "settings/optional_features_models.h"
#include "settings/ui/settings_dlg.h"

namespace velui {
namespace {

// Dialog 156 of the 128- and 118-channel families: "Function Set" and "VOX"
// side by side, "PTT ID" and "Key Assignment" below them. The 118-channel
// family has no Begin/End of Tx switches and never shows its PTT ID group;
// a control its model does not have is left out.
const SettingsDlgLayout kFamilyOptionalFeatures{
    QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Optional Features"),
    {
        {QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Function Set"),
         0,
         0,
         {{1013, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Time out time(TOT)(s)")},
          {1016, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Squelch Level")},
          {1079, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Language Choose")},
          {1074, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Beep")},
          {1075, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Scrambler Activation")},
          {1090, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Battery Save")}}},
        {QT_TRANSLATE_NOOP("velui::CSettingsDlg", "VOX"),
         0,
         1,
         {{1076, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Vox Function")},
          {1077, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Vox Gain Level")},
          {1078, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Vox  Delay Time(s)")},
          {1084, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Vox Inhibit On Recieve")}}},
        {QT_TRANSLATE_NOOP("velui::CSettingsDlg", "PTT ID"),
         1,
         0,
         {{1080, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "PTT ID")}, {1081, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "ANI CODE")}, {1092, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Begin of Tx")}, {1093, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "End of Tx")}}},
        {QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Key Assignment"), 1, 1, {{1085, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "PF1")}, {1086, QT_TRANSLATE_NOOP("velui::CSettingsDlg", "PF2")}}},
    },
};

}  // namespace

const SettingsDlgLayout* SettingsDlgLayoutOf(vel::FamilyId family, const std::string& key) {
    if (key != vel::kOptionalFeaturesDialog) return nullptr;
    switch (family) {
        case vel::FamilyId::VM_CH128:
        case vel::FamilyId::VM_CH118:
            return &kFamilyOptionalFeatures;
        default:
            return nullptr;
    }
}

}  // namespace velui

#pragma once
// The models of the Optional Features dialogs (settings/settings_dialog_model.h).

#include "settings/settings_dialog_model.h"

namespace vel {

struct FamilyFeaturesLayout;

/// Keys of the dialogs a family can have.
inline constexpr const char* kOptionalFeaturesDialog = "optional-features";
inline constexpr const char* kKeyAssignmentDialog = "key-assignment";

/// The full application's dialog: DecodeOptionalFeatures / EncodeOptionalFeatures.
SettingsDialogModel VelmarVOptionalFeaturesModel();

/// The 128- and 118-channel families' dialog on `layout` (which must outlive
/// the model: the layouts are the families' static data).
SettingsDialogModel FamilyOptionalFeaturesModel(const FamilyFeaturesLayout& layout);

}  // namespace vel

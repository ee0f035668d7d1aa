#pragma once
// Marlowe's two settings dialogs seen through their controls' texts
// (`velprog options --dialog optional-features|key-assignment`).

#include <vector>

#include "settings/settings_dialog_model.h"

namespace vel {

/// Optional Features first, then Key Assignment.
const std::vector<SettingsDialogModel>& MarloweSettingsDialogs();

}  // namespace vel

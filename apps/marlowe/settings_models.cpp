#include "apps/marlowe/settings_models.h"

#include <string>

#include "apps/marlowe/marlowe_settings.h"
#include "settings/control_table.h"

namespace vel {
namespace {

// Every control of Marlowe's dialogs is a drop-down list whose selection is
// one index member of the dialog's settings struct; its texts are English.
SettingsDialogModel OptionalFeaturesModel() {
    using S = MarloweOptionalFeatures;
    const MarloweOptionTexts& t = MarloweOptionItems();
    const ListOptions canBeEmpty{.canBeEmpty = true};
    return MakeSettingsDialogModel<S>(
        "optional-features",
        {ListControl(1013, SameItems(t.timeout), &S::timeoutIndex),           // "Time out Time(TOT)"
         ListControl(1016, SameItems(t.squelch), &S::squelchIndex),           // "Squelch(SQ)"
         ListControl(1075, SameItems(t.voice), &S::voiceIndex, canBeEmpty),   // "Voice Announcement"
         ListControl(1076, SameItems(t.voxGain), &S::voxGainIndex, canBeEmpty),   // "VOX Gain Level"
         ListControl(1018, SameItems(t.powerRank), &S::powerRankIndex),       // "TX Power Rank"
         ListControl(1014, SameItems(t.beep), &S::beepIndex),                 // "Beep"
         ListControl(1077, SameItems(t.scrambler), &S::scramblerIndex),       // "Scrambler"
         ListControl(1078, SameItems(t.batterySave), &S::batterySaveIndex),   // "Battery Save"
         ListControl(1073, SameItems(t.bandWidth), &S::bandWidthIndex, {.canBeEmpty = true, .hidden = true})},
        DecodeMarloweOptionalFeatures, EncodeMarloweOptionalFeatures);
}

SettingsDialogModel KeyAssignmentModel() {
    using S = KeyAssignment;
    const std::vector<Text> f = SameItems(SideKeyFunctionTexts());
    // A nibble above 8 opens its list without a selection.
    const ListOptions canBeEmpty{.canBeEmpty = true};
    return MakeSettingsDialogModel<S>("key-assignment",
                                      {ListControl(1073, f, &S::button2Short, canBeEmpty),   // "Side Button 2 Short Press"
                                       ListControl(1075, f, &S::button2Long, canBeEmpty),    // "Side Button 2 Long Press"
                                       ListControl(1074, f, &S::button3Short, canBeEmpty),   // "Side Button 3 Short Press"
                                       ListControl(1076, f, &S::button3Long, canBeEmpty)},   // "Side Button 3 Long Press"
                                      DecodeKeyAssignment, EncodeKeyAssignment);
}

}  // namespace

const std::vector<SettingsDialogModel>& MarloweSettingsDialogs() {
    static const std::vector<SettingsDialogModel> dialogs{OptionalFeaturesModel(), KeyAssignmentModel()};
    return dialogs;
}

}  // namespace vel

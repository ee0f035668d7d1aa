// The Optional Features dialogs seen through their controls: which member of
// the dialog's values each control shows, with the texts of its lists in the
// languages the dialog is shown in.

#include "settings/control_table.h"
#include "settings/family_features.h"
#include "settings/optional_features.h"
#include "settings/optional_features_models.h"

namespace vel {
namespace {

std::vector<Text> Numbers(int first, int last) {
    std::vector<Text> items;
    for (int i = first; i <= last; ++i) items.push_back(Same(std::to_string(i)));
    return items;
}

// The key-function list as the dialogs show it.
std::vector<Text> KeyFunctionItems() {
    return {{"None", "无"},      {"Autodial", "自动拨号"},          {"Key Lock", "键盘锁"},
            {"Monitor", "监听"}, {"Monitor Momentary", "瞬时监听"}, {"Scrambler", "扰频"}};
}

const Text kOff{"OFF", "关"};

std::vector<Text> VoxGainItems() {
    std::vector<Text> items{kOff};
    for (const Text& n : Numbers(1, 10)) items.push_back(n);
    return items;
}

}  // namespace

SettingsDialogModel VelmarVOptionalFeaturesModel() {
    using F = OptionalFeatures;
    const EditOptions code{.maxLength = 8};
    return MakeSettingsDialogModel<F>(
        kOptionalFeaturesDialog,
        {
            TimeoutControl(1013, 1089, &F::timeoutPosition),
            ListControl(1016, Numbers(0, 9), &F::squelchIndex),
            // Language code 0 has no item; the priority byte is not range-checked.
            ListControl(1079, {{"Chinese", "中文"}, {"English", "英文"}}, &F::languageIndex, {.canBeEmpty = true}),
            ListControl(1077, VoxGainItems(), &F::voxGainIndex),
            CheckControl(1074, &F::beep),
            CheckControl(1090, &F::batterySave),
            CheckControl(1075, &F::scrambler),
            ListControl(3000, Numbers(1, 128), &F::priorityIndex, {.canBeEmpty = true}),
            EditControl(1080, &F::groupId, {.maxLength = 4, .chars = EditChars::Digits}),
            EditControl(1081, &F::id, {.maxLength = 8, .chars = EditChars::LettersAndDigits, .upperCase = true}),
            EditControl(1098, &F::callId, {.maxLength = 8, .upperCase = true}),
            EditControl(1099, &F::checkId, code),
            EditControl(1100, &F::killId, code),
            EditControl(1101, &F::listenId, code),
            CheckControl(1082, &F::beginOfTx),
            CheckControl(1083, &F::endOfTx),
            ListControl(1102, {Same("MSK"), Same("DTMF"), Same("CCIR"), kOff}, &F::freqModeSignalIndex),
            ListControl(1085, KeyFunctionItems(), &F::pf1Index, {.hidden = true}),
            ListControl(1086, KeyFunctionItems(), &F::pf2Index, {.hidden = true}),
        },
        DecodeOptionalFeatures, EncodeOptionalFeatures);
}

SettingsDialogModel FamilyOptionalFeaturesModel(const FamilyFeaturesLayout& layout) {
    using F = FamilyFeatures;
    std::vector<ControlBinding<F>> controls{
        TimeoutControl(1013, 1089, &F::timeoutPosition),
        ListControl(1016, Numbers(0, 9), &F::squelchIndex),
        // Language code 1 has no item.
        ListControl(1079, {Same("Chinese"), Same("English"), layout.offLanguage}, &F::languageIndex,
                    {.canBeEmpty = true}),
        CheckControl(1074, &F::beep),
        CheckControl(1075, &F::scrambler),
        CheckControl(1090, &F::batterySave),
        CheckControl(1076, &F::voxFunction),
        ListControl(1077, VoxGainItems(), &F::voxGainIndex),
        ListControl(1078, {Same("0.3"), Same("0.5"), Same("1.0"), Same("1.5"), Same("2.0"), Same("3.0")},
                    &F::voxDelayIndex),
        CheckControl(1084, &F::voxInhibit),
        // The PTT ID is stored as digits, so its box takes digits only.
        EditControl(1080, &F::pttId,
                    {.maxLength = layout.pttIdDigits, .chars = EditChars::Digits, .hidden = !layout.codesShown}),
        EditControl(1081, &F::aniCode,
                    {.maxLength = layout.aniLength,
                     .chars = EditChars::LettersAndDigits,
                     .upperCase = true,
                     .hidden = !layout.codesShown}),
    };
    if (layout.beginOfTx) controls.push_back(CheckControl(1092, &F::beginOfTx));
    if (layout.endOfTx) controls.push_back(CheckControl(1093, &F::endOfTx));
    const std::vector<Text> keys = SameItems(KeyFunctionTexts());
    controls.push_back(ListControl(1085, keys, &F::pf1Index));
    controls.push_back(ListControl(1086, keys, &F::pf2Index));

    const FamilyFeaturesLayout* at = &layout;
    return MakeSettingsDialogModel<F>(
        kOptionalFeaturesDialog, std::move(controls),
        [at](const Image& image) { return DecodeFamilyFeatures(*at, image); },
        [at](const FamilyFeatures& f, Image& image) { EncodeFamilyFeatures(*at, f, image); });
}

}  // namespace vel

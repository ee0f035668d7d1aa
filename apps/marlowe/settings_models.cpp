#include "apps/marlowe/settings_models.h"

#include <algorithm>
#include <string>

#include "apps/marlowe/marlowe_settings.h"

namespace vel {
namespace {

// Every control of Marlowe's dialogs is a drop-down list whose selection is
// one index member of the dialog's settings struct.
template <class Settings>
struct ListControl {
    int id = 0;
    const char* label = "";
    const std::vector<std::string>* items = nullptr;
    int Settings::*index = nullptr;
    bool hidden = false;
    bool canBeEmpty = false;   // the list can open without a selection, so "" is a text it takes
};

std::string ItemText(const std::vector<std::string>& items, int index) {
    return index >= 0 && index < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(index)] : "";
}

std::string Named(int id, const char* label) { return "control " + std::to_string(id) + " (" + label + ")"; }

std::string Choices(const std::vector<std::string>& items, bool canBeEmpty) {
    std::string list;
    for (const std::string& item : items) list += (list.empty() ? "\"" : ", \"") + item + "\"";
    return canBeEmpty ? list + " or \"\"" : list;
}

template <class Settings>
SettingsDialogModel ListDialog(std::string key, std::vector<ListControl<Settings>> controls,
                               Settings (*decode)(const Image&), void (*encode)(const Settings&, Image&)) {
    SettingsDialogModel model;
    model.key = std::move(key);
    for (const auto& c : controls) model.controls.push_back(ControlInfo{c.id, ControlKind::List, c.hidden});

    model.show = [controls, decode](const Image& image, Lang) {
        const Settings settings = decode(image);
        ControlTexts texts;
        for (const auto& c : controls) texts[c.id] = ItemText(*c.items, settings.*(c.index));
        return texts;
    };

    model.set = [controls, decode, encode](Image& image, Lang,
                                           const ControlTexts& texts) -> std::optional<std::string> {
        // Every text is checked before a byte changes.
        Settings settings = decode(image);
        for (const auto& [id, text] : texts) {
            const auto c = std::find_if(controls.begin(), controls.end(), [id = id](const auto& k) { return k.id == id; });
            if (c == controls.end()) return "this dialog has no control " + std::to_string(id);
            if (c->hidden) return Named(c->id, c->label) + " is hidden and cannot be set";
            if (text.empty() && c->canBeEmpty) {
                settings.*(c->index) = -1;
                continue;
            }
            const auto item = std::find(c->items->begin(), c->items->end(), text);
            if (item == c->items->end())
                return Named(c->id, c->label) + " cannot take \"" + text + "\"; it takes " +
                       Choices(*c->items, c->canBeEmpty);
            settings.*(c->index) = static_cast<int>(item - c->items->begin());
        }
        encode(settings, image);
        return std::nullopt;
    };
    return model;
}

SettingsDialogModel OptionalFeaturesModel() {
    using S = MarloweOptionalFeatures;
    const MarloweOptionTexts& t = MarloweOptionItems();
    return ListDialog<S>("optional-features",
                         {{1013, "Time out Time(TOT)", &t.timeout, &S::timeoutIndex},
                          {1016, "Squelch(SQ)", &t.squelch, &S::squelchIndex},
                          {1075, "Voice Announcement", &t.voice, &S::voiceIndex, false, true},
                          {1076, "VOX Gain Level", &t.voxGain, &S::voxGainIndex, false, true},
                          {1018, "TX Power Rank", &t.powerRank, &S::powerRankIndex},
                          {1014, "Beep", &t.beep, &S::beepIndex},
                          {1077, "Scrambler", &t.scrambler, &S::scramblerIndex},
                          {1078, "Battery Save", &t.batterySave, &S::batterySaveIndex},
                          {1073, "Band  Width", &t.bandWidth, &S::bandWidthIndex, true, true}},
                         &DecodeMarloweOptionalFeatures, &EncodeMarloweOptionalFeatures);
}

SettingsDialogModel KeyAssignmentModel() {
    using S = KeyAssignment;
    const std::vector<std::string>* f = &SideKeyFunctionTexts();
    // A nibble above 8 opens its list without a selection.
    return ListDialog<S>("key-assignment",
                         {{1073, "Side Button 2 Short Press", f, &S::button2Short, false, true},
                          {1075, "Side Button 2 Long Press", f, &S::button2Long, false, true},
                          {1074, "Side Button 3 Short Press", f, &S::button3Short, false, true},
                          {1076, "Side Button 3 Long Press", f, &S::button3Long, false, true}},
                         &DecodeKeyAssignment, &EncodeKeyAssignment);
}

}  // namespace

const std::vector<SettingsDialogModel>& MarloweSettingsDialogs() {
    static const std::vector<SettingsDialogModel> dialogs{OptionalFeaturesModel(), KeyAssignmentModel()};
    return dialogs;
}

}  // namespace vel

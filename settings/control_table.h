#pragma once
// Declaring a settings dialog model: every control of a dialog is bound to
// one member of the plain struct that the dialog's decode/encode pair works
// on. A binding turns the member into the text the control shows and a text
// back into the member, refusing a text the control cannot take, so the
// window and `velprog options` open, set and store a dialog the same way.
//
//   SettingsDialogModel model = MakeSettingsDialogModel<Features>(
//       "optional-features",
//       {TimeoutControl(1013, 1089, &Features::timeoutPosition),
//        ListControl(1016, Digits, &Features::squelchIndex),
//        CheckControl(1074, &Features::beep),
//        EditControl(1080, &Features::pttId, {.maxLength = 4, .chars = EditChars::Digits})},
//       DecodeFeatures, EncodeFeatures);

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/optional_features.h"
#include "settings/settings_dialog_model.h"

namespace vel {

/// One control bound to a member of the dialog's values `V`.
template <class V>
struct ControlBinding {
    ControlInfo info;
    /// The text the control shows for `values`.
    std::function<std::string(const V& values, Lang lang)> show;
    /// Gives the control `text`; the reason when it cannot take it (`values`
    /// may then be half changed: the caller works on a copy).
    std::function<std::optional<std::string>(V& values, Lang lang, const std::string& text)> set;
};

// ---------------------------------------------------------------------------
// Text rules of the three kinds of control
// ---------------------------------------------------------------------------

/// List items that read the same in every language.
std::vector<Text> SameItems(const std::vector<std::string>& texts);

/// The text a list shows with item `index` selected: "" for no selection or
/// an index the list does not have.
std::string ListItemText(const ControlInfo& list, int index, Lang lang);

/// The item whose text in `lang` is `text`; -1 for "" when the list may be
/// without a selection. The reason when the list has no such item.
std::optional<std::string> ListItemIndex(const ControlInfo& list, Lang lang, const std::string& text, int& index);

/// The text an edit box shows when it is given `text` (UTF-8): the box holds
/// at most its length in characters, so the rest is cut off.
std::string EditBoxText(const ControlInfo& box, const std::string& text);

/// `text` (UTF-8) as the box takes it when typed or pasted: in capitals when
/// the box makes them, one byte per character (a character outside ASCII as
/// "?", which every code stores like any other non-letter). The reason when
/// the box refuses it: longer than the box, or a character it does not take.
std::optional<std::string> EditBoxTake(const ControlInfo& box, const std::string& text, std::string& taken);

/// A check box's text: "1" checked, "0" not.
std::string CheckText(bool on);
std::optional<std::string> CheckTake(const std::string& text, bool& on);

/// The up-down position the time-out box's `text` names ("OFF" or the
/// seconds); the reason when it names none.
std::optional<std::string> TimeoutTake(const std::string& text, int& position);

// ---------------------------------------------------------------------------
// Bindings
// ---------------------------------------------------------------------------

struct ListOptions {
    bool canBeEmpty = false;   // the list may open without a selection
    bool hidden = false;
};

struct EditOptions {
    int maxLength = 0;
    EditChars chars = EditChars::Any;
    bool upperCase = false;
    bool hidden = false;
};

/// A list whose selected item index (-1 = none) is `index`.
template <class V>
ControlBinding<V> ListControl(int id, std::vector<Text> items, int V::*index, ListOptions options = {}) {
    ControlBinding<V> b;
    b.info.id = id;
    b.info.kind = ControlKind::List;
    b.info.hidden = options.hidden;
    b.info.items = std::move(items);
    b.info.canBeEmpty = options.canBeEmpty;
    const ControlInfo info = b.info;
    b.show = [info, index](const V& v, Lang lang) { return ListItemText(info, v.*index, lang); };
    b.set = [info, index](V& v, Lang lang, const std::string& text) {
        return ListItemIndex(info, lang, text, v.*index);
    };
    return b;
}

/// An edit box whose text is `text`.
template <class V>
ControlBinding<V> EditControl(int id, std::string V::*text, EditOptions options = {}) {
    ControlBinding<V> b;
    b.info.id = id;
    b.info.kind = ControlKind::Edit;
    b.info.hidden = options.hidden;
    b.info.maxLength = options.maxLength;
    b.info.chars = options.chars;
    b.info.upperCase = options.upperCase;
    const ControlInfo info = b.info;
    b.show = [info, text](const V& v, Lang) { return EditBoxText(info, v.*text); };
    b.set = [info, text](V& v, Lang, const std::string& given) { return EditBoxTake(info, given, v.*text); };
    return b;
}

/// A check box whose state is `on`.
template <class V>
ControlBinding<V> CheckControl(int id, bool V::*on, bool hidden = false) {
    ControlBinding<V> b;
    b.info.id = id;
    b.info.kind = ControlKind::Check;
    b.info.hidden = hidden;
    b.show = [on](const V& v, Lang) { return CheckText(v.*on); };
    b.set = [on](V& v, Lang, const std::string& text) { return CheckTake(text, v.*on); };
    return b;
}

/// The time-out pair: edit box `id` with the up-down `upDownId` (positions
/// 0-40, 15 s each) attached. The pair is keyed by the box, whose text is
/// "OFF" or the seconds; a text names the position it stands for.
template <class V>
ControlBinding<V> TimeoutControl(int id, int upDownId, int V::*position) {
    ControlBinding<V> b;
    b.info.id = id;
    b.info.kind = ControlKind::Edit;
    b.info.maxLength = 10;
    b.info.upDownId = upDownId;
    b.info.upDownLower = 0;
    b.info.upDownUpper = 40;
    b.show = [position](const V& v, Lang) { return TimeoutText(v.*position); };
    b.set = [position](V& v, Lang, const std::string& text) { return TimeoutTake(text, v.*position); };
    return b;
}

/// The error of giving `id` a text in a dialog whose controls are `controls`:
/// an identifier the dialog does not have, or a hidden control.
std::optional<std::string> ControlRefusal(const std::vector<ControlInfo>& controls, int id);

/// "control <id>: <reason>".
std::string ControlError(int id, const std::string& reason);

/// The model of a dialog whose values `V` come from `decode` when it opens
/// and go to `encode` on OK. `set` opens the dialog on the image (every
/// control holds what it shows, so an edit box keeps only what fits it),
/// gives the named controls their texts and, when every text was taken,
/// encodes; otherwise the image is left as it was.
template <class V>
SettingsDialogModel MakeSettingsDialogModel(std::string key, std::vector<ControlBinding<V>> controls,
                                            std::function<V(const Image&)> decode,
                                            std::function<void(const V&, Image&)> encode) {
    SettingsDialogModel model;
    model.key = std::move(key);
    for (const ControlBinding<V>& c : controls) model.controls.push_back(c.info);
    model.show = [controls, decode](const Image& image, Lang lang) {
        const V values = decode(image);
        ControlTexts texts;
        for (const ControlBinding<V>& c : controls) texts[c.info.id] = c.show(values, lang);
        return texts;
    };
    const std::vector<ControlInfo> infos = model.controls;
    model.set = [controls, infos, decode, encode](Image& image, Lang lang,
                                                  const ControlTexts& texts) -> std::optional<std::string> {
        for (const auto& [id, text] : texts) {
            if (auto refusal = ControlRefusal(infos, id)) return refusal;
        }
        V values = decode(image);
        // What the controls hold once the dialog is open: each takes back the
        // text it shows (which cuts an edit box's text to its length).
        for (const ControlBinding<V>& c : controls) {
            V reloaded = values;
            if (!c.set(reloaded, lang, c.show(values, lang))) values = std::move(reloaded);
        }
        for (const ControlBinding<V>& c : controls) {
            const auto it = texts.find(c.info.id);
            if (it == texts.end()) continue;
            if (auto reason = c.set(values, lang, it->second)) return ControlError(c.info.id, *reason);
        }
        encode(values, image);
        return std::nullopt;
    };
    return model;
}

}  // namespace vel

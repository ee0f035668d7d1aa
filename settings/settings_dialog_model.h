#pragma once
// A dialog of radio-wide settings seen through the texts of its controls, as
// the window shows them when the dialog opens on an image. `velprog options`
// prints and sets these texts, and the tests compare them with the real
// dialog, so a byte rule is checked once for the window and the command line.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"

namespace vel {

enum class ControlKind { List, Edit, Check };

/// Characters an edit box takes.
enum class EditChars { Any, Digits, LettersAndDigits };

struct ControlInfo {
    int id = 0;                        // the dialog's control identifier
    ControlKind kind = ControlKind::List;
    bool hidden = false;               // listed with what it holds; setting it is refused

    // What a window needs to build the control; a model made with the
    // control table (settings/control_table.h) fills them.
    std::vector<Text> items{};         // a list's items in order
    bool canBeEmpty = false;           // a list that may show no selection ("" sets none)
    int maxLength = 0;                 // characters an edit box holds; 0 = any number
    EditChars chars = EditChars::Any;  // characters an edit box takes
    bool upperCase = false;            // letters typed into the box show as capitals
    int upDownId = 0;                  // the up-down control attached to an edit box, or 0
    int upDownLower = 0;               // its range
    int upDownUpper = 0;
};

/// Control identifier → the text the control shows: a list's selected item
/// ("" when none is selected), an edit box's text, "1" or "0" for a check box.
using ControlTexts = std::map<int, std::string>;

struct SettingsDialogModel {
    std::string key;                   // "optional-features", "key-assignment"
    std::vector<ControlInfo> controls;
    /// What every control shows when the dialog opens on `image`.
    std::function<ControlTexts(const Image& image, Lang lang)> show;
    /// Gives the named controls these texts (the others keep what `show`
    /// gives) and does what OK does. Returns the error, naming the control,
    /// when an identifier is unknown or hidden or a text is not one the
    /// control can take; the image is then unchanged.
    std::function<std::optional<std::string>(Image& image, Lang lang, const ControlTexts& texts)> set;
};

/// The settings dialogs of a family, the Optional Features dialog first;
/// empty for a family whose settings all sit on the form.
const std::vector<SettingsDialogModel>& SettingsDialogsOf(FamilyId family);

/// The dialog `key` of `family`, or nullptr when the family has none.
const SettingsDialogModel* FindSettingsDialog(FamilyId family, const std::string& key);

}  // namespace vel

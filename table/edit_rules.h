#pragma once
// Rules of the floating cell editors that do not need a widget: how an editor
// is loaded from a cell, how the first typed key starts it, where it is laid
// over the cell, where the Enter key leads, and which keys the name editor
// accepts. The view only carries them out.

#include <string>
#include <string_view>
#include <vector>

#include "image/family.h"

namespace vel {

/// The editor a channel table column uses.
enum class EditorKind {
    None,           ///< the grid itself (channel number, "More", blank columns)
    FrequencyEdit,  ///< single-line edit for both frequency columns
    ToneBox,        ///< combo box with an edit field and the tone table
    List,           ///< drop-down list of the column's items
    NameEdit,       ///< single-line upper-case edit, limited length
};

/// Editor of column `col` of `family`'s channel table (None outside the table).
EditorKind EditorOf(const Family& family, int col);

/// Entry a combo box editor selects for a cell text: the first entry that
/// begins with the text, else entry 0 (-1 for an empty list). An empty text
/// therefore selects entry 0.
int ComboIndexForText(const std::vector<std::string>& entries, std::string_view text);

/// The key that starts editing: 0 for none (a click), 13 for Enter,
/// otherwise a typed character (a Unicode code point).
using EditKey = char32_t;

/// True when `key` starts editing at all. Control characters other than Enter
/// (Backspace, Escape, Ctrl+letters) and Delete do not: they would otherwise
/// stand in the editor as invisible characters.
bool KeyBeginsEditing(EditKey key);

/// How an editor starts.
struct EditorStart {
    /// The first typed key is a printable character that is not a digit:
    /// the view shows the family's "Please input Number" text; editing goes on.
    bool numberMessage = false;
    /// The typed key cannot start the cell's value (anything but a digit on
    /// a frequency): the editor does not open and the cell keeps its text.
    bool refused = false;
    /// The editor's text is replaced by `text` (edit boxes always; the tone
    /// box only when a character is typed; a list never).
    bool replaceText = false;
    std::string text;    ///< UTF-8
    /// The whole text is selected (no key, or Enter); else the caret stands
    /// after the text.
    bool selectAll = true;
};

/// Starts editor `kind` on a cell holding `cellText` with `key`.
/// Edit boxes: no key or Enter keep the cell's text, all of it selected; a
/// typed character stands alone in the edit with the caret after it (the name
/// edit keeps only characters a name can hold, upper-cased). A frequency
/// starts with a digit only: any other typed character is refused.
/// Tone box: a typed character replaces its edit field. Lists show no text.
EditorStart StartEditor(EditorKind kind, std::string_view cellText, EditKey key);

/// Where an editor goes, in pixels of the grid's client area.
struct EditorRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;      ///< height of the cell
    int dropHeight = 0;  ///< extra height a combo box gets for its list (100)
};

/// Lays an editor over a cell given in twips: left = cellLeft × dpiX ÷ 1440 − 3,
/// top likewise, width and height scaled the same way (integer division);
/// combo boxes get 100 pixels more for their list.
EditorRect PlaceEditor(long cellLeft, long cellTop, long cellWidth, long cellHeight, int dpiX, int dpiY,
                       bool combo);

/// The control that has the keyboard focus when Enter goes down.
enum class EnterFocus {
    List,           ///< a list editor of the channel table
    NameEdit,
    FrequencyEdit,
    ToneBox,        ///< the tone box's own window (not its edit field)
    Grid,
    Other,          ///< any other control of the form, the tone box's edit field included
};

enum class EnterCommit { None, List, Name, Frequency, ToneExactOrOff };
enum class EnterMove { None, NextColumn, NextRowFirstColumn };
enum class EnterPassOn { None, Tab, Right };

/// What Enter does. The editor named by `commit` (or the tone box for
/// EnterFocus::ToneBox) is hidden; then the current cell moves and editing
/// begins there with key 13 when `move` says so; then the key is handed on
/// as Tab or Right arrow when `passOn` says so.
struct EnterRoute {
    EnterCommit commit = EnterCommit::None;
    bool hideToneBox = false;
    EnterMove move = EnterMove::None;
    EnterPassOn passOn = EnterPassOn::None;
};

/// Column of the grid at which Enter on the grid itself turns into Tab.
constexpr int kGridEnterTabColumn = 6;

/// Routes Enter. `row` and `col` are the current cell, `lastRow` the grid's
/// last channel row.
EnterRoute RouteEnter(EnterFocus focus, bool toneBoxVisible, int row, int col, int lastRow);

/// Windows virtual key codes the name editor's filter speaks.
namespace vk {
constexpr int Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Menu = 0x12,
              Escape = 0x1B, Space = 0x20, Delete = 0x2E, Numpad0 = 0x60, Subtract = 0x6D,
              OemMinus = 0xBD, OemPeriod = 0xBE, Unknown = 0xFF;
}

/// The name editor discards every key-down whose virtual key code is above
/// 0x20 unless it is a digit 0x30-0x39, a letter 0x41-0x5A, a keypad digit
/// 0x60-0x69, the minus key 0xBD or Enter.
bool NameEditKeyAllowed(int virtualKey);

/// Characters a channel name can hold: digits, A-Z, a-z (stored upper-case),
/// "-" and blank.
bool NameCharAllowed(char32_t c);

/// `text` made fit for the name edit: letters upper-cased, characters a name
/// cannot hold dropped.
std::string NameEditText(std::string_view text);

}  // namespace vel

#pragma once
// The channel table as plain data: the grid's cell texts and the form's list
// selections and edit texts. FillChannelGrid and StoreChannelGrid move it to
// and from the memory image; the commit functions are the editing rules that
// do not need a widget. The windows only move these texts in and out.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"

namespace vel {

struct ChannelTable {
    /// cells[row][col]: row 0 holds the headers, rows 1..channelCount the
    /// channels; column 0 holds the channel number.
    std::vector<std::vector<std::string>> cells;
    /// Selected index of each form list by control identifier; -1 = none.
    std::map<int, int> selection;
    /// Text of each form edit box by control identifier.
    std::map<int, std::string> text;

    std::string& at(int row, int col) { return cells.at(row).at(col); }
    const std::string& at(int row, int col) const { return cells.at(row).at(col); }
    int rows() const { return static_cast<int>(cells.size()); }
};

/// The table as the view first shows it: headers and channel numbers in
/// `lang`, empty channel cells, form lists at their presets.
ChannelTable NewChannelTable(const Family& family, Lang lang);

/// Image → table: channel cells in `lang`, then the form's lists and boxes.
/// Headers and channel numbers are written too. Lists select by the meaning
/// of their items; a list whose byte names no item is left without a
/// selection, except a CodeCodec list, which keeps its previous selection.
/// The image must have the family's size (std::out_of_range otherwise).
void FillChannelGrid(const Family& family, Lang lang, const Image& image, ChannelTable& table);

/// Table → image: every channel row in the family's store order, then the
/// form's fields, then the family's constant bytes. Texts of either language
/// are accepted. Bytes and bits that no column or form field owns are left as
/// they are. (Marlowe's text export of the image is not part of this: the
/// window runs it after its stores, through Family::afterWindowStore.)
void StoreChannelGrid(const Family& family, const ChannelTable& table, Image& image);

/// Index of the item of form list `id` whose text (in either language) is
/// `text`, or -1.
int FormItemIndex(const Family& family, int id, const std::string& text);

// ---------------------------------------------------------------------------
// Cell commit rules
// ---------------------------------------------------------------------------

/// A channel row is in use when the text of column 1 or of column 2 is not empty.
bool RowInUse(const ChannelTable& table, int row);

enum class CommitKey { LeaveCell, Enter };

/// Result of committing a frequency edit: the message to show (if any).
struct FrequencyCommit {
    std::optional<std::string> message;  // range or step message in the interface language
    bool accepted = false;               // no message: the text (or the clearing) was taken
    std::string text;                    // what the cell now holds
};

/// Commits frequency text `typed` into column `col` (the family's RxFrequency
/// or TxFrequency column) of `row`: validation with the family's range and
/// steps, new-channel defaults, clearing of the tone and deletion of a
/// channel whose frequencies and tones are all empty. The typed text is cut
/// to 10 Hz by exact decimal arithmetic, and the cell shows that same value
/// with five decimals, so what is shown and stored is what was checked.
/// Nothing is lost by accident: a text equal to the cell's changes nothing,
/// and a refused text (the message says why) leaves the row as it was. Only an
/// empty text clears the cell and runs the clearing rules.
FrequencyCommit CommitFrequency(const Family& family, Lang lang, ChannelTable& table, int row, int col,
                                const std::string& typed, CommitKey key);

/// Commits a list column's text: empty on a row not in use. A text equal to
/// the cell's changes nothing.
void CommitListCell(ChannelTable& table, int row, int col, const std::string& text);

/// The tone-table entry a tone text names: the entry itself; its letters in
/// either case ("d023n", "off"); a CTCSS tone without its tenth ("67" for
/// "67.0"); an empty text is "OFF". Anything else names none.
std::optional<std::string> ToneEntryFor(const std::string& text);

/// Commits a tone column: empty on a row not in use; otherwise the entry the
/// text names (ToneEntryFor). A text that names no entry is refused: the cell
/// keeps its tone and the returned message (in `lang`) names the text. A text
/// equal to the cell's changes nothing.
std::optional<std::string> CommitToneCell(ChannelTable& table, int row, int col, const std::string& text,
                                          Lang lang = Lang::English);

/// Message of a tone text that is no tone.
std::string NotAToneText(const std::string& text, Lang lang);

/// Commits the name column (kept whether or not the row is in use).
void CommitNameCell(ChannelTable& table, int row, int col, const std::string& text);

/// Commits the "More" column: ">>" when the row is in use, else empty.
void CommitMoreCell(ChannelTable& table, int row, int col);

/// Text of the "first key is not a digit" message.
const Text& PleaseInputNumberText(const Family& family);

}  // namespace vel

#pragma once
// Row operations of the channel table and its clipboard text form, as pure
// functions over the table's texts. The view only collects the selection and
// shows the result.
//
// Every operation works on a copy and touches the table only when it goes
// through as a whole: a refused operation reports why (row, column, message)
// and changes nothing. Values entering cells (paste, fill down) pass through
// the same commit rules as typing. Operations that move channels to other
// rows also say where each row's record comes from, so that the bytes the
// table does not show (signalling choices, flag bits left as they are) move
// with their channel (ApplyRecordMap).

#include <string>
#include <vector>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"
#include "table/channel_table.h"

namespace vel {

/// Channel rows (1 .. channelCount), ascending, each once.
using RowList = std::vector<int>;

/// `rows` made a RowList of `family`'s table: sorted, repeats and rows
/// outside the channel rows dropped.
RowList NormalizeRows(const Family& family, RowList rows);

/// The columns a value can be typed into (every column with an editor), ascending.
std::vector<int> EditableColumns(const Family& family);

/// True when every channel cell of the row (columns 1 on) is empty.
bool RowEmpty(const ChannelTable& table, int row);

/// Why a row operation or a pasted value was refused.
struct CellError {
    int row = 0;           ///< channel row the value was meant for (0: the whole operation)
    int col = -1;          ///< grid column (-1: the whole row)
    std::string column;    ///< the column's header in the interface language (empty for -1)
    std::string message;   ///< in the interface language
};

struct RowOpResult {
    bool ok = false;                 ///< the table was changed as asked (false: nothing changed)
    std::vector<CellError> errors;   ///< why not, when !ok (empty: nothing to do)
    /// For each channel row r (index r; index 0 unused), the row whose record
    /// and name it now holds; 0 for a fresh record as New makes it. Empty when
    /// no record moved.
    std::vector<int> recordFrom;
    RowList selection;               ///< rows to show selected afterwards
};

/// Inserts, above each run of adjacent selected rows, as many empty rows as
/// the run has; the rows below move down. Refused when a row that would be
/// pushed off the end of the table holds anything.
RowOpResult InsertEmptyRows(const Family& family, Lang lang, ChannelTable& table, const RowList& rows);

/// Deletes the channels of the rows: every channel cell is emptied, as the
/// clearing rules leave a channel whose frequencies and tones were cleared.
/// The rows stay where they are.
RowOpResult DeleteChannels(const Family& family, ChannelTable& table, const RowList& rows);

/// Empties cells as the user empties them one by one: a frequency by the
/// clearing rules (its tone goes with it, and a channel left without
/// frequencies and tones is deleted), a name, and a tone of a channel in use
/// to no tone. A list cell of a channel in use has no empty entry and keeps
/// its text.
RowOpResult ClearCells(const Family& family, Lang lang, ChannelTable& table, const RowList& rows,
                       const std::vector<int>& cols);

/// Moves every run of adjacent selected rows one row up (delta −1) or down
/// (+1); the row it passes takes the other side. Refused (no error) at the
/// top or bottom of the table.
RowOpResult MoveRows(const Family& family, ChannelTable& table, const RowList& rows, int delta);

/// Puts the first row's values into the other rows, column by column through
/// the commit rules (all of `cols`; whole rows when `cols` holds every
/// editable column). Needs at least two rows.
RowOpResult FillDown(const Family& family, Lang lang, ChannelTable& table, const RowList& rows,
                     const std::vector<int>& cols);

// ---------------------------------------------------------------------------
// Clipboard text form
// ---------------------------------------------------------------------------

/// The cells of `rows` × `cols` as tab-separated text: a header line with the
/// grid's headers, then one line per row, each line ended by "\n". Blank
/// columns are left out. A spreadsheet takes it as it stands.
std::string CopyText(const Family& family, const ChannelTable& table, const RowList& rows, const std::vector<int>& cols);

/// Where pasted text goes.
struct PasteTarget {
    RowList rows;       ///< selected whole rows (empty: none)
    int firstRow = 1;   ///< first destination row
    int firstCol = 1;   ///< first destination column of text without a header line
    bool insert = false;///< insert the pasted rows above firstRow instead of over it
};

/// Pastes tab-separated text. A first line whose fields are all headers of
/// the table (either language, blanks around them ignored) names the columns
/// of the lines below; otherwise the fields go to the columns from firstCol
/// on. The channel number and "More" columns are not pasted. The lines go to
/// the selected rows when there are as many (one line fills every selected
/// row), else to the rows from firstRow on. Each value passes through the
/// commit rules of typing, frequencies first; a value they refuse, a list
/// text that is no item, a name a channel cannot hold, or a line past the end
/// of the table is reported, and then nothing changes at all.
RowOpResult PasteText(const Family& family, Lang lang, ChannelTable& table, const std::string& text,
                      const PasteTarget& target);

/// One line per error: "Channel 5, Receive(MHz): message" (in `lang`).
std::string ErrorReport(const std::vector<CellError>& errors, Lang lang, std::size_t maxLines = 12);

/// Moves the records (and names) of `image` as `recordFrom` says; a fresh
/// record is the one a new document has for that channel.
void ApplyRecordMap(const Family& family, const std::vector<int>& recordFrom, Image& image);

}  // namespace vel

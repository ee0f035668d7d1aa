#pragma once
// Channel lists in and out as CSV text, in two forms:
//  - native: one column per grid column, the grid's own headers and texts,
//    every channel row, so that a trip through a spreadsheet comes back
//    exactly;
//  - common: the 21-column exchange layout that spreadsheets and other
//    programs use (Location, Name, Frequency, Duplex, Offset, Tone, ...),
//    read by header name.
// Import fills a copy of the channel table through the same commit functions
// typing uses, so a value that typing refuses is refused here too, and
// reports every row it refused and every value it could not keep.

#include <string>
#include <string_view>
#include <vector>

#include "image/family.h"
#include "image/language.h"
#include "table/channel_table.h"

namespace vel {

enum class CsvForm {
    Auto,    ///< import: recognised by the header line
    Native,  ///< the program's own channel table
    Common,  ///< the 21-column exchange layout
};

enum class ImportMode {
    Replace,  ///< the file's rows become channels 1, 2, 3, ... in file order; the rest is emptied
    Merge,    ///< each row is written at its own channel number (CH or Location)
    Append,   ///< the file's channels follow the last channel in use, in file order
};

/// The column names of the common exchange layout, in the order export writes them.
const std::vector<std::string>& CommonLayoutColumns();

/// One value that was not taken as the file states it.
struct CsvProblem {
    std::string column;  ///< the column's header text
    std::string value;   ///< the cell's text
    std::string reason;  ///< in the interface language
};

struct CsvRowReport {
    int row = 0;         ///< row of the file (the header is row 1)
    int channel = 0;     ///< the channel it was meant for; 0 when it has none
    std::vector<CsvProblem> problems;
};

struct ChannelImport {
    bool ok = false;        ///< false: the file as a whole cannot be read; `error` says why
    std::string error;
    CsvForm form = CsvForm::Auto;   ///< the form read
    ChannelTable table;     ///< the copy of the table with the imported channels
    int imported = 0;       ///< rows that became channels
    int emptyRows = 0;      ///< rows that hold no frequency
    /// Rows not imported, each with every reason.
    std::vector<CsvRowReport> refused;
    /// Rows imported without some of their values. These reasons never
    /// depend on the value, so that a report can group them by column.
    std::vector<CsvRowReport> dropped;
};

/// Imports channel list `text` into a copy of `table` (the table as the
/// window holds it, texts in `lang`). `form` Auto takes the native form when
/// the header line is the family's grid header in either language, and the
/// common layout when it has a "Frequency" column. The form lists of the
/// table are never changed. A pure function of its arguments.
ChannelImport ImportChannels(const Family& family, Lang lang, std::string_view text, CsvForm form, ImportMode mode,
                             const ChannelTable& table);

struct ChannelExport {
    std::string text;
    /// Channels (or their values) the form cannot state; nothing else is left out.
    std::vector<CsvRowReport> left;
};

/// The channel table as CSV text: native (headers and texts as the table
/// holds them, every channel row) or common (one record per channel in use).
ChannelExport ExportChannels(const Family& family, Lang lang, CsvForm form, const ChannelTable& table);

/// Lines a person reads: one per refused row with all its reasons, then the
/// values not imported, grouped by column and reason with their rows.
std::vector<std::string> DescribeImport(const ChannelImport& result, Lang lang);

/// Lines a person reads about what an export left out.
std::vector<std::string> DescribeExport(const ChannelExport& result, Lang lang);

}  // namespace vel

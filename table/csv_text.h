#pragma once
// Comma-separated text as RFC 4180 writes it: cells separated by commas,
// records by line ends, a cell quoted when it holds a comma, a quote or a
// line end, and a quote inside a quoted cell doubled. Text is UTF-8; a byte
// order mark in front is skipped on reading.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "image/language.h"

namespace vel {

/// One record of the text and its cells as written (quotes removed).
struct CsvRecord {
    /// Record number counted from 1, blank lines included: the row number a
    /// spreadsheet shows for it.
    int row = 0;
    std::vector<std::string> cells;
    /// True when every cell is empty (a blank line, or only commas).
    bool blank() const;
};

struct CsvText {
    bool ok = false;
    Text error;                      ///< why the text is not CSV (ok false)
    std::vector<CsvRecord> records;
};

/// Splits `text` into records. Line ends may be CR LF, LF or CR; a line end
/// inside quotes belongs to the cell. Lenient where RFC 4180 is strict: a
/// quote inside an unquoted cell, and text after a closing quote, are kept as
/// they stand. A quoted cell still open at the end of the text is an error.
CsvText ParseCsv(std::string_view text);

/// The records as CSV text: cells quoted when they hold a comma, a quote, a
/// line end or blanks at either end (which spreadsheets would otherwise
/// trim), every record ended by CR LF. Text that is not plain ASCII gets a
/// UTF-8 byte order mark in front, by which spreadsheets recognise UTF-8.
std::string FormatCsv(const std::vector<std::vector<std::string>>& records);

/// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view text);

/// The UTF-8 byte order mark.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct TextFile {
    bool ok = false;
    std::string text;
    Text message;   ///< why it could not be read (ok false)
};

/// Reads a whole text file of at most `maxBytes` bytes.
TextFile ReadTextFile(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace vel

#include "table/row_operations.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "table/edit_rules.h"

namespace vel {
namespace {

// ---------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------

const Text kNothingToPaste{"The clipboard holds nothing to paste.", "剪贴板中没有可粘贴的内容。"};
const Text kNotAnItem{"\"%1\" is not one of: %2.", "“%1”不是可选项（%2）。"};
const Text kNotAName{"\"%1\" cannot be a channel name: up to 8 letters, digits, \"-\" or blanks.",
                     "“%1”不能作为信道名称：最多8个字母、数字、“-”或空格。"};
const Text kTooManyValues{"The line has more values than the table has columns.", "该行的数值多于表格的列数。"};
const Text kPushedOff{"Channel %1 is in use: inserting would push it off the end of the table.",
                      "信道%1已使用：插入会把它挤出表格末尾。"};
const Text kDoesNotFit{"The text has %1 rows, but only %2 channels are left from channel %3 on.",
                       "文本有%1行，但从信道%3起只剩%2个信道。"};
const Text kChannelColumn{"Channel %1, %2: %3", "信道%1，%2：%3"};
const Text kChannelOnly{"Channel %1: %2", "信道%1：%2"};
const Text kMore{"… and %1 more.", "……另有%1条。"};

/// `pattern` with %1, %2, %3 replaced by `args` (each placeholder once).
std::string Format(const std::string& pattern, const std::vector<std::string>& args) {
    std::string out = pattern;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string key = "%" + std::to_string(i + 1);
        const std::size_t at = out.find(key);
        if (at != std::string::npos) out.replace(at, key.size(), args[i]);
    }
    return out;
}

std::string Trimmed(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const std::size_t last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

std::string UpperAscii(std::string s) {
    for (char& c : s) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return s;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) { return UpperAscii(a) == UpperAscii(b); }

// ---------------------------------------------------------------------------
// Table shape
// ---------------------------------------------------------------------------

std::vector<std::pair<int, int>> Runs(const RowList& rows) {
    std::vector<std::pair<int, int>> runs;
    for (int r : rows) {
        if (!runs.empty() && runs.back().second + 1 == r) runs.back().second = r;
        else runs.push_back({r, r});
    }
    return runs;
}

std::vector<int> Identity(const Family& family) {
    std::vector<int> order(static_cast<std::size_t>(family.channelCount + 1));
    for (int r = 0; r <= family.channelCount; ++r) order[static_cast<std::size_t>(r)] = r;
    return order;
}

/// The table with row r holding old row order[r] (0: an empty row); channel
/// numbers stay with their positions.
void Reorder(const Family& family, ChannelTable& table, const std::vector<int>& order) {
    const ChannelTable old = table;
    const int numberCol = family.columnOf(ColumnKind::Number);
    for (int r = 1; r <= family.channelCount; ++r) {
        const int from = order[static_cast<std::size_t>(r)];
        for (int c = 0; c < family.columnCount(); ++c) {
            if (c == numberCol) continue;
            table.at(r, c) = from > 0 ? old.at(from, c) : std::string();
        }
    }
}

bool Pasteable(const Family& family, int col) { return EditorOf(family, col) != EditorKind::None; }

std::string HeaderOf(const Family& family, Lang ui, int col) {
    return Trimmed(family.columns.at(static_cast<std::size_t>(col)).header.in(ui));
}

/// Recomputes the "More" mark of a row (it follows whether the row is in use).
void RefreshMore(const Family& family, ChannelTable& table, int row) {
    const int more = family.columnOf(ColumnKind::More);
    if (more >= 0) CommitMoreCell(table, row, more);
}

// ---------------------------------------------------------------------------
// One value through the commit rules
// ---------------------------------------------------------------------------

/// Commits `text` into cell (row, col) as typing it would; the message when
/// it is refused (the cell then keeps its text).
std::optional<std::string> CommitValue(const Family& family, Lang lang, ChannelTable& table, int row, int col,
                                       const std::string& text) {
    const Lang ui = family.uiLang(lang);
    const Column& column = family.columns.at(static_cast<std::size_t>(col));
    switch (EditorOf(family, col)) {
        case EditorKind::FrequencyEdit: {
            const FrequencyCommit r = CommitFrequency(family, lang, table, row, col, Trimmed(text), CommitKey::LeaveCell);
            return r.message;
        }
        case EditorKind::ToneBox: return CommitToneCell(table, row, col, Trimmed(text), ui);
        case EditorKind::List: {
            const std::string t = Trimmed(text);
            if (t.empty()) {
                CommitListCell(table, row, col, t);
                return std::nullopt;
            }
            for (const ListItem& item : column.items) {
                if (SameIgnoringCase(t, item.text.en) || t == item.text.ch) {
                    CommitListCell(table, row, col, item.text.in(ui));
                    return std::nullopt;
                }
            }
            std::string items;
            for (const ListItem& item : column.items) items += (items.empty() ? "" : ", ") + item.text.in(ui);
            return Format(kNotAnItem.in(ui), {t, items});
        }
        case EditorKind::NameEdit: {
            // What the radio can store: eight characters a name can hold.
            const std::string upper = UpperAscii(text);
            if (NameEditText(text) != upper || upper.size() > 8) return Format(kNotAName.in(ui), {text});
            CommitNameCell(table, row, col, upper);
            return std::nullopt;
        }
        case EditorKind::None: break;
    }
    return std::nullopt;
}

/// Commits the values of one row, frequencies first (so that a new channel's
/// defaults come before the values that follow them), then the "More" mark.
void CommitRow(const Family& family, Lang lang, ChannelTable& table, int row,
               const std::vector<std::pair<int, std::string>>& values, std::vector<CellError>& errors) {
    const Lang ui = family.uiLang(lang);
    auto commit = [&](int col, const std::string& text) {
        if (auto message = CommitValue(family, lang, table, row, col, text))
            errors.push_back({row, col, HeaderOf(family, ui, col), *message});
    };
    for (const auto& [col, text] : values)
        if (EditorOf(family, col) == EditorKind::FrequencyEdit) commit(col, text);
    for (const auto& [col, text] : values)
        if (EditorOf(family, col) != EditorKind::FrequencyEdit && Pasteable(family, col)) commit(col, text);
    RefreshMore(family, table, row);
}

/// A clipboard field: blanks kept, a spreadsheet's quotes taken off.
std::string Unquoted(std::string field) {
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        std::string out;
        for (std::size_t i = 1; i + 1 < field.size(); ++i) {
            out += field[i];
            if (field[i] == '"' && field[i + 1] == '"') ++i;
        }
        return out;
    }
    return field;
}

std::vector<std::vector<std::string>> ParseLines(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> fields;
        std::size_t f = 0;
        while (true) {
            const std::size_t tab = line.find('\t', f);
            fields.push_back(Unquoted(line.substr(f, tab == std::string::npos ? std::string::npos : tab - f)));
            if (tab == std::string::npos) break;
            f = tab + 1;
        }
        lines.push_back(std::move(fields));
        start = end + 1;
    }
    // The line end after the last line leaves an empty line behind.
    while (!lines.empty() && lines.back().size() == 1 && Trimmed(lines.back().front()).empty()) lines.pop_back();
    return lines;
}

/// The columns a header line names (-1: a field that is not pasted), or
/// nothing when the line is not a header line.
std::optional<std::vector<int>> HeaderColumns(const Family& family, const std::vector<std::string>& fields) {
    std::vector<int> cols;
    bool any = false;
    for (const std::string& raw : fields) {
        const std::string field = Trimmed(raw);
        if (field.empty()) {
            cols.push_back(-1);
            continue;
        }
        int found = -1;
        for (int c = 0; c < family.columnCount() && found < 0; ++c) {
            const Text& h = family.columns[static_cast<std::size_t>(c)].header;
            if (!Trimmed(h.en).empty() && (SameIgnoringCase(field, Trimmed(h.en)) || field == Trimmed(h.ch))) found = c;
        }
        if (found < 0) return std::nullopt;
        any = true;
        cols.push_back(Pasteable(family, found) ? found : -1);
    }
    if (!any) return std::nullopt;
    return cols;
}

/// Rows that an insertion pushes off the end and that hold something.
std::vector<CellError> PushedOff(const Family& family, Lang ui, const ChannelTable& table, const std::vector<int>& full) {
    std::vector<CellError> errors;
    for (std::size_t i = static_cast<std::size_t>(family.channelCount + 1); i < full.size(); ++i) {
        const int from = full[i];
        if (from > 0 && !RowEmpty(table, from))
            errors.push_back({0, -1, "", Format(kPushedOff.in(ui), {std::to_string(from)})});
    }
    return errors;
}

/// The order of an insertion of `counts[r]` empty rows above row r, cut to
/// the table (the tail is kept past the end for PushedOff).
std::vector<int> InsertionOrder(const Family& family, const std::vector<std::pair<int, int>>& inserts) {
    std::vector<int> full{0};
    for (int r = 1; r <= family.channelCount; ++r) {
        for (const auto& [at, count] : inserts)
            if (at == r) full.insert(full.end(), static_cast<std::size_t>(count), 0);
        full.push_back(r);
    }
    return full;
}

}  // namespace

// ---------------------------------------------------------------------------
// Public
// ---------------------------------------------------------------------------

RowList NormalizeRows(const Family& family, RowList rows) {
    rows.erase(std::remove_if(rows.begin(), rows.end(), [&](int r) { return r < 1 || r > family.channelCount; }),
               rows.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::vector<int> EditableColumns(const Family& family) {
    std::vector<int> cols;
    for (int c = 1; c < family.columnCount(); ++c)
        if (Pasteable(family, c)) cols.push_back(c);
    return cols;
}

bool RowEmpty(const ChannelTable& table, int row) {
    const auto& cells = table.cells.at(static_cast<std::size_t>(row));
    return std::all_of(cells.begin() + 1, cells.end(), [](const std::string& s) { return s.empty(); });
}

RowOpResult InsertEmptyRows(const Family& family, Lang lang, ChannelTable& table, const RowList& selected) {
    const Lang ui = family.uiLang(lang);
    const RowList rows = NormalizeRows(family, selected);
    RowOpResult result;
    if (rows.empty()) return result;
    std::vector<std::pair<int, int>> inserts;
    for (const auto& [a, b] : Runs(rows)) inserts.push_back({a, b - a + 1});
    std::vector<int> full = InsertionOrder(family, inserts);
    result.errors = PushedOff(family, ui, table, full);
    if (!result.errors.empty()) return result;
    full.resize(static_cast<std::size_t>(family.channelCount + 1));
    Reorder(family, table, full);
    for (int r = 1; r <= family.channelCount; ++r)
        if (full[static_cast<std::size_t>(r)] == 0) result.selection.push_back(r);
    result.recordFrom = std::move(full);
    result.ok = true;
    return result;
}

RowOpResult DeleteChannels(const Family& family, ChannelTable& table, const RowList& selected) {
    RowOpResult result;
    result.selection = NormalizeRows(family, selected);
    const int numberCol = family.columnOf(ColumnKind::Number);
    for (int r : result.selection)
        for (int c = 0; c < family.columnCount(); ++c)
            if (c != numberCol) table.at(r, c).clear();
    result.ok = !result.selection.empty();
    return result;
}

RowOpResult ClearCells(const Family& family, Lang lang, ChannelTable& table, const RowList& selected,
                       const std::vector<int>& cols) {
    RowOpResult result;
    result.selection = NormalizeRows(family, selected);
    for (int r : result.selection) {
        for (int c : cols) {
            if (EditorOf(family, c) == EditorKind::FrequencyEdit)
                (void)CommitFrequency(family, lang, table, r, c, "", CommitKey::LeaveCell);
        }
        for (int c : cols) {
            switch (EditorOf(family, c)) {
                case EditorKind::ToneBox:
                    table.at(r, c) = RowInUse(table, r) && family.toneOffShownWhenInUse ? "OFF" : "";
                    break;
                case EditorKind::NameEdit: table.at(r, c).clear(); break;
                case EditorKind::List:
                    // A list has no empty entry: only a channel not in use shows none.
                    if (!RowInUse(table, r)) table.at(r, c).clear();
                    break;
                case EditorKind::FrequencyEdit:
                case EditorKind::None: break;
            }
        }
        RefreshMore(family, table, r);
    }
    result.ok = !result.selection.empty();
    return result;
}

RowOpResult MoveRows(const Family& family, ChannelTable& table, const RowList& selected, int delta) {
    RowOpResult result;
    const RowList rows = NormalizeRows(family, selected);
    if (rows.empty() || (delta != -1 && delta != 1)) return result;
    if ((delta < 0 && rows.front() == 1) || (delta > 0 && rows.back() == family.channelCount)) return result;
    std::vector<int> order = Identity(family);
    for (const auto& [a, b] : Runs(rows)) {
        for (int r = a; r <= b; ++r) order[static_cast<std::size_t>(r + delta)] = r;
        // The row passed over takes the place the run leaves.
        order[static_cast<std::size_t>(delta < 0 ? b : a)] = delta < 0 ? a - 1 : b + 1;
    }
    Reorder(family, table, order);
    for (int r : rows) result.selection.push_back(r + delta);
    result.recordFrom = std::move(order);
    result.ok = true;
    return result;
}

RowOpResult FillDown(const Family& family, Lang lang, ChannelTable& table, const RowList& selected,
                     const std::vector<int>& cols) {
    RowOpResult result;
    const RowList rows = NormalizeRows(family, selected);
    if (rows.size() < 2) return result;
    std::vector<std::pair<int, std::string>> values;
    for (int c : cols)
        if (Pasteable(family, c)) values.push_back({c, table.at(rows.front(), c)});
    ChannelTable work = table;
    for (std::size_t i = 1; i < rows.size(); ++i) CommitRow(family, lang, work, rows[i], values, result.errors);
    if (!result.errors.empty()) return result;
    table = std::move(work);
    result.selection = rows;
    result.ok = true;
    return result;
}

std::string CopyText(const Family& family, const ChannelTable& table, const RowList& selected,
                     const std::vector<int>& cols) {
    std::vector<int> shown;
    for (int c : cols)
        if (c >= 0 && c < family.columnCount() && family.columns[static_cast<std::size_t>(c)].kind != ColumnKind::Blank)
            shown.push_back(c);
    std::string text;
    auto line = [&](int row) {
        for (std::size_t i = 0; i < shown.size(); ++i) text += (i ? "\t" : "") + table.at(row, shown[i]);
        text += "\n";
    };
    line(0);
    for (int r : NormalizeRows(family, selected)) line(r);
    return text;
}

RowOpResult PasteText(const Family& family, Lang lang, ChannelTable& table, const std::string& text,
                      const PasteTarget& target) {
    const Lang ui = family.uiLang(lang);
    RowOpResult result;
    std::vector<std::vector<std::string>> lines = ParseLines(text);
    std::vector<int> cols;
    if (!lines.empty()) {
        if (auto header = HeaderColumns(family, lines.front())) {
            cols = *header;
            lines.erase(lines.begin());
        } else {
            std::size_t widest = 0;
            for (const auto& l : lines) widest = std::max(widest, l.size());
            for (std::size_t i = 0; i < widest; ++i) {
                const int c = target.firstCol + static_cast<int>(i);
                cols.push_back(c < family.columnCount() ? c : family.columnCount());
            }
        }
    }
    if (lines.empty()) {
        result.errors.push_back({0, -1, "", kNothingToPaste.in(ui)});
        return result;
    }

    const int count = static_cast<int>(lines.size());
    const int first = std::clamp(target.firstRow, 1, family.channelCount);
    ChannelTable work = table;
    RowList dest;
    if (target.insert) {
        std::vector<int> full = InsertionOrder(family, {{first, count}});
        result.errors = PushedOff(family, ui, table, full);
        if (!result.errors.empty()) return result;
        full.resize(static_cast<std::size_t>(family.channelCount + 1));
        Reorder(family, work, full);
        result.recordFrom = std::move(full);
    }
    const RowList selected = NormalizeRows(family, target.rows);
    if (!target.insert && !selected.empty() && (static_cast<int>(selected.size()) == count || count == 1)) {
        dest = selected;
    } else {
        if (first + count - 1 > family.channelCount) {
            result.errors.push_back({0, -1, "",
                                     Format(kDoesNotFit.in(ui), {std::to_string(count),
                                                                 std::to_string(family.channelCount - first + 1),
                                                                 std::to_string(first)})});
            result.recordFrom.clear();
            return result;
        }
        for (int i = 0; i < count; ++i) dest.push_back(first + i);
    }

    for (std::size_t i = 0; i < dest.size(); ++i) {
        const std::vector<std::string>& fields = lines[count == 1 ? 0 : i];
        const int row = dest[i];
        std::vector<std::pair<int, std::string>> values;
        bool tooMany = false;
        for (std::size_t f = 0; f < cols.size(); ++f) {
            const std::string value = f < fields.size() ? fields[f] : std::string();
            if (cols[f] >= family.columnCount()) {
                tooMany = tooMany || !Trimmed(value).empty();
                continue;
            }
            if (cols[f] >= 0 && Pasteable(family, cols[f])) values.push_back({cols[f], value});
        }
        if (fields.size() > cols.size() || tooMany) result.errors.push_back({row, -1, "", kTooManyValues.in(ui)});
        CommitRow(family, lang, work, row, values, result.errors);
    }
    if (!result.errors.empty()) {
        result.recordFrom.clear();
        return result;
    }
    table = std::move(work);
    result.selection = dest;
    result.ok = true;
    return result;
}

std::string ErrorReport(const std::vector<CellError>& errors, Lang lang, std::size_t maxLines) {
    std::string report;
    for (std::size_t i = 0; i < errors.size() && i < maxLines; ++i) {
        const CellError& e = errors[i];
        std::string line;
        if (e.row <= 0) line = e.message;
        else if (e.col < 0) line = Format(kChannelOnly.in(lang), {std::to_string(e.row), e.message});
        else line = Format(kChannelColumn.in(lang), {std::to_string(e.row), e.column, e.message});
        report += (i ? "\n" : "") + line;
    }
    if (errors.size() > maxLines) report += "\n" + Format(kMore.in(lang), {std::to_string(errors.size() - maxLines)});
    return report;
}

void ApplyRecordMap(const Family& family, const std::vector<int>& recordFrom, Image& image) {
    if (recordFrom.size() != static_cast<std::size_t>(family.channelCount + 1)) return;
    const Image old = image;
    const Image fresh = NewDocumentImage(family);
    for (int r = 1; r <= family.channelCount; ++r) {
        const int from = recordFrom[static_cast<std::size_t>(r)];
        const Image& source = from > 0 ? old : fresh;
        const int src = from > 0 ? from : r;
        const auto at = static_cast<std::size_t>(family.recordAddr(r));
        const auto srcAt = static_cast<std::size_t>(family.recordAddr(src));
        (void)image.at(at + 15);
        (void)source.at(srcAt + 15);
        std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(srcAt), 16, image.begin() + static_cast<std::ptrdiff_t>(at));
        if (family.nameAddr) {
            const auto name = static_cast<std::size_t>(*family.nameAddr + 8 * (r - 1));
            const auto srcName = static_cast<std::size_t>(*family.nameAddr + 8 * (src - 1));
            (void)image.at(name + 7);
            std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(srcName), 8,
                        image.begin() + static_cast<std::ptrdiff_t>(name));
        }
    }
}

}  // namespace vel

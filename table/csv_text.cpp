#include "table/csv_text.h"

#include "image/file_access.h"
#include "image/message_quote.h"

namespace vel {

namespace {

bool NeedsQuotes(const std::string& cell) {
    if (cell.empty()) return false;
    if (cell.find_first_of(",\"\r\n") != std::string::npos) return true;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return blank(cell.front()) || blank(cell.back());
}

std::string PathText(const std::filesystem::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

}  // namespace

bool CsvRecord::blank() const {
    for (const std::string& c : cells)
        if (!c.empty()) return false;
    return true;
}

CsvText ParseCsv(std::string_view text) {
    CsvText out;
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());

    CsvRecord record;
    std::string cell;
    bool quoted = false;      // inside a quoted cell
    bool cellStarted = false; // the cell has a character (or an opening quote)
    int row = 1;
    const auto endCell = [&] {
        record.cells.push_back(std::move(cell));
        cell.clear();
        cellStarted = false;
    };
    const auto endRecord = [&] {
        endCell();
        record.row = row++;
        out.records.push_back(std::move(record));
        record = CsvRecord{};
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    cell += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                cell += c;
            }
            continue;
        }
        switch (c) {
            case '"':
                if (!cellStarted) {
                    quoted = true;
                    cellStarted = true;
                } else {
                    cell += c;
                }
                break;
            case ',': endCell(); break;
            case '\r':
                if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
                endRecord();
                break;
            case '\n': endRecord(); break;
            default:
                cell += c;
                cellStarted = true;
                break;
        }
    }
    if (quoted) {
        const std::string n = std::to_string(row);
        out.error = Text{"Row " + n + ": a quoted cell is not closed before the end of the file.",
                         "第" + n + "行：引号中的单元格直到文件末尾都没有结束。"};
        out.records.clear();
        return out;
    }
    // The last record needs no line end.
    if (cellStarted || !cell.empty() || !record.cells.empty()) endRecord();
    out.ok = true;
    return out;
}

std::string FormatCsv(const std::vector<std::vector<std::string>>& records) {
    std::string out;
    bool ascii = true;
    for (const auto& record : records) {
        for (std::size_t i = 0; i < record.size(); ++i) {
            const std::string& cell = record[i];
            if (i > 0) out += ',';
            for (char c : cell) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
            if (!NeedsQuotes(cell)) {
                out += cell;
                continue;
            }
            out += '"';
            for (char c : cell) {
                if (c == '"') out += '"';
                out += c;
            }
            out += '"';
        }
        out += "\r\n";
    }
    return ascii ? out : std::string(kUtf8Bom) + out;
}

bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned long code = 0;
        unsigned long least = 0;
        if ((c & 0xE0) == 0xC0) {
            length = 2;
            code = c & 0x1F;
            least = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            code = c & 0x0F;
            least = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            code = c & 0x07;
            least = 0x10000;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(length) > text.size()) return false;
        for (int k = 1; k < length; ++k) {
            const unsigned char f = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((f & 0xC0) != 0x80) return false;
            code = (code << 6) | (f & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

TextFile ReadTextFile(const std::filesystem::path& path, std::size_t maxBytes) {
    TextFile out;
    // Only a regular file is read: a named pipe or a device given by mistake
    // would otherwise hold the program until someone wrote to it.
    const std::string name = QuoteForMessage(PathText(path));
    FileBytes file = ReadRegularFile(path, maxBytes);
    if (!file.ok) {
        const Text reason = file.reason.value_or(Text{"unknown reason", "原因不明"});
        out.message = Text{"Cannot read the file \"" + name + "\": " + reason.en + ".",
                           "无法读取文件“" + name + "”：" + reason.ch + "。"};
        return out;
    }
    if (file.truncated) {
        const std::string limit = std::to_string(maxBytes / 1024);
        out.message = Text{"The file \"" + name + "\" is larger than " + limit + " KB; it is not a channel list.",
                           "文件“" + name + "”超过 " + limit + " KB，不是信道列表。"};
        return out;
    }
    out.ok = true;
    out.text.assign(file.bytes.begin(), file.bytes.end());
    return out;
}

}  // namespace vel

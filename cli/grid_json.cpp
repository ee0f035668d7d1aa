#include "cli/grid_json.h"

#include <algorithm>
#include <stdexcept>

#include "image/file_access.h"
#include "image/message_quote.h"
#include "velprog_common.h"

namespace velprog {

using nlohmann::json;
using vel::QuoteForMessage;

namespace {

/// The deepest nesting of `text`, counting brackets outside strings; stops
/// counting once past `limit`.
int NestingDepth(std::string_view text, int limit) {
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
            if (deepest > limit) return deepest;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

/// A value as a message quotes it: its JSON text, cut to an excerpt.
std::string Excerpt(const json& value) {
    return QuoteForMessage(value.dump(-1, ' ', false, json::error_handler_t::replace));
}

}  // namespace

std::optional<json> ReadJsonDocument(const std::string& path, vel::Lang lang, std::string_view what) {
    // Only a regular file of bounded size is read: a named pipe would hold
    // the command, a huge document would only exhaust memory.
    const vel::FileBytes text = vel::ReadRegularFile(path, kMaxGridBytes);
    if (!text.ok) {
        PrintError(QuoteForMessage(path) + ": cannot be read: " + text.reason->in(lang));
        return std::nullopt;
    }
    if (text.truncated) {
        PrintError(QuoteForMessage(path) + ": holds " + std::to_string(text.size) + " bytes, more than " +
                   std::string(what) + " can (" + std::to_string(kMaxGridBytes) + ")");
        return std::nullopt;
    }
    json doc;
    if (const auto fault =
            ParseGridText(std::string_view(reinterpret_cast<const char*>(text.bytes.data()), text.bytes.size()), doc)) {
        PrintError(QuoteForMessage(path) + ": " + *fault);
        return std::nullopt;
    }
    return doc;
}

std::optional<int> ControlIdentifier(const std::string& key) {
    try {
        std::size_t used = 0;
        const int id = std::stoi(key, &used);
        if (used == key.size()) return id;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

std::optional<std::string> ParseGridText(std::string_view text, json& grid) {
    // The parser would follow any depth, and so would every recursive walk
    // over what it built (printing a value, destroying it).
    if (NestingDepth(text, kMaxGridDepth) > kMaxGridDepth)
        return "not a grid: arrays and objects are nested more than " + std::to_string(kMaxGridDepth) + " deep";
    try {
        grid = json::parse(text);
    } catch (const json::exception& e) {
        return "not a JSON document: " + QuoteForMessage(e.what());
    }
    return std::nullopt;
}

std::optional<std::string> ApplyGrid(const vel::Family& family, const json& grid, vel::ChannelTable& table) {
    if (!grid.is_object()) return "the grid must be a JSON object";
    if (grid.contains("family") && grid["family"] != family.name)
        return "the grid is of family " + Excerpt(grid["family"]) + ", not " + family.name;
    if (!grid.contains("rows") || !grid["rows"].is_array()) return "the grid has no \"rows\" array";
    const json& rows = grid["rows"];
    if (rows.size() != static_cast<std::size_t>(family.channelCount))
        return "\"rows\" holds " + std::to_string(rows.size()) + " rows; " + family.name + " has " +
               std::to_string(family.channelCount) + " channels";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const json& row = rows[r];
        if (!row.is_array() || row.size() != static_cast<std::size_t>(family.columnCount()))
            return "row " + std::to_string(r + 1) + " must be an array of " + std::to_string(family.columnCount()) +
                   " texts";
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (!row[c].is_string())
                return "row " + std::to_string(r + 1) + ", column " + std::to_string(c) + " is not a text";
            table.cells.at(r + 1).at(c) = row[c].get<std::string>();
        }
    }
    if (!grid.contains("form")) return std::nullopt;
    if (!grid["form"].is_object()) return "\"form\" must be an object";
    for (const auto& [key, value] : grid["form"].items()) {
        const std::optional<int> control = ControlIdentifier(key);
        if (!control) return "form key \"" + QuoteForMessage(key) + "\" is not a control identifier";
        const int id = *control;
        const vel::FormField* field = family.field(id);
        if (field == nullptr) return "the form of " + family.name + " has no control " + QuoteForMessage(key);
        if (!value.is_string()) return "form control " + QuoteForMessage(key) + " must be given a text";
        const std::string text = value.get<std::string>();
        if (field->isEdit()) {
            table.text[id] = text;
        } else if (text.empty()) {
            table.selection[id] = -1;
        } else {
            const int index = vel::FormItemIndex(family, id, text);
            if (index < 0)
                return "the list of control " + QuoteForMessage(key) + " has no item \"" + QuoteForMessage(text) +
                       "\"";
            table.selection[id] = index;
        }
    }
    return std::nullopt;
}

}  // namespace velprog

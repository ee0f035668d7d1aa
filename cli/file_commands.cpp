// families, new, show, store: channel data files without a radio.

#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>

#include "table/channel_table.h"
#include "velprog_commands.h"
#include "velprog_common.h"

namespace velprog {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

/// The table as the window shows it right after opening `image`.
vel::ChannelTable FilledTable(const vel::Family& family, vel::Lang lang, const vel::Image& image) {
    vel::ChannelTable table = vel::NewChannelTable(family, lang);
    vel::FillChannelGrid(family, lang, image, table);
    return table;
}

/// Text a form control shows: the selected item (empty for none) or the edit text.
std::string FormText(const vel::FormField& field, vel::Lang lang, const vel::ChannelTable& table) {
    if (field.isEdit()) {
        const auto it = table.text.find(field.id);
        return it == table.text.end() ? std::string() : it->second;
    }
    const auto it = table.selection.find(field.id);
    const int index = it == table.selection.end() ? -1 : it->second;
    if (index < 0 || index >= static_cast<int>(field.items.size())) return {};
    return field.items[static_cast<std::size_t>(index)].text.in(lang);
}

/// Puts the texts and selections of a grid document into `table`. Cells are
/// taken verbatim; only the shape is checked, and every form text must name
/// an item of its list. Returns an explanation on the first fault.
std::optional<std::string> ApplyGrid(const vel::Family& family, const json& grid, vel::ChannelTable& table) {
    if (!grid.is_object()) return "the grid must be a JSON object";
    if (grid.contains("family") && grid["family"] != family.name)
        return "the grid is of family " + grid["family"].dump() + ", not " + family.name;
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
        if (!control) return "form key \"" + key + "\" is not a control identifier";
        const int id = *control;
        const vel::FormField* field = family.field(id);
        if (field == nullptr) return "the form of " + family.name + " has no control " + key;
        if (!value.is_string()) return "form control " + key + " must be given a text";
        const std::string text = value.get<std::string>();
        if (field->isEdit()) {
            table.text[id] = text;
        } else if (text.empty()) {
            table.selection[id] = -1;
        } else {
            const int index = vel::FormItemIndex(family, id, text);
            if (index < 0) return "the list of control " + key + " has no item \"" + text + "\"";
            table.selection[id] = index;
        }
    }
    return std::nullopt;
}

}  // namespace

int RunFamilies() {
    for (const vel::Family* f : vel::AllFamilies()) std::cout << f->name << ' ' << f->imageSize << '\n';
    return kDone;
}

int RunNew(const FileOptions& o) {
    const vel::Family& family = FamilyNamed(o.family);
    const vel::Lang lang = InterfaceLanguage(family, o.lang);
    // New, then Save: the save stores the untouched table first.
    vel::Image image = vel::NewDocumentImage(family);
    const vel::ChannelTable table = FilledTable(family, lang, image);
    vel::StoreChannelGrid(family, table, image);
    return SaveImageFile(o.out, image, lang) ? kDone : kFailed;
}

int RunShow(const FileOptions& o) {
    const vel::Family& family = FamilyNamed(o.family);
    const vel::Lang lang = InterfaceLanguage(family, o.lang);
    const std::optional<vel::Image> image = LoadImageFile(o.file, family, lang);
    if (!image) return kFailed;
    const vel::ChannelTable table = FilledTable(family, lang, *image);

    // One row of the grid per line: readable, and still one JSON document.
    const auto text = [](const auto& value) { return value.dump(-1, ' ', false, json::error_handler_t::replace); };
    std::cout << "{\n \"family\": " << text(json(family.name)) << ",\n \"headers\": " << text(json(table.cells.at(0)))
              << ",\n \"rows\": [";
    for (int r = 1; r < table.rows(); ++r) std::cout << (r == 1 ? "\n  " : ",\n  ") << text(json(table.cells.at(r)));
    ordered_json form = ordered_json::object();
    for (const vel::FormField& field : family.form) form[std::to_string(field.id)] = FormText(field, lang, table);
    std::cout << "\n ],\n \"form\": " << text(form) << "\n}\n";
    return std::cout.good() ? kDone : kFailed;
}

int RunStore(const FileOptions& o) {
    const vel::Family& family = FamilyNamed(o.family);
    const vel::Lang lang = InterfaceLanguage(family, o.lang);
    std::optional<vel::Image> image = LoadImageFile(o.file, family, lang);
    if (!image) return kFailed;

    const std::optional<json> grid = ReadJsonFile(o.grid);
    if (!grid) return kFailed;

    vel::ChannelTable table = FilledTable(family, lang, *image);
    if (const auto fault = ApplyGrid(family, *grid, table)) {
        PrintError(o.grid + ": " + *fault);
        return kFailed;
    }
    vel::StoreChannelGrid(family, table, *image);
    return SaveImageFile(o.out, *image, lang) ? kDone : kFailed;
}

}  // namespace velprog

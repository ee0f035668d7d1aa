// families, new, show, store: channel data files without a radio.

#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/grid_json.h"
#include "image/message_quote.h"
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

    const std::optional<json> grid = ReadJsonDocument(o.grid, lang, "a grid");
    if (!grid) return kFailed;

    vel::ChannelTable table = FilledTable(family, lang, *image);
    if (const auto fault = ApplyGrid(family, *grid, table)) {
        PrintError(vel::QuoteForMessage(o.grid) + ": " + *fault);
        return kFailed;
    }
    vel::StoreChannelGrid(family, table, *image);
    return SaveImageFile(o.out, *image, lang) ? kDone : kFailed;
}

}  // namespace velprog

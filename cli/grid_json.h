#pragma once
// The grid document of `show` and `store`: {"family": F, "headers": [...],
// "rows": [[...], ...], "form": {"<control id>": "<text>"}}, read with limits
// that keep a hostile document from exhausting the program.

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "image/family.h"
#include "table/channel_table.h"

namespace velprog {

/// The largest grid (or other JSON) document read: a Velmar_V grid is about 40 KB.
inline constexpr std::size_t kMaxGridBytes = 4u << 20;
/// The deepest nesting of arrays and objects taken; a grid needs 3.
inline constexpr int kMaxGridDepth = 16;

/// Reads the JSON document in the file `path` (`what` it should be, such as
/// "a grid", names it in messages): only a regular file of at most
/// kMaxGridBytes, nested at most kMaxGridDepth deep. On a fault prints why,
/// quoting the file name, and returns nothing.
std::optional<nlohmann::json> ReadJsonDocument(const std::string& path, vel::Lang lang, std::string_view what);

/// The control identifier a JSON key names ("1016"); nothing for any other key.
std::optional<int> ControlIdentifier(const std::string& key);

/// Parses `text` as a JSON document nested at most kMaxGridDepth deep.
/// Returns an explanation instead when it is not one (the depth is checked
/// before anything is built).
std::optional<std::string> ParseGridText(std::string_view text, nlohmann::json& grid);

/// Puts the texts and selections of a grid document into `table`. Cells are
/// taken verbatim; only the shape is checked, and every form text must name
/// an item of its list. Returns an explanation on the first fault; values it
/// quotes are cut to a bounded excerpt.
std::optional<std::string> ApplyGrid(const vel::Family& family, const nlohmann::json& grid, vel::ChannelTable& table);

}  // namespace velprog

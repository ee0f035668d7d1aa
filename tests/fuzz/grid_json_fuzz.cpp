// velprog's grid document: any text either parses within the depth limit or
// is refused with a message, and a parsed document either applies to the
// family's table or is refused with a message that quotes a bounded excerpt.

#include <nlohmann/json.hpp>

#include "cli/grid_json.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velfuzz::FuzzInput in(data, size);
    const vel::Family& family = in.family();
    const vel::Lang lang = in.lang();
    nlohmann::json grid;
    if (const auto fault = velprog::ParseGridText(in.rest(), grid)) {
        velfuzz::Require(fault->size() < 2000);
        return 0;
    }
    vel::Image image = vel::NewDocumentImage(family);
    vel::ChannelTable table = vel::NewChannelTable(family, lang);
    vel::FillChannelGrid(family, lang, image, table);
    if (const auto fault = velprog::ApplyGrid(family, grid, table)) {
        velfuzz::Require(fault->size() < 2000);
        return 0;
    }
    vel::StoreChannelGrid(family, table, image);
    return 0;
}

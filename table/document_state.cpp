#include "table/document_state.h"

namespace vel {

DocumentState CaptureState(const Image& image, const ChannelTable& table) {
    DocumentState state;
    state.image = image;
    state.rows = table.rows();
    state.cols = table.cells.empty() ? 0 : static_cast<int>(table.cells.front().size());
    for (const auto& row : table.cells) {
        for (const std::string& cell : row) {
            state.cells += cell;
            state.cells += '\0';
        }
    }
    state.selection = table.selection;
    state.text = table.text;
    return state;
}

ChannelTable TableOf(const DocumentState& state) {
    ChannelTable table;
    table.cells.assign(static_cast<std::size_t>(state.rows), std::vector<std::string>(static_cast<std::size_t>(state.cols)));
    std::size_t at = 0;
    for (auto& row : table.cells) {
        for (std::string& cell : row) {
            const std::size_t end = state.cells.find('\0', at);
            cell = state.cells.substr(at, end - at);
            at = end + 1;
        }
    }
    table.selection = state.selection;
    table.text = state.text;
    return table;
}

bool SameDocument(const Family& family, const DocumentState& a, const DocumentState& b) {
    if (a.rows != b.rows || a.cols != b.cols || a.cells != b.cells || a.selection != b.selection || a.text != b.text)
        return false;
    if (a.image == b.image) return true;
    const auto size = static_cast<std::size_t>(family.imageSize);
    if (a.image.size() != size || b.image.size() != size) return false;
    const ChannelTable table = TableOf(a);
    Image storedA = a.image;
    Image storedB = b.image;
    StoreChannelGrid(family, table, storedA);
    StoreChannelGrid(family, table, storedB);
    return storedA == storedB;
}

}  // namespace vel

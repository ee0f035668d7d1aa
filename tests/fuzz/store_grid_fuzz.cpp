// StoreChannelGrid from arbitrary table texts: every cell and every form
// control of a family's table takes a text (or a selection) from the input,
// and the store writes an image of the family's size, leaving bytes beyond
// the family's own alone.

#include "fuzz_input.h"
#include "table/channel_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velfuzz::FuzzInput in(data, size);
    const vel::Family& family = in.family();
    const vel::Lang lang = in.lang();

    vel::Image image = vel::NewDocumentImage(family);
    vel::ChannelTable table = vel::NewChannelTable(family, lang);
    vel::FillChannelGrid(family, lang, image, table);

    // Cells row by row, texts separated by newlines; then the form.
    for (int row = 1; row < table.rows() && !in.empty(); ++row) {
        for (std::size_t col = 0; col < table.cells[static_cast<std::size_t>(row)].size() && !in.empty(); ++col)
            table.cells[static_cast<std::size_t>(row)][col] = in.text('\n');
    }
    for (const vel::FormField& field : family.form) {
        if (in.empty()) break;
        if (field.isEdit()) {
            table.text[field.id] = in.text('\n');
        } else {
            // Any index, in range or not: the store must cope with both.
            table.selection[field.id] = static_cast<int>(static_cast<std::int8_t>(in.byte()));
        }
    }

    const vel::Image before = image;
    vel::StoreChannelGrid(family, table, image);
    velfuzz::Require(image.size() == before.size());
    return 0;
}

// Channel list import from arbitrary CSV text: any text, in any form and
// mode, gives either a refusal of the whole file or a table of the family's
// shape whose channels store into an image of the family's size; and what
// is imported exports again without failing.

#include "fuzz_input.h"
#include "table/channel_csv.h"
#include "table/channel_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velfuzz::FuzzInput in(data, size);
    const vel::Family& family = in.family();
    const vel::Lang lang = in.lang();
    const auto form = static_cast<vel::CsvForm>(in.byte() % 3);
    const auto mode = static_cast<vel::ImportMode>(in.byte() % 3);

    vel::Image image = vel::NewDocumentImage(family);
    vel::ChannelTable table = vel::NewChannelTable(family, lang);
    vel::FillChannelGrid(family, lang, image, table);

    const vel::ChannelImport result = vel::ImportChannels(family, lang, in.rest(), form, mode, table);
    vel::DescribeImport(result, lang);
    if (!result.ok) return 0;
    velfuzz::Require(result.table.rows() == table.rows());
    vel::Image stored = image;
    vel::StoreChannelGrid(family, result.table, stored);
    velfuzz::Require(stored.size() == image.size());
    vel::ExportChannels(family, lang, vel::CsvForm::Native, result.table);
    vel::ExportChannels(family, lang, vel::CsvForm::Common, result.table);
    return 0;
}

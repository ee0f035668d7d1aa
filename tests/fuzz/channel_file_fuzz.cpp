// The channel data file loader and FillChannelGrid of every family: any bytes
// on disk load (or are refused) and fill the table without fault, and the
// table stores back into an image of the family's size.

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "fuzz_input.h"
#include "image/document_file.h"
#include "table/channel_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velfuzz::FuzzInput in(data, size);
    const vel::Family& family = in.family();
    const vel::Lang lang = in.lang();
    const std::string_view bytes = in.rest();

    static const std::string path = "/tmp/velmar-fuzz-" + std::to_string(::getpid()) + ".sin";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const vel::ChannelFileLoadResult loaded = vel::LoadChannelFile(path, static_cast<std::size_t>(family.imageSize));
    velfuzz::Require(loaded.ok == (bytes.size() >= static_cast<std::size_t>(family.imageSize)));
    velfuzz::Require(loaded.ok != loaded.message.has_value());
    if (!loaded.ok) return 0;
    velfuzz::Require(loaded.image.size() == static_cast<std::size_t>(family.imageSize));

    vel::ChannelTable table = vel::NewChannelTable(family, lang);
    vel::FillChannelGrid(family, lang, loaded.image, table);
    vel::Image stored = loaded.image;
    vel::StoreChannelGrid(family, table, stored);
    velfuzz::Require(stored.size() == loaded.image.size());
    return 0;
}

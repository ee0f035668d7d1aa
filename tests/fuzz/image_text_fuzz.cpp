// Marlowe's text-form import: any text reads into an image of any size
// without growing it, and an image exported and imported again comes back
// unchanged.

#include <sstream>
#include <string>

#include "apps/marlowe/image_text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velfuzz::FuzzInput in(data, size);
    const std::size_t imageSize = static_cast<std::size_t>(in.byte()) * 8 + in.byte() % 8;
    vel::Image image(imageSize, 0xFF);
    std::istringstream text{std::string(in.rest())};
    vel::ImportImageText(text, image);
    velfuzz::Require(image.size() == imageSize);

    std::ostringstream exported;
    vel::ExportImageText(image, exported);
    vel::Image again(imageSize, 0x00);
    std::istringstream back(exported.str());
    vel::ImportImageText(back, again);
    velfuzz::Require(again == image);
    return 0;
}

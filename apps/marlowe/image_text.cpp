#include "apps/marlowe/image_text.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <system_error>

#include "image/file_access.h"
#include "shell/leading_integer.h"

namespace vel {

namespace {

constexpr std::size_t kRowBytes = 16;

Text MissingFileMessage(const std::string& path) {
    return Text{"The file \"" + path + "\" does not exist. The data were not changed.",
                "文件“" + path + "”不存在，数据未改变。"};
}

Text UnreadableFileMessage(const std::string& path) {
    return Text{"The file \"" + path + "\" could not be read. The data were not changed.",
                "无法读取文件“" + path + "”，数据未改变。"};
}

/// Reads one line from `in` into row `row` of `image`. Returns false at the
/// end of the input.
bool ImportLine(std::istream& in, std::size_t row, Image& image) {
    std::size_t field = 0;   // field 0 is the text before the first "|"
    LeadingIntegerParser number;
    const auto storeField = [&] {
        if (field == 0) return;
        const std::size_t addr = row * kRowBytes + (field - 1);
        if (addr < image.size()) image[addr] = static_cast<Byte>(number.value() & 0xFF);
    };

    if (!in.good()) return false;
    for (;;) {
        const auto ch = in.get();
        if (ch == std::char_traits<char>::eof()) {
            storeField();
            return false;
        }
        const char c = std::char_traits<char>::to_char_type(ch);
        if (c == '\n') {
            storeField();
            return true;
        }
        if (c == '|') {
            storeField();
            ++field;
            number.reset();
        } else if (field > 0) {
            number.feed(c);
        }
    }
}

}  // namespace

void ExportImageText(const Image& image, std::ostream& out) {
    for (std::size_t row = 0; row * kRowBytes < image.size(); ++row) {
        const std::size_t end = std::min(image.size(), (row + 1) * kRowBytes);
        std::string line;
        for (std::size_t addr = row * kRowBytes; addr < end; ++addr) {
            line += '|';
            line += std::to_string(image[addr]);
        }
        line += '\n';
        out << line;
    }
}

void ImportImageText(std::istream& in, Image& image) {
    const std::size_t rows = (image.size() + kRowBytes - 1) / kRowBytes;
    for (std::size_t row = 0; row < rows; ++row) {
        if (!ImportLine(in, row, image)) return;  // the remaining lines are missing, so empty
    }
}

bool ExportImageTextFile(const std::string& path, const Image& image) {
    // Only a regular file (or nothing) is written: never a device or a named
    // pipe, which would be overwritten or hold the program.
    const FileAccess access = CheckFileAccess(path, FileUse::Replace);
    if (!access.ok) return false;
    std::ofstream out(access.target, std::ios::out | std::ios::trunc);
    if (!out) return false;
    ExportImageText(image, out);
    out.close();
    return !out.fail();
}

ImageTextImportResult ImportImageTextFile(const std::string& path, Image& image) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return {false, MissingFileMessage(path)};
    // Only a regular file is read: a named pipe would hold the program.
    if (ec || !CheckFileAccess(path, FileUse::Read).ok) return {false, UnreadableFileMessage(path)};

    // Binary, so that every platform reads the same bytes; a CR before the
    // line end ends a number like any other non-digit.
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in) return {false, UnreadableFileMessage(path)};
    Image copy = image;
    ImportImageText(in, copy);
    if (in.bad()) return {false, UnreadableFileMessage(path)};
    image.swap(copy);
    return {true, {}};
}

}  // namespace vel

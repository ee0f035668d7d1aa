#include "apps/marlowe/image_text.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <istream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <system_error>

#include "image/document_file.h"
#include "image/file_access.h"
#include "shell/leading_integer.h"

namespace vel {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kRowBytes = 16;

// A text form of a 1024-byte image is about 4 KB; a file many times that
// size is something else and is not read to find out.
constexpr std::uintmax_t kLargestTextForm = 64 * 1024;

Text MissingFileMessage(const std::string& path) {
    return Text{"The file \"" + path + "\" does not exist. The data were not changed.",
                "文件“" + path + "”不存在，数据未改变。"};
}

Text UnreadableFileMessage(const std::string& path, const std::error_code& reason) {
    const std::string why = reason.message();
    return Text{"The file \"" + path + "\" could not be read: " + why + ". The data were not changed.",
                "无法读取文件“" + path + "”：" + why + "。数据未改变。"};
}

Text ForeignFileNote(const std::string& path) {
    return Text{"\"" + path + "\" is not a text form of channel data, so it was left untouched and the text form "
                "was not written.",
                "“" + path + "”不是信道数据的文本格式，已保留原样，文本格式未写入。"};
}

std::string Utf8(const fs::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

std::string AbsoluteName(const fs::path& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return Utf8(ec ? path : absolute);
}

// One line of a text form: one or more "|" each followed by 1-3 digits of a
// value up to 255.
bool IsTextFormLine(std::string_view line) {
    if (line.empty()) return false;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i++] != '|') return false;
        int value = 0;
        std::size_t digits = 0;
        while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
            value = value * 10 + (line[i++] - '0');
            if (++digits > 3) return false;
        }
        if (digits == 0 || value > 255) return false;
    }
    return true;
}

// Whether the file at `path` may be replaced by a text form: there is none,
// it is empty, or it is a text form itself.
bool MayReplace(const fs::path& path, std::size_t rows) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (status.type() == fs::file_type::not_found) return true;
    const fs::file_status target = fs::status(path, ec);
    if (ec || !fs::is_regular_file(target)) return false;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kLargestTextForm) return false;
    if (size == 0) return true;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::string text(std::istreambuf_iterator<char>(in), {});
    return !in.bad() && IsImageTextForm(text, rows);
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

#ifdef _WIN32
const char* const kTextLineEnd = "\r\n";
#else
const char* const kTextLineEnd = "\n";
#endif

std::string ImageTextFileContents(const Image& image) {
    std::ostringstream out;
    ExportImageText(image, out);
    std::string text;
    for (const char c : out.str()) {
        if (c == '\n') text += kTextLineEnd;
        else text += c;
    }
    return text;
}

bool IsImageTextForm(std::string_view text, std::size_t rows) {
    std::size_t lines = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
        if (!IsTextFormLine(line) || ++lines > rows) return false;
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return lines == rows;
}

ImageTextExportResult ExportImageTextFile(const fs::path& path, const Image& image) {
    const std::string text = ImageTextFileContents(image);
    const ChannelFileSaveResult saved = SaveChannelFile(path, Image(text.begin(), text.end()));
    return ImageTextExportResult{saved.ok, saved.message};
}

StoreExportResult ExportImageTextAfterStore(const Image& image, const fs::path& path) {
    try {
        const std::size_t rows = (image.size() + kRowBytes - 1) / kRowBytes;
        if (!MayReplace(path, rows))
            return StoreExportResult{StoreExportOutcome::ForeignFileKept, ForeignFileNote(AbsoluteName(path))};
        ImageTextExportResult written = ExportImageTextFile(path, image);
        if (!written) return StoreExportResult{StoreExportOutcome::Failed, written.message};
        return StoreExportResult{};
    } catch (const std::exception&) {
        // Out of memory or the like: the store goes on without its text form.
        return StoreExportResult{StoreExportOutcome::Failed,
                                 Text{"The text form \"" + Utf8(path) + "\" could not be written.",
                                      "无法写入文本格式“" + Utf8(path) + "”。"}};
    }
}

ImageTextImportResult ImportImageTextFile(const fs::path& file, Image& image) {
    const std::string path = Utf8(file);
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found) return {false, MissingFileMessage(path)};
    if (ec) return {false, UnreadableFileMessage(path, ec)};
    if (std::filesystem::is_directory(status))
        return {false, UnreadableFileMessage(path, std::make_error_code(std::errc::is_a_directory))};
    // Only a regular file is read: a named pipe would hold the program, a
    // device would be read from.
    if (!CheckFileAccess(file, FileUse::Read).ok)
        return {false, UnreadableFileMessage(path, std::make_error_code(std::errc::operation_not_supported))};

    // Binary, so that every platform reads the same bytes; a CR before the
    // line end ends a number like any other non-digit.
    errno = 0;
    std::ifstream in(file, std::ios::in | std::ios::binary);
    if (!in) {
        const std::error_code reason = errno != 0 ? std::error_code(errno, std::generic_category())
                                                  : std::make_error_code(std::errc::permission_denied);
        return {false, UnreadableFileMessage(path, reason)};
    }
    Image copy = image;
    ImportImageText(in, copy);
    if (in.bad()) return {false, UnreadableFileMessage(path, std::make_error_code(std::errc::io_error))};
    image.swap(copy);
    return {true, {}};
}

}  // namespace vel

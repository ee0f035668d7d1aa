#include "image/document_file.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "image/document_file_platform.h"

namespace vel {

namespace fs = std::filesystem;

namespace {

// How often a save tries another temporary name when the one it drew exists.
constexpr int kTemporaryNameAttempts = 16;

std::string Utf8(const fs::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

std::string Reason(const std::error_code& ec) { return ec.message(); }

Text CannotOpen(const std::string& name, const std::string& reason) {
    return Text{"Cannot open the file \"" + name + "\": " + reason + ".",
                "无法打开文件“" + name + "”：" + reason + "。"};
}

Text CannotRead(const std::string& name, const std::string& reason) {
    return Text{"Cannot read the file \"" + name + "\": " + reason + ".",
                "无法读取文件“" + name + "”：" + reason + "。"};
}

Text TooShort(const std::string& name, std::size_t size, std::size_t expected) {
    const std::string want = std::to_string(expected);
    if (size == 0) {
        return Text{"The file \"" + name + "\" is empty, but a channel data file of this radio holds " + want +
                        " bytes. The file was not opened and the current data is unchanged.",
                    "文件“" + name + "”是空文件，而本机型的信道数据文件应有 " + want +
                        " 字节。文件未打开，当前数据保持不变。"};
    }
    const std::string have = std::to_string(size);
    return Text{"The file \"" + name + "\" holds only " + have +
                    " bytes, but a channel data file of this radio holds " + want +
                    " bytes. The file was not opened and the current data is unchanged.",
                "文件“" + name + "”只有 " + have + " 字节，而本机型的信道数据文件应有 " + want +
                    " 字节。文件未打开，当前数据保持不变。"};
}

Text TooLong(const std::string& name, std::optional<std::uintmax_t> size, std::size_t expected) {
    const std::string want = std::to_string(expected);
    const std::string rest = " Only the first " + want + " bytes were read; the rest of the file was ignored.";
    const std::string restCh = "只读取了前 " + want + " 字节，文件其余部分已忽略。";
    if (!size) {
        return Text{"The file \"" + name + "\" is longer than the " + want +
                        " bytes of a channel data file of this radio." + rest,
                    "文件“" + name + "”超过本机型信道数据文件的 " + want + " 字节。" + restCh};
    }
    const std::string have = std::to_string(*size);
    return Text{"The file \"" + name + "\" holds " + have + " bytes, more than the " + want +
                    " bytes of a channel data file of this radio." + rest,
                "文件“" + name + "”有 " + have + " 字节，超过本机型信道数据文件的 " + want + " 字节。" + restCh};
}

Text CannotSave(const std::string& name, const std::string& reason) {
    return Text{"Cannot save the file \"" + name + "\": " + reason +
                    ". An existing file of that name is left as it was.",
                "无法保存文件“" + name + "”：" + reason + "。同名的原有文件保持不变。"};
}

ChannelFileLoadResult Refused(Text message) {
    ChannelFileLoadResult result;
    result.message = std::move(message);
    return result;
}

ChannelFileSaveResult SaveFailed(const fs::path& path, const std::error_code& ec) {
    return ChannelFileSaveResult{false, CannotSave(Utf8(path), Reason(ec))};
}

// A name for the temporary file that no other save, in this process or in
// another one, is likely to draw; collisions are still checked on creation.
fs::path TemporaryName() {
    static std::atomic<std::uint64_t> counter{0};
    static const std::uint64_t seed = [] {
        std::random_device device;
        return (static_cast<std::uint64_t>(device()) << 32) ^ device();
    }();
    const std::uint64_t n = counter.fetch_add(1);
    std::mt19937_64 mix(seed + n);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, ".velmar-save-%016llx.tmp", static_cast<unsigned long long>(mix()));
    return fs::path(buffer);
}

}  // namespace

ChannelFileLoadResult LoadChannelFile(const fs::path& path, std::size_t expectedSize) {
    const std::string name = Utf8(path);
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        return Refused(CannotOpen(name, Reason(std::make_error_code(std::errc::is_a_directory))));
    }

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::error_code reason(errno, std::generic_category());
        if (!reason) {
            reason = fs::exists(path, ec) ? std::make_error_code(std::errc::permission_denied)
                                          : std::make_error_code(std::errc::no_such_file_or_directory);
        }
        return Refused(CannotOpen(name, Reason(reason)));
    }

    Image buffer(expectedSize);
    errno = 0;
    in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(expectedSize));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (in.bad()) {
        const std::error_code reason =
            errno != 0 ? std::error_code(errno, std::generic_category()) : std::make_error_code(std::errc::io_error);
        return Refused(CannotRead(name, Reason(reason)));
    }
    if (got < expectedSize) {
        // The short read can also come from a device error reported only as
        // end of file; either way the file does not hold an image.
        return Refused(TooShort(name, got, expectedSize));
    }

    ChannelFileLoadResult result;
    result.ok = true;
    if (in.peek() != std::ifstream::traits_type::eof()) {
        std::optional<std::uintmax_t> size;
        const std::uintmax_t onDisk = fs::file_size(path, ec);
        if (!ec && onDisk > expectedSize) size = onDisk;
        result.warning = TooLong(name, size, expectedSize);
    }
    result.image = std::move(buffer);
    return result;
}

ChannelFileSaveResult SaveChannelFile(const fs::path& path, const Image& image) {
    if (path.empty() || !path.has_filename()) {
        return SaveFailed(path, std::make_error_code(std::errc::invalid_argument));
    }

    // Saving through a symbolic link updates the file it points at rather
    // than replacing the link with a file.
    fs::path target = path;
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        const fs::path resolved = fs::weakly_canonical(path, ec);
        if (!ec) target = resolved;
    }

    if (const std::error_code denied = file_platform::CheckWritableTarget(target)) return SaveFailed(path, denied);

    const fs::path directory = target.parent_path();
    fs::path temporary;
    std::error_code written = std::make_error_code(std::errc::file_exists);
    for (int attempt = 0; attempt < kTemporaryNameAttempts && written == std::errc::file_exists; ++attempt) {
        temporary = directory / TemporaryName();
        written = file_platform::WriteFreshFile(temporary, image.data(), image.size(), target);
    }
    if (written) return SaveFailed(path, written);

    if (const std::error_code moved = file_platform::MoveFileOver(temporary, target)) {
        fs::remove(temporary, ec);
        return SaveFailed(path, moved);
    }
    return ChannelFileSaveResult{true, std::nullopt};
}

}  // namespace vel

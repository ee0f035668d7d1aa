#include "image/document_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <system_error>

#include "image/document_file_platform.h"
#include "image/file_access.h"
#include "image/message_quote.h"

namespace vel {

namespace fs = std::filesystem;

namespace {

// How often a save tries another temporary name when the one it drew exists.
constexpr int kTemporaryNameAttempts = 16;

// The file's name as messages quote it.
std::string Utf8(const fs::path& path) {
    const std::u8string s = path.u8string();
    return QuoteForMessage(std::string(s.begin(), s.end()));
}

Text CannotOpen(const std::string& name, const Text& reason) {
    return Text{"Cannot open the file \"" + name + "\": " + reason.en + ".",
                "无法打开文件“" + name + "”：" + reason.ch + "。"};
}

Text CannotRead(const std::string& name, const Text& reason) {
    return Text{"Cannot read the file \"" + name + "\": " + reason.en + ".",
                "无法读取文件“" + name + "”：" + reason.ch + "。"};
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

Text CannotSave(const std::string& name, const Text& reason) {
    return Text{"Cannot save the file \"" + name + "\": " + reason.en +
                    ". An existing file of that name is left as it was.",
                "无法保存文件“" + name + "”：" + reason.ch + "。同名的原有文件保持不变。"};
}

ChannelFileLoadResult Refused(Text message) {
    ChannelFileLoadResult result;
    result.message = std::move(message);
    return result;
}

ChannelFileSaveResult SaveFailed(const fs::path& path, const std::error_code& ec) {
    return ChannelFileSaveResult{false, CannotSave(Utf8(path), SystemReason(ec))};
}

}  // namespace

ChannelFileLoadResult LoadChannelFile(const fs::path& path, std::size_t expectedSize) {
    const std::string name = Utf8(path);
    // Only a regular file is read: a named pipe would hold the program, a
    // device would be read from.
    FileBytes read = ReadRegularFile(path, expectedSize);
    if (!read.ok) return Refused(read.opened ? CannotRead(name, *read.reason) : CannotOpen(name, *read.reason));
    if (read.bytes.size() < expectedSize) {
        // The short read can also come from a device error reported only as
        // end of file; either way the file does not hold an image.
        return Refused(TooShort(name, read.bytes.size(), expectedSize));
    }

    ChannelFileLoadResult result;
    result.ok = true;
    if (read.truncated) {
        std::optional<std::uintmax_t> size;
        if (read.size > expectedSize) size = read.size;
        result.warning = TooLong(name, size, expectedSize);
    }
    result.image = std::move(read.bytes);
    return result;
}

ChannelFileSaveResult SaveChannelFile(const fs::path& path, const Image& image) {
    // Only a regular file is replaced, never a device, a named pipe or a
    // folder; a symbolic link is saved through, and one that points nowhere
    // yet gets the file it names.
    const FileAccess access = CheckFileAccess(path, FileUse::Replace);
    if (!access.ok) return ChannelFileSaveResult{false, CannotSave(Utf8(path), *access.reason)};
    const fs::path& target = access.target;

    // From the temporary file's creation to its rename or removal the
    // program is not stopped by a signal: no temporary file is left behind.
    const SignalShield shield;
    const fs::path directory = target.parent_path();
    fs::path temporary;
    std::error_code written = std::make_error_code(std::errc::file_exists);
    for (int attempt = 0; attempt < kTemporaryNameAttempts && written == std::errc::file_exists; ++attempt) {
        temporary = directory / TemporaryFileName();
        written = file_platform::WriteFreshFile(temporary, image.data(), image.size(), target);
    }
    if (written) return SaveFailed(path, written);

    if (const std::error_code moved = file_platform::MoveFileOver(temporary, target)) {
        std::error_code ec;
        fs::remove(temporary, ec);
        return SaveFailed(path, moved);
    }
    return ChannelFileSaveResult{true, std::nullopt};
}

}  // namespace vel

#include <windows.h>

#include <fstream>

#include "image/document_file_platform.h"
#include "image/file_access.h"

namespace vel {

namespace fs = std::filesystem;

FileBytes ReadRegularFile(const fs::path& path, std::size_t limit) {
    FileBytes result;
    const FileAccess access = CheckFileAccess(path, FileUse::Read);
    if (!access.ok) {
        result.reason = *access.reason;
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.reason = SystemReason(std::make_error_code(std::errc::permission_denied));
        return result;
    }
    result.opened = true;
    std::error_code ec;
    result.size = fs::file_size(path, ec);
    result.bytes.resize(limit + 1);
    in.read(reinterpret_cast<char*>(result.bytes.data()), static_cast<std::streamsize>(result.bytes.size()));
    if (in.bad()) {
        result.bytes.clear();
        result.reason = SystemReason(std::make_error_code(std::errc::io_error));
        return result;
    }
    const auto got = static_cast<std::size_t>(in.gcount());
    result.truncated = got > limit;
    result.bytes.resize(result.truncated ? limit : got);
    result.ok = true;
    return result;
}

// Windows stops a console program through a handler of its own; there is no
// signal to hold back.
SignalShield::SignalShield() = default;
SignalShield::~SignalShield() = default;

namespace file_platform {

std::error_code ProbeFreshFile(const fs::path& path) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_EXISTS) return std::make_error_code(std::errc::file_exists);
        return {static_cast<int>(error), std::system_category()};
    }
    ::CloseHandle(file);
    return {};
}

}  // namespace file_platform

}  // namespace vel

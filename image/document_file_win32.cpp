#include <windows.h>

#include <algorithm>

#include "image/document_file_platform.h"

namespace vel::file_platform {

namespace {

std::error_code LastError() { return {static_cast<int>(::GetLastError()), std::system_category()}; }

}  // namespace

std::error_code CheckWritableTarget(const std::filesystem::path& target) {
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
        return {static_cast<int>(error), std::system_category()};
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) return {ERROR_ACCESS_DENIED, std::system_category()};
    return {};
}

std::error_code WriteFreshFile(const std::filesystem::path& path, const Byte* data, std::size_t size,
                               const std::filesystem::path& /*target*/) {
    // The new file inherits the folder's access rights, as a file written in
    // place would.
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastError();

    std::error_code failure;
    std::size_t written = 0;
    while (written < size && !failure) {
        const DWORD chunk = static_cast<DWORD>((std::min<std::size_t>)(size - written, 1u << 30));
        DWORD n = 0;
        if (!::WriteFile(file, data + written, chunk, &n, nullptr)) {
            failure = LastError();
        } else if (n == 0) {
            failure = std::make_error_code(std::errc::io_error);
        } else {
            written += n;
        }
    }
    if (!failure && !::FlushFileBuffers(file)) failure = LastError();
    if (!::CloseHandle(file) && !failure) failure = LastError();
    if (failure) ::DeleteFileW(path.c_str());
    return failure;
}

std::error_code MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    // std::filesystem::rename does not replace an existing file with every
    // runtime on this platform; MoveFileExW says so explicitly.
    if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return LastError();
    }
    return {};
}

}  // namespace vel::file_platform

#pragma once
// Operating-system steps of reading and saving files safely. One
// implementation per platform: document_file_posix.cpp and file_access_posix.cpp,
// document_file_win32.cpp and file_access_win32.cpp.

#include <cstddef>
#include <filesystem>
#include <system_error>

#include "image/image.h"

namespace vel::file_platform {

/// Succeeds when `target` does not exist or may be written by this process;
/// a read-only target gives a permission error.
std::error_code CheckWritableTarget(const std::filesystem::path& target);

/// Creates `path`, which must not exist yet (std::errc::file_exists when it
/// does), writes `size` bytes into it and flushes them to the storage device.
/// When `target` exists, the new file takes its permission bits where the
/// platform has them. On failure nothing of the new file is left behind.
std::error_code WriteFreshFile(const std::filesystem::path& path, const Byte* data, std::size_t size,
                               const std::filesystem::path& target);

/// Creates the file `path`, which must not exist yet (std::errc::file_exists
/// when it does), and removes it again: whether a file can be made there.
std::error_code ProbeFreshFile(const std::filesystem::path& path);

/// Moves `from` onto `to` in one step, replacing a file already at `to`, and
/// makes the change durable where the platform allows.
std::error_code MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace vel::file_platform

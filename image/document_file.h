#pragma once
// The channel data file (".sin"): exactly the bytes of the memory image,
// offset 0 first, with no header, version, checksum or padding.

#include <cstddef>
#include <filesystem>
#include <optional>

#include "image/image.h"
#include "image/language.h"

namespace vel {

/// Outcome of reading a channel data file.
struct ChannelFileLoadResult {
    bool ok = false;
    /// The file's first `expectedSize` bytes; empty unless `ok`.
    Image image;
    /// Why the file was refused (set exactly when `ok` is false).
    std::optional<Text> message;
    /// Something the user should know about a file that did load: it was
    /// longer than an image and its tail was ignored.
    std::optional<Text> warning;
};

/// Reads a channel data file of a family whose image holds `expectedSize`
/// bytes. The file is read into a buffer of its own, so a refused file never
/// reaches the caller's document. A file shorter than the image (an empty one
/// included) is refused with a message naming its size and the size expected;
/// a longer file loads its first `expectedSize` bytes with a warning; a file
/// that cannot be opened or read is refused with the system's reason. Only a
/// regular file is read (CheckFileAccess): a named pipe, a device, a folder or
/// a socket is refused before anything is read from it.
ChannelFileLoadResult LoadChannelFile(const std::filesystem::path& path, std::size_t expectedSize);

/// Outcome of writing a channel data file.
struct ChannelFileSaveResult {
    bool ok = false;
    /// Why the file could not be saved (set exactly when `ok` is false).
    std::optional<Text> message;
};

/// Writes the image as a channel data file. The bytes go to a new temporary
/// file beside the target, are flushed to the disk, and the temporary file
/// then replaces the target in one rename; any failure removes the temporary
/// file and leaves an existing target as it was. The target must be a
/// regular file or nothing (CheckFileAccess): a device, a named pipe or a
/// folder is refused, as is a read-only file, for the superuser too. A
/// symbolic link is saved through, and a link to a file that does not exist
/// yet creates that file. SIGINT, SIGTERM, SIGHUP and SIGQUIT wait until the
/// temporary file is renamed or removed.
ChannelFileSaveResult SaveChannelFile(const std::filesystem::path& path, const Image& image);

}  // namespace vel

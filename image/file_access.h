#pragma once
// Which files the programs may read and which they may replace. Only regular
// files are read or replaced: a named pipe would hold the program forever, a
// device would be read from or overwritten (a save to /dev/null would put a
// file in its place), a folder or a socket is no file at all. One function
// decides for every file the programs open or save: channel data files,
// grids, configuration files, reports and backups.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "image/image.h"
#include "image/language.h"

namespace vel {

enum class FileUse {
    Read,      ///< read a file that exists
    Replace,   ///< create a file at the path or replace the one there
};

/// What CheckFileAccess decided.
struct FileAccess {
    bool ok = false;
    /// The file to use. For Replace a symbolic link is followed to the file it
    /// names, also when that file does not exist yet, so that a save through
    /// a link updates (or creates) the linked file and never replaces the
    /// link. For Read it is the path as given.
    std::filesystem::path target;
    /// Whether `target` exists.
    bool exists = false;
    /// Why the path may not be used, a clause such as "it is a named pipe, not
    /// a regular file" (set exactly when `ok` is false).
    std::optional<Text> reason;
};

/// Decides whether `path` may be read (Read: it exists and is a regular file)
/// or written (Replace: nothing is there, or a regular file that is not
/// read-only). A read-only file is refused for every user, the superuser
/// included, whom permission bits would not stop. Nothing is opened.
FileAccess CheckFileAccess(const std::filesystem::path& path, FileUse use);

/// CheckFileAccess(Replace), then a trial: an empty temporary file is created
/// in the target's folder and removed again, so that a folder that takes no
/// file is found before work whose result could not be kept.
FileAccess CheckFileReplaceable(const std::filesystem::path& path);

/// The contents of a regular file, as far as a limit.
struct FileBytes {
    bool ok = false;
    /// The first bytes of the file, at most the limit.
    std::vector<Byte> bytes;
    /// The file holds more than the limit.
    bool truncated = false;
    /// The size the file system gives for it.
    std::uintmax_t size = 0;
    /// The file could be opened (a refusal then came from reading it).
    bool opened = false;
    /// Why it could not be read (set exactly when `ok` is false).
    std::optional<Text> reason;
};

/// Reads at most `limit` bytes of the file at `path`. Anything but a regular
/// file is refused before it is opened, and again once it is open (it may
/// have been swapped meanwhile): the call never blocks on a named pipe or a
/// device.
FileBytes ReadRegularFile(const std::filesystem::path& path, std::size_t limit);

/// A name for a temporary file (".velmar-save-XXXXXXXXXXXXXXXX.tmp") that no
/// other save, in this process or another, is likely to draw.
std::filesystem::path TemporaryFileName();

/// While alive, holds SIGINT, SIGTERM, SIGHUP and SIGQUIT back from the
/// calling thread (nothing on platforms without them). A save keeps one
/// around the life of its temporary file, so that the program cannot be
/// stopped between creating that file and renaming or removing it; a signal
/// that came meanwhile takes effect when the shield goes.
class SignalShield {
public:
    SignalShield();
    ~SignalShield();
    SignalShield(const SignalShield&) = delete;
    SignalShield& operator=(const SignalShield&) = delete;

private:
    std::uint64_t saved_[16] = {};   // the thread's previous signal mask
    bool active_ = false;
};

/// Why a file of `type` is not used: "it is a named pipe, not a regular
/// file", "it is a folder, not a file", ...
Text NotRegularReason(std::filesystem::file_type type);

/// The system's text for an error, the same in both languages.
Text SystemReason(const std::error_code& error);

}  // namespace vel

#pragma once
// Backups of what a radio held before a write: channel data files named
// "<program>-<date>-<time>.sin" in the user's data folder
// (…/Velmar/backups), the last 50 of each program kept.

#include <chrono>
#include <string>
#include <vector>

#include "image/image.h"
#include "image/language.h"

namespace vel {

/// Backups kept per program; older ones are removed after each new backup.
inline constexpr int kBackupsKept = 50;

/// The folder backups go to: $XDG_DATA_HOME/Velmar/backups when that is set
/// (an absolute path), else %LOCALAPPDATA%\Velmar\backups on Windows, else
/// $HOME/.local/share/Velmar/backups. Empty when none of these is known.
std::string DefaultBackupFolder();

/// "<program>-YYYYMMDD-HHMMSS.sin" for the local time of `when`.
std::string BackupFileName(const std::string& program, std::chrono::system_clock::time_point when);

struct BackupSaveResult {
    bool ok = false;
    std::string path;   ///< the backup's file (ok)
    Text message;       ///< why it could not be saved (not ok)
};

/// Saves `image` as a new backup of `program` in `folder` (created when
/// missing), atomically like every channel data file, under a name no other
/// backup has (a second backup within the same second gets "-2", "-3", …),
/// then removes the program's oldest backups beyond kBackupsKept. Files of
/// other programs and files not named like a backup are never touched.
BackupSaveResult SaveBackup(const std::string& folder, const std::string& program, const Image& image,
                            std::chrono::system_clock::time_point when = std::chrono::system_clock::now());

/// The backups of `program` in `folder`, oldest first.
std::vector<std::string> ListBackups(const std::string& folder, const std::string& program);

}  // namespace vel

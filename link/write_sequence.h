#pragma once
// A write made safe: first a read session that saves what the radio holds as
// a backup, then the write session, then a read session that reads the radio
// back and compares what it holds with what was sent. Each phase is an
// ordinary session of the protocol, at the line's own pace; the port is
// opened and closed by each. A backup that cannot be read or saved stops the
// write before a single byte of it is sent.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"
#include "link/programming_session.h"
#include "table/image_compare.h"

namespace vel {

enum class WritePhase { Backup, Write, Verify };

/// What saving a backup gave: the file's path, or why there is none.
struct BackupOutcome {
    bool ok = false;
    std::string path;
    std::string message;   ///< in the interface language
};

struct WriteSequenceOptions {
    bool backup = true;   ///< read and save the radio's memory first
    bool verify = true;   ///< read the radio back after the write and compare
    /// Saves the backup image; called once the backup read has completed and
    /// before the write begins. Required when `backup` is set.
    std::function<BackupOutcome(const Image& backup)> saveBackup;
    /// Told when a phase begins: the phase, its number (1-based) and how many
    /// phases the sequence has.
    std::function<void(WritePhase phase, int number, int count)> phaseBegins;
};

/// How a safe write ended.
/// - Completed: written, and (when asked) read back equal to what was sent.
/// - Failed: a session failed, the backup could not be saved, or the radio
///   holds something else than what was sent (`differences`).
/// - Cancelled, OpenFailed: as the session that ended it.
struct WriteSequenceResult {
    SessionOutcome outcome = SessionOutcome::Failed;
    WritePhase endedIn = WritePhase::Backup;   ///< the phase the sequence ended in
    SessionResult session;                     ///< result of the last session run
    std::optional<Image> backup;               ///< what the radio held (backup read completed)
    BackupOutcome backupFile;                  ///< the backup's file, when one was saved or tried
    bool written = false;                      ///< the write session completed
    bool verified = false;                     ///< read back and compared (equal or not)
    Image sent;                                ///< the image as it was written (after the store step)
    std::vector<ImageDifference> differences;  ///< sent vs radio, over the written range
    /// A sentence for the window's status bar or the command line's last
    /// line, in the interface language ("Written and checked: the radio holds
    /// what was sent.").
    std::string summary;
};

/// Runs backup, write and verify on `image` (the document's image: the
/// write's store step writes the channel table into it). The progress dialog
/// stays open from phase to phase and is closed once at the end; every
/// session's own messages show as they do in a plain session. In the
/// read-back, a family with a data password is asked for the password that
/// was just written.
WriteSequenceResult RunWriteSequence(const Family& family, Lang uiLang, SerialPort& port, Clock& clock,
                                     SessionHost& host, const std::string& portName, Image& image,
                                     const WriteSequenceOptions& options);

/// The data password the form shows for `image` (empty for a family without one).
std::string FormDataPassword(const Family& family, Lang lang, const Image& image);

/// The name of a phase for a progress line, in `lang`: "Backup: reading the
/// radio", "Writing", "Checking: reading the radio back".
std::string WritePhaseName(WritePhase phase, Lang lang);

}  // namespace vel

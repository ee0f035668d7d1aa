#pragma once
// Pieces every velprog command shares: exit codes, the family and language
// options, channel data files in and out, and the port name lookup.

#include <functional>
#include <optional>
#include <string>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"

namespace velprog {

enum Exit : int {
    kDone = 0,        // the command did what it was asked
    kFailed = 1,      // it could not (the reason is on stderr)
    kUsage = 2,       // the command line was wrong
    kCancelled = 3,   // stopped by the user (Ctrl+C, or the radio-type question declined)
};

/// "velprog: " and the text, on stderr.
void PrintError(const std::string& text);

/// Runs a command from its subcommand's callback. An exception (out of
/// memory, say) is a failure with its message, never an abort; a code other
/// than kDone leaves velprog through the parser with that code.
void RunFromCallback(const std::function<int()>& run);

/// The descriptor of a family name the command line has already checked.
const vel::Family& FamilyNamed(const std::string& name);

/// The interface language: "en" or "ch" as asked, except for a family that
/// has only one (VM_CH16_CN is always Chinese).
vel::Lang InterfaceLanguage(const vel::Family& family, const std::string& lang);

/// Opens a channel data file of `family`; on a refusal prints the reason and
/// returns nothing. A warning (a file longer than the image) is printed too.
std::optional<vel::Image> LoadImageFile(const std::string& path, const vel::Family& family, vel::Lang lang);

/// Saves `image` so that `path` is either the whole new file or left as it
/// was; prints the reason on failure.
bool SaveImageFile(const std::string& path, const vel::Image& image, vel::Lang lang);

/// Whether `path` may take a channel data file (a regular file or nothing,
/// not read-only, in a folder that takes files); prints why not. Runs before
/// work whose result would be lost.
bool CheckOutputFile(const std::string& path, vel::Lang lang);

/// For COM1..COM4: false, after printing the file and the reason, when
/// velprog.ini beside the executable is there but cannot be read (a folder,
/// a named pipe, a link to nothing, no permission). Other names need no
/// configuration and always pass.
bool CheckPortConfiguration(const std::string& portName);
/// `image` as a write sends it: the table the window fills from it stored
/// back (the window's store step before a write).
vel::Image ImageAsWritten(const vel::Family& family, vel::Lang lang, vel::Image image);

/// The device for a port name: COM1..COM4 through section PORTS of
/// velprog.ini beside the executable (when there is one), any other name as
/// it stands.
std::string ResolvePortName(const std::string& portName);

/// Names of all families, in their fixed order, for the option check.
std::vector<std::string> FamilyNames();

}  // namespace velprog

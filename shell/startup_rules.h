#pragma once
// Start-up decisions that depend only on names: the program base name, the
// directory beside the program, the interface language and the help file.

#include <functional>
#include <string>
#include <string_view>

#include <vector>

#include "image/family.h"
#include "image/language.h"
#include "shell/config_file.h"

namespace vel {

/// Windows primary language identifiers the language choice knows.
inline constexpr int kPrimaryLanguageChinese = 0x04;
inline constexpr int kPrimaryLanguageEnglish = 0x09;
/// Every other locale; like any value other than Chinese it leads to English.
inline constexpr int kPrimaryLanguageNeutral = 0x00;

/// The program's file name without directory and extension: the path is
/// trimmed on the right, cut after the last "/" or "\\" and before the last
/// "." of the file name. A file name without "." gives "MAIN". The whole path
/// is used, however long.
std::string ProgramBaseName(std::string_view modulePath);

/// The program base name of a running executable. A Windows program file
/// carries ".exe" and follows ProgramBaseName; where executables have no
/// extension (Linux), the file name itself is the base name, so a program
/// installed as "Velmar_V" reads "Velmar_V.ini" rather than "MAIN.ini".
std::string ExecutableBaseName(std::string_view executablePath);

/// The directory part of `modulePath` (text before the last "/" or "\\"),
/// "/" for a file in the root, empty when the path has no directory (the
/// current directory is meant).
std::string ProgramDirectory(std::string_view modulePath);

/// `directory` and `fileName` joined by one separator; `fileName` alone when
/// the directory is empty.
std::string JoinPath(std::string_view directory, std::string_view fileName);

/// The configuration file beside the program: its directory, the program
/// base name and ".ini".
std::string ConfigFilePath(std::string_view modulePath);

/// The configuration file beside a running executable (ExecutableBaseName).
std::string ExecutableConfigFilePath(std::string_view executablePath);

/// The primary language of a locale name such as "zh_CN.UTF-8", "zh-Hans",
/// "en_US" (case-insensitive): 0x04 for Chinese, 0x09 for English,
/// kPrimaryLanguageNeutral (0x00) for every other or empty name.
int PrimaryLanguageFromLocale(std::string_view localeName);

/// True when "LANGUAGE_FORCE" in "MAIN" reads as the number 1 (leading-number
/// rule: "1", " 1", "+1", "01", "1abc" all count): the configuration file
/// names the language library in "LANGUAGE".
bool LanguageForced(const CConfigFile& config);

/// The language base name: `programBase` + "_CH" when the primary language
/// (the low 10 bits of `languageId`, so a full language identifier such as
/// 0x0804 also works) is Chinese, + "_EN" otherwise. When "LANGUAGE_FORCE" in
/// "MAIN" reads as the number 1 (leading-number rule: "1", " 1", "+1", "01",
/// "1abc" all count), the value of "LANGUAGE" in "MAIN" as it stands instead,
/// trailing blank and all.
std::string LanguageBaseName(std::string_view programBase, int languageId, const CConfigFile& config);

/// True exactly when `languageBase` equals `programBase` + "_EN".
bool IsEnglishInterface(std::string_view languageBase, std::string_view programBase);

/// The language of built-in bilingual texts under that rule.
Lang UiLang(std::string_view languageBase, std::string_view programBase);

/// "Velmar_V_EN" for an English interface by that rule, else "Velmar_V_CH";
/// without directory or extension.
std::string HelpFileBaseName(std::string_view languageBase, std::string_view programBase);

/// The folders, under "help" beside the program, that may hold its help
/// pages, the one to open first: for the bilingual program the one
/// HelpFileBaseName names; for every other the program base name (a copy
/// given a name of its own may bring pages of its own), then the family's
/// own program name ("VM_CH128", "VM_CH16_CN", …), which is also the folder
/// to name when none of them is there. Another program's pages are never
/// taken instead: they tell of commands this one does not have.
std::vector<std::string> HelpFolderNames(const Family& family, std::string_view languageBase,
                                         std::string_view programBase);

/// The model names a branded program's configuration gives its Type list:
/// the values of "TYPE1", "TYPE2", … "TYPE10" in "MAIN", in order, up to the
/// first that is empty or missing.
std::vector<std::string> ConfiguredTypeNames(const CConfigFile& config);

/// Names the items of `family`'s Type list (control 1017) after `names`, in
/// order. The list keeps its items, and so the bytes they store: an item
/// without a name keeps its own text, a name without an item is not used.
void NameTypeItems(Family& family, const std::vector<std::string>& names);

// ---------------------------------------------------------------------------
// Where a program's own files are. A portable copy keeps its configuration
// file, language libraries, help pages and icon beside the program. An
// installed program ("<prefix>/bin/<program>") finds the same files in its
// data folder "<prefix>/share/velmar/<program>/", and keeps a configuration
// file of the user's own in the user's configuration folder. A file beside
// the program always wins, so a file dropped beside an installed program
// overrides the installed one.
// ---------------------------------------------------------------------------

/// The data folder of installed programs, relative to the installation
/// prefix. The install rules put the programs' files there.
inline constexpr std::string_view kInstalledDataFolder = "share/velmar";

/// The folders in which one program's files are looked for.
struct ProgramFolders {
    std::string programDir;     ///< the directory of the executable
    std::string dataDir;        ///< "<programDir>/../share/velmar/<program base name>"
    std::string userConfigDir;  ///< the user's configuration folder; empty when there is none
};

/// Tells whether a file or directory exists at a path.
using PathExistsFn = std::function<bool(const std::string&)>;
/// Reads one environment variable; empty when it is not set.
using EnvironmentFn = std::function<std::string(const char*)>;

/// std::filesystem's answer, false on any error.
bool PathExists(const std::string& path);

/// True when anything is at `path`, a symbolic link to nothing included: a
/// configuration file found this way that cannot be read is reported rather
/// than passed over.
bool EntryExists(const std::string& path);

/// The installed data folder of the program `programBase` whose executable
/// sits in `programDir`: the parent of `programDir`, then
/// kInstalledDataFolder, then `programBase`. Trailing separators of
/// `programDir` are ignored; an empty `programDir` (the current directory)
/// has the parent "..".
std::string InstalledDataDirectory(std::string_view programDir, std::string_view programBase);

/// The user's configuration folder for this suite: on Windows
/// "%APPDATA%\Velmar"; elsewhere "$XDG_CONFIG_HOME/velmar" when that is an
/// absolute path, else "$HOME/.config/velmar". Empty when the variables that
/// would give it are unset.
std::string UserConfigDirectory(const EnvironmentFn& environment);
/// The same from the process's own environment.
std::string UserConfigDirectory();

/// The folders of a program from its directory and base name.
ProgramFolders MakeProgramFolders(std::string_view programDir, std::string_view programBase,
                                  std::string userConfigDir);

/// True when the program is an installed one: its data folder exists.
bool IsInstalledProgram(const ProgramFolders& folders, const PathExistsFn& exists = PathExists);

/// A program's file (or folder) `relativePath`: beside the program when it is
/// there, else in the data folder when it is there. When it is in neither,
/// the path where the program expects it, for messages: in the data folder of
/// an installed program, beside a portable copy.
std::string FindProgramFile(const ProgramFolders& folders, std::string_view relativePath,
                            const PathExistsFn& exists = PathExists);

/// The configuration file `fileName` to read: beside the program, else in the
/// user's configuration folder, else in the data folder (the installed
/// default); empty when none of them holds it.
std::string FindConfigFile(const ProgramFolders& folders, std::string_view fileName,
                           const PathExistsFn& exists = PathExists);

/// Opens the program's configuration file `fileName` into `config`: the one
/// FindConfigFile gives. When there is none and `createWhenMissing`, an empty
/// one is created: beside a portable copy when its folder can be written,
/// else in the user's configuration folder (made when needed); an installed
/// program never gets a file beside itself. False when no file was read or
/// created; `config` is then empty.
bool OpenProgramConfig(CConfigFile& config, const ProgramFolders& folders, std::string_view fileName,
                       bool createWhenMissing);

}  // namespace vel

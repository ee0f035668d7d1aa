#pragma once
// Start-up decisions that depend only on names: the program base name, the
// directory beside the program, the interface language and the help file.

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

/// The folder of a program's help pages, under "help" beside it: for the
/// bilingual program the one HelpFileBaseName names, for every other the
/// family's own program name ("VM_CH128", "VM_CH16_CN", …), whatever name
/// the executable was given.
std::string HelpFolderName(const Family& family, std::string_view languageBase, std::string_view programBase);

/// The model names a branded program's configuration gives its Type list:
/// the values of "TYPE1", "TYPE2", … "TYPE10" in "MAIN", in order, up to the
/// first that is empty or missing.
std::vector<std::string> ConfiguredTypeNames(const CConfigFile& config);

/// Names the items of `family`'s Type list (control 1017) after `names`, in
/// order. The list keeps its items, and so the bytes they store: an item
/// without a name keeps its own text, a name without an item is not used.
void NameTypeItems(Family& family, const std::vector<std::string>& names);

}  // namespace vel

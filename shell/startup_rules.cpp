#include "shell/startup_rules.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "shell/leading_integer.h"

namespace vel {

namespace {

constexpr std::string_view kSeparators = "/\\";

#ifdef _WIN32
constexpr char kJoinSeparator = '\\';
#else
constexpr char kJoinSeparator = '/';
#endif

std::string_view TrimRight(std::string_view s) {
    const auto last = s.find_last_not_of(" \t\r\n\v\f");
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string ProgramBaseName(std::string_view modulePath) {
    std::string_view name = TrimRight(modulePath);
    const auto sep = name.find_last_of(kSeparators);
    if (sep != std::string_view::npos) name.remove_prefix(sep + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) return "MAIN";
    return std::string(name.substr(0, dot));
}

std::string ProgramDirectory(std::string_view modulePath) {
    const auto sep = modulePath.find_last_of(kSeparators);
    if (sep == std::string_view::npos) return {};
    if (sep == 0) return std::string(modulePath.substr(0, 1));
    return std::string(modulePath.substr(0, sep));
}

std::string JoinPath(std::string_view directory, std::string_view fileName) {
    if (directory.empty()) return std::string(fileName);
    std::string path(directory);
    if (kSeparators.find(path.back()) == std::string_view::npos) path.push_back(kJoinSeparator);
    path += fileName;
    return path;
}

std::string ConfigFilePath(std::string_view modulePath) {
    return JoinPath(ProgramDirectory(modulePath), ProgramBaseName(modulePath) + ".ini");
}

std::string ExecutableBaseName(std::string_view executablePath) {
#ifdef _WIN32
    return ProgramBaseName(executablePath);
#else
    // Give the file name the extension a Windows module name would have, so
    // that the same rule cuts exactly that extension away.
    return ProgramBaseName(std::string(executablePath) + ".exe");
#endif
}

std::string ExecutableConfigFilePath(std::string_view executablePath) {
    return JoinPath(ProgramDirectory(executablePath), ExecutableBaseName(executablePath) + ".ini");
}

int PrimaryLanguageFromLocale(std::string_view localeName) {
    std::string code;
    for (char c : localeName) {
        const char lower = LowerAscii(c);
        if (lower < 'a' || lower > 'z') break;
        code.push_back(lower);
    }
    if (code == "zh") return kPrimaryLanguageChinese;
    if (code == "en") return kPrimaryLanguageEnglish;
    return kPrimaryLanguageNeutral;
}

bool LanguageForced(const CConfigFile& config) {
    return LeadingInteger(config.GetValue("MAIN", "LANGUAGE_FORCE", "")) == 1;
}

std::string LanguageBaseName(std::string_view programBase, int languageId, const CConfigFile& config) {
    if (LanguageForced(config)) {
        return config.GetValue("MAIN", "LANGUAGE", "");
    }
    const bool chinese = (languageId & 0x3FF) == kPrimaryLanguageChinese;
    return std::string(programBase) + (chinese ? "_CH" : "_EN");
}

bool IsEnglishInterface(std::string_view languageBase, std::string_view programBase) {
    return languageBase.size() == programBase.size() + 3 && languageBase.starts_with(programBase) &&
           languageBase.ends_with("_EN");
}

Lang UiLang(std::string_view languageBase, std::string_view programBase) {
    return IsEnglishInterface(languageBase, programBase) ? Lang::English : Lang::Chinese;
}

std::string HelpFileBaseName(std::string_view languageBase, std::string_view programBase) {
    return IsEnglishInterface(languageBase, programBase) ? "Velmar_V_EN" : "Velmar_V_CH";
}

std::vector<std::string> HelpFolderNames(const Family& family, std::string_view languageBase,
                                         std::string_view programBase) {
    if (family.bilingual) return {HelpFileBaseName(languageBase, programBase)};
    std::vector<std::string> names;
    if (!programBase.empty() && programBase != family.name) names.emplace_back(programBase);
    names.emplace_back(family.name);
    return names;
}

std::vector<std::string> ConfiguredTypeNames(const CConfigFile& config) {
    std::vector<std::string> names;
    for (int i = 1; i <= 10; ++i) {
        std::string name = config.GetValue("MAIN", "TYPE" + std::to_string(i), "");
        if (name.empty()) break;
        names.push_back(std::move(name));
    }
    return names;
}

void NameTypeItems(Family& family, const std::vector<std::string>& names) {
    constexpr int kTypeList = 1017;
    for (FormField& field : family.form) {
        if (field.id != kTypeList) continue;
        for (std::size_t i = 0; i < field.items.size() && i < names.size(); ++i) field.items[i].text = Same(names[i]);
    }
}

bool PathExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::exists(path, ec);
}

bool EntryExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() &&
           std::filesystem::symlink_status(path, ec).type() != std::filesystem::file_type::not_found;
}

std::string InstalledDataDirectory(std::string_view programDir, std::string_view programBase) {
    while (programDir.size() > 1 && kSeparators.find(programDir.back()) != std::string_view::npos)
        programDir.remove_suffix(1);
    std::string prefix;
    if (programDir.empty())
        prefix = "..";
    else if (programDir.find_first_of(kSeparators) == std::string_view::npos)
        prefix = ".";   // "bin" alone: its parent is the current directory
    else
        prefix = ProgramDirectory(programDir);
    std::string dir = JoinPath(prefix, "share");
    dir = JoinPath(dir, "velmar");
    return JoinPath(dir, programBase);
}

std::string UserConfigDirectory(const EnvironmentFn& environment) {
#ifdef _WIN32
    const std::string appData = environment("APPDATA");
    return appData.empty() ? std::string() : JoinPath(appData, "Velmar");
#else
    // The XDG rule: a relative XDG_CONFIG_HOME is ignored.
    const std::string xdg = environment("XDG_CONFIG_HOME");
    if (!xdg.empty() && xdg.front() == '/') return JoinPath(xdg, "velmar");
    const std::string home = environment("HOME");
    if (home.empty()) return {};
    return JoinPath(JoinPath(home, ".config"), "velmar");
#endif
}

std::string UserConfigDirectory() {
    return UserConfigDirectory([](const char* name) {
        const char* value = std::getenv(name);
        return value ? std::string(value) : std::string();
    });
}

ProgramFolders MakeProgramFolders(std::string_view programDir, std::string_view programBase,
                                  std::string userConfigDir) {
    return ProgramFolders{std::string(programDir), InstalledDataDirectory(programDir, programBase),
                          std::move(userConfigDir)};
}

bool IsInstalledProgram(const ProgramFolders& folders, const PathExistsFn& exists) {
    return exists(folders.dataDir);
}

std::string FindProgramFile(const ProgramFolders& folders, std::string_view relativePath, const PathExistsFn& exists) {
    const std::string beside = JoinPath(folders.programDir, relativePath);
    if (exists(beside)) return beside;
    const std::string installed = JoinPath(folders.dataDir, relativePath);
    if (exists(installed)) return installed;
    return IsInstalledProgram(folders, exists) ? installed : beside;
}

std::string FindConfigFile(const ProgramFolders& folders, std::string_view fileName, const PathExistsFn& exists) {
    std::vector<std::string> candidates{JoinPath(folders.programDir, fileName)};
    if (!folders.userConfigDir.empty()) candidates.push_back(JoinPath(folders.userConfigDir, fileName));
    candidates.push_back(JoinPath(folders.dataDir, fileName));
    for (const std::string& path : candidates)
        if (exists(path)) return path;
    return {};
}

bool OpenProgramConfig(CConfigFile& config, const ProgramFolders& folders, std::string_view fileName,
                       bool createWhenMissing) {
    config.Release();
    // A file that is there but cannot be read fails here with its reason
    // (CConfigFile::failure), rather than being passed over.
    const std::string found = FindConfigFile(folders, fileName, EntryExists);
    if (!found.empty()) return config.Open(found);
    if (!createWhenMissing) return false;
    // A portable copy creates the file beside itself; an installed program,
    // or one whose folder cannot be written, in the user's configuration
    // folder, which is made when it is missing.
    if (!IsInstalledProgram(folders) && config.Open(JoinPath(folders.programDir, fileName))) return true;
    if (folders.userConfigDir.empty()) return false;
    std::error_code ec;
    std::filesystem::create_directories(folders.userConfigDir, ec);
    return config.Open(JoinPath(folders.userConfigDir, fileName));
}

}  // namespace vel

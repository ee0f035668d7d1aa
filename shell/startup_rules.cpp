#include "shell/startup_rules.h"

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

std::string LanguageBaseName(std::string_view programBase, int languageId, const CConfigFile& config) {
    if (LeadingInteger(config.GetValue("MAIN", "LANGUAGE_FORCE", "")) == 1) {
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

std::string HelpFolderName(const Family& family, std::string_view languageBase, std::string_view programBase) {
    if (family.bilingual) return HelpFileBaseName(languageBase, programBase);
    return family.name;
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

}  // namespace vel

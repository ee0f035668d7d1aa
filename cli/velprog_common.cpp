#include "velprog_common.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

#include "image/document_file.h"
#include "image/file_access.h"
#include "image/message_quote.h"
#include "link/port_names.h"
#include "shell/config_file.h"
#include "shell/startup_rules.h"
#include "table/channel_table.h"

namespace velprog {

void PrintError(const std::string& text) {
    std::fflush(stdout);
    std::cerr << "velprog: " << text << '\n' << std::flush;
}

void RunFromCallback(const std::function<int()>& run) {
    int code = kFailed;
    try {
        code = run();
    } catch (const std::exception& e) {
        PrintError(e.what());
    }
    if (code != kDone) throw CLI::RuntimeError(code);
}

const vel::Family& FamilyNamed(const std::string& name) {
    const vel::Family* family = vel::FindFamily(name);
    if (family == nullptr) throw std::invalid_argument("unknown family " + name);
    return *family;
}

std::vector<std::string> FamilyNames() {
    std::vector<std::string> names;
    for (const vel::Family* f : vel::AllFamilies()) names.push_back(f->name);
    return names;
}

vel::Lang InterfaceLanguage(const vel::Family& family, const std::string& lang) {
    return family.uiLang(lang == "ch" ? vel::Lang::Chinese : vel::Lang::English);
}

std::optional<vel::Image> LoadImageFile(const std::string& path, const vel::Family& family, vel::Lang lang) {
    vel::ChannelFileLoadResult r = vel::LoadChannelFile(path, static_cast<std::size_t>(family.imageSize));
    if (!r.ok) {
        PrintError(vel::QuoteForMessage(path) + ": " + (r.message ? r.message->in(lang) : std::string("cannot be read")));
        return std::nullopt;
    }
    if (r.warning) PrintError(vel::QuoteForMessage(path) + ": " + r.warning->in(lang));
    return std::move(r.image);
}

bool SaveImageFile(const std::string& path, const vel::Image& image, vel::Lang lang) {
    const vel::ChannelFileSaveResult r = vel::SaveChannelFile(path, image);
    if (!r.ok)
        PrintError(vel::QuoteForMessage(path) + ": " + (r.message ? r.message->in(lang) : std::string("cannot be saved")));
    return r.ok;
}

bool CheckOutputFile(const std::string& path, vel::Lang lang) {
    const vel::FileAccess access = vel::CheckFileReplaceable(path);
    if (access.ok) return true;
    PrintError(vel::QuoteForMessage(path) + ": " +
               (lang == vel::Lang::Chinese ? "无法写入：" + access.reason->ch
                                           : "cannot be written: " + access.reason->en));
    return false;
}

vel::Image ImageAsWritten(const vel::Family& family, vel::Lang lang, vel::Image image) {
    vel::ChannelTable table = vel::NewChannelTable(family, lang);
    vel::FillChannelGrid(family, lang, image, table);
    vel::StoreChannelGrid(family, table, image);
    return image;
}

namespace {

std::string ExecutablePath() {
#ifdef _WIN32
    char buf[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    return std::string(buf, n);
#else
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
#endif
}

}  // namespace

/// The velprog.ini to read, where the windows look for theirs; a link to
/// nothing counts as there (and is reported). Empty when there is none.
std::string ConfigurationPath() {
    const std::string exe = ExecutablePath();
    if (exe.empty()) return {};
    const vel::ProgramFolders folders =
        vel::MakeProgramFolders(vel::ProgramDirectory(exe), "velprog", vel::UserConfigDirectory());
    return vel::FindConfigFile(folders, "velprog.ini", vel::EntryExists);
}

bool CheckPortConfiguration(const std::string& portName) {
    // Only COM1..COM4 are looked up; a device path needs no configuration.
    if (!vel::IsStandardPortName(portName)) return true;
    const std::string ini = ConfigurationPath();
    if (ini.empty()) return true;
    vel::CConfigFile config;
    if (config.OpenExisting(ini) || !config.failure()) return true;
    // A configuration that is there but cannot be read must not quietly give
    // way to the default device: the port it names would be another one.
    PrintError(vel::QuoteForMessage(ini) + ": the configuration file cannot be read: " + config.failure()->en +
               ". It says which device " + vel::QuoteForMessage(portName) + " is.");
    return false;
}

std::string ResolvePortName(const std::string& portName) {
    // The configuration file is only read, from where the windows read
    // theirs (beside velprog, else the user's configuration folder, else the
    // installed data folder): one that does not exist is not created. Only
    // COM1..COM4 are looked up in it.
    vel::CConfigFile config;
    bool haveConfig = false;
    if (vel::IsStandardPortName(portName)) {
        const std::string ini = ConfigurationPath();
        if (!ini.empty()) haveConfig = config.OpenExisting(ini);
    }
    return vel::ResolvePortDevice(portName, haveConfig ? &config : nullptr);
}

}  // namespace velprog

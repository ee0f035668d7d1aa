#include "velprog_common.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

#include "image/document_file.h"
#include "link/port_names.h"
#include "shell/config_file.h"
#include "shell/startup_rules.h"

namespace velprog {

void PrintError(const std::string& text) {
    std::fflush(stdout);
    std::cerr << "velprog: " << text << '\n' << std::flush;
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
        PrintError(path + ": " + (r.message ? r.message->in(lang) : std::string("cannot be read")));
        return std::nullopt;
    }
    if (r.warning) PrintError(path + ": " + r.warning->in(lang));
    return std::move(r.image);
}

bool SaveImageFile(const std::string& path, const vel::Image& image, vel::Lang lang) {
    const vel::ChannelFileSaveResult r = vel::SaveChannelFile(path, image);
    if (!r.ok) PrintError(path + ": " + (r.message ? r.message->in(lang) : std::string("cannot be saved")));
    return r.ok;
}

std::optional<nlohmann::json> ReadJsonFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        PrintError(path + ": cannot be opened");
        return std::nullopt;
    }
    try {
        return nlohmann::json::parse(in);
    } catch (const nlohmann::json::exception& e) {
        PrintError(path + ": not a JSON document: " + e.what());
        return std::nullopt;
    }
}

std::optional<int> ControlIdentifier(const std::string& key) {
    try {
        std::size_t used = 0;
        const int id = std::stoi(key, &used);
        if (used == key.size()) return id;
    } catch (const std::exception&) {
    }
    return std::nullopt;
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

std::string ResolvePortName(const std::string& portName) {
    // The configuration file is only read, from where the windows read
    // theirs (beside velprog, else the user's configuration folder, else the
    // installed data folder): one that does not exist is not created.
    const std::string exe = ExecutablePath();
    vel::CConfigFile config;
    bool haveConfig = false;
    if (!exe.empty()) {
        const vel::ProgramFolders folders =
            vel::MakeProgramFolders(vel::ProgramDirectory(exe), "velprog", vel::UserConfigDirectory());
        haveConfig = vel::OpenProgramConfig(config, folders, "velprog.ini", false);
    }
    return vel::ResolvePortDevice(portName, haveConfig ? &config : nullptr);
}

}  // namespace velprog

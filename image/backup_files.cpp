#include "image/backup_files.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <system_error>
#include <tuple>

#include "image/document_file.h"

namespace vel {
namespace {

namespace fs = std::filesystem;

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool AllDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

/// Where a backup's name puts it in time: date-time and the number of the
/// backup within that second (1 for the first).
struct BackupStamp {
    std::string stamp;
    long number = 1;
    bool operator<(const BackupStamp& o) const { return std::tie(stamp, number) < std::tie(o.stamp, o.number); }
};

/// The stamp of `name` when it names a backup of `program`.
std::optional<BackupStamp> StampOf(const std::string& name, const std::string& program) {
    const std::string prefix = program + "-";
    const std::string suffix = ".sin";
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::nullopt;
    const std::string middle = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    // YYYYMMDD-HHMMSS, then perhaps -N.
    if (middle.size() < 15 || middle[8] != '-' || !AllDigits(middle.substr(0, 8)) || !AllDigits(middle.substr(9, 6)))
        return std::nullopt;
    BackupStamp s{middle.substr(0, 15), 1};
    if (middle.size() > 15) {
        const std::string tail = middle.substr(15);
        if (tail[0] != '-' || !AllDigits(tail.substr(1)) || tail.size() > 8) return std::nullopt;
        s.number = std::atol(tail.c_str() + 1);
    }
    return s;
}

}  // namespace

std::string DefaultBackupFolder() {
    fs::path base;
    const std::string xdg = Env("XDG_DATA_HOME");
    if (!xdg.empty() && fs::path(xdg).is_absolute()) {
        base = xdg;
    } else {
#ifdef _WIN32
        const std::string local = Env("LOCALAPPDATA");
        if (!local.empty()) base = local;
#endif
        if (base.empty()) {
            const std::string home = Env("HOME");
            if (home.empty()) return {};
            base = fs::path(home) / ".local" / "share";
        }
    }
    return (base / "Velmar" / "backups").string();
}

std::string BackupFileName(const std::string& program, std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    // One thread asks for the time here; the library's shared buffer is safe.
    const std::tm* local = std::localtime(&t);
    char stamp[32] = "00000000-000000";
    if (local != nullptr) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", local);
    return program + "-" + stamp + ".sin";
}

std::vector<std::string> ListBackups(const std::string& folder, const std::string& program) {
    std::vector<std::pair<BackupStamp, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string name = it->path().filename().string();
        if (const auto stamp = StampOf(name, program)) found.emplace_back(*stamp, it->path().string());
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> paths;
    for (auto& [stamp, path] : found) paths.push_back(std::move(path));
    return paths;
}

BackupSaveResult SaveBackup(const std::string& folder, const std::string& program, const Image& image,
                            std::chrono::system_clock::time_point when) {
    BackupSaveResult result;
    if (folder.empty()) {
        result.message = {"no folder for backups is known (neither XDG_DATA_HOME nor HOME is set)",
                          "不知道备份存放的文件夹（XDG_DATA_HOME 和 HOME 都未设置）"};
        return result;
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec)) {
        const std::string why = ec ? ec.message() : std::string("not a folder");
        result.message = {"the folder " + folder + " cannot be made: " + why,
                          "无法建立文件夹 " + folder + "：" + why};
        return result;
    }

    const std::string first = BackupFileName(program, when);
    fs::path target = fs::path(folder) / first;
    for (int n = 2; fs::exists(fs::symlink_status(target, ec)); ++n)
        target = fs::path(folder) / (first.substr(0, first.size() - 4) + "-" + std::to_string(n) + ".sin");

    const ChannelFileSaveResult saved = SaveChannelFile(target, image);
    if (!saved.ok) {
        result.message = saved.message.value_or(Text{"it cannot be written", "无法写入"});
        return result;
    }
    result.ok = true;
    result.path = target.string();

    // Only the program's own backups, oldest first, and never the new one.
    const std::vector<std::string> backups = ListBackups(folder, program);
    const std::size_t excess = backups.size() > static_cast<std::size_t>(kBackupsKept)
                                   ? backups.size() - static_cast<std::size_t>(kBackupsKept)
                                   : 0;
    for (std::size_t i = 0; i < excess; ++i)
        if (backups[i] != result.path) fs::remove(backups[i], ec);
    return result;
}

}  // namespace vel

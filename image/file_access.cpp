#include "image/file_access.h"

#include <atomic>
#include <cstdio>
#include <random>

#include "image/document_file_platform.h"

namespace vel {

namespace fs = std::filesystem;

namespace {

// As many links as the system itself follows before it gives up.
constexpr int kMaxLinkHops = 40;

FileAccess Refused(const fs::path& path, Text reason) {
    FileAccess access;
    access.target = path;
    access.reason = std::move(reason);
    return access;
}

Text ReadOnlyReason() { return Text{"the file is read-only", "文件是只读的"}; }

}  // namespace

Text NotRegularReason(fs::file_type type) {
    switch (type) {
    case fs::file_type::directory: return Text{"it is a folder, not a file", "它是文件夹，不是文件"};
    case fs::file_type::fifo: return Text{"it is a named pipe, not a regular file", "它是命名管道，不是普通文件"};
    case fs::file_type::socket: return Text{"it is a socket, not a regular file", "它是套接字，不是普通文件"};
    case fs::file_type::character:
    case fs::file_type::block: return Text{"it is a device, not a regular file", "它是设备，不是普通文件"};
    default: return Text{"it is not a regular file", "它不是普通文件"};
    }
}

Text SystemReason(const std::error_code& error) { return Same(error.message()); }

FileAccess CheckFileAccess(const fs::path& path, FileUse use) {
    if (path.empty()) return Refused(path, SystemReason(std::make_error_code(std::errc::invalid_argument)));
    std::error_code ec;

    if (use == FileUse::Read) {
        const fs::file_status st = fs::status(path, ec);
        if (ec) return Refused(path, SystemReason(ec));
        if (st.type() != fs::file_type::regular) return Refused(path, NotRegularReason(st.type()));
        FileAccess access;
        access.ok = true;
        access.exists = true;
        access.target = path;
        return access;
    }

    if (!path.has_filename()) return Refused(path, SystemReason(std::make_error_code(std::errc::is_a_directory)));
    // Links are followed one at a time, so that the end of a link that points
    // nowhere yet is known: that is the file a save creates.
    fs::path target = path;
    for (int hops = 0;; ++hops) {
        const fs::file_status link = fs::symlink_status(target, ec);
        if (ec == std::errc::no_such_file_or_directory || (!ec && link.type() == fs::file_type::not_found)) {
            FileAccess access;
            access.ok = true;
            access.target = target;
            return access;
        }
        if (ec) return Refused(path, SystemReason(ec));
        if (link.type() != fs::file_type::symlink) break;
        if (hops == kMaxLinkHops)
            return Refused(path, SystemReason(std::make_error_code(std::errc::too_many_symbolic_link_levels)));
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) return Refused(path, SystemReason(ec));
        target = next.is_absolute() ? next : target.parent_path() / next;
    }

    const fs::file_status st = fs::status(target, ec);
    if (ec) return Refused(path, SystemReason(ec));
    if (st.type() != fs::file_type::regular) return Refused(path, NotRegularReason(st.type()));
    // Permission bits do not stop the superuser; a file nobody may write is
    // read-only for the superuser too.
    constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((st.permissions() & kAnyWrite) == fs::perms::none) return Refused(path, ReadOnlyReason());
    if (const std::error_code denied = file_platform::CheckWritableTarget(target)) {
        return Refused(path, denied == std::errc::permission_denied ? ReadOnlyReason() : SystemReason(denied));
    }
    FileAccess access;
    access.ok = true;
    access.exists = true;
    access.target = target;
    return access;
}

FileAccess CheckFileReplaceable(const fs::path& path) {
    FileAccess access = CheckFileAccess(path, FileUse::Replace);
    if (!access.ok) return access;
    const fs::path folder = access.target.parent_path();
    std::error_code probed = std::make_error_code(std::errc::file_exists);
    for (int attempt = 0; attempt < 16 && probed == std::errc::file_exists; ++attempt) {
        probed = file_platform::ProbeFreshFile((folder.empty() ? fs::path(".") : folder) / TemporaryFileName());
    }
    if (probed) return Refused(path, SystemReason(probed));
    return access;
}

fs::path TemporaryFileName() {
    static std::atomic<std::uint64_t> counter{0};
    static const std::uint64_t seed = [] {
        std::random_device device;
        return (static_cast<std::uint64_t>(device()) << 32) ^ device();
    }();
    const std::uint64_t n = counter.fetch_add(1);
    std::mt19937_64 mix(seed + n);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, ".velmar-save-%016llx.tmp", static_cast<unsigned long long>(mix()));
    return fs::path(buffer);
}

}  // namespace vel

// Which paths may be read and which replaced: every kind of file system entry
// against both uses, through the one function that decides, and through the
// channel data file's load and save that rely on it. Nothing here may block:
// a named pipe is opened by nobody else.

#ifndef _WIN32

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <random>
#include <string>
#include <thread>

#include "image/document_file.h"
#include "image/file_access.h"

namespace vel {
namespace {

namespace fs = std::filesystem;

bool RunningAsRoot() { return ::geteuid() == 0; }

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Scratch {
    fs::path dir;
    Scratch() {
        std::random_device device;
        dir = fs::temp_directory_path() / ("velmar-access-test-" + std::to_string(device()));
        fs::create_directories(dir);
    }
    ~Scratch() {
        std::error_code ec;
        for (auto& entry : fs::recursive_directory_iterator(dir, ec))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }
    fs::path operator/(const std::string& name) const { return dir / name; }
};

// What stands at the path "x" of a case, made in a scratch folder.
enum class Entry {
    Regular,          // "x" holds "old"
    Missing,          // nothing
    Folder,
    Fifo,
    Socket,
    Device,           // a character device node like /dev/null (made only as root)
    LinkToRegular,    // "x" -> "target" holding "old"
    DanglingLink,     // "x" -> "target", which does not exist
    LinkChain,        // "x" -> "hop" -> "target" holding "old"
    LinkLoop,         // "x" -> "x"
    ReadOnly,         // "x" holds "old", mode 0444
    UnderMissingFolder,   // "none/x"
};

struct AccessCase {
    const char* name;
    Entry entry;
    bool readOk;
    bool replaceOk;
    const char* reasonPart;   // in the refusal (Replace, or Read when only it refuses)
    const char* target;       // file a Replace writes ("" for the path itself)
};

void PrintTo(const AccessCase& c, std::ostream* os) { *os << c.name; }

fs::path Make(const Scratch& s, Entry entry) {
    const fs::path x = s / "x";
    switch (entry) {
    case Entry::Regular: WriteBytes(x, "old"); break;
    case Entry::Missing: break;
    case Entry::Folder: fs::create_directory(x); break;
    case Entry::Fifo: EXPECT_EQ(::mkfifo(x.c_str(), 0600), 0); break;
    case Entry::Socket: {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", x.c_str());
        EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0) << x;
        ::close(fd);
        break;
    }
    case Entry::Device: EXPECT_EQ(::mknod(x.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0); break;
    case Entry::LinkToRegular:
        WriteBytes(s / "target", "old");
        fs::create_symlink("target", x);
        break;
    case Entry::DanglingLink: fs::create_symlink("target", x); break;
    case Entry::LinkChain:
        WriteBytes(s / "target", "old");
        fs::create_symlink("target", s / "hop");
        fs::create_symlink(s / "hop", x);
        break;
    case Entry::LinkLoop: fs::create_symlink("x", x); break;
    case Entry::ReadOnly:
        WriteBytes(x, "old");
        fs::permissions(x, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        break;
    case Entry::UnderMissingFolder: return s / "none" / "x";
    }
    return x;
}

class FileAccessKinds : public ::testing::TestWithParam<AccessCase> {};

TEST_P(FileAccessKinds, OnlyRegularFilesAreReadOrReplaced) {
    const AccessCase& c = GetParam();
    if (c.entry == Entry::Device && !RunningAsRoot()) GTEST_SKIP() << "making a device node needs the superuser";
    Scratch s;
    const fs::path path = Make(s, c.entry);

    const FileAccess read = CheckFileAccess(path, FileUse::Read);
    EXPECT_EQ(read.ok, c.readOk);
    EXPECT_EQ(read.reason.has_value(), !c.readOk);

    const FileAccess replace = CheckFileAccess(path, FileUse::Replace);
    EXPECT_EQ(replace.ok, c.replaceOk);
    if (!c.replaceOk) {
        ASSERT_TRUE(replace.reason);
        EXPECT_NE(replace.reason->en.find(c.reasonPart), std::string::npos) << replace.reason->en;
        EXPECT_FALSE(replace.reason->ch.empty());
    } else {
        const fs::path expected = std::string(c.target).empty() ? path : s / c.target;
        EXPECT_EQ(fs::weakly_canonical(replace.target), fs::weakly_canonical(expected));
    }
    if (!c.readOk && c.replaceOk == false && std::string(c.reasonPart) != "read-only") {
        ASSERT_TRUE(read.reason);
        EXPECT_NE(read.reason->en.find(c.reasonPart), std::string::npos) << read.reason->en;
    }

    // The channel data file follows the same decision, and a refused save
    // leaves whatever stood there as it was.
    const FileBytes bytes = ReadRegularFile(path, 16);
    EXPECT_EQ(bytes.ok, c.readOk);
    const ChannelFileSaveResult saved = SaveChannelFile(path, Image(4, 0x5A));
    if (c.entry == Entry::UnderMissingFolder) {
        EXPECT_FALSE(saved.ok);
    } else {
        EXPECT_EQ(saved.ok, c.replaceOk) << (saved.message ? saved.message->en : "");
    }
    std::error_code ec;
    const fs::file_status after = fs::symlink_status(s / "x", ec);
    switch (c.entry) {
    case Entry::Folder: EXPECT_TRUE(fs::is_directory(after)); break;
    case Entry::Fifo: EXPECT_TRUE(fs::is_fifo(after)); break;
    case Entry::Socket: EXPECT_TRUE(fs::is_socket(after)); break;
    case Entry::Device: EXPECT_TRUE(fs::is_character_file(after)); break;
    case Entry::ReadOnly: EXPECT_EQ(ReadBytes(path), "old"); break;
    case Entry::LinkToRegular:
    case Entry::DanglingLink:
    case Entry::LinkChain:
        // The link stays a link; the file it names holds the save.
        EXPECT_TRUE(fs::is_symlink(after));
        EXPECT_EQ(ReadBytes(s / "target"), std::string(4, '\x5A'));
        break;
    default: break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FileAccessKinds,
    ::testing::Values(
        AccessCase{"Regular", Entry::Regular, true, true, "", ""},
        AccessCase{"Missing", Entry::Missing, false, true, "", ""},
        AccessCase{"Folder", Entry::Folder, false, false, "folder", ""},
        AccessCase{"Fifo", Entry::Fifo, false, false, "named pipe", ""},
        AccessCase{"Socket", Entry::Socket, false, false, "socket", ""},
        AccessCase{"Device", Entry::Device, false, false, "device", ""},
        AccessCase{"LinkToRegular", Entry::LinkToRegular, true, true, "", "target"},
        AccessCase{"DanglingLink", Entry::DanglingLink, false, true, "", "target"},
        AccessCase{"LinkChain", Entry::LinkChain, true, true, "", "target"},
        AccessCase{"LinkLoop", Entry::LinkLoop, false, false, "symbolic links", ""},
        AccessCase{"ReadOnly", Entry::ReadOnly, true, false, "read-only", ""},
        AccessCase{"UnderMissingFolder", Entry::UnderMissingFolder, false, true, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileAccess, ReplaceableChecksTheFolderTakesAFileAndLeavesNothing) {
    Scratch s;
    EXPECT_TRUE(CheckFileReplaceable(s / "new.sin").ok);
    EXPECT_TRUE(fs::is_empty(s.dir)) << "the trial file is removed";

    const FileAccess missing = CheckFileReplaceable(s / "none" / "new.sin");
    EXPECT_FALSE(missing.ok);
    ASSERT_TRUE(missing.reason);
    EXPECT_NE(missing.reason->en.find(std::make_error_code(std::errc::no_such_file_or_directory).message()),
              std::string::npos);

    if (!RunningAsRoot()) {
        fs::create_directory(s / "locked");
        fs::permissions(s / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(CheckFileReplaceable(s / "locked" / "new.sin").ok);
    }
}

TEST(FileAccess, ReadStopsAtTheLimitAndSaysThereIsMore) {
    Scratch s;
    WriteBytes(s / "f", "abcdef");
    struct Row {
        std::size_t limit;
        const char* bytes;
        bool truncated;
    };
    for (const Row& row : {Row{3, "abc", true}, Row{6, "abcdef", false}, Row{10, "abcdef", false}, Row{0, "", true}}) {
        const FileBytes got = ReadRegularFile(s / "f", row.limit);
        ASSERT_TRUE(got.ok) << row.limit;
        EXPECT_EQ(std::string(got.bytes.begin(), got.bytes.end()), row.bytes) << row.limit;
        EXPECT_EQ(got.truncated, row.truncated) << row.limit;
        EXPECT_EQ(got.size, 6u);
    }
}

TEST(FileAccess, ANamedPipeNeverHoldsTheReader) {
    Scratch s;
    ASSERT_EQ(::mkfifo((s / "pipe").c_str(), 0600), 0);
    // Were the pipe opened for reading, the call would wait for a writer
    // that never comes; a writer opened here afterwards releases it.
    auto load = std::async(std::launch::async,
                           [&] { return LoadChannelFile(s / "pipe", 1024); });
    const bool finished = load.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!finished) {
        const int fd = ::open((s / "pipe").c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }
    ASSERT_TRUE(finished) << "LoadChannelFile blocked on a named pipe";
    const ChannelFileLoadResult result = load.get();
    EXPECT_FALSE(result.ok);
    ASSERT_TRUE(result.message);
    EXPECT_NE(result.message->en.find("named pipe"), std::string::npos) << result.message->en;
    EXPECT_NE(result.message->ch.find("命名管道"), std::string::npos) << result.message->ch;
}

// A save killed at any moment by SIGINT, SIGTERM or SIGHUP leaves either the
// old file or the new one, and never a temporary file beside it.
TEST(FileAccess, SignalsDuringSavesLeaveNoTemporaryFile) {
    Scratch s;
    const fs::path target = s / "radio.sin";
    WriteBytes(target, std::string(4096, 'o'));
    std::mt19937 random(7);
    const int signals[] = {SIGINT, SIGTERM, SIGHUP};
    for (int round = 0; round < 60; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The child dies of the signal whatever this process inherited
            // (under nohup SIGHUP is ignored, and the child would save forever).
            for (const int sig : signals) ::signal(sig, SIG_DFL);
            const Image image(4096, static_cast<Byte>('a' + round % 26));
            for (;;) (void)SaveChannelFile(target, image);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200 + random() % 3000));
        ::kill(child, signals[round % 3]);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status));
        for (const auto& entry : fs::directory_iterator(s.dir)) {
            ASSERT_EQ(entry.path().filename(), "radio.sin") << "left behind after round " << round;
        }
        ASSERT_EQ(fs::file_size(target), 4096u);
    }
}

}  // namespace
}  // namespace vel

#endif  // _WIN32

// Backups before a write: the folder they go to, their names, the last 50
// kept per program, and files that are not backups left alone. Every test
// points XDG_DATA_HOME at a folder of its own: nothing goes into the home.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "image/backup_files.h"

namespace vel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

void SetEnv(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    if (value.empty())
        unsetenv(name);
    else
        setenv(name, value.c_str(), 1);
#endif
}

/// A temporary folder, and the environment variables of the folder lookup
/// restored afterwards.
struct Sandbox {
    fs::path root;
    std::string xdg, home;
    Sandbox() {
        std::mt19937_64 random(std::random_device{}());
        root = fs::temp_directory_path() / ("velmar_backup_test_" + std::to_string(random()));
        fs::create_directories(root);
        if (const char* v = std::getenv("XDG_DATA_HOME")) xdg = v;
        if (const char* v = std::getenv("HOME")) home = v;
        SetEnv("XDG_DATA_HOME", (root / "data").string());
    }
    ~Sandbox() {
        SetEnv("XDG_DATA_HOME", xdg);
        SetEnv("HOME", home);
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

Image ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Image(std::istreambuf_iterator<char>(in), {});
}

std::chrono::system_clock::time_point At(int secondsAfter) {
    return std::chrono::system_clock::from_time_t(1700000000) + std::chrono::seconds(secondsAfter);
}

TEST(BackupFolder, FollowsTheDataHome) {
    Sandbox box;
    EXPECT_EQ(DefaultBackupFolder(), (box.root / "data" / "Velmar" / "backups").string());
    // A relative XDG_DATA_HOME is to be ignored; the home's share folder is used.
    SetEnv("XDG_DATA_HOME", "relative/data");
    SetEnv("HOME", box.root.string());
#ifndef _WIN32
    EXPECT_EQ(DefaultBackupFolder(), (box.root / ".local" / "share" / "Velmar" / "backups").string());
#endif
}

TEST(BackupFileName, ProgramDateAndTime) {
    const std::string name = BackupFileName("VM_CH16", At(0));
    ASSERT_EQ(name.size(), std::string("VM_CH16-20231114-221320.sin").size()) << name;
    EXPECT_EQ(name.substr(0, 8), "VM_CH16-");
    EXPECT_EQ(name.substr(16, 1), "-");
    EXPECT_EQ(name.substr(name.size() - 4), ".sin");
}

TEST(SaveBackup, WritesTheImageUnderANewNameEachTime) {
    Sandbox box;
    const std::string folder = DefaultBackupFolder();
    const Image image(1024, 0x5A);
    const BackupSaveResult first = SaveBackup(folder, "Marlowe", image, At(0));
    ASSERT_TRUE(first.ok) << first.message.en;
    EXPECT_EQ(fs::path(first.path).parent_path(), fs::path(folder));
    EXPECT_EQ(fs::path(first.path).filename().string(), BackupFileName("Marlowe", At(0)));
    EXPECT_EQ(ReadFile(first.path), image);
    // Two more in the same second do not replace it.
    const BackupSaveResult second = SaveBackup(folder, "Marlowe", Image(1024, 0x01), At(0));
    const BackupSaveResult third = SaveBackup(folder, "Marlowe", Image(1024, 0x02), At(0));
    ASSERT_TRUE(second.ok && third.ok);
    EXPECT_NE(second.path, first.path);
    EXPECT_NE(third.path, second.path);
    EXPECT_EQ(ReadFile(first.path), image);
    EXPECT_EQ(ListBackups(folder, "Marlowe"), (std::vector<std::string>{first.path, second.path, third.path}));
}

TEST(SaveBackup, KeepsTheLastFiftyOfEachProgramAndNothingElseGoes) {
    Sandbox box;
    const std::string folder = (box.root / "backups").string();
    fs::create_directories(folder);
    // Files that are not this program's backups.
    for (const char* other : {"VM_CH16_CN-20200101-000000.sin", "notes.txt", "VM_CH16-old.sin",
                              "VM_CH16-20200101-000000.sin.tmp"})
        std::ofstream(fs::path(folder) / other) << "x";
    std::vector<std::string> made;
    for (int i = 0; i < kBackupsKept + 5; ++i) {
        const BackupSaveResult r = SaveBackup(folder, "VM_CH16", Image(16, static_cast<Byte>(i)), At(i));
        ASSERT_TRUE(r.ok);
        made.push_back(r.path);
    }
    const std::vector<std::string> kept = ListBackups(folder, "VM_CH16");
    ASSERT_EQ(kept.size(), static_cast<std::size_t>(kBackupsKept));
    EXPECT_EQ(kept.front(), made[5]);
    EXPECT_EQ(kept.back(), made.back());
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(fs::exists(made[static_cast<std::size_t>(i)])) << i;
    for (const char* other : {"VM_CH16_CN-20200101-000000.sin", "notes.txt", "VM_CH16-old.sin",
                              "VM_CH16-20200101-000000.sin.tmp"})
        EXPECT_TRUE(fs::exists(fs::path(folder) / other)) << other;
}

TEST(SaveBackup, SaysWhyWhenTheFolderCannotBeMade) {
    Sandbox box;
    const fs::path blocker = box.root / "file";
    std::ofstream(blocker) << "x";
    const BackupSaveResult r = SaveBackup((blocker / "backups").string(), "VM_CH16", Image(16, 0), At(0));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.en.find("backups"), std::string::npos) << r.message.en;
    EXPECT_FALSE(r.message.ch.empty());
    const BackupSaveResult none = SaveBackup("", "VM_CH16", Image(16, 0), At(0));
    EXPECT_FALSE(none.ok);
}

}  // namespace
}  // namespace vel

// Where a program finds its own files: beside itself (a portable copy), in
// the installed data folder, and its configuration file also in the user's
// configuration folder; where a missing configuration file is created.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "shell/startup_rules.h"

namespace vel {
namespace {

#ifndef _WIN32

struct DataDirCase {
    const char* programDir;
    const char* expected;
};

class DataDirectory : public ::testing::TestWithParam<DataDirCase> {};

TEST_P(DataDirectory, IsBesideTheBinFolder) {
    EXPECT_EQ(InstalledDataDirectory(GetParam().programDir, "Velmar_V"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DataDirectory,
                         ::testing::Values(DataDirCase{"/usr/bin", "/usr/share/velmar/Velmar_V"},
                                           DataDirCase{"/usr/bin/", "/usr/share/velmar/Velmar_V"},
                                           DataDirCase{"/opt/velmar/bin//", "/opt/velmar/share/velmar/Velmar_V"},
                                           DataDirCase{"/bin", "/share/velmar/Velmar_V"},
                                           DataDirCase{"/", "/share/velmar/Velmar_V"},
                                           DataDirCase{"bin", "./share/velmar/Velmar_V"},
                                           DataDirCase{"", "../share/velmar/Velmar_V"}));

struct UserDirCase {
    const char* name;
    std::map<std::string, std::string> env;
    const char* expected;
};

void PrintTo(const UserDirCase& c, std::ostream* os) { *os << c.name; }

class UserConfigFolder : public ::testing::TestWithParam<UserDirCase> {};

TEST_P(UserConfigFolder, FollowsXdgThenHome) {
    const auto& env = GetParam().env;
    const std::string dir = UserConfigDirectory([&](const char* name) {
        const auto it = env.find(name);
        return it == env.end() ? std::string() : it->second;
    });
    EXPECT_EQ(dir, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserConfigFolder,
    ::testing::Values(UserDirCase{"xdg", {{"XDG_CONFIG_HOME", "/x/conf"}, {"HOME", "/home/d"}}, "/x/conf/velmar"},
                      UserDirCase{"relative_xdg_ignored", {{"XDG_CONFIG_HOME", "conf"}, {"HOME", "/home/d"}},
                                  "/home/d/.config/velmar"},
                      UserDirCase{"home_only", {{"HOME", "/home/d"}}, "/home/d/.config/velmar"},
                      UserDirCase{"nothing", {}, ""}));

// Lookups against a fixed set of existing paths.
struct LookupCase {
    const char* name;
    std::set<std::string> existing;
    const char* programFile;   // FindProgramFile("help/EN")
    const char* configFile;    // FindConfigFile("P.ini")
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.name; }

class Lookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(Lookup, BesideWinsThenUserThenInstalled) {
    const ProgramFolders folders = MakeProgramFolders("/p/bin", "P", "/home/d/.config/velmar");
    const auto exists = [&](const std::string& path) { return GetParam().existing.count(path) > 0; };
    EXPECT_EQ(FindProgramFile(folders, "help/EN", exists), GetParam().programFile);
    EXPECT_EQ(FindConfigFile(folders, "P.ini", exists), GetParam().configFile);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Lookup,
    ::testing::Values(
        LookupCase{"portable_nothing", {}, "/p/bin/help/EN", ""},
        LookupCase{"portable_beside", {"/p/bin/help/EN", "/p/bin/P.ini"}, "/p/bin/help/EN", "/p/bin/P.ini"},
        LookupCase{"installed_nothing", {"/p/share/velmar/P"}, "/p/share/velmar/P/help/EN", ""},
        LookupCase{"installed_files",
                   {"/p/share/velmar/P", "/p/share/velmar/P/help/EN", "/p/share/velmar/P/P.ini"},
                   "/p/share/velmar/P/help/EN", "/p/share/velmar/P/P.ini"},
        LookupCase{"user_file_before_installed",
                   {"/p/share/velmar/P", "/p/share/velmar/P/P.ini", "/home/d/.config/velmar/P.ini"},
                   "/p/share/velmar/P/help/EN", "/home/d/.config/velmar/P.ini"},
        LookupCase{"beside_wins_over_all",
                   {"/p/share/velmar/P", "/p/share/velmar/P/help/EN", "/p/share/velmar/P/P.ini",
                    "/home/d/.config/velmar/P.ini", "/p/bin/help/EN", "/p/bin/P.ini"},
                   "/p/bin/help/EN", "/p/bin/P.ini"},
        LookupCase{"user_file_needs_no_data_folder", {"/home/d/.config/velmar/P.ini"}, "/p/bin/help/EN",
                   "/home/d/.config/velmar/P.ini"}));

TEST(Lookup, NoUserFolderSkipsIt) {
    const ProgramFolders folders = MakeProgramFolders("/p/bin", "P", "");
    const auto exists = [](const std::string& path) { return path == "/velmar/P.ini" || path == "/P.ini"; };
    EXPECT_EQ(FindConfigFile(folders, "P.ini", exists), "");
}

// Opening the configuration file on disk: which file is read, which is
// created, and that nothing is made anywhere else.
enum Where { kNone, kBeside, kUser, kData };

struct OpenCase {
    const char* name;
    bool installed;           // the data folder exists
    bool programDirWritable;  // false: the program "folder" is a file, so nothing can be made in it
    std::set<Where> present;  // configuration files there before
    bool create;
    bool ok;
    Where read;               // the file opened (kNone when none)
    std::set<Where> after;    // configuration files there after
};

void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }

class OpenConfig : public ::testing::TestWithParam<OpenCase> {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("velcore_program_files_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }
    std::filesystem::path root_;
};

TEST_P(OpenConfig, ReadsOrCreatesInTheRightPlace) {
    const OpenCase& c = GetParam();
    const std::filesystem::path bin = root_ / "bin";
    if (c.programDirWritable)
        std::filesystem::create_directories(bin);
    else
        std::ofstream(bin) << "not a folder";
    const ProgramFolders folders = MakeProgramFolders(bin.string(), "P", (root_ / "home" / "velmar").string());
    if (c.installed) std::filesystem::create_directories(folders.dataDir);
    const auto pathOf = [&](Where w) -> std::string {
        switch (w) {
            case kBeside: return (bin / "P.ini").string();
            case kUser: return folders.userConfigDir + "/P.ini";
            case kData: return folders.dataDir + "/P.ini";
            case kNone: break;
        }
        return {};
    };
    for (Where w : c.present) {
        std::filesystem::create_directories(std::filesystem::path(pathOf(w)).parent_path());
        std::ofstream(pathOf(w)) << "[MAIN]\nFROM=" << static_cast<int>(w) << "\n";
    }

    CConfigFile config;
    EXPECT_EQ(OpenProgramConfig(config, folders, "P.ini", c.create), c.ok);
    EXPECT_EQ(config.path(), pathOf(c.read));
    if (c.present.count(c.read) > 0) {
        EXPECT_EQ(config.GetValue("MAIN", "FROM", ""), std::to_string(c.read));
    }
    for (Where w : {kBeside, kUser, kData})
        EXPECT_EQ(PathExists(pathOf(w)), c.after.count(w) > 0) << pathOf(w);
    if (c.after.count(kUser) == 0 && c.present.count(kUser) == 0) {
        EXPECT_FALSE(PathExists(folders.userConfigDir)) << "user folder made for nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenConfig,
    ::testing::Values(
        OpenCase{"portable_creates_beside", false, true, {}, true, true, kBeside, {kBeside}},
        OpenCase{"portable_read_only_creates_for_user", false, false, {}, true, true, kUser, {kUser}},
        OpenCase{"installed_creates_for_user", true, true, {}, true, true, kUser, {kUser}},
        OpenCase{"installed_default_is_read", true, true, {kData}, true, true, kData, {kData}},
        OpenCase{"user_file_before_default", true, true, {kData, kUser}, true, true, kUser, {kData, kUser}},
        OpenCase{"beside_wins", true, true, {kBeside, kUser, kData}, false, true, kBeside,
                 {kBeside, kUser, kData}},
        OpenCase{"no_creation_wanted", true, true, {}, false, false, kNone, {}},
        OpenCase{"portable_no_creation_wanted", false, true, {}, false, false, kNone, {}},
        OpenCase{"user_file_of_portable_copy", false, true, {kUser}, true, true, kUser, {kUser}}));

#endif  // _WIN32

}  // namespace
}  // namespace vel

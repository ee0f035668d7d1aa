#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "image/document_file.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace vel {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kImageSize = 4096;

Image Pattern(std::size_t size, unsigned seed = 3) {
    Image bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<Byte>(i * 7 + seed);
    return bytes;
}

void WriteFile(const fs::path& path, const Image& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

Image ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Image(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Mentions(const Text& text, const std::string& part) {
    return text.en.find(part) != std::string::npos && text.ch.find(part) != std::string::npos;
}

bool RunningAsRoot() {
#ifndef _WIN32
    return ::geteuid() == 0;
#else
    return false;
#endif
}

class ChannelFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device device;
        dir_ = fs::temp_directory_path() / ("velmar-file-test-" + std::to_string(device()));
        fs::create_directories(dir_);
    }

    void TearDown() override {
        std::error_code ec;
#ifndef _WIN32
        // Undo any permission change a test made so that the folder can go.
        for (auto& entry : fs::recursive_directory_iterator(dir_, ec)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
#endif
        fs::remove_all(dir_, ec);
    }

    // Names of everything in `folder`, to prove that no temporary file stays.
    static std::vector<std::string> Entries(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

// ------------------------------------------------------------------ loading

struct LoadCase {
    std::size_t fileSize;
    std::size_t expectedSize;
    bool ok;
    bool warning;
};

class ChannelFileLoadSizes : public ChannelFileTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(ChannelFileLoadSizes, RefusesShortFilesAndWarnsAboutLongOnes) {
    const LoadCase c = GetParam();
    const fs::path path = dir_ / "channels.sin";
    const Image content = Pattern(c.fileSize);
    WriteFile(path, content);

    const ChannelFileLoadResult result = LoadChannelFile(path, c.expectedSize);

    EXPECT_EQ(result.ok, c.ok);
    EXPECT_EQ(result.message.has_value(), !c.ok);
    EXPECT_EQ(result.warning.has_value(), c.warning);
    if (c.ok) {
        EXPECT_EQ(result.image, Image(content.begin(), content.begin() + static_cast<std::ptrdiff_t>(c.expectedSize)));
    } else {
        EXPECT_TRUE(result.image.empty());
        ASSERT_TRUE(result.message);
        EXPECT_TRUE(Mentions(*result.message, path.string())) << result.message->en;
        EXPECT_TRUE(Mentions(*result.message, std::to_string(c.expectedSize))) << result.message->en;
        if (c.fileSize > 0) {
            EXPECT_TRUE(Mentions(*result.message, std::to_string(c.fileSize))) << result.message->en;
        }
    }
    if (c.warning) {
        EXPECT_TRUE(Mentions(*result.warning, path.string())) << result.warning->en;
        EXPECT_TRUE(Mentions(*result.warning, std::to_string(c.fileSize))) << result.warning->en;
        EXPECT_TRUE(Mentions(*result.warning, std::to_string(c.expectedSize))) << result.warning->en;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ChannelFileLoadSizes,
                         ::testing::Values(LoadCase{0, kImageSize, false, false}, LoadCase{1, kImageSize, false, false},
                                           LoadCase{4095, kImageSize, false, false},
                                           LoadCase{4096, kImageSize, true, false},
                                           LoadCase{4097, kImageSize, true, true},
                                           LoadCase{10000, kImageSize, true, true},
                                           LoadCase{1023, 1024, false, false}, LoadCase{1024, 1024, true, false},
                                           LoadCase{3168, 3168, true, false}, LoadCase{4096, 2048, true, true}));

TEST_F(ChannelFileTest, EmptyFileSaysSo) {
    const fs::path path = dir_ / "empty.sin";
    WriteFile(path, {});
    const ChannelFileLoadResult result = LoadChannelFile(path, kImageSize);
    ASSERT_FALSE(result.ok);
    EXPECT_NE(result.message->en.find("empty"), std::string::npos) << result.message->en;
    EXPECT_NE(result.message->ch.find("空文件"), std::string::npos) << result.message->ch;
}

TEST_F(ChannelFileTest, MissingFileNamesTheSystemReason) {
    const fs::path path = dir_ / "absent.sin";
    const ChannelFileLoadResult result = LoadChannelFile(path, kImageSize);
    ASSERT_FALSE(result.ok);
    ASSERT_TRUE(result.message);
    EXPECT_TRUE(Mentions(*result.message, path.string())) << result.message->en;
    const std::string reason = std::make_error_code(std::errc::no_such_file_or_directory).message();
    EXPECT_TRUE(Mentions(*result.message, reason)) << result.message->en;
    EXPECT_TRUE(result.image.empty());
}

TEST_F(ChannelFileTest, FolderIsRefused) {
    const ChannelFileLoadResult result = LoadChannelFile(dir_, kImageSize);
    ASSERT_FALSE(result.ok);
    EXPECT_TRUE(Mentions(*result.message, dir_.string())) << result.message->en;
}

TEST_F(ChannelFileTest, UnreadableFileIsRefused) {
    if (RunningAsRoot()) GTEST_SKIP() << "permission bits do not stop the superuser";
#ifndef _WIN32
    const fs::path path = dir_ / "locked.sin";
    WriteFile(path, Pattern(kImageSize));
    fs::permissions(path, fs::perms::none);
    const ChannelFileLoadResult result = LoadChannelFile(path, kImageSize);
    ASSERT_FALSE(result.ok);
    EXPECT_TRUE(Mentions(*result.message, std::make_error_code(std::errc::permission_denied).message()));
#endif
}

// ------------------------------------------------------------------- saving

TEST_F(ChannelFileTest, SaveThenLoadGivesTheSameBytes) {
    const fs::path path = dir_ / "round.sin";
    const Image image = Pattern(kImageSize, 11);
    ASSERT_TRUE(SaveChannelFile(path, image).ok);
    EXPECT_EQ(ReadFile(path), image);

    const ChannelFileLoadResult loaded = LoadChannelFile(path, kImageSize);
    ASSERT_TRUE(loaded.ok);
    EXPECT_FALSE(loaded.warning);
    EXPECT_EQ(loaded.image, image);

    // Saving what was loaded writes the same file again.
    ASSERT_TRUE(SaveChannelFile(path, loaded.image).ok);
    EXPECT_EQ(ReadFile(path), image);
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"round.sin"});
}

TEST_F(ChannelFileTest, SaveReplacesALongerFileCompletely) {
    const fs::path path = dir_ / "long.sin";
    WriteFile(path, Pattern(10000, 5));
    const Image image = Pattern(kImageSize, 1);
    const ChannelFileSaveResult saved = SaveChannelFile(path, image);
    ASSERT_TRUE(saved.ok);
    EXPECT_FALSE(saved.message);
    EXPECT_EQ(ReadFile(path), image);
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"long.sin"});
}

TEST_F(ChannelFileTest, SaveHandlesNonAsciiNames) {
    const fs::path path = dir_ / fs::path(u8"信道 数据.sin");
    const Image image = Pattern(1024, 9);
    ASSERT_TRUE(SaveChannelFile(path, image).ok);
    const ChannelFileLoadResult loaded = LoadChannelFile(path, 1024);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.image, image);
}

TEST_F(ChannelFileTest, SaveOntoAFolderFailsAndLeavesItAlone) {
    // The rename itself fails here, whoever runs the test.
    const fs::path target = dir_ / "taken.sin";
    fs::create_directory(target);
    WriteFile(target / "inside.txt", Pattern(10));

    const ChannelFileSaveResult saved = SaveChannelFile(target, Pattern(kImageSize));
    EXPECT_FALSE(saved.ok);
    ASSERT_TRUE(saved.message);
    EXPECT_TRUE(Mentions(*saved.message, target.string())) << saved.message->en;
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(ReadFile(target / "inside.txt"), Pattern(10));
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"taken.sin"});
}

TEST_F(ChannelFileTest, SaveIntoAMissingFolderFails) {
    const fs::path target = dir_ / "no-such-folder" / "x.sin";
    const ChannelFileSaveResult saved = SaveChannelFile(target, Pattern(kImageSize));
    EXPECT_FALSE(saved.ok);
    ASSERT_TRUE(saved.message);
    EXPECT_TRUE(Mentions(*saved.message, target.string()));
    EXPECT_TRUE(Entries(dir_).empty());
}

TEST_F(ChannelFileTest, SaveBelowAFileFails) {
    const fs::path notFolder = dir_ / "plain.sin";
    WriteFile(notFolder, Pattern(kImageSize, 4));
    const ChannelFileSaveResult saved = SaveChannelFile(notFolder / "x.sin", Pattern(kImageSize));
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(ReadFile(notFolder), Pattern(kImageSize, 4));
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"plain.sin"});
}

TEST_F(ChannelFileTest, SaveWithoutAFileNameFails) {
    EXPECT_FALSE(SaveChannelFile(fs::path(), Pattern(16)).ok);
    EXPECT_FALSE(SaveChannelFile(dir_ / "", Pattern(16)).ok);
    EXPECT_TRUE(Entries(dir_).empty());
}

#ifndef _WIN32

// Limits the size of files this process may write, for the life of the
// object, so that a write fails part-way as on a full disk. The superuser is
// bound by the limit too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = SIG_DFL;
};

TEST_F(ChannelFileTest, FailedWriteKeepsTheExistingFile) {
    const fs::path path = dir_ / "keep.sin";
    const Image old = Pattern(kImageSize, 2);
    WriteFile(path, old);

    ChannelFileSaveResult saved;
    {
        const FileSizeLimit limit(1000);
        saved = SaveChannelFile(path, Pattern(kImageSize, 8));
    }
    EXPECT_FALSE(saved.ok);
    ASSERT_TRUE(saved.message);
    EXPECT_TRUE(Mentions(*saved.message, path.string())) << saved.message->en;
    EXPECT_TRUE(Mentions(*saved.message, std::make_error_code(std::errc::file_too_large).message()))
        << saved.message->en;
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"keep.sin"});
}

TEST_F(ChannelFileTest, SaveKeepsPermissionBitsOfTheFileItReplaces) {
    const fs::path path = dir_ / "mode.sin";
    WriteFile(path, Pattern(16));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(SaveChannelFile(path, Pattern(kImageSize)).ok);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(ChannelFileTest, SaveThroughALinkUpdatesTheLinkedFile) {
    const fs::path real = dir_ / "real.sin";
    const fs::path link = dir_ / "link.sin";
    WriteFile(real, Pattern(kImageSize, 1));
    fs::create_symlink(real, link);
    ASSERT_TRUE(SaveChannelFile(link, Pattern(kImageSize, 6)).ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(real), Pattern(kImageSize, 6));
    EXPECT_EQ(Entries(dir_), (std::vector<std::string>{"link.sin", "real.sin"}));
}

TEST_F(ChannelFileTest, ReadOnlyFileIsNotReplaced) {
    if (RunningAsRoot()) GTEST_SKIP() << "permission bits do not stop the superuser";
    const fs::path path = dir_ / "readonly.sin";
    WriteFile(path, Pattern(kImageSize, 2));
    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(SaveChannelFile(path, Pattern(kImageSize, 8)).ok);
    EXPECT_EQ(ReadFile(path), Pattern(kImageSize, 2));
}

TEST_F(ChannelFileTest, ReadOnlyFolderKeepsTheExistingFile) {
    if (RunningAsRoot()) GTEST_SKIP() << "permission bits do not stop the superuser";
    const fs::path path = dir_ / "kept.sin";
    WriteFile(path, Pattern(kImageSize, 2));
    ::chmod(dir_.c_str(), 0555);
    EXPECT_FALSE(SaveChannelFile(path, Pattern(kImageSize, 8)).ok);
    EXPECT_EQ(ReadFile(path), Pattern(kImageSize, 2));
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"kept.sin"});
}

#endif  // !_WIN32

}  // namespace
}  // namespace vel

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "shell/config_file.h"

namespace vel {
namespace {

struct LookupCase {
    const char* name;
    const char* contents;
    const char* section;
    const char* key;
    const char* def;
    const char* expected;
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.name; }

class ConfigLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ConfigLookup, GivesExpectedValue) {
    const LookupCase& c = GetParam();
    CConfigFile config;
    config.Parse(c.contents);
    EXPECT_EQ(config.GetValue(c.section, c.key, c.def), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ConfigLookup,
    ::testing::Values(
        LookupCase{"plain", "[MAIN]\nLANGUAGE=english\n", "MAIN", "LANGUAGE", "", "english"},
        LookupCase{"lower_case_names", "[main]\nlanguage_force = 1\n", "MAIN", "LANGUAGE_FORCE", "", "1"},
        LookupCase{"mixed_case_lookup", "[Main]\nLanguage=x\n", "mAIN", "lANGUAGE", "", "x"},
        LookupCase{"later_key_wins", "[MAIN]\nLANGUAGE=first\nLANGUAGE=second\n", "MAIN", "LANGUAGE", "", "second"},
        LookupCase{"second_section_never_consulted", "[MAIN]\nA=1\n[MAIN]\nA=2\nB=3\n", "MAIN", "B", "dflt",
                   "dflt"},
        LookupCase{"first_section_of_repeated_name", "[MAIN]\nA=1\n[OTHER]\n[MAIN]\nA=2\n", "MAIN", "A", "", "1"},
        LookupCase{"slash_comment_keeps_blank", "[MAIN]\nLANGUAGE=english //comment\n", "MAIN", "LANGUAGE", "",
                   "english "},
        LookupCase{"tab_semicolon_cut", "[MAIN]\nA=x y\t; note\n", "MAIN", "A", "", "x y"},
        LookupCase{"semicolon_without_tab_kept", "[MAIN]\nA=x ; note\n", "MAIN", "A", "", "x ; note"},
        LookupCase{"block_comment_cut", "[MAIN]\nA=abc /* note */\n", "MAIN", "A", "", "abc "},
        LookupCase{"slashes_before_block", "[MAIN]\nA=a/*b//c\n", "MAIN", "A", "", "a"},
        LookupCase{"whole_value_comment", "[MAIN]\nA=//nothing\n", "MAIN", "A", "dflt", ""},
        LookupCase{"first_equals_splits", "[MAIN]\nA = b = c\n", "MAIN", "A", "", "b = c"},
        LookupCase{"no_equals_is_empty_value", "[MAIN]\nFLAG\n", "MAIN", "FLAG", "dflt", ""},
        LookupCase{"key_and_value_trimmed", "[MAIN]\n\t  KEY \t=  v w \t\n", "MAIN", "KEY", "", "v w"},
        LookupCase{"missing_section_default_as_given", "[MAIN]\nA=1\n", "NONE", "A", "  d  ", "  d  "},
        LookupCase{"missing_key_default_trimmed", "[MAIN]\nA=1\n", "MAIN", "B", "  d  ", "d"},
        LookupCase{"header_name_as_it_stands", "[ MAIN ]\nA=1\n", "MAIN", "A", "no", "no"},
        LookupCase{"header_with_blanks_found", "[ MAIN ]\nA=1\n", " main ", "A", "no", "1"},
        LookupCase{"header_indented", "   [MAIN]   \nA=1\n", "MAIN", "A", "", "1"},
        LookupCase{"entries_before_header_unnamed", "A=0\n[MAIN]\nA=1\n", "", "A", "", "0"},
        LookupCase{"crlf_line_ends", "[MAIN]\r\nA=1\r\nB=two\r\n", "MAIN", "B", "", "two"},
        LookupCase{"byte_order_mark", "\xEF\xBB\xBF[MAIN]\nA=1\n", "MAIN", "A", "", "1"},
        LookupCase{"last_line_without_end", "[MAIN]\nA=1", "MAIN", "A", "", "1"},
        LookupCase{"bracket_alone_is_entry", "[MAIN]\n[\nA=1\n", "MAIN", "A", "", "1"},
        LookupCase{"empty_brackets_open_section", "[MAIN]\n[]\nA=1\n", "MAIN", "A", "no", "no"},
        LookupCase{"empty_file", "", "MAIN", "A", " x ", " x "}));

struct CommentCase {
    const char* line;
};

class ConfigCommentKey : public ::testing::TestWithParam<CommentCase> {};

TEST_P(ConfigCommentKey, IsSkipped) {
    CConfigFile config;
    config.Parse(std::string("[MAIN]\n") + GetParam().line + "\nREAL=1\n");
    ASSERT_EQ(config.sections().size(), 2u);
    ASSERT_EQ(config.sections()[1].keys.size(), 1u) << GetParam().line;
    EXPECT_EQ(config.sections()[1].keys[0], "REAL");
}

INSTANTIATE_TEST_SUITE_P(Keys, ConfigCommentKey,
                         ::testing::Values(CommentCase{""}, CommentCase{"   "}, CommentCase{"=value"},
                                           CommentCase{"; LANGUAGE=x"}, CommentCase{"// LANGUAGE=x"},
                                           CommentCase{"/LANGUAGE=x"}, CommentCase{"*LANGUAGE=x"},
                                           CommentCase{"\\LANGUAGE=x"}, CommentCase{"  ;indented"}));

TEST(ConfigFile, KeepsEntriesInFileOrderPerSection) {
    CConfigFile config;
    config.Parse("top=0\n[A]\nx=1\ny=2\n[B]\nz=3\n[A]\nw=4\n");
    const auto& s = config.sections();
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].name, "");
    EXPECT_EQ(s[0].keys, (std::vector<std::string>{"top"}));
    EXPECT_EQ(s[1].name, "A");
    EXPECT_EQ(s[1].keys, (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(s[1].values, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(s[3].name, "A");
    EXPECT_EQ(s[3].keys, (std::vector<std::string>{"w"}));
}

TEST(ConfigFile, ParseReplacesEarlierContents) {
    CConfigFile config;
    config.Parse("[MAIN]\nA=1\n");
    config.Parse("[MAIN]\nB=2\n");
    EXPECT_EQ(config.GetValue("MAIN", "A", "none"), "none");
    EXPECT_EQ(config.GetValue("MAIN", "B", ""), "2");
}

class ConfigFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("velcore_config_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(ConfigFileOnDisk, MissingFileIsCreatedEmptyAndGivesDefaults) {
    const auto path = (dir_ / "Velmar_V.ini").string();
    CConfigFile config;
    ASSERT_TRUE(config.Open(path));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    EXPECT_EQ(config.path(), path);
    EXPECT_EQ(config.GetValue("MAIN", "LANGUAGE_FORCE", " 0 "), " 0 ");  // no section: default as given
}

TEST_F(ConfigFileOnDisk, ReadsExistingFileWithoutChangingIt) {
    const auto path = dir_ / "X.ini";
    const std::string text = "[MAIN]\r\nTITLE=Seller\r\n";
    std::ofstream(path, std::ios::binary) << text;
    CConfigFile config;
    ASSERT_TRUE(config.Open(path.string()));
    EXPECT_EQ(config.GetValue("main", "title", ""), "Seller");
    config.Release();
    EXPECT_EQ(config.path(), "");
    EXPECT_EQ(config.GetValue("MAIN", "TITLE", "gone"), "gone");
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
}

TEST_F(ConfigFileOnDisk, OpenReleasesWhatWasHeld) {
    std::ofstream(dir_ / "a.ini") << "[MAIN]\nA=1\n";
    std::ofstream(dir_ / "b.ini") << "[MAIN]\nB=2\n";
    CConfigFile config;
    ASSERT_TRUE(config.Open((dir_ / "a.ini").string()));
    ASSERT_TRUE(config.Open((dir_ / "b.ini").string()));
    EXPECT_EQ(config.GetValue("MAIN", "A", "none"), "none");
    EXPECT_EQ(config.GetValue("MAIN", "B", ""), "2");
}

TEST_F(ConfigFileOnDisk, UncreatableFileFailsAndLeavesObjectEmpty) {
    std::ofstream(dir_ / "a.ini") << "[MAIN]\nA=1\n";
    CConfigFile config;
    ASSERT_TRUE(config.Open((dir_ / "a.ini").string()));
    EXPECT_FALSE(config.Open((dir_ / "no_such_dir" / "b.ini").string()));
    EXPECT_EQ(config.path(), "");
    EXPECT_EQ(config.GetValue("MAIN", "A", "dflt"), "dflt");
}

TEST_F(ConfigFileOnDisk, DirectoryInsteadOfFileFails) {
    std::filesystem::create_directory(dir_ / "d.ini");
    CConfigFile config;
    EXPECT_FALSE(config.Open((dir_ / "d.ini").string()));
    EXPECT_EQ(config.GetValue("MAIN", "A", "dflt"), "dflt");
}

}  // namespace
}  // namespace vel

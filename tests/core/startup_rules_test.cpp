#include <gtest/gtest.h>

#include "shell/leading_integer.h"
#include "shell/startup_rules.h"

namespace vel {
namespace {

struct PathCase {
    const char* path;
    const char* base;
    const char* directory;
};

class ProgramPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(ProgramPath, GivesBaseNameAndDirectory) {
    EXPECT_EQ(ProgramBaseName(GetParam().path), GetParam().base);
    EXPECT_EQ(ProgramDirectory(GetParam().path), GetParam().directory);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramPath,
    ::testing::Values(PathCase{"C:\\Program Files\\Velmar\\Velmar_V.exe", "Velmar_V", "C:\\Program Files\\Velmar"},
                      PathCase{"/opt/velmar/VM_CH128.exe", "VM_CH128", "/opt/velmar"},
                      PathCase{"/opt/velmar/Velmar_V", "MAIN", "/opt/velmar"},
                      PathCase{"C:\\my.tools\\prog", "MAIN", "C:\\my.tools"},
                      PathCase{"C:\\tools/mixed\\X.exe", "X", "C:\\tools/mixed"},
                      PathCase{"a.b.exe", "a.b", ""},
                      PathCase{"prog.", "prog", ""},
                      PathCase{"Marlowe.exe   ", "Marlowe", ""},
                      PathCase{"/Velmar_V.exe", "Velmar_V", "/"},
                      PathCase{"", "MAIN", ""}));

TEST(ProgramPath, LongPathIsNotCutShort) {
    const std::string dir = "/" + std::string(250, 'd');
    EXPECT_EQ(ProgramBaseName(dir + "/Velmar_V.exe"), "Velmar_V");
    EXPECT_EQ(ConfigFilePath(dir + "/Velmar_V.exe"), dir + "/Velmar_V.ini");
}

TEST(ProgramPath, ConfigFileBesideTheProgram) {
    EXPECT_EQ(ConfigFilePath("/opt/velmar/VM_CH128.exe"), "/opt/velmar/VM_CH128.ini");
    EXPECT_EQ(ConfigFilePath("/opt/velmar/Velmar_V"), "/opt/velmar/MAIN.ini");
    EXPECT_EQ(ConfigFilePath("Velmar_V.exe"), "Velmar_V.ini");
    EXPECT_EQ(ConfigFilePath("/X.exe"), "/X.ini");
}

#ifndef _WIN32
TEST(ProgramPath, LinuxExecutablesAreNamedWithoutExtension) {
    EXPECT_EQ(ExecutableBaseName("/opt/velmar/Velmar_V"), "Velmar_V");
    EXPECT_EQ(ExecutableBaseName("/opt/velmar/X"), "X");
    EXPECT_EQ(ExecutableBaseName("/opt/velmar/VM_CH16.bin"), "VM_CH16.bin");
    EXPECT_EQ(ExecutableConfigFilePath("/opt/velmar/VM_CH128"), "/opt/velmar/VM_CH128.ini");
    EXPECT_EQ(ExecutableConfigFilePath("Marlowe"), "Marlowe.ini");
}
#endif

struct LocaleCase {
    const char* locale;
    int primary;
};

class LocaleLanguage : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleLanguage, MapsToPrimaryLanguage) {
    EXPECT_EQ(PrimaryLanguageFromLocale(GetParam().locale), GetParam().primary);
}

INSTANTIATE_TEST_SUITE_P(Cases, LocaleLanguage,
                         ::testing::Values(LocaleCase{"zh_CN.UTF-8", 0x04}, LocaleCase{"zh-Hans", 0x04},
                                           LocaleCase{"ZH_TW", 0x04}, LocaleCase{"zh", 0x04},
                                           LocaleCase{"en_US.UTF-8", 0x09}, LocaleCase{"en", 0x09},
                                           LocaleCase{"de_DE", 0x00}, LocaleCase{"zhx", 0x00},
                                           LocaleCase{"C", 0x00}, LocaleCase{"", 0x00}));

struct LanguageCase {
    const char* name;
    const char* ini;       // nullptr: no configuration file
    int languageId;
    const char* expected;
};

void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.name; }

class LanguageChoice : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageChoice, GivesLanguageBaseName) {
    const LanguageCase& c = GetParam();
    CConfigFile config;
    if (c.ini != nullptr) config.Parse(c.ini);
    EXPECT_EQ(LanguageBaseName("Velmar_V", c.languageId, config), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageChoice,
    ::testing::Values(
        LanguageCase{"chinese_no_file", nullptr, 0x04, "Velmar_V_CH"},
        LanguageCase{"full_chinese_id", nullptr, 0x0804, "Velmar_V_CH"},
        LanguageCase{"english_no_file", nullptr, 0x09, "Velmar_V_EN"},
        LanguageCase{"other_language", nullptr, 0x07, "Velmar_V_EN"},
        LanguageCase{"neutral", nullptr, 0x00, "Velmar_V_EN"},
        LanguageCase{"forced", "[MAIN]\nLANGUAGE_FORCE=1\nLANGUAGE=english\n", 0x04, "english"},
        LanguageCase{"forced_lower_case", "[main]\nlanguage_force = 1\nlanguage = english\n", 0x04, "english"},
        LanguageCase{"forced_with_comment", "[MAIN]\nLANGUAGE_FORCE=1\nLANGUAGE=english //c\n", 0x09, "english "},
        LanguageCase{"forced_later_line_wins", "[MAIN]\nLANGUAGE_FORCE=1\nLANGUAGE=a\nLANGUAGE=b\n", 0x09, "b"},
        LanguageCase{"forced_empty_language", "[MAIN]\nLANGUAGE_FORCE=1\n", 0x04, ""},
        LanguageCase{"forced_leading_number", "[MAIN]\nLANGUAGE_FORCE=1abc\nLANGUAGE=x\n", 0x04, "x"},
        LanguageCase{"forced_plus_one", "[MAIN]\nLANGUAGE_FORCE=+01\nLANGUAGE=x\n", 0x04, "x"},
        LanguageCase{"force_two", "[MAIN]\nLANGUAGE_FORCE=2\nLANGUAGE=x\n", 0x04, "Velmar_V_CH"},
        LanguageCase{"force_word", "[MAIN]\nLANGUAGE_FORCE=yes\nLANGUAGE=x\n", 0x04, "Velmar_V_CH"},
        LanguageCase{"force_eleven", "[MAIN]\nLANGUAGE_FORCE=11\nLANGUAGE=x\n", 0x09, "Velmar_V_EN"},
        LanguageCase{"force_huge", "[MAIN]\nLANGUAGE_FORCE=4294967297\nLANGUAGE=x\n", 0x09, "Velmar_V_EN"},
        LanguageCase{"force_empty", "[MAIN]\nLANGUAGE_FORCE=\nLANGUAGE=x\n", 0x09, "Velmar_V_EN"},
        LanguageCase{"force_in_second_main", "[MAIN]\nA=1\n[MAIN]\nLANGUAGE_FORCE=1\nLANGUAGE=x\n", 0x04,
                     "Velmar_V_CH"},
        LanguageCase{"force_in_other_section", "[OTHER]\nLANGUAGE_FORCE=1\nLANGUAGE=x\n", 0x04, "Velmar_V_CH"}));

TEST(LanguageChoice, ProgramWithoutExtensionUsesMain) {
    CConfigFile none;
    const std::string base = ProgramBaseName("/usr/bin/velmar");
    EXPECT_EQ(LanguageBaseName(base, 0x04, none), "MAIN_CH");
    EXPECT_EQ(LanguageBaseName(base, 0x09, none), "MAIN_EN");
}

struct InterfaceCase {
    const char* languageBase;
    const char* programBase;
    bool english;
};

class InterfaceLanguage : public ::testing::TestWithParam<InterfaceCase> {};

TEST_P(InterfaceLanguage, EnglishExactlyForBaseAndEn) {
    const InterfaceCase& c = GetParam();
    EXPECT_EQ(IsEnglishInterface(c.languageBase, c.programBase), c.english);
    EXPECT_EQ(UiLang(c.languageBase, c.programBase), c.english ? Lang::English : Lang::Chinese);
    EXPECT_EQ(HelpFileBaseName(c.languageBase, c.programBase), c.english ? "Velmar_V_EN" : "Velmar_V_CH");
}

INSTANTIATE_TEST_SUITE_P(Cases, InterfaceLanguage,
                         ::testing::Values(InterfaceCase{"Velmar_V_EN", "Velmar_V", true},
                                           InterfaceCase{"Velmar_V_CH", "Velmar_V", false},
                                           InterfaceCase{"english", "Velmar_V", false},
                                           InterfaceCase{"english ", "Velmar_V", false},
                                           InterfaceCase{"Velmar_V_en", "Velmar_V", false},
                                           InterfaceCase{"X_EN", "Velmar_V", false},
                                           InterfaceCase{"Velmar_V_EN ", "Velmar_V", false},
                                           InterfaceCase{"MAIN_EN", "MAIN", true},
                                           InterfaceCase{"_EN", "", true},
                                           InterfaceCase{"", "", false}));

struct IntegerCase {
    const char* text;
    int value;
};

class LeadingNumber : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(LeadingNumber, ReadsLikeTheCLibrary) { EXPECT_EQ(LeadingInteger(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Cases, LeadingNumber,
                         ::testing::Values(IntegerCase{"", 0}, IntegerCase{"1", 1}, IntegerCase{"  \t42", 42},
                                           IntegerCase{"007", 7}, IntegerCase{"12abc", 12}, IntegerCase{"abc", 0},
                                           IntegerCase{"-1", -1}, IntegerCase{"+5", 5}, IntegerCase{"+ 5", 0},
                                           IntegerCase{"--5", 0}, IntegerCase{"3 4", 3}, IntegerCase{"\r", 0},
                                           IntegerCase{"2147483647", 2147483647},
                                           IntegerCase{"99999999999999999999", 2147483647},
                                           IntegerCase{"-2147483648", -2147483647 - 1},
                                           IntegerCase{"-99999999999999999999", -2147483647 - 1}));

struct TypeNamesCase {
    const char* name;
    const char* ini;
    std::vector<std::string> names;   // what the Type list then shows
};
void PrintTo(const TypeNamesCase& c, std::ostream* os) { *os << c.name; }

class TypeNames : public ::testing::TestWithParam<TypeNamesCase> {};

TEST_P(TypeNames, NameTheTypeListsItemsInOrder) {
    CConfigFile config;
    config.Parse(GetParam().ini);
    Family family = VmCh128Family();
    NameTypeItems(family, ConfiguredTypeNames(config));
    const FormField* type = family.field(1017);
    ASSERT_NE(type, nullptr);
    std::vector<std::string> shown;
    for (const ListItem& item : type->items) shown.push_back(item.text.en);
    EXPECT_EQ(shown, GetParam().names);
    // The items still store the family's model codes.
    EXPECT_EQ(type->items.size(), VmCh128Family().field(1017)->items.size());
}

INSTANTIATE_TEST_SUITE_P(
    Configurations, TypeNames,
    ::testing::Values(
        TypeNamesCase{"None", "", {"VM - K10", "VM - K20", "VM - K30"}},
        TypeNamesCase{"Two", "[MAIN]\ntype1=Acme 1\nTYPE2=Acme 2\n", {"Acme 1", "Acme 2", "VM - K30"}},
        TypeNamesCase{"StopsAtTheFirstEmpty", "[MAIN]\nTYPE1=A\nTYPE2=\nTYPE3=C\n", {"A", "VM - K20", "VM - K30"}},
        TypeNamesCase{"MissingFirst", "[MAIN]\nTYPE2=B\n", {"VM - K10", "VM - K20", "VM - K30"}},
        TypeNamesCase{"MoreNamesThanItems", "[MAIN]\nTYPE1=A\nTYPE2=B\nTYPE3=C\nTYPE4=D\n", {"A", "B", "C"}},
        TypeNamesCase{"OtherSection", "[ABOUT]\nTYPE1=A\n", {"VM - K10", "VM - K20", "VM - K30"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct HelpFolderCase {
    const char* name;
    const Family& family;
    const char* languageBase;
    const char* programBase;
    std::vector<std::string> folders;
};
void PrintTo(const HelpFolderCase& c, std::ostream* os) { *os << c.name; }

class HelpFolders : public ::testing::TestWithParam<HelpFolderCase> {};
TEST_P(HelpFolders, AreTheProgramsOwnThenTheFamilys) {
    const HelpFolderCase& c = GetParam();
    EXPECT_EQ(HelpFolderNames(c.family, c.languageBase, c.programBase), c.folders);
}
INSTANTIATE_TEST_SUITE_P(
    Programs, HelpFolders,
    ::testing::Values(HelpFolderCase{"VelmarVChinese", VelmarVFamily(), "Velmar_V_CH", "Velmar_V", {"Velmar_V_CH"}},
                      HelpFolderCase{"VelmarVRenamed", VelmarVFamily(), "Acme_EN", "Acme", {"Velmar_V_EN"}},
                      HelpFolderCase{"Marlowe", MarloweFamily(), "", "Marlowe", {"Marlowe"}},
                      HelpFolderCase{"VmCh128Renamed", VmCh128Family(), "", "Acme", {"Acme", "VM_CH128"}},
                      HelpFolderCase{"VmCh16Cn", VmCh16CnFamily(), "VM_CH16_CN_CH", "VM_CH16_CN", {"VM_CH16_CN"}},
                      HelpFolderCase{"NoBaseName", VmCh16Family(), "", "", {"VM_CH16"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vel

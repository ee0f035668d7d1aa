#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "apps/marlowe/image_text.h"
#include "image/family.h"

namespace vel {
namespace {

/// A new Marlowe document, built byte by byte.
Image NewMarloweImage() {
    Image img(1024, 0xFF);
    const std::map<std::size_t, Byte> settings{{0x3C0, 0x2F}, {0x3C1, 5},    {0x3C2, 3},    {0x3C3, 0},
                                               {0x3C5, 0x12}, {0x3C6, 0x78}, {0x3C7, 0},    {0x3C8, 1},
                                               {0x3C9, 0},    {0x3CA, 0},    {0x3D2, 0xEE}, {0x3D3, 0x37}};
    for (const auto& [addr, value] : settings) img[addr] = value;
    for (std::size_t n = 1; n <= 16; ++n) img[16 * n + 12] = 0xFB;
    return img;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(ImageTextExport, NewMarloweDocument) {
    std::ostringstream out;
    ExportImageText(NewMarloweImage(), out);
    const std::string text = out.str();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('\r'), std::string::npos);

    const auto lines = Lines(text);
    ASSERT_EQ(lines.size(), 64u);
    EXPECT_EQ(lines[0], Repeat("|255", 16));
    EXPECT_EQ(lines[1], Repeat("|255", 12) + "|251" + Repeat("|255", 3));
    EXPECT_EQ(lines[16], lines[1]);
    EXPECT_EQ(lines[17], Repeat("|255", 16));
    EXPECT_TRUE(lines[60].starts_with("|47|5|3|0|255|18|120|0|1|0|0|255")) << lines[60];
    EXPECT_EQ(lines[60], "|47|5|3|0|255|18|120|0|1|0|0|255|255|255|255|255");
    EXPECT_EQ(lines[61], "|255|255|238|55" + Repeat("|255", 12));
    EXPECT_EQ(lines[63], Repeat("|255", 16));
}

struct ExportCase {
    Image image;
    const char* expected;
};

class ImageTextExportShape : public ::testing::TestWithParam<ExportCase> {};

TEST_P(ImageTextExportShape, OneLinePerRow) {
    std::ostringstream out;
    ExportImageText(GetParam().image, out);
    EXPECT_EQ(out.str(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImageTextExportShape,
    ::testing::Values(ExportCase{Image{}, ""}, ExportCase{Image{0, 9, 10, 100}, "|0|9|10|100\n"},
                      ExportCase{Image(17, 7), "|7|7|7|7|7|7|7|7|7|7|7|7|7|7|7|7\n|7\n"},
                      ExportCase{Image(16, 0), "|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\n"}));

struct ImportCase {
    const char* name;
    std::string text;
    std::map<std::size_t, Byte> changed;   // every other byte keeps 0xAA
};

void PrintTo(const ImportCase& c, std::ostream* os) { *os << c.name; }

class ImageTextImport : public ::testing::TestWithParam<ImportCase> {};

TEST_P(ImageTextImport, StoresFieldsAndKeepsTheRest) {
    const ImportCase& c = GetParam();
    Image img(1024, 0xAA);
    std::istringstream in(c.text);
    ImportImageText(in, img);
    ASSERT_EQ(img.size(), 1024u);
    for (std::size_t addr = 0; addr < img.size(); ++addr) {
        const auto it = c.changed.find(addr);
        const Byte expected = it == c.changed.end() ? 0xAA : it->second;
        ASSERT_EQ(img[addr], expected) << "byte 0x" << std::hex << addr;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImageTextImport,
    ::testing::Values(
        ImportCase{"three_fields_into_row_5", "\n\n\n\n\n|1|2|3\n", {{0x50, 1}, {0x51, 2}, {0x52, 3}}},
        ImportCase{"text_before_first_bar_ignored", "12|7\n", {{0x00, 7}}},
        ImportCase{"no_line_end_at_file_end", "|4|5", {{0x00, 4}, {0x01, 5}}},
        ImportCase{"empty_file", "", {}},
        ImportCase{"empty_lines", "\n\n\n", {}},
        ImportCase{"crlf", "|1|2\r\n|3\r\n", {{0x00, 1}, {0x01, 2}, {0x10, 3}}},
        ImportCase{"lone_cr_line", "\r\n|8\r\n", {{0x10, 8}}},
        ImportCase{"low_eight_bits", "|256|300|-1|65535|99999999999", {{0, 0}, {1, 44}, {2, 255}, {3, 255}, {4, 255}}},
        ImportCase{"atoi_like_fields", "x|abc|  7z| +3|-|", {{0, 0}, {1, 7}, {2, 3}, {3, 0}, {4, 0}}},
        ImportCase{"garbage_without_bars", "\x01\x02 hello \xFF\xFE\nworld", {}},
        ImportCase{"long_line_runs_on",
                   "|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18\n|99\n",
                   {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}, {8, 9}, {9, 10},
                    {10, 11}, {11, 12}, {12, 13}, {13, 14}, {14, 15}, {15, 16}, {16, 99}, {17, 18}}},
        ImportCase{"last_row_never_past_the_end",
                   std::string(63, '\n') + "|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19\n",
                   {{0x3F0, 1}, {0x3F1, 2}, {0x3F2, 3}, {0x3F3, 4}, {0x3F4, 5}, {0x3F5, 6}, {0x3F6, 7},
                    {0x3F7, 8}, {0x3F8, 9}, {0x3F9, 10}, {0x3FA, 11}, {0x3FB, 12}, {0x3FC, 13}, {0x3FD, 14},
                    {0x3FE, 15}, {0x3FF, 16}}},
        ImportCase{"lines_after_last_row_ignored", std::string(64, '\n') + "|1|2|3\n", {}},
        ImportCase{"very_long_line", "|5" + Repeat("|", 100000) + "\n|6\n", [] {
                       // 100000 empty fields fill every byte from 1 to the end with 0;
                       // the next line then sets byte 0x10.
                       std::map<std::size_t, Byte> m;
                       m[0] = 5;
                       for (std::size_t a = 1; a < 1024; ++a) m[a] = 0;
                       m[0x10] = 6;
                       return m;
                   }()}));

TEST(ImageTextImport, RoundTripRestoresTheImage) {
    Image original(1024);
    for (std::size_t i = 0; i < original.size(); ++i) original[i] = static_cast<Byte>(i * 37 + 11);
    std::stringstream text;
    ExportImageText(original, text);
    Image restored(1024, 0);
    ImportImageText(text, restored);
    EXPECT_EQ(restored, original);
}

class ImageTextFile : public ::testing::Test {
protected:
    void SetUp() override {
        // A parameterised test's name holds a "/", which is no part of a file name.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        dir_ = std::filesystem::temp_directory_path() /
               ("velcore_image_text_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" + name);
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string file(const char* name) const { return (dir_ / name).string(); }
    std::filesystem::path dir_;
};

TEST_F(ImageTextFile, ExportReplacesAnOlderLongerFile) {
    const auto path = file(kImageTextFileName);
    std::ofstream(path) << Repeat("old text\n", 500);
    ASSERT_TRUE(ExportImageTextFile(path, NewMarloweImage()));
    std::ifstream in(path);
    std::ostringstream expected;
    ExportImageText(NewMarloweImage(), expected);
    std::string got(std::istreambuf_iterator<char>(in), {});
#ifdef _WIN32
    std::erase(got, '\r');
#endif
    EXPECT_EQ(got, expected.str());
}

TEST_F(ImageTextFile, ExportIntoMissingDirectoryFails) {
    EXPECT_FALSE(ExportImageTextFile(file("missing/1.txt"), NewMarloweImage()));
}

TEST_F(ImageTextFile, ImportReadsTheExportedFile) {
    const auto path = file(kImageTextFileName);
    ASSERT_TRUE(ExportImageTextFile(path, NewMarloweImage()));
    Image img(1024, 0);
    const auto result = ImportImageTextFile(path, img);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.message.en.empty());
    EXPECT_EQ(img, NewMarloweImage());
}

TEST_F(ImageTextFile, MissingFileLeavesImageAndSaysSo) {
    const auto path = file(kImageTextFileName);
    Image img(1024, 0x5A);
    const auto result = ImportImageTextFile(path, img);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.en.find(path), std::string::npos);
    EXPECT_NE(result.message.ch.find(path), std::string::npos);
    EXPECT_FALSE(result.message.en.empty());
    EXPECT_EQ(img, Image(1024, 0x5A));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ImageTextFile, UnreadableFileLeavesImageAndSaysSo) {
    const auto path = file(kImageTextFileName);
    std::filesystem::create_directory(path);
    Image img(1024, 0x5A);
    const auto result = ImportImageTextFile(path, img);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.en.find("could not be read"), std::string::npos);
    EXPECT_EQ(img, Image(1024, 0x5A));
}

// ---------------------------------------------------------------------------
// Recognising a text form, so that a foreign "1.txt" is never overwritten
// ---------------------------------------------------------------------------

std::string ExportedText(const Image& image, const std::string& lineEnd = "\n") {
    std::ostringstream out;
    ExportImageText(image, out);
    std::string text;
    for (char c : out.str()) text += c == '\n' ? lineEnd : std::string(1, c);
    return text;
}

struct FormCase {
    const char* name;
    std::string text;
    bool isForm;
};

void PrintTo(const FormCase& c, std::ostream* os) { *os << c.name; }

class ImageTextForm : public ::testing::TestWithParam<FormCase> {};

TEST_P(ImageTextForm, SixtyFourLinesOfByteValues) { EXPECT_EQ(IsImageTextForm(GetParam().text, 64), GetParam().isForm); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ImageTextForm,
    ::testing::Values(
        FormCase{"exported", ExportedText(NewMarloweImage()), true},
        FormCase{"exported_crlf", ExportedText(NewMarloweImage(), "\r\n"), true},
        FormCase{"no_last_line_end", Repeat("|1|2\n", 63) + "|1|2", true},
        FormCase{"short_lines", Repeat("|0\n", 64), true},
        FormCase{"63_lines", Repeat(Repeat("|255", 16) + "\n", 63), false},
        FormCase{"65_lines", Repeat(Repeat("|255", 16) + "\n", 65), false},
        FormCase{"value_above_255", "|256\n" + Repeat("|1\n", 63), false},
        FormCase{"four_digits", "|0255\n" + Repeat("|1\n", 63), false},
        FormCase{"empty_field", "|1||2\n" + Repeat("|1\n", 63), false},
        FormCase{"text_before_bar", "12|7\n" + Repeat("|1\n", 63), false},
        FormCase{"blank_inside", "|1| 2\n" + Repeat("|1\n", 63), false},
        FormCase{"empty_line", "\n" + Repeat("|1\n", 63), false},
        FormCase{"lone_cr", "|1\r|2\n" + Repeat("|1\n", 63), false},
        FormCase{"prose", "Shopping list\nmilk\n", false},
        FormCase{"empty", "", false}));

// ---------------------------------------------------------------------------
// The export after every store of the window
// ---------------------------------------------------------------------------

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Image OtherImage() {
    Image img(1024);
    for (std::size_t i = 0; i < img.size(); ++i) img[i] = static_cast<Byte>(i * 7);
    return img;
}

struct AfterStoreCase {
    const char* name;
    std::optional<std::string> before;   // what "1.txt" holds first; nothing = no file
    StoreExportOutcome outcome;
};

void PrintTo(const AfterStoreCase& c, std::ostream* os) { *os << c.name; }

class ImageTextAfterStore : public ImageTextFile, public ::testing::WithParamInterface<AfterStoreCase> {};

TEST_P(ImageTextAfterStore, WritesTheTextFormOrKeepsAForeignFile) {
    const std::filesystem::path path = file(kImageTextFileName);
    if (GetParam().before) std::ofstream(path, std::ios::binary) << *GetParam().before;
    const StoreExportResult r = ExportImageTextAfterStore(NewMarloweImage(), path);
    EXPECT_EQ(r.outcome, GetParam().outcome);
    if (GetParam().outcome == StoreExportOutcome::Written) {
        EXPECT_FALSE(r.note);
        EXPECT_EQ(ReadAll(path), ImageTextFileContents(NewMarloweImage()));
    } else {
        ASSERT_TRUE(r.note);
        EXPECT_NE(r.note->en.find(path.string()), std::string::npos) << r.note->en;
        EXPECT_EQ(ReadAll(path), *GetParam().before);
    }
    // Nothing but the text form is left in the directory: no temporary file.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir_)) ++entries;
    EXPECT_EQ(entries, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImageTextAfterStore,
    ::testing::Values(AfterStoreCase{"no_file", std::nullopt, StoreExportOutcome::Written},
                      AfterStoreCase{"older_text_form", ExportedText(OtherImage()), StoreExportOutcome::Written},
                      AfterStoreCase{"older_text_form_crlf", ExportedText(OtherImage(), "\r\n"),
                                     StoreExportOutcome::Written},
                      AfterStoreCase{"empty_file", std::string(), StoreExportOutcome::Written},
                      AfterStoreCase{"users_notes", "Dealer notes: call back Tuesday\n",
                                     StoreExportOutcome::ForeignFileKept},
                      AfterStoreCase{"edited_by_hand", ExportedText(NewMarloweImage()) + "|1\n",
                                     StoreExportOutcome::ForeignFileKept},
                      AfterStoreCase{"large_file", Repeat("|1|2|3|4\n", 30000), StoreExportOutcome::ForeignFileKept}));

TEST_F(ImageTextFile, AfterStoreLeavesADirectoryNamedLikeTheFileAlone) {
    const std::filesystem::path path = file(kImageTextFileName);
    std::filesystem::create_directory(path);
    const StoreExportResult r = ExportImageTextAfterStore(NewMarloweImage(), path);
    EXPECT_EQ(r.outcome, StoreExportOutcome::ForeignFileKept);
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(ImageTextFile, AfterStoreThatCannotWriteSaysWhy) {
    const StoreExportResult r = ExportImageTextAfterStore(NewMarloweImage(), file("missing/1.txt"));
    EXPECT_EQ(r.outcome, StoreExportOutcome::Failed);
    ASSERT_TRUE(r.note);
    EXPECT_NE(r.note->en.find("missing"), std::string::npos) << r.note->en;
}

// The family's step after a window store writes "1.txt" into the current
// directory; the other families have no such step.
TEST_F(ImageTextFile, MarlowesStepAfterAStoreWritesIntoTheCurrentDirectory) {
    for (const Family* family : AllFamilies())
        EXPECT_EQ(static_cast<bool>(family->afterWindowStore), family->id == FamilyId::Marlowe) << family->name;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    const std::optional<Text> note = MarloweFamily().afterWindowStore(OtherImage());
    std::filesystem::current_path(previous);
    EXPECT_FALSE(note);
    EXPECT_EQ(ReadAll(dir_ / kImageTextFileName), ImageTextFileContents(OtherImage()));
}

TEST(ImageTextFileContents, PlatformLineEnds) {
    const std::string text = ImageTextFileContents(NewMarloweImage());
#ifdef _WIN32
    EXPECT_EQ(text, ExportedText(NewMarloweImage(), "\r\n"));
#else
    EXPECT_EQ(text, ExportedText(NewMarloweImage()));
#endif
}

}  // namespace
}  // namespace vel

// Settings report layout: font sizes from the print area, positions in units
// of u, the y steps, page contents and every printed value.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "image/encodings.h"
#include "image/family.h"
#include "report/report_layout.h"
#include "table/channel_table.h"

using namespace vel;

namespace {

// A4 with 600 dpi and a print area of 4800 × 6814 pixels: h = 362, u = 132.
const ReportGeometry kA4{4800, 6814, 4800, 600, 600};
constexpr int kU = 132;

struct Doc {
    const Family& family;
    Image image;
    ChannelTable table;
    Lang lang;

    Doc(FamilyId id, Lang l) : family(GetFamily(id)), image(NewDocumentImage(family)), lang(l) { refill(); }
    void refill() {
        table = NewChannelTable(family, lang);
        FillChannelGrid(family, lang, image, table);
    }
    std::vector<ReportRun> page(int n, int lt = 400, int lb = 300) const {
        return LayoutReportPage(family, image, table, lang, n, kA4, {lt, lb});
    }
    /// Value printed after `label` on page 1 (the text of the run that starts
    /// with the label, less the label); fails when there is no such run.
    std::string value(const std::string& label) const {
        std::string found;
        int count = 0;
        for (const ReportRun& r : page(1)) {
            if (r.text.rfind(label, 0) == 0) {
                found = r.text.substr(label.size());
                ++count;
            }
        }
        EXPECT_EQ(count, 1) << "label " << label;
        return found;
    }
};

/// y of the channel block's heading: the line after "Channel Setting:".
int HeadingY(const std::vector<ReportRun>& runs) {
    const auto cs = std::find_if(runs.begin(), runs.end(), [](const ReportRun& r) {
        return r.text == "Channel Setting:" || r.text == "频道设置:";
    });
    EXPECT_TRUE(cs != runs.end() && cs + 1 != runs.end());
    return cs == runs.end() || cs + 1 == runs.end() ? 0 : (cs + 1)->y;
}

/// Runs of the channel lines: those at x = u below the heading.
std::vector<ReportRun> RowStarts(const std::vector<ReportRun>& runs, int headingY) {
    std::vector<ReportRun> rows;
    for (const ReportRun& r : runs) {
        if (r.x == kU && r.y < headingY) rows.push_back(r);
    }
    return rows;
}

void SetFrequency(Image& image, int recordAddr, std::int64_t units) {
    StoreFrequencyUnits(&image[static_cast<std::size_t>(recordAddr)], units);
    StoreFrequencyUnits(&image[static_cast<std::size_t>(recordAddr + 4)], units);
}

}  // namespace

// ---------------------------------------------------------------------------
// Fonts and the width unit
// ---------------------------------------------------------------------------

struct GeometryCase {
    ReportGeometry g;
    int h;
    int u;
    int bodyWidth;
    int titleX;
};

class ReportGeometryTest : public testing::TestWithParam<GeometryCase> {};

TEST_P(ReportGeometryTest, FontsAndTitlePosition) {
    const GeometryCase& c = GetParam();
    const Family& f = GetFamily(FamilyId::Velmar_V);
    const ReportFonts fonts = ReportFontsFor(f, Lang::English, c.g);
    EXPECT_EQ(fonts.charHeight, c.h);
    EXPECT_EQ(fonts.unit, c.u);
    EXPECT_EQ(fonts.title.height, -c.h);
    EXPECT_EQ(fonts.title.width, c.u);
    EXPECT_EQ(fonts.body.height, -c.h);
    EXPECT_EQ(fonts.body.width, c.bodyWidth);
    for (const ReportFontRequest* s : {&fonts.title, &fonts.body}) {
        EXPECT_EQ(s->weight, 400);
        EXPECT_EQ(s->pitchAndFamily, 48);
        EXPECT_EQ(s->face, "Times New Roman");
    }
    Image image = NewDocumentImage(f);
    ChannelTable table = NewChannelTable(f, Lang::English);
    const auto runs = LayoutReportPage(f, image, table, Lang::English, 1, c.g, {400, 300});
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs[0].font, ReportFont::Title);
    EXPECT_EQ(runs[0].x, c.titleX);
}

INSTANTIATE_TEST_SUITE_P(
    PrintAreas, ReportGeometryTest,
    testing::Values(
        // A4 at 600 dpi: h = 151·1440/600, u = (11520 − 900)/80, title 5760 − 18u.
        GeometryCase{{4800, 6814, 4800, 600, 600}, 362, 132, 105, 3384},
        // R odd: R / 2 is cut before the scaling (4801 would give 3385 otherwise).
        GeometryCase{{4800, 6814, 4801, 600, 600}, 362, 132, 105, 3384},
        // Letter at 300 dpi.
        GeometryCase{{2550, 3300, 2550, 300, 300}, 350, 141, 112, 3582},
        // Different densities: h follows dpiY, u and the title dpiX.
        GeometryCase{{4800, 13200, 4900, 600, 1200}, 351, 132, 105, 3504},
        // Screen-like preview device.
        GeometryCase{{794, 1123, 794, 96, 96}, 360, 137, 109, 3489}));

TEST(ReportGeometry, TinyPrintAreaGetsSmallestFontNotNegative) {
    const ReportFonts fonts = ReportFontsFor(GetFamily(FamilyId::Velmar_V), Lang::English, {100, 100, 100, 600, 600});
    EXPECT_EQ(fonts.unit, -8);  // (240 − 900) / 80
    EXPECT_EQ(fonts.title.width, 1);
    EXPECT_EQ(fonts.body.width, 1);
    EXPECT_EQ(fonts.title.height, -4);
}

TEST(ReportGeometry, NoPixelDensityGivesNoPage) {
    const Doc d(FamilyId::Velmar_V, Lang::English);
    for (const ReportGeometry& g : {ReportGeometry{4800, 6814, 4800, 0, 600}, ReportGeometry{4800, 6814, 4800, 600, 0},
                                    ReportGeometry{0, 6814, 4800, 600, 600}}) {
        EXPECT_TRUE(LayoutReportPage(d.family, d.image, d.table, d.lang, 1, g, {400, 300}).empty());
        EXPECT_EQ(ReportFontsFor(d.family, d.lang, g).title.height, 0);
    }
}

// ---------------------------------------------------------------------------
// Vertical steps and positions
// ---------------------------------------------------------------------------

TEST(ReportLayout, FirstPageStepsAndPositions) {
    const Doc d(FamilyId::Velmar_V, Lang::English);
    // Lb = 283: 1.2·Lb = 339.6 is cut to 339.
    const auto runs = d.page(1, 401, 283);
    ASSERT_GE(runs.size(), 2u);
    EXPECT_EQ(runs[0].text, "The Radio Settings");
    EXPECT_EQ(runs[0].y, -200);  // −Lt/2
    EXPECT_EQ(runs[1].text, "Function Setting:");
    EXPECT_EQ(runs[1].font, ReportFont::Body);
    EXPECT_EQ(runs[1].x, 5 * kU);
    EXPECT_EQ(runs[1].y, -601);  // −200 − 401

    struct Expect {
        std::string prefix;
        int xUnits;
        int line;  // settings line 1..7
    };
    const std::vector<Expect> expected{
        {"Type:   ", 2, 1},          {"Frequency Field:", 25, 1}, {"Pf1:   ", 2, 2},
        {"Pf2: ", 25, 2},            {"Beep Warning: ", 50, 2},   {"Squelch Level: ", 2, 3},
        {"TX power rank: ", 25, 3},  {"Scrambler Activation:", 50, 3}, {"Vox Function:", 2, 4},
        {"Vox Gain Level:", 25, 4},  {"Vox Delay Time: ", 50, 4}, {"PTT ID: ", 2, 5},
        {"Battery Save:", 25, 5},    {"Total Tx Time(s):", 50, 5}, {"Begin of Tx:", 2, 6},
        {"End of Tx:  ", 35, 6},     {"Vox inhibit on recieve:", 2, 7},
    };
    const int firstLine = -601 - 339;
    for (const Expect& e : expected) {
        const auto it = std::find_if(runs.begin(), runs.end(),
                                     [&](const ReportRun& r) { return r.text.rfind(e.prefix, 0) == 0; });
        ASSERT_NE(it, runs.end()) << e.prefix;
        EXPECT_EQ(it->x, e.xUnits * kU) << e.prefix;
        EXPECT_EQ(it->y, firstLine - (e.line - 1) * 283) << e.prefix;
    }
    // After line 7 one more body line, then the channel block.
    const int channelSetting = firstLine - 7 * 283;
    const auto cs = std::find_if(runs.begin(), runs.end(), [](const ReportRun& r) { return r.text == "Channel Setting:"; });
    ASSERT_NE(cs, runs.end());
    EXPECT_EQ(cs->x, 5 * kU);
    EXPECT_EQ(cs->y, channelSetting);
    const auto heading = cs + 1;
    EXPECT_EQ(heading->x, kU);
    EXPECT_EQ(heading->y, channelSetting - 339);
    const auto rows = RowStarts(runs, heading->y);
    ASSERT_EQ(rows.size(), 22u);
    EXPECT_EQ(rows.front().text, "1");
    EXPECT_EQ(rows.front().y, channelSetting - 339 - 283);
    EXPECT_EQ(rows.back().text, "22");
    EXPECT_EQ(rows.back().y, channelSetting - 339 - 22 * 283);
}

TEST(ReportLayout, LaterPagesStartTheChannelBlockBelowTheTitle) {
    const Doc d(FamilyId::Velmar_V, Lang::English);
    const auto runs = d.page(2, 401, 283);
    ASSERT_GE(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "The Second Page");
    EXPECT_EQ(runs[0].y, -200);
    EXPECT_EQ(runs[1].text, "Channel Setting:");
    EXPECT_EQ(runs[1].y, -601);
    EXPECT_EQ(runs[2].y, -940);
    const auto rows = RowStarts(runs, runs[2].y);
    ASSERT_EQ(rows.size(), 32u);
    EXPECT_EQ(rows.front().text, "23");
    EXPECT_EQ(rows.front().y, -1223);
    EXPECT_EQ(rows.back().text, "54");
    for (const ReportRun& r : runs) {
        EXPECT_EQ(r.text.find("Function Setting:"), std::string::npos);
    }
}

struct PageCase {
    FamilyId family;
    int page;
    std::string title;
    int first;
    int last;
};

class ReportPagesTest : public testing::TestWithParam<PageCase> {};

TEST_P(ReportPagesTest, TitleAndChannelRange) {
    const PageCase& c = GetParam();
    const Doc d(c.family, Lang::English);
    const auto runs = d.page(c.page);
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs[0].text, c.title);
    const auto rows = RowStarts(runs, HeadingY(runs));
    ASSERT_EQ(static_cast<int>(rows.size()), c.last - c.first + 1);
    EXPECT_EQ(rows.front().text, std::to_string(c.first));
    EXPECT_EQ(rows.back().text, std::to_string(c.last));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ReportPagesTest,
    testing::Values(PageCase{FamilyId::Velmar_V, 1, "The Radio Settings", 1, 22},
                    PageCase{FamilyId::Velmar_V, 2, "The Second Page", 23, 54},
                    PageCase{FamilyId::Velmar_V, 3, "The Third Page", 55, 86},
                    PageCase{FamilyId::Velmar_V, 4, "The Fourth Pages", 87, 118},
                    PageCase{FamilyId::Velmar_V, 5, "The Fifth Pages", 119, 128},
                    PageCase{FamilyId::VM_CH128, 5, "The Fifth Pages", 119, 128},
                    PageCase{FamilyId::VM_CH118, 4, "The Fourth Pages", 87, 118}));

TEST(ReportLayout, PageCountsAndPagesOutsideTheReport) {
    EXPECT_EQ(ReportPageCount(GetFamily(FamilyId::Velmar_V)), 5);
    EXPECT_EQ(ReportPageCount(GetFamily(FamilyId::VM_CH128)), 5);
    EXPECT_EQ(ReportPageCount(GetFamily(FamilyId::VM_CH118)), 4);
    const Doc v(FamilyId::Velmar_V, Lang::English);
    EXPECT_TRUE(v.page(0).empty());
    EXPECT_TRUE(v.page(6).empty());
    const Doc n(FamilyId::VM_CH118, Lang::English);
    EXPECT_TRUE(n.page(5).empty());
}

TEST(ReportLayout, ChineseTitlesLabelsAndColumns) {
    const Doc d(FamilyId::Velmar_V, Lang::Chinese);
    const std::vector<std::string> titles{"整机设置", "第二页", "第三页", "第四页", "第五页"};
    for (int p = 1; p <= 5; ++p) EXPECT_EQ(d.page(p)[0].text, titles[static_cast<std::size_t>(p - 1)]);
    const auto runs = d.page(1);
    EXPECT_EQ(runs[1].text, "功能设置:");
    const auto cs = std::find_if(runs.begin(), runs.end(), [](const ReportRun& r) { return r.text == "频道设置:"; });
    ASSERT_NE(cs, runs.end());
    // The heading words, each at its column's position.
    const std::vector<std::string> words{"频道", "接收频率", "发射频率", "接收信令", "发射信令", "宽/窄",
                                         "扫描添加", "发射功率", "可选信令", "PTTID",  "繁忙锁定"};
    const std::vector<int> units{5, 14, 25, 33, 40, 46, 54, 62, 70, 78};
    ASSERT_GE(runs.end() - cs, 23);
    for (std::size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ((cs + 1 + i)->text, words[i]);
        EXPECT_EQ((cs + 1 + i)->x, i == 0 ? kU : units[i - 1] * kU) << i;
    }
    // Channel 1's cells after its number, at the same positions.
    const auto first = cs + 12;
    ASSERT_EQ(first->text, "1");
    for (std::size_t i = 0; i < units.size(); ++i) EXPECT_EQ((first + 1 + i)->x, units[i] * kU) << i;
}

TEST(ReportLayout, ChannelLinesPrintTheGridCellsEachFollowedByABlank) {
    Doc d(FamilyId::Velmar_V, Lang::English);
    SetFrequency(d.image, d.family.recordAddr(1), 14552500);
    SetFrequency(d.image, d.family.recordAddr(128), 43012500);
    d.refill();
    d.table.at(1, 11) = "NAME1";  // the name column is not printed
    const auto check = [&](int page, int row) {
        const auto runs = d.page(page);
        const auto start = std::find_if(runs.begin(), runs.end(), [&](const ReportRun& r) {
            return r.x == kU && r.text == std::to_string(row);
        });
        ASSERT_NE(start, runs.end());
        const std::vector<int> units{5, 14, 24, 32, 40, 46, 55, 64, 74, 82};
        for (int col = 1; col <= 10; ++col) {
            const ReportRun& r = *(start + col);
            EXPECT_EQ(r.x, units[static_cast<std::size_t>(col - 1)] * kU);
            EXPECT_EQ(r.y, start->y);
            EXPECT_EQ(r.text, d.table.at(row, col) + " ") << "column " << col;
        }
        EXPECT_TRUE(start + 11 == runs.end() || (start + 11)->x == kU);
        for (const ReportRun& r : runs) EXPECT_EQ(r.text.find("NAME1"), std::string::npos);
    };
    check(1, 1);
    check(5, 128);
    const auto runs = d.page(1);
    EXPECT_TRUE(std::any_of(runs.begin(), runs.end(), [](const ReportRun& r) { return r.text == "145.52500 "; }));
}

/// The headings of the report's channel columns, column 0 first.
std::vector<std::string> Headings(const Family& family, const ChannelTable& table, Lang lang) {
    std::vector<std::string> words;
    for (const ReportColumn& c : ReportChannelColumns(family, table, lang)) words.push_back(c.heading);
    return words;
}

TEST(ReportLayout, HeadingUsesTheTableHeaderCells) {
    Doc d(FamilyId::Velmar_V, Lang::English);
    using Words = std::vector<std::string>;
    EXPECT_EQ(Headings(d.family, d.table, Lang::English),
              (Words{"CH", "Rx(MHz)", "Tx(MHz)", "Rx Tone", "Tx Tone", "W/N", "Scan Add", "Tx Power", "Opt Signal",
                     "PTTID", "Busy"}));
    d.table.at(0, 0) = "N";
    d.table.at(0, 3) = "R";
    d.table.at(0, 4) = "T";
    EXPECT_EQ(Headings(d.family, d.table, Lang::English),
              (Words{"N", "Rx(MHz)", "Tx(MHz)", "R", "T", "W/N", "Scan Add", "Tx Power", "Opt Signal", "PTTID", "Busy"}));
    EXPECT_EQ(Headings(d.family, ChannelTable{}, Lang::English).front(), "");
}

TEST(ReportLayout, ShortTableDoesNotReadPastItsRows) {
    Doc d(FamilyId::Velmar_V, Lang::English);
    d.table.cells.resize(10);
    d.table.cells[5].resize(3);
    const auto runs = d.page(5);
    EXPECT_FALSE(runs.empty());
    d.table.cells.clear();
    EXPECT_FALSE(d.page(1).empty());
}

// ---------------------------------------------------------------------------
// Columns: heading words over their values, texts inside columns and page
// ---------------------------------------------------------------------------

/// Text widths like a printed font's: `ascii` twips for an ASCII character,
/// `wide` for any other character.
ReportTextWidth FakeWidths(int ascii, int wide) {
    return [ascii, wide](ReportFont, const std::string& text) {
        int width = 0;
        for (unsigned char c : text) {
            if (c < 0x80) width += ascii;
            else if (c >= 0xC0) width += wide;   // first byte of a UTF-8 sequence
        }
        return width;
    };
}

struct FitCase {
    const char* name;
    std::vector<int> columnX;
    int rightEdge;
    int gap;
    std::vector<std::vector<std::string>> texts;
    double scale;
};

class FitColumnsScaleTest : public testing::TestWithParam<FitCase> {};

TEST_P(FitColumnsScaleTest, LargestScaleAtWhichEveryTextFits) {
    const FitCase& c = GetParam();
    EXPECT_DOUBLE_EQ(FitColumnsScale(c.columnX, c.rightEdge, c.gap, c.texts, ReportFont::Body, FakeWidths(30, 90)),
                     c.scale);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitColumnsScaleTest,
    testing::Values(FitCase{"all_fit", {0, 100, 200}, 300, 10, {{"aaa"}, {"bbb"}, {"ccc"}}, 1.0},
                    // 120 twips in a column of 90: the narrowest room decides.
                    FitCase{"first_too_wide", {0, 100, 200}, 250, 10, {{"aaaa"}, {"b"}, {"cc"}}, 0.75},
                    // The last column ends at the right edge, with no gap.
                    FitCase{"last_past_edge", {0, 100, 200}, 250, 10, {{"a"}, {"b"}, {"aa", "cccccc"}}, 50.0 / 180},
                    FitCase{"wide_characters", {0, 100}, 400, 10, {{"频道"}, {"x"}}, 0.5},
                    FitCase{"empty_texts_take_no_room", {0, 10}, 20, 10, {{"", ""}, {""}}, 1.0},
                    // A column with no room at all cannot be helped by any scale.
                    FitCase{"no_room", {0, 5, 100}, 200, 10, {{"aaaa"}, {"b"}, {"c"}}, 1.0}),
    [](const testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(FitColumnsScale, WithoutMeasureNothingShrinks) {
    EXPECT_DOUBLE_EQ(FitColumnsScale({0, 10}, 20, 5, {{"long text"}, {"more"}}, ReportFont::Body, {}), 1.0);
}

/// A document whose first and last channels hold the widest texts of their columns.
Doc WideDoc(FamilyId id, Lang lang) {
    Doc d(id, lang);
    for (int row : {1, d.family.channelCount}) {
        SetFrequency(d.image, d.family.recordAddr(row), 44562500);
    }
    d.refill();
    const std::vector<std::string> wide = lang == Lang::English || d.family.fixedLang
                                              ? std::vector<std::string>{"Narrow", "Yes", "High", "FleetSync", "ON", "Carrier"}
                                              : std::vector<std::string>{"窄", "是", "高", "PDC1200", "开", "载波"};
    for (int row : {1, d.family.channelCount}) {
        d.table.at(row, 3) = "D023N";
        d.table.at(row, 4) = "136.5";
        for (std::size_t i = 0; i < wide.size(); ++i) d.table.at(row, 5 + static_cast<int>(i)) = wide[i];
    }
    return d;
}

struct ColumnsCase {
    FamilyId family;
    Lang lang;
};

class ReportColumnsTest : public testing::TestWithParam<ColumnsCase> {};

TEST_P(ReportColumnsTest, HeadingWordsStandOverTheirValuesAndNothingLeavesItsColumn) {
    const ColumnsCase& c = GetParam();
    const Doc d = WideDoc(c.family, c.lang);
    // About the widths of the report's body font on A4: 0.8 u for a Latin
    // letter, 2.3 u for a Chinese character.
    const ReportTextWidth measure = FakeWidths(100, 300);
    const int rightEdge = kA4.width * 1440 / kA4.dpiX;
    std::vector<int> columnX;
    for (const ReportColumn& col : ReportChannelColumns(d.family, d.table, d.lang)) columnX.push_back(col.xUnits * kU);
    const std::vector<std::string> words = Headings(d.family, d.table, d.lang);
    std::optional<double> blockScale;
    for (int page = 1; page <= ReportPageCount(d.family); ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        const auto runs = LayoutReportPage(d.family, d.image, d.table, d.lang, page, kA4, {400, 300}, measure);
        const int headingY = HeadingY(runs);
        std::vector<const ReportRun*> heading;
        for (const ReportRun& r : runs)
            if (r.y == headingY) heading.push_back(&r);
        ASSERT_EQ(heading.size(), columnX.size());
        for (std::size_t col = 0; col < columnX.size(); ++col) {
            EXPECT_EQ(heading[col]->text, words[col]);
            EXPECT_EQ(heading[col]->x, columnX[col]);
            // The column's values start where its heading word does.
            EXPECT_TRUE(std::any_of(runs.begin(), runs.end(), [&](const ReportRun& r) {
                return r.y < headingY && r.x == columnX[col] && !r.text.empty();
            })) << words[col];
        }
        for (const ReportRun& r : runs) {
            if (r.font == ReportFont::Title || r.text.empty()) continue;
            // Where the next text of the line starts, or the page's right edge.
            int end = rightEdge;
            for (const ReportRun& other : runs)
                if (other.y == r.y && other.x > r.x && other.x - ReportColumnGap(kU) < end) end = other.x - ReportColumnGap(kU);
            std::string shown = r.text;
            while (!shown.empty() && shown.back() == ' ') shown.pop_back();
            EXPECT_LE(r.x + measure(r.font, shown) * r.scale, end + 0.5) << r.text << " scale " << r.scale;
            EXPECT_GT(r.scale, 0.3) << r.text;
            if (r.y <= headingY) {
                // One size for the whole channel table, on every page.
                if (!blockScale) blockScale = r.scale;
                EXPECT_DOUBLE_EQ(r.scale, *blockScale) << r.text;
            }
        }
    }
    // Something did need to shrink: the last column's "Carrier" or "繁忙锁定"
    // at this measure, so the test sees the rule at work.
    ASSERT_TRUE(blockScale.has_value());
    EXPECT_LT(*blockScale, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Families, ReportColumnsTest,
                         testing::Values(ColumnsCase{FamilyId::Velmar_V, Lang::English},
                                         ColumnsCase{FamilyId::Velmar_V, Lang::Chinese},
                                         ColumnsCase{FamilyId::VM_CH128, Lang::English},
                                         ColumnsCase{FamilyId::VM_CH118, Lang::English}));

TEST(ReportColumns, TextsThatFitKeepTheirSize) {
    const Doc d = WideDoc(FamilyId::Velmar_V, Lang::Chinese);
    for (int page : {1, 5}) {
        for (const ReportRun& r : LayoutReportPage(d.family, d.image, d.table, d.lang, page, kA4, {400, 300}, FakeWidths(1, 1)))
            EXPECT_EQ(r.scale, 1.0) << r.text;
        for (const ReportRun& r : d.page(page)) EXPECT_EQ(r.scale, 1.0) << r.text;
    }
}

// ---------------------------------------------------------------------------
// Settings values
// ---------------------------------------------------------------------------

TEST(ReportSettings, NewVelmarDocumentEnglish) {
    const Doc d(FamilyId::Velmar_V, Lang::English);
    EXPECT_EQ(d.value("Type:   "), "VM - K10");
    EXPECT_EQ(d.value("Frequency Field:"), "240 - 260MHz");
    EXPECT_EQ(d.value("Pf2: "), "None");
    EXPECT_EQ(d.value("Beep Warning: "), "Enable");
    EXPECT_EQ(d.value("Squelch Level: "), " 5");
    EXPECT_EQ(d.value("TX power rank: "), "9");
    EXPECT_EQ(d.value("Scrambler Activation:"), "Disable");
    EXPECT_EQ(d.value("Vox Gain Level:"), "OFF");
    EXPECT_EQ(d.value("Battery Save:"), "Enable");
    EXPECT_EQ(d.value("Total Tx Time(s):"), "OFF");
    EXPECT_EQ(d.value("Begin of Tx:"), "Disable");
    EXPECT_EQ(d.value("End of Tx:  "), "Disable");
    // Settings this radio does not have print nothing after their labels.
    for (const char* label : {"Pf1:   ", "Vox Function:", "Vox Delay Time: ", "PTT ID: ", "Vox inhibit on recieve:"})
        EXPECT_EQ(d.value(label), "") << label;
}

TEST(ReportSettings, NewVelmarDocumentChinese) {
    const Doc d(FamilyId::Velmar_V, Lang::Chinese);
    EXPECT_EQ(d.value("机型:   "), "VM - K10");
    EXPECT_EQ(d.value("频段:"), "240 - 260MHz");
    EXPECT_EQ(d.value("Pf2: "), "无");
    EXPECT_EQ(d.value("报警音提示: "), "打开");
    EXPECT_EQ(d.value("静噪等级: "), " 5");
    EXPECT_EQ(d.value("发射功率等级: "), "9");
    EXPECT_EQ(d.value("扰频器激活:"), "关闭");
    EXPECT_EQ(d.value("Vox 增益电平:"), "OFF");
    EXPECT_EQ(d.value("电池省电:"), "启动");
    EXPECT_EQ(d.value("发射时间(s):"), "OFF");
    EXPECT_EQ(d.value("发射开始:"), "关闭");
    EXPECT_EQ(d.value("发射结束:"), "关闭");
    for (const char* label : {"Pf1:   ", "Vox 功能:", "Vox 延迟时间(秒): ", "PTT ID: ", "接收时禁止VOX:"})
        EXPECT_EQ(d.value(label), "") << label;
}

struct ValueCase {
    FamilyId family;
    Lang lang;
    int addr;
    int byte;  // value written at addr
    std::string label;
    std::string expected;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << c.label << " @0x" << std::hex << c.addr << "=0x" << c.byte;
}

class ReportValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(ReportValueTest, PrintedAfterItsLabel) {
    const ValueCase& c = GetParam();
    Doc d(c.family, c.lang);
    d.image.at(static_cast<std::size_t>(c.addr)) = static_cast<Byte>(c.byte);
    d.refill();
    EXPECT_EQ(d.value(c.label), c.expected);
}

constexpr auto V = FamilyId::Velmar_V;
constexpr auto E = Lang::English;
constexpr auto C = Lang::Chinese;

INSTANTIATE_TEST_SUITE_P(
    Velmar, ReportValueTest,
    testing::Values(
        ValueCase{V, E, 0x814, 40, "Total Tx Time(s):", "600"}, ValueCase{V, E, 0x814, 41, "Total Tx Time(s):", "OFF"},
        ValueCase{V, E, 0x814, 1, "Total Tx Time(s):", "15"}, ValueCase{V, E, 0x814, 0xFF, "Total Tx Time(s):", "OFF"},
        ValueCase{V, E, 0x813, 12, "Squelch Level: ", "0"}, ValueCase{V, E, 0x813, 9, "Squelch Level: ", " 9"},
        ValueCase{V, E, 0x813, 10, "Squelch Level: ", "0"}, ValueCase{V, E, 0x813, 0, "Squelch Level: ", " 0"},
        ValueCase{V, E, 0x815, 0, "Vox Gain Level:", "OFF"}, ValueCase{V, E, 0x815, 3, "Vox Gain Level:", " 3"},
        ValueCase{V, E, 0x815, 10, "Vox Gain Level:", "10"}, ValueCase{V, E, 0x815, 11, "Vox Gain Level:", "0"},
        ValueCase{V, E, 0x81B, 0, "Pf2: ", "None"}, ValueCase{V, E, 0x81B, 1, "Pf2: ", "Autodial"},
        ValueCase{V, E, 0x81B, 2, "Pf2: ", "Key Lock"}, ValueCase{V, E, 0x81B, 3, "Pf2: ", "Monitor"},
        ValueCase{V, E, 0x81B, 4, "Pf2: ", "Monitor Momentary"}, ValueCase{V, E, 0x81B, 5, "Pf2: ", "Scrambler"},
        ValueCase{V, E, 0x81B, 6, "Pf2: ", "None"}, ValueCase{V, C, 0x81B, 1, "Pf2: ", "自动拨号"},
        ValueCase{V, C, 0x81B, 2, "Pf2: ", "按键锁定"}, ValueCase{V, C, 0x81B, 3, "Pf2: ", "监听"},
        ValueCase{V, C, 0x81B, 4, "Pf2: ", "监听瞬时"}, ValueCase{V, C, 0x81B, 5, "Pf2: ", "扰频器"},
        // 0x812: beep bit 6, scrambler bit 4, battery save bit 2.
        ValueCase{V, E, 0x812, 0x84, "Beep Warning: ", "Disable"}, ValueCase{V, E, 0x812, 0xD4, "Scrambler Activation:", "Enable"},
        ValueCase{V, E, 0x812, 0xC0, "Battery Save:", "Disable"}, ValueCase{V, C, 0x812, 0x84, "报警音提示: ", "关闭"},
        ValueCase{V, C, 0x812, 0xD4, "扰频器激活:", "打开"}, ValueCase{V, C, 0x812, 0xC0, "电池省电:", "关闭"},
        // Begin and End of Tx are the switches in bits 5 and 4 of 0x810.
        ValueCase{V, E, 0x810, 0xE0, "Begin of Tx:", "Enable"}, ValueCase{V, E, 0x810, 0xE0, "End of Tx:  ", "Disable"},
        ValueCase{V, E, 0x810, 0xD0, "End of Tx:  ", "Enable"}, ValueCase{V, E, 0x810, 0xD0, "Begin of Tx:", "Disable"},
        ValueCase{V, C, 0x810, 0x30, "发射开始:", "打开"}, ValueCase{V, C, 0x810, 0x30, "发射结束:", "打开"},
        // Bytes that hold other settings here do not leak into the lines this radio lacks.
        ValueCase{V, E, 0x810, 0x02, "Pf1:   ", ""}, ValueCase{V, E, 0x812, 0xFF, "Vox Function:", ""},
        ValueCase{V, E, 0x816, 0x02, "Vox Delay Time: ", ""}, ValueCase{V, E, 0x812, 0xC6, "PTT ID: ", ""},
        ValueCase{V, E, 0x812, 0xFF, "Vox inhibit on recieve:", ""},
        // Channel 124's record does not become a code after "Begin of Tx:".
        ValueCase{V, E, 0x7B0, '7', "Begin of Tx:", "Disable"}, ValueCase{V, E, 0x7C0, '8', "End of Tx:  ", "Disable"},
        // The form lists print their selected texts.
        ValueCase{V, E, 0x80B, 0x3A, "Type:   ", "VM - K30"}, ValueCase{V, E, 0x80A, 0xF7, "Frequency Field:", "460 - 520MHz"},
        ValueCase{V, E, 0x819, 3, "TX power rank: ", "3"}));

constexpr auto K = FamilyId::VM_CH128;
constexpr auto N = FamilyId::VM_CH118;

INSTANTIATE_TEST_SUITE_P(
    Families, ReportValueTest,
    testing::Values(
        // 128-channel family: every line has a setting of its own.
        ValueCase{K, E, 0x81A, 2, "Pf1:   ", "Key Lock"}, ValueCase{K, E, 0x81A, 9, "Pf1:   ", "None"},
        ValueCase{K, E, 0x81B, 4, "Pf2: ", "Monitor Momentary"}, ValueCase{K, E, 0x810, 0x80, "Vox Function:", "Enable"},
        ValueCase{K, E, 0x810, 0x40, "Vox Function:", "Disable"}, ValueCase{K, E, 0x810, 0x40, "Vox inhibit on recieve:", "Enable"},
        ValueCase{K, E, 0x810, 0x20, "Begin of Tx:", "Enable"}, ValueCase{K, E, 0x810, 0x10, "End of Tx:  ", "Enable"},
        ValueCase{K, E, 0x816, 0, "Vox Delay Time: ", "0.3s"}, ValueCase{K, E, 0x816, 1, "Vox Delay Time: ", "0.5s"},
        ValueCase{K, E, 0x816, 2, "Vox Delay Time: ", "1.0s"}, ValueCase{K, E, 0x816, 3, "Vox Delay Time: ", "1.5s"},
        ValueCase{K, E, 0x816, 4, "Vox Delay Time: ", "2.0s"}, ValueCase{K, E, 0x816, 5, "Vox Delay Time: ", "3.0s"},
        ValueCase{K, E, 0x816, 6, "Vox Delay Time: ", "0.3s"}, ValueCase{K, E, 0x820, '5', "PTT ID: ", "5"},
        ValueCase{K, E, 0x824, '5', "PTT ID: ", ""},  // past the four digits the dialog shows
        ValueCase{K, E, 0x814, 40, "Total Tx Time(s):", "600"},
        // A one-language family prints in its language whatever was asked for.
        ValueCase{K, C, 0x812, 0x84, "Beep Warning: ", "Disable"},
        // 118-channel family: its own positions.
        ValueCase{N, E, 0x7D0, 3, "Pf1:   ", "Monitor"}, ValueCase{N, E, 0x7D1, 5, "Pf2: ", "Scrambler"},
        ValueCase{N, E, 0x7D2, 0xE8, "Beep Warning: ", "Disable"}, ValueCase{N, E, 0x7D2, 0x04, "Scrambler Activation:", "Enable"},
        ValueCase{N, E, 0x7D2, 0x08, "Battery Save:", "Enable"}, ValueCase{N, E, 0x7D2, 0xD8, "Vox Function:", "Disable"},
        ValueCase{N, E, 0x7D2, 0x40, "Vox inhibit on recieve:", "Enable"}, ValueCase{N, E, 0x7D3, 7, "Squelch Level: ", " 7"},
        ValueCase{N, E, 0x7D4, 2, "Total Tx Time(s):", "30"}, ValueCase{N, E, 0x7D5, 10, "Vox Gain Level:", "10"},
        ValueCase{N, E, 0x7D6, 4, "Vox Delay Time: ", "2.0s"}, ValueCase{N, E, 0x7D2, 0xFB, "PTT ID: ", ""},
        ValueCase{N, E, 0x7B0, '1', "Begin of Tx:", "1"}, ValueCase{N, E, 0x7BF, 'D', "Begin of Tx:", "D"},
        ValueCase{N, E, 0x7C0, 'E', "End of Tx:  ", ""}, ValueCase{N, E, 0x7CF, 'A', "End of Tx:  ", "A"}));

TEST(ReportSettings, Ch118CodesKeepDigitsAndLettersAToDInOrder) {
    Doc d(FamilyId::VM_CH118, Lang::English);
    const std::vector<Byte> ptt{'1', 0xFF, '2', 'a', 'B', 'E', '9', 0x00};
    const std::vector<Byte> ani{'C', 'D', '0', 'Z', '#', '4'};
    std::copy(ptt.begin(), ptt.end(), d.image.begin() + 0x7B0);
    std::copy(ani.begin(), ani.end(), d.image.begin() + 0x7C0);
    EXPECT_EQ(d.value("Begin of Tx:"), "12B9");
    EXPECT_EQ(d.value("End of Tx:  "), "CD04");
}

TEST(ReportSettings, Ch128PttIdShowsTheDigitsOfItsFirstFourBytes) {
    Doc d(FamilyId::VM_CH128, Lang::English);
    const std::vector<Byte> ptt{'1', 'X', '4', '5', '6'};
    std::copy(ptt.begin(), ptt.end(), d.image.begin() + 0x820);
    EXPECT_EQ(d.value("PTT ID: "), "145");
}

TEST(ReportSettings, NewFamilyDocuments) {
    const Doc k(FamilyId::VM_CH128, Lang::English);
    EXPECT_EQ(k.value("Type:   "), "VM - K20");
    EXPECT_EQ(k.value("Pf1:   "), "None");
    EXPECT_EQ(k.value("Vox Delay Time: "), "1.5s");
    EXPECT_EQ(k.value("Vox Function:"), "Enable");  // 0x810 = 0xC0
    EXPECT_EQ(k.value("PTT ID: "), "");
    const Doc n(FamilyId::VM_CH118, Lang::English);
    EXPECT_EQ(n.value("Beep Warning: "), "Enable");  // 0x7D2 = 0xF8
    EXPECT_EQ(n.value("Scrambler Activation:"), "Disable");
    EXPECT_EQ(n.value("Vox inhibit on recieve:"), "Enable");
    EXPECT_EQ(n.value("Begin of Tx:"), "");
}

TEST(ReportSettings, ValuesFollowTheGridSelectionsNotTheImage) {
    Doc d(FamilyId::Velmar_V, Lang::English);
    d.table.selection[1017] = 2;
    d.table.selection[1011] = -1;
    d.table.selection[1018] = 42;  // past the list
    EXPECT_EQ(d.value("Type:   "), "VM - K30");
    EXPECT_EQ(d.value("Frequency Field:"), "");
    EXPECT_EQ(d.value("TX power rank: "), "");
}

TEST(ReportSettings, ShortImageReadsAsErased) {
    Doc d(FamilyId::Velmar_V, Lang::English);
    d.image.resize(0x800);
    EXPECT_EQ(d.value("Pf2: "), "None");
    EXPECT_EQ(d.value("Squelch Level: "), "0");
    EXPECT_EQ(d.value("Total Tx Time(s):"), "OFF");
}

// ---------------------------------------------------------------------------
// The one-page reports of the 16-channel families
// ---------------------------------------------------------------------------

struct OnePageCase {
    FamilyId family;
    std::string title;
    std::string titleFace;
    std::string settingsHeading;
    std::string channelsHeading;
    std::vector<std::string> labels;     // the settings lines at x = 2u, in order (side buttons aside)
    std::vector<std::string> headings;   // over columns 0, 1, ...
    std::vector<int> columnUnits;        // x of columns 0, 1, ... in units of u
};
void PrintTo(const OnePageCase& c, std::ostream* os) { *os << c.title; }

class OnePageReportTest : public testing::TestWithParam<OnePageCase> {};

TEST_P(OnePageReportTest, TitleSettingsAndSixteenChannelsInColumns) {
    const OnePageCase& c = GetParam();
    Doc d(c.family, Lang::English);
    SetFrequency(d.image, d.family.recordAddr(1), 14552500);
    SetFrequency(d.image, d.family.recordAddr(16), 43012500);
    d.refill();
    EXPECT_EQ(ReportPageCount(d.family), 1);
    EXPECT_TRUE(d.page(2).empty());
    EXPECT_EQ(ReportFontsFor(d.family, Lang::English, kA4).title.face, c.titleFace);
    EXPECT_EQ(ReportFontsFor(d.family, Lang::English, kA4).body.face, "Times New Roman");

    const auto runs = d.page(1, 401, 283);
    ASSERT_GE(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, c.title);
    EXPECT_EQ(runs[0].font, ReportFont::Title);
    EXPECT_EQ(runs[1].text, c.settingsHeading);
    EXPECT_EQ(runs[1].x, 5 * kU);
    EXPECT_EQ(runs[1].y, -601);

    // One setting per line at x = 2u, 1.2·Lb below the heading, Lb apart.
    for (std::size_t i = 0; i < c.labels.size(); ++i) {
        const ReportRun& r = runs[2 + i];
        EXPECT_EQ(r.text.rfind(c.labels[i], 0), 0u) << c.labels[i] << " / " << r.text;
        EXPECT_EQ(r.x, 2 * kU);
        EXPECT_EQ(r.y, -601 - 339 - static_cast<int>(i) * 283);
    }

    const auto cs = std::find_if(runs.begin(), runs.end(), [&](const ReportRun& r) { return r.text == c.channelsHeading; });
    ASSERT_NE(cs, runs.end());
    EXPECT_EQ(cs->x, 5 * kU);
    const std::size_t n = c.headings.size();
    ASSERT_EQ(static_cast<std::size_t>(runs.end() - cs), 1 + n * 17);
    // The headings line, then 16 channel lines: each heading stands at the
    // x of its column's values.
    for (std::size_t col = 0; col < n; ++col) {
        const ReportRun& head = *(cs + 1 + static_cast<long>(col));
        EXPECT_EQ(head.text, c.headings[col]);
        EXPECT_EQ(head.x, c.columnUnits[col] * kU);
        EXPECT_EQ(head.y, cs->y - 339);
        for (int row = 1; row <= 16; ++row) {
            const ReportRun& cell = *(cs + 1 + static_cast<long>(row * n + col));
            EXPECT_EQ(cell.x, head.x) << "row " << row << " column " << col;
            EXPECT_EQ(cell.y, head.y - row * 283);
            EXPECT_EQ(cell.text, d.table.at(row, static_cast<int>(col)));
        }
    }
    EXPECT_EQ((cs + 1 + static_cast<long>(n))->text, "1");
    EXPECT_EQ((cs + 2 + static_cast<long>(n))->text, "145.52500");
    EXPECT_EQ((cs + 1 + static_cast<long>(16 * n))->text, "16");
    EXPECT_EQ((cs + 2 + static_cast<long>(16 * n))->text, "430.12500");
}

INSTANTIATE_TEST_SUITE_P(
    Families, OnePageReportTest,
    testing::Values(
        OnePageCase{FamilyId::VM_CH16, "The Radio Settings", "Times New Roman", "Function Setting:", "Channel Setting:",
                    {"Type:   ", "Field:   ", "Moni:   ", "Tx Total Time: ", "Warning Setting: ", "Squelch Level: ",
                     "TX power rank: ", "Band Width: ", "Scan function(the 16th channel)："},
                    {"CH", "Rx(MHz)", "Tx(MHz)", "Rx Tone", "Tx Tone", "Busy"},
                    {1, 5, 16, 27, 36, 45}},
        OnePageCase{FamilyId::VM_CH16_CN, "本机设置数据", "宋体", "一整机功能设置部分:", "二信道数据部分:",
                    {"机型:   ", "频段  :", "监听功能:", "发射定时(TOT): ", "报警音提示: ", "静噪等级: ", "发射功率: ",
                     "频带宽度: ", "第16信道扫描功能："},
                    {"信道", "Rx(MHz)", "Tx(MHz)", "接收信令", "发射信令", "是否禁发"},
                    {1, 6, 17, 28, 38, 48}},
        OnePageCase{FamilyId::Marlowe, "The Radio Settings", "Times New Roman", "Function Setting:", "Channel Setting:",
                    {"Type:               ", "BandWidth:          ", "Time out Time:      ", "TX Power Rank:      ",
                     "Squelch(SQ):        ", "Beep:               ", "Voice Announcement: ", "Scrambler:          ",
                     "VOX Gain Level:     "},
                    {"CH", "Rx(MHz)", "Tx(MHz)", "Rx Tone", "Tx Tone", "Busy", "TX Power", "W/N", "Scan/Add"},
                    {1, 5, 15, 25, 33, 41, 48, 57, 65}}));

TEST(OnePageReport, ChineseTitleFontFallsBackToAnInstalledChineseFace) {
    const ReportFonts fonts = ReportFontsFor(GetFamily(FamilyId::VM_CH16_CN), Lang::Chinese, kA4);
    EXPECT_TRUE(fonts.title.chinese);
    ASSERT_FALSE(fonts.title.substitutes.empty());
    EXPECT_EQ(fonts.title.substitutes.front(), "SimSun");
    EXPECT_NE(std::find(fonts.title.substitutes.begin(), fonts.title.substitutes.end(), "WenQuanYi Micro Hei"),
              fonts.title.substitutes.end());
    const ReportFonts english = ReportFontsFor(GetFamily(FamilyId::VM_CH16), Lang::English, kA4);
    EXPECT_FALSE(english.title.chinese);
    EXPECT_TRUE(english.title.substitutes.empty());
}

/// A form whose lists differ from what its image holds: the report prints
/// the lists as the form shows them, before any store.
struct FormCase {
    FamilyId family;
    std::map<int, int> selections;   // control id → selected index
    std::vector<std::pair<std::string, std::string>> printed;   // label → value
};
void PrintTo(const FormCase& c, std::ostream* os) { *os << GetFamily(c.family).name; }

class ReportFromTheForm : public testing::TestWithParam<FormCase> {};

TEST_P(ReportFromTheForm, ValuesAreTheFormsSelections) {
    const FormCase& c = GetParam();
    Doc d(c.family, Lang::English);
    const Image before = d.image;
    for (const auto& [id, index] : c.selections) d.table.selection[id] = index;
    // A channel typed into the grid but not stored yet prints as well.
    d.table.at(3, 1) = "446.00625";
    for (const auto& [label, value] : c.printed) EXPECT_EQ(d.value(label), value) << label;
    const auto runs = d.page(1);
    EXPECT_TRUE(std::any_of(runs.begin(), runs.end(), [](const ReportRun& r) { return r.text == "446.00625"; }));
    EXPECT_EQ(d.image, before);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ReportFromTheForm,
    testing::Values(
        FormCase{FamilyId::VM_CH16,
                 {{1017, 3}, {1011, 10}, {1012, 2}, {1013, 4}, {1014, 0}, {1016, 7}, {1018, 2}, {1073, 0}, {1070, 1}},
                 {{"Type:   ", "VM - K54"},
                  {"Field:   ", "470 - 490MHz"},
                  {"Moni:   ", "VOX ON/OFF"},
                  {"Tx Total Time: ", "120s"},
                  {"Warning Setting: ", "Disable"},
                  {"Squelch Level: ", "7"},
                  {"TX power rank: ", "2"},
                  {"Band Width: ", "NARROW"},
                  {"Scan function(the 16th channel)：", "ON"}}},
        FormCase{FamilyId::VM_CH16_CN,
                 {{1017, 0}, {1011, 11}, {1012, 4}, {1013, 10}, {1014, 1}, {1016, 0}, {1018, 5}, {1019, 1}, {1070, 1}},
                 {{"机型:   ", "VM - K71"},
                  {"频段  :", "490 - 512MHz"},
                  {"监听功能:", "无"},
                  {"发射定时(TOT): ", "300s"},
                  {"报警音提示: ", "关闭"},
                  {"静噪等级: ", "0"},
                  {"发射功率: ", "5"},
                  {"频带宽度: ", "窄"},
                  {"第16信道扫描功能：", "启动"}}},
        // No selection prints no value.
        FormCase{FamilyId::VM_CH16, {{1017, -1}, {1012, -1}, {1073, 7}}, {{"Type:   ", ""}, {"Moni:   ", ""}, {"Band Width: ", ""}}},
        // Marlowe's type and band come from the form too.
        FormCase{FamilyId::Marlowe, {{1011, 2}}, {{"Type:               ", "VMK40"}, {"BandWidth:          ", "240 - 260MHz"}}}));

constexpr auto M = FamilyId::Marlowe;

INSTANTIATE_TEST_SUITE_P(
    Marlowe, ReportValueTest,
    testing::Values(
        ValueCase{M, E, 0x3C3, 0, "Time out Time:      ", "off"}, ValueCase{M, E, 0x3C3, 1, "Time out Time:      ", "30s"},
        ValueCase{M, E, 0x3C3, 4, "Time out Time:      ", "120s"}, ValueCase{M, E, 0x3C3, 9, "Time out Time:      ", "270s"},
        ValueCase{M, E, 0x3C3, 10, "Time out Time:      ", "300s"}, ValueCase{M, E, 0x3C3, 11, "Time out Time:      ", "off"},
        ValueCase{M, E, 0x3C4, 0xFF, "TX Power Rank:      ", "9"}, ValueCase{M, E, 0x3C4, 24, "TX Power Rank:      ", "8"},
        ValueCase{M, E, 0x3C4, 27, "TX Power Rank:      ", "9"}, ValueCase{M, E, 0x3C4, 7, "TX Power Rank:      ", "2"},
        ValueCase{M, E, 0x3C1, 10, "Squelch(SQ):        ", "10"}, ValueCase{M, E, 0x3C1, 11, "Squelch(SQ):        ", "0"},
        ValueCase{M, E, 0x3C1, 0, "Squelch(SQ):        ", "0"}, ValueCase{M, E, 0x3C1, 5, "Squelch(SQ):        ", "5"},
        ValueCase{M, E, 0x3C0, 0x01, "Beep:               ", "Enable"}, ValueCase{M, E, 0x3C0, 0xFE, "Beep:               ", "Disable"},
        ValueCase{M, E, 0x3C0, 0x18, "Voice Announcement: ", "Chinese"}, ValueCase{M, E, 0x3C0, 0xE8, "Voice Announcement: ", "English"},
        ValueCase{M, E, 0x3C0, 0x00, "Voice Announcement: ", "0ff"}, ValueCase{M, E, 0x3C0, 0x10, "Voice Announcement: ", ""},
        ValueCase{M, E, 0x3C0, 0x20, "Scrambler:          ", "off"}, ValueCase{M, E, 0x3C0, 0xDF, "Scrambler:          ", "on"},
        ValueCase{M, E, 0x3C7, 0, "VOX Gain Level:     ", "off"}, ValueCase{M, E, 0x3C7, 7, "VOX Gain Level:     ", "7"},
        ValueCase{M, E, 0x3C7, 200, "VOX Gain Level:     ", "200"}));

TEST(OnePageReport, MarloweSideButtonsInTwoColumns) {
    struct Case {
        Byte two, three;
        std::vector<std::string> left, right;   // short, long
    };
    const std::vector<Case> cases{
        {0x12, 0x78, {"Monitor", "Scan On/Off"}, {"Vox ON/OFF", "Scrambler ON/OFF"}},   // a new document
        {0x50, 0x34, {"Talk Around", "No Function"}, {"Scan Temperary Delete", "High/Low Power"}},
        {0x9F, 0x68, {"No Function", "No Function"}, {"Reverse Frequency", "Scrambler ON/OFF"}},
    };
    for (const Case& c : cases) {
        Doc d(FamilyId::Marlowe, Lang::English);
        d.image[0x3C5] = c.two;
        d.image[0x3C6] = c.three;
        const auto runs = d.page(1);
        const auto heading = std::find_if(runs.begin(), runs.end(), [](const ReportRun& r) {
            return r.text == "    Side Button 2   ";
        });
        ASSERT_NE(heading, runs.end());
        EXPECT_EQ(heading->x, 2 * kU);
        EXPECT_EQ((heading + 1)->text, "    Side Button 3   ");
        EXPECT_EQ((heading + 1)->x, 40 * kU);
        EXPECT_EQ((heading + 1)->y, heading->y);
        EXPECT_EQ((heading + 2)->text, "Short Press:     " + c.left[0]);
        EXPECT_EQ((heading + 3)->text, "Short Press:     " + c.right[0]);
        EXPECT_EQ((heading + 3)->x, 40 * kU);
        EXPECT_EQ((heading + 4)->text, "Long Press:     " + c.left[1]);
        EXPECT_EQ((heading + 5)->text, "Long Press:     " + c.right[1]);
        EXPECT_EQ((heading + 4)->y, heading->y - 2 * 300);
    }
}

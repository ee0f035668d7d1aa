#include "report/report_layout.h"
#include "report/report_one_page.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vel {
namespace {

const std::vector<ReportPageInfo>& FivePages() {
    static const std::vector<ReportPageInfo> pages{
        {{"The Radio Settings", "整机设置"}, 1, 22, true},
        {{"The Second Page", "第二页"}, 23, 54, false},
        {{"The Third Page", "第三页"}, 55, 86, false},
        {{"The Fourth Pages", "第四页"}, 87, 118, false},
        {{"The Fifth Pages", "第五页"}, 119, 128, false},
    };
    return pages;
}

const std::vector<ReportPageInfo>& FourPages() {
    static const std::vector<ReportPageInfo> pages(FivePages().begin(), FivePages().begin() + 4);
    return pages;
}

const std::vector<ReportPageInfo>& NoPages() {
    static const std::vector<ReportPageInfo> pages;
    return pages;
}

// Channel columns 1 to 10 of a channel line, in units of u.
constexpr int kColumnUnitsEnglish[] = {5, 14, 24, 32, 40, 46, 55, 64, 74, 82};
constexpr int kColumnUnitsChinese[] = {5, 14, 25, 33, 40, 46, 54, 62, 70, 78};

const std::string& HeaderCell(const ChannelTable& table, int col) {
    static const std::string empty;
    if (table.cells.empty() || col >= static_cast<int>(table.cells[0].size())) return empty;
    return table.cells[0][static_cast<std::size_t>(col)];
}

std::string Cell(const ChannelTable& table, int row, int col) {
    if (row < 0 || row >= table.rows()) return {};
    const auto& cells = table.cells[static_cast<std::size_t>(row)];
    if (col < 0 || col >= static_cast<int>(cells.size())) return {};
    return cells[static_cast<std::size_t>(col)];
}

}  // namespace

const std::vector<ReportPageInfo>& ReportPages(const Family& family) {
    if (const auto* onePage = report_detail::OnePageReportOf(family)) return onePage->pages;
    switch (family.id) {
        case FamilyId::Velmar_V:
        case FamilyId::VM_CH128: return FivePages();
        case FamilyId::VM_CH118: return FourPages();
        default: return NoPages();
    }
}

int ReportPageCount(const Family& family) { return static_cast<int>(ReportPages(family).size()); }

Lang ReportLang(const Family& family, Lang lang) { return family.uiLang(lang); }

ReportFonts ReportFontsFor(const Family& family, Lang /*lang*/, const ReportGeometry& g) {
    ReportFonts f;
    if (g.dpiX <= 0 || g.dpiY <= 0 || g.width <= 0 || g.height <= 0) return f;
    // Integer arithmetic throughout, in the order the formulas are written;
    // 64 bits so that a large print area cannot overflow.
    const std::int64_t h = (static_cast<std::int64_t>(g.height) / 45) * 1440 / g.dpiY;
    const std::int64_t u = (static_cast<std::int64_t>(g.width) * 1440 / g.dpiX - 900) / 80;
    f.charHeight = static_cast<int>(h);
    f.unit = static_cast<int>(u);
    const int height = h < 1 ? 1 : static_cast<int>(h);
    const int width = u < 1 ? 1 : static_cast<int>(u);
    f.title = ReportFontRequest{-height, width, 400, 48, "Times New Roman", {}, false};
    const int bodyWidth = static_cast<int>(0.8 * width);
    f.body = ReportFontRequest{-height, bodyWidth < 1 ? 1 : bodyWidth, 400, 48, "Times New Roman", {}, false};
    if (const auto* onePage = report_detail::OnePageReportOf(family)) {
        f.title.face = onePage->titleFace;
        f.title.substitutes = onePage->titleSubstitutes;
        f.title.chinese = onePage->chineseTitle;
    }
    return f;
}

int ReportColumnGap(int unit) { return unit / 2; }

double FitColumnsScale(const std::vector<int>& columnX, int rightEdge, int gap,
                       const std::vector<std::vector<std::string>>& texts, ReportFont font,
                       const ReportTextWidth& measure) {
    double scale = 1.0;
    if (!measure) return scale;
    const std::size_t n = std::min(columnX.size(), texts.size());
    for (std::size_t c = 0; c < n; ++c) {
        const int end = c + 1 < columnX.size() ? columnX[c + 1] - gap : rightEdge;
        const int room = end - columnX[c];
        if (room <= 0) continue;   // no room at any size: leave the texts as they are
        for (const std::string& text : texts[c]) {
            if (text.empty()) continue;
            const int width = measure(font, text);
            if (width > room) scale = std::min(scale, static_cast<double>(room) / width);
        }
    }
    return scale;
}

ReportSectionHeadings ReportHeadings(const Family& family, Lang lang) {
    if (const auto* onePage = report_detail::OnePageReportOf(family)) return onePage->headings;
    if (ReportLang(family, lang) == Lang::English) return {"Function Setting:", "Channel Setting:"};
    return {"功能设置:", "频道设置:"};
}

std::vector<ReportColumn> ReportChannelColumns(const Family& family, const ChannelTable& table, Lang lang) {
    std::vector<ReportColumn> columns;
    if (const auto* onePage = report_detail::OnePageReportOf(family)) {
        for (const auto& c : onePage->columns)
            columns.push_back({c.col, c.xUnits, c.heading.empty() ? HeaderCell(table, c.col) : c.heading});
        return columns;
    }
    // Columns 0 to 10: the table's header cells of columns 0, 3 and 4 and
    // the report's own words for the others.
    const bool english = ReportLang(family, lang) == Lang::English;
    const std::vector<std::string> words =
        english ? std::vector<std::string>{"", "Rx(MHz)", "Tx(MHz)", "", "", "W/N", "Scan Add", "Tx Power",
                                           "Opt Signal", "PTTID", "Busy"}
                : std::vector<std::string>{"", "接收频率", "发射频率", "", "", "宽/窄", "扫描添加", "发射功率",
                                           "可选信令", "PTTID", "繁忙锁定"};
    const int* units = english ? kColumnUnitsEnglish : kColumnUnitsChinese;
    for (int col = 0; col <= 10; ++col) {
        const bool fromTable = col == 0 || col == 3 || col == 4;
        columns.push_back({col, col == 0 ? 1 : units[col - 1],
                           fromTable ? HeaderCell(table, col) : words[static_cast<std::size_t>(col)]});
    }
    return columns;
}

std::vector<ReportRun> LayoutReportPage(const Family& family, const Image& image, const ChannelTable& table,
                                        Lang lang, int page, const ReportGeometry& geometry,
                                        const ReportLineHeights& lineHeights, const ReportTextWidth& measure) {
    const auto& pages = ReportPages(family);
    if (page < 1 || page > static_cast<int>(pages.size())) return {};
    const ReportFonts fonts = ReportFontsFor(family, lang, geometry);
    if (fonts.title.height == 0) return {};
    const ReportPageInfo& info = pages[static_cast<std::size_t>(page - 1)];
    const Lang L = ReportLang(family, lang);
    const int u = fonts.unit;
    const int Lt = lineHeights.title;
    const int Lb = lineHeights.body;
    const int sectionStep = static_cast<int>(1.2 * Lb);
    // The right edge of the print area: nothing is printed past it.
    const int rightEdge = static_cast<int>(static_cast<std::int64_t>(geometry.width) * 1440 / geometry.dpiX);
    const int gap = ReportColumnGap(u);

    std::vector<ReportRun> runs;
    const auto put = [&runs](ReportFont font, int x, int y, std::string text, double scale = 1.0) {
        runs.push_back(ReportRun{font, x, y, std::move(text), scale});
    };

    // Title, roughly centred: half the print area less 18 units.
    const int titleX = static_cast<int>(
        (static_cast<std::int64_t>(geometry.right / 2) * 1440 / geometry.dpiX) - 18 * static_cast<std::int64_t>(u));
    int y = -Lt / 2;
    put(ReportFont::Title, titleX, y, info.title.in(L));
    y -= Lt;

    const ReportSectionHeadings headings = ReportHeadings(family, L);
    if (info.settings) {
        put(ReportFont::Body, 5 * u, y, headings.settings);
        y -= sectionStep;
        for (const auto& line : ReportSettingsBlock(family, image, table, L)) {
            // Each text of the line ends before the next one starts.
            std::vector<int> xs;
            std::vector<std::vector<std::string>> texts;
            for (const ReportSetting& s : line) {
                xs.push_back(s.xUnits * u);
                texts.push_back({s.label + s.value});
            }
            for (std::size_t i = 0; i < line.size(); ++i) {
                const std::vector<int> own(xs.begin() + static_cast<std::ptrdiff_t>(i),
                                           xs.begin() + static_cast<std::ptrdiff_t>(std::min(i + 2, xs.size())));
                const double scale = FitColumnsScale(own, rightEdge, gap, {texts[i]}, ReportFont::Body, measure);
                put(ReportFont::Body, xs[i], y, texts[i].front(), scale);
            }
            y -= Lb;
        }
    }

    put(ReportFont::Body, 5 * u, y, headings.channels);
    y -= sectionStep;

    // The channel block: each heading over its column's values. One scale
    // for the block of every page, from the heading and all channel lines,
    // so that every page prints the table alike.
    const std::vector<ReportColumn> columns = ReportChannelColumns(family, table, L);
    std::vector<int> columnX;
    std::vector<std::vector<std::string>> texts;
    for (const ReportColumn& c : columns) {
        columnX.push_back(c.xUnits * u);
        texts.push_back({c.heading});
    }
    for (const ReportPageInfo& p : pages)
        for (int row = p.firstChannel; row <= p.lastChannel; ++row)
            for (std::size_t i = 0; i < columns.size(); ++i) texts[i].push_back(Cell(table, row, columns[i].col));
    const double scale = FitColumnsScale(columnX, rightEdge, gap, texts, ReportFont::Body, measure);
    // The five-page report prints each value after the channel number with
    // a blank after it.
    const bool blankAfter = report_detail::OnePageReportOf(family) == nullptr;

    for (std::size_t i = 0; i < columns.size(); ++i) put(ReportFont::Body, columnX[i], y, columns[i].heading, scale);
    for (int row = info.firstChannel; row <= info.lastChannel; ++row) {
        y -= Lb;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            std::string text = Cell(table, row, columns[i].col);
            if (blankAfter && columns[i].col != 0) text += " ";
            put(ReportFont::Body, columnX[i], y, std::move(text), scale);
        }
    }
    return runs;
}

}  // namespace vel

#include "report/report_layout.h"
#include "report/report_one_page.h"

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
    f.title = ReportFontSpec{-height, width, 400, 48, "Times New Roman", {}, false};
    const int bodyWidth = static_cast<int>(0.8 * width);
    f.body = ReportFontSpec{-height, bodyWidth < 1 ? 1 : bodyWidth, 400, 48, "Times New Roman", {}, false};
    if (const auto* onePage = report_detail::OnePageReportOf(family)) {
        f.title.face = onePage->titleFace;
        f.title.substitutes = onePage->titleSubstitutes;
        f.title.chinese = onePage->chineseTitle;
    }
    return f;
}

std::string ReportChannelHeader(const Family& family, const ChannelTable& table, Lang lang) {
    const std::string& h0 = HeaderCell(table, 0);
    const std::string& h3 = HeaderCell(table, 3);
    const std::string& h4 = HeaderCell(table, 4);
    if (ReportLang(family, lang) == Lang::English) {
        return h0 + "   " + "Rx(MHz)" + "   " + "Tx(MHz)" + "    " + h3 + "  " + h4 + "  " + "W/N" + "    " +
               "Scan Add" + "   " + "Tx Power" + "   " + "Opt Signal" + "   " + "PTTID" + "   " + "Busy";
    }
    return h0 + "   " + "接收频率" + "     " + "发射频率" + "     " + h3 + "   " + h4 + "   " + "宽/窄" + "     " +
           "扫描添加" + "    " + "发射功率" + "   " + "可选信令" + "     " + "PTTID" + "   " + "繁忙锁定";
}

ReportSectionHeadings ReportHeadings(const Family& family, Lang lang) {
    if (const auto* onePage = report_detail::OnePageReportOf(family)) return onePage->headings;
    if (ReportLang(family, lang) == Lang::English) return {"Function Setting:", "Channel Setting:"};
    return {"功能设置:", "频道设置:"};
}

std::vector<ReportColumn> ReportChannelColumns(const Family& family, const ChannelTable& table, Lang /*lang*/) {
    std::vector<ReportColumn> columns;
    const auto* onePage = report_detail::OnePageReportOf(family);
    if (!onePage) return columns;
    for (const auto& c : onePage->columns)
        columns.push_back({c.col, c.xUnits, c.heading.empty() ? HeaderCell(table, c.col) : c.heading});
    return columns;
}

std::vector<ReportRun> LayoutReportPage(const Family& family, const Image& image, const ChannelTable& table,
                                        Lang lang, int page, const ReportGeometry& geometry,
                                        const ReportLineHeights& lineHeights) {
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

    std::vector<ReportRun> runs;
    const auto put = [&runs](ReportFont font, int x, int y, std::string text) {
        runs.push_back(ReportRun{font, x, y, std::move(text)});
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
            for (const ReportSetting& s : line) put(ReportFont::Body, s.xUnits * u, y, s.label + s.value);
            y -= Lb;
        }
    }

    put(ReportFont::Body, 5 * u, y, headings.channels);
    y -= sectionStep;

    // A report laid out in columns puts each heading over its values.
    const std::vector<ReportColumn> columns = ReportChannelColumns(family, table, L);
    if (!columns.empty()) {
        for (const ReportColumn& c : columns) put(ReportFont::Body, c.xUnits * u, y, c.heading);
        for (int row = info.firstChannel; row <= info.lastChannel; ++row) {
            y -= Lb;
            for (const ReportColumn& c : columns) put(ReportFont::Body, c.xUnits * u, y, Cell(table, row, c.col));
        }
        return runs;
    }

    put(ReportFont::Body, u, y, ReportChannelHeader(family, table, L));
    const int* columnUnits = L == Lang::English ? kColumnUnitsEnglish : kColumnUnitsChinese;
    for (int row = info.firstChannel; row <= info.lastChannel; ++row) {
        y -= Lb;
        put(ReportFont::Body, u, y, Cell(table, row, 0));
        for (int col = 1; col <= 10; ++col) put(ReportFont::Body, columnUnits[col - 1] * u, y, Cell(table, row, col) + " ");
    }
    return runs;
}

}  // namespace vel

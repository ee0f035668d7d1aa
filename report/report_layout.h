#pragma once
// The settings report as text runs: where each text of a printed page goes,
// in twips, with which of the report's two fonts. Pure functions of the
// family, the image, the channel table the grid shows and the page geometry;
// the drawing code (report/ui) only creates the fonts, measures their line
// heights and draws the runs.
//
// Coordinates follow the twips mapping of the printers the radios' dealers
// use: 1440 twips to the inch, x grows to the right from the left edge of the
// print area, y grows upwards from its top edge, so every line of a page has
// a negative y. A run's (x, y) is the top-left corner of its text.
//
// Use in two steps:
//   1. ReportFontsFor(geometry) gives the two font requests (and the width
//      unit u every x position is a multiple of);
//   2. the drawer creates the fonts, measures each one's line height
//      (height plus external leading) and calls LayoutReportPage with a
//      function that measures text widths in those fonts.
//
// Columns: the channel block prints each heading word at the x of its own
// column, the column's values below it. Where a text would run into the next
// column or past the right edge of the print area, the text is printed
// smaller (ReportRun::scale); positions, texts and pages stay as they are.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"
#include "table/channel_table.h"

namespace vel {

/// The print area of a page as the printer reports it.
struct ReportGeometry {
    int width = 0;    ///< W: print area width in device pixels
    int height = 0;   ///< H: print area height in device pixels
    int right = 0;    ///< R: right edge of the print area in device pixels
    int dpiX = 0;     ///< horizontal pixels per inch
    int dpiY = 0;     ///< vertical pixels per inch
};

/// A font request in the terms of a logical font: a negative height asks for
/// that character (em) height, width is the average character width, both in
/// twips.
struct ReportFontRequest {
    int height = 0;
    int width = 0;
    int weight = 400;
    int pitchAndFamily = 48;
    std::string face;
    /// Faces that stand in for `face` where it is not installed, in order of
    /// preference; when none is installed either and `chinese` is set, any
    /// installed font that writes Simplified Chinese does.
    std::vector<std::string> substitutes;
    bool chinese = false;
};

/// The report's two fonts and the width unit of the page.
struct ReportFonts {
    ReportFontRequest title;
    ReportFontRequest body;
    int charHeight = 0;   ///< h = (H / 45) × 1440 / dpiY: 45 lines to the page
    int unit = 0;         ///< u = (W × 1440 / dpiX − 900) / 80: 80 units across the page
};

enum class ReportFont { Title, Body };

/// One text of a page at (x, y) in twips, top-left aligned, drawn in `font`
/// at `scale` times its size (below 1 where the full size would not fit).
struct ReportRun {
    ReportFont font = ReportFont::Body;
    int x = 0;
    int y = 0;
    std::string text;
    double scale = 1.0;
};

/// Width in twips of `text` drawn in `font` at its full size.
using ReportTextWidth = std::function<int(ReportFont font, const std::string& text)>;

/// Twips kept free between the end of a text and the next column's start.
int ReportColumnGap(int unit);

/// The largest scale (at most 1) at which every text of every column ends
/// before the next column's x less `gap`, and the texts of the last column
/// at `rightEdge`. Column i starts at `columnX[i]` and holds `texts[i]`; empty
/// texts take no room. Without a measuring function the scale is 1.
double FitColumnsScale(const std::vector<int>& columnX, int rightEdge, int gap,
                       const std::vector<std::vector<std::string>>& texts, ReportFont font,
                       const ReportTextWidth& measure);

/// Line heights of the two fonts as the drawer measured them (height plus
/// external leading), in twips.
struct ReportLineHeights {
    int title = 0;
    int body = 0;
};

/// One page of a family's report: its title and the channels it lists
/// (firstChannel > lastChannel: none); the first page also holds the settings.
struct ReportPageInfo {
    Text title;
    int firstChannel = 1;
    int lastChannel = 0;
    bool settings = false;
};

/// The pages of `family`'s report, page 1 first; empty when the family has no
/// report of this layout.
const std::vector<ReportPageInfo>& ReportPages(const Family& family);

/// Number of pages of `family`'s report (5 for the 128-channel families, 1
/// for the 16-channel families).
int ReportPageCount(const Family& family);

/// The language the report of `family` is printed in when the interface
/// language is `lang` (families with one interface language print in it).
Lang ReportLang(const Family& family, Lang lang);

/// Step 1: the title and body fonts for a print area. The title font is
/// "Times New Roman" (the Chinese 16-channel report: "宋体") of height −h and
/// width u, the body font "Times New Roman" of the same height with width
/// 0.8·u (truncated). Invalid geometry (no pixel density) gives zeros;
/// a print area too small for the formulas gets the smallest usable font
/// (height and width 1) rather than a negative size.
ReportFonts ReportFontsFor(const Family& family, Lang lang, const ReportGeometry& geometry);

/// One settings text: label and value, printed together at x = xUnits·u.
struct ReportSetting {
    int xUnits = 0;
    std::string label;
    std::string value;
};

/// The settings block of page 1, line by line (7 lines for the 128- and
/// 118-channel families), each text with its x position in units of u.
/// Values come from the image, and for the form's lists (type, band, power
/// rank) from the selections of `table`. The 16-channel families print every
/// setting of their form from the selections of `table`, so lists changed on
/// the form print before they are stored; Marlowe prints its type and band
/// from the form and the rest from the image, with its side-button columns.
std::vector<std::vector<ReportSetting>> ReportSettingsBlock(const Family& family, const Image& image,
                                                            const ChannelTable& table, Lang lang);

/// Headings of the two blocks of page 1: the settings ("Function Setting:")
/// and the channels ("Channel Setting:").
struct ReportSectionHeadings {
    std::string settings;
    std::string channels;
};
ReportSectionHeadings ReportHeadings(const Family& family, Lang lang);

/// One column of a report laid out in columns: the grid column it prints,
/// its x in units of u, and the heading printed over its values.
struct ReportColumn {
    int col = 0;
    int xUnits = 0;
    std::string heading;
};

/// The channel columns of the report, column 0 first, each heading over its
/// values. The five- and four-page reports print columns 0 to 10 under the
/// table's header cells of columns 0, 3 and 4 and the report's own words for
/// the others ("Rx(MHz)", "Tx(MHz)", "W/N", "Scan Add", "Tx Power", "Opt
/// Signal", "PTTID", "Busy"; in Chinese "接收频率", "发射频率", "宽/窄",
/// "扫描添加", "发射功率", "可选信令", "PTTID", "繁忙锁定"), at u, then 5u, 14u,
/// 24u, 32u, 40u, 46u, 55u, 64u, 74u, 82u (Chinese: 5u, 14u, 25u, 33u, 40u,
/// 46u, 54u, 62u, 70u, 78u). The one-page reports have their own columns.
std::vector<ReportColumn> ReportChannelColumns(const Family& family, const ChannelTable& table, Lang lang);

/// Step 2: the runs of page `page` (1-based) in drawing order. A page number
/// outside the report or an invalid geometry gives no runs. Bytes past the end
/// of a short image read as 0xFF, cells missing from a short table as empty.
///
/// With `measure`, texts are kept inside their columns and the print area:
/// the channel block (heading and every channel line of the whole report)
/// gets one scale at which all of its texts fit their columns, so that every
/// page prints the table alike; a settings text that would reach the next text
/// of its line or the right edge gets a scale of its own.
std::vector<ReportRun> LayoutReportPage(const Family& family, const Image& image, const ChannelTable& table,
                                        Lang lang, int page, const ReportGeometry& geometry,
                                        const ReportLineHeights& lineHeights, const ReportTextWidth& measure = {});

}  // namespace vel

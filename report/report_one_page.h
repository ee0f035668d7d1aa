#pragma once
// The one-page settings report of the 16-channel families (VM_CH16,
// VM_CH16_CN, Marlowe): what each family prints, as a small table per family.
// The page is laid out by LayoutReportPage with the five-page report's
// fonts, steps and positions; only the texts and columns come from here.

#include <string>
#include <vector>

#include "image/family.h"
#include "image/image.h"
#include "report/report_layout.h"
#include "table/channel_table.h"

namespace vel::report_detail {

/// A value printed from the image rather than from the form.
using ImageValue = std::string (*)(const Image& image);

/// One settings line: label and value at x = 2u. The value is the selected
/// text of form list `formList` when it is not 0, else `fromImage` of the
/// image, else nothing.
struct OnePageSetting {
    std::string label;
    int formList = 0;
    ImageValue fromImage = nullptr;
};

/// A channel column: grid column `col` at x = xUnits·u under `heading`, or
/// under the grid's own header cell when `heading` is empty.
struct OnePageColumn {
    int col = 0;
    int xUnits = 0;
    std::string heading;
};

struct OnePageReport {
    std::vector<ReportPageInfo> pages;   // the one page
    std::string titleFace;
    std::vector<std::string> titleSubstitutes;
    bool chineseTitle = false;
    ReportSectionHeadings headings;
    std::vector<OnePageSetting> settings;
    /// Marlowe's side buttons: two columns, each with its short and long
    /// press, printed below the settings.
    bool sideButtons = false;
    std::vector<OnePageColumn> columns;
};

/// The one-page report of `family`, or nullptr for a family whose report
/// has five (or four) pages.
const OnePageReport* OnePageReportOf(const Family& family);

/// The settings lines of a one-page report.
std::vector<std::vector<ReportSetting>> OnePageSettings(const OnePageReport& report, const Family& family,
                                                        const Image& image, const ChannelTable& table);

/// Byte `addr` of the image; past the end of a short image (a file of
/// another family) it reads as erased memory, 0xFF.
Byte ReportByte(const Image& image, int addr);

/// Text of the selected item of form list `id` in the table, in `lang`;
/// empty without a selection.
std::string SelectedText(const Family& family, const ChannelTable& table, int id, Lang lang);

}  // namespace vel::report_detail

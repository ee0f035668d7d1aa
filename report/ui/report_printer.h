#pragma once
// Printing, print preview and PDF export of the settings report.
//
// Every function takes what the report prints as four inputs: the family
// descriptor, the document's memory image, the channel table as the grid
// shows it (cells and form selections, e.g. CVelView::table()) and the
// interface language. Nothing is changed; the pages are laid out by
// vel::LayoutReportPage (report/report_layout.h) and drawn here.
//
// Commands of the main window:
//   File > Print...        PrintReport(this, printer, family, image, table, lang)
//   File > Print Preview   PreviewReport(this, printer, family, image, table, lang)
//   File > Print Setup...  PrintSetup(this, printer)
//   File > Export PDF...   ExportReportPdf(this, printer, family, image, table, lang, suggestedPath)
// where `printer` is one QPrinter the main window keeps for the whole run, so
// that the choices of the setup and print dialogs carry over to the next
// print, preview and export.
//
// Without a window: WriteReportPdf writes the whole report to a file (the
// velreport tool and the tests use it).

#include <QPageLayout>
#include <QString>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"
#include "report/report_layout.h"
#include "table/channel_table.h"

class QPainter;
class QPagedPaintDevice;
class QPaintDevice;
class QPrinter;
class QWidget;

namespace velui {

/// The face the report draws a font request with: the requested face when it
/// is installed, else the first installed substitute, else (for a Chinese
/// face) the first installed font that writes Simplified Chinese. So the
/// Chinese report's title font "宋体" becomes, on a system without it, a
/// Chinese font that is there (WenQuanYi on a Debian system), instead of
/// whatever the platform would pick for an unknown name.
QString ResolveReportFace(const vel::ReportFontRequest& request);

/// Draws page `page` (1-based) of the report with `painter`, which must be
/// active on `device`. The device's paintable area is the print area; the
/// fonts are measured at the device's resolution. A page outside the report
/// draws nothing.
void DrawReportPage(QPainter& painter, const QPaintDevice& device, const vel::Family& family,
                    const vel::Image& image, const vel::ChannelTable& table, vel::Lang lang, int page);

/// Draws pages `fromPage` to `toPage` onto `device`, starting a new sheet
/// between pages. Returns false when painting could not begin on the device
/// or the range holds no page of the report.
bool PaintReport(QPagedPaintDevice& device, const vel::Family& family, const vel::Image& image,
                 const vel::ChannelTable& table, vel::Lang lang, int fromPage, int toPage);

/// Page layout used when none is given: A4 portrait with 10 mm margins.
QPageLayout DefaultReportPageLayout();

/// Writes every page of the report as a PDF file at `path`. The PDF is
/// written to a temporary file beside `path` and renamed over it only when
/// complete, so a failure leaves an existing file untouched. On failure
/// returns false and, when `error` is given, sets it to the reason.
bool WriteReportPdf(const QString& path, const vel::Family& family, const vel::Image& image,
                    const vel::ChannelTable& table, vel::Lang lang,
                    const QPageLayout& layout = DefaultReportPageLayout(), QString* error = nullptr);

/// File > Print: the standard print dialog with the pages 1 to the report's
/// page count, then the chosen pages on `printer`. Returns true when pages
/// were printed, false when the dialog was cancelled or printing failed.
bool PrintReport(QWidget* parent, QPrinter& printer, const vel::Family& family, const vel::Image& image,
                 const vel::ChannelTable& table, vel::Lang lang);

/// File > Print Preview: the standard preview window on `printer`, showing
/// the pages side by side in pairs. The preview can print from its toolbar.
void PreviewReport(QWidget* parent, QPrinter& printer, const vel::Family& family, const vel::Image& image,
                   const vel::ChannelTable& table, vel::Lang lang);

/// File > Print Setup: the standard page setup dialog for `printer`.
/// Returns true when the user accepted it.
bool PrintSetup(QWidget* parent, QPrinter& printer);

/// File > Export PDF: a file chooser (starting at `suggestedPath` when it is
/// given), then the whole report as a PDF in the page layout of `printer`.
/// A failure is shown in a message box. Returns true when the file was
/// written.
bool ExportReportPdf(QWidget* parent, const QPrinter& printer, const vel::Family& family, const vel::Image& image,
                     const vel::ChannelTable& table, vel::Lang lang, const QString& suggestedPath = QString());

}  // namespace velui

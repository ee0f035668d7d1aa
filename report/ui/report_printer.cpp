#include "report/ui/report_printer.h"

#include "image/file_access.h"
#include "shell/ui/message_box.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMarginsF>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

#include "report/report_layout.h"

namespace velui {
namespace {

const char* const kContext = "ReportPrinter";

QString Tr(const char* text) { return QCoreApplication::translate(kContext, text); }

// Texts of this file, for the translation tools.
[[maybe_unused]] const char* const kTexts[] = {
    QT_TRANSLATE_NOOP("ReportPrinter", "Export PDF"),
    QT_TRANSLATE_NOOP("ReportPrinter", "PDF files (*.pdf)"),
    QT_TRANSLATE_NOOP("ReportPrinter", "The report could not be written to %1.\n%2"),
    QT_TRANSLATE_NOOP("ReportPrinter", "The report could not be printed."),
    QT_TRANSLATE_NOOP("ReportPrinter", "This radio has no settings report."),
};

double TwipsToPixels(int twips, int dpi) { return twips * static_cast<double>(dpi) / 1440.0; }

/// The font a logical font request asks for, at the device's resolution:
/// the requested character height as the em size, and the average character
/// width reached by stretching the face horizontally.
QFont MakeFont(const vel::ReportFontRequest& request, const QPaintDevice& device) {
    QFont font(ResolveReportFace(request));
    // Pitch and family 48 asks for a font of constant stroke width when the
    // face itself is missing.
    font.setStyleHint(QFont::TypeWriter, QFont::PreferOutline);
    font.setWeight(request.weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setKerning(false);
    const int em = std::abs(request.height);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(TwipsToPixels(em, device.logicalDpiY())))));
    const double natural = QFontMetricsF(font, &device).averageCharWidth();
    const double wanted = TwipsToPixels(request.width, device.logicalDpiX());
    if (natural > 0 && wanted > 0) {
        font.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * wanted / natural)), 1, 4000));
    }
    return font;
}

/// `font` at `scale` times its size (never larger), with the same stretch,
/// so that its texts are as much narrower as the scale says.
QFont ScaledFont(const QFont& font, double scale) {
    if (scale >= 1.0 || font.pixelSize() <= 0) return font;
    QFont smaller(font);
    smaller.setPixelSize(std::max(1, static_cast<int>(std::floor(font.pixelSize() * scale))));
    return smaller;
}

/// Line height of a font (height plus external leading) in twips.
int LineHeightTwips(const QFont& font, const QPaintDevice& device) {
    const QFontMetricsF fm(font, &device);
    const double px = fm.height() + std::max(0.0, fm.leading());
    return static_cast<int>(std::lround(px * 1440.0 / device.logicalDpiY()));
}

QString MessageTitle() {
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

}  // namespace

QString ResolveReportFace(const vel::ReportFontRequest& request) {
    const QString face = QString::fromStdString(request.face);
    if (request.substitutes.empty() && !request.chinese) return face;
    const QStringList installed = QFontDatabase::families();
    const auto isInstalled = [&installed](const QString& f) { return installed.contains(f, Qt::CaseInsensitive); };
    if (isInstalled(face)) return face;
    for (const std::string& s : request.substitutes) {
        const QString substitute = QString::fromStdString(s);
        if (isInstalled(substitute)) return substitute;
    }
    if (request.chinese) {
        const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
        if (!chinese.isEmpty()) return chinese.front();
    }
    return face;
}

void DrawReportPage(QPainter& painter, const QPaintDevice& device, const vel::Family& family,
                    const vel::Image& image, const vel::ChannelTable& table, vel::Lang lang, int page) {
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    // The print area is the device's paintable area; its right edge is its width.
    const vel::ReportGeometry geometry{device.width(), device.height(), device.width(), dpiX, dpiY};
    const vel::ReportFonts fonts = vel::ReportFontsFor(family, lang, geometry);
    if (fonts.title.height == 0) return;

    // The fonts live for this page only.
    const QFont titleFont = MakeFont(fonts.title, device);
    const QFont bodyFont = MakeFont(fonts.body, device);
    const vel::ReportLineHeights heights{LineHeightTwips(titleFont, device), LineHeightTwips(bodyFont, device)};
    const auto base = [&](vel::ReportFont f) -> const QFont& { return f == vel::ReportFont::Title ? titleFont : bodyFont; };
    // Widths in twips, rounded up, so that a text measured to fit does fit.
    const vel::ReportTextWidth measure = [&](vel::ReportFont f, const std::string& text) {
        const double px = QFontMetricsF(base(f), &device).horizontalAdvance(QString::fromStdString(text));
        return static_cast<int>(std::ceil(px * 1440.0 / dpiX));
    };

    painter.save();
    painter.setPen(Qt::black);
    for (const vel::ReportRun& run : vel::LayoutReportPage(family, image, table, lang, page, geometry, heights, measure)) {
        if (run.text.empty()) continue;
        const QFont font = ScaledFont(base(run.font), run.scale);
        painter.setFont(font);
        // y grows upwards in twips and downwards on the device; a run's y is
        // the top of its text, the painter wants the baseline. A smaller text
        // keeps the baseline of its line.
        const double ascent = QFontMetricsF(base(run.font), &device).ascent();
        const QPointF at(TwipsToPixels(run.x, dpiX), TwipsToPixels(-run.y, dpiY) + ascent);
        painter.drawText(at, QString::fromStdString(run.text));
    }
    painter.restore();
}

bool PaintReport(QPagedPaintDevice& device, const vel::Family& family, const vel::Image& image,
                 const vel::ChannelTable& table, vel::Lang lang, int fromPage, int toPage) {
    const int count = vel::ReportPageCount(family);
    fromPage = std::max(fromPage, 1);
    toPage = std::min(toPage, count);
    if (fromPage > toPage) return false;
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (int page = fromPage; page <= toPage; ++page) {
        if (page > fromPage && !device.newPage()) {
            painter.end();
            return false;
        }
        DrawReportPage(painter, device, family, image, table, lang, page);
    }
    return painter.end();
}

QPageLayout DefaultReportPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

bool WriteReportPdf(const QString& path, const vel::Family& family, const vel::Image& image,
                    const vel::ChannelTable& table, vel::Lang lang, const QPageLayout& layout, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const int count = vel::ReportPageCount(family);
    if (count == 0) return fail(Tr("This radio has no settings report."));

    // Only a regular file (or nothing) is replaced, never a device or a named
    // pipe; a link is written through, to the file it names.
    const vel::FileAccess access = vel::CheckFileAccess(path.toStdU16String(), vel::FileUse::Replace);
    if (!access.ok) return fail(QString::fromStdString(access.reason->in(lang)));
    // QSaveFile writes beside the target and renames on commit: an existing
    // file is replaced only by a complete PDF. No stop signal comes between
    // its temporary file and the rename or removal.
    const vel::SignalShield shield;
    QSaveFile file(QString::fromStdU16String(access.target.u16string()));
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setPageLayout(layout.isValid() ? layout : DefaultReportPageLayout());
        writer.setCreator(QStringLiteral("Velmar"));
        const auto& pages = vel::ReportPages(family);
        writer.setTitle(QString::fromStdString(pages.front().title.in(vel::ReportLang(family, lang))));
        painted = PaintReport(writer, family, image, table, lang, 1, count);
    }
    if (!painted || file.error() != QFileDevice::NoError) {
        const QString why = file.error() != QFileDevice::NoError ? file.errorString() : Tr("The report could not be printed.");
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit()) return fail(file.errorString());
    return true;
}

bool PrintReport(QWidget* parent, QPrinter& printer, const vel::Family& family, const vel::Image& image,
                 const vel::ChannelTable& table, vel::Lang lang) {
    const int count = vel::ReportPageCount(family);
    if (count == 0) {
        ShowMessage(parent, QMessageBox::Information, MessageTitle(), Tr("This radio has no settings report."));
        return false;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, count);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) return false;

    int from = 1;
    int to = count;
    if (printer.printRange() == QPrinter::PageRange) {
        if (printer.fromPage() > 0) from = printer.fromPage();
        if (printer.toPage() > 0) to = printer.toPage();
    }
    if (!PaintReport(printer, family, image, table, lang, from, to)) {
        ShowMessage(parent, QMessageBox::Warning, MessageTitle(), Tr("The report could not be printed."));
        return false;
    }
    return true;
}

void PreviewReport(QWidget* parent, QPrinter& printer, const vel::Family& family, const vel::Image& image,
                   const vel::ChannelTable& table, vel::Lang lang) {
    const int count = vel::ReportPageCount(family);
    if (count == 0) {
        ShowMessage(parent, QMessageBox::Information, MessageTitle(), Tr("This radio has no settings report."));
        return;
    }
    QPrintPreviewDialog dialog(&printer, parent);
    // Each refresh draws the pages afresh from the current image and table.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* target) { PaintReport(*target, family, image, table, lang, 1, count); });
    if (auto* view = dialog.findChild<QPrintPreviewWidget*>()) {
        view->setViewMode(QPrintPreviewWidget::FacingPagesView);
        view->fitInView();
    }
    dialog.exec();
}

bool PrintSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool ExportReportPdf(QWidget* parent, const QPrinter& printer, const vel::Family& family, const vel::Image& image,
                     const vel::ChannelTable& table, vel::Lang lang, const QString& suggestedPath) {
    if (vel::ReportPageCount(family) == 0) {
        ShowMessage(parent, QMessageBox::Information, MessageTitle(), Tr("This radio has no settings report."));
        return false;
    }
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.title = Tr("Export PDF");
    request.suggested = suggestedPath;
    request.filter = Tr("PDF files (*.pdf)");
    QString path = AskFileName(parent, request);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");

    QString why;
    if (!WriteReportPdf(path, family, image, table, lang, printer.pageLayout(), &why)) {
        ShowMessage(parent, QMessageBox::Warning, MessageTitle(),
                             Tr("The report could not be written to %1.\n%2").arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    return true;
}

}  // namespace velui

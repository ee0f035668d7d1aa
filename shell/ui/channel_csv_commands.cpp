#include "shell/ui/channel_csv_commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "image/document_file.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/message_box.h"
#include "shell/ui/vel_doc.h"
#include "table/channel_csv.h"
#include "table/csv_text.h"
#include "table/ui/import_channels_dlg.h"
#include "table/ui/vel_view.h"

namespace velui {

namespace {

// A channel list is a few kilobytes; anything this large is some other file.
constexpr std::size_t kMaxCsvBytes = 4 * 1024 * 1024;

QString Tr(const char* text) { return QCoreApplication::translate("CChannelCsvCommands", text); }

QString Q(const std::string& s) { return QString::fromStdString(s); }

QString Lines(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& l : lines) out.append(Q(l));
    return out.join('\n');
}

/// The folder of the document, where a channel list most likely belongs.
QString DocumentFolder(const CVelDoc& doc) {
    return doc.pathName().isEmpty() ? QString() : QFileInfo(doc.pathName()).absolutePath();
}

void ImportChannels(CMainFrame& frame, CVelView& view, CVelDoc& doc, vel::Lang lang) {
    view.commitCurrentCell();
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = Tr(QT_TRANSLATE_NOOP("CChannelCsvCommands", "Import Channels"));
    request.suggested = DocumentFolder(doc);
    request.filter = Tr(QT_TRANSLATE_NOOP("CChannelCsvCommands", "Channel lists (*.csv)")) + QStringLiteral(";;") +
                     Tr(QT_TRANSLATE_NOOP("CChannelCsvCommands", "All Files (*)"));
    const QString path = AskFileName(&frame, request);
    if (path.isEmpty()) return;

    const vel::TextFile file = vel::ReadTextFile(QFileInfo(path).absoluteFilePath().toStdU16String(), kMaxCsvBytes);
    if (!file.ok) {
        ShowMessage(&frame, QMessageBox::Warning, frame.windowTitle(), Q(file.message.in(lang)));
        return;
    }
    const vel::ChannelTable current = view.table();
    const vel::Family& family = doc.family();
    const auto import = [&](vel::ImportMode mode) {
        return vel::ImportChannels(family, lang, file.text, vel::CsvForm::Auto, mode, current);
    };
    // A file that is not a channel list at all is said so at once.
    if (const vel::ChannelImport first = import(vel::ImportMode::Replace); !first.ok) {
        ShowMessage(&frame, QMessageBox::Warning, frame.windowTitle(), Q(first.error));
        return;
    }
    CImportChannelsDlg dialog(QDir::toNativeSeparators(path), lang, import, &frame);
    if (dialog.exec() != QDialog::Accepted) return;

    // Into the image as a save would store it, then back into the grid, as
    // a completed read does: what the window shows is what the image holds.
    vel::Image image = doc.image();
    vel::StoreChannelGrid(family, dialog.result().table, image);
    doc.image() = image;
    view.fillChannelGrid();
    frame.setPaneText(Tr(QT_TRANSLATE_NOOP("CChannelCsvCommands", "%1 channels imported from %2"))
                          .arg(dialog.result().imported)
                          .arg(QFileInfo(path).fileName()));
}

void ExportChannels(CMainFrame& frame, CVelView& view, CVelDoc& doc, vel::Lang lang) {
    view.commitCurrentCell();
    const QString native = Tr(QT_TRANSLATE_NOOP("CChannelCsvCommands", "Channel table of this program (*.csv)"));
    const QString common = Tr(QT_TRANSLATE_NOOP("CChannelCsvCommands", "Common exchange layout (*.csv)"));
    QString chosen = native;
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.title = Tr(QT_TRANSLATE_NOOP("CChannelCsvCommands", "Export Channels"));
    const QString base = doc.pathName().isEmpty() ? Tr(QT_TRANSLATE_NOOP("CChannelCsvCommands", "Channels"))
                                                  : QFileInfo(doc.pathName()).completeBaseName();
    request.suggested = QDir(DocumentFolder(doc)).filePath(base + QStringLiteral(".csv"));
    request.filter = native + QStringLiteral(";;") + common;
    request.selectedFilter = &chosen;
    QString path = AskFileName(&frame, request);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");

    const vel::CsvForm form = chosen == common ? vel::CsvForm::Common : vel::CsvForm::Native;
    const vel::ChannelExport out = vel::ExportChannels(doc.family(), lang, form, view.table());
    const vel::ChannelFileSaveResult saved =
        vel::SaveChannelFile(QFileInfo(path).absoluteFilePath().toStdU16String(), vel::Image(out.text.begin(), out.text.end()));
    if (!saved.ok) {
        ShowMessage(&frame, QMessageBox::Warning, frame.windowTitle(),
                    saved.message ? Q(saved.message->in(lang)) : QString());
        return;
    }
    if (!out.left.empty()) ShowMessage(&frame, QMessageBox::Information, frame.windowTitle(), Lines(vel::DescribeExport(out, lang)));
    frame.setPaneText(Tr(QT_TRANSLATE_NOOP("CChannelCsvCommands", "Channels exported to %1")).arg(QFileInfo(path).fileName()));
}

}  // namespace

void InstallChannelCsvCommands(CMainFrame& frame, CVelView& view, CVelDoc& doc, vel::Lang lang) {
    frame.setHandler(ID_FILE_IMPORT_CHANNELS, [&frame, &view, &doc, lang] { ImportChannels(frame, view, doc, lang); });
    frame.setHandler(ID_FILE_EXPORT_CHANNELS, [&frame, &view, &doc, lang] { ExportChannels(frame, view, doc, lang); });
}

}  // namespace velui

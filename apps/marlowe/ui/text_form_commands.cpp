#include "text_form_commands.h"  // by its own name: the translation scan needs the class to find its texts

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <filesystem>

#include "apps/marlowe/data_password.h"
#include "apps/marlowe/image_text.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/message_box.h"
#include "shell/ui/vel_doc.h"
#include "table/ui/vel_view.h"

namespace velui {
namespace {

QString Tr(const char* text) { return QCoreApplication::translate("CTextFormCommands", text); }

std::filesystem::path LocalPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

}  // namespace

CTextFormCommands::CTextFormCommands(CMainFrame& frame, CVelView& view, CVelDoc& doc)
    : frame_(frame), view_(view), doc_(doc) {}

void CTextFormCommands::install() {
    frame_.setHandler(ID_FILE_IMPORT_TEXT, [this] { onImportTextForm(); });
    frame_.setHandler(ID_FILE_EXPORT_TEXT, [this] { onExportTextForm(); });
}

QString CTextFormCommands::title() const { return frame_.windowTitle(); }

void CTextFormCommands::warn(const QString& text) const {
    ShowMessage(&frame_, QMessageBox::Warning, title(), text);
}

QString CTextFormCommands::askFile(FileDialogKind kind, const QString& title) const {
    FileDialogRequest request;
    request.kind = kind;
    request.title = title;
    request.suggested = QDir::current().filePath(QString::fromLatin1(vel::kImageTextFileName));
    request.filter = Tr(QT_TRANSLATE_NOOP("CTextFormCommands", "Text Form (*.txt)")) + QStringLiteral(";;") +
                     Tr(QT_TRANSLATE_NOOP("CTextFormCommands", "All Files (*)"));
    return AskFileName(&frame_, request);
}

void CTextFormCommands::onImportTextForm() {
    const QString path = askFile(FileDialogKind::Open, Tr(QT_TRANSLATE_NOOP("CTextFormCommands", "Import Text Form")));
    if (!path.isEmpty()) importTextForm(path);
}

void CTextFormCommands::onExportTextForm() {
    const QString path = askFile(FileDialogKind::Save, Tr(QT_TRANSLATE_NOOP("CTextFormCommands", "Export Text Form")));
    if (!path.isEmpty()) exportTextForm(path);
}

bool CTextFormCommands::importTextForm(const QString& path) {
    // The form's values as the user sees them, the box being typed in included.
    view_.commitCurrentCell();
    const std::string typed = view_.dataPasswordText();
    const vel::ImageTextImportResult imported = vel::ImportImageTextFile(LocalPath(path), doc_.image());
    if (!imported.ok) {
        warn(QString::fromStdString(imported.message.in(view_.family().uiLang(view_.displayLang()))));
        return false;
    }
    // A different password is said, but the imported bytes stay.
    if (!vel::PasswordsMatch(vel::DataPasswordFromImage(doc_.image()), typed))
        warn(Tr(QT_TRANSLATE_NOOP("CTextFormCommands", "Password incorrect")));
    // The table, Field, Type and Data Password now show the imported image;
    // the document counts as modified, since saving would now write it.
    view_.fillChannelGrid();
    frame_.setPaneText(Tr(QT_TRANSLATE_NOOP("CTextFormCommands", "Imported the text form %1."))
                           .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    return true;
}

bool CTextFormCommands::exportTextForm(const QString& path) {
    view_.commitCurrentCell();
    const vel::ImageTextExportResult written = vel::ExportImageTextFile(LocalPath(path), view_.storedImage());
    if (!written) {
        const vel::Lang lang = view_.family().uiLang(view_.displayLang());
        warn(written.message ? QString::fromStdString(written.message->in(lang))
                             : Tr(QT_TRANSLATE_NOOP("CTextFormCommands", "The text form could not be written.")));
        return false;
    }
    frame_.setPaneText(Tr(QT_TRANSLATE_NOOP("CTextFormCommands", "Wrote the text form %1."))
                           .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    return true;
}

}  // namespace velui

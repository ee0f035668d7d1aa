#pragma once
// File › "Import Text Form…" and "Export Text Form…": the text form of the
// image ("1.txt") read into the document or written from it on the user's
// request. (The text form that every save and write leaves in the current
// directory is the family's step after a store, see Family::afterWindowStore.)

#include <QString>

#include "shell/ui/message_box.h"

class CVelView;

namespace velui {

class CMainFrame;
class CVelDoc;

class CTextFormCommands {
public:
    CTextFormCommands(CMainFrame& frame, CVelView& view, CVelDoc& doc);

    /// Installs the handlers of the two File menu commands.
    void install();

    /// Import Text Form…: a file dialog that starts on "1.txt" in the current
    /// directory, then importTextForm.
    void onImportTextForm();
    /// Export Text Form…: a file dialog that starts on "1.txt" in the current
    /// directory, then exportTextForm.
    void onExportTextForm();

    /// Reads the text form at `path` into the document's image, compares the
    /// imported data password with the form's ("Password incorrect" when they
    /// differ; the imported bytes stay) and refills the view. A file that
    /// cannot be read is reported with its name and the reason, and the image
    /// is unchanged. True when the file was read.
    bool importTextForm(const QString& path);
    /// Writes the text form of what saving now would write to `path` (the
    /// document's image is not touched). True when written.
    bool exportTextForm(const QString& path);

private:
    /// A file dialog that starts on "1.txt" in the current directory; "" for Cancel.
    QString askFile(FileDialogKind kind, const QString& title) const;
    QString title() const;
    void warn(const QString& text) const;

    CMainFrame& frame_;
    CVelView& view_;
    CVelDoc& doc_;
};

}  // namespace velui

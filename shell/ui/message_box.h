#pragma once
// Every message box and file dialog of the shell goes through these functions,
// so that tests can answer them without a person (setMessageHook and
// setFileDialogHook). Without a hook they show the ordinary Qt dialogs.

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace velui {

/// What a message box showed; tests record it.
struct MessageRequest {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

using MessageHook = std::function<QMessageBox::StandardButton(const MessageRequest&)>;
/// Replaces the message boxes (an empty function restores them).
void setMessageHook(MessageHook hook);

/// Shows a modal message box titled `title` and returns the button pressed.
QMessageBox::StandardButton ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QString title;
    QString suggested;   // file name or directory offered first
    QString filter;
    /// In and out: the filter shown first, and the one the user chose.
    QString* selectedFilter = nullptr;
};

using FileDialogHook = std::function<QString(const FileDialogRequest&)>;
/// Replaces the file dialogs; the hook returns the chosen path or "" for Cancel.
void setFileDialogHook(FileDialogHook hook);

/// Asks for a file name; "" when the user cancels.
QString AskFileName(QWidget* parent, const FileDialogRequest& request);

}  // namespace velui

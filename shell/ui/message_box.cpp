#include "shell/ui/message_box.h"

#include <QFileDialog>

namespace velui {

namespace {
MessageHook& messageHook() {
    static MessageHook hook;
    return hook;
}
FileDialogHook& fileDialogHook() {
    static FileDialogHook hook;
    return hook;
}
}  // namespace

void setMessageHook(MessageHook hook) { messageHook() = std::move(hook); }
void setFileDialogHook(FileDialogHook hook) { fileDialogHook() = std::move(hook); }

QMessageBox::StandardButton ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                        const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) {
    if (messageHook()) return messageHook()(MessageRequest{icon, title, text, buttons});
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString AskFileName(QWidget* parent, const FileDialogRequest& request) {
    if (fileDialogHook()) return fileDialogHook()(request);
    if (request.kind == FileDialogKind::Open)
        return QFileDialog::getOpenFileName(parent, request.title, request.suggested, request.filter);
    return QFileDialog::getSaveFileName(parent, request.title, request.suggested, request.filter);
}

}  // namespace velui

#include "shell/ui/message_box.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileDialog>

#include <utility>

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
    // The buttons speak the interface language whether or not Qt's own
    // translations are installed.
    const std::pair<QMessageBox::StandardButton, const char*> names[] = {
        {QMessageBox::Ok, QT_TRANSLATE_NOOP("MessageBox", "OK")},
        {QMessageBox::Save, QT_TRANSLATE_NOOP("MessageBox", "Save")},
        {QMessageBox::Discard, QT_TRANSLATE_NOOP("MessageBox", "Discard")},
        {QMessageBox::Cancel, QT_TRANSLATE_NOOP("MessageBox", "Cancel")},
        {QMessageBox::Yes, QT_TRANSLATE_NOOP("MessageBox", "Yes")},
        {QMessageBox::No, QT_TRANSLATE_NOOP("MessageBox", "No")},
        {QMessageBox::Retry, QT_TRANSLATE_NOOP("MessageBox", "Retry")},
        {QMessageBox::Close, QT_TRANSLATE_NOOP("MessageBox", "Close")}};
    for (const auto& [button, name] : names)
        if (QAbstractButton* b = box.button(button)) b->setText(QCoreApplication::translate("MessageBox", name));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString AskFileName(QWidget* parent, const FileDialogRequest& request) {
    if (fileDialogHook()) return fileDialogHook()(request);
    if (request.kind == FileDialogKind::Open)
        return QFileDialog::getOpenFileName(parent, request.title, request.suggested, request.filter,
                                            request.selectedFilter);
    return QFileDialog::getSaveFileName(parent, request.title, request.suggested, request.filter,
                                        request.selectedFilter);
}

}  // namespace velui

#include "settings/ui/dialog_message.h"

#include <QGuiApplication>

#include "shell/ui/message_box.h"

namespace velui {

void ShowDialogMessage(QWidget* parent, const QString& text) {
    ShowMessage(parent, QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text);
}

}  // namespace velui

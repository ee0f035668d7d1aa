#include "settings/ui/dialog_message.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace velui {

void ShowDialogMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace velui

#pragma once
// Message boxes of the settings and signalling dialogs: the application's
// title, the text and an OK button.

class QString;
class QWidget;

namespace velui {

void ShowDialogMessage(QWidget* parent, const QString& text);

}  // namespace velui

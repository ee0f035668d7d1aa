#pragma once
// Entry points of Marlowe's two settings dialogs. Each builds its dialog on
// the stack, runs it modally and works on the image it is given (the active
// document's): OK writes the image, Cancel leaves every byte alone. Neither
// marks the document as modified nor refreshes the view. On an image that
// is not Marlowe's 1024 bytes nothing opens. They return the dialog's result
// (QDialog::Accepted or QDialog::Rejected); the command handler need not
// look at it.
//
//  - RunKeyAssignmentDialog: command 32782, "&Key Assignment\tCtrl+K" (menu Edit).
//  - RunMarloweOptionalFeaturesDialog: command 32783, "&Optional Features\tCtrl+O" (menu Edit).

#include "image/image.h"

class QWidget;

namespace velui {

int RunKeyAssignmentDialog(QWidget* parent, vel::Image& image);

int RunMarloweOptionalFeaturesDialog(QWidget* parent, vel::Image& image);

}  // namespace velui

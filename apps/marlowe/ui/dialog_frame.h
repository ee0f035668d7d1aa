#pragma once
// The frame Marlowe's settings dialogs share: their controls above, OK and
// Cancel below, a size that follows the contents.

class QDialog;
class QLayout;
class QPushButton;

namespace velui {

/// Lays out `dialog` with `body` above an OK (default) and a Cancel button
/// that accept and reject it, and hands the two buttons back.
void FrameSettingsDialog(QDialog* dialog, QLayout* body, QPushButton*& ok, QPushButton*& cancel);

}  // namespace velui

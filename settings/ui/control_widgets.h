#pragma once
// Widgets of the settings dialogs made to the rules of their controls
// (settings/settings_dialog_model.h): the time-out box with its up-down, and
// the validators of the code boxes.

#include "settings/settings_dialog_model.h"

class QObject;
class QValidator;

namespace velui {

class CUpDownEdit;

/// Makes `box` the time-out box: positions 0-40; its text follows the
/// up-down ("OFF" or the seconds), and typed text that names a position
/// moves the up-down.
void MakeTimeoutBox(CUpDownEdit* box, int maxLength);

/// The time-out box shows what OK stores: a typed text that names a position
/// takes it, anything else gives way to the position's text.
void SettleTimeoutText(CUpDownEdit* box);

/// The validator an edit box of `info` needs (digits only; capitals;
/// letters and digits only), or nullptr when it takes any text as typed.
QValidator* NewEditValidator(const vel::ControlInfo& info, QObject* parent);

}  // namespace velui

#pragma once
// Built-in texts of the read/write session, the progress dialog and the
// test-mode exchange, in every language the families show them in. The GUI
// takes its progress-dialog and test-mode texts from here too, so that the
// exchange and the windows around it never disagree.

#include <string>

#include "image/family.h"
#include "image/language.h"
#include "link/serial_port.h"

namespace vel {

/// The set of texts an exchange shows. `Chinese` is the full application's
/// Chinese form; `ChineseCN` is the Chinese 16-channel application, whose
/// status texts are Chinese too and whose radio-type text has no leading blank.
enum class TextSet { English, Chinese, ChineseCN };

/// Text set of a family's session and test-mode messages: by the interface
/// language where the family follows it, else the family's fixed language.
TextSet SessionTextSet(const ProtocolParams& protocol, Lang uiLang);
TextSet SessionTextSet(const Family& family, Lang uiLang);

/// Text set that follows the interface language alone (the progress dialog's
/// interruption message).
TextSet InterfaceTextSet(Lang uiLang);

enum class SessionText {
    OpenFailed,                 // the port cannot be opened
    Detecting,                  // status while the port is opened
    Waiting,                    // status at every wake-up attempt
    CommunicationError,         // no wake-up answer, identification or acknowledgement failed
    RadioTypeMismatch,          // radio type byte differs from the image's
    SendOrderError,             // the acknowledgement could not be written
    NotEnoughBytes,             // read reply shorter than 10 bytes
    ReadBlockError,             // no acknowledgement after a read block
    WriteBlockError,            // no acknowledgement after a write block
    PasswordIncorrect,          // data password of the radio differs from the form's
    CommunicationInterrupted,   // progress dialog deactivated or moved during a session
    TestModeFailed,             // a step of the test-mode exchange failed
    TestModeFinished,           // the test-mode exchange completed
    TestModeNoVisibleInfo,      // test mode: Default with no page shown
    TestModeChooseFrequency,    // test mode: caption before a frequency is chosen
    TestModeCurrentPosition,    // test mode: prefix of the track bar's value label
};

/// The text `id` in `set`.
const std::string& SessionMessage(SessionText id, TextSet set);

/// The open-failure message, with our explanation of the failure (when there
/// is one) on a line below it, in the language of `set`.
std::string OpenFailureMessage(TextSet set, const OpenFailure& failure);

/// Labels of the progress dialog's controls.
struct ProgressDialogTexts {
    std::string start;          // Start button
    std::string cancel;         // Cancel button
    std::string progressLabel;  // label before the status line
    std::string notStarted;     // initial status line
};
const ProgressDialogTexts& ProgressDialogLabels(TextSet set);

/// Caption of the progress dialog for a read (false) or write (true) session.
const std::string& ProgressCaption(bool writing);

}  // namespace vel

#pragma once
// The read and write exchange with a radio: wake-up handshake,
// identification, acknowledgement, then the family's 8-byte blocks. It runs
// on the caller's thread and keeps the caller's interface alive through the
// host's message pump between steps.

#include <string>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"
#include "link/serial_port.h"

namespace vel {

enum class Direction { Read = 0, Write = 1 };

enum class MessageButtons { Ok, OkCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Retry };

/// What a session needs from the window (or the command line) that drives it:
/// the message pump, the progress dialog's cancel flag, deactivation guard,
/// status line and bar, and the answers to message boxes.
class SessionHost {
public:
    virtual ~SessionHost() = default;
    /// Takes one pending window message, if any, and dispatches it.
    virtual void pumpOne() = 0;
    /// The progress dialog's cancel flag.
    virtual bool cancelRequested() const = 0;
    /// Arms (true) or clears (false) the dialog's deactivation guard.
    virtual void setDeactivationGuard(bool armed) = 0;
    virtual void setStatusText(const std::string& text) = 0;
    /// The progress bar's position (it may run past the bar's range).
    virtual int progressPosition() const = 0;
    virtual void setProgressPosition(int position) = 0;
    /// A modal message box; returns the button chosen.
    virtual MessageAnswer showMessage(const std::string& text, MessageButtons buttons) = 0;
    virtual void closeProgressDialog() = 0;
    /// Stores the channel table into the image before a write session.
    virtual void storeChannelTable(Image& image) = 0;
    /// The data password the user typed (families with a password check),
    /// taken from the form at the moment of the check.
    virtual std::string dataPassword() = 0;
};

enum class SessionOutcome { Completed, Failed, Cancelled, OpenFailed };

struct SessionResult {
    SessionOutcome outcome = SessionOutcome::Failed;
    std::string lastMessage;   // the last message box text shown, if any
};

class ProgrammingSession {
public:
    enum class State { Idle, Opening, Waking, Identifying, Acknowledging, Transferring, Finished, Failed, Cancelled };

    /// `uiLang` is the interface language; the family's parameters decide the
    /// language of the messages.
    ProgrammingSession(const Family& family, Lang uiLang, SerialPort& port, Clock& clock, SessionHost& host);

    /// Runs one whole session on `image`. The direction is fixed for the
    /// whole run. The port is closed on every way out.
    SessionResult run(Direction direction, const std::string& portName, Image& image);

    State state() const { return state_; }

private:
    const Family& family_;
    Lang uiLang_;
    SerialPort& port_;
    Clock& clock_;
    SessionHost& host_;
    State state_ = State::Idle;
};

}  // namespace vel

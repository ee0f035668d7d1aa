#pragma once
// The read and write exchange with a radio: wake-up handshake,
// identification, acknowledgement, then the family's 8-byte blocks. It runs
// on the caller's thread and keeps the caller's interface alive through the
// host's message pump between steps.

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"
#include "link/serial_port.h"
#include "link/session_frames.h"
#include "link/session_texts.h"

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
    /// The progress dialog's cancel flag (on the command line: a stop
    /// request such as Ctrl+C). Tested after every pump round, and before a
    /// failure is reported, so that a wait cut short by a stop request ends
    /// the session as cancelled.
    virtual bool cancelRequested() const = 0;
    /// Arms (true) or clears (false) the dialog's deactivation guard.
    virtual void setDeactivationGuard(bool armed) = 0;
    virtual void setStatusText(const std::string& text) = 0;
    /// The progress bar's position (it may run past the bar's range).
    virtual int progressPosition() const = 0;
    virtual void setProgressPosition(int position) = 0;
    /// A modal message box; returns the button chosen. The answer to an OK
    /// box is ignored; any answer but Ok to an OK/Cancel box, and any answer
    /// but Retry to a Retry/Cancel box, counts as Cancel.
    virtual MessageAnswer showMessage(const std::string& text, MessageButtons buttons) = 0;
    virtual void closeProgressDialog() = 0;
    /// Stores the channel table into the image before a write session.
    virtual void storeChannelTable(Image& image) = 0;
    /// The data password the user typed (families with a password check),
    /// taken from the form at the moment of the check.
    virtual std::string dataPassword() = 0;
};

/// How a session ended.
/// - Completed: every block went across.
/// - Failed: the radio or the line did not do what it must (the
///   communication-error box answered with Cancel, an acknowledgement the
///   port would not send, a short read reply, a missing block
///   acknowledgement, a wrong data password).
/// - Cancelled: the user stopped a session that could have gone on (the
///   cancel flag, Cancel in the radio-type box).
/// - OpenFailed: the port could not be opened; nothing was sent.
enum class SessionOutcome { Completed, Failed, Cancelled, OpenFailed };

struct SessionResult {
    SessionOutcome outcome = SessionOutcome::Failed;
    std::string lastMessage;   // the last message box text shown, if any
    int blocksTransferred = 0; // blocks stored (read) or acknowledged (write)
};

class ProgrammingSession {
public:
    enum class State { Idle, Opening, Waking, Identifying, Acknowledging, Transferring, Finished, Failed, Cancelled };

    /// `uiLang` is the interface language; the family's parameters decide the
    /// language of the messages.
    ProgrammingSession(const Family& family, Lang uiLang, SerialPort& port, Clock& clock, SessionHost& host);

    /// Runs one whole session on `image`: wake-up, identification (with the
    /// radio-type check of a write session), acknowledgement, then the
    /// family's blocks. The direction is an argument and is fixed for the
    /// whole run: a Read or Write command given while a session runs (from
    /// within a pump round) cannot change what this session does. The port is
    /// closed and the progress dialog closed on every way out.
    ///
    /// A call made while this session is already running (from within one of
    /// its own pump rounds) does nothing and reports Failed with no message:
    /// the running session keeps the port, the dialog and the image.
    ///
    /// Precondition: `image` holds at least the family's read and write
    /// ranges and its type byte; otherwise std::invalid_argument is thrown
    /// before the port is touched.
    SessionResult run(Direction direction, const std::string& portName, Image& image);

    State state() const { return state_; }
    /// True from the start of run() until it returns.
    bool running() const { return running_; }

private:
    // Where a handshake step sends the session next.
    enum class Step { Next, Again, End };

    SessionResult runOnce(Direction direction, const std::string& portName, Image& image);
    Step wakeUp();
    Step identify(const Image& image);
    Step acknowledge();
    Step communicationError();
    SessionResult readBlocks(Image& image);
    SessionResult writeBlocks(const Image& image);

    bool wakeUpAcknowledged();
    bool pumpRounds(int rounds, int pauseMs);
    bool endIfCancelled();
    void sendBytewise(const std::uint8_t* bytes, std::size_t count);
    bool readByte(std::uint8_t expected);
    void stepProgress();
    MessageAnswer show(const std::string& text, MessageButtons buttons);
    MessageAnswer show(SessionText id, MessageButtons buttons);
    SessionResult failBlock(SessionText id);
    SessionResult finish(SessionOutcome outcome, State state);

    const Family& family_;
    Lang uiLang_;
    TextSet texts_;
    SerialPort& port_;
    Clock& clock_;
    SessionHost& host_;
    State state_ = State::Idle;
    bool running_ = false;

    // Working state of the run in progress.
    Direction direction_ = Direction::Read;
    bool typeCheckArmed_ = true;
    int attempts_ = 1;
    std::uint8_t reply_[kReplyBufferSize] = {};
    SessionResult result_;
};

}  // namespace vel

#include "link/programming_session.h"

#include <algorithm>
#include <stdexcept>

#include "apps/marlowe/data_password.h"

namespace vel {

ProgrammingSession::ProgrammingSession(const Family& family, Lang uiLang, SerialPort& port, Clock& clock,
                                       SessionHost& host)
    : family_(family),
      uiLang_(uiLang),
      texts_(SessionTextSet(family, uiLang)),
      port_(port),
      clock_(clock),
      host_(host) {}

SessionResult ProgrammingSession::run(Direction direction, const std::string& portName, Image& image) {
    if (running_) return SessionResult{};
    running_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{running_};
    return runOnce(direction, portName, image);
}

SessionResult ProgrammingSession::runOnce(Direction direction, const std::string& portName, Image& image) {
    const ProtocolParams& p = family_.protocol;
    const std::size_t needed = static_cast<std::size_t>(
        std::max({p.readBytes(), p.writeBytes(), p.typeByteAddress + 1}));
    if (image.size() < needed) {
        throw std::invalid_argument("ProgrammingSession: the image is smaller than the family's session range");
    }

    result_ = SessionResult{};
    direction_ = direction;
    typeCheckArmed_ = true;
    state_ = State::Idle;
    if (direction_ == Direction::Write) host_.storeChannelTable(image);

    state_ = State::Opening;
    if (!port_.open(portName)) {
        host_.setDeactivationGuard(false);
        show(OpenFailureMessage(texts_, port_.openFailure()), MessageButtons::Ok);
        host_.closeProgressDialog();
        state_ = State::Failed;
        result_.outcome = SessionOutcome::OpenFailed;
        return result_;
    }
    port_.configure(kSessionTiming);
    host_.setStatusText(SessionMessage(SessionText::Detecting, texts_));
    // VM_CH128 fills with 0x6D: an identification reply too short to carry
    // the type byte compares that fill with the image.
    std::fill(std::begin(reply_), std::end(reply_), p.replyBufferFill);
    attempts_ = 1;

    // Wake-up, identification and acknowledgement; a Retry or an accepted
    // type mismatch starts again from the wake-up on the open port.
    for (;;) {
        Step step = wakeUp();
        if (step == Step::Next) step = identify(image);
        if (step == Step::Next) step = acknowledge();
        if (step == Step::End) return result_;
        if (step == Step::Next) break;
    }
    return direction_ == Direction::Read ? readBlocks(image) : writeBlocks(image);
}

// ---------------------------------------------------------------------------
// Handshake
// ---------------------------------------------------------------------------

ProgrammingSession::Step ProgrammingSession::wakeUp() {
    state_ = State::Waking;
    const bool waitingFirst = family_.protocol.waitingStatusBeforeWakeup;
    for (;;) {
        if (!pumpRounds(kPumpRoundsBeforeWakeUp, 1)) return Step::End;
        if (waitingFirst) host_.setStatusText(SessionMessage(SessionText::Waiting, texts_));
        port_.purgeAll();
        sendBytewise(kWakeUpFrame.data(), kWakeUpFrame.size());
        if (!waitingFirst) host_.setStatusText(SessionMessage(SessionText::Waiting, texts_));
        if (wakeUpAcknowledged()) return Step::Next;

        clock_.sleepMs(kPauseBetweenAttemptsMs);
        if (++attempts_ <= kWakeUpAttempts) continue;
        return communicationError();
    }
}

bool ProgrammingSession::wakeUpAcknowledged() {
    // The radio may answer with one stray byte before its acknowledgement; a
    // read that fails outright gets no second chance.
    IoResult r = port_.read(reply_, 1);
    if (r.ok && r.count == 1 && reply_[0] == kAcknowledge) return true;
    if (!r.ok) return false;
    r = port_.read(reply_, 1);
    return r.ok && r.count == 1 && reply_[0] == kAcknowledge;
}

ProgrammingSession::Step ProgrammingSession::identify(const Image& image) {
    state_ = State::Identifying;
    sendBytewise(kIdentificationRequest.data(), kIdentificationRequest.size());
    // The length is not checked: bytes that do not come keep the buffer's
    // earlier content.
    const IoResult r = port_.read(reply_, kIdentificationLength);
    if (!r.ok) return communicationError();

    // Only a write session looks at the radio type; 0xFF answers for any type.
    const Byte radioType = reply_[kRadioTypeByteIndex];
    const Byte imageType = image[static_cast<std::size_t>(family_.protocol.typeByteAddress)];
    if (direction_ == Direction::Write && typeCheckArmed_ && radioType != kAnyRadioType && radioType != imageType) {
        host_.setDeactivationGuard(false);
        if (show(SessionText::RadioTypeMismatch, MessageButtons::OkCancel) != MessageAnswer::Ok) {
            finish(SessionOutcome::Cancelled, State::Cancelled);
            return Step::End;
        }
        // Accepted: the whole handshake runs again and its check passes.
        typeCheckArmed_ = false;
        host_.setDeactivationGuard(true);
        if (!pumpRounds(kPumpRoundsAfterTypeAccepted, 1)) return Step::End;
        attempts_ = 1;
        return Step::Again;
    }
    return Step::Next;
}

ProgrammingSession::Step ProgrammingSession::acknowledge() {
    state_ = State::Acknowledging;
    // A port that does not take the byte (a cable pulled at this moment) is
    // tried kAcknowledgeSends times, each failure with the send-order box; then
    // the session fails. OK on the box sends again, Cancel ends the session as
    // failed: it could not go on either way.
    for (int send = 1;; ++send) {
        port_.purgeBuffers();
        const IoResult w = port_.write(&kAcknowledge, 1);
        if (w.ok && w.count == 1) break;
        if (endIfCancelled()) return Step::End;
        // The send-order box keeps the guard as it is.
        const bool last = send >= kAcknowledgeSends;
        const MessageAnswer answer =
            show(SessionText::SendOrderError, last ? MessageButtons::Ok : MessageButtons::OkCancel);
        if (last || answer != MessageAnswer::Ok) {
            finish(SessionOutcome::Failed, State::Failed);
            return Step::End;
        }
    }

    const IoResult r = port_.read(reply_, 1);
    if (!r.ok) return communicationError();
    if (r.count == 1 && reply_[0] == kAcknowledge) return Step::Next;

    host_.setDeactivationGuard(true);
    if (!pumpRounds(kPumpRoundsAfterWrongAcknowledge, 1)) return Step::End;
    return communicationError();
}

ProgrammingSession::Step ProgrammingSession::communicationError() {
    if (endIfCancelled()) return Step::End;
    host_.setDeactivationGuard(false);
    if (show(SessionText::CommunicationError, MessageButtons::RetryCancel) == MessageAnswer::Retry) {
        attempts_ = 1;
        host_.setDeactivationGuard(true);
        return Step::Again;
    }
    finish(SessionOutcome::Failed, State::Failed);
    return Step::End;
}

// ---------------------------------------------------------------------------
// Blocks
// ---------------------------------------------------------------------------

SessionResult ProgrammingSession::readBlocks(Image& image) {
    state_ = State::Transferring;
    const ProtocolParams& p = family_.protocol;
    for (int block = 0; block < p.readBlocks; ++block) {
        const unsigned address = static_cast<unsigned>(block) * kBlockSize;
        const std::uint8_t request[4] = {kReadCommand, static_cast<std::uint8_t>((address >> 8) & 0xFF),
                                         static_cast<std::uint8_t>(address & 0xFF), kBlockSize};
        port_.purgeBuffers();
        port_.write(request, sizeof request);

        const IoResult r = port_.read(reply_, kReadReplyLength);
        if (!r.ok || r.count < static_cast<std::size_t>(kReadReplyMinimum)) return failBlock(SessionText::NotEnoughBytes);
        // The reply names the block it carries: 'W', the requested address and
        // the count. A stray byte before it, or a reply to another request,
        // would shift or misplace the data silently, so it fails the block.
        if (!ReadReplyHeaderMatches(reply_, request)) return failBlock(SessionText::NotEnoughBytes);
        port_.purgeBuffers();
        // Only the data bytes that came are stored: a reply of 10 or 11 bytes
        // leaves the image bytes of the missing data as they were.
        for (std::size_t i = 4; i < r.count; ++i) image[address + (i - 4)] = reply_[i];
        result_.blocksTransferred = block + 1;

        if (p.dataPasswordCheck && block == 1) {
            const std::string typed = host_.dataPassword();
            if (!PasswordsMatch(DataPasswordFromImage(image), typed)) return failBlock(SessionText::PasswordIncorrect);
        }
        stepProgress();

        clock_.sleepMs(kPauseBeforeReadAcknowledgeMs);
        port_.purgeBuffers();
        port_.write(&kAcknowledge, 1);
        if (!readByte(kAcknowledge)) return failBlock(SessionText::ReadBlockError);

        host_.setDeactivationGuard(true);
        if (!pumpRounds(p.pumpRoundsAfterReadBlock, 0)) return result_;
        clock_.sleepMs(p.pauseAfterReadBlockMs);
    }
    return finish(SessionOutcome::Completed, State::Finished);
}

SessionResult ProgrammingSession::writeBlocks(const Image& image) {
    state_ = State::Transferring;
    const ProtocolParams& p = family_.protocol;
    for (int block = 0; block < p.writeBlocks; ++block) {
        const unsigned address = static_cast<unsigned>(block) * kBlockSize;
        const std::uint8_t request[4] = {kWriteCommand, static_cast<std::uint8_t>((address >> 8) & 0xFF),
                                         static_cast<std::uint8_t>(address & 0xFF), kBlockSize};
        port_.write(request, sizeof request);
        clock_.sleepMs(1);
        port_.purgeBuffers();
        port_.write(image.data() + address, kBlockSize);

        if (!readByte(kAcknowledge)) return failBlock(SessionText::WriteBlockError);
        result_.blocksTransferred = block + 1;
        stepProgress();

        host_.setDeactivationGuard(true);
        if (!pumpRounds(p.pumpRoundsAfterWriteBlock, 0)) return result_;
        clock_.sleepMs(kPauseAfterWriteBlockMs);
    }
    return finish(SessionOutcome::Completed, State::Finished);
}

// ---------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------

bool ProgrammingSession::pumpRounds(int rounds, int pauseMs) {
    for (int i = 0; i < rounds; ++i) {
        host_.pumpOne();
        if (host_.cancelRequested()) {
            // Cancel, deactivation and moving only set the flag: the session
            // closes the port itself, without a message.
            finish(SessionOutcome::Cancelled, State::Cancelled);
            return false;
        }
        if (pauseMs > 0) clock_.sleepMs(pauseMs);
    }
    return true;
}

bool ProgrammingSession::endIfCancelled() {
    // A read that a stop request cut short looks like a silent radio: the
    // session ends as cancelled, not with the failure that silence would
    // mean. In the window the flag changes only in pump rounds, so this never
    // comes before a pump round would have seen it.
    if (!host_.cancelRequested()) return false;
    finish(SessionOutcome::Cancelled, State::Cancelled);
    return true;
}

void ProgrammingSession::sendBytewise(const std::uint8_t* bytes, std::size_t count) {
    // The radio reads these frames one byte at a time: each byte gets its own
    // 1 ms pause and a clean line before it.
    for (std::size_t i = 0; i < count; ++i) {
        clock_.sleepMs(1);
        port_.purgeBuffers();
        port_.write(bytes + i, 1);
    }
}

bool ProgrammingSession::readByte(std::uint8_t expected) {
    const IoResult r = port_.read(reply_, 1);
    return r.ok && r.count == 1 && reply_[0] == expected;
}

void ProgrammingSession::stepProgress() {
    const ProtocolParams& p = family_.protocol;
    const int below = direction_ == Direction::Write ? p.stepBelowWrite : p.stepBelowRead;
    int position = host_.progressPosition();
    if (position < below) {
        host_.setProgressPosition(position + 1);
        position = host_.progressPosition();
        host_.setStatusText(std::to_string(position));
    }
}

MessageAnswer ProgrammingSession::show(const std::string& text, MessageButtons buttons) {
    result_.lastMessage = text;
    return host_.showMessage(text, buttons);
}

MessageAnswer ProgrammingSession::show(SessionText id, MessageButtons buttons) {
    return show(SessionMessage(id, texts_), buttons);
}

SessionResult ProgrammingSession::failBlock(SessionText id) {
    if (endIfCancelled()) return result_;
    host_.setDeactivationGuard(false);
    show(id, MessageButtons::Ok);
    port_.close();
    // A failed write leaves the bar full; a failed read leaves it where it was.
    if (direction_ == Direction::Write) host_.setProgressPosition(family_.protocol.endPositionWrite);
    host_.closeProgressDialog();
    state_ = State::Failed;
    result_.outcome = SessionOutcome::Failed;
    return result_;
}

SessionResult ProgrammingSession::finish(SessionOutcome outcome, State state) {
    port_.close();
    if (outcome == SessionOutcome::Completed) {
        const ProtocolParams& p = family_.protocol;
        host_.setDeactivationGuard(false);
        host_.setProgressPosition(direction_ == Direction::Write ? p.endPositionWrite : p.endPositionRead);
    }
    host_.closeProgressDialog();
    state_ = state;
    result_.outcome = outcome;
    return result_;
}

}  // namespace vel

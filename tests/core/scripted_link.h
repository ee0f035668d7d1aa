#pragma once
// Test doubles for the exchanges with a radio: a virtual clock, a serial port
// whose replies come from a small scripted radio, and a session host. Every
// port call, pause and host call goes into one log with its virtual time.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/programming_session.h"
#include "link/serial_port.h"
#include "link/session_frames.h"

namespace vel::fake {

using Bytes = std::vector<std::uint8_t>;

enum class Ev { Open, Configure, PurgeAll, PurgeBuffers, Write, Read, Close, Pause, Pump, Status, Guard, Progress, Message, CloseDialog };

struct Event {
    Ev kind;
    std::int64_t at;
    Bytes bytes;        // Write: bytes sent; Read: bytes received
    int value = 0;      // Read: count asked; Pause: ms; Guard: 0/1; Progress: position
    std::string text;   // Status, Message
};

struct Log {
    std::vector<Event> events;
    std::size_t count(Ev kind) const {
        std::size_t n = 0;
        for (const Event& e : events) n += e.kind == kind;
        return n;
    }
    std::vector<Event> only(Ev kind) const {
        std::vector<Event> out;
        for (const Event& e : events) if (e.kind == kind) out.push_back(e);
        return out;
    }
};

inline std::string Hex(const Bytes& b) {
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    for (std::uint8_t x : b) { s += digits[x >> 4]; s += digits[x & 15]; }
    return s;
}

/// The log as one compact line, e.g. "open cfg30 s pump p1 pa p1 pb w:02 r1:06".
inline std::string Render(const std::vector<Event>& events, std::size_t from = 0, std::size_t to = SIZE_MAX) {
    std::string out;
    for (std::size_t i = from; i < events.size() && i < to; ++i) {
        const Event& e = events[i];
        switch (e.kind) {
            case Ev::Open: out += "open "; break;
            case Ev::Configure: out += "cfg" + std::to_string(e.value) + " "; break;
            case Ev::PurgeAll: out += "pa "; break;
            case Ev::PurgeBuffers: out += "pb "; break;
            case Ev::Write: out += "w:" + Hex(e.bytes) + " "; break;
            case Ev::Read: out += "r" + std::to_string(e.value) + ":" + Hex(e.bytes) + " "; break;
            case Ev::Close: out += "close "; break;
            case Ev::Pause: out += "p" + std::to_string(e.value) + " "; break;
            case Ev::Pump: out += "pump "; break;
            case Ev::Status: out += "s "; break;
            case Ev::Guard: out += "g" + std::to_string(e.value) + " "; break;
            case Ev::Progress: out += "pos" + std::to_string(e.value) + " "; break;
            case Ev::Message: out += "msg "; break;
            case Ev::CloseDialog: out += "cd "; break;
        }
    }
    return out;
}

inline std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

class VirtualClock final : public Clock {
public:
    explicit VirtualClock(Log& log) : log_(log) {}
    void sleepMs(int ms) override {
        log_.events.push_back({Ev::Pause, now_, {}, ms, {}});
        now_ += ms;
    }
    std::int64_t nowMs() const override { return now_; }
    void advanceTo(std::int64_t t) { if (t > now_) now_ = t; }

private:
    Log& log_;
    std::int64_t now_ = 0;
};

/// A radio that answers the programming and test-mode frames. Every answer
/// can be replaced per attempt or per block to script a fault.
struct ScriptedRadio {
    Image memory = Image(4096, 0);
    Bytes identification{0x10, 0x11, 0x12, 0x13, 0xFF, 0x15, 0x16, 0x17};
    std::function<Bytes(int attempt)> wakeAnswer = [](int) { return Bytes{kAcknowledge}; };
    Bytes firstAckAnswer{kAcknowledge};
    std::function<int(int block)> readReplyLength = [](int) { return 12; };
    /// Rewrites the 12-byte read reply of a block (a stray byte, another address).
    std::function<Bytes(int block, Bytes reply)> readReplyRewrite;
    std::function<Bytes(int block)> readAckAnswer = [](int) { return Bytes{kAcknowledge}; };
    std::function<Bytes(int block)> writeAckAnswer = [](int) { return Bytes{kAcknowledge}; };
    Bytes itemAnswer{kTestModeAnswer}, frequencyAnswer{kTestModeAnswer}, parameterAnswer{kTestModeAnswer};
    std::function<Bytes(int attempt)> itemAnswerByAttempt;   // overrides itemAnswer when set
    int latencyMs = 2;   // from the last byte of a frame to the first byte of the answer

    // What the radio saw.
    int wakeUps = 0, identifications = 0;
    std::vector<unsigned> readAddresses, writeAddresses;
    std::vector<Bytes> testFrames;   // item byte, selection, frequency frame, parameter frame

    /// Takes one byte from the line; returns the answer it starts, if any.
    Bytes receive(std::uint8_t b) {
        if (body_.empty() && expect_ == 0 && b == kWakeUpFrame[0] && state_ != St::Waking) {
            state_ = St::Waking;
            match_ = 1;
            return {};
        }
        switch (state_) {
            case St::Waking:
                match_ = b == kWakeUpFrame[match_] ? match_ + 1 : (b == kWakeUpFrame[0] ? 1 : 0);
                if (match_ < static_cast<int>(kWakeUpFrame.size())) {
                    if (match_ == 0) state_ = St::Idle;
                    return {};
                }
                state_ = St::Woken;
                return wakeAnswer(++wakeUps);
            case St::Woken:
                if (!collect(b, 2)) return {};
                if (body_ != Bytes{kIdentificationRequest.begin(), kIdentificationRequest.end()}) return done(St::Idle);
                ++identifications;
                done(St::Identified);
                return identification;
            case St::Identified:
                if (b != kAcknowledge) return {};
                state_ = firstAckAnswer == Bytes{kAcknowledge} ? St::Ready : St::Idle;
                return firstAckAnswer;
            case St::Ready: return ready(b);
            case St::BlockAck:
                state_ = St::Ready;
                return b == kAcknowledge ? readAckAnswer(static_cast<int>(readAddresses.size()) - 1) : Bytes{};
            case St::TestItem: testFrames.push_back({b}); state_ = St::TestSelect; return {};
            case St::TestSelect: return testFrame(b, 2, St::TestFrequency, itemAnswerByAttempt ? itemAnswerByAttempt(wakeUps) : itemAnswer);
            case St::TestFrequency: return testFrame(b, 8, St::TestParameter, frequencyAnswer);
            case St::TestParameter: return testFrame(b, 8, St::Idle, parameterAnswer);
            case St::Idle: return {};
        }
        return {};
    }

private:
    enum class St { Idle, Waking, Woken, Identified, Ready, BlockAck, TestItem, TestSelect, TestFrequency, TestParameter };

    bool collect(std::uint8_t b, int length) {
        body_.push_back(b);
        expect_ = length - static_cast<int>(body_.size());
        return expect_ == 0;
    }
    Bytes done(St next) {
        body_.clear();
        expect_ = 0;
        state_ = next;
        return {};
    }
    Bytes ready(std::uint8_t b) {
        if (body_.empty() && b == kTestModeEntry) { state_ = St::TestItem; return {}; }
        if (body_.empty()) frameLength_ = b == kWriteCommand ? 12 : 4;
        const int length = frameLength_;
        if (!collect(b, length)) return {};
        const Bytes frame = body_;
        const unsigned address = (static_cast<unsigned>(frame[1]) << 8) | frame[2];
        done(St::Ready);
        if (frame[0] == kReadCommand) {
            readAddresses.push_back(address);
            state_ = St::BlockAck;
            Bytes reply{kWriteCommand, frame[1], frame[2], kBlockSize};
            for (unsigned i = 0; i < 8; ++i) reply.push_back(memory.at(address + i));
            const int block = static_cast<int>(readAddresses.size()) - 1;
            if (readReplyRewrite) reply = readReplyRewrite(block, reply);
            reply.resize(std::min(reply.size(), static_cast<std::size_t>(readReplyLength(block))));
            return reply;
        }
        if (frame[0] == kWriteCommand) {
            writeAddresses.push_back(address);
            std::copy(frame.begin() + 4, frame.end(), memory.begin() + address);
            return writeAckAnswer(static_cast<int>(writeAddresses.size()) - 1);
        }
        return {};
    }
    Bytes testFrame(std::uint8_t b, int length, St next, const Bytes& answer) {
        if (!collect(b, length)) return {};
        testFrames.push_back(body_);
        done(next);
        return answer;
    }

    St state_ = St::Idle;
    int match_ = 0;
    int expect_ = 0;
    int frameLength_ = 4;
    Bytes body_;
};

/// A port on the virtual clock. The radio's answers arrive one byte per
/// millisecond after its latency; a purge drops only bytes that have arrived,
/// as on a real line. Reads follow the profile's gap and total limits.
class ScriptedPort final : public SerialPort {
public:
    ScriptedPort(Log& log, VirtualClock& clock, ScriptedRadio& radio) : log_(log), clock_(clock), radio_(radio) {}
    ~ScriptedPort() override { EXPECT_FALSE(open_) << "the port was left open"; }

    bool openFails = false;
    OpenFailure failure;
    std::function<bool(const Bytes&)> writeFails;   // true: this write reports a device error
    std::function<bool(int readIndex)> readFails;   // true: this read reports a device error
    int opens = 0, closes = 0;
    TimingProfile profile{};

    bool open(const std::string&) override {
        log_.events.push_back({Ev::Open, clock_.nowMs(), {}, 0, {}});
        if (openFails) return false;
        EXPECT_FALSE(open_) << "opened twice";
        open_ = true;
        ++opens;
        return true;
    }
    void configure(const TimingProfile& p) override {
        profile = p;
        log_.events.push_back({Ev::Configure, clock_.nowMs(), {}, p.gapMs, {}});
    }
    void purgeAll() override { purge(Ev::PurgeAll); }
    void purgeBuffers() override { purge(Ev::PurgeBuffers); }
    IoResult write(const std::uint8_t* data, std::size_t count) override {
        EXPECT_TRUE(open_) << "write on a closed port";
        Bytes bytes(data, data + count);
        log_.events.push_back({Ev::Write, clock_.nowMs(), bytes, 0, {}});
        if (writeFails && writeFails(bytes)) return {false, 0};
        for (std::uint8_t b : bytes) {
            const Bytes answer = radio_.receive(b);
            std::int64_t t = clock_.nowMs() + radio_.latencyMs;
            if (!incoming_.empty()) t = std::max(t, incoming_.back().first + 1);
            for (std::uint8_t a : answer) incoming_.push_back({t++, a});
        }
        return {true, count};
    }
    IoResult read(std::uint8_t* buffer, std::size_t count) override {
        EXPECT_TRUE(open_) << "read on a closed port";
        const std::int64_t deadline = clock_.nowMs() + profile.readTotalMs(count);
        Bytes got;
        std::int64_t last = clock_.nowMs();
        while (got.size() < count && !incoming_.empty()) {
            const auto [t, b] = incoming_.front();
            if (t > deadline || (!got.empty() && t - last > profile.gapMs)) break;
            last = std::max(last, t);
            got.push_back(b);
            incoming_.pop_front();
        }
        const bool fails = readFails && readFails(reads_++);
        clock_.advanceTo(got.size() == count ? last : (got.empty() ? deadline : std::min(deadline, last + profile.gapMs)));
        std::copy(got.begin(), got.end(), buffer);
        log_.events.push_back({Ev::Read, clock_.nowMs(), got, static_cast<int>(count), {}});
        return {!fails, got.size()};
    }
    void close() override {
        log_.events.push_back({Ev::Close, clock_.nowMs(), {}, 0, {}});
        if (open_) ++closes;
        open_ = false;
    }
    bool isOpen() const override { return open_; }
    OpenFailure openFailure() const override { return failure; }

private:
    void purge(Ev kind) {
        log_.events.push_back({kind, clock_.nowMs(), {}, 0, {}});
        while (!incoming_.empty() && incoming_.front().first <= clock_.nowMs()) incoming_.pop_front();
    }

    Log& log_;
    VirtualClock& clock_;
    ScriptedRadio& radio_;
    bool open_ = false;
    int reads_ = 0;
    std::deque<std::pair<std::int64_t, std::uint8_t>> incoming_;
};

struct ShownMessage {
    std::string text;
    MessageButtons buttons;
    bool guardArmed;   // the deactivation guard when the box came up
};

class FakeHost final : public SessionHost {
public:
    FakeHost(Log& log, VirtualClock& clock) : log_(log), clock_(clock) {}

    std::optional<int> cancelAfterPumps;        // the cancel flag is set from this pump round on
    bool cancelNow = false;                      // a stop request that came outside a pump round
    std::deque<MessageAnswer> answers;           // default: Ok for OK boxes, Cancel otherwise
    std::string password;
    std::function<void(Image&)> onStoreTable;
    std::function<void()> onPump;
    bool guard = true;                           // the dialog opens with the guard armed
    int position = 0;
    int pumps = 0, dialogCloses = 0, tableStores = 0, passwordQueries = 0;
    std::vector<std::string> statuses;
    std::vector<ShownMessage> messages;

    void pumpOne() override {
        ++pumps;
        log_.events.push_back({Ev::Pump, clock_.nowMs(), {}, 0, {}});
        if (onPump) onPump();
    }
    bool cancelRequested() const override { return cancelNow || (cancelAfterPumps && pumps >= *cancelAfterPumps); }
    void setDeactivationGuard(bool armed) override {
        guard = armed;
        log_.events.push_back({Ev::Guard, clock_.nowMs(), {}, armed ? 1 : 0, {}});
    }
    void setStatusText(const std::string& text) override {
        statuses.push_back(text);
        log_.events.push_back({Ev::Status, clock_.nowMs(), {}, 0, text});
    }
    int progressPosition() const override { return position; }
    void setProgressPosition(int p) override {
        position = p;
        log_.events.push_back({Ev::Progress, clock_.nowMs(), {}, p, {}});
    }
    MessageAnswer showMessage(const std::string& text, MessageButtons buttons) override {
        messages.push_back({text, buttons, guard});
        log_.events.push_back({Ev::Message, clock_.nowMs(), {}, 0, text});
        if (!answers.empty()) {
            const MessageAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    void closeProgressDialog() override {
        ++dialogCloses;
        log_.events.push_back({Ev::CloseDialog, clock_.nowMs(), {}, 0, {}});
    }
    void storeChannelTable(Image& image) override {
        ++tableStores;
        if (onStoreTable) onStoreTable(image);
    }
    std::string dataPassword() override {
        ++passwordQueries;
        return password;
    }

private:
    Log& log_;
    VirtualClock& clock_;
};

/// Everything one exchange needs, wired together.
struct Bench {
    Log log;
    VirtualClock clock{log};
    ScriptedRadio radio;
    ScriptedPort port{log, clock, radio};
    FakeHost host{log, clock};
};

}  // namespace vel::fake

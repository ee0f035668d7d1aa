#include "link/radio_simulator.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "image/message_quote.h"

namespace vel {
namespace {

constexpr std::array<Byte, 7> kWakeUp{0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41};
constexpr Byte kAck = 0x06;
constexpr Byte kTestModeAnswer = 0x48;   // 'H'
constexpr Byte kItemSuffix = 0x08;

bool IsTestPhase(RadioSimulator::Phase p) {
    return p == RadioSimulator::Phase::TestItem || p == RadioSimulator::Phase::TestFrequency ||
           p == RadioSimulator::Phase::TestParameter;
}

// Whole text as an integer: decimal, or hexadecimal with 0x.
bool ParseInt(const std::string& text, long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 0);
    return errno == 0 && end != nullptr && *end == '\0';
}

/// "ADDR" or "ADDR:N": an address 0..0xFFFF and, when given, N in 0..`maxN`.
/// `hasN` tells whether N was given.
bool ParseAddressAnd(const std::string& text, long maxN, long& address, long& n, bool& hasN) {
    const auto colon = text.find(':');
    hasN = colon != std::string::npos;
    if (!ParseInt(text.substr(0, colon), address) || address < 0 || address > 0xFFFF) return false;
    return !hasN || (ParseInt(text.substr(colon + 1), n) && n >= 0 && n <= maxN);
}

}  // namespace

const char* FrameKindName(FrameKind kind) {
    switch (kind) {
    case FrameKind::WakeUp: return "wake-up";
    case FrameKind::Identification: return "identification";
    case FrameKind::Acknowledgement: return "acknowledgement";
    case FrameKind::ReadRequest: return "read";
    case FrameKind::WriteRequest: return "write";
    case FrameKind::TestModeEntry: return "test-mode entry";
    case FrameKind::TestItem: return "test item";
    case FrameKind::TestFrequency: return "test frequency";
    case FrameKind::TestParameter: return "test parameter";
    case FrameKind::Stray: return "stray";
    }
    return "?";
}

int ReceivedFrame::address() const {
    if ((kind != FrameKind::ReadRequest && kind != FrameKind::WriteRequest) || bytes.size() < 3) return -1;
    return (bytes[1] << 8) | bytes[2];
}

bool ParseSimulatorFaults(const std::string& text, SimulatorFaults& faults, std::string& error) {
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ',')) {
        if (item.empty()) continue;
        const auto eq = item.find('=');
        const std::string name = item.substr(0, eq);
        const std::string arg = eq == std::string::npos ? std::string() : item.substr(eq + 1);
        long n = 0;
        auto bad = [&] {
            error = "bad fault \"" + QuoteForMessage(item) + "\"";
            return false;
        };
        if (name == "silent" && arg.empty()) {
            faults.silent = true;
        } else if (name == "ignore-wakeups") {
            if (!ParseInt(arg, n) || n < 0) return bad();
            faults.ignoredWakeups = static_cast<int>(n);
        } else if (name == "wrong-ack") {
            if (arg.empty()) n = 1;
            else if (!ParseInt(arg, n) || n < 0) return bad();
            faults.wrongFirstAcks = static_cast<int>(n);
        } else if (name == "short-read") {
            long count = 9;
            bool hasCount = false;
            if (!ParseAddressAnd(arg, 12, n, count, hasCount)) return bad();
            faults.shortReadAddress = static_cast<int>(n);
            faults.shortReadBytes = static_cast<int>(count);
        } else if (name == "no-ack") {
            if (!ParseInt(arg, n) || n < 0 || n > 0xFFFF) return bad();
            faults.noAckAfterBlockAddress = static_cast<int>(n);
        } else if (name == "vanish") {
            if (!ParseInt(arg, n) || n < 0) return bad();
            faults.vanishAfterBlocks = static_cast<int>(n);
        } else if (name == "bad-store") {
            long value = 0;
            bool hasValue = false;
            if (!ParseAddressAnd(arg, 0xFF, n, value, hasValue)) return bad();
            faults.badStoreAddress = static_cast<int>(n);
            if (hasValue) faults.badStoreValue = static_cast<Byte>(value);
        } else if (name == "short-id") {
            if (!ParseInt(arg, n) || n < 0 || n > 8) return bad();
            faults.shortIdentificationBytes = static_cast<int>(n);
        } else {
            error = "unknown fault \"" + QuoteForMessage(item) +
                    "\" (known: silent, ignore-wakeups=N, wrong-ack[=N], short-read=ADDR[:K], no-ack=ADDR, "
                    "vanish=N, short-id=K, bad-store=ADDR[:VALUE])";
            return false;
        }
    }
    return true;
}

RadioSimulator::RadioSimulator(const Family& family)
    : RadioSimulator(family.imageSize, family.protocol.typeByteAddress) {}

RadioSimulator::RadioSimulator(int memorySize, int typeByteAddress)
    : memory_(static_cast<std::size_t>(std::max(memorySize, 0)), 0xFF), typeByteAddress_(typeByteAddress) {}

void RadioSimulator::loadMemory(const Image& image) {
    const std::size_t size = memory_.size();
    memory_ = image;
    memory_.resize(size, 0xFF);
}

Byte RadioSimulator::memoryAt(int addr) const {
    return addr >= 0 && static_cast<std::size_t>(addr) < memory_.size() ? memory_[addr] : Byte{0xFF};
}

Byte RadioSimulator::typeByte() const { return typeByte_ ? *typeByte_ : memoryAt(typeByteAddress_); }

std::array<Byte, 8> RadioSimulator::identification() const {
    // Bytes other than the type byte are the simulator's own; no exchange reads them.
    return {'V', 'E', 'L', 'M', typeByte(), 0x00, 0x00, 0x00};
}

void RadioSimulator::setFaults(const SimulatorFaults& faults) {
    faults_ = faults;
    ignoredWakeupsLeft_ = faults.ignoredWakeups;
    wrongAcksLeft_ = faults.wrongFirstAcks;
    vanished_ = false;
}

std::size_t RadioSimulator::countFrames(FrameKind kind) const {
    return static_cast<std::size_t>(
        std::count_if(frames_.begin(), frames_.end(), [kind](const ReceivedFrame& f) { return f.kind == kind; }));
}

void RadioSimulator::record(FrameKind kind, std::vector<Byte> bytes, std::int64_t atUs) {
    frames_.push_back(ReceivedFrame{kind, std::move(bytes), atUs});
}

SimulatorReply RadioSimulator::answer(std::vector<Byte> bytes, std::int64_t atUs) const {
    return SimulatorReply{std::move(bytes), atUs + latencyUs_};
}

RadioSimulator::Expect RadioSimulator::classify(Byte first) const {
    switch (phase_) {
    case Phase::TestItem: return {FrameKind::TestItem, 3};
    case Phase::TestFrequency: return {FrameKind::TestFrequency, 8};
    case Phase::TestParameter: return {FrameKind::TestParameter, 8};
    default: break;
    }
    // A wake-up frame restarts the conversation from any other phase: that is
    // how a session retries and how the next session begins.
    if (first == kWakeUp[0]) return {FrameKind::WakeUp, kWakeUp.size()};
    if (phase_ == Phase::Awake && first == 'M') return {FrameKind::Identification, 2};
    if (phase_ == Phase::Identified && first == kAck) return {FrameKind::Acknowledgement, 1};
    if (phase_ == Phase::Ready) {
        switch (first) {
        case 'R': return {FrameKind::ReadRequest, 4};
        case 'W': return {FrameKind::WriteRequest, 4};   // grows by the count once it is known
        case kAck: return {FrameKind::Acknowledgement, 1};
        case 'x': return {FrameKind::TestModeEntry, 1};
        default: break;
        }
    }
    return {FrameKind::Stray, 1};
}

bool RadioSimulator::fits(std::size_t index, Byte b) const {
    switch (expect_.kind) {
    case FrameKind::WakeUp: return b == kWakeUp[index];
    case FrameKind::Identification: return b == 0x02;
    case FrameKind::TestItem: return index == 1 ? b == pending_[0] : b == kItemSuffix;
    default: return true;
    }
}

SimulatorReply RadioSimulator::feedByte(Byte b, std::int64_t atUs) {
    if (atUs - lastByteUs_ > frameTimeoutUs_) {
        // The computer went quiet in the middle of a frame or of a test-mode
        // exchange: the radio gives up on it and waits for a fresh wake-up.
        if (!pending_.empty()) record(FrameKind::Stray, std::move(pending_), lastByteUs_);
        pending_.clear();
        if (IsTestPhase(phase_)) phase_ = Phase::Asleep;
    }
    lastByteUs_ = atUs;

    if (!pending_.empty() && !fits(pending_.size(), b)) {
        // The frame broke off; what came so far was no frame, and this byte may
        // begin the next one.
        record(FrameKind::Stray, std::move(pending_), atUs);
        pending_.clear();
        if (IsTestPhase(phase_)) phase_ = Phase::Asleep;
    }
    if (pending_.empty()) expect_ = classify(b);
    pending_.push_back(b);
    if (expect_.kind == FrameKind::WriteRequest && pending_.size() == 4) expect_.length = 4 + b;
    if (pending_.size() < expect_.length) return {};

    std::vector<Byte> frame = std::move(pending_);
    pending_.clear();
    const FrameKind kind = expect_.kind;
    record(kind, std::move(frame), atUs);
    return onComplete(kind, atUs);
}

SimulatorReply RadioSimulator::feed(std::span<const Byte> bytes, std::int64_t atUs) {
    SimulatorReply all;
    for (Byte b : bytes) {
        SimulatorReply r = feedByte(b, atUs);
        if (r.empty()) continue;
        if (all.empty()) all.dueUs = r.dueUs;
        all.bytes.insert(all.bytes.end(), r.bytes.begin(), r.bytes.end());
    }
    return all;
}

bool RadioSimulator::consumeBlockBudget() {
    if (vanished_) return false;
    if (faults_.vanishAfterBlocks && sessionBlocks_ >= *faults_.vanishAfterBlocks) {
        vanished_ = true;
        phase_ = Phase::Asleep;
        return false;
    }
    ++sessionBlocks_;
    return true;
}

SimulatorReply RadioSimulator::onComplete(FrameKind kind, std::int64_t atUs) {
    const std::vector<Byte>& frame = frames_.back().bytes;
    switch (kind) {
    case FrameKind::WakeUp:
        if (faults_.silent || vanished_) return {};
        if (ignoredWakeupsLeft_ > 0) {
            --ignoredWakeupsLeft_;
            return {};
        }
        phase_ = Phase::Awake;
        sessionBlocks_ = 0;
        readAwaitingAck_.reset();
        return answer({kAck}, atUs);

    case FrameKind::Identification: {
        phase_ = Phase::Identified;
        const auto id = identification();
        std::size_t n = id.size();
        if (faults_.shortIdentificationBytes)
            n = static_cast<std::size_t>(std::clamp(*faults_.shortIdentificationBytes, 0, 8));
        if (n == 0) return {};
        return answer(std::vector<Byte>(id.begin(), id.begin() + static_cast<std::ptrdiff_t>(n)), atUs);
    }

    case FrameKind::Acknowledgement:
        if (phase_ == Phase::Identified) {
            if (wrongAcksLeft_ > 0) {
                --wrongAcksLeft_;
                phase_ = Phase::Asleep;
                return answer({faults_.wrongAckByte}, atUs);
            }
            phase_ = Phase::Ready;
            return answer({kAck}, atUs);
        } else {
            // The computer acknowledges a block it read.
            const std::optional<int> addr = readAwaitingAck_;
            readAwaitingAck_.reset();
            if (vanished_ || (addr && faults_.noAckAfterBlockAddress == *addr)) return {};
            return answer({kAck}, atUs);
        }

    case FrameKind::ReadRequest: {
        if (!consumeBlockBudget()) return {};
        const int addr = (frame[1] << 8) | frame[2];
        const int count = frame[3];
        std::vector<Byte> reply{'W', frame[1], frame[2], frame[3]};
        for (int i = 0; i < count; ++i) reply.push_back(memoryAt(addr + i));
        if (faults_.shortReadAddress == addr)
            reply.resize(std::min<std::size_t>(reply.size(), static_cast<std::size_t>(faults_.shortReadBytes)));
        readAwaitingAck_ = addr;
        if (reply.empty()) return {};
        return answer(std::move(reply), atUs);
    }

    case FrameKind::WriteRequest: {
        if (!consumeBlockBudget()) return {};
        const int addr = (frame[1] << 8) | frame[2];
        for (std::size_t i = 4; i < frame.size(); ++i) {
            const std::size_t at = static_cast<std::size_t>(addr) + (i - 4);
            if (at >= memory_.size()) continue;   // a radio has nothing past its memory
            memory_[at] = frame[i];
            if (faults_.badStoreAddress == static_cast<int>(at))
                memory_[at] = faults_.badStoreValue ? *faults_.badStoreValue : static_cast<Byte>(frame[i] ^ 0x01);
        }
        readAwaitingAck_.reset();
        if (faults_.noAckAfterBlockAddress == addr) return {};
        return answer({kAck}, atUs);
    }

    case FrameKind::TestModeEntry:
        phase_ = Phase::TestItem;
        testInProgress_ = {};
        return {};

    case FrameKind::TestItem:
        testInProgress_.commandByte = frame[0];
        phase_ = Phase::TestFrequency;
        return answer({kTestModeAnswer}, atUs);

    case FrameKind::TestFrequency:
        std::copy(frame.begin(), frame.end(), testInProgress_.frequencyFrame.begin());
        phase_ = Phase::TestParameter;
        return answer({kTestModeAnswer}, atUs);

    case FrameKind::TestParameter:
        std::copy(frame.begin(), frame.end(), testInProgress_.parameterFrame.begin());
        lastTestMode_ = testInProgress_;
        ++testModeCount_;
        phase_ = Phase::Asleep;
        return answer({kTestModeAnswer}, atUs);

    case FrameKind::Stray:
        return {};
    }
    return {};
}

}  // namespace vel

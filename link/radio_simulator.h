#pragma once
// A radio of any family as a byte-level state machine: it takes the bytes the
// computer sends, one at a time with the time each arrived, and answers the
// wake-up, identification, acknowledgement, block and test-mode frames the
// way a radio does, with a configurable reply latency and switchable faults.
// It knows nothing of a transport: the in-process serial port
// (link/simulated_serial_port.h) and the pseudo-terminal server
// (link/radio_simulator_pty.h) carry its bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "image/family.h"
#include "image/image.h"

namespace vel {

/// Faults a simulated radio can be switched to, one switch per failure path of
/// the exchanges. The default is a radio that answers everything correctly.
struct SimulatorFaults {
    /// Answers nothing at all (radio switched off, wrong cable).
    bool silent = false;
    /// Complete wake-up frames that are ignored before one is acknowledged.
    int ignoredWakeups = 0;
    /// Handshakes whose acknowledgement is answered with `wrongAckByte`
    /// instead of 0x06 (counted down, one per handshake).
    int wrongFirstAcks = 0;
    Byte wrongAckByte = 0x15;
    /// A read request for this block address gets only `shortReadBytes` bytes.
    std::optional<int> shortReadAddress;
    int shortReadBytes = 9;
    /// The block at this address is not acknowledged: in a read session the
    /// computer's acknowledgement of it gets no 0x06, in a write session the
    /// block itself gets none.
    std::optional<int> noAckAfterBlockAddress;
    /// After this many blocks of a session the radio stops answering for good
    /// (battery pulled mid-session).
    std::optional<int> vanishAfterBlocks;
    /// The identification reply is cut to this many bytes.
    std::optional<int> shortIdentificationBytes;
    /// A write that reaches this memory address stores `badStoreValue` there
    /// instead of the byte sent (by default the byte sent with its lowest bit
    /// flipped), and still acknowledges the block: a radio whose memory takes
    /// one byte wrongly, which only reading it back reveals.
    std::optional<int> badStoreAddress;
    std::optional<Byte> badStoreValue;
};

/// Parses a fault description as the command line gives it, e.g. "silent",
/// "ignore-wakeups=3", "wrong-ack[=N]", "short-read=0x40:9", "no-ack=0x40",
/// "vanish=12", "short-id=3", "bad-store=0xB9[:0xFF]". Several are separated
/// by commas. Returns false
/// and an explanation on a text it does not understand.
bool ParseSimulatorFaults(const std::string& text, SimulatorFaults& faults, std::string& error);

/// What a frame received by the radio was taken for.
enum class FrameKind {
    WakeUp,          ///< 0x02 'P' 'R' 'O' 'G' 'R' 'A'
    Identification,  ///< 'M' 0x02
    Acknowledgement, ///< 0x06
    ReadRequest,     ///< 'R' AH AL n
    WriteRequest,    ///< 'W' AH AL n, then n data bytes
    TestModeEntry,   ///< 'x'
    TestItem,        ///< command byte, command byte, 0x08
    TestFrequency,   ///< 8 bytes: receive and transmit frequency
    TestParameter,   ///< 8 bytes: tones, 0xFB 0x01 0x01, item value
    Stray,           ///< bytes that fit no frame where they came
};

const char* FrameKindName(FrameKind kind);

struct ReceivedFrame {
    FrameKind kind = FrameKind::Stray;
    std::vector<Byte> bytes;   ///< every byte of the frame as received
    std::int64_t atUs = 0;     ///< arrival of its last byte

    /// Block address of a read or write request (AH × 256 + AL), else -1.
    int address() const;
};

/// The last complete test-mode setting the radio received.
struct TestModeSettings {
    Byte commandByte = 0;                 ///< 0x71 .. 0x74
    std::array<Byte, 8> frequencyFrame{}; ///< receive (0-3) and transmit (4-7) frequency
    std::array<Byte, 8> parameterFrame{}; ///< tones (0-3), 0xFB 0x01 0x01, value

    int value() const { return parameterFrame[7]; }
};

/// Reply bytes and the moment the radio starts sending them.
struct SimulatorReply {
    std::vector<Byte> bytes;
    std::int64_t dueUs = 0;

    bool empty() const { return bytes.empty(); }
};

class RadioSimulator {
public:
    /// Where the radio is in its conversation with the computer.
    enum class Phase {
        Asleep,        ///< waits for a wake-up frame
        Awake,         ///< wake-up acknowledged; waits for the identification request
        Identified,    ///< identification sent; waits for the computer's acknowledgement
        Ready,         ///< handshake done; serves block requests or enters test mode
        TestItem,      ///< test mode entered; waits for the item selection
        TestFrequency, ///< waits for the frequency frame
        TestParameter, ///< waits for the parameter frame
    };

    /// A radio of `family`: memory of the family's image size, all 0xFF.
    explicit RadioSimulator(const Family& family);
    /// A radio with `memorySize` bytes of memory whose type setting lives at
    /// `typeByteAddress`.
    RadioSimulator(int memorySize, int typeByteAddress);

    Image& memory() { return memory_; }
    const Image& memory() const { return memory_; }
    /// Replaces the memory with `image`, cut or padded with 0xFF to the radio's size.
    void loadMemory(const Image& image);
    int typeByteAddress() const { return typeByteAddress_; }

    /// The radio type byte (byte 4 of the identification reply). Unless set
    /// here, the radio reports its own type setting: the memory byte at the
    /// family's type address at the moment it answers (0xFF when the memory
    /// has none there), so a radio always accepts the image it was read from.
    void setTypeByte(std::optional<Byte> typeByte) { typeByte_ = typeByte; }
    Byte typeByte() const;
    /// The 8-byte identification reply as the radio would send it now.
    std::array<Byte, 8> identification() const;

    /// Time from the last byte of a frame to the first byte of its answer.
    void setReplyLatencyUs(std::int64_t us) { latencyUs_ = us < 0 ? 0 : us; }
    std::int64_t replyLatencyUs() const { return latencyUs_; }

    /// A frame whose next byte does not come within this time is abandoned,
    /// and so is a test-mode exchange that stalls: the radio falls back to
    /// waiting for a wake-up.
    void setFrameTimeoutUs(std::int64_t us) { frameTimeoutUs_ = us; }

    /// Switches faults; counters of the previous faults start afresh and a
    /// radio that had vanished is back.
    void setFaults(const SimulatorFaults& faults);
    const SimulatorFaults& faults() const { return faults_; }
    bool vanished() const { return vanished_; }

    /// Takes one byte that finished arriving at `atUs` and returns the answer
    /// it completes (empty when it completes none).
    SimulatorReply feedByte(Byte b, std::int64_t atUs);
    /// Takes several bytes that arrived together; the answers are joined.
    SimulatorReply feed(std::span<const Byte> bytes, std::int64_t atUs);

    Phase phase() const { return phase_; }
    /// Every frame received so far, in order.
    const std::vector<ReceivedFrame>& frames() const { return frames_; }
    void clearFrames() { frames_.clear(); }
    /// Frames of one kind received so far.
    std::size_t countFrames(FrameKind kind) const;
    std::optional<TestModeSettings> lastTestMode() const { return lastTestMode_; }
    /// Complete test-mode settings received so far.
    int testModeCount() const { return testModeCount_; }

private:
    struct Expect {
        FrameKind kind = FrameKind::Stray;
        std::size_t length = 1;
    };

    SimulatorReply onComplete(FrameKind kind, std::int64_t atUs);
    Expect classify(Byte first) const;
    bool fits(std::size_t index, Byte b) const;
    void record(FrameKind kind, std::vector<Byte> bytes, std::int64_t atUs);
    SimulatorReply answer(std::vector<Byte> bytes, std::int64_t atUs) const;
    bool consumeBlockBudget();
    Byte memoryAt(int addr) const;

    Image memory_;
    int typeByteAddress_;
    std::optional<Byte> typeByte_;
    std::int64_t latencyUs_ = 5000;
    std::int64_t frameTimeoutUs_ = 300000;

    SimulatorFaults faults_;
    int ignoredWakeupsLeft_ = 0;
    int wrongAcksLeft_ = 0;
    int sessionBlocks_ = 0;
    bool vanished_ = false;

    Phase phase_ = Phase::Asleep;
    std::vector<Byte> pending_;   // bytes of the frame being received
    Expect expect_;
    std::int64_t lastByteUs_ = 0;
    std::optional<int> readAwaitingAck_;   // address of the last block read

    TestModeSettings testInProgress_;
    std::optional<TestModeSettings> lastTestMode_;
    int testModeCount_ = 0;
    std::vector<ReceivedFrame> frames_;
};

}  // namespace vel

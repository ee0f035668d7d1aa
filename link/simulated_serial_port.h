#pragma once
// A serial port with a simulated radio on the other end, in virtual time, so
// that whole exchanges run in unit tests in milliseconds. Reads follow the
// same rule as a real port (total limit of constant + n × per-byte, the gap
// limit once a byte has come, a timeout is a success with fewer bytes), and
// purges discard only what has already arrived.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "image/image.h"
#include "link/radio_simulator.h"
#include "link/serial_port.h"

namespace vel {

/// A clock whose time moves only when someone sleeps or a simulated transfer
/// takes time. Microsecond resolution inside, so line timing adds up exactly.
class VirtualClock final : public Clock {
public:
    void sleepMs(int ms) override;
    std::int64_t nowMs() const override { return nowUs_ / 1000; }

    std::int64_t nowUs() const { return nowUs_; }
    /// Moves the clock forward to `us` (never backward).
    void advanceToUs(std::int64_t us);
    void advanceUs(std::int64_t us) { advanceToUs(nowUs_ + us); }

    /// Every pause asked for, in order.
    const std::vector<int>& sleeps() const { return sleeps_; }

private:
    std::int64_t nowUs_ = 0;
    std::vector<int> sleeps_;
};

/// One byte time at 9600 baud with 10 bits a byte (start, 8 data, stop).
inline constexpr double kByteTimeUs9600 = 10.0 * 1e6 / 9600.0;

struct SimulatedPortOptions {
    /// Bytes take their time on the line in both directions (9600 baud);
    /// otherwise a transfer takes no time.
    bool lineTiming = false;
    /// `open` fails (device missing or held by another program).
    bool failOpen = false;
    /// Reads and writes report a device error (cable pulled).
    bool deviceError = false;
};

class SimulatedSerialPort final : public SerialPort {
public:
    SimulatedSerialPort(RadioSimulator& radio, VirtualClock& clock, SimulatedPortOptions options = {});

    bool open(const std::string& portName) override;
    void configure(const TimingProfile& profile) override;
    void purgeAll() override;
    void purgeBuffers() override;
    IoResult write(const std::uint8_t* data, std::size_t count) override;
    IoResult read(std::uint8_t* buffer, std::size_t count) override;
    void close() override;
    bool isOpen() const override { return open_; }
    OpenFailure openFailure() const override;

    void setOptions(const SimulatedPortOptions& options) { options_ = options; }
    const SimulatedPortOptions& options() const { return options_; }

    /// One call of `write` as the radio received it.
    struct WriteRecord {
        std::int64_t atUs = 0;   ///< when the write was called
        std::vector<Byte> bytes;
    };
    const std::vector<WriteRecord>& writes() const { return writes_; }
    /// Name given to the last `open`, successful or not.
    const std::string& openedName() const { return openedName_; }
    int openCount() const { return openCount_; }
    int closeCount() const { return closeCount_; }
    int purgeCount() const { return purgeCount_; }
    /// Profile given to the last `configure`.
    std::optional<TimingProfile> profile() const { return profile_; }
    /// Bytes on their way to the computer or waiting to be read.
    std::size_t pendingReplyBytes() const { return incoming_.size(); }

private:
    struct Arrival {
        Byte byte;
        std::int64_t atUs;   // the moment the byte is complete in the input buffer
    };

    void schedule(const SimulatorReply& reply);
    void discardArrived();
    std::int64_t byteTimeUs(std::size_t i) const;

    RadioSimulator& radio_;
    VirtualClock& clock_;
    SimulatedPortOptions options_;
    bool open_ = false;
    std::optional<TimingProfile> profile_;
    std::deque<Arrival> incoming_;
    std::int64_t lineFreeUs_ = 0;   // when the radio's side of the line is free again
    std::vector<WriteRecord> writes_;
    std::string openedName_;
    int openCount_ = 0;
    int closeCount_ = 0;
    int purgeCount_ = 0;
};

}  // namespace vel

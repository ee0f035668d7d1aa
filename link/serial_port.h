#pragma once
// The serial port a radio is reached through, opened by name for one exchange.
// Every read is bounded by a timing profile and never by a terminator.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vel {

struct TimingProfile {
    int gapMs;            // largest gap between two bytes once the first has come
    int readPerByteMs;    // read total, per byte requested
    int readConstantMs;   // read total, constant part
    int writePerByteMs;
    int writeConstantMs;

    /// Longest a read of n bytes may take.
    int readTotalMs(std::size_t n) const { return readConstantMs + static_cast<int>(n) * readPerByteMs; }
    int writeTotalMs(std::size_t n) const { return writeConstantMs + static_cast<int>(n) * writePerByteMs; }
};

inline constexpr TimingProfile kSessionTiming{30, 500, 90, 50, 50};
inline constexpr TimingProfile kTestModeTiming{10, 50, 50, 50, 50};

struct IoResult {
    bool ok = false;          // false only when the device itself reported an error
    std::size_t count = 0;    // bytes transferred
};

/// Operations of a serial port; all block the calling thread.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    /// Opens the device for reading and writing with exclusive access.
    virtual bool open(const std::string& portName) = 0;
    /// Queue sizes, timing profile, 9600 baud 8N1 raw. Results are not examined.
    virtual void configure(const TimingProfile& profile) = 0;
    /// Abandons pending transfers and discards both buffers.
    virtual void purgeAll() = 0;
    /// Discards what was received and not read, and output not yet on the line.
    virtual void purgeBuffers() = 0;
    /// Sends the bytes; returns once they have left the output buffer.
    virtual IoResult write(const std::uint8_t* data, std::size_t count) = 0;
    /// Collects up to `count` bytes under the active profile's limits. Running
    /// out of time is a success with fewer bytes.
    virtual IoResult read(std::uint8_t* buffer, std::size_t count) = 0;
    /// Releases the device. Safe to call when not open.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    /// After a failed open: the device that was tried and the system's reason,
    /// with a hint where the user can act (empty when nothing is known).
    virtual std::string openFailureDetail() const { return {}; }

    /// Lets a waiting read or write end early once `interrupted` returns true
    /// (a signal asked the program to stop): a read then returns what it has,
    /// as when its time is up, and a write reports that it did not finish.
    /// Asked at least every kInterruptCheckMs while a call waits. Without one,
    /// every call runs to its profile's limits.
    void setInterruptCheck(std::function<bool()> interrupted) { interrupted_ = std::move(interrupted); }

    static constexpr int kInterruptCheckMs = 50;

protected:
    bool interrupted() const { return interrupted_ && interrupted_(); }

private:
    std::function<bool()> interrupted_;
};

/// Millisecond pauses and a monotonic clock; injectable so that whole
/// exchanges run in tests on a virtual clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepMs(int ms) = 0;
    virtual std::int64_t nowMs() const = 0;
};

/// The real monotonic clock.
Clock& SystemClock();

}  // namespace vel

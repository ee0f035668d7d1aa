#pragma once
// The serial port a radio is reached through, opened by name for one exchange.
// Every read is bounded by a timing profile and never by a terminator.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "image/language.h"

namespace vel {

/// Why a port could not be opened, in terms the user can act on.
enum class OpenFailureKind {
    None,            // nothing failed, or nothing is known
    NoDevice,        // the port name stands for no device
    Missing,         // the device does not exist
    NoPermission,    // the user may not use the device
    InUse,           // another program holds the port
    NotSerialPort,   // the device is not a serial port
    Other,           // any other reason the system gave
};

/// A failed open: the port, the device that was tried and why.
struct OpenFailure {
    OpenFailureKind kind = OpenFailureKind::None;
    std::string portName;     ///< "COM1" … or a device path given as a port
    std::string device;       ///< the device tried (empty for NoDevice)
    std::string reason;       ///< the system's own words for the error, may be empty
    std::string ownerGroup;   ///< NoPermission: the group owning the device, when known
};

/// The failure as one paragraph in `lang`: the device tried (with the port
/// name when they differ), the reason and what the user can do about it.
/// Empty for OpenFailureKind::None. The Chinese text is ours throughout; only
/// for a reason we do not know (Other) does it quote the system's words.
std::string DescribeOpenFailure(const OpenFailure& failure, Lang lang);

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

    /// After a failed open: the device that was tried and why.
    virtual OpenFailure openFailure() const { return {}; }
    /// openFailure() as an English paragraph, with a hint where the user can
    /// act (empty when nothing is known).
    std::string openFailureDetail() const { return DescribeOpenFailure(openFailure(), Lang::English); }

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
    /// A pause of `ms` in which `work` runs first: the thread would only wait
    /// otherwise. The pause still ends `ms` after it began, unless the work
    /// takes longer. A virtual clock counts the pause alone.
    virtual void sleepMsDoing(int ms, const std::function<void()>& work) {
        work();
        sleepMs(ms);
    }
};

/// The real monotonic clock.
Clock& SystemClock();

}  // namespace vel

// The serial port on Linux and other POSIX systems: a terminal device in raw
// mode, read and written without blocking and timed with poll() on the
// monotonic clock, so that every call keeps the limits of its timing profile.

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "image/message_quote.h"
#include "link/serial_port_posix.h"
#include "link/system_serial_port.h"

namespace vel {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Milliseconds left until `deadline`, rounded up so that poll() never wakes
// before it; 0 once it has passed.
int MsUntil(Clock::time_point deadline) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return 0;
    return static_cast<int>(std::chrono::ceil<milliseconds>(left).count());
}

std::string OwnerGroup(const std::string& device) {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0) return {};
    std::vector<char> buf(4096);
    group gr{};
    group* found = nullptr;
    if (getgrgid_r(st.st_gid, &gr, buf.data(), buf.size(), &found) != 0 || found == nullptr) return {};
    return found->gr_name;
}

class PosixSerialPort final : public SerialPort {
public:
    explicit PosixSerialPort(PortDeviceResolver resolve) : resolve_(std::move(resolve)) {}
    ~PosixSerialPort() override { close(); }

    bool open(const std::string& portName) override {
        close();
        failure_ = {};
        const std::string device = resolve_ ? resolve_(portName) : portName;
        if (device.empty()) {
            failure_ = {OpenFailureKind::NoDevice, portName, {}, {}, {}};
            return false;
        }
        // Non-blocking so that opening does not wait for a carrier and so that
        // reads and writes are timed by poll(); close-on-exec so that a child
        // process cannot keep the device (and its lock) after we let go.
        const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return fail(portName, device, errno);

        termios probe{};
        if (tcgetattr(fd, &probe) != 0) {
            const int err = errno;
            ::close(fd);
            return fail(portName, device, err);
        }
        // TIOCEXCL keeps out other users but not root; an advisory lock keeps
        // out every opener that uses this code, root included, and the system
        // drops it if the holder dies. The lock comes first: an opener that
        // loses must not touch the exclusive flag of the holder.
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int err = errno;
            ::close(fd);
            return fail(portName, device, err);
        }
        ioctl(fd, TIOCEXCL);
        fd_ = fd;
        return true;
    }

    void configure(const TimingProfile& profile) override {
        profile_ = profile;
        if (fd_ < 0) return;
        // The terminal driver's queues are fixed in size; there is nothing to
        // request. Raw 8-bit data both ways, no flow control of any kind: the
        // radio knows neither handshake lines nor XON/XOFF. Modem control
        // (HUPCL) stays as the device reports it.
        termios t{};
        if (tcgetattr(fd_, &t) != 0) return;
        t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                                            IXOFF | IXANY | INPCK);
        t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
        t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
        t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
        t.c_cflag |= CS8 | CLOCAL | CREAD;
        // Reads are timed here, not by the driver.
        t.c_cc[VMIN] = 0;
        t.c_cc[VTIME] = 0;
        cfsetispeed(&t, B9600);
        cfsetospeed(&t, B9600);
        tcsetattr(fd_, TCSANOW, &t);
    }

    // Every write has drained before it returns, so no output is ever waiting
    // to be sent when a purge comes: flushing the output side could drop
    // nothing on a real line. On a pseudo-terminal, though, an output flush
    // throws away bytes the other end has not read yet, bytes that are in
    // effect already on the line. Purging the receive side only gives the
    // real-line meaning on both.
    void purgeAll() override { purgeBuffers(); }
    void purgeBuffers() override {
        if (fd_ >= 0) tcflush(fd_, TCIFLUSH);
    }

    IoResult write(const std::uint8_t* data, std::size_t count) override {
        if (fd_ < 0) return {false, 0};
        const auto deadline = Clock::now() + milliseconds(profile_.writeTotalMs(count));
        std::size_t sent = 0;
        while (sent < count) {
            if (interrupted()) return {false, sent};
            const ssize_t r = ::write(fd_, data + sent, count - sent);
            if (r > 0) {
                sent += static_cast<std::size_t>(r);
                continue;
            }
            if (r < 0 && errno == EINTR) continue;
            if (r < 0 && errno != EAGAIN) return {false, sent};
            pollfd p{fd_, POLLOUT, 0};
            const int waitMs = MsUntil(deadline);
            const int ready = poll(&p, 1, std::min(waitMs, kInterruptCheckMs));
            if (ready < 0 && errno == EINTR) continue;
            if (ready == 0 && waitMs > kInterruptCheckMs) continue;
            if (ready <= 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL))) return {false, sent};
        }
        // tcdrain() has no time limit of its own: wait for the driver's queue
        // to empty within the write limit first, so that a line that stopped
        // taking bytes cannot hold the program forever. tcdrain() then only
        // waits for the last bytes in the transmitter.
        for (;;) {
            int queued = 0;
            if (ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0) break;
            if (MsUntil(deadline) == 0 || interrupted())
                return {false, sent - std::min(sent, static_cast<std::size_t>(queued))};
            std::this_thread::sleep_for(milliseconds(1));
        }
        if (tcdrain(fd_) != 0 && errno != EINTR) return {false, sent};
        return {true, sent};
    }

    IoResult read(std::uint8_t* buffer, std::size_t count) override {
        if (fd_ < 0) return {false, 0};
        const auto deadline = Clock::now() + milliseconds(profile_.readTotalMs(count));
        const auto gap = milliseconds(profile_.gapMs);
        Clock::time_point lastByte{};
        std::size_t got = 0;
        while (got < count) {
            auto until = deadline;
            if (got > 0) until = std::min(until, lastByte + gap);
            const int waitMs = MsUntil(until);
            if (waitMs == 0) break;
            // A stop request ends the wait like a timeout; the caller asks
            // why it got less.
            if (interrupted()) break;
            pollfd p{fd_, POLLIN, 0};
            const int ready = poll(&p, 1, std::min(waitMs, kInterruptCheckMs));
            if (ready < 0) {
                if (errno == EINTR) continue;
                return {false, got};
            }
            if (ready == 0) continue;  // the loop head decides whether time is up
            if (p.revents & POLLIN) {
                const ssize_t r = ::read(fd_, buffer + got, count - got);
                if (r > 0) {
                    got += static_cast<std::size_t>(r);
                    lastByte = Clock::now();
                    continue;
                }
                // End of file on a terminal that reported data: the other end
                // is gone (an unplugged adapter, a closed pseudo-terminal).
                if (r == 0) return {false, got};
                if (errno == EINTR || errno == EAGAIN) {
                    if (!(p.revents & (POLLERR | POLLHUP | POLLNVAL))) continue;
                }
                return {false, got};
            }
            // A hang-up or an error without data: a vanished device is a
            // failure, never silence.
            return {false, got};
        }
        return {true, got};
    }

    void close() override {
        if (fd_ < 0) return;
        // The exclusive flag belongs to the terminal, not to this descriptor,
        // and outlives it while anyone else keeps the terminal open.
        ioctl(fd_, TIOCNXCL);
        ::close(fd_);  // also releases the lock
        fd_ = -1;
    }

    bool isOpen() const override { return fd_ >= 0; }

    OpenFailure openFailure() const override { return failure_; }

private:
    bool fail(const std::string& portName, const std::string& device, int error) {
        failure_ = ClassifyOpenFailure(portName, device, error,
                                       (error == EACCES || error == EPERM) ? OwnerGroup(device) : std::string());
        return false;
    }

    PortDeviceResolver resolve_;
    int fd_ = -1;
    TimingProfile profile_ = kSessionTiming;
    OpenFailure failure_;
};

}  // namespace

OpenFailure ClassifyOpenFailure(const std::string& portName, const std::string& device, int error,
                                const std::string& ownerGroup) {
    OpenFailure f{OpenFailureKind::Other, portName, device, std::strerror(error), {}};
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO: f.kind = OpenFailureKind::Missing; break;
    case EACCES:
    case EPERM:
        f.kind = OpenFailureKind::NoPermission;
        f.ownerGroup = ownerGroup;
        break;
    case EBUSY: f.kind = OpenFailureKind::InUse; break;
    case EWOULDBLOCK:
        // The lock refusal's own reason ("Resource temporarily unavailable")
        // would only mislead.
        f.kind = OpenFailureKind::InUse;
        f.reason.clear();
        break;
    case ENOTTY: f.kind = OpenFailureKind::NotSerialPort; break;
    default: break;
    }
    return f;
}

std::string DescribeOpenFailure(const std::string& portName, const std::string& device, int error,
                                const std::string& ownerGroup) {
    return DescribeOpenFailure(ClassifyOpenFailure(portName, device, error, ownerGroup), Lang::English);
}

std::unique_ptr<SerialPort> CreateSystemSerialPort(PortDeviceResolver resolveDevice) {
    return std::make_unique<PosixSerialPort>(std::move(resolveDevice));
}

}  // namespace vel

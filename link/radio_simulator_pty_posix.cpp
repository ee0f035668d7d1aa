#include <fcntl.h>
#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>

#ifdef __linux__
#include <sys/prctl.h>
#endif

#include "link/pty_posix.h"
#include "link/radio_simulator_pty.h"

namespace vel {
namespace {

constexpr std::int64_t kByteTimeNs = 1041667;   // 10 bits at 9600 baud
constexpr std::int64_t kSpinNs = 150000;        // woken this early, the rest is watched
constexpr std::int64_t kIdleCheckNs = 200000000;   // how often an idle line is looked after

std::int64_t NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

std::string SystemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

RadioSimulatorPty::RadioSimulatorPty(RadioSimulator& radio, PtyServeOptions options)
    : radio_(radio), options_(options) {}

RadioSimulatorPty::~RadioSimulatorPty() {
    stop();
    for (int fd : stopPipe_)
        if (fd >= 0) ::close(fd);
}

bool RadioSimulatorPty::open(std::string& error) {
    try {
        pty_ = std::make_unique<PseudoTerminal>();
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    master_ = pty_->masterFd();
    // Never block on the master: bytes for a computer that does not read are
    // lost, as on a cable.
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (pipe(stopPipe_) != 0) {
        error = SystemError("pipe");
        return false;
    }
    for (int fd : stopPipe_) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    devicePath_ = pty_->slavePath();
    return true;
}

void RadioSimulatorPty::start() { thread_ = std::thread([this] { serve(); }); }

void RadioSimulatorPty::requestStop() {
    stopRequested_.store(true);
    if (stopPipe_[1] >= 0) {
        const char b = 1;
        [[maybe_unused]] ssize_t n = ::write(stopPipe_[1], &b, 1);
    }
}

void RadioSimulatorPty::stop() {
    requestStop();
    if (thread_.joinable()) thread_.join();
}

void RadioSimulatorPty::schedule(const SimulatorReply& reply) {
    if (reply.empty()) return;
    const std::int64_t start = std::max(reply.dueUs * 1000, txFreeNs_);
    std::int64_t at = start;
    for (std::size_t j = 0; j < reply.bytes.size(); ++j) {
        // A paced byte is handed over once it has fully crossed the line.
        if (options_.lineRate) at = start + static_cast<std::int64_t>(j + 1) * kByteTimeNs;
        outgoing_.push_back({reply.bytes[j], at});
    }
    txFreeNs_ = at;
}

void RadioSimulatorPty::sendDue(std::int64_t nowNs) {
    std::uint8_t buf[256];
    std::size_t n = 0;
    while (!outgoing_.empty() && outgoing_.front().atNs <= nowNs && n < sizeof buf) {
        buf[n++] = outgoing_.front().byte;
        outgoing_.pop_front();
    }
    if (n > 0) [[maybe_unused]] ssize_t written = ::write(master_, buf, n);
}

void RadioSimulatorPty::receive(std::int64_t nowNs) {
    std::uint8_t buf[512];
    const ssize_t n = ::read(master_, buf, sizeof buf);
    if (n <= 0) return;
    std::lock_guard<std::mutex> lock(mutex_);
    for (ssize_t i = 0; i < n; ++i) {
        std::int64_t at = nowNs;
        if (options_.lineRate) {
            // The computer's bytes crossed the pseudo-terminal at once; on a
            // cable each would have taken a byte time after the previous one.
            at = std::max(nowNs, rxFreeNs_) + kByteTimeNs;
            rxFreeNs_ = at;
        }
        schedule(radio_.feedByte(buf[i], at / 1000));
    }
}

void RadioSimulatorPty::serve() {
#ifdef __linux__
    // The default timer slack of 50 us would make every paced byte late.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    std::int64_t lastActivityNs = NowNs();
    while (!stopRequested_.load()) {
        const std::int64_t now = NowNs();
        sendDue(now);
        if (options_.clearAbandonedExclusiveFlag && outgoing_.empty() && now - lastActivityNs >= kIdleCheckNs) {
            // A computer killed in the middle of a session leaves the
            // exclusive flag on the device; once the line has been quiet for
            // a while, an abandoned flag is cleared.
            pty_->clearAbandonedExclusiveFlag();
            lastActivityNs = now;
        }
        timespec timeout{0, static_cast<long>(kIdleCheckNs)};
        timespec* wait = &timeout;
        if (!outgoing_.empty()) {
            std::int64_t left = std::max<std::int64_t>(0, outgoing_.front().atNs - now);
            // A sleeping thread wakes some tens of microseconds after its
            // time. At line rate the radio wakes that much early and watches
            // the clock for the rest, so that its bytes leave on time.
            if (options_.lineRate) left = left > kSpinNs ? left - kSpinNs : 0;
            timeout.tv_sec = static_cast<time_t>(left / 1000000000);
            timeout.tv_nsec = static_cast<long>(left % 1000000000);
            wait = &timeout;
        }
        pollfd fds[2] = {{master_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        const int r = ppoll(fds, 2, wait, nullptr);
        if (r < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[1].revents != 0) break;
        if (fds[0].revents & POLLIN) {
            lastActivityNs = NowNs();
            receive(lastActivityNs);
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // Nobody holds the slave side open (the computer closed its port):
            // what the radio was about to say is lost, and the next opener is
            // waited for without spinning.
            outgoing_.clear();
            pollfd stopOnly{stopPipe_[0], POLLIN, 0};
            poll(&stopOnly, 1, 5);
        }
    }
}

}  // namespace vel

#pragma once
// Serves a simulated radio on the master side of a pseudo-terminal, so that the
// real serial port code, opened on the slave device, talks to it exactly as to
// a radio on a cable. POSIX only.

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "link/radio_simulator.h"

namespace vel {

class PseudoTerminal;

struct PtyServeOptions {
    /// A pseudo-terminal has no line rate. With this set the radio paces its
    /// own bytes at 9600 baud (10 bits a byte, 1.042 ms) and takes the
    /// computer's bytes as arriving at that rate too, so that an exchange over
    /// the pseudo-terminal lasts as long as over a cable.
    bool lineRate = false;
    /// A computer killed while it held the line (SIGKILL, which it cannot
    /// catch) leaves the device's exclusive flag set, and then only the
    /// superuser can open it again. With this set, the radio clears such an
    /// abandoned flag once the line has been quiet for 200 ms. For a radio in
    /// a process of its own (velprog simulate); a program that serves its own
    /// sessions dies with them.
    bool clearAbandonedExclusiveFlag = false;
};

class RadioSimulatorPty {
public:
    RadioSimulatorPty(RadioSimulator& radio, PtyServeOptions options = {});
    ~RadioSimulatorPty();
    RadioSimulatorPty(const RadioSimulatorPty&) = delete;
    RadioSimulatorPty& operator=(const RadioSimulatorPty&) = delete;

    /// Creates the pseudo-terminal. On failure returns false with the reason.
    bool open(std::string& error);
    /// The device the computer side opens (e.g. "/dev/pts/3"); empty before `open`.
    const std::string& devicePath() const { return devicePath_; }

    /// Answers as the radio on the calling thread until `stop`.
    void serve();
    /// Runs `serve` on a thread of its own.
    void start();
    /// Ends `serve` (and joins the thread of `start`). The request itself is
    /// async-signal-safe; call `requestStop` from a signal handler.
    void stop();
    void requestStop();

    /// Runs `f(radio)` while the server does not touch the radio.
    template <class F>
    auto withRadio(F&& f) {
        std::lock_guard<std::mutex> lock(mutex_);
        return f(radio_);
    }

private:
    struct Outgoing {
        std::uint8_t byte;
        std::int64_t atNs;   // when it is written to the pseudo-terminal
    };

    void schedule(const SimulatorReply& reply);
    void sendDue(std::int64_t nowUs);
    void receive(std::int64_t nowUs);

    RadioSimulator& radio_;
    PtyServeOptions options_;
    std::mutex mutex_;
    std::unique_ptr<PseudoTerminal> pty_;
    int master_ = -1;   // owned by pty_
    int stopPipe_[2] = {-1, -1};
    std::string devicePath_;
    std::atomic<bool> stopRequested_{false};
    std::thread thread_;

    std::deque<Outgoing> outgoing_;
    std::int64_t txFreeNs_ = 0;   // the radio's side of the line is busy until then
    std::int64_t rxFreeNs_ = 0;   // the computer's last byte is complete then
};

}  // namespace vel

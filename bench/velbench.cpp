// velbench: a full read and a full write of every family against the
// simulated radio at line rate over a pseudo-terminal, measured against the
// protocol's floor (its mandated pauses plus every byte both ways at 9600
// baud). The simulator serves the master side in a thread of its own; the
// real serial port and programming session run on the slave side.
//
//   velbench [--family NAME]... [--direction read|write] [--latency-us N]
//            [--repeat N] [--calibrate] [--realtime] [--profile]

#ifdef _WIN32

#include <cstdio>

int main() {
    std::fputs("velbench: the rig needs pseudo-terminals, which this platform does not have\n", stderr);
    return 1;
}

#else

#include <fcntl.h>
#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#ifdef __linux__
#include <sched.h>
#endif

#include "bench/bench_options.h"
#include "bench/bench_pattern.h"
#include "image/family.h"
#include "link/line_rate_port.h"
#include "link/programming_session.h"
#include "link/pty_posix.h"
#include "link/radio_simulator.h"
#include "link/radio_simulator_pty.h"
#include "link/session_floor.h"
#include "link/system_serial_port.h"

namespace {

using namespace vel;

bool g_profile = false;   // print where the computer's side spent its time

std::int64_t NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

/// Where the computer's side spent its time: every kind of transfer, and the
/// time between two kinds of transfer (the session's pauses, purges and
/// pumping), with the line time they would take on a cable.
void PrintProfile(const std::vector<LineRatePort::Transfer>& ops) {
    std::map<std::string, std::vector<double>> spans;
    const auto name = [](const LineRatePort::Transfer& op) {
        return std::string(op.kind == 'w' ? "write " : "read ") + std::to_string(op.count);
    };
    for (std::size_t i = 0; i < ops.size(); ++i) {
        spans[name(ops[i])].push_back(static_cast<double>(ops[i].endNs - ops[i].startNs) / 1e3);
        if (i > 0)
            spans[name(ops[i - 1]) + " .. " + name(ops[i])].push_back(
                static_cast<double>(ops[i].startNs - ops[i - 1].endNs) / 1e3);
    }
    std::fprintf(stderr, "  %-22s %6s %10s %10s %10s\n", "span", "count", "median us", "mean us", "total ms");
    for (auto& [key, us] : spans) {
        if (us.size() < 16) continue;   // the handshake's one-off steps
        std::sort(us.begin(), us.end());
        double total = 0;
        for (double u : us) total += u;
        std::fprintf(stderr, "  %-22s %6zu %10.0f %10.0f %10.1f\n", key.c_str(), us.size(), us[us.size() / 2],
                     total / static_cast<double>(us.size()), total / 1e3);
    }
}

/// A window that never interferes: no messages to pump, no cancel, and a
/// failure is reported and answered with Cancel.
class BenchHost final : public SessionHost {
public:
    void pumpOne() override {}
    bool cancelRequested() const override { return false; }
    void setDeactivationGuard(bool) override {}
    void setStatusText(const std::string&) override {}
    int progressPosition() const override { return position_; }
    void setProgressPosition(int p) override { position_ = p; }
    MessageAnswer showMessage(const std::string& text, MessageButtons) override {
        std::fprintf(stderr, "velbench: the session said: %s\n", text.c_str());
        return MessageAnswer::Cancel;
    }
    void closeProgressDialog() override {}
    void storeChannelTable(Image&) override {}
    std::string dataPassword() override { return {}; }

private:
    int position_ = 0;
};

using benchsupport::Pattern;

struct Run {
    bool ok = false;
    double seconds = 0;
};

Run RunOnce(const Family& family, Direction direction, std::int64_t latencyUs) {
    RadioSimulator radio(family);
    radio.loadMemory(Pattern(family.imageSize, 1));
    radio.setTypeByte(0xFF);
    radio.setReplyLatencyUs(latencyUs);
    RadioSimulatorPty server(radio, PtyServeOptions{true});
    std::string error;
    if (!server.open(error)) {
        std::fprintf(stderr, "velbench: %s\n", error.c_str());
        return {};
    }
    server.start();

    LineRatePort port(CreateSystemSerialPort());
    std::vector<LineRatePort::Transfer> transfers;
    if (g_profile) port.setTransferLog(&transfers);
    BenchHost host;
    ProgrammingSession session(family, Lang::English, port, SystemClock(), host);
    Image image = Pattern(family.imageSize, 2);
    const Image sent = image;

    const std::int64_t t0 = NowNs();
    const SessionResult result = session.run(direction, server.devicePath(), image);
    const std::int64_t t1 = NowNs();
    server.stop();
    if (g_profile) PrintProfile(transfers);

    Run run;
    run.seconds = static_cast<double>(t1 - t0) / 1e9;
    run.ok = result.outcome == SessionOutcome::Completed;
    if (!run.ok) {
        // What the radio heard last, to tell a lost byte from a late one.
        server.withRadio([&](RadioSimulator& r) {
            const auto& frames = r.frames();
            const std::size_t from = frames.size() > 8 ? frames.size() - 8 : 0;
            for (std::size_t i = from; i < frames.size(); ++i) {
                std::fprintf(stderr, "velbench:   radio got %s", FrameKindName(frames[i].kind));
                for (Byte b : frames[i].bytes) std::fprintf(stderr, " %02X", b);
                std::fprintf(stderr, " at +%.3f ms\n", static_cast<double>(frames[i].atUs - t0 / 1000) / 1e3);
            }
            return 0;
        });
    }
    // The exchange must also have carried the right bytes.
    const Image memory = server.withRadio([](RadioSimulator& r) { return r.memory(); });
    const Image expected = direction == Direction::Read ? radio.memory() : sent;
    const int end = direction == Direction::Read ? family.protocol.readBytes() : family.protocol.writeBytes();
    const Image& got = direction == Direction::Read ? image : memory;
    if (!std::equal(got.begin(), got.begin() + end, expected.begin())) {
        std::fprintf(stderr, "velbench: %s %s carried wrong bytes\n", family.name.c_str(),
                     direction == Direction::Read ? "read" : "write");
        run.ok = false;
    }
    return run;
}

void PrintSpread(const char* what, std::vector<double> us) {
    std::sort(us.begin(), us.end());
    std::printf("%s: median %.0f us, 90%% %.0f us, max %.0f us\n", what, us[us.size() / 2], us[us.size() * 9 / 10],
                us.back());
}

void Calibrate() {
    // How long the clock's 1 ms pause really takes on this machine.
    std::vector<double> over;
    for (int i = 0; i < 300; ++i) {
        const std::int64_t t0 = NowNs();
        SystemClock().sleepMs(1);
        over.push_back(static_cast<double>(NowNs() - t0) / 1e3 - 1000.0);
    }
    PrintSpread("1 ms pause overshoot", over);

    // A byte's way through the pseudo-terminal and back: the kernel hands
    // each direction on in a worker thread of its own, which an exchange pays
    // twice for every question and answer.
    PseudoTerminal pty;
    const int slave = ::open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
    std::vector<double> trip;
    for (int i = 0; i < 300 && slave >= 0; ++i) {
        std::uint8_t b = static_cast<std::uint8_t>(i);
        const std::int64_t t0 = NowNs();
        if (::write(slave, &b, 1) != 1) break;
        pollfd p{pty.masterFd(), POLLIN, 0};
        if (poll(&p, 1, 1000) != 1 || ::read(pty.masterFd(), &b, 1) != 1) break;
        if (::write(pty.masterFd(), &b, 1) != 1) break;
        pollfd q{slave, POLLIN, 0};
        if (poll(&q, 1, 1000) != 1 || ::read(slave, &b, 1) != 1) break;
        trip.push_back(static_cast<double>(NowNs() - t0) / 1e3);
    }
    if (slave >= 0) ::close(slave);
    if (!trip.empty()) PrintSpread("pseudo-terminal round trip", trip);
}

int Usage() {
    std::fprintf(stderr,
                 "usage: velbench [--family NAME]... [--direction read|write] [--latency-us N] [--repeat N] "
                 "[--calibrate] [--realtime] [--profile]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    benchsupport::SessionOptions options;
    bool calibrate = false;
    bool realtime = false;
    for (int i = 1; i < argc; ++i) {
        const benchsupport::OptionRead shared = benchsupport::ReadSessionOption(i, argc, argv, options);
        if (shared == benchsupport::OptionRead::Taken) continue;
        if (shared == benchsupport::OptionRead::Bad) return Usage();
        const std::string a = argv[i];
        if (a == "--calibrate") {
            calibrate = true;
        } else if (a == "--realtime") {
            realtime = true;
        } else if (a == "--profile") {
            g_profile = true;
        } else {
            return Usage();
        }
    }
    std::vector<const Family*> families = options.families;
    const std::vector<Direction>& directions = options.directions;
    const std::int64_t latencyUs = options.latencyUs.value_or(0);
    const int repeat = options.repeat;
    if (families.empty()) families = AllFamilies();
#ifdef __linux__
    if (realtime) {
        // Both threads (they inherit the policy) then run as soon as they are
        // due, whatever else the machine is doing; the kernel's own work
        // between the two ends of the pseudo-terminal still competes.
        sched_param sp{};
        sp.sched_priority = 10;
        if (sched_setscheduler(0, SCHED_FIFO, &sp) != 0) std::perror("velbench: --realtime");
    }
#endif
    if (calibrate) Calibrate();

    std::printf("%-11s %-6s %6s %9s %9s %7s\n", "family", "dir", "blocks", "wall s", "floor s", "ratio");
    bool allOk = true;
    for (const Family* family : families) {
        for (const Direction d : directions) {
            const SessionFloor floor = ProtocolFloor(*family, d);
            // The best of the runs that went through: a run that failed (a
            // thread of the rig held up past the protocol's 30 ms gap, say)
            // is reported but not timed.
            double best = 0;
            int failed = 0;
            for (int r = 0; r < repeat; ++r) {
                const Run run = RunOnce(*family, d, latencyUs);
                if (!run.ok) {
                    ++failed;
                    continue;
                }
                best = best == 0 ? run.seconds : std::min(best, run.seconds);
            }
            allOk = allOk && failed == 0;
            std::printf("%-11s %-6s %6d %9.3f %9.3f %7.4f", family->name.c_str(),
                        d == Direction::Read ? "read" : "write",
                        d == Direction::Read ? family->protocol.readBlocks : family->protocol.writeBlocks, best,
                        floor.seconds(), best / floor.seconds());
            if (failed > 0) std::printf("  (%d of %d runs failed)", failed, repeat);
            std::printf("\n");
            std::fflush(stdout);
        }
    }
    return allOk ? 0 : 1;
}

#endif  // _WIN32

#include "link/line_rate_port.h"

#include <chrono>
#include <thread>

#include "link/exact_pauses.h"
#include "link/session_floor.h"

namespace vel {
namespace {

using SteadyClock = std::chrono::steady_clock;

std::int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(SteadyClock::now().time_since_epoch()).count();
}

// Sleeps until `ns`, waking a little early and watching the clock for the
// rest: the line's time must not grow by the sleep's own lateness.
void SleepUntilNs(std::int64_t ns) {
    constexpr std::int64_t kWatchedNs = 150000;
    PrepareThreadForExactPauses();
    const SteadyClock::time_point end{std::chrono::nanoseconds(ns)};
    std::this_thread::sleep_until(end - std::chrono::nanoseconds(kWatchedNs));
    while (SteadyClock::now() < end) {
    }
}

}  // namespace

IoResult LineRatePort::write(const std::uint8_t* data, std::size_t count) {
    const std::int64_t start = NowNs();
    const IoResult r = inner_->write(data, count);
    SleepUntilNs(start + static_cast<std::int64_t>(static_cast<double>(r.count) * kLineByteSeconds * 1e9));
    note('w', count, start);
    return r;
}

IoResult LineRatePort::read(std::uint8_t* buffer, std::size_t count) {
    const std::int64_t start = NowNs();
    const IoResult r = inner_->read(buffer, count);
    note('r', count, start);
    return r;
}

void LineRatePort::note(char kind, std::size_t count, std::int64_t startNs) {
    if (log_) log_->push_back({kind, count, startNs, NowNs()});
}

}  // namespace vel

#include <chrono>
#include <thread>

#include "link/exact_pauses.h"
#include "link/serial_port.h"

namespace vel {
namespace {

class MonotonicClock final : public Clock {
public:
    void sleepMs(int ms) override {
        // A 1 ms pause must really pause: the radio reads the wake-up frame one
        // byte at a time. It should not last much longer either: a session
        // pauses about a thousand times, and every pause that ends late makes
        // the whole transfer slower.
        if (ms <= 0) return;
        PrepareThreadForExactPauses();
        // Even so a sleeping thread wakes some tens of microseconds after its
        // time (more on a virtual machine). Sleep all but the last stretch and
        // watch the clock for that.
        using namespace std::chrono;
        constexpr auto kWatched = microseconds(150);
        const auto end = steady_clock::now() + milliseconds(ms);
        std::this_thread::sleep_until(end - kWatched);
        while (steady_clock::now() < end) {
        }
    }
    std::int64_t nowMs() const override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

}  // namespace

Clock& SystemClock() {
    static MonotonicClock clock;
    return clock;
}

}  // namespace vel

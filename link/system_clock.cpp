#include <algorithm>
#include <chrono>
#include <functional>
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
        waitUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms));
    }
    void sleepMsDoing(int ms, const std::function<void()>& work) override {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(ms, 0));
        work();
        waitUntil(end);
    }
    std::int64_t nowMs() const override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }

private:
    static void waitUntil(std::chrono::steady_clock::time_point end) {
        using namespace std::chrono;
        if (steady_clock::now() >= end) return;
        PrepareThreadForExactPauses();
        // Even so a sleeping thread wakes some tens of microseconds after its
        // time (more on a virtual machine). Sleep all but the last stretch and
        // watch the clock for that.
        constexpr auto kWatched = microseconds(150);
        std::this_thread::sleep_until(end - kWatched);
        while (steady_clock::now() < end) {
        }
    }
};

}  // namespace

Clock& SystemClock() {
    static MonotonicClock clock;
    return clock;
}

}  // namespace vel

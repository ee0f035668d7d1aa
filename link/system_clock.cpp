#include <chrono>
#include <thread>

#ifdef __linux__
#include <sys/prctl.h>
#endif

#include "link/serial_port.h"

namespace vel {
namespace {

class MonotonicClock final : public Clock {
public:
    void sleepMs(int ms) override {
#ifdef __linux__
        // Linux lets a sleep end up to the thread's timer slack (50 us by
        // default) late, so that wake-ups can be grouped. A session pauses a
        // thousand times and more; asking for exact wake-ups once per thread
        // keeps the pauses at their length instead of adding the slack to each.
        thread_local const bool exactWakeUps = prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
        (void)exactWakeUps;
#endif
        // A 1 ms pause must really pause: the radio reads the wake-up frame one
        // byte at a time.
        if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
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

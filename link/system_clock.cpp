#include <chrono>
#include <thread>

#include "link/serial_port.h"

namespace vel {
namespace {

class MonotonicClock final : public Clock {
public:
    void sleepMs(int ms) override {
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

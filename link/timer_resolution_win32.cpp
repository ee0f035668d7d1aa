// Windows sleeps in steps of the system timer (about 15.6 ms by default).
// The exchanges pause 1 ms between the wake-up frame's bytes and between
// blocks, so the program asks for 1 ms timer resolution for its whole life.
#include <windows.h>
#include <timeapi.h>

namespace vel {
namespace {

struct OneMillisecondTimer {
    OneMillisecondTimer() { timeBeginPeriod(1); }
    ~OneMillisecondTimer() { timeEndPeriod(1); }
};

const OneMillisecondTimer timer;

}  // namespace
}  // namespace vel

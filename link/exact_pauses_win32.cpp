// Windows sleeps in steps of the system timer (about 15.6 ms by default).
// The exchanges pause 1 ms between the wake-up frame's bytes and between
// blocks, so the program asks for 1 ms timer resolution for its whole life.
#include <windows.h>
#include <timeapi.h>

#include "link/exact_pauses.h"

namespace vel {

void PrepareThreadForExactPauses() {
    static const bool resolution = timeBeginPeriod(1) == TIMERR_NOERROR;
    (void)resolution;
}

}  // namespace vel

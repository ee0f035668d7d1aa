#ifdef __linux__
#include <sys/prctl.h>
#endif

#include "link/exact_pauses.h"

namespace vel {

void PrepareThreadForExactPauses() {
#ifdef __linux__
    // Linux lets a sleep end up to the thread's timer slack (50 us by
    // default) late, so that wake-ups can be grouped; ask for exact wake-ups.
    static thread_local const bool exactWakeUps = prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
    (void)exactWakeUps;
#endif
}

}  // namespace vel

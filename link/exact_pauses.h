#pragma once
// Asks the operating system to end the calling thread's sleeps on time: the
// protocols pause for single milliseconds many hundreds of times a session.

namespace vel {

/// Cheap after the first call on a thread.
void PrepareThreadForExactPauses();

}  // namespace vel

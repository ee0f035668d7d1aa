#pragma once
// The protocol's floor: the shortest time a session can take with a radio
// that answers at once, i.e. its mandated pauses plus every byte that crosses
// the line in either direction at 9600 baud (10 bits a byte). The benchmarks
// measure sessions against it, and the progress dialog estimates the time
// left from it.

#include <vector>

#include "image/family.h"
#include "link/programming_session.h"

namespace vel {

/// One byte on a 9600 baud line: start bit, 8 data bits, stop bit.
inline constexpr double kLineByteSeconds = 10.0 / 9600.0;

struct SessionFloor {
    int pausesMs = 0;
    long bytes = 0;

    double seconds() const { return pausesMs / 1000.0 + static_cast<double>(bytes) * kLineByteSeconds; }
    SessionFloor& operator+=(const SessionFloor& o) {
        pausesMs += o.pausesMs;
        bytes += o.bytes;
        return *this;
    }
};

/// Wake-up, identification and acknowledgement with a radio that answers the
/// first wake-up: 7 pump rounds with 1 ms pauses, 1 ms before each of the 7
/// wake-up and 2 identification bytes; 7 + 1, 2 + 8 and 1 + 1 bytes.
SessionFloor HandshakeFloor();

/// One block: a read block pauses 15 ms before its acknowledgement and the
/// family's pause after it, and carries 4 + 12 + 1 + 1 bytes; a write block
/// pauses 1 ms between request and data and 1 ms after, and carries 4 + 8 + 1.
SessionFloor BlockFloor(const Family& family, Direction direction);

/// Blocks a session of `direction` carries.
int SessionBlocks(const Family& family, Direction direction);

/// A whole session: the handshake and every block.
SessionFloor ProtocolFloor(const Family& family, Direction direction);

/// The floor of what is left of a session once `blocksDone` blocks went
/// across (the handshake included while no block has).
double FloorSecondsLeft(const Family& family, Direction direction, int blocksDone);

/// Percent done and time left of what one Start runs: one session, or the
/// sessions of a write with its backup before and its check after. The time
/// left is the floor of the blocks still to go (and of the sessions still to
/// come), stretched by how much slower than their floor the blocks so far
/// have gone (a radio that thinks before it answers, an adapter that holds
/// bytes back); it is never below the floor.
class ProgressEstimate {
public:
    /// `phases`: the sessions in the order they run.
    ProgressEstimate(const Family& family, std::vector<Direction> phases);

    /// `done` blocks of the running session have gone across, the last one
    /// ending at `atSeconds` on any steady clock. A count that does not grow
    /// means the next session has begun.
    void blocksDone(int done, double atSeconds);

    /// 0 to 100 over all the sessions; 100 only once every block has gone across.
    int percent() const;
    double secondsLeft() const;

private:
    const Family& family_;
    std::vector<Direction> phases_;
    std::size_t phase_ = 0;
    int total_ = 0;              // blocks of all the sessions
    int doneBefore_ = 0;         // blocks of the sessions that ended
    int done_ = 0;               // blocks of the running one
    int firstDone_ = 0;          // blocks done when its clock was first read
    double firstAt_ = 0;
    double pace_ = 1.0;          // measured time / floor time, at least 1
};

}  // namespace vel

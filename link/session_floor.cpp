#include "link/session_floor.h"

#include <algorithm>

#include "link/session_frames.h"

namespace vel {

SessionFloor HandshakeFloor() {
    SessionFloor f;
    f.pausesMs = kPumpRoundsBeforeWakeUp + static_cast<int>(kWakeUpFrame.size() + kIdentificationRequest.size());
    f.bytes = static_cast<long>(kWakeUpFrame.size()) + 1 + static_cast<long>(kIdentificationRequest.size()) +
              kIdentificationLength + 1 + 1;
    return f;
}

SessionFloor BlockFloor(const Family& family, Direction direction) {
    if (direction == Direction::Read)
        return {kPauseBeforeReadAcknowledgeMs + family.protocol.pauseAfterReadBlockMs, 4 + kReadReplyLength + 1 + 1};
    return {1 + kPauseAfterWriteBlockMs, 4 + kBlockSize + 1};
}

int SessionBlocks(const Family& family, Direction direction) {
    return direction == Direction::Read ? family.protocol.readBlocks : family.protocol.writeBlocks;
}

SessionFloor ProtocolFloor(const Family& family, Direction direction) {
    SessionFloor f = HandshakeFloor();
    const SessionFloor block = BlockFloor(family, direction);
    const int blocks = SessionBlocks(family, direction);
    f.pausesMs += blocks * block.pausesMs;
    f.bytes += blocks * block.bytes;
    return f;
}

double FloorSecondsLeft(const Family& family, Direction direction, int blocksDone) {
    const int left = std::max(0, SessionBlocks(family, direction) - std::max(0, blocksDone));
    double seconds = left * BlockFloor(family, direction).seconds();
    if (blocksDone <= 0) seconds += HandshakeFloor().seconds();
    return seconds;
}

ProgressEstimate::ProgressEstimate(const Family& family, std::vector<Direction> phases)
    : family_(family), phases_(std::move(phases)) {
    if (phases_.empty()) phases_.push_back(Direction::Read);
    for (Direction d : phases_) total_ += SessionBlocks(family_, d);
}

void ProgressEstimate::blocksDone(int done, double atSeconds) {
    if (done <= done_ && phase_ + 1 < phases_.size()) {
        doneBefore_ += SessionBlocks(family_, phases_[phase_]);
        ++phase_;
        firstDone_ = 0;
    }
    const Direction direction = phases_[phase_];
    done_ = std::clamp(done, 0, SessionBlocks(family_, direction));
    if (firstDone_ == 0) {
        // The handshake's time (message boxes, retries) says nothing about
        // the blocks: the pace is measured from a session's first block on.
        firstDone_ = done_;
        firstAt_ = atSeconds;
        return;
    }
    const double floor = (done_ - firstDone_) * BlockFloor(family_, direction).seconds();
    if (floor > 0) pace_ = std::max(1.0, (atSeconds - firstAt_) / floor);
}

int ProgressEstimate::percent() const { return total_ > 0 ? (doneBefore_ + done_) * 100 / total_ : 100; }

double ProgressEstimate::secondsLeft() const {
    double seconds = FloorSecondsLeft(family_, phases_[phase_], done_);
    for (std::size_t k = phase_ + 1; k < phases_.size(); ++k) seconds += ProtocolFloor(family_, phases_[k]).seconds();
    return seconds * pace_;
}

}  // namespace vel

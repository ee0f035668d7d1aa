#include "link/simulated_serial_port.h"

#include <algorithm>
#include <cmath>

namespace vel {

void VirtualClock::sleepMs(int ms) {
    sleeps_.push_back(ms);
    if (ms > 0) nowUs_ += static_cast<std::int64_t>(ms) * 1000;
}

void VirtualClock::advanceToUs(std::int64_t us) { nowUs_ = std::max(nowUs_, us); }

SimulatedSerialPort::SimulatedSerialPort(RadioSimulator& radio, VirtualClock& clock, SimulatedPortOptions options)
    : radio_(radio), clock_(clock), options_(options) {}

std::int64_t SimulatedSerialPort::byteTimeUs(std::size_t i) const {
    if (!options_.lineTiming) return 0;
    return std::llround(static_cast<double>(i) * kByteTimeUs9600);
}

bool SimulatedSerialPort::open(const std::string& portName) {
    openedName_ = portName;
    if (options_.failOpen || open_) return false;
    ++openCount_;
    open_ = true;
    incoming_.clear();
    return true;
}

// A refusing simulated port stands for a port another program holds.
OpenFailure SimulatedSerialPort::openFailure() const {
    if (!options_.failOpen) return {};
    return {OpenFailureKind::InUse, openedName_, openedName_, "the simulated port is set to refuse opening", {}};
}

void SimulatedSerialPort::configure(const TimingProfile& profile) { profile_ = profile; }

void SimulatedSerialPort::discardArrived() {
    ++purgeCount_;
    // What is still on its way has not reached the buffer yet and survives.
    while (!incoming_.empty() && incoming_.front().atUs <= clock_.nowUs()) incoming_.pop_front();
}

void SimulatedSerialPort::purgeAll() { discardArrived(); }
void SimulatedSerialPort::purgeBuffers() { discardArrived(); }

void SimulatedSerialPort::schedule(const SimulatorReply& reply) {
    if (reply.empty()) return;
    // The radio's side of the line carries one byte after another: a reply
    // waits for the previous one to be on the wire.
    const std::int64_t start = std::max(reply.dueUs, lineFreeUs_);
    std::int64_t at = start;
    for (std::size_t j = 0; j < reply.bytes.size(); ++j) {
        at = start + byteTimeUs(j + 1);
        incoming_.push_back({reply.bytes[j], at});
    }
    lineFreeUs_ = at;
}

IoResult SimulatedSerialPort::write(const std::uint8_t* data, std::size_t count) {
    if (!open_ || options_.deviceError) return {false, 0};
    const std::int64_t start = clock_.nowUs();
    writes_.push_back({start, std::vector<Byte>(data, data + count)});
    for (std::size_t i = 0; i < count; ++i) schedule(radio_.feedByte(data[i], start + byteTimeUs(i + 1)));
    // A write returns once its bytes have left the output buffer.
    clock_.advanceToUs(start + byteTimeUs(count));
    return {true, count};
}

IoResult SimulatedSerialPort::read(std::uint8_t* buffer, std::size_t count) {
    if (!open_ || options_.deviceError) return {false, 0};
    if (count == 0) return {true, 0};
    const TimingProfile p = profile_.value_or(kSessionTiming);
    const std::int64_t start = clock_.nowUs();
    const std::int64_t deadline = start + static_cast<std::int64_t>(p.readTotalMs(count)) * 1000;
    const std::int64_t gap = static_cast<std::int64_t>(p.gapMs) * 1000;

    std::size_t got = 0;
    std::int64_t last = start;
    while (got < count && !incoming_.empty()) {
        const std::int64_t t = std::max(incoming_.front().atUs, start);
        if (t > deadline) break;
        if (got > 0 && t - last > gap) break;
        buffer[got++] = incoming_.front().byte;
        incoming_.pop_front();
        last = t;
    }
    std::int64_t end;
    if (got == count) end = last;
    else if (got == 0) end = deadline;
    else end = std::min(deadline, last + gap);
    clock_.advanceToUs(end);
    return {true, got};
}

void SimulatedSerialPort::close() {
    if (!open_) return;
    open_ = false;
    ++closeCount_;
    incoming_.clear();
}

}  // namespace vel

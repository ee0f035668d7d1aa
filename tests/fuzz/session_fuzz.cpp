// The read and write session fed arbitrary radio replies: every read of the
// session takes its reply from the input, every write may be refused, every
// message box is answered from it. Whatever comes, the session ends (the
// fuzzer's time limit catches one that does not), closes the port, and
// reports a completed session only when every block went across.

#include <algorithm>
#include <string>

#include "fuzz_input.h"
#include "link/programming_session.h"
#include "link/simulated_serial_port.h"

namespace {

/// A port on the virtual clock whose radio says what the input says: each
/// read takes a length byte and that many reply bytes (at most the count
/// asked); each write takes one byte whose low bits decide whether the line
/// refuses it. An exhausted input is a silent radio on a sound line.
class ScriptedRadioPort final : public vel::SerialPort {
public:
    ScriptedRadioPort(velfuzz::FuzzInput& in, vel::VirtualClock& clock) : in_(in), clock_(clock) {}

    bool open(const std::string&) override {
        if (open_) __builtin_trap();   // never opened twice
        open_ = true;
        return true;
    }
    void configure(const vel::TimingProfile& p) override { profile_ = p; }
    void purgeAll() override {}
    void purgeBuffers() override {}
    vel::IoResult write(const std::uint8_t*, std::size_t count) override {
        velfuzz::Require(open_);
        if (!in_.empty() && (in_.byte() & 0x1F) == 0x1F) return {false, 0};
        return {true, count};
    }
    vel::IoResult read(std::uint8_t* buffer, std::size_t count) override {
        velfuzz::Require(open_);
        const std::size_t n = std::min<std::size_t>(in_.byte() % (count + 2), count);
        for (std::size_t i = 0; i < n; ++i) buffer[i] = in_.byte();
        if (n < count) clock_.sleepMs(profile_.readTotalMs(count));
        return {true, n};
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }

private:
    velfuzz::FuzzInput& in_;
    vel::VirtualClock& clock_;
    vel::TimingProfile profile_ = vel::kSessionTiming;
    bool open_ = false;
};

/// A window whose user answers from the input; once it runs out, Cancel.
class ScriptedHost final : public vel::SessionHost {
public:
    explicit ScriptedHost(velfuzz::FuzzInput& in) : in_(in) {}
    void pumpOne() override {}
    bool cancelRequested() const override { return false; }
    void setDeactivationGuard(bool) override {}
    void setStatusText(const std::string&) override {}
    int progressPosition() const override { return position_; }
    void setProgressPosition(int p) override { position_ = p; }
    vel::MessageAnswer showMessage(const std::string&, vel::MessageButtons buttons) override {
        if (in_.empty()) return vel::MessageAnswer::Cancel;
        const std::uint8_t b = in_.byte();
        if (buttons == vel::MessageButtons::RetryCancel) return (b & 1) ? vel::MessageAnswer::Retry : vel::MessageAnswer::Cancel;
        return (b & 1) ? vel::MessageAnswer::Ok : vel::MessageAnswer::Cancel;
    }
    void closeProgressDialog() override {}
    void storeChannelTable(vel::Image&) override {}
    std::string dataPassword() override { return in_.text('\0'); }

private:
    velfuzz::FuzzInput& in_;
    int position_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velfuzz::FuzzInput in(data, size);
    const vel::Family& family = in.family();
    const vel::Direction direction = (in.byte() & 1) ? vel::Direction::Write : vel::Direction::Read;
    vel::Image image(static_cast<std::size_t>(family.imageSize), in.byte());

    vel::VirtualClock clock;
    ScriptedRadioPort port(in, clock);
    ScriptedHost host(in);
    vel::ProgrammingSession session(family, vel::Lang::English, port, clock, host);
    const vel::SessionResult result = session.run(direction, "COM1", image);

    velfuzz::Require(!port.isOpen());
    velfuzz::Require(image.size() == static_cast<std::size_t>(family.imageSize));
    if (result.outcome == vel::SessionOutcome::Completed) {
        const int blocks = direction == vel::Direction::Read ? family.protocol.readBlocks : family.protocol.writeBlocks;
        velfuzz::Require(result.blocksTransferred == blocks);
    }
    return 0;
}

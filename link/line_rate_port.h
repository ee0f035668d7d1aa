#pragma once
// A serial port whose writes last as long as on a 9600 baud cable. A
// pseudo-terminal takes bytes at once and its drain returns at once; on a
// cable the drain waits until the transmitter has sent the last bit. The
// simulated radio paces its own side of the line, and this decorator paces
// the computer's side, so that an exchange over a pseudo-terminal lasts as
// long as over a cable.

#include <cstdint>
#include <memory>
#include <vector>

#include "link/serial_port.h"

namespace vel {

class LineRatePort final : public SerialPort {
public:
    explicit LineRatePort(std::unique_ptr<SerialPort> inner) : inner_(std::move(inner)) {}

    bool open(const std::string& portName) override { return inner_->open(portName); }
    void configure(const TimingProfile& profile) override { inner_->configure(profile); }
    void purgeAll() override { inner_->purgeAll(); }
    void purgeBuffers() override { inner_->purgeBuffers(); }
    /// Returns once the bytes would have crossed the line, counted from the call.
    IoResult write(const std::uint8_t* data, std::size_t count) override;
    IoResult read(std::uint8_t* buffer, std::size_t count) override;
    void close() override { inner_->close(); }
    bool isOpen() const override { return inner_->isOpen(); }
    OpenFailure openFailure() const override { return inner_->openFailure(); }

    /// One write or read with its start and end on the monotonic clock.
    struct Transfer {
        char kind;   // 'w' or 'r'
        std::size_t count;
        std::int64_t startNs, endNs;
    };
    /// Records every transfer into `log` from now on (null stops it).
    void setTransferLog(std::vector<Transfer>* log) { log_ = log; }

private:
    void note(char kind, std::size_t count, std::int64_t startNs);

    std::unique_ptr<SerialPort> inner_;
    std::vector<Transfer>* log_ = nullptr;
};

}  // namespace vel

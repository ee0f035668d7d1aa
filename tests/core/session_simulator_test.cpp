// The session and the test-mode exchange against the in-process radio
// simulator, for every real family descriptor. Compiled once the simulator is
// part of the tree.

#if __has_include("link/simulated_serial_port.h")

#include <gtest/gtest.h>

#include "apps/marlowe/data_password.h"
#include "image/encodings.h"
#include "link/programming_session.h"
#include "link/simulated_serial_port.h"
#include "scripted_link.h"
#include "testmode/test_mode_exchange.h"

namespace vel {
namespace {

struct SimulatorRig {
    explicit SimulatorRig(const Family& f) : family(f), radio(f), port(radio, clock, SimulatedPortOptions{true}) {
        image.assign(static_cast<std::size_t>(f.imageSize), 0xEE);
    }
    SessionResult run(Direction d) {
        ProgrammingSession session(family, Lang::English, port, clock, host);
        const SessionResult r = session.run(d, "COM1", image);
        EXPECT_FALSE(port.isOpen());
        EXPECT_EQ(port.openCount(), port.closeCount());
        return r;
    }

    const Family& family;
    VirtualClock clock;
    RadioSimulator radio;
    SimulatedSerialPort port;
    fake::Log hostLog;
    fake::VirtualClock hostClock{hostLog};
    fake::FakeHost host{hostLog, hostClock};
    Image image;
};

class SessionOnSimulator : public ::testing::TestWithParam<const Family*> {};

TEST_P(SessionOnSimulator, ReadThenWriteBackMovesExactlyTheFamilysRanges) {
    const Family& f = *GetParam();
    const auto readBytes = static_cast<std::size_t>(f.protocol.readBytes());
    const auto writeBytes = static_cast<std::size_t>(f.protocol.writeBytes());

    SimulatorRig rig(f);
    Image& radio = rig.radio.memory();
    for (std::size_t i = 0; i < radio.size(); ++i) radio[i] = static_cast<Byte>((i * 13 + 1) & 0xFF);
    if (f.protocol.dataPasswordCheck) {
        StoreDataPassword("4711", radio);
        rig.host.password = "4711";
    }
    const Image radioBefore = radio;
    ASSERT_EQ(rig.run(Direction::Read).outcome, SessionOutcome::Completed) << rig.host.messages.size();
    for (std::size_t i = 0; i < rig.image.size(); ++i) {
        ASSERT_EQ(rig.image[i], i < readBytes ? radio[i] : 0xEE) << f.name << " byte " << i;
    }

    // Change every byte of the image but the radio type and write it back.
    const auto typeAddress = static_cast<std::size_t>(f.protocol.typeByteAddress);
    for (std::size_t i = 0; i < rig.image.size(); ++i) {
        if (i != typeAddress) rig.image[i] ^= 0xA5;
    }
    ASSERT_EQ(rig.run(Direction::Write).outcome, SessionOutcome::Completed);
    for (std::size_t i = 0; i < radio.size(); ++i) {
        ASSERT_EQ(radio[i], i < writeBytes ? rig.image[i] : radioBefore[i]) << f.name << " radio byte " << i;
    }
    EXPECT_EQ(rig.radio.countFrames(FrameKind::ReadRequest), static_cast<std::size_t>(f.protocol.readBlocks));
    EXPECT_EQ(rig.radio.countFrames(FrameKind::WriteRequest), static_cast<std::size_t>(f.protocol.writeBlocks));
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST_P(SessionOnSimulator, TypeMismatchAcceptedRunsTheHandshakeTwice) {
    const Family& f = *GetParam();
    SimulatorRig rig(f);
    rig.radio.setTypeByte(0x12);
    rig.image[static_cast<std::size_t>(f.protocol.typeByteAddress)] = 0x13;
    rig.host.answers = {MessageAnswer::Ok};
    EXPECT_EQ(rig.run(Direction::Write).outcome, SessionOutcome::Completed);
    EXPECT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.radio.countFrames(FrameKind::WakeUp), 2u);
    EXPECT_EQ(rig.radio.countFrames(FrameKind::Identification), 2u);
}

TEST_P(SessionOnSimulator, SilentRadioGetsFifteenAttemptsThenTheBox) {
    SimulatorRig rig(*GetParam());
    SimulatorFaults faults;
    faults.silent = true;
    rig.radio.setFaults(faults);
    EXPECT_EQ(rig.run(Direction::Read).outcome, SessionOutcome::Failed);
    EXPECT_EQ(rig.radio.countFrames(FrameKind::WakeUp), 15u);
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0].buttons, MessageButtons::RetryCancel);
}

// A USB-serial adapter that holds the radio's bytes until its 16 ms latency
// timer ticks: answers come late and in parts, and every session still goes
// through, with the same bytes.
TEST_P(SessionOnSimulator, HoldsWithAnAdapterLatency) {
    const Family& f = *GetParam();
    SimulatorRig rig(f);
    SimulatorFaults faults;
    std::string error;
    ASSERT_TRUE(ParseSimulatorFaults("rx-latency=16", faults, error)) << error;
    rig.radio.setFaults(faults);
    Image& radio = rig.radio.memory();
    for (std::size_t i = 0; i < radio.size(); ++i) radio[i] = static_cast<Byte>((i * 7 + 3) & 0xFF);
    for (std::size_t i = 0; i < 6; ++i) radio[i] = 0xFF;   // no data password
    const Image radioBefore = radio;
    const auto readBytes = static_cast<std::size_t>(f.protocol.readBytes());

    const std::int64_t start = rig.clock.nowUs();
    ASSERT_EQ(rig.run(Direction::Read).outcome, SessionOutcome::Completed);
    EXPECT_TRUE(std::equal(radioBefore.begin(), radioBefore.begin() + static_cast<std::ptrdiff_t>(readBytes),
                           rig.image.begin()));
    // Each block waits for the timer twice (its reply and the acknowledgement).
    EXPECT_GT(rig.clock.nowUs() - start, static_cast<std::int64_t>(f.protocol.readBlocks) * 20000 * 2);

    for (std::size_t i = 0; i < rig.image.size(); ++i) rig.image[i] ^= 0x3C;
    rig.image[static_cast<std::size_t>(f.protocol.typeByteAddress)] = radio[static_cast<std::size_t>(f.protocol.typeByteAddress)];
    ASSERT_EQ(rig.run(Direction::Write).outcome, SessionOutcome::Completed);
    const auto writeBytes = static_cast<std::size_t>(f.protocol.writeBytes());
    EXPECT_TRUE(std::equal(rig.image.begin(), rig.image.begin() + static_cast<std::ptrdiff_t>(writeBytes), radio.begin()));
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST_P(SessionOnSimulator, TestModeSettingReachesTheRadio) {
    const Family& f = *GetParam();
    SimulatorRig rig(f);
    const int base = TestModeBaseMHz(f, "136 - 174MHz");
    TestModeRequest request;
    request.itemCode = 5;
    request.value = 47;
    request.rxFrequencyText = FormatMHz(static_cast<std::int64_t>(base + 10) * 100000);
    request.txFrequencyText = FormatMHz(RoundTestFrequency(std::to_string(base) + ".00313", base, TestStep::KHz625));
    request.rxToneText = "88.5";
    request.txToneText = "D023N";
    EXPECT_EQ(RunTestModeExchange(f, Lang::English, rig.port, rig.clock, rig.host, "COM1", request),
              TestModeOutcome::Completed);
    const auto settings = rig.radio.lastTestMode();
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(settings->commandByte, 0x74);
    EXPECT_EQ(settings->value(), 47);
    const Byte tensOfMHz = static_cast<Byte>(((base / 100) << 4) | (base / 10 % 10));
    EXPECT_EQ(settings->frequencyFrame[3], base == 450 ? 0x46 : 0x14) << "receive at F + 10 MHz";
    EXPECT_EQ(settings->frequencyFrame[4], 0x25) << "transmit rounded up to 625";
    EXPECT_EQ(settings->frequencyFrame[7], tensOfMHz);
    EXPECT_EQ(settings->parameterFrame[0], 0x85);
    EXPECT_EQ(settings->parameterFrame[2], 0x00);
    EXPECT_EQ(rig.host.pumps, 0);
    EXPECT_FALSE(rig.port.isOpen());
}

INSTANTIATE_TEST_SUITE_P(Families, SessionOnSimulator, ::testing::ValuesIn(AllFamilies()),
                         [](const auto& info) { return info.param->name; });

}  // namespace
}  // namespace vel

#endif  // simulator present

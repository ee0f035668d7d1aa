#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#endif

#include <chrono>
#include <string>
#include <vector>

#include "image/family.h"
#include "link/radio_simulator.h"
#include "link/radio_simulator_pty.h"
#include "link/simulated_serial_port.h"

namespace vel {
namespace {

using Bytes = std::vector<Byte>;

const Bytes kWakeUp{0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41};

// The computer's side of a scripted exchange over the in-process port.
struct Computer {
    RadioSimulator radio;
    VirtualClock clock;
    SimulatedSerialPort port;

    explicit Computer(int size = 1024, int typeAddr = 0x3D3, SimulatedPortOptions options = {})
        : radio(size, typeAddr), port(radio, clock, options) {
        port.open("COM1");
        port.configure(kSessionTiming);
    }
    Computer(const Family& family, SimulatedPortOptions options) : radio(family), port(radio, clock, options) {
        port.open("COM1");
        port.configure(kSessionTiming);
    }

    void send(const Bytes& b) { port.write(b.data(), b.size()); }
    Bytes receive(std::size_t n) {
        Bytes buf(n);
        const IoResult r = port.read(buf.data(), n);
        buf.resize(r.count);
        return buf;
    }
    Bytes exchange(const Bytes& request, std::size_t replyLength) {
        send(request);
        return receive(replyLength);
    }
    // The wake-up as the session sends it: a pause and a purge before each byte.
    Bytes wakeUp() {
        port.purgeAll();
        for (Byte b : kWakeUp) {
            clock.sleepMs(1);
            port.purgeBuffers();
            send({b});
        }
        return receive(1);
    }
    // Wake-up, identification and acknowledgement; true when all were answered.
    bool handshake() {
        if (wakeUp() != Bytes{0x06}) return false;
        if (exchange({'M', 0x02}, 8).size() != 8) return false;
        return exchange({0x06}, 1) == Bytes{0x06};
    }
    Bytes readBlock(int addr) {
        return exchange({'R', static_cast<Byte>(addr >> 8), static_cast<Byte>(addr & 0xFF), 8}, 12);
    }
    Bytes writeBlock(int addr, const Bytes& data) {
        send({'W', static_cast<Byte>(addr >> 8), static_cast<Byte>(addr & 0xFF), 8});
        send(data);
        return receive(1);
    }
};

Image Pattern(int size, int seed = 0) {
    Image img(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) img[i] = static_cast<Byte>((i * 7 + i / 256 + seed * 13) & 0xFF);
    return img;
}

// ---------------------------------------------------------------------------
// The radio's answers
// ---------------------------------------------------------------------------

TEST(RadioSimulator, HandshakeAnswersEachStep) {
    Computer c;
    EXPECT_EQ(c.wakeUp(), Bytes{0x06});
    EXPECT_EQ(c.radio.phase(), RadioSimulator::Phase::Awake);
    const Bytes id = c.exchange({'M', 0x02}, 8);
    ASSERT_EQ(id.size(), 8u);
    EXPECT_EQ(c.radio.phase(), RadioSimulator::Phase::Identified);
    EXPECT_EQ(c.exchange({0x06}, 1), Bytes{0x06});
    EXPECT_EQ(c.radio.phase(), RadioSimulator::Phase::Ready);
    EXPECT_EQ(c.radio.countFrames(FrameKind::WakeUp), 1u);
    EXPECT_EQ(c.radio.countFrames(FrameKind::Identification), 1u);
    EXPECT_EQ(c.radio.countFrames(FrameKind::Acknowledgement), 1u);
    EXPECT_EQ(c.radio.countFrames(FrameKind::Stray), 0u);
}

struct TypeCase {
    const char* name;
    int size;
    int typeAddr;
    std::optional<Byte> memoryByte;   // written at typeAddr
    std::optional<Byte> configured;
    Byte reported;
};

// Test names in ctest show the case, not its bytes.
void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.name; }

class IdentificationType : public ::testing::TestWithParam<TypeCase> {};

TEST_P(IdentificationType, ByteFourIsTheTypeByte) {
    const TypeCase t = GetParam();
    Computer c(t.size, t.typeAddr);
    if (t.memoryByte) c.radio.memory()[t.typeAddr] = *t.memoryByte;
    c.radio.setTypeByte(t.configured);
    ASSERT_EQ(c.wakeUp(), Bytes{0x06});
    const Bytes id = c.exchange({'M', 0x02}, 8);
    ASSERT_EQ(id.size(), 8u);
    EXPECT_EQ(id[4], t.reported);
}

INSTANTIATE_TEST_SUITE_P(
    Families, IdentificationType,
    ::testing::Values(TypeCase{"VelmarFromMemory", 4096, 0x081B, Byte{0x3A}, std::nullopt, 0x3A},
                      TypeCase{"VelmarEmptyMemory", 4096, 0x081B, std::nullopt, std::nullopt, 0xFF},
                      TypeCase{"Ch128FromMemory", 3168, 0x081B, Byte{0x01}, std::nullopt, 0x01},
                      TypeCase{"Ch118FromMemory", 2048, 0x07DB, Byte{0x50}, std::nullopt, 0x50},
                      TypeCase{"SixteenFromMemory", 1024, 0x03D3, Byte{0x00}, std::nullopt, 0x00},
                      TypeCase{"ConfiguredWins", 1024, 0x03D3, Byte{0x00}, Byte{0x38}, 0x38},
                      TypeCase{"ConfiguredWildcard", 4096, 0x081B, Byte{0x39}, Byte{0xFF}, 0xFF}),
    [](const auto& info) { return std::string(info.param.name); });

struct BlockCase {
    const char* name;
    int size;
    int addr;
};

// Test names in ctest show the case, not its bytes.
void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }

class BlockRequests : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlockRequests, ReadReplyCarriesTheBlockAfterFourLeadingBytes) {
    const BlockCase b = GetParam();
    Computer c(b.size);
    c.radio.loadMemory(Pattern(b.size));
    ASSERT_TRUE(c.handshake());
    const Bytes reply = c.readBlock(b.addr);
    ASSERT_EQ(reply.size(), 12u);
    EXPECT_EQ(reply[0], 'W');
    EXPECT_EQ(reply[1], b.addr >> 8);
    EXPECT_EQ(reply[2], b.addr & 0xFF);
    EXPECT_EQ(reply[3], 8);
    for (int i = 0; i < 8; ++i) {
        const Byte expected = b.addr + i < b.size ? Pattern(b.size)[b.addr + i] : Byte{0xFF};
        EXPECT_EQ(reply[4 + i], expected) << "data byte " << i;
    }
    EXPECT_EQ(c.exchange({0x06}, 1), Bytes{0x06});
}

TEST_P(BlockRequests, WriteStoresEightBytesAndNothingElse) {
    const BlockCase b = GetParam();
    Computer c(b.size);
    ASSERT_TRUE(c.handshake());
    const Bytes data{0x10, 0x21, 0x32, 0x43, 0x54, 0x65, 0x76, 0x87};
    EXPECT_EQ(c.writeBlock(b.addr, data), Bytes{0x06});
    ASSERT_EQ(c.radio.memory().size(), static_cast<std::size_t>(b.size));
    for (int i = 0; i < b.size; ++i) {
        if (i >= b.addr && i < b.addr + 8)
            EXPECT_EQ(c.radio.memory()[i], data[i - b.addr]) << "byte " << i;
        else
            EXPECT_EQ(c.radio.memory()[i], 0xFF) << "neighbour byte " << i << " changed";
    }
}

INSTANTIATE_TEST_SUITE_P(Addresses, BlockRequests,
                         ::testing::Values(BlockCase{"First", 4096, 0x0000}, BlockCase{"Middle", 4096, 0x0818},
                                           BlockCase{"LastWrittenVelmar", 4096, 0x0FD8},
                                           BlockCase{"LastRowCh128", 3168, 0x0C48},
                                           BlockCase{"LastCh118", 2048, 0x07F8},
                                           BlockCase{"LastSixteen", 1024, 0x03F8},
                                           BlockCase{"StraddlesTheEnd", 1024, 0x03FC},
                                           BlockCase{"PastTheEnd", 1024, 0x0400}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RadioSimulator, BlockRequestsBeforeTheHandshakeAreIgnored) {
    Computer c;
    EXPECT_TRUE(c.readBlock(0).empty());
    EXPECT_TRUE(c.writeBlock(0, Bytes(8, 0x00)).empty());
    EXPECT_EQ(c.radio.memory(), Image(1024, 0xFF));
    EXPECT_EQ(c.radio.countFrames(FrameKind::ReadRequest), 0u);
    EXPECT_EQ(c.radio.countFrames(FrameKind::WriteRequest), 0u);
}

TEST(RadioSimulator, AWakeUpFrameRestartsTheConversation) {
    Computer c;
    ASSERT_TRUE(c.handshake());
    ASSERT_EQ(c.readBlock(0).size(), 12u);
    // The next session starts while the radio still waits for the acknowledgement.
    EXPECT_TRUE(c.handshake());
    EXPECT_EQ(c.readBlock(8).size(), 12u);
}

TEST(RadioSimulator, ABrokenWakeUpIsNotAcknowledged) {
    Computer c;
    // 0x02 'P' 'R' then a wrong byte: no acknowledgement.
    EXPECT_TRUE(c.exchange({0x02, 0x50, 0x52, 0x00}, 1).empty());
    // A broken frame followed at once by a whole one: the whole one counts.
    c.send({0x02, 0x50, 0x52, 0x02, 0x50, 0x52});
    EXPECT_EQ(c.exchange({0x4F, 0x47, 0x52, 0x41}, 1), Bytes{0x06});
    EXPECT_EQ(c.radio.countFrames(FrameKind::WakeUp), 1u);
    // A frame whose bytes stall longer than the radio waits is dropped.
    c.send({0x02, 0x50, 0x52});
    c.clock.sleepMs(400);
    EXPECT_TRUE(c.exchange({0x4F, 0x47, 0x52, 0x41}, 1).empty());
}

TEST(RadioSimulator, WriteFrameDataMayHoldFrameBytes) {
    // Data bytes that look like a wake-up or a request are data.
    Computer c;
    ASSERT_TRUE(c.handshake());
    const Bytes data{0x02, 'R', 'W', 0x06, 'x', 'M', 0x02, 0x08};
    EXPECT_EQ(c.writeBlock(0x10, data), Bytes{0x06});
    EXPECT_EQ(Bytes(c.radio.memory().begin() + 0x10, c.radio.memory().begin() + 0x18), data);
    EXPECT_EQ(c.readBlock(0x10).size(), 12u);
}

TEST(RadioSimulator, RecordsEveryFrameInOrder) {
    Computer c;
    ASSERT_TRUE(c.handshake());
    c.readBlock(0x20);
    c.exchange({0x06}, 1);
    c.writeBlock(0x28, Bytes(8, 0x11));
    const auto& f = c.radio.frames();
    ASSERT_EQ(f.size(), 6u);
    EXPECT_EQ(f[0].kind, FrameKind::WakeUp);
    EXPECT_EQ(f[1].kind, FrameKind::Identification);
    EXPECT_EQ(f[2].kind, FrameKind::Acknowledgement);
    EXPECT_EQ(f[3].kind, FrameKind::ReadRequest);
    EXPECT_EQ(f[3].address(), 0x20);
    EXPECT_EQ(f[4].kind, FrameKind::Acknowledgement);
    EXPECT_EQ(f[5].kind, FrameKind::WriteRequest);
    EXPECT_EQ(f[5].address(), 0x28);
    EXPECT_EQ(f[5].bytes.size(), 12u);
    // The port keeps each write call as it was made: seven single-byte wake-up writes first.
    ASSERT_GE(c.port.writes().size(), 7u);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(c.port.writes()[i].bytes, Bytes{kWakeUp[i]});
}

// ---------------------------------------------------------------------------
// The same contract for every family
// ---------------------------------------------------------------------------

class SimulatorFamily : public ::testing::TestWithParam<const Family*> {};

TEST_P(SimulatorFamily, HasTheFamilysMemoryAndTypeAddress) {
    const Family& family = *GetParam();
    RadioSimulator radio(family);
    EXPECT_EQ(radio.memory(), Image(static_cast<std::size_t>(family.imageSize), 0xFF));
    EXPECT_EQ(radio.typeByteAddress(), family.protocol.typeByteAddress);
    radio.memory()[family.protocol.typeByteAddress] = 0x42;
    EXPECT_EQ(radio.identification()[4], 0x42);
}

TEST_P(SimulatorFamily, ServesAFullReadAndWriteAtLineRate) {
    const Family& family = *GetParam();
    const int readBlocks = family.protocol.readBlocks;
    const int writeBlocks = family.protocol.writeBlocks;
    Computer c(family, SimulatedPortOptions{true, false, false});
    c.radio.setReplyLatencyUs(0);
    const Image before = Pattern(family.imageSize);
    c.radio.loadMemory(before);
    ASSERT_TRUE(c.handshake());

    const std::int64_t start = c.clock.nowUs();
    for (int k = 0; k < readBlocks; ++k) {
        const Bytes reply = c.readBlock(8 * k);
        ASSERT_EQ(reply.size(), 12u) << "block " << k;
        ASSERT_EQ(Bytes(reply.begin() + 4, reply.end()), Bytes(before.begin() + 8 * k, before.begin() + 8 * k + 8))
            << "block " << k;
        ASSERT_EQ(c.exchange({0x06}, 1), Bytes{0x06});
    }
    // With no pauses of its own the script takes exactly the line time of
    // 4 + 12 + 1 + 1 bytes a block (each transfer rounds to the microsecond).
    const double lineUs = readBlocks * 18 * kByteTimeUs9600;
    EXPECT_NEAR(static_cast<double>(c.clock.nowUs() - start), lineUs, readBlocks * 4.0);

    const Image sent = Pattern(family.imageSize, 1);
    for (int k = 0; k < writeBlocks; ++k)
        ASSERT_EQ(c.writeBlock(8 * k, Bytes(sent.begin() + 8 * k, sent.begin() + 8 * k + 8)), Bytes{0x06});
    const Image& after = c.radio.memory();
    for (int i = 0; i < family.imageSize; ++i)
        ASSERT_EQ(after[i], i < 8 * writeBlocks ? sent[i] : before[i]) << "byte " << i;
    EXPECT_EQ(c.radio.countFrames(FrameKind::ReadRequest), static_cast<std::size_t>(readBlocks));
    EXPECT_EQ(c.radio.countFrames(FrameKind::WriteRequest), static_cast<std::size_t>(writeBlocks));
    EXPECT_EQ(c.radio.countFrames(FrameKind::Stray), 0u);
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, SimulatorFamily, ::testing::ValuesIn(AllFamilies()),
                         [](const auto& info) { return info.param->name; });

// ---------------------------------------------------------------------------
// Test mode
// ---------------------------------------------------------------------------

TEST(RadioSimulator, TestModeAnswersHAndKeepsTheSettings) {
    Computer c;
    c.port.configure(kTestModeTiming);
    ASSERT_TRUE(c.handshake());
    EXPECT_TRUE(c.exchange({0x78}, 1).empty());
    EXPECT_TRUE(c.exchange({0x73}, 1).empty());
    EXPECT_EQ(c.exchange({0x73, 0x08}, 1), Bytes{'H'});
    const Bytes freq{0x00, 0x25, 0x51, 0x14, 0x00, 0x50, 0x51, 0x14};
    EXPECT_EQ(c.exchange(freq, 1), Bytes{'H'});
    const Bytes param{0x85, 0x08, 0x00, 0x00, 0xFB, 0x01, 0x01, 160};
    EXPECT_EQ(c.exchange(param, 1), Bytes{'H'});
    const auto s = c.radio.lastTestMode();
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->commandByte, 0x73);
    EXPECT_EQ(Bytes(s->frequencyFrame.begin(), s->frequencyFrame.end()), freq);
    EXPECT_EQ(Bytes(s->parameterFrame.begin(), s->parameterFrame.end()), param);
    EXPECT_EQ(s->value(), 160);
}

TEST(RadioSimulator, AWrongItemSelectionGetsNoAnswer) {
    Computer c;
    c.port.configure(kTestModeTiming);
    ASSERT_TRUE(c.handshake());
    c.exchange({0x78}, 1);
    c.send({0x71});
    EXPECT_TRUE(c.exchange({0x72, 0x08}, 1).empty());
    EXPECT_FALSE(c.radio.lastTestMode().has_value());
    // A fresh attempt is served.
    EXPECT_EQ(c.wakeUp(), Bytes{0x06});
}

TEST(RadioSimulator, AStalledTestModeExchangeFallsBackToWaitingForAWakeUp) {
    Computer c;
    c.port.configure(kTestModeTiming);
    ASSERT_TRUE(c.handshake());
    c.exchange({0x78}, 1);
    EXPECT_EQ(c.exchange({0x74, 0x74, 0x08}, 1), Bytes{'H'});
    // No frequency frame comes; the computer retries after its 700 ms pause.
    c.clock.sleepMs(700);
    EXPECT_EQ(c.wakeUp(), Bytes{0x06});
    EXPECT_FALSE(c.radio.lastTestMode().has_value());
}

// ---------------------------------------------------------------------------
// Faults
// ---------------------------------------------------------------------------

TEST(RadioSimulatorFaults, SilentRadioAnswersNothing) {
    Computer c;
    SimulatorFaults f;
    f.silent = true;
    c.radio.setFaults(f);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(c.wakeUp().empty());
    EXPECT_TRUE(c.exchange({'M', 0x02}, 8).empty());
    EXPECT_EQ(c.radio.countFrames(FrameKind::WakeUp), 3u);
}

TEST(RadioSimulatorFaults, WakeUpAcknowledgedOnlyAfterIgnoredAttempts) {
    Computer c;
    SimulatorFaults f;
    f.ignoredWakeups = 2;
    c.radio.setFaults(f);
    EXPECT_TRUE(c.wakeUp().empty());
    EXPECT_TRUE(c.wakeUp().empty());
    EXPECT_EQ(c.wakeUp(), Bytes{0x06});
    EXPECT_EQ(c.wakeUp(), Bytes{0x06});
}

TEST(RadioSimulatorFaults, WrongFirstAcknowledgementThenRecovers) {
    Computer c;
    SimulatorFaults f;
    f.wrongFirstAcks = 1;
    f.wrongAckByte = 0x15;
    c.radio.setFaults(f);
    ASSERT_EQ(c.wakeUp(), Bytes{0x06});
    ASSERT_EQ(c.exchange({'M', 0x02}, 8).size(), 8u);
    EXPECT_EQ(c.exchange({0x06}, 1), Bytes{0x15});
    EXPECT_TRUE(c.readBlock(0).empty()) << "no block service without a good handshake";
    EXPECT_TRUE(c.handshake());
    EXPECT_EQ(c.readBlock(0).size(), 12u);
}

class ShortRead : public ::testing::TestWithParam<int> {};

TEST_P(ShortRead, OnlyTheFaultyAddressIsCut) {
    const int k = GetParam();
    Computer c;
    SimulatorFaults f;
    f.shortReadAddress = 0x40;
    f.shortReadBytes = k;
    c.radio.setFaults(f);
    ASSERT_TRUE(c.handshake());
    EXPECT_EQ(c.readBlock(0x38).size(), 12u);
    c.exchange({0x06}, 1);
    EXPECT_EQ(c.readBlock(0x40).size(), static_cast<std::size_t>(k));
    c.exchange({0x06}, 1);
    EXPECT_EQ(c.readBlock(0x48).size(), 12u);
}

INSTANTIATE_TEST_SUITE_P(Lengths, ShortRead, ::testing::Values(0, 1, 9, 10, 11));

TEST(RadioSimulatorFaults, NoAcknowledgementAfterTheFaultyBlock) {
    Computer c;
    SimulatorFaults f;
    f.noAckAfterBlockAddress = 0x10;
    c.radio.setFaults(f);
    ASSERT_TRUE(c.handshake());
    ASSERT_EQ(c.readBlock(0x08).size(), 12u);
    EXPECT_EQ(c.exchange({0x06}, 1), Bytes{0x06});
    ASSERT_EQ(c.readBlock(0x10).size(), 12u);
    EXPECT_TRUE(c.exchange({0x06}, 1).empty());
    EXPECT_EQ(c.writeBlock(0x08, Bytes(8, 1)), Bytes{0x06});
    EXPECT_TRUE(c.writeBlock(0x10, Bytes(8, 2)).empty());
}

TEST(RadioSimulatorFaults, VanishesAfterNBlocksAndStaysAway) {
    Computer c;
    SimulatorFaults f;
    f.vanishAfterBlocks = 3;
    c.radio.setFaults(f);
    ASSERT_TRUE(c.handshake());
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(c.readBlock(8 * k).size(), 12u) << "block " << k;
        EXPECT_EQ(c.exchange({0x06}, 1), Bytes{0x06});
    }
    EXPECT_TRUE(c.writeBlock(24, Bytes(8, 0)).empty());
    EXPECT_TRUE(c.radio.vanished());
    EXPECT_EQ(c.radio.memory()[24], 0xFF) << "a vanished radio stores nothing";
    EXPECT_TRUE(c.wakeUp().empty());
    // Switching the faults brings the radio back.
    c.radio.setFaults({});
    EXPECT_TRUE(c.handshake());
}

TEST(RadioSimulatorFaults, BadStoreKeepsAnotherByteAndStillAcknowledges) {
    for (const std::optional<Byte> value : {std::optional<Byte>{}, std::optional<Byte>{0xFF}}) {
        Computer c;
        SimulatorFaults f;
        f.badStoreAddress = 0x0B;
        f.badStoreValue = value;
        c.radio.setFaults(f);
        ASSERT_TRUE(c.handshake());
        EXPECT_EQ(c.writeBlock(0x08, Bytes{1, 2, 3, 0x40, 5, 6, 7, 8}), Bytes{0x06});
        EXPECT_EQ(c.writeBlock(0x10, Bytes{9, 9, 9, 9, 9, 9, 9, 9}), Bytes{0x06});
        const Image& m = c.radio.memory();
        EXPECT_EQ(Bytes(m.begin() + 0x08, m.begin() + 0x10),
                  (Bytes{1, 2, 3, value ? *value : Byte{0x41}, 5, 6, 7, 8}));
        EXPECT_EQ(Bytes(m.begin() + 0x10, m.begin() + 0x18), Bytes(8, 9)) << "only the one byte is wrong";
    }
}

class ShortIdentification : public ::testing::TestWithParam<int> {};

TEST_P(ShortIdentification, CutsTheReply) {
    Computer c;
    SimulatorFaults f;
    f.shortIdentificationBytes = GetParam();
    c.radio.setFaults(f);
    ASSERT_EQ(c.wakeUp(), Bytes{0x06});
    EXPECT_EQ(c.exchange({'M', 0x02}, 8).size(), static_cast<std::size_t>(GetParam()));
    EXPECT_EQ(c.exchange({0x06}, 1), Bytes{0x06});
}

INSTANTIATE_TEST_SUITE_P(Lengths, ShortIdentification, ::testing::Values(0, 3, 4, 5, 7));

struct FaultTextCase {
    const char* text;
    bool ok;
};

// Test names in ctest show the case, not its bytes.
void PrintTo(const FaultTextCase& c, std::ostream* os) { *os << c.text; }

class FaultText : public ::testing::TestWithParam<FaultTextCase> {};

TEST_P(FaultText, ParsesOrExplains) {
    SimulatorFaults f;
    std::string error;
    EXPECT_EQ(ParseSimulatorFaults(GetParam().text, f, error), GetParam().ok) << error;
    if (!GetParam().ok) {
        EXPECT_FALSE(error.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, FaultText,
                         ::testing::Values(FaultTextCase{"silent", true}, FaultTextCase{"ignore-wakeups=3", true},
                                           FaultTextCase{"wrong-ack", true}, FaultTextCase{"wrong-ack=2", true},
                                           FaultTextCase{"short-read=0x40:9", true},
                                           FaultTextCase{"short-read=64", true}, FaultTextCase{"no-ack=0x3F8", true},
                                           FaultTextCase{"vanish=12", true}, FaultTextCase{"short-id=3", true},
                                           FaultTextCase{"vanish=2,short-id=4", true}, FaultTextCase{"", true},
                                           FaultTextCase{"bad-store=0xB9", true},
                                           FaultTextCase{"bad-store=0xB9:0xFF", true},
                                           FaultTextCase{"bad-store", false}, FaultTextCase{"bad-store=1:256", false},
                                           FaultTextCase{"loud", false}, FaultTextCase{"vanish", false},
                                           FaultTextCase{"vanish=x", false}, FaultTextCase{"short-id=9", false},
                                           FaultTextCase{"short-read=0x40:13", false},
                                           FaultTextCase{"no-ack=0x10000", false},
                                           FaultTextCase{"silent=1", false}));

TEST(FaultTextValues, SetTheFields) {
    SimulatorFaults f;
    std::string error;
    ASSERT_TRUE(ParseSimulatorFaults(
        "short-read=0x40:10,no-ack=24,vanish=5,ignore-wakeups=2,wrong-ack=3,bad-store=0xB9:0xFF", f, error));
    EXPECT_EQ(f.badStoreAddress, 0xB9);
    EXPECT_EQ(f.badStoreValue, Byte{0xFF});
    EXPECT_EQ(f.shortReadAddress, 0x40);
    EXPECT_EQ(f.shortReadBytes, 10);
    EXPECT_EQ(f.noAckAfterBlockAddress, 24);
    EXPECT_EQ(f.vanishAfterBlocks, 5);
    EXPECT_EQ(f.ignoredWakeups, 2);
    EXPECT_EQ(f.wrongFirstAcks, 3);
    EXPECT_FALSE(f.silent);
}

// ---------------------------------------------------------------------------
// The in-process port: read rule, purges and line timing in virtual time
// ---------------------------------------------------------------------------

struct ReadRuleCase {
    const char* name;
    TimingProfile profile;
    std::size_t request;
    std::optional<int> replyBytes;   // a read reply cut to this many bytes; none = radio silent
    bool lineTiming;
    std::size_t expectCount;
    std::int64_t expectElapsedUs;    // from the read call to its return
};

// Test names in ctest show the case, not its bytes.
void PrintTo(const ReadRuleCase& c, std::ostream* os) { *os << c.name; }

class ReadRule : public ::testing::TestWithParam<ReadRuleCase> {};

TEST_P(ReadRule, ReturnsByCountGapOrTotal) {
    const ReadRuleCase t = GetParam();
    Computer c(1024, 0x3D3, SimulatedPortOptions{t.lineTiming, false, false});
    c.radio.setReplyLatencyUs(0);
    ASSERT_TRUE(c.handshake());
    c.port.configure(t.profile);
    if (t.replyBytes) {
        SimulatorFaults f;
        f.shortReadAddress = 0;
        f.shortReadBytes = *t.replyBytes;
        c.radio.setFaults(f);
    } else {
        SimulatorFaults f;
        f.vanishAfterBlocks = 0;   // the request goes unanswered
        c.radio.setFaults(f);
    }
    c.send({'R', 0, 0, 8});
    const std::int64_t start = c.clock.nowUs();
    Bytes buf(t.request);
    const IoResult r = c.port.read(buf.data(), t.request);
    EXPECT_TRUE(r.ok) << "running out of time is not a failure";
    EXPECT_EQ(r.count, t.expectCount);
    EXPECT_EQ(c.clock.nowUs() - start, t.expectElapsedUs);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, ReadRule,
    ::testing::Values(
        // Nobody answers: the whole total passes.
        ReadRuleCase{"SessionOneByteSilent", kSessionTiming, 1, std::nullopt, false, 0, 590000},
        ReadRuleCase{"SessionEightSilent", kSessionTiming, 8, std::nullopt, false, 0, 4090000},
        ReadRuleCase{"SessionTwelveSilent", kSessionTiming, 12, std::nullopt, false, 0, 6090000},
        ReadRuleCase{"TestModeOneByteSilent", kTestModeTiming, 1, std::nullopt, false, 0, 100000},
        ReadRuleCase{"TestModeEightSilent", kTestModeTiming, 8, std::nullopt, false, 0, 450000},
        // Instant bytes: the count is reached at once; a short reply ends one gap later.
        ReadRuleCase{"InstantFull", kSessionTiming, 12, 12, false, 12, 0},
        ReadRuleCase{"InstantTenOfTwelve", kSessionTiming, 12, 10, false, 10, 30000},
        ReadRuleCase{"InstantTenOfTwelveTestMode", kTestModeTiming, 12, 10, false, 10, 10000},
        // At 9600 baud: byte k is complete k x 1041.67 us after the start.
        ReadRuleCase{"PacedFull", kSessionTiming, 12, 12, true, 12, 12500},
        ReadRuleCase{"PacedTenOfTwelve", kSessionTiming, 12, 10, true, 10, 10417 + 30000},
        ReadRuleCase{"PacedFewerThanAsked", kSessionTiming, 4, 12, true, 4, 4167}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimulatedPort, PurgeDiscardsArrivedRepliesOnly) {
    // A reply that is still on its way survives a purge; one that has arrived does not.
    for (const std::int64_t latency : {std::int64_t{0}, std::int64_t{5000}}) {
        Computer c;
        c.radio.setReplyLatencyUs(latency);
        c.port.purgeAll();
        for (Byte b : kWakeUp) {
            c.send({b});
            c.clock.sleepMs(1);   // the test mode's order: write, pause, then purge
            c.port.purgeBuffers();
        }
        const Bytes got = c.receive(1);
        if (latency > 1000)
            EXPECT_EQ(got, Bytes{0x06}) << "latency " << latency;
        else
            EXPECT_TRUE(got.empty()) << "latency " << latency;
    }
}

TEST(SimulatedPort, ReplyComesAfterTheLatency) {
    for (const std::int64_t latency : {std::int64_t{0}, std::int64_t{3000}, std::int64_t{50000}}) {
        Computer c;
        c.radio.setReplyLatencyUs(latency);
        ASSERT_TRUE(c.handshake());
        c.send({'R', 0, 0, 8});
        const std::int64_t sent = c.clock.nowUs();
        EXPECT_EQ(c.receive(12).size(), 12u);
        EXPECT_EQ(c.clock.nowUs() - sent, latency);
    }
}

TEST(SimulatedPort, WritesTakeTheirLineTime) {
    Computer c(1024, 0x3D3, SimulatedPortOptions{true, false, false});
    const std::int64_t start = c.clock.nowUs();
    c.send(Bytes(12, 0x00));
    EXPECT_EQ(c.clock.nowUs() - start, 12500);
}

TEST(SimulatedPort, OpenFailureAndDeviceError) {
    RadioSimulator radio(1024, 0x3D3);
    VirtualClock clock;
    SimulatedSerialPort port(radio, clock, SimulatedPortOptions{false, true, false});
    EXPECT_FALSE(port.open("COM3"));
    EXPECT_EQ(port.openedName(), "COM3");
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(port.writes().empty());

    port.setOptions(SimulatedPortOptions{false, false, true});
    ASSERT_TRUE(port.open("COM3"));
    Byte b = 0x02;
    EXPECT_FALSE(port.write(&b, 1).ok);
    EXPECT_FALSE(port.read(&b, 1).ok);
    port.close();
    port.close();
    EXPECT_EQ(port.closeCount(), 1);
}

// ---------------------------------------------------------------------------
// Over a real pseudo-terminal
// ---------------------------------------------------------------------------

#ifndef _WIN32

int OpenRaw(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) return fd;
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
    return fd;
}

Bytes ReadFor(int fd, std::size_t n, int timeoutMs) {
    Bytes got;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < n) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
        if (left <= 0) break;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) break;
        Byte buf[64];
        const ssize_t r = ::read(fd, buf, std::min(sizeof buf, n - got.size()));
        if (r <= 0) break;
        got.insert(got.end(), buf, buf + r);
    }
    return got;
}

void WriteAll(int fd, const Bytes& b) { ASSERT_EQ(::write(fd, b.data(), b.size()), static_cast<ssize_t>(b.size())); }

TEST(RadioSimulatorPty, ServesAReadOverThePseudoTerminalAndSurvivesReopening) {
    RadioSimulator radio(1024, 0x3D3);
    radio.loadMemory(Pattern(1024));
    RadioSimulatorPty server(radio);
    std::string error;
    ASSERT_TRUE(server.open(error)) << error;
    server.start();
    for (int round = 0; round < 2; ++round) {
        const int fd = OpenRaw(server.devicePath());
        ASSERT_GE(fd, 0);
        for (Byte b : kWakeUp) WriteAll(fd, {b});
        EXPECT_EQ(ReadFor(fd, 1, 2000), Bytes{0x06});
        WriteAll(fd, {'M', 0x02});
        EXPECT_EQ(ReadFor(fd, 8, 2000).size(), 8u);
        WriteAll(fd, {0x06});
        EXPECT_EQ(ReadFor(fd, 1, 2000), Bytes{0x06});
        WriteAll(fd, {'R', 0x00, 0x20, 0x08});
        const Bytes reply = ReadFor(fd, 12, 2000);
        ASSERT_EQ(reply.size(), 12u);
        const Image memory = Pattern(1024);
        EXPECT_EQ(Bytes(reply.begin() + 4, reply.end()), Bytes(memory.begin() + 0x20, memory.begin() + 0x28));
        ::close(fd);
    }
    server.stop();
    EXPECT_EQ(server.withRadio([](RadioSimulator& r) { return r.countFrames(FrameKind::ReadRequest); }), 2u);
}

TEST(RadioSimulatorPty, LineRatePacesTheRadiosBytes) {
    RadioSimulator radio(1024, 0x3D3);
    radio.setReplyLatencyUs(0);
    RadioSimulatorPty server(radio, PtyServeOptions{true});
    std::string error;
    ASSERT_TRUE(server.open(error)) << error;
    server.start();
    const int fd = OpenRaw(server.devicePath());
    ASSERT_GE(fd, 0);
    for (Byte b : kWakeUp) WriteAll(fd, {b});
    ASSERT_EQ(ReadFor(fd, 1, 2000), Bytes{0x06});
    WriteAll(fd, {'M', 0x02});
    ASSERT_EQ(ReadFor(fd, 8, 2000).size(), 8u);
    WriteAll(fd, {0x06});
    ASSERT_EQ(ReadFor(fd, 1, 2000), Bytes{0x06});
    // 4 request bytes in and 12 reply bytes out take at least 16 byte times.
    const auto start = std::chrono::steady_clock::now();
    WriteAll(fd, {'R', 0x00, 0x00, 0x08});
    ASSERT_EQ(ReadFor(fd, 12, 2000).size(), 12u);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::microseconds(16 * 1041));
    ::close(fd);
    server.stop();
}

TEST(RadioSimulatorPty, StopEndsAnIdleServer) {
    RadioSimulator radio(1024, 0x3D3);
    RadioSimulatorPty server(radio);
    std::string error;
    ASSERT_TRUE(server.open(error)) << error;
    EXPECT_EQ(server.devicePath().rfind("/dev/", 0), 0u);
    server.start();
    server.stop();   // returns: the thread saw the request
    SUCCEED();
}

#endif  // _WIN32

}  // namespace
}  // namespace vel

#ifndef _WIN32

#include <sys/ioctl.h>
#include <termios.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "link/pty_posix.h"
#include "link/serial_port_posix.h"
#include "link/system_serial_port.h"
#include "pty_io.h"

namespace vel {
namespace {

using testing::Bytes;
using testing::Fd;
using testing::ReadSome;
using testing::WriteAll;
using Steady = std::chrono::steady_clock;

long long MsSince(Steady::time_point t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - t).count();
}

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// A port opened and configured on the slave side of a fresh pseudo-terminal.
struct Line {
    explicit Line(const TimingProfile& profile = kSessionTiming) : port(CreateSystemSerialPort()) {
        opened = port->open(pty.slavePath());
        port->configure(profile);
    }
    IoResult read(Bytes& into, std::size_t n) {
        into.assign(n, 0);
        IoResult r = port->read(into.data(), n);
        into.resize(r.count);
        return r;
    }
    PseudoTerminal pty;
    std::unique_ptr<SerialPort> port;
    bool opened = false;
};

// ---------------------------------------------------------------------------
// Timing of reads

struct SilentCase {
    const char* name;
    TimingProfile profile;
    std::size_t requested;
    long long atLeastMs;  // the read total, less a little rounding
};
void PrintTo(const SilentCase& c, std::ostream* os) { *os << c.name; }

class SerialSilentRead : public ::testing::TestWithParam<SilentCase> {};

TEST_P(SerialSilentRead, SucceedsEmptyAfterTheReadTotal) {
    const SilentCase c = GetParam();
    Line line(c.profile);
    ASSERT_TRUE(line.opened) << line.port->openFailureDetail();
    Bytes got;
    const auto start = Steady::now();
    const IoResult r = line.read(got, c.requested);
    const long long took = MsSince(start);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.count, 0u);
    EXPECT_GE(took, c.atLeastMs);
    EXPECT_LT(took, c.atLeastMs + 900);
}

INSTANTIATE_TEST_SUITE_P(Profiles, SerialSilentRead,
                         ::testing::Values(SilentCase{"SessionOneByte", kSessionTiming, 1, 585},
                                           SilentCase{"TestModeOneByte", kTestModeTiming, 1, 97},
                                           SilentCase{"TestModeEightBytes", kTestModeTiming, 8, 445}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ShortReplyCase {
    const char* name;
    TimingProfile profile;
    std::size_t requested;
    std::size_t sent;
};
void PrintTo(const ShortReplyCase& c, std::ostream* os) { *os << c.name; }

class SerialShortReply : public ::testing::TestWithParam<ShortReplyCase> {};

// A reply that stops short ends the read one gap after its last byte, not at
// the read total.
TEST_P(SerialShortReply, ReturnsWhatCameOneGapAfterTheLastByte) {
    const ShortReplyCase c = GetParam();
    Line line(c.profile);
    ASSERT_TRUE(line.opened) << line.port->openFailureDetail();
    Bytes reply;
    for (std::size_t i = 0; i < c.sent; ++i) reply.push_back(static_cast<std::uint8_t>(0xA0 + i));
    Steady::time_point sentAt;
    std::thread radio([&] {
        SleepMs(50);  // the timer runs from the call, not from the first byte
        sentAt = Steady::now();
        WriteAll(line.pty.masterFd(), reply);
    });
    Bytes got;
    const IoResult r = line.read(got, c.requested);
    const auto returnedAt = Steady::now();
    radio.join();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(got, reply);
    const auto afterLast = std::chrono::duration_cast<std::chrono::milliseconds>(returnedAt - sentAt).count();
    EXPECT_GE(afterLast, c.profile.gapMs - 3) << "returned before the gap limit passed";
    EXPECT_LT(afterLast, 400) << "waited for the read total of " << c.profile.readTotalMs(c.requested) << " ms";
}

INSTANTIATE_TEST_SUITE_P(Profiles, SerialShortReply,
                         ::testing::Values(ShortReplyCase{"SessionTenOfTwelve", kSessionTiming, 12, 10},
                                           ShortReplyCase{"TestModeTenOfTwelve", kTestModeTiming, 12, 10},
                                           ShortReplyCase{"SessionOneOfEight", kSessionTiming, 8, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PacedCase {
    const char* name;
    TimingProfile profile;
    std::size_t sent;
    int spacingMs;
    std::size_t expected;
};
void PrintTo(const PacedCase& c, std::ostream* os) { *os << c.name; }

class SerialPacedBytes : public ::testing::TestWithParam<PacedCase> {};

// The gap limit runs from the latest byte: bytes closer together than the
// limit are all collected, a pause longer than it ends the read.
TEST_P(SerialPacedBytes, GapLimitRunsFromTheLatestByte) {
    const PacedCase c = GetParam();
    Line line(c.profile);
    ASSERT_TRUE(line.opened) << line.port->openFailureDetail();
    std::thread radio([&] {
        for (std::size_t i = 0; i < c.sent; ++i) {
            SleepMs(i == 0 ? 20 : c.spacingMs);
            WriteAll(line.pty.masterFd(), Bytes{static_cast<std::uint8_t>(i + 1)});
        }
    });
    Bytes got;
    const IoResult r = line.read(got, c.sent);
    radio.join();
    EXPECT_TRUE(r.ok);
    ASSERT_EQ(got.size(), c.expected);
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], i + 1);
}

INSTANTIATE_TEST_SUITE_P(Spacings, SerialPacedBytes,
                         ::testing::Values(PacedCase{"SessionCloseBytes", kSessionTiming, 5, 5, 5},
                                           PacedCase{"SessionPauseAfterFirst", kSessionTiming, 3, 150, 1},
                                           PacedCase{"TestModePauseAfterFirst", kTestModeTiming, 3, 100, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SerialPort, FullReplyReturnsAtOnce) {
    Line line;
    ASSERT_TRUE(line.opened) << line.port->openFailureDetail();
    const Bytes reply{0x52, 0x00, 0x08, 0x08, 1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_TRUE(WriteAll(line.pty.masterFd(), reply));
    Bytes got;
    const auto start = Steady::now();
    const IoResult r = line.read(got, reply.size());
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(got, reply);
    EXPECT_LT(MsSince(start), 500);  // the limit would be 6090 ms
}

// ---------------------------------------------------------------------------
// Line settings, writes and purges

TEST(SerialPort, ConfigureMakesACookedTerminalRaw9600EightNOne) {
    PseudoTerminal pty;
    {
        Fd slave(pty.slavePath());
        termios t{};
        ASSERT_EQ(tcgetattr(slave.get(), &t), 0);
        t.c_iflag |= ICRNL | IXON | IXOFF | ISTRIP | INPCK;
        t.c_oflag |= OPOST | ONLCR;
        t.c_lflag |= ECHO | ICANON | ISIG | IEXTEN;
        t.c_cflag |= PARENB | CSTOPB | CRTSCTS;
        t.c_cflag = (t.c_cflag & ~CSIZE) | CS7;
        cfsetispeed(&t, B1200);
        cfsetospeed(&t, B1200);
        ASSERT_EQ(tcsetattr(slave.get(), TCSANOW, &t), 0);
    }
    auto port = CreateSystemSerialPort();
    ASSERT_TRUE(port->open(pty.slavePath())) << port->openFailureDetail();
    port->configure(kSessionTiming);

    Fd probe(pty.slavePath());
    termios t{};
    ASSERT_EQ(tcgetattr(probe.get(), &t), 0);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetispeed(&t), static_cast<speed_t>(B9600));
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(t.c_iflag & (ICRNL | IXON | IXOFF | ISTRIP | INPCK), 0u);
    EXPECT_EQ(t.c_lflag & (ECHO | ICANON | ISIG), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);

    // Every byte value crosses unchanged in both directions, and nothing echoes.
    Bytes all(256);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
    ASSERT_TRUE(WriteAll(pty.masterFd(), all));
    Bytes got(256);
    const IoResult r = port->read(got.data(), got.size());
    EXPECT_TRUE(r.ok);
    got.resize(r.count);
    EXPECT_EQ(got, all);
    EXPECT_TRUE(ReadSome(pty.masterFd(), 1, 50).empty()) << "the port echoed what it received";

    const IoResult w = port->write(all.data(), all.size());
    EXPECT_TRUE(w.ok);
    EXPECT_EQ(w.count, all.size());
    EXPECT_EQ(ReadSome(pty.masterFd(), 300, 200), all);
}

TEST(SerialPort, WriteDeliversTheBytesToTheOtherEnd) {
    Line line;
    ASSERT_TRUE(line.opened);
    const Bytes frame{0x57, 0x0F, 0xD8, 0x08, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
    const IoResult w = line.port->write(frame.data(), frame.size());
    EXPECT_TRUE(w.ok);
    EXPECT_EQ(w.count, frame.size());
    EXPECT_EQ(ReadSome(line.pty.masterFd(), frame.size() + 1, 50), frame);
}

class SerialPurge : public ::testing::TestWithParam<bool> {
protected:
    static void Purge(SerialPort& port, bool all) { all ? port.purgeAll() : port.purgeBuffers(); }
};

TEST_P(SerialPurge, DiscardsUnreadInput) {
    Line line;
    ASSERT_TRUE(line.opened);
    ASSERT_TRUE(WriteAll(line.pty.masterFd(), Bytes{'a', 'b', 'c'}));
    Bytes got;
    ASSERT_TRUE(line.read(got, 1).ok);  // proves the reply has arrived
    ASSERT_EQ(got, Bytes{'a'});
    Purge(*line.port, GetParam());
    ASSERT_TRUE(WriteAll(line.pty.masterFd(), Bytes{'Z'}));
    EXPECT_TRUE(line.read(got, 4).ok);
    EXPECT_EQ(got, Bytes{'Z'}) << "bytes received before the purge were kept";
}

// A written frame has left the port; a purge right after it must not take it
// back before the other end has read it.
TEST_P(SerialPurge, KeepsBytesAlreadyWritten) {
    Line line;
    ASSERT_TRUE(line.opened);
    const Bytes frame{0x4D, 0x02};
    ASSERT_TRUE(line.port->write(frame.data(), frame.size()).ok);
    Purge(*line.port, GetParam());
    EXPECT_EQ(ReadSome(line.pty.masterFd(), 3, 50), frame);
}

INSTANTIATE_TEST_SUITE_P(Both, SerialPurge, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "PurgeAll" : "PurgeBuffers"; });

// ---------------------------------------------------------------------------
// A vanished device

TEST(SerialPort, PeerVanishingMidReadIsAFailureNotSilence) {
    Line line;
    ASSERT_TRUE(line.opened);
    std::thread unplug([&] {
        SleepMs(50);
        line.pty.closeMaster();
    });
    Bytes got;
    const auto start = Steady::now();
    const IoResult r = line.read(got, 1);
    const long long took = MsSince(start);
    unplug.join();
    EXPECT_FALSE(r.ok);
    EXPECT_LT(took, 400) << "waited out the read total instead of noticing";

    EXPECT_FALSE(line.read(got, 1).ok) << "a later read must fail too";
    const std::uint8_t ack = 0x06;
    EXPECT_FALSE(line.port->write(&ack, 1).ok);
    line.port->close();
    EXPECT_FALSE(line.port->isOpen());
}

TEST(SerialPort, ClosedPortFailsReadsAndWrites) {
    auto port = CreateSystemSerialPort();
    EXPECT_FALSE(port->isOpen());
    std::uint8_t b = 0;
    EXPECT_FALSE(port->read(&b, 1).ok);
    EXPECT_FALSE(port->write(&b, 1).ok);
    port->purgeAll();
    port->purgeBuffers();
    port->close();
    EXPECT_FALSE(port->isOpen());
}

// ---------------------------------------------------------------------------
// Opening

// Whether the terminal refuses openers other than root; -1 when unknown.
int ExclusiveFlag(const std::string& path) {
    Fd probe(path);
    int flag = -1;
    if (probe.get() < 0 || ioctl(probe.get(), TIOCGEXCL, &flag) != 0) return -1;
    return flag;
}

TEST(SerialPort, SecondOpenerIsRefusedUntilTheFirstCloses) {
    PseudoTerminal pty;
    auto first = CreateSystemSerialPort();
    auto second = CreateSystemSerialPort();
    ASSERT_TRUE(first->open(pty.slavePath())) << first->openFailureDetail();
    EXPECT_FALSE(second->open(pty.slavePath()));
    EXPECT_FALSE(second->isOpen());
    EXPECT_NE(second->openFailureDetail().find("in use"), std::string::npos) << second->openFailureDetail();
    EXPECT_NE(second->openFailureDetail().find(pty.slavePath()), std::string::npos);
    EXPECT_EQ(ExclusiveFlag(pty.slavePath()), 1) << "the refused opener cleared the holder's exclusive flag";

    // The refused opener must not have disturbed the holder.
    first->configure(kSessionTiming);
    ASSERT_TRUE(WriteAll(pty.masterFd(), Bytes{0x06}));
    std::uint8_t b = 0;
    const IoResult r = first->read(&b, 1);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.count, 1u);

    first->close();
    // The flag belongs to the terminal and would outlive the port while the
    // other end keeps it open, locking out every later user but root.
    EXPECT_EQ(ExclusiveFlag(pty.slavePath()), 0);
    EXPECT_TRUE(second->open(pty.slavePath())) << second->openFailureDetail();
    EXPECT_TRUE(second->openFailureDetail().empty());
}

TEST(SerialPort, DestroyingAnOpenPortReleasesTheDevice) {
    PseudoTerminal pty;
    {
        auto holder = CreateSystemSerialPort();
        ASSERT_TRUE(holder->open(pty.slavePath()));
    }
    auto next = CreateSystemSerialPort();
    EXPECT_TRUE(next->open(pty.slavePath())) << next->openFailureDetail();
}

struct OpenFailureCase {
    const char* name;
    std::string portName;
    std::string device;  // what the resolver answers
    std::vector<std::string> mentions;
};
void PrintTo(const OpenFailureCase& c, std::ostream* os) { *os << c.name; }

class SerialOpenFailure : public ::testing::TestWithParam<OpenFailureCase> {};

TEST_P(SerialOpenFailure, FailsWithADetailTheUserCanActOn) {
    const OpenFailureCase c = GetParam();
    auto port = CreateSystemSerialPort([&](const std::string& name) { return name == c.portName ? c.device : ""; });
    EXPECT_FALSE(port->open(c.portName));
    EXPECT_FALSE(port->isOpen());
    const std::string detail = port->openFailureDetail();
    for (const std::string& m : c.mentions) EXPECT_NE(detail.find(m), std::string::npos) << m << " in: " << detail;
}

INSTANTIATE_TEST_SUITE_P(
    Devices, SerialOpenFailure,
    ::testing::Values(OpenFailureCase{"Missing", "COM3", "/dev/velmar-no-such-tty",
                                      {"/dev/velmar-no-such-tty", "COM3", "does not exist", "cable", "PORTS"}},
                      OpenFailureCase{"NotATerminal", "COM2", "/dev/null", {"/dev/null", "not a serial port"}},
                      OpenFailureCase{"NoDeviceConfigured", "COM4", "", {"COM4", "PORTS"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct DescribeCase {
    const char* name;
    int error;
    std::string group;
    std::vector<std::string> mentions;
    std::vector<std::string> absent;
};
void PrintTo(const DescribeCase& c, std::ostream* os) { *os << c.name; }

class SerialOpenFailureText : public ::testing::TestWithParam<DescribeCase> {};

TEST_P(SerialOpenFailureText, NamesTheDeviceTheReasonAndTheRemedy) {
    const DescribeCase c = GetParam();
    const std::string text = DescribeOpenFailure("COM1", "/dev/ttyUSB0", c.error, c.group);
    EXPECT_NE(text.find("/dev/ttyUSB0 for COM1"), std::string::npos) << text;
    for (const std::string& m : c.mentions) EXPECT_NE(text.find(m), std::string::npos) << m << " in: " << text;
    for (const std::string& m : c.absent) EXPECT_EQ(text.find(m), std::string::npos) << m << " in: " << text;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, SerialOpenFailureText,
    ::testing::Values(
        DescribeCase{"PermissionWithGroup", EACCES, "dialout",
                     {"Permission denied", "add your user to the group 'dialout' and log in again"}, {}},
        DescribeCase{"PermissionRootOnly", EACCES, "root", {"administrator"}, {"group 'root'"}},
        DescribeCase{"PermissionUnknownGroup", EPERM, "", {"administrator"}, {"group ''"}},
        DescribeCase{"BusyTerminal", EBUSY, "", {"in use by another program"}, {}},
        DescribeCase{"LockedByAnother", EWOULDBLOCK, "", {"in use by another program"}, {"temporarily"}},
        DescribeCase{"Missing", ENOENT, "", {"does not exist", "No such file"}, {}},
        DescribeCase{"Other", EIO, "", {"Input/output error"}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SerialOpenFailureText, LeavesOutThePortNameWhenItIsTheDevice) {
    EXPECT_EQ(DescribeOpenFailure("/dev/ttyS0", "/dev/ttyS0", ENOTTY, ""),
              "Could not open /dev/ttyS0: it is not a serial port.");
}

}  // namespace
}  // namespace vel

#endif

#ifndef _WIN32

#include <gtest/gtest.h>

#include "link/pty_posix.h"
#include "pty_io.h"

namespace vel {
namespace {

using testing::Bytes;
using testing::Fd;
using testing::ReadSome;
using testing::WriteAll;

// Bytes a cooked terminal would translate, swallow or echo.
const Bytes kControlBytes{0x00, 0x03, 0x04, 0x0A, 0x0D, 0x11, 0x13, 0x1A, 0x7F, 0x80, 0xFF};

TEST(PseudoTerminal, CarriesControlBytesBothWaysUnchangedAndWithoutEcho) {
    PseudoTerminal pty;
    ASSERT_GE(pty.masterFd(), 0);
    ASSERT_EQ(pty.slavePath().rfind("/dev/", 0), 0u) << pty.slavePath();
    Fd slave(pty.slavePath());
    ASSERT_GE(slave.get(), 0);

    ASSERT_TRUE(WriteAll(pty.masterFd(), kControlBytes));
    EXPECT_EQ(ReadSome(slave.get(), kControlBytes.size(), 1000), kControlBytes);
    EXPECT_TRUE(ReadSome(pty.masterFd(), 1, 50).empty()) << "the slave echoed";

    ASSERT_TRUE(WriteAll(slave.get(), kControlBytes));
    EXPECT_EQ(ReadSome(pty.masterFd(), kControlBytes.size(), 1000), kControlBytes);
}

TEST(PseudoTerminal, ClosingTheMasterHangsUpTheSlave) {
    PseudoTerminal pty;
    Fd slave(pty.slavePath());
    ASSERT_GE(slave.get(), 0);
    pty.closeMaster();
    EXPECT_EQ(pty.masterFd(), -1);
    pollfd p{slave.get(), POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 1000), 1);
    EXPECT_TRUE(p.revents & (POLLHUP | POLLERR));
}

TEST(PseudoTerminal, MasterSeesNoHangUpWhileNoPortHasTheSlaveOpen) {
    PseudoTerminal pty;
    { Fd slave(pty.slavePath()); }
    pollfd p{pty.masterFd(), POLLIN, 0};
    EXPECT_EQ(poll(&p, 1, 20), 0) << "revents " << p.revents;
}

}  // namespace
}  // namespace vel

#endif

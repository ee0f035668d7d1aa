#ifndef _WIN32

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "link/pty_posix.h"

namespace vel {
namespace {

// Reads up to `want` bytes from fd, waiting at most `ms` for each chunk.
std::vector<std::uint8_t> ReadSome(int fd, std::size_t want, int ms) {
    std::vector<std::uint8_t> got;
    while (got.size() < want) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, ms) <= 0 || !(p.revents & POLLIN)) break;
        std::uint8_t buf[256];
        const ssize_t r = ::read(fd, buf, sizeof buf);
        if (r <= 0) break;
        got.insert(got.end(), buf, buf + r);
    }
    return got;
}

class PtyFd {
public:
    explicit PtyFd(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~PtyFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

// Bytes a cooked terminal would translate, swallow or echo.
const std::vector<std::uint8_t> kControlBytes{0x00, 0x03, 0x04, 0x0A, 0x0D, 0x11, 0x13, 0x1A, 0x7F, 0x80, 0xFF};

TEST(PseudoTerminal, CarriesControlBytesBothWaysUnchangedAndWithoutEcho) {
    PseudoTerminal pty;
    ASSERT_GE(pty.masterFd(), 0);
    ASSERT_EQ(pty.slavePath().rfind("/dev/", 0), 0u) << pty.slavePath();
    PtyFd slave(pty.slavePath());
    ASSERT_GE(slave.get(), 0);

    ASSERT_EQ(::write(pty.masterFd(), kControlBytes.data(), kControlBytes.size()), ssize_t(kControlBytes.size()));
    EXPECT_EQ(ReadSome(slave.get(), kControlBytes.size(), 1000), kControlBytes);
    EXPECT_TRUE(ReadSome(pty.masterFd(), 1, 50).empty()) << "the slave echoed";

    ASSERT_EQ(::write(slave.get(), kControlBytes.data(), kControlBytes.size()), ssize_t(kControlBytes.size()));
    EXPECT_EQ(ReadSome(pty.masterFd(), kControlBytes.size(), 1000), kControlBytes);
}

TEST(PseudoTerminal, ClosingTheMasterHangsUpTheSlave) {
    PseudoTerminal pty;
    PtyFd slave(pty.slavePath());
    ASSERT_GE(slave.get(), 0);
    pty.closeMaster();
    EXPECT_EQ(pty.masterFd(), -1);
    pollfd p{slave.get(), POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 1000), 1);
    EXPECT_TRUE(p.revents & (POLLHUP | POLLERR));
}

TEST(PseudoTerminal, MasterSeesNoHangUpWhileNoPortHasTheSlaveOpen) {
    PseudoTerminal pty;
    { PtyFd slave(pty.slavePath()); }
    pollfd p{pty.masterFd(), POLLIN, 0};
    EXPECT_EQ(poll(&p, 1, 20), 0) << "revents " << p.revents;
}

}  // namespace
}  // namespace vel

#endif

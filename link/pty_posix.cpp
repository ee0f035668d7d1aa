#include "link/pty_posix.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace vel {
namespace {

[[noreturn]] void Fail(const char* what) { throw std::system_error(errno, std::generic_category(), what); }

}  // namespace

PseudoTerminal::PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) Fail("posix_openpt");
    try {
        if (grantpt(master_) != 0) Fail("grantpt");
        if (unlockpt(master_) != 0) Fail("unlockpt");
        char name[128];
        if (int rc = ptsname_r(master_, name, sizeof name); rc != 0) {
            errno = rc;
            Fail("ptsname_r");
        }
        slavePath_ = name;
        slaveKeeper_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (slaveKeeper_ < 0) Fail("open pseudo-terminal slave");
        // The line discipline would otherwise echo bytes back to the master,
        // turn CR into LF and act on ^C, ^S and ^Q: a serial line carries raw
        // 8-bit data.
        termios t{};
        if (tcgetattr(slaveKeeper_, &t) != 0) Fail("tcgetattr");
        cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        t.c_cc[VMIN] = 0;
        t.c_cc[VTIME] = 0;
        cfsetispeed(&t, B9600);
        cfsetospeed(&t, B9600);
        if (tcsetattr(slaveKeeper_, TCSANOW, &t) != 0) Fail("tcsetattr");
    } catch (...) {
        if (slaveKeeper_ >= 0) ::close(slaveKeeper_);
        ::close(master_);
        throw;
    }
}

PseudoTerminal::~PseudoTerminal() {
    closeMaster();
    if (slaveKeeper_ >= 0) ::close(slaveKeeper_);
}

bool PseudoTerminal::clearAbandonedExclusiveFlag() {
#ifdef TIOCGEXCL
    if (slaveKeeper_ < 0) return false;
    int exclusive = 0;
    if (ioctl(slaveKeeper_, TIOCGEXCL, &exclusive) != 0 || exclusive == 0) return false;
    // Holding the lock for this moment shows nobody else holds it.
    if (flock(slaveKeeper_, LOCK_EX | LOCK_NB) != 0) return false;
    ioctl(slaveKeeper_, TIOCNXCL);
    flock(slaveKeeper_, LOCK_UN);
    return true;
#else
    return false;   // the flag cannot be read here
#endif
}

void PseudoTerminal::closeMaster() {
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

}  // namespace vel

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "image/document_file_platform.h"
#include "image/file_access.h"

namespace vel {

namespace fs = std::filesystem;

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

fs::file_type TypeOf(mode_t mode) {
    if (S_ISREG(mode)) return fs::file_type::regular;
    if (S_ISDIR(mode)) return fs::file_type::directory;
    if (S_ISFIFO(mode)) return fs::file_type::fifo;
    if (S_ISSOCK(mode)) return fs::file_type::socket;
    if (S_ISCHR(mode)) return fs::file_type::character;
    if (S_ISBLK(mode)) return fs::file_type::block;
    return fs::file_type::unknown;
}

FileBytes ReadFailed(Text reason, bool opened) {
    FileBytes result;
    result.opened = opened;
    result.reason = std::move(reason);
    return result;
}

}  // namespace

FileBytes ReadRegularFile(const fs::path& path, std::size_t limit) {
    // A device is not even opened: opening a serial port moves its control
    // lines, opening a tape rewinds it.
    const FileAccess access = CheckFileAccess(path, FileUse::Read);
    if (!access.ok) return ReadFailed(*access.reason, false);

    // Non-blocking, so that a named pipe swapped in since the check cannot
    // hold the open; the check after it refuses the pipe.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return ReadFailed(SystemReason(LastError()), false);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const std::error_code error = LastError();
        ::close(fd);
        return ReadFailed(SystemReason(error), true);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadFailed(NotRegularReason(TypeOf(st.st_mode)), true);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    FileBytes result;
    result.opened = true;
    result.size = static_cast<std::uintmax_t>(st.st_size);
    // One byte past the limit tells whether there is more.
    result.bytes.resize(limit + 1);
    std::size_t got = 0;
    while (got < result.bytes.size()) {
        const ssize_t n = ::read(fd, result.bytes.data() + got, result.bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            const std::error_code error = LastError();
            ::close(fd);
            return ReadFailed(SystemReason(error), true);
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    result.truncated = got > limit;
    result.bytes.resize(result.truncated ? limit : got);
    result.ok = true;
    return result;
}

SignalShield::SignalShield() {
    static_assert(sizeof(sigset_t) <= sizeof(saved_), "room for the signal mask");
    sigset_t held;
    sigemptyset(&held);
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&held, sig);
    sigset_t previous;
    active_ = pthread_sigmask(SIG_BLOCK, &held, &previous) == 0;
    if (active_) std::memcpy(saved_, &previous, sizeof previous);
}

SignalShield::~SignalShield() {
    if (!active_) return;
    sigset_t previous;
    std::memcpy(&previous, saved_, sizeof previous);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

namespace file_platform {

std::error_code ProbeFreshFile(const fs::path& path) {
    SignalShield shield;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return LastError();
    ::close(fd);
    ::unlink(path.c_str());
    return {};
}

}  // namespace file_platform

}  // namespace vel

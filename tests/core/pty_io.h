#pragma once
// Test helpers for the master side of a pseudo-terminal.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace vel::testing {

using Bytes = std::vector<std::uint8_t>;

/// Reads until `want` bytes came or no byte came within `ms`.
inline Bytes ReadSome(int fd, std::size_t want, int ms) {
    Bytes got;
    while (got.size() < want) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, ms) <= 0 || !(p.revents & POLLIN)) break;
        std::uint8_t buf[256];
        const ssize_t r = ::read(fd, buf, std::min(sizeof buf, want - got.size()));
        if (r <= 0) break;
        got.insert(got.end(), buf, buf + r);
    }
    return got;
}

inline bool WriteAll(int fd, const Bytes& bytes) {
    return ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

/// A descriptor of a device path, closed on scope exit.
class Fd {
public:
    explicit Fd(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace vel::testing

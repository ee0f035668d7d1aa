#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "image/document_file_platform.h"

namespace vel::file_platform {

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

// Flushes a directory so that a rename inside it survives a power loss. Some
// file systems refuse fsync on directories; the rename itself has happened,
// so that is not a failure of the save.
void SyncDirectory(const std::filesystem::path& dir) {
    const std::string name = dir.empty() ? std::string(".") : dir.string();
    const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

}  // namespace

std::error_code CheckWritableTarget(const std::filesystem::path& target) {
    if (::access(target.c_str(), F_OK) != 0) {
        return errno == ENOENT ? std::error_code{} : LastError();
    }
    if (::access(target.c_str(), W_OK) != 0) return LastError();
    return {};
}

std::error_code WriteFreshFile(const std::filesystem::path& path, const Byte* data, std::size_t size,
                               const std::filesystem::path& target) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return LastError();

    std::error_code failure;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        // Keeping the old file's permissions is a courtesy; failing to do so
        // does not stop the save.
        (void)::fchmod(fd, existing.st_mode & 07777);
    }
    std::size_t written = 0;
    while (written < size && !failure) {
        const ssize_t n = ::write(fd, data + written, size - written);
        if (n < 0) {
            if (errno != EINTR) failure = LastError();
        } else {
            written += static_cast<std::size_t>(n);
        }
    }
    if (!failure && ::fsync(fd) != 0) failure = LastError();
    if (::close(fd) != 0 && !failure) failure = LastError();
    if (failure) ::unlink(path.c_str());
    return failure;
}

std::error_code MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return LastError();
    SyncDirectory(to.parent_path());
    return {};
}

}  // namespace vel::file_platform

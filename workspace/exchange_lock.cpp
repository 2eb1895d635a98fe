#include "workspace/exchange_lock.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quendal::workspace {

std::string ExchangeLock::lockFileFor(const std::string& inFile) {
    return inFile + ".lock";
}

ExchangeLock::ExchangeLock(const std::string& lockFile) {
    const std::string name = std::filesystem::path(lockFile).filename().string();
    // O_NONBLOCK: a named pipe planted here must not hang the window.
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        const int error = errno;
        if (error == ELOOP) {
            throw std::runtime_error("Cannot use " + name + ": it is a symbolic link.");
        }
        if (error == EISDIR) throw std::runtime_error("Cannot use " + name + ": it is a folder.");
        throw std::runtime_error("Cannot use " + name + ": " + std::strerror(error) + ".");
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        throw std::runtime_error("Cannot use " + name + ": it is not a regular file.");
    }
}

ExchangeLock::~ExchangeLock() {
    unlock();
    if (fd_ >= 0) ::close(fd_);
}

bool ExchangeLock::tryLock() {
    if (locked_) return true;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) return false;
    }
    locked_ = true;
    return true;
}

void ExchangeLock::unlock() {
    if (!locked_) return;
    ::flock(fd_, LOCK_UN);
    locked_ = false;
}

}  // namespace quendal::workspace

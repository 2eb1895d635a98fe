#include "workspace/simplification_log.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quendal::workspace {

std::string logRecordText(const LogRecord& r) {
    const std::string eol = "\r\n";
    return "UserName    : " + r.userName + " Date : " + r.date + " Time : " + r.time + eol +
           "input (SOP) : " + r.texts.sop + eol + "input (POS) : " + r.texts.ipPos + eol +
           "Output(SOP) : " + r.texts.minSop + eol + "Output(POS) : " + r.texts.minPos + eol + " " + eol;
}

void appendToLog(const std::string& path, const std::string& text) {
    const std::string name = std::filesystem::path(path).filename().string();
    auto failWith = [&name](const std::string& why) {
        throw std::runtime_error("Cannot write " + name + ": " + why + ".");
    };
    auto fail = [&failWith](int error) { failWith(std::strerror(error)); };
    auto refuse = [&failWith](mode_t mode) {
        failWith(S_ISDIR(mode)   ? "it is a folder"
                 : S_ISLNK(mode) ? "it is a symbolic link, not a regular file"
                                 : "it is not a regular file");
    };
    // Looked at first for a clear message; the open below then neither follows
    // a link nor waits for a reader of a named pipe, and what it opened is
    // checked again, since the name may have changed in between.
    struct stat before {};
    if (::lstat(path.c_str(), &before) == 0 && !S_ISREG(before.st_mode)) refuse(before.st_mode);
    const int fd = ::open(
        path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == ELOOP) refuse(S_IFLNK);
        if (errno == ENXIO || errno == EISDIR) refuse(errno == EISDIR ? S_IFDIR : S_IFIFO);
        fail(errno);
    }
    if (::fstat(fd, &before) != 0 || !S_ISREG(before.st_mode)) {
        const int error = errno;
        const mode_t mode = before.st_mode;
        ::close(fd);
        if (S_ISREG(mode)) fail(error);
        refuse(mode);
    }
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            // Cut off the part written; if even that fails, the error below still
            // reports the failed run.
            if (done > 0) [[maybe_unused]]
                const int cut = ::ftruncate(fd, before.st_size);
            ::close(fd);
            fail(error);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) fail(errno);
}

}  // namespace quendal::workspace

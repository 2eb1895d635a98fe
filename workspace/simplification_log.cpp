#include "workspace/simplification_log.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string logRecordText(const LogRecord& r) {
    const std::string eol = "\r\n";
    return "UserName    : " + r.userName + " Date : " + r.date + " Time : " + r.time + eol +
           "input (SOP) : " + r.inputSop + eol + "input (POS) : " + r.inputPos + eol +
           "Output(SOP) : " + r.outputSop + eol + "Output(POS) : " + r.outputPos + eol + " " + eol;
}

void appendToLog(const std::string& path, const std::string& text) {
    const std::string name = std::filesystem::path(path).filename().string();
    auto fail = [&name](int error) {
        throw std::runtime_error("Cannot write " + name + ": " + std::strerror(error) + ".");
    };
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) fail(errno);
    struct stat before {};
    if (::fstat(fd, &before) != 0) {
        const int error = errno;
        ::close(fd);
        fail(error);
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

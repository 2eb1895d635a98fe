#include "app/replacing_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quendal::app {

namespace {

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

}  // namespace

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error ? error : EIO)) + QLatin1Char('.');
}

ReplacementTarget replacementTarget(const QString& path) {
    ReplacementTarget target;
    target.path = QFileInfo(path).absoluteFilePath();
    struct stat own {};
    if (::lstat(encoded(target.path).constData(), &own) != 0) return target;  // a new file
    if (S_ISLNK(own.st_mode)) {
        target.viaLink = true;
        char* resolved = ::realpath(encoded(target.path).constData(), nullptr);
        if (!resolved) {
            target.refusal = QStringLiteral("It is a symbolic link that leads to no file.");
            return target;
        }
        target.path = QFile::decodeName(resolved);
        std::free(resolved);
    }
    struct stat status {};
    if (::stat(encoded(target.path).constData(), &status) != 0) {
        target.refusal = systemReason(errno);
        return target;
    }
    target.exists = true;
    const QString link = target.viaLink
                             ? QStringLiteral("It is a link to \"%1\", which ").arg(target.path)
                             : QStringLiteral("It ");
    if (S_ISDIR(status.st_mode)) {
        target.refusal = link + QStringLiteral("is a folder.");
    } else if (!S_ISREG(status.st_mode)) {
        target.refusal = link + QStringLiteral(
                                    "is not a regular file (a named pipe or a device): "
                                    "it is left as it is.");
    }
    target.readOnly = ::access(encoded(target.path).constData(), W_OK) != 0;
    return target;
}

ReplacingFile::ReplacingFile(const ReplacementTarget& target) : target_(target) {}

ReplacingFile::~ReplacingFile() {
    discard();
}

bool ReplacingFile::start() {
    if (!target_.refusal.isEmpty()) {
        reason_ = target_.refusal;
        return false;
    }
    const QFileInfo info(target_.path);
    // A fresh name, created exclusively so that no other file is touched;
    // mode 0666 lets the umask decide, as for any new file.
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
        temporary_ = info.absolutePath() +
                     QStringLiteral("/.%1.%2")
                         .arg(info.fileName())
                         .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        fd_ =
            ::open(encoded(temporary_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        temporary_.clear();
        return failed(errno);
    }
    struct stat old {};
    if (target_.exists && ::stat(encoded(target_.path).constData(), &old) == 0)
        ::fchmod(fd_, old.st_mode & 07777);
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

qint64 ReplacingFile::writeData(const char* data, qint64 length) {
    if (fd_ < 0 || !reason_.isEmpty()) return -1;
    qint64 left = length;
    while (left > 0) {
        const ssize_t n = ::write(fd_, data, size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            failed(n < 0 ? errno : ENOSPC);
            return -1;
        }
        data += n;
        left -= n;
    }
    return length;
}

bool ReplacingFile::seek(qint64 position) {
    if (fd_ < 0 || ::lseek(fd_, off_t(position), SEEK_SET) < 0) return false;
    return QIODevice::seek(position);
}

bool ReplacingFile::failed(int error) {
    // The first failure is the one to report: later ones follow from it.
    if (reason_.isEmpty()) reason_ = systemReason(error);
    setErrorString(reason_);
    return false;
}

bool ReplacingFile::commit() {
    if (fd_ < 0) return reason_.isEmpty() ? failed(EBADF) : false;
    if (!reason_.isEmpty()) {
        discard();
        return false;
    }
    // Synced before the rename, so that the old file is replaced only by
    // one whose bytes are all on the disk.
    const bool synced = ::fsync(fd_) == 0;
    const int syncError = errno;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed) {
        failed(synced ? errno : syncError);
        discard();
        return false;
    }
    QIODevice::close();
    if (::rename(encoded(temporary_).constData(), encoded(target_.path).constData()) != 0) {
        failed(errno);
        discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void ReplacingFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.isEmpty()) ::unlink(encoded(temporary_).constData());
    temporary_.clear();
    if (isOpen()) QIODevice::close();
}

}  // namespace quendal::app

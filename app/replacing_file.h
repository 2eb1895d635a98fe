#pragma once

#include <QIODevice>
#include <QString>

#include <optional>

namespace quendal::app {

// Where writing `path` would go: the file itself, or for a symbolic link
// the file it leads to (replaced there, as editors do). `refusal` is set,
// as a sentence for the user, when that is not a file that may be
// replaced: a folder, a named pipe, a device or a link to one (replacing
// those would turn them into plain files, even /dev/null when run as
// root), or a link that leads nowhere.
struct ReplacementTarget {
    QString path;  // absolute; where the bytes go
    bool exists = false;
    bool viaLink = false;  // `path` was reached through a symbolic link
    bool readOnly = false;
    QString refusal;  // empty when the file may be written
};
ReplacementTarget replacementTarget(const QString& path);

// The system's reason for an error number, as a sentence ("No space left on
// device.").
QString systemReason(int error);

// A new version of a file, written beside it with the system's own calls and
// renamed into place only once every byte has reached the disk, so that a
// failure (a full disk) never damages the file it would replace and is
// reported with the system's reason. Writers that take a QIODevice (PDF,
// SVG, PNG) write to it directly: nothing is buffered where a failure could
// go unnoticed.
class ReplacingFile : public QIODevice {
public:
    // `target` from replacementTarget(), not refused.
    explicit ReplacingFile(const ReplacementTarget& target);
    ~ReplacingFile() override;  // removes the new file unless committed

    // Creates the new file beside the target; false with reason() set.
    bool start();
    // Every byte so far is written, synced, and the file renamed over the
    // target (keeping the old file's permissions); false with reason() set,
    // the old file untouched.
    bool commit();
    // The reason of the first failure, as a sentence.
    QString reason() const { return reason_; }
    int handle() const { return fd_; }

    bool isSequential() const override { return false; }
    bool seek(qint64 position) override;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override;

private:
    bool failed(int error);
    void discard();

    ReplacementTarget target_;
    QString temporary_;
    int fd_ = -1;
    QString reason_;
};

}  // namespace quendal::app

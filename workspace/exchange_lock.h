#pragma once

#include <string>

namespace quendal::workspace {

// Serialises the exchange with the minimizer between processes that work in
// the same folder: whoever holds the lock owns in.txt and out.txt from writing
// in.txt until out.txt is read. An advisory lock (flock) on a lock file beside
// in.txt; the system drops it when the holder ends, however it ends.
class ExchangeLock {
public:
    // The lock file for the exchange file `inFile` ("in.txt.lock" beside it).
    static std::string lockFileFor(const std::string& inFile);

    // Opens (creating) the lock file without taking the lock. Throws
    // std::runtime_error naming the file when it cannot be opened, or is not
    // a regular file (a symbolic link planted there is not followed).
    explicit ExchangeLock(const std::string& lockFile);
    ~ExchangeLock();
    ExchangeLock(const ExchangeLock&) = delete;
    ExchangeLock& operator=(const ExchangeLock&) = delete;

    // Takes the lock if nobody holds it; never blocks.
    bool tryLock();
    void unlock();

private:
    int fd_ = -1;
    bool locked_ = false;
};

}  // namespace quendal::workspace

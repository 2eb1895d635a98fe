#pragma once

#include <string>

namespace quendal::common {

// A local date and time, as the headers of drawings and the log show it.
struct LocalDateTime {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;
    int hour = 0;  // 0..23
    int minute = 0;
    int second = 0;
};

// The current date and time go through this seam so that tests can fix them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    LocalDateTime now() const override;
};

// "dd-mmm-yyyy" with English month abbreviations, whatever the locale.
std::string headerDate(const LocalDateTime& t);
// "hh:mm AM" on the 12-hour clock (12 for the hour after midnight and noon).
std::string headerTime(const LocalDateTime& t);

}  // namespace quendal::common

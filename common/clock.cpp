#include "common/clock.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace quendal::common {

LocalDateTime SystemClock::now() const {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string headerDate(const LocalDateTime& t) {
    static constexpr std::array<const char*, 12> months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int m = (t.month >= 1 && t.month <= 12) ? t.month - 1 : 0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d-%s-%04d", t.day, months[m], t.year);
    return buf;
}

std::string headerTime(const LocalDateTime& t) {
    const int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d %s", h12, t.minute, t.hour < 12 ? "AM" : "PM");
    return buf;
}

}  // namespace quendal::common

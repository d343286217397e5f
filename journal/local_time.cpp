#include "journal/local_time.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace qrv {

namespace {

struct Now {
    std::tm local{};
    long offsetMinutes = 0; // local time less UTC
};

// Days since 1970-01-01 of a broken-down date (H. Hinnant's days_from_civil).
long DaysOf(const std::tm& t) {
    using namespace std::chrono;
    return sys_days(year(t.tm_year + 1900) / month(static_cast<unsigned>(t.tm_mon + 1)) /
                    day(static_cast<unsigned>(t.tm_mday)))
        .time_since_epoch()
        .count();
}

long MinutesOf(const std::tm& t) {
    return (DaysOf(t) * 24 + t.tm_hour) * 60 + t.tm_min;
}

// The offset is computed, not taken from strftime's %z, which Windows' C
// library answers with the zone's name.
Now CurrentTime() {
    const std::time_t now = std::time(nullptr);
    Now result;
    std::tm utc{};
#ifdef _WIN32
    localtime_s(&result.local, &now);
    gmtime_s(&utc, &now);
#else
    localtime_r(&now, &result.local);
    gmtime_r(&now, &utc);
#endif
    result.offsetMinutes = MinutesOf(result.local) - MinutesOf(utc);
    return result;
}

} // namespace

std::string LocalTimestamp() {
    const Now now = CurrentTime();
    const std::tm& t = now.local;
    const long offset = now.offsetMinutes < 0 ? -now.offsetMinutes : now.offsetMinutes;
    char text[128];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, now.offsetMinutes < 0 ? '-' : '+',
                  offset / 60, offset % 60);
    return text;
}

std::string CompactLocalTime() {
    const std::tm& t = CurrentTime().local;
    char text[96];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

std::string ShownTime(std::string_view timestamp) {
    std::string shown(timestamp.substr(0, 16));
    if (shown.size() > 10 && shown[10] == 'T')
        shown[10] = ' ';
    return shown;
}

} // namespace qrv

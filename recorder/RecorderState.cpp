#include "RecorderState.h"

#include <cstdio>
#include <ctime>

namespace {

// The years a recorder's clock chip holds.
constexpr int32_t kFirstYear = 2000;
constexpr int32_t kLastYear = 2099;

// The PC's local wall-clock time as seconds of a UTC calendar, so that offsets
// and calendar parts convert without the time zone getting in the way.
int64_t LocalWallSeconds() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return timegm(&local);
}

bool IsLeap(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int32_t DaysInMonth(int32_t year, int32_t month) {
    static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

bool ValidClock(const RecorderState::Clock& c) {
    const auto [year, month, day, hour, minute, second] = c;
    return year >= kFirstYear && year <= kLastYear && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
           minute <= 59 && second >= 0 && second <= 59;
}

int64_t ClockSeconds(const RecorderState::Clock& c) {
    std::tm parts{};
    parts.tm_year = c[0] - 1900;
    parts.tm_mon = c[1] - 1;
    parts.tm_mday = c[2];
    parts.tm_hour = c[3];
    parts.tm_min = c[4];
    parts.tm_sec = c[5];
    return timegm(&parts);
}

}  // namespace

RecorderState::RecorderState() {
    supported.fill(true);
    RestoreDefaults();
}

void RecorderState::RestoreDefaults() {
    for (int row = 0; row < param::RowCount; ++row) {
        params[row] = static_cast<uint32_t>(param::kRanges[row].defaultValue);
    }
    timezone = param::kTimezoneDefault;
}

RecorderState::Clock RecorderState::ClockNow() const {
    if (clockRaw) return *clockRaw;
    int64_t total = 0;
    if (__builtin_add_overflow(LocalWallSeconds(), clockOffset, &total)) return {};
    const auto seconds = static_cast<std::time_t>(total);
    std::tm parts{};
    if (!gmtime_r(&seconds, &parts)) return {};
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

bool RecorderState::SetClock(const Clock& clock) {
    if (!ValidClock(clock)) return false;
    clockOffset = ClockSeconds(clock) - LocalWallSeconds();
    clockRaw.reset();
    return true;
}

std::string RecorderState::ClockText(const Clock& c) {
    char text[96];
    std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", c[0], c[1], c[2], c[3], c[4],
                  c[5]);
    return text;
}

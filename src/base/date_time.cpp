#include "base/date_time.h"

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace brivane {

namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (Howard Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& aYear, int& aMonth, int& aDay) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    aDay = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    aMonth = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    aYear = static_cast<int>(y + (aMonth <= 2));
}

int MonthFromName(std::string_view aName) {
    static constexpr std::array<const char*, 12> kMonths = {
        "jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
    if (aName.size() < 3) {
        return 0;
    }
    for (size_t i = 0; i < kMonths.size(); ++i) {
        bool same = true;
        for (size_t k = 0; k < 3; ++k) {
            const char c = static_cast<char>(aName[k] | 0x20);
            same = same && c == kMonths[i][k];
        }
        if (same) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

} // namespace

TDateTime EncodeDateTime(int aYear, int aMonth, int aDay, int aHour, int aMinute, int aSecond,
                         int aMillisecond) {
    const double days = static_cast<double>(DaysFromCivil(aYear, aMonth, aDay)) + kUnixEpochDays;
    const double time =
        (aHour * 3600000.0 + aMinute * 60000.0 + aSecond * 1000.0 + aMillisecond) / 86400000.0;
    return days + time;
}

TDateTimeParts DecodeDateTime(TDateTime aValue) {
    // Round to the millisecond first so that 23:59:59.9999 does not become 24:00.
    const auto totalMs = static_cast<std::int64_t>(std::llround(aValue * 86400000.0));
    std::int64_t days = totalMs / 86400000;
    std::int64_t ms = totalMs % 86400000;
    if (ms < 0) {
        ms += 86400000;
        --days;
    }
    TDateTimeParts parts{};
    CivilFromDays(days - static_cast<std::int64_t>(kUnixEpochDays), parts.Year, parts.Month,
                  parts.Day);
    parts.Hour = static_cast<int>(ms / 3600000);
    parts.Minute = static_cast<int>(ms / 60000 % 60);
    parts.Second = static_cast<int>(ms / 1000 % 60);
    parts.Millisecond = static_cast<int>(ms % 1000);
    return parts;
}

TDateTime UnixToLocalDateTime(std::int64_t aSeconds) {
    const std::time_t t = static_cast<std::time_t>(aSeconds);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t); // the C runtime's thread-safe form, arguments swapped
#else
    localtime_r(&t, &local);
#endif
    return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec);
}

std::int64_t LocalDateTimeToUnix(TDateTime aValue) {
    const TDateTimeParts p = DecodeDateTime(aValue);
    std::tm local{};
    local.tm_year = p.Year - 1900;
    local.tm_mon = p.Month - 1;
    local.tm_mday = p.Day;
    local.tm_hour = p.Hour;
    local.tm_min = p.Minute;
    local.tm_sec = p.Second;
    local.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&local));
}

TDateTime Now() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto seconds = duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return UnixToLocalDateTime(seconds) + static_cast<double>(ms) / 86400000.0;
}

std::string FormatIsoDateTime(TDateTime aValue) {
    const TDateTimeParts p = DecodeDateTime(aValue);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", p.Year, p.Month, p.Day,
                  p.Hour, p.Minute, p.Second);
    return buffer;
}

std::optional<std::int64_t> ParseHttpDate(std::string_view aText) {
    // Tokenise on blanks, commas, colons and dashes; then pick the fields by shape.
    std::string text(aText);
    int day = 0, month = 0, year = -1, hour = -1, minute = -1, second = -1;
    long offsetSeconds = 0;
    bool haveZone = false;
    char weekday[16] = {0}, monthName[16] = {0}, zone[16] = {0};

    // RFC 1123: "Sun, 06 Nov 1994 08:49:37 GMT"
    if (std::sscanf(text.c_str(), "%15[A-Za-z], %d %15[A-Za-z] %d %d:%d:%d %15s", weekday, &day,
                    monthName, &year, &hour, &minute, &second, zone) >= 7) {
        month = MonthFromName(monthName);
        haveZone = zone[0] != 0;
    }
    // RFC 850: "Sunday, 06-Nov-94 08:49:37 GMT"
    else if (std::sscanf(text.c_str(), "%15[A-Za-z], %d-%15[A-Za-z]-%d %d:%d:%d %15s", weekday,
                         &day, monthName, &year, &hour, &minute, &second, zone) >= 7) {
        month = MonthFromName(monthName);
        haveZone = zone[0] != 0;
        if (year < 100) {
            year += year < 70 ? 2000 : 1900;
        }
    }
    // asctime: "Sun Nov  6 08:49:37 1994"
    else if (std::sscanf(text.c_str(), "%15[A-Za-z] %15[A-Za-z] %d %d:%d:%d %d", weekday, monthName,
                         &day, &hour, &minute, &second, &year) == 7) {
        month = MonthFromName(monthName);
    } else {
        return std::nullopt;
    }
    if (month == 0 || day < 1 || day > 31 || year < 1601 || year > 9999 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 60) {
        return std::nullopt;
    }
    if (haveZone && (zone[0] == '+' || zone[0] == '-') && std::strlen(zone) == 5) {
        int hh = 0, mm = 0;
        if (std::sscanf(zone + 1, "%2d%2d", &hh, &mm) != 2) {
            return std::nullopt;
        }
        offsetSeconds = (hh * 3600L + mm * 60L) * (zone[0] == '-' ? -1 : 1);
    }
    const std::int64_t days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    return days * 86400 + hour * 3600 + minute * 60 + second - offsetSeconds;
}

} // namespace brivane

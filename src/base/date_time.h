#pragma once
// Date-time values as the domain counts them: days (with fraction) since
// 1899-12-30 00:00, in local time unless said otherwise. 0.0 is "unknown".

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace brivane {

using TDateTime = double;

constexpr TDateTime kZeroDate = 0.0;

// Days between 1899-12-30 and 1970-01-01.
constexpr double kUnixEpochDays = 25569.0;

// A calendar date and wall-clock time, without zone, to a date-time. Out-of-range
// fields are not normalised: the caller validates.
TDateTime EncodeDateTime(int aYear, int aMonth, int aDay, int aHour = 0, int aMinute = 0,
                         int aSecond = 0, int aMillisecond = 0);

struct TDateTimeParts {
    int Year, Month, Day, Hour, Minute, Second, Millisecond;
};
TDateTimeParts DecodeDateTime(TDateTime aValue);

// Seconds since the Unix epoch (UTC) to a local date-time, and back.
TDateTime UnixToLocalDateTime(std::int64_t aSeconds);
std::int64_t LocalDateTimeToUnix(TDateTime aValue);

TDateTime Now();

// "YYYY-MM-DDTHH:MM:SS"; the caller decides how to show the zero date.
std::string FormatIsoDateTime(TDateTime aValue);

// An HTTP date (RFC 1123, RFC 850 or asctime form, zone "GMT"/"UTC" or a numeric
// offset) to seconds since the Unix epoch; nothing when it does not parse.
std::optional<std::int64_t> ParseHttpDate(std::string_view aText);

} // namespace brivane

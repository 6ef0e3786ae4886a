#include "data/LocalDateTime.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace chrono = std::chrono;

namespace mervasto {

namespace {

chrono::year_month_day dateOf(const LocalDateTime& time) {
    return {chrono::year(time.year), chrono::month(static_cast<unsigned>(time.month)),
            chrono::day(static_cast<unsigned>(time.day))};
}

bool isValidTime(const LocalDateTime& time) {
    return dateOf(time).ok() && time.hour >= 0 && time.hour < 24 && time.minute >= 0 &&
           time.minute < 60 && time.second >= 0 && time.second < 60;
}

bool toLocalTime(std::time_t seconds, std::tm& local) {
#ifdef _WIN32
    return localtime_s(&local, &seconds) == 0;
#else
    return localtime_r(&seconds, &local) != nullptr;
#endif
}

// The calendar of `time` in UTC: for a time that the system cannot turn into local time
// (Windows' before 1970).
LocalDateTime utcDateTime(chrono::sys_seconds time) {
    const auto day = chrono::floor<chrono::days>(time);
    const chrono::year_month_day date(day);
    const chrono::hh_mm_ss clock(time - day);
    return {static_cast<int>(date.year()),
            static_cast<int>(unsigned(date.month())),
            static_cast<int>(unsigned(date.day())),
            static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()),
            static_cast<int>(clock.seconds().count())};
}

} // namespace

std::string formatLocalDateTime(const LocalDateTime& time) {
    char text[80]; // room for any int, so that nothing is cut
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}

std::optional<LocalDateTime> parseLocalDateTime(std::string_view text) {
    constexpr std::string_view Form = "0000-00-00 00:00:00";
    if (text.size() != Form.size())
        return std::nullopt;
    for (std::size_t i = 0; i < Form.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (Form[i] == '0' ? !digit : text[i] != Form[i])
            return std::nullopt;
    }
    const auto number = [&](std::size_t at, std::size_t length) {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    const LocalDateTime time{number(0, 4),  number(5, 2),  number(8, 2),
                             number(11, 2), number(14, 2), number(17, 2)};
    if (!isValidTime(time))
        return std::nullopt;
    return time;
}

LocalDateTime localDateTime(std::filesystem::file_time_type time) {
    const auto system = chrono::floor<chrono::seconds>(chrono::file_clock::to_sys(time));
    std::tm local{};
    if (!toLocalTime(chrono::system_clock::to_time_t(system), local))
        return utcDateTime(system);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

bool isOlderThanThreeMonths(const LocalDateTime& data, const LocalDateTime& now) {
    // A day that the later month lacks (30 November + 3 months) still compares in its place.
    const chrono::year_month_day threeMonthsOn = dateOf(data) + chrono::months(3);
    return threeMonthsOn < dateOf(now);
}

} // namespace mervasto

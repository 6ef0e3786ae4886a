#pragma once

#include <compare>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mervasto {

// A date and time on the local clock, as a zip entry or a file time stamp shows it.
struct LocalDateTime {
    int year = 0;
    int month = 0; // 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    auto operator<=>(const LocalDateTime&) const = default;
};

// "2025-09-30 00:00:00".
std::string formatLocalDateTime(const LocalDateTime& time);

// The form formatLocalDateTime writes; nothing for any other text or an impossible date.
std::optional<LocalDateTime> parseLocalDateTime(std::string_view text);

// The time a file was last written, on the local clock.
LocalDateTime localDateTime(std::filesystem::file_time_type time);

// Whether `data` lies more than three months before `now`: 30 June is old on 1 October.
bool isOlderThanThreeMonths(const LocalDateTime& data, const LocalDateTime& now);

} // namespace mervasto

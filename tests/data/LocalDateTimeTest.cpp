#include "data/LocalDateTime.h"

#include <gtest/gtest.h>

#include <chrono>

#include <optional>
#include <string>

namespace mervasto {
namespace {

struct TextCase {
    const char* text;
    std::optional<LocalDateTime> time; // nothing: the text is refused
};

class ParseLocalDateTime : public ::testing::TestWithParam<TextCase> {};

TEST_P(ParseLocalDateTime, ReadsOnlyTheFormItWrites) {
    EXPECT_EQ(parseLocalDateTime(GetParam().text), GetParam().time);
    if (GetParam().time) {
        EXPECT_EQ(formatLocalDateTime(*GetParam().time), GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseLocalDateTime,
    ::testing::Values(TextCase{"2025-09-30 00:00:00", LocalDateTime{2025, 9, 30, 0, 0, 0}},
                      TextCase{"1999-12-31 23:59:58", LocalDateTime{1999, 12, 31, 23, 59, 58}},
                      TextCase{"2024-02-29 12:00:00", LocalDateTime{2024, 2, 29, 12, 0, 0}},
                      TextCase{"2025-02-29 12:00:00", std::nullopt},
                      TextCase{"2025-13-01 00:00:00", std::nullopt},
                      TextCase{"2025-09-30 24:00:00", std::nullopt},
                      TextCase{"2025-09-30", std::nullopt},
                      TextCase{"2025/09/30 00:00:00", std::nullopt},
                      TextCase{"2025-09-30 00:00:0x", std::nullopt}, TextCase{"", std::nullopt}));

struct AgeCase {
    LocalDateTime data;
    LocalDateTime now;
    bool old;
};

class DataAge : public ::testing::TestWithParam<AgeCase> {};

TEST_P(DataAge, IsOldPastThreeMonths) {
    EXPECT_EQ(isOlderThanThreeMonths(GetParam().data, GetParam().now), GetParam().old)
        << formatLocalDateTime(GetParam().data) << " on " << formatLocalDateTime(GetParam().now);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DataAge,
    ::testing::Values(AgeCase{{2025, 9, 30}, {2025, 12, 30, 23, 59, 59}, false},
                      AgeCase{{2025, 9, 30}, {2025, 12, 31}, true},
                      AgeCase{{2025, 6, 30}, {2025, 10, 1}, true},
                      AgeCase{{2025, 11, 30}, {2026, 2, 28}, false}, // no 30 February
                      AgeCase{{2025, 11, 30}, {2026, 3, 1}, true},
                      AgeCase{{2025, 10, 15}, {2026, 1, 15}, false},
                      AgeCase{{2025, 10, 15}, {2026, 1, 16}, true},
                      AgeCase{{2026, 1, 1}, {2025, 12, 1}, false})); // a clock set back

// Windows cannot turn a time before 1970 into local time: the date is then UTC's, never a
// broken one.
TEST(LocalDateTimeOfAFile, IsADateBefore1970Too) {
    const std::chrono::sys_seconds day{std::chrono::sys_days{std::chrono::year{1950} / 6 / 15}};
    const LocalDateTime time = localDateTime(std::chrono::file_clock::from_sys(day));
    EXPECT_EQ(time.year, 1950);
    EXPECT_EQ(time.month, 6);
    EXPECT_TRUE(time.day >= 14 && time.day <= 15) << time.day;
}

} // namespace
} // namespace mervasto

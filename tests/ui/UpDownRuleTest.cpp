#include "ui/UpDownRule.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(UpDownRule, WholeDecimalNumbersWithinTheRangeAreTaken) {
    const std::pair<const char*, int> cases[] = {{"0", 0},     {"15", 15},    {"-25", -25},
                                                 {"+7", 7},    {"007", 7},    {"-0", 0},
                                                 {"100", 100}, {"-100", -100}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(PositionFollowingText(text, -100, 100, 42), value) << text;
}

TEST(UpDownRule, AnythingElseKeepsTheLastPosition) {
    for (const char* text : {"", "-", "+", "101", "-101", "150", "abc", "12abc", "0x10", "2,5",
                             "2.5", " 5", "5 ", "--5", "+-5", "99999999999999999999999"})
        EXPECT_EQ(PositionFollowingText(text, -100, 100, 42), 42) << '"' << text << '"';
}

TEST(UpDownRule, TheRangeIsTheUpDownsOwn) {
    EXPECT_EQ(UpDownValue("255", 0, 255), 255);
    EXPECT_EQ(UpDownValue("256", 0, 255), std::nullopt);
    EXPECT_EQ(UpDownValue("-1", 0, 255), std::nullopt);
    EXPECT_EQ(UpDownValue("-2147483648", INT_MIN, INT_MAX), INT_MIN);
    EXPECT_EQ(UpDownValue("2147483648", INT_MIN, INT_MAX), std::nullopt);
}

}  // namespace

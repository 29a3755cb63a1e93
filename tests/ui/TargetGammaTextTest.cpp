#include "ui/TargetGammaText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(TargetGammaText, FormatsWithAtMostThreeDecimalsAndNoLeadingZero) {
    const std::pair<double, const char*> cases[] = {
        {2.2, "2.2"},      {1.0, "1"},     {2.25, "2.25"},    {1.23456, "1.235"},
        {0.5, ".5"},       {0.0, ""},      {0.0004, ""},      {0.0005, ".001"},
        {1.2345, "1.235"}, {9.9996, "10"}, {-0.5, "-.5"},     {5.01, "5.01"},
        {12.0, "12"},      {0.1, ".1"},    {2.0049, "2.005"}, {1e20, "100000000000000000000"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatTargetGamma(value, '.'), text) << value;
    EXPECT_EQ(FormatTargetGamma(2.25, ','), "2,25");
    EXPECT_EQ(FormatTargetGamma(std::numeric_limits<double>::quiet_NaN(), '.'), "");
    EXPECT_EQ(FormatTargetGamma(std::numeric_limits<double>::infinity(), '.'), "");
}

TEST(TargetGammaText, ParsesNumbersInTheLocalesForm) {
    const std::pair<const char*, double> cases[] = {{"2.2", 2.2}, {".5", 0.5},  {"5.", 5.0},
                                                    {"+3", 3.0},  {"-1", -1.0}, {"1e-1", 0.1},
                                                    {"2E0", 2.0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseTargetGamma(text, '.'), value) << text;
    // Either separator on any system: a gamma has no thousands.
    EXPECT_EQ(ParseTargetGamma("1,8", ','), 1.8);
    EXPECT_EQ(ParseTargetGamma("2,2", '.'), 2.2);
    EXPECT_EQ(ParseTargetGamma("2.5", ','), 2.5);
}

TEST(TargetGammaText, RejectsWhatIsNotOneNumber) {
    for (const char* text : {"", ".", ",", "-", "e5", "1e", "1e+", "1.2.3", "1,2.3", "1,000,5",
                             " 2", "2 ", "abc", "2x", "1e999"})
        EXPECT_EQ(ParseTargetGamma(text, '.'), std::nullopt) << '"' << text << '"';
}

TEST(TargetGammaText, AcceptsAboveZeroUpToAndIncluding501) {
    EXPECT_TRUE(IsValidTargetGamma(*ParseTargetGamma("5.01", '.')));
    EXPECT_TRUE(IsValidTargetGamma(0.1));
    EXPECT_TRUE(IsValidTargetGamma(1e-9));
    EXPECT_FALSE(IsValidTargetGamma(0.0));
    EXPECT_FALSE(IsValidTargetGamma(-0.5));
    EXPECT_FALSE(IsValidTargetGamma(*ParseTargetGamma("5.0100001", '.')));
}

}  // namespace

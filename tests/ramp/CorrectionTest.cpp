// Ramp synthesis, point interpolation and level pairs, checked against known figures.

#include <gtest/gtest.h>

#include <limits>

#include "ramp/Correction.h"

namespace {

Ramp Build(TCorrection& c) {
    Ramp ramp{};
    BuildRamp(c, ramp);
    return ramp;
}

void ExpectAllChannels(const Ramp& ramp, int level, int value) {
    for (int ch = 0; ch < 3; ++ch)
        EXPECT_EQ(RampEntry(ramp, ch, level), value) << "channel " << ch << " level " << level;
}

class CorrectionTest : public ::testing::Test {
protected:
    void SetUp() override { Patterns() = PatternSettings{}; }
};

TEST_F(CorrectionTest, ClearedRecordAndIdentityRamp) {
    TCorrection c;
    Ramp cleared = Build(c);
    for (int i = 0; i < 256; ++i)
        ExpectAllChannels(cleared, i, 257 * i);

    Ramp linear{};
    LinearRamp(linear);
    for (int i = 0; i < 256; ++i)
        ExpectAllChannels(linear, i, 256 * i);
    EXPECT_EQ(RampEntry(linear, kBlue, 128), 32768);
    EXPECT_EQ(RampEntry(linear, kRed, 255), 65280);
}

TEST_F(CorrectionTest, GammaBendsTheCurve) {
    TCorrection c;
    c.Gamma = 100;
    Ramp up = Build(c);
    const int levels[] = {0, 1, 64, 128, 192, 255};
    const int brighter[] = {0, 4104, 32832, 46431, 56866, 65535};
    for (int k = 0; k < 6; ++k)
        ExpectAllChannels(up, levels[k], brighter[k]);

    c.Gamma = -50;
    Ramp down = Build(c);
    const int darker[] = {0, 1, 4128, 16513, 37153, 65535};
    for (int k = 0; k < 6; ++k)
        ExpectAllChannels(down, levels[k], darker[k]);
}

TEST_F(CorrectionTest, ZeroGammaFactorIsFloored) {
    TCorrection c;
    c.Gamma = -100;
    Ramp all = Build(c);
    for (int i = 0; i < 255; ++i)
        ExpectAllChannels(all, i, 0);
    ExpectAllChannels(all, 255, 65535);

    TCorrection red;
    red.GammaR = -100;
    Ramp r = Build(red);
    EXPECT_EQ(RampEntry(r, kRed, 128), 0);
    EXPECT_EQ(RampEntry(r, kRed, 255), 65535);
    EXPECT_EQ(RampEntry(r, kGreen, 128), 257 * 128);
    EXPECT_EQ(RampEntry(r, kBlue, 128), 257 * 128);
}

TEST_F(CorrectionTest, BlackWhiteAndBalance) {
    TCorrection black;
    black.Black = 100;
    Ramp b = Build(black);
    ExpectAllChannels(b, 0, 12800);
    ExpectAllChannels(b, 128, 39271);
    ExpectAllChannels(b, 255, 65535);

    TCorrection blackRed;
    blackRed.BlackR = -100;
    Ramp br = Build(blackRed);
    for (int i = 0; i <= 22; ++i)
        EXPECT_EQ(RampEntry(br, kRed, i), 0) << i;
    EXPECT_EQ(RampEntry(br, kRed, 23), 88);
    EXPECT_EQ(RampEntry(br, kRed, 128), 29709);
    EXPECT_EQ(RampEntry(br, kGreen, 128), 257 * 128);

    TCorrection white;
    white.White = -100;
    Ramp w = Build(white);
    ExpectAllChannels(w, 255, 39935);
    ExpectAllChannels(w, 128, 20046);

    TCorrection balance;
    balance.BalanceR = 100;
    Ramp bal = Build(balance);
    EXPECT_EQ(RampEntry(bal, kRed, 0), 3200);
    EXPECT_EQ(RampEntry(bal, kRed, 128), 36096);
    EXPECT_EQ(RampEntry(bal, kRed, 255), 65535);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(RampEntry(bal, kGreen, i), 257 * i);
        EXPECT_EQ(RampEntry(bal, kBlue, i), 257 * i);
    }
}

TEST_F(CorrectionTest, SinglePointCurve) {
    TCorrection c;
    c.PointOn[128] = 1;
    c.Point[128] = 100;
    Ramp ramp = Build(c);
    // Linear from level 0 up to the point, spline from it to level 255.
    const std::pair<int, int> expected[] = {{64, 50},  {127, 99}, {128, 100}, {129, 99}, {160, 86},
                                            {192, 55}, {224, 21}, {254, 0},   {255, 0}};
    for (auto [level, value] : expected)
        EXPECT_EQ(c.Point[level], value) << "level " << level;
    EXPECT_EQ(c.PointR[64], 0);
    ExpectAllChannels(ramp, 128, 39296);
}

TEST_F(CorrectionTest, TwoPointCurve) {
    TCorrection c;
    c.PointOn[64] = 1;
    c.Point[64] = 40;
    c.PointOn[192] = 1;
    c.Point[192] = -40;
    Build(c);
    const std::pair<int, int> expected[] = {{16, 10},   {32, 25},   {48, 37},   {96, 20}, {128, 0},
                                            {160, -20}, {191, -39}, {224, -24}, {254, 0}};
    for (auto [level, value] : expected)
        EXPECT_EQ(c.Point[level], value) << "level " << level;
    EXPECT_EQ(c.Point[64], 40);
    EXPECT_EQ(c.Point[192], -40);
}

TEST_F(CorrectionTest, ChannelPointsAreInterpolatedSeparately) {
    TCorrection c;
    c.PointOn[128] = 1;
    c.PointG[128] = -100;
    Ramp ramp = Build(c);
    EXPECT_EQ(c.PointG[64], -50);
    EXPECT_EQ(c.Point[64], 0);
    EXPECT_EQ(RampEntry(ramp, kRed, 128), 257 * 128);
    EXPECT_EQ(RampEntry(ramp, kGreen, 128), 32896 - 6400);
}

TEST_F(CorrectionTest, DisablingTheLastPointClearsTheArrays) {
    TCorrection c;
    c.PointOn[100] = 1;
    c.Point[100] = 30;
    c.PointB[100] = 7;
    Build(c);
    ASSERT_NE(c.Point[50], 0);
    c.PointOn[100] = 0;
    Build(c);
    EXPECT_EQ(c, TCorrection{});
}

TEST_F(CorrectionTest, PointsAtTheEndsKeepTheirValues) {
    TCorrection c;
    c.PointOn[0] = 1;
    c.Point[0] = 20;
    c.PointOn[255] = 1;
    c.Point[255] = -20;
    c.PointOn[128] = 1;
    c.Point[128] = 0;
    Ramp ramp = Build(c);
    EXPECT_EQ(c.Point[0], 20);
    EXPECT_EQ(c.Point[255], -20);
    EXPECT_EQ(c.Point[128], 0);
    EXPECT_EQ(c.Point[64], 12);    // spline from level 0 to the middle point
    EXPECT_EQ(c.Point[200], -11);  // linear into the last point
    EXPECT_EQ(RampEntry(ramp, kRed, 0), 20 * 64);
}

TEST_F(CorrectionTest, HugePointValuesDoNotOverflow) {
    TCorrection c;
    c.PointOn[10] = 1;
    c.Point[10] = 2147483647;
    c.PointR[10] = 2147483647;
    c.PointG[10] = -2147483647 - 1;
    c.PointB[10] = -2147483647 - 1;
    Ramp ramp = Build(c);
    EXPECT_EQ(RampEntry(ramp, kRed, 10), 65535);
    // (2^31 - 1) + (-2^31) = -1 as a 64-bit sum: a tiny darkening, not a wrap-around.
    EXPECT_EQ(RampEntry(ramp, kGreen, 10), 2506);
    EXPECT_EQ(RampEntry(ramp, kBlue, 10), 2506);

    // Between two points at the limit and one at the other limit the spline overshoots:
    // the curve is held at the limit, not wrapped to the other end.
    TCorrection overshoot;
    for (int level : {10, 20, 30})
        overshoot.PointOn[level] = 1;
    overshoot.Point[10] = overshoot.Point[20] = overshoot.PointR[30] = 2147483647;
    overshoot.Point[30] = overshoot.PointR[10] = overshoot.PointR[20] = -2147483647 - 1;
    InterpolatePoints(overshoot);
    for (int level = 11; level < 20; ++level) {
        EXPECT_EQ(overshoot.Point[level], 2147483647) << level;
        EXPECT_EQ(overshoot.PointR[level], -2147483647 - 1) << level;
    }
}

TEST_F(CorrectionTest, ClearPointsKeepsAdjustments) {
    TCorrection c;
    c.Gamma = 5;
    c.BalanceB = -3;
    c.PointOn[7] = 1;
    c.Point[7] = 9;
    c.PointR[200] = 4;
    ClearPoints(c);
    TCorrection expected;
    expected.Gamma = 5;
    expected.BalanceB = -3;
    EXPECT_EQ(c, expected);
    ClearCorrection(c);
    EXPECT_EQ(c, TCorrection{});
}

TEST_F(CorrectionTest, PointNavigation) {
    TCorrection none;
    EXPECT_EQ(NextPoint(none, 127), 128);
    EXPECT_EQ(NextPoint(none, 255), 255);
    EXPECT_EQ(PrevPoint(none, 0), 0);
    EXPECT_EQ(PrevPoint(none, 127), 126);

    TCorrection two;
    two.PointOn[10] = two.PointOn[200] = 1;
    EXPECT_EQ(NextPoint(two, 127), 200);
    EXPECT_EQ(NextPoint(two, 200), 10);
    EXPECT_EQ(NextPoint(two, 10), 200);
    EXPECT_EQ(PrevPoint(two, 127), 10);
    EXPECT_EQ(PrevPoint(two, 10), 200);

    TCorrection one;
    one.PointOn[42] = 1;
    EXPECT_EQ(NextPoint(one, 42), 42);
    EXPECT_EQ(PrevPoint(one, 42), 42);
}

TEST_F(CorrectionTest, GammaPairAtTwoPointTwo) {
    const std::pair<int, std::pair<int, int>> expected[] = {{0, {0, 0}},       {100, {0, 137}},
                                                            {186, {0, 255}},   {187, {33, 255}},
                                                            {200, {115, 255}}, {255, {255, 255}}};
    for (auto [level, pair] : expected)
        EXPECT_EQ(GammaPair(level), pair) << "level " << level;
}

TEST_F(CorrectionTest, GammaPairFollowsTargetGamma) {
    Patterns().TargetGamma = 1.0;
    EXPECT_EQ(GammaPair(100), std::make_pair(0, 200));
    EXPECT_EQ(GammaPair(200), std::make_pair(145, 255));
}

TEST_F(CorrectionTest, GammaPairFallsBackForAnUnusableTargetGamma) {
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN()}) {
        Patterns().TargetGamma = bad;
        EXPECT_EQ(GammaPair(0), std::make_pair(0, 0)) << bad;
        EXPECT_EQ(GammaPair(187), std::make_pair(33, 255)) << bad;
    }
    // A tiny gamma (the settings file takes any positive one) doubles every level past 255:
    // the pattern's high half is white, never a wrapped-round black.
    for (double tiny : {0.04, 0.001, 1e-300}) {
        Patterns().TargetGamma = tiny;
        EXPECT_EQ(GammaPair(0), std::make_pair(0, 0)) << tiny;
        EXPECT_EQ(GammaPair(1).second, 255) << tiny;
        EXPECT_EQ(GammaPair(200).second, 255) << tiny;
        EXPECT_EQ(GammaPair(255), std::make_pair(255, 255)) << tiny;
    }
}

}  // namespace

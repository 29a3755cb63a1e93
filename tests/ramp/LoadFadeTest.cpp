// The /load fade over in-memory monitors: targets, pass counts, writes and waits.

#include <gtest/gtest.h>

#include <vector>

#include "fakes/FakeEngine.h"

namespace {

using Kind = FakeDisplayPort::CallKind;

// `target` moved away by `distance` on every entry, staying inside 16 bits.
Ramp Away(const Ramp& target, int distance) {
    Ramp ramp;
    for (int i = 0; i < kRampSize; ++i)
        ramp[i] = static_cast<std::uint16_t>(target[i] >= distance ? target[i] - distance
                                                                   : target[i] + distance);
    return ramp;
}

TCorrection Brighter() {
    TCorrection c;
    c.Gamma = 20;
    c.GammaR = 10;
    c.White = -20;
    return c;
}

class LoadFadeTest : public FakeEngineTest {
protected:
    void Displays(int count) {
        for (int i = 0; i < count; ++i)
            port.AddMonitor("\\\\.\\DISPLAY" + std::to_string(i + 1), {0, 0, 1920, 1080});
        EnumDisplays();
    }
    std::vector<int> FadeSleeps(int count) { return std::vector<int>(count, 10); }
};

TEST_F(LoadFadeTest, DisplayWithoutFileFadesToIdentityAndTheOtherToItsFile) {
    Displays(2);
    SaveFile(0, Brighter());
    EXPECT_TRUE(LoadAndApplyAll(kFolder));

    EXPECT_EQ(port.monitors[0].ramp, Built(Brighter()));
    EXPECT_EQ(port.monitors[1].ramp, Linear());
    EXPECT_EQ(RampEntry(port.monitors[1].ramp, kBlue, 255), 65280);
    EXPECT_EQ(Engine().Corrections[0], Brighter());
    EXPECT_EQ(Engine().Corrections[1], TCorrection{});
}

TEST_F(LoadFadeTest, DisplaysNeedingThreeAndFortyPassesStopWritingWhenDone) {
    Displays(2);
    // 1500 away: 512, then 494, then the last 494 at once. 20481 away: 38 steps of 512
    // leave 1025, which takes two more.
    port.monitors[0].ramp = Away(Linear(), 1500);
    port.monitors[1].ramp = Away(Linear(), 20481);
    LoadAndApplyAll(kFolder);

    std::vector<int> order = {0, 1, 0, 1, 0, 1};
    order.insert(order.end(), 37, 1);
    EXPECT_EQ(port.WriteOrder(), order);
    const auto writes = port.CallsOf(Kind::SetGammaRamp);
    EXPECT_EQ(writes[4].ramp, Linear());      // display 1's last write, in pass 3
    EXPECT_NE(writes[3].ramp, Linear());      // display 2 in pass 2, still on its way
    EXPECT_EQ(writes.back().ramp, Linear());  // display 2 in pass 40
    EXPECT_NE(writes[writes.size() - 2].ramp, Linear());
    EXPECT_EQ(port.monitors[0].ramp, Linear());
    EXPECT_EQ(port.monitors[1].ramp, Linear());
    EXPECT_EQ(clock.sleeps, FadeSleeps(39));
}

TEST_F(LoadFadeTest, FullRangeChangeTakes128Passes) {
    Displays(1);
    TCorrection white;
    white.Black = 512;  // lifts every level to full scale
    SaveFile(0, white);
    port.monitors[0].ramp.fill(0);
    LoadAndApplyAll(kFolder);

    EXPECT_EQ(port.CountOf(Kind::SetGammaRamp), 128);
    Ramp full;
    full.fill(65535);
    EXPECT_EQ(port.monitors[0].ramp, full);
    EXPECT_EQ(clock.sleeps, FadeSleeps(127));
}

TEST_F(LoadFadeTest, TargetAlreadyInForceTakesOnePassWithOneWriteEach) {
    Displays(2);
    port.monitors[0].ramp = Linear();
    port.monitors[1].ramp = Linear();
    LoadAndApplyAll(kFolder);
    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(LoadFadeTest, UnreadableRampStartsFromIdentityAfterAPause) {
    Displays(2);
    // Were the fade to start from this, it would take 40 passes instead of one.
    port.monitors[0].ramp = Away(Linear(), 20481);
    port.monitors[0].failRead = true;
    port.monitors[1].ramp = Linear();
    LoadAndApplyAll(kFolder);

    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{0, 0, 1}));
    for (const auto& write : port.CallsOf(Kind::SetGammaRamp))
        EXPECT_EQ(write.ramp, Linear());
    EXPECT_EQ(clock.sleeps, (std::vector<int>{50}));
}

// A malformed file, one that does not open (locked), one that fails while being read and a
// good one made larger than a ramp file may be.
TEST_F(LoadFadeTest, MalformedOrUnreadableFileCountsAsMissingAndTheOthersStillFade) {
    Displays(6);
    SaveFile(0, Brighter());
    files.AddFile(RampFileName(kFolder, 1), "RampCurve v.1\r\nx\r\n20\r\n1O\r\n");
    SaveFile(2, Brighter());
    SaveFile(3, Brighter());
    files.FailReadOf(RampFileName(kFolder, 3));
    SaveFile(4, Brighter());
    files.FailReadOf(RampFileName(kFolder, 4), 100);
    SaveFile(5, Brighter());
    const std::string padded = files.Contents(RampFileName(kFolder, 5)) + "\r\n";
    files.AddFile(RampFileName(kFolder, 5),
                  padded + std::string(kMaxRampFileBytes - padded.size() + 1, ' '));
    for (int i = 0; i < 6; ++i)
        port.monitors[i].ramp = Away(Linear(), 4000);

    EXPECT_TRUE(LoadAndApplyAll(kFolder));
    for (int i : {0, 2})
        EXPECT_EQ(port.monitors[i].ramp, Built(Brighter())) << i;
    for (int i : {1, 3, 4, 5}) {
        EXPECT_EQ(port.monitors[i].ramp, Linear()) << i;
        EXPECT_EQ(Engine().Corrections[i], TCorrection{}) << i;  // no half-read values
    }
    EXPECT_EQ(Engine().Corrections[2], Brighter());
}

TEST_F(LoadFadeTest, FailingWritesDoNotStopTheFade) {
    Displays(2);
    port.monitors[0].failWrite = true;
    port.monitors[0].ramp = Away(Linear(), 1500);
    port.monitors[1].ramp = Away(Linear(), 1500);
    EXPECT_FALSE(LoadAndApplyAll(kFolder));  // the first display took nothing
    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(port.monitors[1].ramp, Linear());
    EXPECT_TRUE(DisplayRefused(0));
    EXPECT_FALSE(DisplayRefused(1));

    // Windows past its limit reports success and keeps the old ramp: only the read-back tells.
    port.monitors[0].failWrite = false;
    port.monitors[0].ignoreWrites = true;
    EXPECT_FALSE(LoadAndApplyAll(kFolder));
    port.monitors[0].ignoreWrites = false;
    EXPECT_TRUE(LoadAndApplyAll(kFolder));
    EXPECT_FALSE(DisplayRefused(0));
}

TEST_F(LoadFadeTest, NoDisplayNoCall) {
    Displays(0);
    port.calls.clear();
    EXPECT_TRUE(LoadAndApplyAll(kFolder));
    EXPECT_TRUE(port.calls.empty());
    EXPECT_TRUE(clock.sleeps.empty());
}

}  // namespace

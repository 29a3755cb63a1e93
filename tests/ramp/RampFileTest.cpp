// Ramp files: the exact bytes written, the reading rules, and damaged files.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "base/Errors.h"
#include "fakes/FakeDisplayPort.h"
#include "fakes/MemoryFileSystem.h"
#include "ramp/RampFile.h"
#include "ramp/RampFileMatch.h"

namespace {

const char* const kFile = "C:\\Data\\Tonecast1.lut";

std::string ReadTestData(const std::string& name) {
    std::ifstream in(std::string(TONECAST_TEST_DATA) + "/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// A record with something in every kind of field: negative and extreme adjustments, and
// two enabled points whose neighbours hold an interpolated curve.
TCorrection Varied() {
    TCorrection c;
    c.Gamma = -5;
    c.GammaR = 12;
    c.Black = 2147483647;
    c.WhiteB = -2147483647 - 1;
    c.BalanceB = 300;
    c.PointOn[5] = 1;
    c.Point[5] = -40;
    c.PointG[5] = 17;
    c.PointOn[200] = 1;
    c.Point[200] = 60;
    c.PointB[200] = -9;
    InterpolatePoints(c);
    return c;
}

class RampFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        Engine() = DisplayState{};
        UseDisplayPort(port);
        UseFileSystem(files);
        port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080});
        port.AddMonitor("\\\\.\\DISPLAY2", {-1280, 0, 0, 1024});
        // The record's own lines; the monitor line has a test of its own.
        for (FakeMonitor& monitor : port.monitors)
            monitor.deviceId.clear();
        EnumDisplays();
        files.AddFolder("C:\\Data");
    }
    void TearDown() override { Engine() = DisplayState{}; }

    // Reads `text` as a ramp file into a record that starts out non-zero everywhere, so
    // untouched and overwritten fields can be told apart.
    bool Read(const std::string& text) {
        files.AddFile(kFile, text);
        record = Marked();
        device = "unchanged";
        return ReadRampFile(record, device, kFile);
    }
    static TCorrection Marked() {
        TCorrection c;
        c.Gamma = c.BalanceB = 99;
        c.PointOn.fill(1);
        c.Point.fill(-3);
        c.PointB.fill(8);
        return c;
    }
    std::vector<std::string> ClearedLines() { return Lines(ReadTestData("RampCleared.lut")); }

    FakeDisplayPort port;
    MemoryFileSystem files;
    TCorrection record;
    std::string device;
};

TEST_F(RampFileTest, FileNamesCountDisplaysFromOne) {
    EXPECT_EQ(RampFileName("C:\\ProgramData\\Velmor\\Tonecast\\", 0),
              "C:\\ProgramData\\Velmor\\Tonecast\\Tonecast1.lut");
    EXPECT_EQ(RampFileName("D:\\x\\", 11), "D:\\x\\Tonecast12.lut");
}

TEST_F(RampFileTest, ClearedRecordIsWrittenByteForByte) {
    const std::string reference = ReadTestData("RampCleared.lut");
    ASSERT_EQ(Lines(reference).size(), 1297u);
    ASSERT_TRUE(WriteRampFile(TCorrection{}, 0, kFile));
    EXPECT_EQ(files.Contents(kFile), reference);
    EXPECT_EQ(files.writes, (std::vector<std::string>{kFile}));
}

TEST_F(RampFileTest, EveryFieldIsWrittenOnItsOwnLine) {
    ASSERT_TRUE(WriteRampFile(Varied(), 1, kFile));
    const std::vector<std::string> lines = Lines(files.Contents(kFile));
    ASSERT_EQ(lines.size(), 1297u);
    EXPECT_EQ(lines[1], "\\\\.\\DISPLAY2");
    EXPECT_EQ(lines[2], "-5");
    EXPECT_EQ(lines[3], "12");
    EXPECT_EQ(lines[6], "2147483647");
    EXPECT_EQ(lines[13], "-2147483648");
    EXPECT_EQ(lines[16], "300");
    const int level5 = 17 + 5 * 5;
    EXPECT_EQ(std::vector<std::string>(lines.begin() + level5, lines.begin() + level5 + 5),
              (std::vector<std::string>{"TRUE", "-40", "0", "17", "0"}));
    const int level4 = 17 + 4 * 5;
    EXPECT_EQ(lines[level4], "FALSE");
    EXPECT_EQ(lines[level4 + 1], std::to_string(Varied().Point[4]));
    EXPECT_NE(lines[17 + 100 * 5 + 1], "0");  // the interpolated curve between the points
}

TEST_F(RampFileTest, WrittenFileReadsBackAsTheSameRecord) {
    const TCorrection written = Varied();
    ASSERT_TRUE(WriteRampFile(written, 1, kFile));
    TCorrection back = Marked();
    std::string name;
    ASSERT_TRUE(ReadRampFile(back, name, kFile));
    EXPECT_EQ(back, written);
    EXPECT_EQ(name, "\\\\.\\DISPLAY2");
}

TEST_F(RampFileTest, TheMonitorLineFollowsTheRecordWhereEarlierReadersStop) {
    port.monitors[1].deviceId = "\\\\?\\DISPLAY#Default_Monitor#0001&0000#{e6f07b5f}";
    EnumDisplays();
    ASSERT_TRUE(WriteRampFile(Varied(), 1, kFile));
    std::vector<std::string> lines = Lines(files.Contents(kFile));
    ASSERT_EQ(lines.size(), 1298u);
    EXPECT_EQ(lines.back(), "Monitor=" + port.monitors[1].deviceId);
    lines.pop_back();
    EXPECT_EQ(Join(lines), FormatRampFile(Varied(), "\\\\.\\DISPLAY2"));

    TCorrection back;
    std::string name, monitor;
    ASSERT_TRUE(ReadRampFile(back, name, kFile, &monitor));
    EXPECT_EQ(back, Varied());
    EXPECT_EQ(monitor, port.monitors[1].deviceId);
    files.AddFile(kFile, Join(lines));
    ASSERT_TRUE(ReadRampFile(back, name, kFile, &monitor));
    EXPECT_EQ(monitor, "");
}

TEST_F(RampFileTest, FilesGoToTheirMonitorThenByNumberAndAnAbsentMonitorsFileToNobody) {
    port.monitors[0].deviceId = "A";
    port.monitors[1].deviceId = "B";
    port.AddMonitor("\\\\.\\DISPLAY3", {}).deviceId = "C";
    port.AddMonitor("\\\\.\\DISPLAY4", {});  // the system gives no ID
    EnumDisplays();
    const std::string folder = "C:\\Data\\";
    files.AddFile(folder + "Tonecast1.lut", FormatRampFile(Varied(), "", "B"));
    files.AddFile(folder + "Tonecast2.lut", FormatRampFile(Varied(), "", "unplugged"));
    files.AddFile(folder + "Tonecast3.lut", FormatRampFile(Varied(), ""));  // an earlier version's
    files.AddFile(folder + "Tonecast4.lut", FormatRampFile(Varied(), "", "A"));
    files.AddFile(folder + "Tonecast04.lut", FormatRampFile(Varied(), "", "D"));
    EXPECT_EQ(MatchRampFiles(folder),
              (std::vector<std::string>{folder + "Tonecast4.lut", folder + "Tonecast1.lut",
                                        folder + "Tonecast3.lut", folder + "Tonecast5.lut"}));
}

TEST_F(RampFileTest, NoWriteForAnIndexOutsideTheList) {
    EXPECT_FALSE(WriteRampFile(TCorrection{}, 2, kFile));
    EXPECT_FALSE(WriteRampFile(TCorrection{}, -1, kFile));
    EXPECT_TRUE(files.writes.empty());
    EXPECT_FALSE(files.FileExists(kFile));
}

TEST_F(RampFileTest, WriteFailureReachesTheCallerAndKeepsTheOldFile) {
    files.AddFile(kFile, "old");
    files.FailWritesUnder("C:\\Data");
    try {
        WriteRampFile(TCorrection{}, 0, kFile);
        FAIL() << "no error";
    } catch (const InOutError& error) {
        EXPECT_STREQ(error.what(), "File access denied");
        EXPECT_EQ(error.code, 5);
    }
    EXPECT_EQ(files.Contents(kFile), "old");
}

TEST_F(RampFileTest, MissingFileOrWrongHeaderLeavesTheRecordAlone) {
    record = Marked();
    EXPECT_FALSE(ReadRampFile(record, device, "C:\\Data\\Tonecast9.lut"));
    EXPECT_EQ(record, Marked());

    std::vector<std::string> lines = ClearedLines();
    for (const char* header : {"RampCurve v.1 ", "rampcurve v.1", "RAMPCURVE V.1", " RampCurve v.1",
                               "RampCurve v.2", ""}) {
        lines[0] = header;
        EXPECT_FALSE(Read(Join(lines))) << '"' << header << '"';
        EXPECT_EQ(record, Marked()) << '"' << header << '"';
        EXPECT_EQ(device, "unchanged");
    }
    EXPECT_FALSE(Read(""));
    EXPECT_EQ(record, Marked());
}

TEST_F(RampFileTest, OnlyTrueInCapitalsEnablesAPoint) {
    std::vector<std::string> lines = ClearedLines();
    const char* flags[] = {"TRUE", "true", "True", "TRUE ", " TRUE", "TRUE\t", "1", "YES"};
    for (int k = 0; k < 8; ++k)
        lines[17 + 5 * k] = flags[k];
    ASSERT_TRUE(Read(Join(lines)));
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(record.PointOn[k], k == 0 ? 1 : 0) << flags[k];
}

TEST_F(RampFileTest, NumbersFollowTheIntegerRules) {
    std::vector<std::string> lines = ClearedLines();
    const std::pair<const char*, std::int32_t> cases[] = {
        {"-2147483648", -2147483647 - 1},
        {"2147483647", 2147483647},
        {"+7", 7},
        {"007", 7},
        {"  \t-12", -12},
        {"12 34", 12},  // the rest of the line is dropped
        {"5\tx", 5},
        {"-0", 0},
        // At most 32 characters form the token; the rest of the line is dropped.
        {"0000000000000000000000000000000099", 0},
    };
    int line = 2;
    for (const auto& [text, value] : cases)
        lines[line++] = text;
    ASSERT_TRUE(Read(Join(lines)));
    const std::int32_t got[] = {record.Gamma,  record.GammaR, record.GammaG,
                                record.GammaB, record.Black,  record.BlackR,
                                record.BlackG, record.BlackB, record.White};
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(got[k], cases[k].second) << cases[k].first;
}

TEST_F(RampFileTest, MalformedNumberRaisesAndLeavesTheRecordAlone) {
    for (const char* bad : {"12abc", "abc", "-", "+", "0x10", "1.5", "1,5", "2147483648",
                            "-2147483649", "99999999999", "--1", "$10", "TRUE"}) {
        for (int line : {2, 16, 17 + 5 * 255 + 4}) {  // Gamma, BalanceB, the very last item
            std::vector<std::string> lines = ClearedLines();
            lines[line] = bad;
            try {
                Read(Join(lines));
                ADD_FAILURE() << '"' << bad << "\" on line " << line + 1 << " was accepted";
            } catch (const ConvertError& error) {
                EXPECT_STREQ(error.what(), "Invalid numeric input");
            }
            EXPECT_EQ(record, Marked()) << bad;
            EXPECT_EQ(device, "unchanged") << bad;
        }
    }
}

TEST_F(RampFileTest, BlankLinesBeforeNumbersAreSkipped) {
    std::vector<std::string> lines = Lines(FormatRampFile(Varied(), "\\\\.\\DISPLAY1"));
    lines.insert(lines.begin() + 17 + 5 * 5 + 1, "");  // before Point[5]
    lines.insert(lines.begin() + 2, {"", " \t"});      // before Gamma
    ASSERT_TRUE(Read(Join(lines)));
    EXPECT_EQ(record, Varied());
}

TEST_F(RampFileTest, BlankLineBeforeAFlagShiftsTheFlagIntoANumber) {
    std::vector<std::string> lines = ClearedLines();
    lines.insert(lines.begin() + 17 + 5 * 3, "");  // before the flag of level 3
    try {
        Read(Join(lines));
        FAIL() << "accepted";
    } catch (const ConvertError&) {
    }
    EXPECT_EQ(record, Marked());
}

TEST_F(RampFileTest, FileCutShortReadsZerosAndFlagsOff) {
    std::vector<std::string> lines = ClearedLines();
    lines[2] = "7";
    lines[17] = "TRUE";
    lines[18] = "-4";
    lines.resize(19);
    ASSERT_TRUE(Read(Join(lines) + "33"));  // last number without a line end
    TCorrection expected;
    expected.Gamma = 7;
    expected.PointOn[0] = 1;
    expected.Point[0] = -4;
    expected.PointR[0] = 33;
    EXPECT_EQ(record, expected);

    ASSERT_TRUE(Read("RampCurve v.1"));
    EXPECT_EQ(record, TCorrection{});
    EXPECT_EQ(device, "");
}

TEST_F(RampFileTest, LinesEndingInLineFeedOnlyReadTheSame) {
    std::string text = FormatRampFile(Varied(), "\\\\.\\DISPLAY1");
    std::string unix;
    for (char ch : text)
        if (ch != '\r')
            unix += ch;
    ASSERT_TRUE(Read(unix));
    EXPECT_EQ(record, Varied());
    EXPECT_EQ(device, "\\\\.\\DISPLAY1");
}

TEST(StepTowardTest, StepsHalfTheDistanceCappedAt512AndSnapsWhenClose) {
    struct Case {
        std::uint16_t from, to, after;
        bool partial;
    };
    const Case cases[] = {
        {1000, 1000, 1000, false},    {0, 513, 513, false},  {513, 0, 0, false},
        {0, 514, 257, true},          {514, 0, 257, true},   {0, 1000, 500, true},
        {0, 1025, 512, true},         {0, 65535, 512, true}, {65535, 0, 65023, true},
        {65280, 65535, 65535, false},
    };
    for (const Case& c : cases) {
        std::uint16_t current = c.from;
        EXPECT_EQ(StepToward(current, c.to), c.partial) << c.from << " -> " << c.to;
        EXPECT_EQ(current, c.after) << c.from << " -> " << c.to;
    }
}

}  // namespace

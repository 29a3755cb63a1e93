#pragma once
// The resident loader's decisions (Tonestart.exe): after the log-on fade it keeps every
// display's saved ramp on the display, without fighting. The window side
// (win32/LoaderWindow.cpp) turns the system's messages and its timer into these calls.
//
// Its rules:
// - A display keeps the correction saved for its monitor (RampFileMatch.h); a display without
//   one, and one in HDR, where Windows does not define gamma ramps, is never written.
// - While a calibration window is open, or a full-screen program or presentation runs, the
//   loader rests; afterwards it reads the ramp files again and puts back what is missing. A
//   window ended by force has left its session file: the ramps it had found come back on the
//   displays without a ramp file as soon as the window has gone.
// - The periodic check reads each display's ramp back and writes the correction only where it
//   is gone. It also looks at the ramp files' size and time, and reads them again when they
//   changed.
// - A display that refuses its ramp is tried again after 2 s, then 4, 8, ... at most a minute
//   apart, and until then on every event.
// - A program that puts its own ramp back more than kOverwritesBeforePause times in a row is
//   left the display for 30 s, then 60, ... at most 10 minutes; "Re-apply now" takes over
//   again at once.
// - Resume, unlock and a display change write a ramp one entry off first, then the correction,
//   so that a driver which ignores a ramp equal to the one it believes it has takes it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Ramp.h"

// How often the periodic check reads every display's ramp back.
inline constexpr int kLoaderCheckIntervalMs = 2000;
// A refused ramp is written again after these delays, each twice the one before.
inline constexpr int kFirstRetryMs = 2000, kLongestRetryMs = 60000;
// Overwrites found within kFightWindowMs of the loader's own last write count as in a row.
inline constexpr int kOverwritesBeforePause = 3;
inline constexpr int kFightWindowMs = 10000;
inline constexpr int kFirstPauseMs = 30000, kLongestPauseMs = 600000;
inline constexpr int kCalibrationStartMs = 10000;

// What the loader asks of the system around it.
struct LoaderSurroundings {
    // Whether a calibration window is open (the fallback of the window's own messages).
    std::function<bool()> calibrationOpen;
    // Whether a full-screen Direct3D program or presentation mode runs.
    std::function<bool()> fullScreen;
    // A steady clock in milliseconds.
    std::function<std::int64_t()> nowMs;
};

class Loader {
public:
    Loader(std::string dataFolder, LoaderSurroundings surroundings);

    // The log-on fade, as "/load" does it, after putting back what a calibration window ended
    // by force had found. False when there is nothing to keep: no display has a ramp file (then
    // nothing is faded) or none of them could be read. While a calibration window is open
    // nothing is faded and the loader waits for it (true).
    bool Start();
    // The display configuration changed: the display list is made again and every saved
    // ramp is written at once.
    void OnDisplayChange();
    // Resume, unlock, reconnect: every saved ramp is written at once, the refused ones
    // included; displays left to another program stay so.
    void OnReapply();
    // The menu's "Re-apply now": as OnReapply, and the loader takes over the displays it had
    // left to another program.
    void ReapplyNow();
    // The calibration window says it opens or closed. Its word that it opens holds for
    // kCalibrationStartMs, until the window can be found; one that ends without a word (a
    // crash) is then missed by the fallback.
    void OnCalibrationOpened();
    void OnCalibrationClosed();
    // The periodic check.
    void Check();

    // "Tonecast", and a line for each kind of trouble: displays that refused their ramp,
    // displays left to another program, displays in HDR.
    std::string TrayTip() const;
    // What to tell the user once, as a notification, about what just happened (the log-on
    // fade, an event, a check): the displays that newly refused their ramp, and those newly left
    // to another program. Empty when there is nothing (new) to tell; taking it empties it.
    std::string TakeNotice();
    // "Paused: another program controls Display 2", one per display left to another program.
    std::vector<std::string> PausedNotes() const;

private:
    struct Kept {
        std::string file;                          // the ramp file matched to the display
        std::uint64_t fileSize = 0, fileTime = 0;  // as read; 0, 0 when there was none
        std::optional<Ramp> target;                // none: the display is left alone
        std::int64_t retryAt = 0;                  // refused: the next write not before this
        int retryDelay = 0;
        std::optional<std::int64_t> lastWrite;  // the loader's last write of the correction
        int overwrites = 0;                     // found overwritten in a row
        bool paused = false;                    // left to another program
        int pauseDelay = 0;
        std::int64_t resumeAt = 0;
    };

    // True while the loader leaves the displays alone. When that ends it takes up afresh the
    // settings with the language (a calibration window may have switched it), the display list
    // (displays may have changed), the session file a window ended by force left, and the ramp
    // files (OK may have rewritten them).
    bool Resting();
    void ReadTargets();
    bool FilesChanged() const;
    void CheckDisplay(int index, std::int64_t now);
    // Writes the correction, verified, and schedules a retry when it is refused; false then.
    bool WriteKept(int index, std::int64_t now);
    // The correction after a ramp one entry off it.
    void WriteTwice(int index, std::int64_t now);
    // After an event: every kept display written twice, its refusals told.
    void WriteAllTwice();
    std::string DisplayList(bool (Loader::*has)(int) const) const;
    bool IsRefused(int index) const;
    bool IsPaused(int index) const;
    bool IsLeftInHdr(int index) const;
    // The refused displays become the notice.
    void NoteRefusals();
    void Tell(const std::string& line);

    std::string dataFolder_;
    LoaderSurroundings surroundings_;
    std::vector<Kept> kept_;                          // one per display, same index
    std::optional<std::int64_t> calibrationOpening_;  // when the window said it opens
    bool rested_ = false;
    std::string notice_;
};

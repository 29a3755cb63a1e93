#pragma once
// The resident loader's decisions (Tonestart.exe): after the log-on fade it keeps every
// display's saved ramp on the display. The window side (win32/LoaderWindow.cpp) turns the
// system's messages and its timer into these calls.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Ramp.h"

// How often the periodic check reads every display's ramp back.
inline constexpr int kLoaderCheckIntervalMs = 2000;

class Loader {
public:
    // `calibrationOpen` tells whether a calibration window is open; while it is, the loader
    // leaves the displays to it.
    Loader(std::string dataFolder, std::function<bool()> calibrationOpen);

    // The log-on fade, as "/load" does it, after putting back what a calibration window ended
    // by force had found. False when there is nothing to keep: no display has a ramp file (then
    // nothing is faded) or none of them could be read. While a calibration window is open
    // nothing is faded and the loader waits for it (true).
    bool Start();
    // The display configuration changed: the display list is made again and every saved
    // ramp is written at once.
    void OnDisplayChange();
    // Resume, unlock, reconnect, "Re-apply now": every saved ramp is written at once, the
    // refused ones included.
    void OnReapply();
    // The periodic check: one read-back per display; a display whose ramp is no longer its
    // saved one gets it again. A display that refused is left until the next event, so a
    // refusal costs one write per event rather than one per check.
    void Check();

    // "Tonecast", and on a second line the displays that refused their ramp.
    std::string TrayTip() const;
    // What to tell the user once, as a notification, about the last event (the log-on fade, a
    // display change, a reapply, or a check that found a changed ramp): the displays that
    // refused their ramp in it. Empty when there is nothing (new) to tell; taking it empties it.
    std::string TakeNotice();

private:
    // True while a calibration window is open; when it has closed, takes up the ramp files
    // again (OK may have rewritten them) on a fresh display list, and the settings with the
    // language (the window may have switched it).
    bool Paused();
    void ReadTargets();
    void WriteAll();
    // The refused displays' names, in the language of the moment; empty when none refused.
    std::string RefusedNames() const;
    // After an event: the refusals it brought become the notice.
    void NoteRefusals();

    std::string dataFolder_;
    std::function<bool()> calibrationOpen_;
    // One per display, by index; none for a display without a readable ramp file, which the
    // loader leaves alone.
    std::vector<std::optional<Ramp>> targets_;
    bool paused_ = false;
    std::string notice_;
};

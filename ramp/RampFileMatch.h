#pragma once
// Which ramp file belongs to which display. Windows renumbers displays when a monitor is added,
// removed or re-ordered (a laptop docked or undocked), so a file saved by this version names
// the device ID of its monitor and belongs to the display with that ID, whatever its number.
// A file saved before, without one, belongs to the display of its number, as it always did.
// A file naming a monitor that is not attached belongs to nobody: it is neither read nor
// overwritten until that monitor is back.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// N of "Tonecast<N>" + `extension` (".lut", ".icm"), letter case aside, as RampFileName spells
// N (no sign, no leading zero); nothing for any other name.
std::optional<int> TonecastFileNumber(const std::string& name, std::string_view extension);

// One file name per display of the engine's list, in list order: where its saved correction is
// read from and where OK writes it. A display with no file gets the lowest number no file
// uses, so that writing it harms no other monitor's file.
std::vector<std::string> MatchRampFiles(const std::string& dataFolder);

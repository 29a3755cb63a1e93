#pragma once

#include <optional>
#include <string>

#include "base/AllOrNothing.h"

// The shortcut to `target` in the user's Startup folder as a file of a save (its path there,
// the link's bytes); none when the shell cannot name the Startup folder. Throws OleError when the
// shell's link object cannot be created or give its bytes.
std::optional<PreparedFile> PrepareStartupShortcut(const std::string& target);

// Deletes that shortcut from the user's Startup folder, if it is there: an installed copy's
// loader is started for every user by the installer's entry, and the shortcut of earlier
// versions would start it a second time.
void RemoveStartupShortcut(const std::string& target);

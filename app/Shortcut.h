#pragma once

#include <optional>
#include <string>

#include "base/AllOrNothing.h"

// The shortcut to `target` in the user's Startup folder as a file of a save (its path there,
// the link's bytes); none when the shell cannot name the Startup folder. Throws OleError when the
// shell's link object cannot be created or give its bytes.
std::optional<PreparedFile> PrepareStartupShortcut(const std::string& target);

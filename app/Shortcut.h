#pragma once

#include <string>

// Writes (or overwrites) the shortcut to `target` in the user's Startup folder; throws OleError
// when the shell's link object cannot be created.
void EnsureStartupShortcut(const std::string& target);

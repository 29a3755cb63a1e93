#pragma once

#include <string>

// Writes (or overwrites) the shortcut to `target` in the user's Startup folder. Always true;
// throws OleError when the shell's link object cannot be created.
bool EnsureStartupShortcut(const std::string& target);

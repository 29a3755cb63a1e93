#pragma once
// Start-up, command line and shutdown.

#include <string>

inline constexpr const char* kProgramTitle = "Velmor Tonecast 3.1.0";
inline constexpr const char* kProgramNameAndVersion = "Tonecast 3.1.0";

// True when the interactive run is to follow. `firstArgument` is the first command-line
// argument as the platform splits it (empty when there is none).
bool StartApplication(const std::string& firstArgument);
void FinishApplication();
std::string BuildUninstallQuery();

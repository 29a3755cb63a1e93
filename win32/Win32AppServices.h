#pragma once
// The Win32 shell and private-profile implementations of the application frame's platform
// interfaces.

#include <cstdint>

#include "app/Platform.h"

Shell& Win32Shell();
ProfileStore& Win32Profile();

// COM on the calling thread: started by the first step that needs it (the start-up shortcut,
// the file dialog), so that the start of the program neither waits for it nor loads it;
// EndCom ends what was started.
void EnsureCom();
void EndCom();

// Shell::GammaRangeLifted and Shell::SignInTime.
bool ReadGammaRangeLifted(std::int64_t& writtenAt);
std::int64_t SessionSignInTime();

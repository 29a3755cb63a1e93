#pragma once
// The Win32 shell and private-profile implementations of the application frame's platform
// interfaces.

#include "app/Platform.h"

Shell& Win32Shell();
ProfileStore& Win32Profile();

#pragma once
// Puts back the ramps captured when the calibration window opened if the program ends
// abnormally while it is open: an unhandled exception (a crash, in our code or in a driver
// call), std::terminate, or the end of the session. A correction can leave a display all but
// black or white, and nobody can click their way out of a display they cannot see.

// Copies the captured ramps and the displays' device contexts into memory of its own, so that
// the crash path neither allocates nor takes a lock, and installs the handlers (once). Called
// again, it takes the present captures.
void ArmCrashRestore();
// After a regular close: the ramps are already what the user chose.
void DisarmCrashRestore();
// Writes the armed ramps back, at most once per arming; safe to call from a crash.
void RestoreArmedRamps();

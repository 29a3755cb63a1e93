#pragma once
// The interactive run: creates the calibration window and the backdrop window and runs the
// message loop until the calibration window has closed. COM is initialised by the caller.
// Returns the process exit code: the loop's, or kExitNoDisplay when there is no display.

int RunInteractive();

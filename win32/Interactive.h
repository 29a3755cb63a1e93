#pragma once
// The interactive run: creates the calibration window and the backdrop window and runs the
// message loop until the calibration window has closed. COM is initialised by the caller.
// Returns the loop's exit code.

int RunInteractive();

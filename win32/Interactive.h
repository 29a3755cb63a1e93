#pragma once
// The interactive run: the calibration window and its message loop, after COM is initialised.
// Returns the process exit code.

int RunInteractive();

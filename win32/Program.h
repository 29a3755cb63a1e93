#pragma once
// Entry points of the two executables; each returns the process exit code.

int RunTonecast();
int RunTonestart();

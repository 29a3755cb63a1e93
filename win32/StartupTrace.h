#pragma once
// Time stamps of the start-up steps, for finding where the wait before the first paint goes.
// Only when the environment variable TONECAST_STARTUP_TRACE names a file: each step appends one
// line "<milliseconds since the process was created> <step>" to it. Otherwise nothing is done.

void TraceStartup(const char* step);

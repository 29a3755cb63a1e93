#pragma once
// Local time and sleeping through the Win32 API.

#include "base/Clock.h"

class Win32Clock : public Clock {
public:
    double NowLocalDays() override;
    void Sleep(int milliseconds) override;
};

// Days since 1899-12-30 of a local FILETIME value (100 ns ticks since 1601-01-01).
double FileTimeTicksToDays(unsigned long long ticks);

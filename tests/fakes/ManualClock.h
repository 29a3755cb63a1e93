#pragma once
// A clock that never waits: sleeps are recorded and advance the time.

#include <vector>

#include "base/Clock.h"

class ManualClock : public Clock {
public:
    double NowLocalDays() override { return now; }
    void Sleep(int milliseconds) override {
        sleeps.push_back(milliseconds);
        now += milliseconds / 86400000.0;
    }

    double now = 46000.0;
    std::vector<int> sleeps;
};

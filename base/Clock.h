#pragma once
// Time and waiting behind an interface, so that fades and day counts are testable
// without waiting.

class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time as days since 1899-12-30, time of day as the fraction.
    virtual double NowLocalDays() = 0;
    virtual void Sleep(int milliseconds) = 0;
};

Clock& SystemClock();
void UseClock(Clock& clock);

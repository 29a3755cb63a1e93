#pragma once
// Windows' limit on how far a gamma ramp may depart from the identity, as far as the program
// can tell it from the registry: what a display's refusal of its correction means to the user.

// GdiIcmGammaRange (DWORD) under HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\ICM.
inline constexpr const char* kGammaRangeKey =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ICM";
inline constexpr const char* kGammaRangeValue = "GdiIcmGammaRange";
// The value that lifts the limit.
inline constexpr unsigned long kGammaRangeLifted = 256;

enum class GammaLimit {
    InForce,             // the value is not set (or below 256): the limit holds
    LiftedAtNextSignIn,  // set after this session's sign-in: it holds until the user signs in again
    Lifted,              // set before this session's sign-in: a refusal is the driver's own
};

// Windows reads the value when the user signs in, so a value written after that has no effect
// yet. The key's last-write time stands for when the value was written; when the system does not
// tell the sign-in time, the start of the system stands in for it, which can only make a value
// look newer than it is (and the advice to sign in again is then harmless).
GammaLimit ReadGammaLimit();

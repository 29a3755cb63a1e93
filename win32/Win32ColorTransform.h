#pragma once
// The colour system's objects behind the reference image's conversion: the display's profile
// and a transform from sRGB to it. Shared by the converter and by the checks that hold its
// result against the colour system's own pixel-by-pixel conversion.

#include <windows.h>
// after windows.h
#include <icm.h>

// The profile associated with a display's DC, opened for reading and closed with the object;
// get() is null when the display has none or it cannot be opened.
class DisplayProfile {
public:
    explicit DisplayProfile(HDC dc);
    ~DisplayProfile();
    DisplayProfile(const DisplayProfile&) = delete;
    DisplayProfile& operator=(const DisplayProfile&) = delete;
    HPROFILE get() const { return handle_; }

private:
    HPROFILE handle_ = nullptr;
};

// A transform from sRGB to a profile, deleted with the object; get() is null when it cannot be
// made.
class ColorTransform {
public:
    explicit ColorTransform(HPROFILE display);
    ~ColorTransform();
    ColorTransform(const ColorTransform&) = delete;
    ColorTransform& operator=(const ColorTransform&) = delete;
    HTRANSFORM get() const { return handle_; }

private:
    HTRANSFORM handle_ = nullptr;
};

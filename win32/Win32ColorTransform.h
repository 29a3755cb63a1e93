#pragma once
// The colour system's objects behind the reference image's conversion: the display's profile,
// the picture's own profile, and a transform from the picture's colours to the display's.
// Shared by the converter and by the checks that hold its result against the colour system's
// own pixel-by-pixel conversion.

#include <windows.h>
// after windows.h
#include <icm.h>

#include <string>
#include <string_view>

// A profile opened for reading and closed with the object; get() is null when there is none or
// it cannot be opened.
class ColorProfile {
public:
    ~ColorProfile();
    ColorProfile(const ColorProfile&) = delete;
    ColorProfile& operator=(const ColorProfile&) = delete;
    HPROFILE get() const { return handle_; }

protected:
    ColorProfile() = default;
    HPROFILE handle_ = nullptr;
};

// The profile associated with a display's DC.
class DisplayProfile : public ColorProfile {
public:
    explicit DisplayProfile(HDC dc);
};

// The file name of the profile associated with a display's DC; empty for none.
std::wstring DisplayProfileName(HDC dc);

// A profile held in memory, such as the one a picture carries. The bytes must outlive the
// object.
class MemoryProfile : public ColorProfile {
public:
    explicit MemoryProfile(std::string_view bytes);
};

// A transform to a display's profile, deleted with the object: from `source` or, when that is
// null, from sRGB; get() is null when it cannot be made. Both ways use the same intent (keeping
// the colours the display can show exact, the "graphics" intent) and the best quality.
class ColorTransform {
public:
    ColorTransform(HPROFILE source, HPROFILE display);
    ~ColorTransform();
    ColorTransform(const ColorTransform&) = delete;
    ColorTransform& operator=(const ColorTransform&) = delete;
    HTRANSFORM get() const { return handle_; }

private:
    HTRANSFORM handle_ = nullptr;
};

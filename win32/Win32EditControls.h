#pragma once
// The edit (a number to type, or the read-only memo of the welcome text) and the up-down that
// steps the number in its buddy edit. The two follow each other's changes, so they live
// together, apart from the other control wrappers (Win32Controls.cpp).

#include <windows.h>

#include <memory>

#include "ui/ControlFactory.h"

std::unique_ptr<Edit> CreateWin32Edit(HWND parent, const EditArgs& args, int dpi);
std::unique_ptr<UpDown> CreateWin32UpDown(HWND parent, const UpDownArgs& args, int dpi);

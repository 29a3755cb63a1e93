#pragma once
// The messages a parent window receives about its children, handed to the child's wrapper.

#include <windows.h>

// For a parent's window procedure: true when the message concerned one of our controls and
// `result` is the answer to return.
bool RouteToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

#pragma once

#include <string>

// Opens a web address in the browser, falling back to explorer.exe.
void OpenUrl(const std::string& url);

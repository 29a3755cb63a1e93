#pragma once

#include <string>

// Opens a web address in the browser, falling back to explorer.exe; from an elevated process
// only as the signed-in user, through the desktop shell.
void OpenUrl(const std::string& url);

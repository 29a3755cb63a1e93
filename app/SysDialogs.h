#pragma once

#include <string>

#include "app/Platform.h"

// The platform's open or save dialog. `filter` is description|pattern pairs. On confirmation
// `fileName` receives the chosen path and the result is true; otherwise it is unchanged.
bool ShowFileDialog(WindowHandle owner, const std::string& defaultExt, const std::string& filter,
                    const std::string& initialFolder, const std::string& title,
                    std::string& fileName, bool fileMustExist, bool overwritePrompt,
                    bool keepFolder, bool open);

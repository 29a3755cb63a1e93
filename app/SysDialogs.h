#pragma once

#include <string>

#include "app/Platform.h"

// The platform's open dialog for an existing file. `filter` is description|pattern pairs. On
// confirmation `fileName` receives the chosen path and the result is true; otherwise it is
// unchanged.
bool ShowFileDialog(WindowHandle owner, const std::string& defaultExt, const std::string& filter,
                    const std::string& initialFolder, const std::string& title,
                    std::string& fileName);

#include "app/SysDialogs.h"

bool ShowFileDialog(WindowHandle owner, const std::string& defaultExt, const std::string& filter,
                    const std::string& initialFolder, const std::string& title,
                    std::string& fileName) {
    FileDialogRequest request;
    request.owner = owner;
    request.defaultExt = defaultExt;
    request.initialFolder = initialFolder;
    request.title = title;
    request.fileBuffer = fileName.substr(0, kFileBufferSize - 1);
    request.filterList = filter + '\0';
    for (char& ch : request.filterList)
        if (ch == '|')
            ch = '\0';

    std::string chosen;
    if (!TheShell().RunFileDialog(request, chosen))
        return false;
    fileName = chosen;
    return true;
}

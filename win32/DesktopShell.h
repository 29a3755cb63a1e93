#pragma once
// Starting something as the signed-in user from a process with an administrator's elevated
// rights (the uninstaller's): the desktop shell, which runs with the user's own rights, is asked
// to start it. Started from the elevated process itself, it would inherit those rights.

#include <string>

// Whether this process runs with an elevated administrator's token.
bool ProcessElevated();

// Has the desktop shell open `target` (a program or a web address) as ShellExecute would.
// False when there is no desktop shell to ask (a service, another desktop), in which case
// nothing was started.
bool OpenThroughDesktopShell(const std::wstring& target);

#pragma once
// Where the program's DLLs come from. Windows searches the program's own folder before the
// system folder for every DLL not on its KnownDLLs list, so a DLL dropped beside the program
// (a Downloads folder, a portable copy in a shared folder) would run as the user. The
// delay-loaded DLLs (see CMakeLists.txt) are the ones at risk: they load by name on first need.

// Restricts every later DLL search to the system folder. The first call of both executables,
// before any delay-loaded DLL, COM or shell call. Where Windows lacks the call that does this
// (Windows 7 without its update), the current folder is taken out of the search instead and
// the delay-loaded DLLs are loaded by their full system path.
void RestrictDllSearch();

#pragma once
// The one place where the program's text (UTF-8 in std::string) meets the wide text of the
// Windows calls: every W call takes its text through Widen and gives it back through Narrow.

#include <string>
#include <string_view>

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// Text in the system's ANSI code page, as files written by the program's earlier versions
// hold it.
std::wstring WidenAnsi(std::string_view ansi);

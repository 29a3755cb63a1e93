#pragma once
// The one place where the program's text (UTF-8 in std::string) meets the wide text of the
// Windows calls: every W call takes its text through Widen and gives it back through Narrow.

#include <string>
#include <string_view>

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

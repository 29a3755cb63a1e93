#pragma once
// The welcome page's caption, built from the "LWelcome" text of the language table.

#include <string>

// Puts the program's name and version where the text has its "%s" placeholder. The text comes
// from a language file anybody can edit, so it is never handed to a printf-style function:
// "%%" becomes "%" as a format would show it, the first "%s" is replaced, and every other "%"
// (a "%d", a second "%s", a lone "%" at the end) is shown as written.
std::string FormatWelcomeCaption(const std::string& text);

#pragma once
// The language table: interface texts by key, merged from language files.

#include <string>

// Finds "<name>.lng" in the program, data and per-user folders and merges the first found.
void LoadLanguage(const std::string& name);
// The key's text, or the key itself when the table has none.
std::string LangText(const std::string& key);
// Empties the table (process start; tests).
void ResetLanguageTable();

#pragma once
// The language table: interface texts by key, merged from language files.

#include <cstddef>
#include <string>

// A language file holds a few kilobytes of texts; a larger one is not read (it counts as
// missing, and the next place or English is used).
inline constexpr std::size_t kMaxLanguageFileBytes = std::size_t{1} << 20;

// Finds "<name>.lng" in the program, data and per-user folders and merges the first found.
void LoadLanguage(const std::string& name);
// The key's text, or the key itself when the table has none.
std::string LangText(const std::string& key);
// Display `index`'s name with the word before its number in the table's language
// ("DisplayWord"): "Bildschirm 1 (Generic Non-PnP Monitor)". Empty for a bad index.
std::string DisplayName(int index);
// Empties the table (process start; tests).
void ResetLanguageTable();
// Number of pairs in the table.
size_t LanguageTableSize();

// A language file's text as UTF-8, which the table holds: a file that starts with the UTF-8
// byte-order mark (which is dropped), or is valid UTF-8 throughout, is UTF-8; any other is
// Windows-1252, the code page of the earlier language files.
std::string DecodeLanguageFile(const std::string& bytes);

// A language file's text being read from the start, entry by entry.
struct LangFile {
    const std::string& bytes;
    size_t pos = 0;
};

// Reads the next entry. True only when its text was ended by a carriage return; an entry cut
// off by the end of the file is dropped.
bool ReadLangEntry(LangFile& file, std::string& key, std::string& text);

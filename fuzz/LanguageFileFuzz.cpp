// Language files: any bytes decode to UTF-8 (unmarked text always valid, valid text unchanged,
// the ASCII bytes kept in their order) and are read entry by entry to the end. Every entry has
// a key that starts with an ASCII letter and holds no "=", each read moves on through the text
// and ends on the carriage return of its text, and once the end is reached it stays reached.
// Loaded as the program loads a language, every key then yields the last text the file gave it.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "app/Language.h"
#include "app/Platform.h"
#include "base/TextEncoding.h"
#include "fakes/FakeShell.h"
#include "fakes/MemoryFileSystem.h"
#include "fuzz/FuzzCheck.h"

namespace {
bool IsAsciiLetter(char ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

std::string AsciiOf(const std::string& text) {
    std::string ascii;
    for (char ch : text)
        if (static_cast<unsigned char>(ch) < 0x80)
            ascii += ch;
    return ascii;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string decoded = DecodeLanguageFile(bytes);
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
        FUZZ_CHECK(decoded == bytes.substr(3));
    } else {
        FUZZ_CHECK(IsValidUtf8(decoded));
        FUZZ_CHECK(!IsValidUtf8(bytes) || decoded == bytes);
        FUZZ_CHECK(AsciiOf(decoded) == AsciiOf(bytes));
    }
    LangFile file{decoded};
    std::string key, text;
    std::map<std::string, std::string> lastText;
    std::size_t taken = 0;  // bytes of keys and texts, plus each entry's "=" and CR
    for (;;) {
        const std::size_t before = file.pos;
        if (!ReadLangEntry(file, key, text))
            break;
        FUZZ_CHECK(file.pos > before && file.pos <= decoded.size());
        FUZZ_CHECK(decoded[file.pos - 1] == '\r');
        FUZZ_CHECK(!key.empty() && IsAsciiLetter(key[0]));
        FUZZ_CHECK(key.find('=') == std::string::npos);
        lastText[key] = text;
        taken += key.size() + text.size() + 2;
    }
    FUZZ_CHECK(taken <= decoded.size());
    FUZZ_CHECK(!ReadLangEntry(file, key, text));

    MemoryFileSystem files;
    FakeShell shell;
    shell.executablePath = "C:\\Tonecast\\Tonecast.exe";  // portable: one folder for all
    files.AddFolder("C:\\Tonecast\\");
    files.AddFile("C:\\Tonecast\\Fuzz.lng", bytes);
    UseFileSystem(files);
    UseShell(shell);
    ResetLanguageTable();
    LoadLanguage("Fuzz");
    FUZZ_CHECK(LanguageTableSize() == lastText.size());
    for (const auto& [k, t] : lastText)
        FUZZ_CHECK(LangText(k) == t);
    ResetLanguageTable();
    return 0;
}

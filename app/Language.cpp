#include "app/Language.h"

#include <string>
#include <vector>

#include "app/Folders.h"
#include "base/Errors.h"
#include "base/FileSystem.h"
#include "base/TextEncoding.h"
#include "ramp/Displays.h"

namespace {

// Two parallel lists keep the pairs in the order their keys first appeared.
struct LanguageTable {
    std::vector<std::string> keys;
    std::vector<std::string> texts;
};

LanguageTable& Table() {
    static LanguageTable table;
    return table;
}

constexpr const char* kDisplayWordKey = "DisplayWord";

constexpr char kCR = '\r';
constexpr char kLF = '\n';

bool IsAsciiLetter(unsigned char ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

void Merge(const std::string& key, const std::string& text) {
    LanguageTable& table = Table();
    for (size_t i = 0; i < table.keys.size(); ++i) {
        if (table.keys[i] == key) {
            table.texts[i] = text;
            return;
        }
    }
    table.keys.push_back(key);
    table.texts.push_back(text);
}

// The first of the three places whose file opens; false when none does. A place is asked for
// only when the ones before it had no file: the data and per-user folders each cost the shell
// a lookup, and the shipped languages lie in the program folder.
bool ReadFirstLanguageFile(const std::string& name, std::string& bytes) {
    const std::string fileName = name + ".lng";
    using Place = std::string (*)();
    for (Place place : {+[] { return GetProgramFolder(); }, +[] { return GetDataFolder(kSubPath); },
                        +[] { return GetUserFolder(kSubPath); }}) {
        try {
            if (Files().ReadFile(place() + fileName, bytes, kMaxLanguageFileBytes))
                return true;
        } catch (const ReadError& error) {
            // The file opened, so it is the one: what was read before the failure counts,
            // as if the file ended there.
            bytes = error.partial;
            return true;
        } catch (const InOutError&) {
            // A file that exists but cannot be opened counts as not there.
        }
    }
    return false;
}

}  // namespace

bool ReadLangEntry(LangFile& file, std::string& key, std::string& text) {
    key.clear();
    text.clear();
    const std::string& b = file.bytes;
    size_t& p = file.pos;
    const size_t n = b.size();

    for (;;) {
        while (p < n && static_cast<unsigned char>(b[p]) <= 0x20)
            ++p;
        if (p >= n)
            return false;
        if (IsAsciiLetter(static_cast<unsigned char>(b[p])))
            break;
        while (p < n && b[p] != kLF)
            ++p;  // a comment runs to the line feed
        if (p < n)
            ++p;
    }

    while (p < n && b[p] != '=')
        key += b[p++];
    if (p >= n)
        return false;
    ++p;

    while (p < n) {
        const char ch = b[p++];
        if (ch == kCR)
            return true;
        if (ch != '\\') {
            text += ch;
            continue;
        }
        if (p >= n)
            return false;
        if (b[p] == kCR) {
            // Backslash, CR and the byte after it become one line break of the text.
            if (p + 1 >= n)
                return false;
            p += 2;
            text += "\r\n";
        } else {
            text += ch;
            text += b[p++];
        }
    }
    return false;
}

std::string DecodeLanguageFile(const std::string& bytes) {
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (std::string_view(bytes).substr(0, kUtf8Mark.size()) == kUtf8Mark)
        return bytes.substr(kUtf8Mark.size());
    return IsValidUtf8(bytes) ? bytes : Windows1252ToUtf8(bytes);
}

void LoadLanguage(const std::string& name) {
    // The name comes from the settings file: only a plain file name, never a way out of the
    // folders searched ("..\\", a drive, a share or a device).
    if (name.find_first_of("\\/:") != std::string::npos)
        return;
    std::string bytes;
    if (!ReadFirstLanguageFile(name, bytes))
        return;
    const std::string decoded = DecodeLanguageFile(bytes);
    LangFile file{decoded};
    std::string key, text;
    while (ReadLangEntry(file, key, text))
        Merge(key, text);
}

std::string LangText(const std::string& key) {
    const LanguageTable& table = Table();
    for (size_t i = 0; i < table.keys.size(); ++i)
        if (table.keys[i] == key)
            return table.texts[i];
    return key;
}

std::string DisplayName(int index) {
    if (index < 0 || index >= Engine().DisplayCount())
        return {};
    // The number and the description follow the word the name was made with. A table without
    // the word keeps the name as it is: a name is not a caption to show its key in.
    const std::string& name = Engine().Displays[index].name;
    const std::string word = LangText(kDisplayWordKey);
    if (word == kDisplayWordKey || name.rfind(kDisplayWord, 0) != 0)
        return name;
    return word + name.substr(std::string(kDisplayWord).size());
}

void ResetLanguageTable() {
    Table() = LanguageTable{};
}

size_t LanguageTableSize() {
    return Table().keys.size();
}

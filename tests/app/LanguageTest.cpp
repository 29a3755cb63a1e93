// The language-file grammar byte by byte, and how files merge into the one table.

#include <string>
#include <utility>
#include <vector>

#include "AppFixture.h"
#include "base/TextEncoding.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries Parse(const std::string& bytes) {
    LangFile file{bytes};
    Entries entries;
    std::string key, text;
    while (ReadLangEntry(file, key, text))
        entries.emplace_back(key, text);
    return entries;
}

TEST(LangGrammar, EntriesEndAtCarriageReturnAndKeepEveryByte) {
    EXPECT_EQ(Parse("LOk=OK\r\nLCancel=Cancel\r\n"),
              (Entries{{"LOk", "OK"}, {"LCancel", "Cancel"}}));
    // Blanks around "=" belong to the key and the text; nothing is trimmed.
    EXPECT_EQ(Parse("LKey = Text \r\n"), (Entries{{"LKey ", " Text "}}));
    // Only the first "=" ends the key.
    EXPECT_EQ(Parse("LSum=a=b==c\r\n"), (Entries{{"LSum", "a=b==c"}}));
    // Empty text is a real entry.
    EXPECT_EQ(Parse("LEmpty=\r\n"), (Entries{{"LEmpty", ""}}));
    // A line feed alone does not end a text, so the text runs on into the next line.
    EXPECT_EQ(Parse("LA=one\nLB=two\r\n"), (Entries{{"LA", "one\nLB=two"}}));
}

TEST(LangGrammar, LineEndingsAndEndOfFile) {
    // LF-only files: the first text never ends, so the file yields nothing.
    EXPECT_EQ(Parse("LA=one\nLB=two\n"), Entries{});
    // The last entry without a line break is dropped, the others stay.
    EXPECT_EQ(Parse("LA=one\r\nLB=two"), (Entries{{"LA", "one"}}));
    // A key cut off by the end of the file is dropped.
    EXPECT_EQ(Parse("LA=one\r\nLNoEquals"), (Entries{{"LA", "one"}}));
    // A bare CR ends the text; the byte after it starts the next entry.
    EXPECT_EQ(Parse("LA=one\rLB=two\r"), (Entries{{"LA", "one"}, {"LB", "two"}}));
    EXPECT_EQ(Parse(""), Entries{});
    EXPECT_EQ(Parse(" \t\r\n\x01"), Entries{});
}

TEST(LangGrammar, CommentsAndLeadingBytes) {
    EXPECT_EQ(Parse("; note\r\n# note\r\n[Section]\r\n1=digit\r\n\tLA=kept\r\n"),
              (Entries{{"LA", "kept"}}));
    // Blanks, tabs and control bytes before a key are skipped.
    EXPECT_EQ(Parse("\r\n\r\n   \t LA=x\r\n"), (Entries{{"LA", "x"}}));
    // A byte of 0x80 or above starts a comment (a byte-order mark is gone before the parse).
    EXPECT_EQ(Parse("\xEF\xBB\xBFLA=first\r\nLB=second\r\n"), (Entries{{"LB", "second"}}));
    EXPECT_EQ(Parse("\xC4Key=x\r\nLB=y\r\n"), (Entries{{"LB", "y"}}));
    // A comment running to the end of the file ends the reading.
    EXPECT_EQ(Parse("LA=x\r\n; last"), (Entries{{"LA", "x"}}));
    // A comment ends at the line feed, even a line feed with no carriage return before it.
    EXPECT_EQ(Parse("#c\nLA=x\r\n"), (Entries{{"LA", "x"}}));
}

TEST(LangGrammar, KeyRunsOverLinesUntilEquals) {
    // A line without "=" merges into the next key, line break and all.
    EXPECT_EQ(Parse("LStray\r\nLA=x\r\n"), (Entries{{"LStray\r\nLA", "x"}}));
    // Bytes after the CR that ended a text are the next entry's business.
    EXPECT_EQ(Parse("LA=x\r\n\r\nLB=y\r\n"), (Entries{{"LA", "x"}, {"LB", "y"}}));
}

TEST(LangGrammar, BackslashContinuesOnlyBeforeCarriageReturn) {
    EXPECT_EQ(Parse("LA=one\\\r\ntwo\\\r\nthree\r\n"), (Entries{{"LA", "one\r\ntwo\r\nthree"}}));
    // No escapes: backslash-n and double backslashes stay as written.
    EXPECT_EQ(Parse("LA=a\\nb\\\\c\r\n"), (Entries{{"LA", "a\\nb\\\\c"}}));
    // A path keeps its backslashes; a single one at the end joins the next line instead.
    EXPECT_EQ(Parse("LA=C:\\Data\\\r\nLB=y\r\n"), (Entries{{"LA", "C:\\Data\r\nLB=y"}}));
    EXPECT_EQ(Parse("LA=C:\\Data\r\n"), (Entries{{"LA", "C:\\Data"}}));
    EXPECT_EQ(Parse("LA=C:\\\\\r\nLB=y\r\n"), (Entries{{"LA", "C:\\\\"}, {"LB", "y"}}));
    // The byte after backslash-CR is taken whatever it is.
    EXPECT_EQ(Parse("LA=a\\\rXb\r\n"), (Entries{{"LA", "a\r\nb"}}));
    // A continuation cut off by the end of the file drops the entry.
    EXPECT_EQ(Parse("LA=x\r\nLB=a\\\r"), (Entries{{"LA", "x"}}));
    EXPECT_EQ(Parse("LA=x\r\nLB=a\\"), (Entries{{"LA", "x"}}));
}

class LanguageTest : public AppFixture {};

TEST_F(LanguageTest, MergesInOrderLaterTextsWinAndMissingKeysEchoThemselves) {
    files.AddFile(std::string(kProgramFolder) + "English.lng",
                  "LOk=OK\r\nLCancel=Cancel\r\nLOk=Okay\r\nLEmpty=\r\n");
    files.AddFile(std::string(kProgramFolder) + "Deutsch.lng", "LCancel=Abbrechen\r\nLNew=Neu\r\n");

    EXPECT_EQ(LangText("LOk"), "LOk");
    LoadLanguage("English");
    EXPECT_EQ(LangText("LOk"), "Okay");  // the later of two equal keys wins
    EXPECT_EQ(LangText("LEmpty"), "");
    EXPECT_EQ(LangText("lok"), "lok");  // keys keep their case
    EXPECT_EQ(LanguageTableSize(), 3u);

    LoadLanguage("English");  // the same file again changes nothing
    EXPECT_EQ(LanguageTableSize(), 3u);
    EXPECT_EQ(LangText("LOk"), "Okay");

    LoadLanguage("Deutsch");
    EXPECT_EQ(LangText("LCancel"), "Abbrechen");
    EXPECT_EQ(LangText("LOk"), "Okay");  // kept from the earlier file
    EXPECT_EQ(LangText("LNew"), "Neu");
    EXPECT_EQ(LanguageTableSize(), 4u);

    LoadLanguage("Missing");  // no file anywhere: the table stays
    EXPECT_EQ(LanguageTableSize(), 4u);
}

TEST_F(LanguageTest, FirstOfProgramDataAndUserFolderWins) {
    files.AddFile(std::string(kUserFolder) + "Francais.lng", "LA=user\r\n");
    LoadLanguage("Francais");
    EXPECT_EQ(LangText("LA"), "user");

    files.AddFile(std::string(kDataFolder) + "Francais.lng", "LA=data\r\nLB=data\r\n");
    LoadLanguage("Francais");
    EXPECT_EQ(LangText("LA"), "data");

    files.AddFile(std::string(kProgramFolder) + "Francais.lng", "LA=program\r\n");
    LoadLanguage("Francais");
    EXPECT_EQ(LangText("LA"), "program");
    EXPECT_EQ(LangText("LB"), "data");  // the data folder's file was not read this time

    // A file that does not open (locked) is passed over; one that fails while being read is
    // still the file found: its pairs before the failure count, the cut entry is dropped,
    // and the later places are not read.
    files.AddFile(std::string(kUserFolder) + "Dansk.lng", "LC=user\r\nLD=user\r\n");
    files.AddFile(std::string(kDataFolder) + "Dansk.lng", "LC=data\r\nLE=data\r\n");
    files.FailReadOf(std::string(kDataFolder) + "Dansk.lng", 14);  // fails inside "LE=data"
    files.AddFile(std::string(kProgramFolder) + "Dansk.lng", "LC=program\r\n");
    files.FailReadOf(std::string(kProgramFolder) + "Dansk.lng");
    LoadLanguage("Dansk");
    EXPECT_EQ(LangText("LC"), "data");
    EXPECT_EQ(LangText("LE"), "LE");
    EXPECT_EQ(LangText("LD"), "LD");

    // One larger than a language file may be is passed over too.
    files.AddFile(std::string(kUserFolder) + "Norsk.lng", "LF=user\r\n");
    files.AddFile(std::string(kProgramFolder) + "Norsk.lng",
                  "LF=program\r\n" + std::string(kMaxLanguageFileBytes - 11, ';'));
    LoadLanguage("Norsk");
    EXPECT_EQ(LangText("LF"), "user");
}

TEST_F(LanguageTest, ANameThatIsNotAPlainFileNameLoadsNothing) {
    files.AddFolder("C:\\Temp");
    files.AddFile("C:\\Temp\\Evil.lng", "LA=evil\r\n");
    files.AddFile(std::string(kProgramFolder) + "Evil.lng", "LA=plain\r\n");
    for (const char* name : {"..\\..\\..\\Temp\\Evil", "C:\\Temp\\Evil", "C:Evil", "../Evil",
                             "\\\\host\\share\\Evil", "\\\\.\\pipe\\Evil"}) {
        LoadLanguage(name);
        EXPECT_EQ(LanguageTableSize(), 0u) << name;
    }
    LoadLanguage("Evil");
    EXPECT_EQ(LangText("LA"), "plain");
}

// The table holds UTF-8 whatever the file's encoding; the whole file decides which it is.
TEST_F(LanguageTest, FilesAreUtf8WhenMarkedOrValidAndWindows1252Otherwise) {
    const std::string folder = kProgramFolder;
    files.AddFile(folder + "Utf8.lng", "LA=Dvo\xC5\x99\xC3\xA1k \xE6\xB5\x8B\xE8\xAF\x95\r\n");
    files.AddFile(folder + "Ansi.lng",
                  "LB=Fran\xE7"
                  "ais \x80\x9F\x81\xFF\r\n");
    // The mark no longer costs the first entry.
    files.AddFile(folder + "Marked.lng", "\xEF\xBB\xBFLC=\xD0\x9E\xD0\x9A\r\nLD=x\r\n");
    // Valid UTF-8 but for one byte: all of it is 1252.
    files.AddFile(folder + "Mixed.lng", "LE=caf\xC3\xA9\r\nLF=\xE9\r\n");
    for (const char* name : {"Utf8", "Ansi", "Marked", "Mixed"})
        LoadLanguage(name);
    EXPECT_EQ(LangText("LA"), "Dvo\xC5\x99\xC3\xA1k \xE6\xB5\x8B\xE8\xAF\x95");
    // 0x80 is the euro sign, 0x9F a Y with diaeresis; the undefined 0x81 stays U+0081.
    EXPECT_EQ(LangText("LB"),
              "Fran\xC3\xA7"
              "ais \xE2\x82\xAC\xC5\xB8\xC2\x81\xC3\xBF");
    EXPECT_EQ(LangText("LC"), "\xD0\x9E\xD0\x9A");
    EXPECT_EQ(LangText("LD"), "x");
    EXPECT_EQ(LangText("LE"), "caf\xC3\x83\xC2\xA9");
    EXPECT_EQ(LangText("LF"), "\xC3\xA9");
}

TEST(TextEncoding, Utf8IsRecognisedStrictly) {
    for (const char* valid : {"", "plain", "\xC3\xA9", "\xE6\xB5\x8B", "\xF0\x9F\x98\x80",
                              "\xF4\x8F\xBF\xBF", "\xED\x9F\xBF"})
        EXPECT_TRUE(IsValidUtf8(valid)) << valid;
    // Stray continuation, lone lead bytes, truncation, overlong forms, surrogates, beyond
    // U+10FFFF.
    for (const char* invalid :
         {"\x80", "\xE9t\xE9", "\xE6\xB5", "\xC0\xAF", "\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80",
          "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFF"})
        EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
}

TEST_F(LanguageTest, EmptyNameLooksForDotLng) {
    files.AddFile(std::string(kDataFolder) + ".lng", "LA=dot\r\n");
    LoadLanguage("");
    EXPECT_EQ(LangText("LA"), "dot");
}

}  // namespace

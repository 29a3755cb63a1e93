// The language files that ship beside Tonecast.exe, read with the program's own reader.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/Language.h"
#include "app/Platform.h"
#include "base/TextEncoding.h"
#include "fakes/FakeShell.h"
#include "fakes/MemoryFileSystem.h"
#include "ui/Pages.h"
#include "ui/WelcomeText.h"

namespace {

namespace fs = std::filesystem;

// Every key the program looks up: the tabs, the help texts of pages 1 to 8 and the adjustment
// panels' titles as the window's tables name them, and the other captions the window sets, both
// states of the LUT button, the reference-image dialog, the message on a ramp file that cannot
// be read, the refusal warning, and the resident loader's menu and tooltip.
std::vector<std::string> WindowKeys() {
    std::vector<std::string> keys = {"BOK",
                                     "BCancel",
                                     "BMinimize",
                                     "BOffLUT",
                                     "BOnLUT",
                                     "BReset",
                                     "LDisplay",
                                     "DisplayWord",
                                     "LLanguage",
                                     "LGamma",
                                     "LWelcome",
                                     "TWelcome",
                                     "LReset",
                                     "LPos",
                                     "BPrev",
                                     "BNext",
                                     "BClearAll",
                                     "RefDlgTitle",
                                     "RefDlgFiles",
                                     "ERampUnreadable",
                                     "ERampCleared",
                                     "DiscardQuestion",
                                     "ESaveFailed",
                                     "BYes",
                                     "BNo",
                                     "RefImageDamaged",
                                     "RefImageUnsupported",
                                     "RefImageTooLarge",
                                     "RefImageUnreadable",
                                     "RefImageNoMemory",
                                     "RefImageNotLocal",
                                     "RefImageProfileUnusable",
                                     "LRampRefused",
                                     "LRampRefusedSignIn",
                                     "LRampRefusedDriver",
                                     "TrayReapply",
                                     "TrayOpen",
                                     "TrayExit",
                                     "TrayRefused",
                                     "LInstallProfile",
                                     "EProfileInstall",
                                     "TrayPaused",
                                     "TrayHdr",
                                     "LHdrMode"};
    auto add = [&keys](const char* key) {
        if (key && std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    };
    for (const PageRow& page : kPages) {
        add(page.tabKey);
        add(page.helpKey);
    }
    for (const AdjustmentRow& panel : kAdjustments)
        add(panel.titleKey);
    return keys;
}
const std::vector<std::string> kWindowKeys = WindowKeys();

// Texts that fill a multi-line control; all others are one-line captions.
const std::set<std::string> kLongTexts = {
    "TWelcome",      "TBlackPoint",       "TWhitePoint",  "TGamma",         "TGammaSharp",
    "TColorBalance", "TCorrectionPoints", "TAllControls", "TReferenceImage"};

// Words that read the same in a translation as in English.
const std::set<std::string> kSameInEveryLanguage = {"BOK", "TabGamma", "LGamma", "BNo"};

struct LanguageFile {
    std::string name;  // the language name as the program sees it, in UTF-8
    std::string bytes;
    std::map<std::string, std::string> texts;  // in UTF-8, as the program decodes the file
    std::vector<std::string> keysInOrder;
};

fs::path DataFolder() {
    return fs::path(TONECAST_TEST_DATA).parent_path().parent_path() / "data";
}

std::vector<LanguageFile> ReadShippedFiles() {
    std::vector<LanguageFile> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(DataFolder())) {
        if (entry.path().extension() != ".lng")
            continue;
        LanguageFile file;
        const std::u8string name = entry.path().stem().u8string();
        file.name.assign(name.begin(), name.end());
        std::ifstream in(entry.path(), std::ios::binary);
        file.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        const std::string decoded = DecodeLanguageFile(file.bytes);
        LangFile reader{decoded};
        std::string key, text;
        while (ReadLangEntry(reader, key, text)) {
            file.keysInOrder.push_back(key);
            file.texts[key] = text;
        }
        files.push_back(std::move(file));
    }
    std::sort(files.begin(), files.end(),
              [](const LanguageFile& a, const LanguageFile& b) { return a.name < b.name; });
    return files;
}

const std::vector<LanguageFile>& Shipped() {
    static const std::vector<LanguageFile> files = ReadShippedFiles();
    return files;
}

const LanguageFile& English() {
    for (const LanguageFile& file : Shipped())
        if (file.name == "English")
            return file;
    static const LanguageFile none;
    return none;
}

// A caption as a help text names it: without its colon (French puts a no-break space before it).
std::string Stem(std::string caption) {
    for (;;) {
        if (caption.ends_with(':') || caption.ends_with(' '))
            caption.pop_back();
        else if (caption.ends_with("\xC2\xA0"))
            caption.resize(caption.size() - 2);
        else
            return caption;
    }
}

}  // namespace

// Each named in its own language, as the language list shows it.
TEST(ShippedLanguageFiles, AreTheNineLanguagesByTheirOwnNames) {
    std::vector<std::string> names;
    for (const LanguageFile& file : Shipped())
        names.push_back(file.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"Deutsch", "English", "Español", "Français", "Italiano",
                                        "Polski", "Русский", "日本語", "简体中文"}));
}

TEST(ShippedLanguageFiles, DefineEveryKeyTheWindowLooksUpOnce) {
    const std::set<std::string> expected(kWindowKeys.begin(), kWindowKeys.end());
    for (const LanguageFile& file : Shipped()) {
        SCOPED_TRACE(file.name);
        // A misspelt key, a blank before "=" or a line without "=" shows up here as a key
        // the window never asks for, and the window's own key as missing.
        const std::set<std::string> keys(file.keysInOrder.begin(), file.keysInOrder.end());
        EXPECT_EQ(keys, expected);
        EXPECT_EQ(file.keysInOrder.size(), kWindowKeys.size()) << "a key is defined twice";
    }
}

// The earlier files are code page 1252, the later ones UTF-8; either way without a byte-order
// mark, which the earlier versions of the program took for the start of a comment.
TEST(ShippedLanguageFiles, AreCrlfTextInUtf8OrCodePage1252WithoutByteOrderMark) {
    for (const LanguageFile& file : Shipped()) {
        SCOPED_TRACE(file.name);
        const std::string& b = file.bytes;
        ASSERT_GE(b.size(), 2u);
        EXPECT_TRUE(b[0] == ';' || std::isalpha(static_cast<unsigned char>(b[0])));
        const bool utf8 = IsValidUtf8(b);
        // The languages of Western Europe keep their code page; the others need UTF-8.
        const bool western = file.name == "English" || file.name == "Deutsch" ||
                             file.name == "Español" || file.name == "Français";
        EXPECT_EQ(utf8, !western || file.name == "English");
        // The last entry is only taken when a line break ends it.
        EXPECT_EQ(b.substr(b.size() - 2), "\r\n");
        for (size_t i = 0; i < b.size(); ++i) {
            const auto ch = static_cast<unsigned char>(b[i]);
            if (ch == '\n') {
                EXPECT_TRUE(i > 0 && b[i - 1] == '\r') << "bare LF at " << i;
            }
            if (ch == '\r') {
                EXPECT_TRUE(i + 1 < b.size() && b[i + 1] == '\n') << "bare CR at " << i;
            }
            EXPECT_NE(ch, 0) << "NUL at " << i;
            if (utf8)
                continue;
            // Bytes with no character in code page 1252.
            EXPECT_TRUE(ch != 0x81 && ch != 0x8D && ch != 0x8F && ch != 0x90 && ch != 0x9D)
                << "byte " << int(ch) << " at " << i;
            // In a file of code page 1252, a UTF-8 letter such as "é" (C3 A9) would show as
            // two wrong characters.
            if (ch >= 0xC2 && ch <= 0xDF && i + 1 < b.size()) {
                const auto next = static_cast<unsigned char>(b[i + 1]);
                EXPECT_FALSE(next >= 0x80 && next <= 0xBF) << "UTF-8 sequence at " << i;
            }
        }
    }
}

TEST(ShippedLanguageFiles, TextsAreNonEmptyAndOnlyLongTextsBreakLines) {
    auto paragraphs = [](const std::string& text) {
        size_t count = 1;
        for (size_t at = text.find("\r\n\r\n"); at != std::string::npos;
             at = text.find("\r\n\r\n", at + 4))
            ++count;
        return count;
    };
    for (const LanguageFile& file : Shipped()) {
        for (const auto& [key, text] : file.texts) {
            SCOPED_TRACE(file.name + " " + key);
            ASSERT_FALSE(text.empty());
            EXPECT_NE(text.front(), ' ');
            EXPECT_NE(text.back(), ' ');
            // Labels and buttons take "&" as the mark of an access key and do not show it.
            EXPECT_EQ(text.find('&'), std::string::npos);
            if (kLongTexts.count(key)) {
                // Continued lines arrive as CRLF pairs; a paragraph never ends the text.
                EXPECT_EQ(text.find("\r\n\r\n\r\n"), std::string::npos);
                EXPECT_NE(text.substr(text.size() - 2), "\r\n");
                // A paragraph the English text gained since is missing from a translation.
                EXPECT_EQ(paragraphs(text), paragraphs(English().texts.at(key)));
            } else {
                EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
            }
        }
    }
}

TEST(ShippedLanguageFiles, WelcomeCaptionHasExactlyOnePlaceholder) {
    for (const LanguageFile& file : Shipped()) {
        SCOPED_TRACE(file.name);
        const std::string caption = FormatWelcomeCaption(file.texts.at("LWelcome"));
        EXPECT_NE(caption.find("Tonecast 3.1.0"), std::string::npos) << caption;
        EXPECT_EQ(caption.find('%'), std::string::npos) << caption;
    }
    EXPECT_EQ(FormatWelcomeCaption(English().texts.at("LWelcome")), "Welcome to Tonecast 3.1.0");
}

TEST(ShippedLanguageFiles, FileFilterDescriptionHoldsNoSeparator) {
    // The window appends " (*.jpg)|*.jpg"; a "|" of its own would split the filter.
    for (const LanguageFile& file : Shipped())
        EXPECT_EQ(file.texts.at("RefDlgFiles").find('|'), std::string::npos) << file.name;
}

TEST(ShippedLanguageFiles, TranslationsAreNotEnglishCopies) {
    const LanguageFile& english = English();
    ASSERT_EQ(english.texts.size(), kWindowKeys.size());
    for (const LanguageFile& file : Shipped()) {
        if (&file == &english)
            continue;
        for (const std::string& key : kWindowKeys) {
            if (kSameInEveryLanguage.count(key))
                continue;
            EXPECT_NE(file.texts.at(key), english.texts.at(key)) << file.name << " " << key;
        }
    }
}

// The instructions name the controls to move; a caption renamed without its help text would
// send the user looking for a control that is not there.
TEST(ShippedLanguageFiles, HelpTextsNameTheControlsByTheirCaptions) {
    const std::multimap<std::string, std::string> mentions = {
        {"TBlackPoint", "LBlack"},
        {"TWhitePoint", "LWhite"},
        {"TGamma", "LGamma"},
        {"TGammaSharp", "LGamma"},
        {"TGammaSharp", "LPos"},
        {"TGammaSharp", "TabCorrectionPoints"},
        {"TColorBalance", "LBalance"},
        {"TColorBalance", "LBlack"},
        {"TColorBalance", "LWhite"},
        {"TCorrectionPoints", "LPos"},
        {"TCorrectionPoints", "LValue"},
        {"TCorrectionPoints", "BPrev"},
        {"TCorrectionPoints", "BNext"},
        {"TCorrectionPoints", "BClearAll"},
        {"TAllControls", "TabCorrectionPoints"},
        {"TReferenceImage", "BOffLUT"},
        {"TWelcome", "BOK"},
        {"TWelcome", "BCancel"},
        {"TWelcome", "BOffLUT"},
        {"TWelcome", "BReset"},
        {"TWelcome", "LDisplay"},
        {"TWelcome", "TabBlackPoint"},
        {"TWelcome", "TabWhitePoint"},
        {"TWelcome", "TabGammaSharp"},
        {"TWelcome", "TabColorBalance"},
        {"TWelcome", "TabCorrectionPoints"},
        {"TWelcome", "TabAllControls"},
        {"TWelcome", "ReferenceImage"},
        {"ERampCleared", "BOK"},
    };
    for (const LanguageFile& file : Shipped()) {
        // Escape, the way back from a display too dark or too bright to read anything on, is
        // told on the first page, by the name on the key.
        EXPECT_NE(file.texts.at("TWelcome").find("Esc"), std::string::npos) << file.name;
        for (const auto& [helpKey, captionKey] : mentions) {
            const std::string caption = Stem(file.texts.at(captionKey));
            EXPECT_NE(file.texts.at(helpKey).find(caption), std::string::npos)
                << file.name << ": " << helpKey << " does not mention \"" << caption << "\"";
        }
    }
}

// At start-up the program loads "English" and then the saved language; with the shipped files
// beside the program, every text the window asks for is then the chosen language's own.
TEST(ShippedLanguageFiles, LoadOverEnglishByTheirNames) {
    // Static: the program-wide services must not point at a finished test's locals.
    static MemoryFileSystem files;
    static FakeShell shell;
    UseFileSystem(files);
    UseShell(shell);
    const std::string programFolder = "C:\\Program Files\\Velmor\\Tonecast\\";
    files.AddFolder(programFolder);
    for (const LanguageFile& file : Shipped())
        if (!files.FileExists(programFolder + file.name + ".lng"))
            files.AddFile(programFolder + file.name + ".lng", file.bytes);

    for (const LanguageFile& file : Shipped()) {
        SCOPED_TRACE(file.name);
        ResetLanguageTable();
        LoadLanguage("English");
        LoadLanguage(file.name);
        EXPECT_EQ(LanguageTableSize(), kWindowKeys.size());
        for (const std::string& key : kWindowKeys)
            EXPECT_EQ(LangText(key), file.texts.at(key)) << key;
    }
    ResetLanguageTable();
}

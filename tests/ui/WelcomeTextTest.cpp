#include "ui/WelcomeText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    std::string text;
    std::string caption;
};

void ExpectCaptions(const std::initializer_list<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE("text: \"" + c.text + "\"");
        EXPECT_EQ(FormatWelcomeCaption(c.text), c.caption);
    }
}

}  // namespace

TEST(WelcomeCaption, PlaceholderTakesNameAndVersion) {
    ExpectCaptions({
        {"Welcome to %s", "Welcome to Tonecast 3.1.0"},
        {"%s", "Tonecast 3.1.0"},
        {"%s: welcome", "Tonecast 3.1.0: welcome"},
        // 8-bit ANSI text around the placeholder stays byte for byte.
        {"Bienvenue dans %s \xE0 vous", "Bienvenue dans Tonecast 3.1.0 \xE0 vous"},
    });
}

TEST(WelcomeCaption, TextWithoutPlaceholderIsUnchanged) {
    ExpectCaptions({
        {"", ""},
        {"Welcome to Tonecast", "Welcome to Tonecast"},
        {"Willkommen bei s", "Willkommen bei s"},
    });
}

TEST(WelcomeCaption, PercentPairShowsOnePercentAsAFormatWould) {
    ExpectCaptions({
        {"%%", "%"},
        {"100%% %s", "100% Tonecast 3.1.0"},
        {"%%s", "%s"},
        {"%%%s", "%Tonecast 3.1.0"},
        {"%%%%", "%%"},
    });
}

// A text meant for more or other arguments than one string must not reach a formatting
// function: "%n" or "%s%s" there would write or read memory that is not there.
TEST(WelcomeCaption, InvalidFormatsAreShownLiterally) {
    ExpectCaptions({
        {"Version %d", "Version %d"},
        {"%s and %s", "Tonecast 3.1.0 and %s"},
        {"%s%s%s", "Tonecast 3.1.0%s%s"},
        {"%", "%"},
        {"100%", "100%"},
        {"50% off", "50% off"},
        {"%n%x%p", "%n%x%p"},
        {"%5s|%-10s|%.3s", "%5s|%-10s|%.3s"},
        {"%S", "%S"},
        {"%d then %s", "%d then Tonecast 3.1.0"},
    });
}

TEST(WelcomeCaption, EmbeddedNulByteIsKept) {
    const std::string text("a%\0%s", 5);
    EXPECT_EQ(FormatWelcomeCaption(text), std::string("a%\0Tonecast 3.1.0", 17));
}

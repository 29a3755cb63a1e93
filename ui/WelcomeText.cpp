#include "ui/WelcomeText.h"

#include "app/Main.h"

std::string FormatWelcomeCaption(const std::string& text) {
    std::string caption;
    caption.reserve(text.size() + 16);
    bool placeholderUsed = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '%' && next == '%') {
            caption += '%';
            ++i;
        } else if (text[i] == '%' && next == 's' && !placeholderUsed) {
            caption += kProgramNameAndVersion;
            placeholderUsed = true;
            ++i;
        } else {
            caption += text[i];
        }
    }
    return caption;
}

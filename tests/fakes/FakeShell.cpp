#include "fakes/FakeShell.h"

#include <cctype>

#include "base/Errors.h"

namespace {

class RecordingLink : public ShellLink {
public:
    explicit RecordingLink(std::vector<std::string>& log) : log_(log) {}
    void SetPath(const std::string& target) override { log_.push_back("SetPath " + target); }
    void SetArguments(const std::string& arguments) override {
        log_.push_back("SetArguments " + arguments);
    }
    // The link's "bytes": what it was given, in order.
    std::string Contents() override {
        std::string contents = "LNK";
        for (const std::string& call : log_)
            contents += "|" + call;
        log_.push_back("Contents");
        return contents;
    }

private:
    std::vector<std::string>& log_;
};

}  // namespace

std::string FakeShell::SpecialFolderPath(SpecialFolder folder) {
    auto it = specialFolders.find(folder);
    return it == specialFolders.end() ? std::string() : it->second;
}

bool FakeShell::GammaRangeLifted(std::int64_t& writtenAt) {
    if (gammaRangeWritten)
        writtenAt = *gammaRangeWritten;
    return gammaRangeWritten.has_value();
}

std::unique_ptr<ShellLink> FakeShell::CreateShellLink() {
    if (linkCreationFails)
        throw OleError("Class not registered, ClassID: {00021401-0000-0000-C000-000000000046}");
    return std::make_unique<RecordingLink>(linkCalls);
}

bool FakeShell::OpenAsSignedInUser(const std::string& url) {
    if (desktopShellAnswers)
        urlsOpenedAsUser.push_back(url);
    return desktopShellAnswers;
}

std::intptr_t FakeShell::ShellOpen(const std::string& url) {
    openedUrls.push_back(url);
    return shellOpenResult;
}

bool FakeShell::RunFileDialog(const FileDialogRequest& request, std::string& chosen) {
    dialogs.push_back(request);
    if (dialogConfirms)
        chosen = dialogChoice;
    return dialogConfirms;
}

std::string FakeShell::UpperCase(const std::string& text) {
    std::string upper = text;
    for (char& ch : upper)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    return upper;
}

#include "fakes/FakeFormHost.h"

#include <algorithm>

void FakeFormHost::SetWindowBounds(const Bounds& desktopBounds) {
    Log("SetWindowBounds " + std::to_string(desktopBounds.left) + "," +
        std::to_string(desktopBounds.top) + "," + std::to_string(desktopBounds.width) + "," +
        std::to_string(desktopBounds.height));
    bounds = desktopBounds;
    controls_.Realign(bounds.width, bounds.height);
}

void FakeFormHost::Show() {
    Log("Show");
    visible = true;
}

void FakeFormHost::Hide() {
    Log("Hide");
    visible = false;
}

void FakeFormHost::SetBackground(Color color) {
    Log("SetBackground " + std::to_string(color.r) + "," + std::to_string(color.g) + "," +
        std::to_string(color.b));
    background = color;
}

void FakeFormHost::SetCaption(const std::string& text) {
    Log("SetCaption " + text);
    caption = text;
}

void FakeFormHost::SetTopmost(bool value) {
    Log(value ? "SetTopmost 1" : "SetTopmost 0");
    topmost = value;
}

void FakeFormHost::MinimizeApplication() {
    Log("MinimizeApplication");
    minimized = true;
}

void FakeFormHost::Close() {
    Log("Close");
    if (closed)
        return;
    if (!onCloseRequest || onCloseRequest())
        closed = true;
}

void FakeFormHost::ScaleControls(int newDpi, int oldDpi) {
    Log("ScaleControls " + std::to_string(newDpi) + "," + std::to_string(oldDpi));
    controls_.Scale(newDpi, oldDpi);
    dpi = newDpi;
    controls_.Realign(bounds.width, bounds.height);
}

bool FakeFormHost::AskYesNo(const std::string& question, const std::string& yes,
                            const std::string& no) {
    Log("AskYesNo " + question);
    questions.push_back(question + " [" + yes + "|" + no + "]");
    return onQuestion();
}

void FakeFormHost::ShowError(const std::string& message) {
    Log("ShowError " + message);
    errors.push_back(message);
}

int FakeFormHost::Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

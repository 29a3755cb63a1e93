#pragma once
// The calibration window's native window in memory: its bounds, visibility and background, a
// log of every call the form makes, and the close protocol of the real host (a close request
// asks the form and ends only when it agrees).

#include <functional>
#include <string>
#include <vector>

#include "fakes/FakeControls.h"
#include "ui/ControlFactory.h"

class FakeFormHost : public FormHost {
public:
    explicit FakeFormHost(FakeControlFactory& controls) : controls_(controls) {}

    void SetWindowBounds(const Bounds& desktopBounds) override;
    int ClientWidth() const override { return bounds.width; }
    int ClientHeight() const override { return bounds.height; }
    void Show() override;
    void Hide() override;
    void Invalidate() override { Log("Invalidate"); }
    void SetBackground(Color color) override;
    void SetCaption(const std::string& text) override;
    void SetTopmost(bool value) override;
    void BringToTop() override { Log("BringToTop"); }
    void MinimizeApplication() override;
    void Close() override;
    int Dpi() const override { return dpi; }
    void ScaleControls(int newDpi, int oldDpi) override;
    void Beep() override { Log("Beep"); }
    void ShowError(const std::string& message) override;
    std::uintptr_t Handle() const override { return 0x4711; }
    char DecimalSeparator() const override { return decimalSeparator; }
    // Modal like the real box: onQuestion runs while it shows and gives the answer.
    // Records the question with its buttons: "<question> [<yes>|<no>]".
    bool AskYesNo(const std::string& question, const std::string& yes,
                  const std::string& no) override;

    int Count(const std::string& call) const;
    void ClearLog() { calls.clear(); }

    // Set by the test to the form's FormClose, as the real host routes WM_CLOSE.
    std::function<bool()> onCloseRequest;
    std::function<bool()> onQuestion = [] { return true; };
    std::vector<std::string> questions;

    Bounds bounds{0, 0, 1067, 655};  // borderless: the client area is the window
    bool visible = true;
    bool topmost = false;
    bool minimized = false;
    bool closed = false;  // the window was destroyed and the program ends
    Color background = kBlack;
    std::string caption;
    int dpi = 96;
    char decimalSeparator = '.';
    std::vector<std::string> errors;
    std::vector<std::string> calls;  // "Hide", "SetWindowBounds 0,0,1920,1080", ...

private:
    void Log(const std::string& call) { calls.push_back(call); }
    FakeControlFactory& controls_;
};

#pragma once
// The native window of the calibration window: borderless, stay-on-top, covering one display.
// It hosts a TMainForm and hands it the window's events.

#include <windows.h>

#include <string>

#include <functional>
#include <memory>

#include "ui/ControlFactory.h"

class BufferedPainter;
class TMainForm;

inline constexpr const wchar_t* kMainWindowClassName = L"TTonecastMainForm";

class MainWindow : public FormHost {
public:
    // Registers the window classes on first use. The window starts hidden, at `desktopBounds`:
    // the form's MoveToDisplay places and shows it. Made where it will stand, it is laid out and
    // scaled for that display once.
    explicit MainWindow(HINSTANCE instance, const Bounds& desktopBounds = {});
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Hwnd() const { return hwnd_; }
    bool IsValid() const { return hwnd_ != nullptr; }
    // The form that receives the window's events; nullptr while there is none.
    void AttachForm(TMainForm* form) {
        form_ = form;
        if (!form)
            afterFirstPaint_ = nullptr;
    }

    // Attaches a form for the life of the scope, and detaches it on every way out.
    class AttachedForm {
    public:
        AttachedForm(MainWindow& window, TMainForm& form) : window_(window) {
            window.AttachForm(&form);
        }
        ~AttachedForm() { window_.AttachForm(nullptr); }
        AttachedForm(const AttachedForm&) = delete;
        AttachedForm& operator=(const AttachedForm&) = delete;

    private:
        MainWindow& window_;
    };

    void SetWindowBounds(const Bounds& desktopBounds) override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    void Show() override;
    void Hide() override;
    void Invalidate() override;
    void SetBackground(Color color) override;
    void SetCaption(const std::string& caption) override;
    void SetTopmost(bool topmost) override;
    void BringToTop() override;
    void MinimizeApplication() override;
    void Close() override;
    int Dpi() const override { return dpi_; }
    void ScaleControls(int newDpi, int oldDpi) override;
    void Beep() override;
    void ShowError(const std::string& message) override;
    std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(hwnd_); }
    char DecimalSeparator() const override;
    bool AskYesNo(const std::string& question, const std::string& yes,
                  const std::string& no) override;

    // Runs `step` once the first paint is on the screen: from the message loop right after it
    // (posted, so that the paint comes first), or at once when it has been. For what the
    // first page does not need. Detaching the form drops a step that has not run.
    void AfterFirstPaint(std::function<void()> step);

    // Key presses seen before the focused control gets them; nothing is consumed.
    void PreviewKeyDown(const MSG& message);
    // Tab and Shift+Tab move the focus through the controls in their tab order, into the
    // panels too; true when the key was used so. Ctrl+Tab (the form's page key) moves nothing.
    bool MoveFocusOnTab(const MSG& message);

private:
    static bool RegisterWindowClass(HINSTANCE instance);
    void ShowProgramIcon();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WindowPosChanged(WPARAM wParam, LPARAM lParam);
    void Paint();

    HWND hwnd_ = nullptr;
    std::unique_ptr<BufferedPainter> painter_;  // keeps the off-screen bitmap between paints
    TMainForm* form_ = nullptr;
    int dpi_ = 96;  // what the controls are laid out for
    Color background_ = kBlack;
    bool topmost_ = true;
    bool painted_ = false;
    std::function<void()> afterFirstPaint_;
};

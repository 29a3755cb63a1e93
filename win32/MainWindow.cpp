// First: it keeps <windows.h> from renaming Canvas::TextOut in the headers below.
#include "win32/GdiCanvas.h"

#include "win32/MainWindow.h"

#include <commctrl.h>

#include <exception>
#include <tuple>

#include "app/Main.h"
#include "ui/MainFrm.h"
#include "win32/CrashRestore.h"
#include "win32/StartupTrace.h"
#include "win32/Win32Color.h"
#include "win32/Win32ControlBase.h"
#include "win32/Win32ControlFonts.h"
#include "win32/Win32ControlRouting.h"
#include "win32/Win32Handles.h"
#include "win32/Win32Panel.h"
#include "win32/Win32Services.h"
#include "win32/Win32Text.h"
#include "win32/Win32WindowBackground.h"

bool MainWindow::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MainWindow::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kMainWindowClassName;
    if (RegisterClassExW(&wc))
        return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

namespace {

// Posted by the first paint; the backdrop window has WM_APP + 1.
constexpr UINT kFirstPaintDone = WM_APP + 2;

// The message box that an error escaping an event handler ends in.
void ShowUnhandled(HWND owner, const std::exception& error) {
    MessageBoxW(owner, Widen(error.what()).c_str(), Widen(kProgramTitle).c_str(),
                MB_OK | MB_ICONERROR);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, const Bounds& desktopBounds)
    : painter_(std::make_unique<BufferedPainter>()) {
    RegisterPanelClass(instance);
    RegisterWindowClass(instance);
    // No WS_CLIPCHILDREN: labels on the window are transparent and need the window's own
    // painting beneath them; Paint leaves out the opaque children instead.
    const Bounds& b = desktopBounds;
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_CONTROLPARENT, kMainWindowClassName,
                            Widen(kProgramTitle).c_str(), WS_POPUP, b.left, b.top, b.width,
                            b.height, nullptr, nullptr, instance, this);
    if (!hwnd_)
        return;
    SetWindowBackground(hwnd_, background_);
    const UINT dpi = GetDpiForWindow(hwnd_);
    if (dpi > 0)
        dpi_ = static_cast<int>(dpi);
}

MainWindow::~MainWindow() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* window = static_cast<MainWindow*>(create->lpCreateParams);
        window->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    // An error must not unwind through the system's code that called us.
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowUnhandled(hwnd, error);
        return 0;
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (RouteToControl(message, wParam, lParam, result))
        return result;
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // Paint covers every pixel
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SIZE:
            LayOutAnchoredChildren(hwnd_);
            return 0;
        case WM_CLOSE:
            // The form decides: after a failed save the window stays open.
            if (form_ && !form_->FormClose())
                return 0;
            DisarmCrashRestore();  // the displays now show what the close chose
            DestroyWindow(hwnd_);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The process is ended once this returns: the displays get back what they had, and
            // the settings of this run are saved as at any other end.
            if (wParam) {
                if (form_)
                    form_->EndSession();
                else
                    RestoreArmedRamps();
                DisarmCrashRestore();
                try {
                    FinishApplication();
                } catch (const std::exception&) {
                    // Nobody is there to read a message any more.
                }
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_DPICHANGED:
            if (form_)
                form_->HandleDpiChange(LOWORD(wParam));
            return 0;
        case WM_DISPLAYCHANGE:
            if (form_)
                form_->HandleDisplayChange();
            return 0;
        case WM_WINDOWPOSCHANGED:
            return WindowPosChanged(wParam, lParam);
        case kFirstPaintDone:
            ShowProgramIcon();
            if (afterFirstPaint_) {
                const std::function<void()> step = std::move(afterFirstPaint_);
                afterFirstPaint_ = nullptr;
                step();
            }
            return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// The system moves windows off a display that goes away; a minimized or hidden window stands
// nowhere in particular.
LRESULT MainWindow::WindowPosChanged(WPARAM wParam, LPARAM lParam) {
    // The default handling sends WM_SIZE and WM_MOVE, which the layout relies on.
    const LRESULT result = DefWindowProcW(hwnd_, WM_WINDOWPOSCHANGED, wParam, lParam);
    if (form_ && IsWindowVisible(hwnd_) && !IsIconic(hwnd_)) {
        RECT rect{};
        GetWindowRect(hwnd_, &rect);
        form_->FormMoved({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
    }
    return result;
}

void MainWindow::Paint() {
    const PaintingDC paint(hwnd_);
    HDC dc = paint.get();
    // Children that paint themselves completely are left out, so they do not flicker when
    // the pattern is repainted after each edit.
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        auto* control = Win32ControlBase::FromHwnd(child);
        if (!IsWindowVisible(child) || (control && control->IsTransparent()))
            continue;
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
        ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    const Color background = form_ ? form_->Background() : background_;
    if (form_ && !form_->PaintsPattern()) {
        // A plain fill does not flicker, and spares the first paint a full-screen bitmap.
        const GdiObject<HBRUSH> brush(CreateSolidBrush(ToColorRef(background)));
        ::FillRect(dc, &paint.Area(), brush.get());
    } else {
        painter_->Paint(dc, ClientWidth(), ClientHeight(), ControlFont(8, false, false, dpi_),
                        background, [this](Canvas& canvas) {
                            if (form_)
                                form_->FormPaint(canvas);
                        });
    }
    if (!painted_) {
        painted_ = true;
        TraceStartup("first paint");
        PostMessageW(hwnd_, kFirstPaintDone, 0, 0);
    }
}

// The program's own icon, for the taskbar and the task switcher. It is given once the first page
// is on the screen, whose full-screen window covers the taskbar anyway: under Wine, loading an
// icon at both sizes costs the start about a millisecond.
void MainWindow::ShowProgramIcon() {
    const HINSTANCE instance = InstanceOf(hwnd_);
    for (const auto& [which, width, height] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
                                               std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
        HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON,
                                 GetSystemMetrics(width), GetSystemMetrics(height), LR_SHARED);
        if (icon)
            SendMessageW(hwnd_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

void MainWindow::AfterFirstPaint(std::function<void()> step) {
    if (painted_)
        step();
    else
        afterFirstPaint_ = std::move(step);
}

void MainWindow::SetWindowBounds(const Bounds& b) {
    RECT now{};
    GetWindowRect(hwnd_, &now);
    if (now.left == b.left && now.top == b.top && now.right - now.left == b.width &&
        now.bottom - now.top == b.height)
        return;
    SetWindowPos(hwnd_, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int MainWindow::ClientWidth() const {
    RECT rect{};
    GetClientRect(hwnd_, &rect);
    return rect.right;
}

int MainWindow::ClientHeight() const {
    RECT rect{};
    GetClientRect(hwnd_, &rect);
    return rect.bottom;
}

void MainWindow::Show() {
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void MainWindow::Hide() {
    ShowWindow(hwnd_, SW_HIDE);
}

void MainWindow::Invalidate() {
    // A hidden window has nothing on the screen to repaint, and showing it paints all of it;
    // the layouts before the first show would pay a round trip per label for nothing.
    if (!IsWindowVisible(hwnd_))
        return;
    // The window alone: panels and controls keep their pixels. Transparent labels lie on
    // the repainted pattern and draw their text again after it.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        auto* control = Win32ControlBase::FromHwnd(child);
        if (control && control->IsTransparent())
            InvalidateRect(child, nullptr, FALSE);
    }
}

void MainWindow::SetBackground(Color color) {
    if (color == background_)
        return;
    background_ = color;
    SetWindowBackground(hwnd_, color);
    // Panels that take the window's colour repaint too.
    if (IsWindowVisible(hwnd_))
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The window is made with its caption and in the top band; saying so again would cost the
// window manager a round trip each.
void MainWindow::SetCaption(const std::string& caption) {
    if (WindowText(hwnd_) != caption)
        SetWindowTextW(hwnd_, Widen(caption).c_str());
}

void MainWindow::SetTopmost(bool topmost) {
    topmost_ = topmost;
    const bool isTopmost = (GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (isTopmost == topmost)
        return;
    SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::BringToTop() {
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    SetWindowPos(hwnd_, topmost_ ? HWND_TOPMOST : HWND_TOP, rect.left, rect.top,
                 rect.right - rect.left, rect.bottom - rect.top, 0);
}

void MainWindow::MinimizeApplication() {
    ShowWindow(hwnd_, SW_MINIMIZE);
}

// Posted, so that the close runs after the click that asked for it has been handled.
void MainWindow::Close() {
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void MainWindow::ScaleControls(int newDpi, int oldDpi) {
    ScaleDescendants(hwnd_, newDpi, oldDpi);
    dpi_ = newDpi;
}

void MainWindow::Beep() {
    MessageBeep(MB_OK);
}

void MainWindow::ShowError(const std::string& message) {
    MessageBoxW(hwnd_, Widen(message).c_str(), Widen(kProgramTitle).c_str(), MB_OK | MB_ICONERROR);
}

char MainWindow::DecimalSeparator() const {
    return LocaleDecimalSeparator();
}

// A task dialog, since a message box's buttons speak the system's language, not the program's.
// Enter answers the default, Yes; Tab goes to No. Without task dialogs (no common controls 6),
// the message box still asks.
bool MainWindow::AskYesNo(const std::string& question, const std::string& yes,
                          const std::string& no) {
    const std::wstring title = Widen(kProgramTitle), text = Widen(question);
    const std::wstring yesText = Widen(yes), noText = Widen(no);
    const TASKDIALOG_BUTTON buttons[] = {{IDYES, yesText.c_str()}, {IDNO, noText.c_str()}};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = hwnd_;
    config.dwFlags = TDF_POSITION_RELATIVE_TO_WINDOW;
    config.pszWindowTitle = title.c_str();
    config.pszContent = text.c_str();
    config.cButtons = 2;
    config.pButtons = buttons;
    config.nDefaultButton = IDYES;
    int answer = 0;
    if (SUCCEEDED(TaskDialogIndirect(&config, &answer, nullptr, nullptr)))
        return answer == IDYES;
    return MessageBoxW(hwnd_, text.c_str(), title.c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1 | MB_SETFOREGROUND) == IDYES;
}

void MainWindow::PreviewKeyDown(const MSG& message) {
    if (!form_ || message.message != WM_KEYDOWN)
        return;
    if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))
        return;
    // Escape in an open drop-down list only closes the list.
    wchar_t windowClass[16] = {};
    if (message.wParam == VK_ESCAPE && GetClassNameW(message.hwnd, windowClass, 16) > 0 &&
        lstrcmpiW(windowClass, L"ComboBox") == 0 &&
        SendMessageW(message.hwnd, CB_GETDROPPEDSTATE, 0, 0))
        return;
    form_->FormKeyDown(static_cast<int>(message.wParam), GetKeyState(VK_CONTROL) < 0,
                       GetKeyState(VK_SHIFT) < 0);
}

bool MainWindow::MoveFocusOnTab(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB)
        return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))
        return false;
    HWND next = GetNextDlgTabItem(hwnd_, GetFocus(), GetKeyState(VK_SHIFT) < 0);
    if (!next)
        return false;
    SetFocus(next);
    // As in a dialog: the edit that takes the focus has its text selected for retyping.
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(next, EM_SETSEL, 0, -1);
    return true;
}

#include "win32/BackgroundWindow.h"
// Before any render header: it keeps <windows.h>'s TextOut macro off Canvas::TextOut.
#include "win32/GdiCanvas.h"

#include "render/BackgroundFrm.h"

namespace {

class Win32SystemMetrics : public SystemMetrics {
public:
    int VirtualScreen(VirtualScreenMetric metric) override {
        switch (metric) {
            case VirtualScreenMetric::kLeft:
                return GetSystemMetrics(SM_XVIRTUALSCREEN);
            case VirtualScreenMetric::kTop:
                return GetSystemMetrics(SM_YVIRTUALSCREEN);
            case VirtualScreenMetric::kWidth:
                return GetSystemMetrics(SM_CXVIRTUALSCREEN);
            case VirtualScreenMetric::kHeight:
                return GetSystemMetrics(SM_CYVIRTUALSCREEN);
        }
        return 0;
    }
};

struct Backdrop {
    HWND hwnd = nullptr;
    BackgroundWindowArgs args;
    TBackgroundForm form;
};
Backdrop g_backdrop;

void Paint(HWND hwnd) {
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    RECT client{};
    GetClientRect(hwnd, &client);
    const BackgroundWindowArgs& args = g_backdrop.args;
    const BackdropView view{.page = args.currentPage ? args.currentPage() : 0,
                            .panelHeight = args.panelHeight ? args.panelHeight() : 0,
                            .originX = origin.x,
                            .originY = origin.y,
                            .clientWidth = client.right,
                            .clientHeight = client.bottom};
    PaintWindowBuffered(hwnd, nullptr, kBlack,
                        [&](Canvas& canvas) { TBackgroundForm::FormPaint(canvas, view); });
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE)
                PostMessageW(hwnd, kBackgroundActivated, 0, 0);
            return 0;
        case kBackgroundActivated:
            if (HWND main = g_backdrop.args.mainWindow; main && IsWindow(main)) {
                SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
                SetForegroundWindow(main);
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PAINT:
            Paint(hwnd);
            return 0;
        case WM_DPICHANGED:
            return 0;  // bounds are the virtual screen's pixels, whatever the scale
        case WM_DISPLAYCHANGE: {
            Win32SystemMetrics metrics;
            TBackgroundForm& form = g_backdrop.form;
            form.DisplayChange(metrics);
            SetWindowPos(hwnd, nullptr, form.Left(), form.Top(), form.Width(), form.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            InvalidateRect(hwnd, nullptr, FALSE);  // the grey steps span the new desktop
            return 0;
        }
        case WM_DESTROY:
            g_backdrop.hwnd = nullptr;
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool RegisterBackgroundClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kBackgroundWindowClass;
    return RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND CreateBackgroundWindow(const BackgroundWindowArgs& args) {
    if (g_backdrop.hwnd)
        return g_backdrop.hwnd;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterBackgroundClass(instance))
        return nullptr;

    g_backdrop.args = args;
    Win32SystemMetrics metrics;
    g_backdrop.form.FormCreate(metrics);
    const TBackgroundForm& form = g_backdrop.form;

    // Not owned by the calibration window: an owned window always stays above its owner.
    // A tool window keeps the backdrop out of the taskbar and the task switcher.
    g_backdrop.hwnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kBackgroundWindowClass, L"",
                                      WS_POPUP, form.Left(), form.Top(), form.Width(),
                                      form.Height(), nullptr, nullptr, instance, nullptr);
    if (!g_backdrop.hwnd)
        return nullptr;
    if (form.Visible()) {
        // Shown without taking activation from the calibration window, and placed behind it.
        ShowWindow(g_backdrop.hwnd, SW_SHOWNOACTIVATE);
        if (args.mainWindow)
            SetWindowPos(g_backdrop.hwnd, args.mainWindow, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return g_backdrop.hwnd;
}

HWND BackgroundWindowHandle() {
    return g_backdrop.hwnd;
}

void InvalidateBackgroundWindow() {
    if (g_backdrop.hwnd)
        InvalidateRect(g_backdrop.hwnd, nullptr, FALSE);
}

void HideBackgroundWindow() {
    if (g_backdrop.hwnd)
        ShowWindow(g_backdrop.hwnd, SW_HIDE);
}

void DestroyBackgroundWindow() {
    if (g_backdrop.hwnd)
        DestroyWindow(g_backdrop.hwnd);
    g_backdrop = Backdrop{};
}

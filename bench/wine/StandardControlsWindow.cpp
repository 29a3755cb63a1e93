// The floor of the start-up benchmark: what a window with the standard controls of Tonecast's
// first page costs under Wine, with no settings, language files, ramps or layout logic. The
// window is the bare window's (black, full-screen, topmost, its first paint traced); before it
// shows, it gets the bar, the welcome text, the language selector and the target gamma of the
// first page, with the classes, styles, fonts and 96-dpi sizes the calibration window gives
// them, at the places its layout puts them on this screen.
#include <windows.h>

#include <commctrl.h>

#include <initializer_list>

#include "BlackWindow.h"
#include "win32/Win32ControlFonts.h"

namespace {

void Register(HINSTANCE instance, const char* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

struct Box {
    int left, top, width, height;
};

HWND Child(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle, Box b,
           HFONT font = ControlFont(8, false, false, 96)) {
    HWND hwnd =
        CreateWindowExA(exStyle, className, text, WS_CHILD | WS_CLIPSIBLINGS | style, b.left, b.top,
                        b.width, b.height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return hwnd;
}

void AddItems(HWND comboBox, std::initializer_list<const char*> items, int selected) {
    for (const char* item : items)
        SendMessageA(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(comboBox, CB_SETCURSEL, selected, 0);
}

constexpr DWORD kPanel = WS_EX_CONTROLPARENT;
constexpr DWORD kDropDownList =
    WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT;
constexpr DWORD kBarButton = WS_VISIBLE | BS_PUSHBUTTON | BS_FLAT;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    TraceStartup("main");
    INITCOMMONCONTROLSEX classes{sizeof classes,
                                 ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    Register(instance, "StandardControlsWindow", BlackWindowProc, nullptr);
    Register(instance, "Bar", DefWindowProcA, CreateSolidBrush(RGB(192, 192, 192)));
    Register(instance, "Panel", DefWindowProcA, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_CONTROLPARENT, "StandardControlsWindow",
                                  "Standard controls", WS_POPUP, 0, 0, w, h, nullptr, nullptr,
                                  instance, nullptr);

    HWND bar = Child(window, "Bar", "", WS_VISIBLE, kPanel, {0, h - 53, w, 53});
    HWND tabs = Child(bar, WC_TABCONTROLA, "",
                      WS_VISIBLE | TCS_TABS | TCS_SINGLELINE | TCS_FOCUSNEVER, 0, {0, 0, w, 25});
    int index = 0;
    for (const char* text :
         {"Welcome", "Black Point", "White Point", "Gamma", "Gamma Sharp", "Color Balance",
          "Correction Points", "All Controls", "Reference Image"}) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(text);
        SendMessageA(tabs, TCM_INSERTITEMA, index++, reinterpret_cast<LPARAM>(&item));
    }
    Child(bar, WC_STATICA, "Display:", WS_VISIBLE | SS_LEFTNOWORDWRAP, 0, {12, 33, 55, 13});
    AddItems(Child(bar, WC_COMBOBOXA, "", kDropDownList, 0, {71, 29, w / 2 - 71, 200}),
             {"1. Generic monitor (1920 x 1080)"}, 0);
    Child(bar, WC_BUTTONA, "Reset", kBarButton, 0, {w - 499, 28, 100, 22});
    Child(bar, WC_BUTTONA, "Off LUT", kBarButton, 0, {w - 383, 28, 100, 22});
    Child(bar, WC_BUTTONA, "Minimize", kBarButton, 0, {w - 277, 28, 100, 22});
    Child(bar, WC_BUTTONA, "OK", kBarButton, 0, {w - 169, 28, 79, 22});
    Child(bar, WC_BUTTONA, "Cancel", kBarButton, 0, {w - 84, 28, 79, 22});
    // The refusal warning, the help text and the file name, which the first page hides.
    Child(bar, WC_STATICA, "", SS_LEFT, 0, {12, 26, 0, 0});
    Child(window, WC_STATICA, "", SS_LEFT, 0, {70, 0, 300, 360});
    Child(window, WC_STATICA, "", SS_LEFTNOWORDWRAP | SS_NOTIFY | SS_NOPREFIX, 0, {0, 0, 0, 0});

    HWND welcome = Child(window, "Panel", "", WS_VISIBLE, kPanel,
                         {w / 2 - 633 / 2, h / 2 - 364 / 2, 633, 364});
    Child(welcome, WC_STATICA, "Welcome to Tonecast", WS_VISIBLE | SS_LEFTNOWORDWRAP, 0,
          {0, 0, 633, 24}, ControlFont(14, true, false, 96));
    Child(welcome, WC_EDITA,
          "Tonecast adjusts the look-up table (LUT) of your graphics card so that this display "
          "shows black, white and the greys in between correctly.\r\n\r\nEvery change takes "
          "effect at once and applies to the whole desktop, not only to this window.",
          WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_DISABLED, 0, {0, 34, 633, 330});
    HWND language = Child(window, "Panel", "", WS_VISIBLE, kPanel, {w - 149, h - 149, 149, 46});
    Child(language, WC_STATICA, "Language:", WS_VISIBLE | SS_LEFTNOWORDWRAP, 0, {2, 2, 145, 13});
    AddItems(Child(language, WC_COMBOBOXA, "", kDropDownList, 0, {2, 20, 145, 200}),
             {"Deutsch", "English", "Espa\361ol", "Fran\347ais"}, 1);
    HWND gamma = Child(window, "Panel", "", WS_VISIBLE, kPanel, {w - 149, h - 99, 149, 46});
    Child(gamma, WC_STATICA, "Gamma:", WS_VISIBLE | SS_LEFTNOWORDWRAP, 0, {2, 2, 145, 13});
    Child(gamma, WC_EDITA, "2.200", WS_VISIBLE | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
          {2, 20, 145, 21});

    ShowWindow(window, SW_SHOW);
    return RunBlackWindow(window);
}

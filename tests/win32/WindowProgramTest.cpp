// Tonecast.exe itself, started from a portable program folder on the X display: the window's
// place, the keyboard's page switching, and what OK and Cancel leave behind. The program is
// driven from outside as a user would, through its windows' messages and real key input.
// Needs an X display; skipped without one.

#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "WindowProgramFiles.h"
#include "WindowTree.h"
#include "app/Language.h"
#include "ramp/Correction.h"
#include "ramp/RampFile.h"

namespace {

// The device ID Wine 8 gives the n-th monitor (measured; its monitors have no EDID of their own).
std::string WineMonitorId(int n) {
    return "\\\\?\\DISPLAY#Default_Monitor#000" + std::to_string(n - 1) +
           "&0000#{E6F07B5F-EE97-4A90-B076-33F57BF4EAA7}";
}

std::string StartupShortcut() {
    wchar_t folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, 0, folder);
    return Narrow(folder) + "\\Tonestart.lnk";
}

void DeleteStartupShortcut() {
    DeleteFileW(Widen(StartupShortcut()).c_str());
}

// One run of the program, ended by the test or killed at the end.
class RunningTonecast {
public:
    explicit RunningTonecast(const PortableProgramFolder& folder) {
        const std::wstring exe = Widen(folder.Path() + "Tonecast.exe");
        std::wstring commandLine = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            Widen(folder.Path()).c_str(), &startup, &process_))
            return;
        for (int waited = 0; waited < 30000 && !window_; waited += 50) {
            Sleep(50);
            EnumWindows(&RunningTonecast::FindOwnWindow, reinterpret_cast<LPARAM>(this));
        }
        // The window shows before its creation has finished; events count from then on.
        WaitForInputIdle(process_.hProcess, 10000);
    }
    ~RunningTonecast() {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process_.hProcess, 99);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }
    RunningTonecast(const RunningTonecast&) = delete;
    RunningTonecast& operator=(const RunningTonecast&) = delete;

    HWND Window() const { return window_; }

    // The exit code, or STILL_ACTIVE when the program has not ended within the time.
    DWORD WaitForExit(DWORD milliseconds = 15000) const {
        WaitForSingleObject(process_.hProcess, milliseconds);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

    HWND Bar() const {
        for (HWND panel : Children(window_))
            if (FindWindowExA(panel, nullptr, WC_TABCONTROLA, nullptr))
                return panel;
        return nullptr;
    }
    // The bar's warning that the display refused its ramp (English), and whether it shows
    // (always on Xvfb, where Wine sets no ramp).
    HWND RefusalLabel() const {
        for (HWND child : Children(Bar()))
            if (ClassOf(child) == WC_STATICA && TextOf(child).starts_with("This display did not"))
                return child;
        return nullptr;
    }
    bool RefusalShown() const { return IsWindowVisible(RefusalLabel()) != FALSE; }
    HWND Tabs() const { return FindWindowExA(Bar(), nullptr, WC_TABCONTROLA, nullptr); }
    int Page() const { return static_cast<int>(SendMessageA(Tabs(), TCM_GETCURSEL, 0, 0)); }
    HWND BarButton(const std::string& caption) const {
        return FindWindowExW(Bar(), nullptr, WC_BUTTONW, Widen(caption).c_str());
    }

    // The adjustment panel titled `title`: the one with a label of that text and its rows.
    HWND AdjustmentPanel(const std::string& title) const {
        for (HWND panel : Children(window_)) {
            int edits = 0;
            bool titled = false;
            for (HWND child : Children(panel)) {
                edits += ClassOf(child) == "Edit";
                titled |= ClassOf(child) == "Static" && TextOf(child) == title;
            }
            if (titled && edits >= 3)
                return panel;
        }
        return nullptr;
    }
    // The edit of `panel` in the row at `top` (design pixels: 7 overall, 34 red, ...).
    static HWND EditAt(HWND panel, int top) {
        for (HWND child : Children(panel))
            if (ClassOf(child) == "Edit" && RectInParent(child).top == top &&
                RectInParent(child).left == 66)
                return child;
        return nullptr;
    }

    // Real key input, as the keyboard gives it: the program sees Ctrl in GetKeyState.
    void PressCtrlTab(bool shift) const {
        SetForegroundWindow(window_);
        std::vector<INPUT> keys;
        auto key = [&](WORD code, bool up) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = code;
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            keys.push_back(input);
        };
        key(VK_CONTROL, false);
        if (shift)
            key(VK_SHIFT, false);
        key(VK_TAB, false);
        key(VK_TAB, true);
        if (shift)
            key(VK_SHIFT, true);
        key(VK_CONTROL, true);
        const int before = Page();
        SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
        for (int waited = 0; waited < 3000 && Page() == before; waited += 10)
            Sleep(10);
    }

    // The program's message box or dialog, once it shows one.
    HWND WaitForMessageBox() const {
        for (int waited = 0; waited < 10000; waited += 50) {
            HWND box = nullptr;
            while ((box = FindWindowExA(nullptr, box, "#32770", nullptr))) {
                DWORD owner = 0;
                GetWindowThreadProcessId(box, &owner);
                if (owner == process_.dwProcessId && IsWindowVisible(box))
                    return box;
            }
            Sleep(50);
        }
        return nullptr;
    }

private:
    static BOOL CALLBACK FindOwnWindow(HWND window, LPARAM self) {
        auto* run = reinterpret_cast<RunningTonecast*>(self);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == run->process_.dwProcessId && ClassOf(window) == "TTonecastMainForm" &&
            IsWindowVisible(window)) {
            run->window_ = window;
            return FALSE;
        }
        return TRUE;
    }

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

class WindowProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveDisplay())
            GTEST_SKIP() << "no X display for the program's window";
        DeleteStartupShortcut();
    }
    void TearDown() override { DeleteStartupShortcut(); }
    PortableProgramFolder folder;
};

TEST_F(WindowProgramTest, CoversTheDisplayStaysOnTopAndWalksThePagesWithCtrlTab) {
    RunningTonecast run(folder);
    ASSERT_NE(run.Window(), nullptr);

    RECT window{};
    GetWindowRect(run.Window(), &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(run.Window(), MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_TRUE(EqualRect(&window, &monitor.rcMonitor));
    EXPECT_EQ(window.right - window.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(window.bottom - window.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_NE(GetWindowLongA(run.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindowLongA(run.Window(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_EQ(TextOf(run.Window()), "Velmor Tonecast 3.1.0");

    // The bar spans the bottom; the Cancel button keeps 5 pixels to the right edge.
    const RECT bar = RectInParent(run.Bar());
    const int width = window.right - window.left, height = window.bottom - window.top;
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, width);
    EXPECT_EQ(bar.bottom, height);
    EXPECT_EQ(bar.bottom - bar.top, run.RefusalShown() ? 53 + 41 : 53);  // the warning's row
    EXPECT_EQ(RectInParent(run.BarButton("Cancel")).right, width - 5);
    EXPECT_EQ(RectInParent(run.BarButton("OK")).right, width - 90);

    EXPECT_EQ(run.Page(), 0);
    for (int i = 0; i < 3; ++i)
        run.PressCtrlTab(false);
    ASSERT_EQ(run.Page(), 3);
    const HWND gamma = run.AdjustmentPanel("Gamma:");
    ASSERT_NE(gamma, nullptr);
    EXPECT_TRUE(IsWindowVisible(gamma));
    // Centred and 20 pixels above the bar.
    const RECT place = RectInParent(gamma);
    EXPECT_EQ(place.left, width / 2 - 121 / 2);
    EXPECT_EQ(place.top, bar.top - 142 - 20);

    for (int i = 0; i < 5; ++i)
        run.PressCtrlTab(false);
    EXPECT_EQ(run.Page(), 8);
    run.PressCtrlTab(false);
    EXPECT_EQ(run.Page(), 0);  // wraps forward
    run.PressCtrlTab(true);
    EXPECT_EQ(run.Page(), 8);  // and back

    SendMessageA(run.BarButton("Cancel"), BM_CLICK, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0u);
}

// The user's keys into an edit of the running program, and what the edit then shows: its
// text and its selection (start,end; the caret is at the end).
void SelectAll(HWND edit) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
}
void Keys(HWND edit, const std::string& characters) {
    for (char ch : characters)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(ch), 1);
}
void PressUp(HWND edit) {
    SendMessageA(edit, WM_KEYDOWN, VK_UP, 1);
    SendMessageA(edit, WM_KEYUP, VK_UP, 0xC0000001);
}
std::string Shown(HWND edit) {
    // GetWindowText does not ask another process's edit for its text; WM_GETTEXT does.
    char text[64] = {};
    SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    const auto selection = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
    return std::string(text) + "@" + std::to_string(LOWORD(selection)) + "," +
           std::to_string(HIWORD(selection));
}

// Every integer edit of the panels takes the keys as typed: "-" and "-5" stay with the caret
// after them, an emptied edit keeps the last value (Up gives -4), and "150" keeps 15 (Up
// gives 16). What the record kept is what OK saves.
TEST_F(WindowProgramTest, TypedValuesStayAsTypedAndOkSavesThemWithTheStartupShortcut) {
    RunningTonecast run(folder);
    ASSERT_NE(run.Window(), nullptr);
    const HWND black = run.AdjustmentPanel("Black:");
    ASSERT_NE(black, nullptr);

    // ">0<" on a panel that is all 0 does nothing, whatever an edit holds.
    SelectAll(RunningTonecast::EditAt(black, 7));
    Keys(RunningTonecast::EditAt(black, 7), "-");
    SendMessageA(run.BarButton("Off LUT"), BM_CLICK, 0, 0);
    SendMessageA(FindWindowExA(black, nullptr, WC_BUTTONA, ">0<"), BM_CLICK, 0, 0);
    EXPECT_EQ(Shown(RunningTonecast::EditAt(black, 7)), "-@1,1");
    EXPECT_NE(run.BarButton("On LUT"), nullptr);  // the correction stays off

    const std::pair<const char*, std::vector<int>> panels[] = {{"Gamma:", {7, 34, 61, 88}},
                                                               {"Black:", {7, 34, 61, 88}},
                                                               {"White:", {7, 34, 61, 88}},
                                                               {"Balance:", {34, 61, 88}},
                                                               {"Value:", {7, 34, 61, 88}}};
    for (const auto& [title, rows] : panels) {
        const HWND panel = run.AdjustmentPanel(title);
        ASSERT_NE(panel, nullptr) << title;
        for (int top : rows) {
            const HWND edit = RunningTonecast::EditAt(panel, top);
            ASSERT_NE(edit, nullptr) << title << top;
            std::vector<std::string> seen;
            SelectAll(edit);
            Keys(edit, "-");
            seen.push_back(Shown(edit));
            Keys(edit, "5");
            seen.push_back(Shown(edit));
            SelectAll(edit);
            Keys(edit, "\b");
            seen.push_back(Shown(edit));
            PressUp(edit);
            seen.push_back(Shown(edit));
            SelectAll(edit);
            Keys(edit, "150");
            seen.push_back(Shown(edit));
            PressUp(edit);
            seen.push_back(Shown(edit));
            EXPECT_EQ(seen, (std::vector<std::string>{"-@1,1", "-5@2,2", "@0,0", "-4@0,0",
                                                      "150@3,3", "16@0,0"}))
                << title << " row " << top;
        }
    }

    SendMessageA(run.BarButton("OK"), BM_CLICK, 0, 0);
    ASSERT_EQ(run.WaitForExit(), 0u);

    MONITORINFOEXA monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    TCorrection expected{};
    for (std::int32_t TCorrection::*field :
         {&TCorrection::Gamma, &TCorrection::GammaR, &TCorrection::GammaG, &TCorrection::GammaB,
          &TCorrection::Black, &TCorrection::BlackR, &TCorrection::BlackG, &TCorrection::BlackB,
          &TCorrection::White, &TCorrection::WhiteR, &TCorrection::WhiteG, &TCorrection::WhiteB,
          &TCorrection::BalanceR, &TCorrection::BalanceG, &TCorrection::BalanceB})
        expected.*field = 16;
    expected.PointOn[127] = 1;
    expected.Point[127] = expected.PointR[127] = expected.PointG[127] = expected.PointB[127] = 16;
    InterpolatePoints(expected);  // as applying the last edit did
    ASSERT_TRUE(folder.Exists("Tonecast1.lut"));
    EXPECT_EQ(ReadBytes(folder.Path() + "Tonecast1.lut"),
              FormatRampFile(expected, monitor.szDevice, WineMonitorId(1)));
    EXPECT_FALSE(folder.Exists("Tonecast2.lut"));

    const std::string shortcut = ReadBytes(StartupShortcut());
    ASSERT_GE(shortcut.size(), 4u);
    EXPECT_EQ(shortcut.substr(0, 4), std::string("\x4C\0\0\0", 4));
}

TEST_F(WindowProgramTest, CancelAfterEditsWritesNothing) {
    RunningTonecast run(folder);
    ASSERT_NE(run.Window(), nullptr);
    const HWND black = run.AdjustmentPanel("Black:");
    ASSERT_NE(black, nullptr);
    SendMessageA(RunningTonecast::EditAt(black, 7), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12"));

    SendMessageA(run.BarButton("Cancel"), BM_CLICK, 0, 0);
    ASSERT_EQ(run.WaitForExit(), 0u);
    EXPECT_FALSE(folder.Exists("Tonecast1.lut"));
    EXPECT_FALSE(PathExists(StartupShortcut()));
}

// A move to a display of 144 dpi: every control grows by half, the window stays on its own
// display (not on the rectangle the message suggests) and the page is laid out again.
TEST_F(WindowProgramTest, ADpiChangeScalesTheControlsAndKeepsTheWindowOnItsDisplay) {
    RunningTonecast run(folder);
    ASSERT_NE(run.Window(), nullptr);
    for (int i = 0; i < 3; ++i)
        run.PressCtrlTab(false);
    ASSERT_EQ(run.Page(), 3);
    RECT before{};
    GetWindowRect(run.Window(), &before);

    RECT suggested{100, 100, 900, 700};
    SendMessageA(run.Window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));

    RECT after{};
    GetWindowRect(run.Window(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_TRUE(IsWindowVisible(run.Window()));
    const int width = after.right - after.left;
    const RECT bar = RectInParent(run.Bar());
    EXPECT_EQ(bar.bottom - bar.top, run.RefusalShown() ? 80 + 62 : 80);  // 53 (+ 41) at 144 dpi
    EXPECT_EQ(bar.bottom, after.bottom - after.top);
    EXPECT_EQ(RectInParent(run.BarButton("Cancel")).right, width - 8);  // 5 at 144 dpi
    const RECT gamma = RectInParent(run.AdjustmentPanel("Gamma:"));
    EXPECT_EQ(gamma.right - gamma.left, 182);  // 121 x 142 at 144 dpi
    EXPECT_EQ(gamma.bottom - gamma.top, 213);
    EXPECT_EQ(gamma.left, width / 2 - 182 / 2);
    EXPECT_EQ(gamma.top, bar.top - 213 - 30);  // 20 pixels at 144 dpi

    SendMessageA(run.BarButton("Cancel"), BM_CLICK, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0u);
}

// The system's close (Alt+F4, the taskbar) is a close other than OK: nothing is saved.
TEST_F(WindowProgramTest, ClosingTheWindowByTheSystemSavesNothing) {
    RunningTonecast run(folder);
    ASSERT_NE(run.Window(), nullptr);
    const HWND white = run.AdjustmentPanel("White:");
    ASSERT_NE(white, nullptr);
    SendMessageA(RunningTonecast::EditAt(white, 7), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("-3"));

    PostMessageA(run.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(run.WaitForExit(), 0u);
    EXPECT_FALSE(folder.Exists("Tonecast1.lut"));
}

TEST_F(WindowProgramTest, MinimizeLeavesTheStayOnTopBandForGood) {
    RunningTonecast run(folder);
    ASSERT_NE(run.Window(), nullptr);
    SendMessageA(run.BarButton("Minimize"), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsIconic(run.Window()));
    EXPECT_EQ(GetWindowLongA(run.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    ShowWindow(run.Window(), SW_RESTORE);  // as from the taskbar
    EXPECT_FALSE(IsIconic(run.Window()));
    EXPECT_EQ(GetWindowLongA(run.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    SendMessageA(run.BarButton("Cancel"), BM_CLICK, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0u);
}

// The file name on the reference page is a link: a click opens the open-file dialog.
TEST_F(WindowProgramTest, ClickingTheFileNameOnPage8OpensTheFileDialog) {
    RunningTonecast run(folder);
    ASSERT_NE(run.Window(), nullptr);
    run.PressCtrlTab(true);
    ASSERT_EQ(run.Page(), 8);
    const HWND link = FindWindowExA(run.Window(), nullptr, "Static", "TonecastRef.sRGB.jpg");
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(IsWindowVisible(link));
    // 70 pixels from the right edge, 4 above the bar.
    const RECT place = RectInParent(link);
    EXPECT_EQ(place.right, GetSystemMetrics(SM_CXSCREEN) - 70);
    EXPECT_EQ(place.bottom, RectInParent(run.Bar()).top - 4);

    PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    const HWND dialog = run.WaitForMessageBox();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), "Choose a reference image");
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    for (int waited = 0; waited < 5000 && IsWindow(dialog); waited += 50)
        Sleep(50);
    EXPECT_FALSE(IsWindow(dialog));

    SendMessageA(run.BarButton("Cancel"), BM_CLICK, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0u);
}

// The ramp file's name taken by a folder: the save fails. The user sees the error, stays in
// the window with the corrections applied, and can still leave it with Cancel.
TEST_F(WindowProgramTest, AFailedSaveKeepsTheWindowOpenAndCancelStillEnds) {
    const std::string blocker = folder.Path() + "Tonecast1.lut";
    ASSERT_TRUE(CreateDirectoryW(Widen(blocker).c_str(), nullptr));
    RunningTonecast run(folder);
    ASSERT_NE(run.Window(), nullptr);

    SendMessageA(run.BarButton("OK"), BM_CLICK, 0, 0);
    const HWND error = run.WaitForMessageBox();
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(TextOf(error), "Velmor Tonecast 3.1.0");
    PostMessageA(error, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(run.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(IsWindowVisible(run.Window()));

    SendMessageA(run.BarButton("Cancel"), BM_CLICK, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0u);
    EXPECT_FALSE(PathExists(StartupShortcut()));
    RemoveDirectoryW(Widen(blocker).c_str());
}

// A saved calibration that another program holds open without sharing: the window names
// the file and the system's reason over the window, that display starts cleared, and once
// the file is free OK replaces it.
TEST_F(WindowProgramTest, ALockedRampFileIsToldAndOkThenReplacesIt) {
    MONITORINFOEXA monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const std::string lut = folder.Path() + "Tonecast1.lut";
    TCorrection saved{};
    saved.Gamma = 30;
    WriteBytes(lut, FormatRampFile(saved, monitor.szDevice));
    FileHandle held(
        CreateFileW(Widen(lut).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.valid());

    RunningTonecast run(folder);
    ASSERT_NE(run.Window(), nullptr);
    const HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(IsWindowVisible(run.Window()));
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)),
              "The saved correction of a display cannot be read:\r\n\r\nDisplay 1 (Generic "
              "Non-PnP Monitor)\r\n" +
                  lut +
                  "\r\nSharing violation.\r\n\r\nThis display starts from a cleared "
                  "correction, and OK will replace the file.");
    held.Close();
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    for (int waited = 0; waited < 5000 && IsWindow(box); waited += 50)
        Sleep(50);

    SendMessageA(run.BarButton("OK"), BM_CLICK, 0, 0);
    ASSERT_EQ(run.WaitForExit(), 0u);
    // The earlier version's file, matched by its number, now names its monitor.
    EXPECT_EQ(ReadBytes(lut), FormatRampFile(TCorrection{}, monitor.szDevice, WineMonitorId(1)));
}

// A dialog's control with that identifier, among all its descendants (a task dialog's buttons
// may stand in a panel of their own).
HWND FindChildWithId(HWND dialog, int id) {
    std::pair<int, HWND> search{id, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM found) {
            auto* wanted = reinterpret_cast<std::pair<int, HWND>*>(found);
            if (GetDlgCtrlID(child) != wanted->first || ClassOf(child) != WC_BUTTONA)
                return TRUE;
            wanted->second = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// The texts of a shipped language file by key, read the way the program reads them.
std::map<std::string, std::string> LanguageTexts(const std::string& path) {
    const std::string text = DecodeLanguageFile(ReadBytes(path));
    LangFile file{text};
    std::map<std::string, std::string> texts;
    std::string key, value;
    while (ReadLangEntry(file, key, value))
        texts[key] = value;
    return texts;
}

TEST_F(WindowProgramTest, TheLanguageSelectorRelabelsTheWindowAtOnce) {
    RunningTonecast run(folder);
    ASSERT_NE(run.Window(), nullptr);
    const auto english = LanguageTexts(folder.Path() + "English.lng");
    const auto german = LanguageTexts(folder.Path() + "Deutsch.lng");
    ASSERT_FALSE(german.empty());

    // The language selector is the drop-down list outside the bar.
    HWND selector = nullptr;
    for (HWND panel : Children(run.Window()))
        if (panel != run.Bar())
            if (HWND combo = FindWindowExA(panel, nullptr, WC_COMBOBOXA, nullptr))
                selector = combo;
    ASSERT_NE(selector, nullptr);
    EXPECT_TRUE(IsWindowVisible(selector));
    const LRESULT deutsch =
        SendMessageA(selector, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("Deutsch"));
    ASSERT_NE(deutsch, CB_ERR);
    ASSERT_NE(run.BarButton(english.at("BCancel")), nullptr);

    // The list has the keyboard, as after the user opened it.
    const DWORD thread = GetWindowThreadProcessId(selector, nullptr);
    AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
    SetFocus(selector);
    AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
    auto focus = [thread] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
    };
    ASSERT_EQ(focus(), selector);

    // As the list does when the user picks an entry: select it, then notify the parent.
    SendMessageA(selector, CB_SETCURSEL, static_cast<WPARAM>(deutsch), 0);
    SendMessageA(GetParent(selector), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(selector), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(selector));

    // Every caption of the bar now reads as the German file says, the page stays.
    for (const char* key : {"BOK", "BCancel", "BMinimize", "BOffLUT", "BReset"})
        EXPECT_NE(run.BarButton(german.at(key)), nullptr) << key << " " << german.at(key);
    EXPECT_EQ(run.BarButton(english.at("BCancel")), nullptr);
    EXPECT_NE(FindWindowExW(run.Bar(), nullptr, WC_STATICW, Widen(german.at("LDisplay")).c_str()),
              nullptr);
    // Tab texts cannot be read from another process; the welcome caption can.
    std::vector<std::string> texts;
    EnumChildWindows(
        run.Window(),
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<std::string>*>(list)->push_back(TextOf(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    std::string welcome = german.at("LWelcome");
    welcome.replace(welcome.find("%s"), 2, "Tonecast 3.1.0");
    EXPECT_NE(std::find(texts.begin(), texts.end(), welcome), texts.end()) << welcome;
    EXPECT_EQ(run.Page(), 0);
    EXPECT_EQ(TextOf(FindWindowExA(GetParent(selector), nullptr, WC_STATICA, nullptr)),
              german.at("LLanguage"));
    // The page stays as it was, the keyboard on the list: a second choice is one key away.
    EXPECT_EQ(focus(), selector);
    // The display's name and the Escape question's buttons speak German too.
    const HWND displays = FindWindowExA(run.Bar(), nullptr, WC_COMBOBOXA, nullptr);
    wchar_t item[256] = {};
    SendMessageW(displays, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
    const std::string word = german.at("DisplayWord") + " 1 (";  // plain ASCII
    EXPECT_EQ(std::wstring(item).rfind(std::wstring(word.begin(), word.end()), 0), 0u);
    PostMessageA(run.Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    const HWND question = run.WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(TextOf(FindChildWithId(question, IDYES)), german.at("BYes"));
    EXPECT_EQ(TextOf(FindChildWithId(question, IDNO)), german.at("BNo"));
    SendMessageA(FindChildWithId(question, IDNO), BM_CLICK, 0, 0);

    SendMessageA(run.BarButton(german.at("BCancel")), BM_CLICK, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0u);
    // The choice is kept for the next run.
    EXPECT_NE(ReadBytes(folder.Path() + "Tonecast.settings")
                  .find(Utf16File("Language=Deutsch").substr(2)),
              std::string::npos);
}

// Windows' limit on gamma ramps as the installer's option sets it, or absent.
void SetGammaRange(bool lifted) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ICM",
                        0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    const DWORD range = 256;
    if (lifted)
        RegSetValueExW(key, L"GdiIcmGammaRange", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&range), sizeof range);
    else
        RegDeleteValueW(key, L"GdiIcmGammaRange");
    RegCloseKey(key);
}

// Run by tests/e2e/window_ramp.sh on an Xorg dummy server, whose ramp Wine sets: a Black of
// +100 (entry 0 far above 256) is refused and the server keeps the identity; the bar warns in
// the user's words until Reset puts on a ramp the display takes. Without GdiIcmGammaRange it
// tells how to lift the limit; with it set (after the session began, as Wine tells no sign-in
// time), that signing in again lifts it.
TEST_F(WindowProgramTest, ARefusedCorrectionIsToldInTheBarUntilReset) {
    if (GetEnvironmentVariableA("TONECAST_WINDOW_RAMP", nullptr, 0) == 0)
        GTEST_SKIP() << "needs the Xorg dummy server of window_ramp.sh";
    SetGammaRange(false);
    RunningTonecast run(folder);
    ASSERT_NE(run.Window(), nullptr);
    const RECT before = RectInParent(run.Bar());
    ASSERT_NE(run.RefusalLabel(), nullptr);
    EXPECT_FALSE(run.RefusalShown());  // the identity of a cleared record is taken
    EXPECT_EQ(before.bottom - before.top, 53);

    const HWND blackEdit = RunningTonecast::EditAt(run.AdjustmentPanel("Black:"), 7);
    SelectAll(blackEdit);
    Keys(blackEdit, "100");
    EXPECT_TRUE(run.RefusalShown());
    EXPECT_EQ(TextOf(run.RefusalLabel()),
              LanguageTexts(folder.Path() + "English.lng").at("LRampRefused"));
    const RECT bar = RectInParent(run.Bar());
    EXPECT_EQ(bar.bottom - bar.top, 53 + 41);
    Ramp ramp{};
    HDC screen = GetDC(nullptr);
    ASSERT_TRUE(GetDeviceGammaRamp(screen, ramp.data()));
    ReleaseDC(nullptr, screen);
    for (int i = 0; i < kRampSize; ++i)
        ASSERT_EQ(ramp[i], (i % 256) * 257) << i;  // the server kept the identity

    SendMessageA(run.BarButton("Reset"), BM_CLICK, 0, 0);
    EXPECT_FALSE(run.RefusalShown());
    const RECT after = RectInParent(run.Bar());
    EXPECT_EQ(after.bottom - after.top, 53);

    SetGammaRange(true);
    SelectAll(blackEdit);
    Keys(blackEdit, "100");
    EXPECT_TRUE(run.RefusalShown());
    EXPECT_EQ(TextOf(run.RefusalLabel()),
              LanguageTexts(folder.Path() + "English.lng").at("LRampRefusedSignIn"));
    SetGammaRange(false);
    SendMessageA(run.BarButton("Cancel"), BM_CLICK, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0u);
}

// Run by tests/e2e/window_displays.sh on an Xorg dummy server with two monitors side by side
// (Windows sees \\.\DISPLAY1 at (0,0)-(1920,1080) and \\.\DISPLAY2 at (-1280,0)-(0,1024)).
class WindowTwoDisplaysTest : public WindowProgramTest {
protected:
    void SetUp() override {
        if (GetEnvironmentVariableA("TONECAST_WINDOW_TWO_DISPLAYS", nullptr, 0) == 0)
            GTEST_SKIP() << "needs the two-monitor X server of window_displays.sh";
        WindowProgramTest::SetUp();
    }
};

TEST_F(WindowTwoDisplaysTest, ChoosingADisplayMovesTheWindowAndOkSavesEveryDisplay) {
    RunningTonecast run(folder);
    ASSERT_NE(run.Window(), nullptr);
    RECT window{};
    GetWindowRect(run.Window(), &window);
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.right, 1920);
    const HWND displays = FindWindowExA(run.Bar(), nullptr, WC_COMBOBOXA, nullptr);
    ASSERT_NE(displays, nullptr);
    EXPECT_TRUE(IsWindowEnabled(displays));
    ASSERT_EQ(SendMessageA(displays, CB_GETCOUNT, 0, 0), 2);

    // The user's choice, as the list reports it to its parent.
    SendMessageA(displays, CB_SETCURSEL, 1, 0);
    SendMessageA(run.Bar(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(displays), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(displays));

    GetWindowRect(run.Window(), &window);
    EXPECT_EQ(window.left, -1280);
    EXPECT_EQ(window.top, 0);
    EXPECT_EQ(window.right, 0);
    EXPECT_EQ(window.bottom, 1024);
    EXPECT_TRUE(IsWindowVisible(run.Window()));
    // The bar follows the smaller display: Cancel keeps its 5 pixels to the right edge.
    EXPECT_EQ(RectInParent(run.BarButton("Cancel")).right, 1280 - 5);
    EXPECT_EQ(RectInParent(run.Bar()).bottom, 1024);

    SendMessageA(run.BarButton("OK"), BM_CLICK, 0, 0);
    ASSERT_EQ(run.WaitForExit(), 0u);
    for (int n = 1; n <= 2; ++n) {
        const std::string name = "Tonecast" + std::to_string(n) + ".lut";
        ASSERT_TRUE(folder.Exists(name));
        EXPECT_EQ(
            ReadBytes(folder.Path() + name),
            FormatRampFile(TCorrection{}, "\\\\.\\DISPLAY" + std::to_string(n), WineMonitorId(n)));
    }
    EXPECT_FALSE(folder.Exists("Tonecast3.lut"));
}

}  // namespace

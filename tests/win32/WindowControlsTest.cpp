// The Win32 control wrappers against the real controls: the events they raise, the up-down's
// position rule, the bar's alignment and anchoring, DPI scaling and the painting colours.
// Needs an X display (Wine creates real windows); skipped without one.

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../ui/ControlContract.h"
#include "RelocatedShell.h"
#include "WindowProgramFiles.h"
#include "WindowTree.h"
#include "app/Language.h"
#include "app/Main.h"
#include "app/Settings.h"
#include "fakes/FakeControls.h"
#include "ramp/Displays.h"
#include "ui/MainFrm.h"
#include "win32/MainWindow.h"
#include "win32/Win32ControlBase.h"
#include "win32/Win32Controls.h"
#include "win32/Win32Services.h"
#include "win32/Win32WindowBackground.h"

namespace {

// A host that reports a chosen DPI, for the factory's design-size scaling.
class DpiHost : public FormHost {
public:
    explicit DpiHost(int dpi) : dpi_(dpi) {}
    void SetWindowBounds(const Bounds&) override {}
    int ClientWidth() const override { return 0; }
    int ClientHeight() const override { return 0; }
    void Show() override {}
    void Hide() override {}
    void Invalidate() override {}
    void SetBackground(Color) override {}
    void SetCaption(const std::string&) override {}
    void SetTopmost(bool) override {}
    void BringToTop() override {}
    void MinimizeApplication() override {}
    void Close() override {}
    int Dpi() const override { return dpi_; }
    void ScaleControls(int, int) override {}
    void Beep() override {}
    void ShowError(const std::string&) override {}
    std::uintptr_t Handle() const override { return 0; }

private:
    int dpi_;
};

HWND HwndOf(Control& control) {
    return dynamic_cast<Win32ControlBase&>(control).Hwnd();
}

LONG FontHeight(HWND window) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

void Click(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PressKey(HWND window, WPARAM key) {
    SendMessageA(window, WM_KEYDOWN, key, 1);
    SendMessageA(window, WM_KEYUP, key, 0xC0000001);
}

// A shown window with the real control factory and a panel to put controls on.
struct Win32Harness {
    void SetUp() {
        if (!HaveDisplay())
            GTEST_SKIP() << "no X display for real windows";
        INITCOMMONCONTROLSEX classes{sizeof classes,
                                     ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&classes);
        window = std::make_unique<MainWindow>(GetModuleHandleA(nullptr));
        ASSERT_TRUE(window->IsValid());
        window->SetWindowBounds({0, 0, 800, 600});
        window->Show();
        factory = std::make_unique<Win32ControlFactory>(window->Hwnd(), *window);
        PanelArgs args;
        args.bounds = {10, 10, 300, 200};
        args.background = Grey(192);
        panel = factory->CreatePanel(args);
    }
    ControlFactory& Factory() { return *factory; }
    Control* Parent() { return panel.get(); }
    void UserClick(CheckBox& box) { SendMessageA(HwndOf(box), BM_CLICK, 0, 0); }
    void UserClick(Button& button) { SendMessageA(HwndOf(button), BM_CLICK, 0, 0); }
    void UserClick(Label& label) { Click(HwndOf(label), 1, 1); }
    void UserClick(TabSet& tabs, int index) {
        RECT tab{};
        SendMessageA(HwndOf(tabs), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&tab));
        Click(HwndOf(tabs), (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    }
    std::string TabText(TabSet& tabs, int index) {
        char buffer[256] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(HwndOf(tabs), TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
        return std::string(item.pszText);
    }
    // The Up key on the closed list.
    void UserPicksPrevious(ComboBox& combo) { PressKey(HwndOf(combo), VK_UP); }
    std::unique_ptr<KeyboardDriver> Keyboard(Edit& edit, UpDown&);

    std::unique_ptr<MainWindow> window;
    std::unique_ptr<Win32ControlFactory> factory;
    std::unique_ptr<Panel> panel;
};

class WindowControlsTest : public ::testing::Test, protected Win32Harness {
protected:
    void SetUp() override { Win32Harness::SetUp(); }

    std::unique_ptr<Edit> MakeEdit(const std::string& text, int top = 7) {
        EditArgs args;
        args.parent = panel.get();
        args.bounds = {66, top, 35, 21};
        args.text = text;
        return factory->CreateEdit(args);
    }

    std::unique_ptr<UpDown> MakeUpDown(Edit& buddy, int min = -100, int max = 100) {
        UpDownArgs args;
        args.parent = panel.get();
        args.bounds = {101, buddy.GetBounds().top, 16, 21};
        args.buddy = &buddy;
        args.min = min;
        args.max = max;
        return factory->CreateUpDown(args);
    }
};

TEST_F(WindowControlsTest, UpDownPositionFollowsOnlyWholeNumbersInRange) {
    auto edit = MakeEdit("0");
    auto upDown = MakeUpDown(*edit);
    std::vector<int> seen;  // the position each change handler would read
    edit->onChange = [&] { seen.push_back(upDown->Position()); };

    for (const char* text :
         {"1", "15", "150", "", "-", "-2", "-25", "2,5", "abc", " 5", "+7", "-100", "-101", "0x10"})
        edit->SetText(text);

    EXPECT_EQ(seen,
              (std::vector<int>{1, 15, 15, 15, 15, -2, -25, -25, -25, -25, 7, -100, -100, -100}));
    EXPECT_EQ(edit->GetText(), "0x10");  // the text stays as typed
}

TEST_F(WindowControlsTest, UpKeyStepsFromTheLastValidPositionAndRewritesTheText) {
    auto edit = MakeEdit("0");
    auto upDown = MakeUpDown(*edit);
    std::vector<std::string> seen;
    edit->onChange = [&] {
        seen.push_back(edit->GetText() + "=" + std::to_string(upDown->Position()));
    };

    for (const char* text : {"1", "15", "150"})
        edit->SetText(text);
    PressKey(HwndOf(*edit), VK_UP);
    PressKey(HwndOf(*edit), VK_DOWN);
    PressKey(HwndOf(*edit), VK_DOWN);

    EXPECT_EQ(seen,
              (std::vector<std::string>{"1=1", "15=15", "150=15", "16=16", "15=15", "14=14"}));
}

TEST_F(WindowControlsTest, UpDownArrowsStepByOneAndStopAtTheRangeEnds) {
    auto edit = MakeEdit("0");
    auto upDown = MakeUpDown(*edit);
    int changes = 0;
    edit->onChange = [&] { ++changes; };
    const HWND arrows = HwndOf(*upDown);
    RECT rect{};
    GetClientRect(arrows, &rect);
    const int x = rect.right / 2;

    Click(arrows, x, 2);  // upper arrow
    EXPECT_EQ(upDown->Position(), 1);
    EXPECT_EQ(edit->GetText(), "1");
    Click(arrows, x, rect.bottom - 3);  // lower arrow
    Click(arrows, x, rect.bottom - 3);
    EXPECT_EQ(upDown->Position(), -1);
    EXPECT_EQ(changes, 3);

    upDown->SetPosition(100);
    changes = 0;
    Click(arrows, x, 2);
    PressKey(HwndOf(*edit), VK_UP);
    EXPECT_EQ(upDown->Position(), 100);
    EXPECT_EQ(edit->GetText(), "100");
    EXPECT_EQ(changes, 0);  // no wrap-around, nothing rewritten
}

TEST_F(WindowControlsTest, SetPositionClampsAndWritesOnlyWhenThePositionMoves) {
    auto edit = MakeEdit("0", 33);
    auto upDown = MakeUpDown(*edit, 0, 255);
    std::vector<std::string> texts;
    edit->onChange = [&] { texts.push_back(edit->GetText()); };

    upDown->SetPosition(127);
    upDown->SetPosition(127);  // nothing to do
    upDown->SetPosition(300);
    upDown->SetPosition(-3);
    edit->SetText("abc");
    upDown->SetPosition(0);  // the position stays: so does the text

    EXPECT_EQ(texts, (std::vector<std::string>{"127", "255", "0", "abc"}));
    EXPECT_EQ(edit->GetText(), "abc");
    EXPECT_EQ(upDown->Min(), 0);
    EXPECT_EQ(upDown->Max(), 255);
}

class RealKeyboard : public KeyboardDriver {
public:
    explicit RealKeyboard(HWND edit) : edit_(edit) { SetFocus(edit); }
    // The user comes back to the edit to select its text.
    void SelectAll() override {
        SetFocus(edit_);
        SendMessageA(edit_, EM_SETSEL, 0, -1);
    }
    void Keys(const std::string& characters) override {
        for (char ch : characters)
            SendMessageA(edit_, WM_CHAR, static_cast<unsigned char>(ch), 1);
    }
    void Backspace() override {
        SendMessageA(edit_, WM_KEYDOWN, VK_BACK, 1);
        SendMessageA(edit_, WM_CHAR, '\b', 1);
        SendMessageA(edit_, WM_KEYUP, VK_BACK, 0xC0000001);
    }
    void Up() override { PressKey(edit_, VK_UP); }
    void Leave() override { SetFocus(GetAncestor(edit_, GA_ROOT)); }
    std::pair<size_t, size_t> Selection() const override {
        DWORD start = 0, end = 0;
        SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

private:
    HWND edit_;
};

std::unique_ptr<KeyboardDriver> Win32Harness::Keyboard(Edit& edit, UpDown&) {
    return std::make_unique<RealKeyboard>(HwndOf(edit));
}

TEST_F(WindowControlsTest, UpDownSitsRightOfItsBuddyWhichKeepsItsWidth) {
    auto edit = MakeEdit("0", 34);
    auto upDown = MakeUpDown(*edit);
    EXPECT_EQ(edit->GetBounds(), (Bounds{66, 34, 35, 21}));
    EXPECT_EQ(upDown->GetBounds(), (Bounds{101, 34, 16, 21}));
}

TEST_F(WindowControlsTest, ClosedComboBoxKeepsItsOwnHeight) {
    ComboBoxArgs args;
    args.parent = panel.get();
    args.bounds = {71, 29, 200, 21};
    // The window's height is the open list's; the bounds are the closed field's.
    EXPECT_LT(factory->CreateComboBox(args)->GetBounds().height, 40);
}

TEST_F(WindowControlsTest, BarFollowsTheWindowsBottomAndButtonsKeepTheirRightDistance) {
    PanelArgs barArgs;
    barArgs.bounds = {0, 602, 1067, 53};
    barArgs.align = Align::Bottom;
    auto bar = factory->CreatePanel(barArgs);
    TabSetArgs tabArgs;
    tabArgs.parent = bar.get();
    tabArgs.bounds = {0, 0, 1067, 25};
    tabArgs.align = Align::Top;
    tabArgs.tabs = {"Welcome"};
    auto tabs = factory->CreateTabSet(tabArgs);
    ButtonArgs resetArgs;
    resetArgs.parent = bar.get();
    resetArgs.bounds = {568, 28, 100, 22};
    resetArgs.flat = true;
    resetArgs.rightAnchor = 399;
    auto reset = factory->CreateButton(resetArgs);

    window->SetWindowBounds({0, 0, 1920, 1080});
    EXPECT_EQ(bar->GetBounds(), (Bounds{0, 1027, 1920, 53}));
    EXPECT_EQ(tabs->GetBounds(), (Bounds{0, 0, 1920, 25}));
    EXPECT_EQ(reset->GetBounds(), (Bounds{1421, 28, 100, 22}));

    window->ScaleControls(144, 96);
    EXPECT_EQ(window->Dpi(), 144);
    EXPECT_EQ(bar->GetBounds(), (Bounds{0, 1000, 1920, 80}));
    EXPECT_EQ(tabs->GetBounds(), (Bounds{0, 0, 1920, 38}));
    // 399 and 100 at 144 dpi: 599 and 150.
    EXPECT_EQ(reset->GetBounds(), (Bounds{1920 - 599 - 150, 42, 150, 33}));
    EXPECT_EQ(FontHeight(HwndOf(*reset)), -16);  // 8 pt at 144 dpi
}

TEST_F(WindowControlsTest, DesignBoundsAndFontsAreScaledToTheHostsDpiAtCreation) {
    DpiHost host120(120);
    Win32ControlFactory scaled(window->Hwnd(), host120);
    EditArgs editArgs;
    editArgs.parent = panel.get();
    editArgs.bounds = {66, 7, 35, 21};
    auto edit = scaled.CreateEdit(editArgs);
    UpDownArgs upDownArgs;
    upDownArgs.parent = panel.get();
    upDownArgs.bounds = {101, 7, 16, 21};
    upDownArgs.buddy = edit.get();
    auto upDown = scaled.CreateUpDown(upDownArgs);
    LabelArgs titleArgs;
    titleArgs.parent = panel.get();
    titleArgs.bold = true;
    titleArgs.pointSize = 14;
    auto title = scaled.CreateLabel(titleArgs);

    EXPECT_EQ(edit->GetBounds(), (Bounds{83, 9, 44, 26}));
    EXPECT_EQ(upDown->GetBounds(), (Bounds{127, 9, 20, 26}));
    EXPECT_EQ(FontHeight(HwndOf(*edit)), -13);   // 8 pt at 120 dpi
    EXPECT_EQ(FontHeight(HwndOf(*title)), -23);  // 14 pt at 120 dpi
    auto designEdit = MakeEdit("0");
    EXPECT_EQ(FontHeight(HwndOf(*designEdit)), -11);  // 8 pt at 96 dpi: 11 pixels
}

// The portable scaling rounds as the platform does, so the fake controls' bounds and the
// painted patterns land on the real controls' pixels.
TEST(DpiScalingTest, ScaledToDpiRoundsAsMulDiv) {
    for (int from : {72, 96, 120, 144})
        for (int to : {72, 96, 120, 144, 168, 192})
            for (int pixels = -300; pixels <= 300; ++pixels)
                ASSERT_EQ(ScaledToDpi(pixels, to, from), MulDiv(pixels, to, from))
                    << pixels << " from " << from << " to " << to;
}

TEST_F(WindowControlsTest, FlatBarButtonsLeaveTheFocusWhereItWas) {
    auto edit = MakeEdit("0");
    ButtonArgs flatArgs;
    flatArgs.parent = panel.get();
    flatArgs.bounds = {10, 150, 100, 22};
    flatArgs.flat = true;
    auto flat = factory->CreateButton(flatArgs);
    ButtonArgs plainArgs = flatArgs;
    plainArgs.flat = false;
    plainArgs.bounds.left = 150;
    auto plain = factory->CreateButton(plainArgs);
    int flatClicks = 0, plainClicks = 0;
    flat->onClick = [&] { ++flatClicks; };
    plain->onClick = [&] { ++plainClicks; };

    SetFocus(HwndOf(*edit));
    ASSERT_EQ(GetFocus(), HwndOf(*edit));
    Click(HwndOf(*flat), 5, 5);
    EXPECT_EQ(flatClicks, 1);
    EXPECT_EQ(GetFocus(), HwndOf(*edit));
    EXPECT_EQ(GetWindowLongA(HwndOf(*flat), GWL_STYLE) & WS_TABSTOP, 0);

    Click(HwndOf(*plain), 5, 5);
    EXPECT_EQ(plainClicks, 1);
    EXPECT_EQ(GetFocus(), HwndOf(*plain));
}

// Leaving the page (its panel hides) or the edit: the text becomes the value in effect, and
// no change event reports it as a new edit.
TEST_F(WindowControlsTest, HidingThePanelOfTheFocusedEditGivesTheFocusToTheWindow) {
    auto edit = MakeEdit("0");
    auto upDown = MakeUpDown(*edit);
    auto other = MakeEdit("0", 34);
    int changes = 0;
    edit->onChange = [&] { ++changes; };
    SetFocus(HwndOf(*edit));
    ASSERT_EQ(GetFocus(), HwndOf(*edit));
    edit->SetText("25");
    edit->SetText("250");  // out of range: 25 stays in effect
    SetFocus(HwndOf(*other));
    EXPECT_EQ(edit->GetText(), "25");
    EXPECT_EQ(changes, 2);

    SetFocus(HwndOf(*edit));
    edit->SetText("abc");
    panel->SetVisible(false);
    EXPECT_EQ(GetFocus(), window->Hwnd());
    EXPECT_FALSE(panel->IsVisible());
    EXPECT_EQ(edit->GetText(), "25");
    EXPECT_EQ(upDown->Position(), 25);
    EXPECT_EQ(changes, 3);
}

MSG TabKey(HWND window) {
    MSG message{};
    message.hwnd = window;
    message.message = WM_KEYDOWN;
    message.wParam = VK_TAB;
    return message;
}

void HoldKeys(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (int key : keys)
        state[key] = 0x80;
    SetKeyboardState(state);
}

TEST_F(WindowControlsTest, TabWalksTheFocusableControlsAndCtrlTabLeavesTheFocus) {
    auto overall = MakeEdit("0", 7);
    auto overallUpDown = MakeUpDown(*overall);
    auto red = MakeEdit("12", 34);
    ButtonArgs flatArgs;
    flatArgs.parent = panel.get();
    flatArgs.bounds = {10, 150, 60, 22};
    flatArgs.flat = true;
    auto flat = factory->CreateButton(flatArgs);
    ButtonArgs resetArgs = flatArgs;
    resetArgs.flat = false;
    resetArgs.bounds = {66, 115, 51, 21};
    auto reset = factory->CreateButton(resetArgs);

    SetFocus(HwndOf(*overall));
    HoldKeys({});
    EXPECT_TRUE(window->MoveFocusOnTab(TabKey(GetFocus())));
    EXPECT_EQ(GetFocus(), HwndOf(*red));
    DWORD start = 1, end = 0;
    SendMessageA(HwndOf(*red), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);  // the whole text, ready to be typed over
    EXPECT_TRUE(window->MoveFocusOnTab(TabKey(GetFocus())));
    EXPECT_EQ(GetFocus(), HwndOf(*reset));  // neither the up-down nor the flat button

    HoldKeys({VK_SHIFT});
    EXPECT_TRUE(window->MoveFocusOnTab(TabKey(GetFocus())));
    EXPECT_EQ(GetFocus(), HwndOf(*red));

    HoldKeys({VK_CONTROL});
    EXPECT_FALSE(window->MoveFocusOnTab(TabKey(GetFocus())));
    EXPECT_EQ(GetFocus(), HwndOf(*red));
    HoldKeys({});
}

struct PaintColors {
    COLORREF brush = CLR_INVALID;
    COLORREF text = CLR_INVALID;
    int backgroundMode = 0;
    bool nullBrush = false;
};

// What the parent answers when `control` asks how to paint itself.
PaintColors AskColors(HWND control, UINT message) {
    const CreatedDC memory(CreateCompatibleDC(nullptr));
    HDC dc = memory.get();
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(control), message,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(control)));
    PaintColors colors;
    LOGBRUSH logBrush{};
    if (brush && GetObjectA(brush, sizeof logBrush, &logBrush)) {
        colors.nullBrush = logBrush.lbStyle == BS_NULL;
        colors.brush = logBrush.lbColor;
    }
    colors.text = GetTextColor(dc);
    colors.backgroundMode = GetBkMode(dc);
    return colors;
}

TEST_F(WindowControlsTest, EditsPaintInTheirChannelColourOrTheValidationRed) {
    EditArgs redArgs;
    redArgs.parent = panel.get();
    redArgs.bounds = {66, 34, 35, 21};
    redArgs.customColors = true;
    redArgs.background = {255, 0, 0};
    redArgs.textColor = kWhite;
    auto red = factory->CreateEdit(redArgs);
    const PaintColors channel = AskColors(HwndOf(*red), WM_CTLCOLOREDIT);
    EXPECT_EQ(channel.brush, RGB(255, 0, 0));
    EXPECT_EQ(channel.text, RGB(255, 255, 255));

    auto gamma = MakeEdit("2.2");
    EXPECT_EQ(AskColors(HwndOf(*gamma), WM_CTLCOLOREDIT).brush, GetSysColor(COLOR_WINDOW));
    gamma->SetBackground({255, 0, 0});
    EXPECT_EQ(AskColors(HwndOf(*gamma), WM_CTLCOLOREDIT).brush, RGB(255, 0, 0));
    gamma->ResetBackground();
    EXPECT_EQ(AskColors(HwndOf(*gamma), WM_CTLCOLOREDIT).brush, GetSysColor(COLOR_WINDOW));
}

TEST_F(WindowControlsTest, LinkLabelIsTransparentBlueWithHandCursorAndClicks) {
    LabelArgs args;
    args.parent = nullptr;  // on the window, like the reference image's file name
    args.textColor = {98, 98, 255};
    args.transparent = true;
    args.link = true;
    args.autoSize = true;
    auto link = factory->CreateLabel(args);
    int clicks = 0;
    link->onClick = [&] { ++clicks; };

    link->SetText("TonecastRef.sRGB.jpg");
    const Bounds shortName = link->GetBounds();
    link->SetText("A much longer file name.jpg");
    EXPECT_GT(link->GetBounds().width, shortName.width);
    EXPECT_GT(shortName.height, 0);

    const PaintColors colors = AskColors(HwndOf(*link), WM_CTLCOLORSTATIC);
    EXPECT_TRUE(colors.nullBrush);
    EXPECT_EQ(colors.backgroundMode, TRANSPARENT);
    EXPECT_EQ(colors.text, RGB(98, 98, 255));

    EXPECT_EQ(SendMessageA(window->Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(HwndOf(*link)),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));

    Click(HwndOf(*link), 2, 2);
    EXPECT_EQ(clicks, 1);
}

TEST_F(WindowControlsTest, PanelsTakeTheWindowsBackgroundWhenAskedTo) {
    PanelArgs args;
    args.bounds = {0, 0, 121, 142};
    args.windowBackground = true;
    auto follower = factory->CreatePanel(args);
    LabelArgs labelArgs;
    labelArgs.parent = follower.get();
    labelArgs.text = "R:";
    auto label = factory->CreateLabel(labelArgs);
    CheckBoxArgs boxArgs;
    boxArgs.parent = follower.get();
    auto box = factory->CreateCheckBox(boxArgs);

    window->SetBackground(kWhite);
    EXPECT_EQ(WindowBackground(HwndOf(*follower)), kWhite);
    EXPECT_EQ(WindowBackground(HwndOf(*panel)), Grey(192));  // has its own colour
    EXPECT_EQ(AskColors(HwndOf(*box), WM_CTLCOLORSTATIC).brush, RGB(255, 255, 255));
    window->SetBackground(kBlack);
    EXPECT_EQ(AskColors(HwndOf(*box), WM_CTLCOLORSTATIC).brush, RGB(0, 0, 0));
    // An opaque label (not transparent) paints its own background.
    label->SetBackground(kWhite);
    EXPECT_EQ(AskColors(HwndOf(*label), WM_CTLCOLORSTATIC).brush, RGB(255, 255, 255));
}

TEST_F(WindowControlsTest, MemoKeepsLineBreaksAndIsReadOnly) {
    EditArgs args;
    args.parent = panel.get();
    args.bounds = {0, 34, 280, 100};
    args.multiLine = true;
    auto memo = factory->CreateEdit(args);
    memo->SetText("First line\nSecond line\r\nThird line");

    EXPECT_EQ(memo->GetText(), "First line\nSecond line\nThird line");
    EXPECT_EQ(SendMessageA(HwndOf(*memo), EM_GETLINECOUNT, 0, 0), 3);
    const LONG style = GetWindowLongA(HwndOf(*memo), GWL_STYLE);
    EXPECT_NE(style & ES_READONLY, 0);
    EXPECT_FALSE(memo->IsEnabled());
}

TEST_F(WindowControlsTest, ChildWrappersOutlivingTheirPanelAreHarmless) {
    auto edit = MakeEdit("0");
    auto upDown = MakeUpDown(*edit);
    const HWND editWindow = HwndOf(*edit);
    panel.reset();  // takes the child windows with it
    EXPECT_FALSE(IsWindow(editWindow));
    upDown.reset();
    edit.reset();
}

// ---- the real window's captions ----

// What a user would see cut or crowded on the page shown: a static or button caption whose
// text (in the control's own font) does not fit the control, a tab whose caption does not
// fit its tab or that lies beyond the strip, a caption reaching into a sibling control, and
// a key combination of the welcome text broken across lines.
std::vector<std::string> CaptionFaults(HWND window, int dpi) {
    std::vector<std::string> faults;
    const int buttonMargin = ScaledToDpi(4, dpi);  // the button's edge and some air, each side
    for (HWND control : VisibleDescendants(window)) {
        const std::string kind = ClassOf(control);
        const std::string text = TextOf(control);
        const RECT client = ClientOf(control);
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        if (kind == "Static" && !text.empty()) {
            const bool wraps = (style & SS_TYPEMASK) == SS_LEFT;
            const SIZE size =
                TextExtent(control, text, wraps ? DT_WORDBREAK : DT_SINGLELINE, client.right);
            if (size.cx > client.right || size.cy > client.bottom)
                faults.push_back("label \"" + text + "\" needs " + std::to_string(size.cx) + "x" +
                                 std::to_string(size.cy) + ", has " + std::to_string(client.right) +
                                 "x" + std::to_string(client.bottom));
            // A caption sized to its text must keep clear of the controls beside it.
            const RECT own = RectInParent(control);
            HWND parent = GetParent(control);
            if (parent != window) {
                for (HWND sibling = GetWindow(parent, GW_CHILD); sibling;
                     sibling = GetWindow(sibling, GW_HWNDNEXT)) {
                    RECT other = RectInParent(sibling), overlap{};
                    RECT widened = own;
                    widened.right += 1;  // touching counts as crowded
                    if (sibling != control && IsWindowVisible(sibling) &&
                        IntersectRect(&overlap, &widened, &other))
                        faults.push_back("label \"" + text + "\" reaches into \"" +
                                         TextOf(sibling) + "\"");
                }
            }
        } else if (kind == "Button" && (style & BS_TYPEMASK) == BS_PUSHBUTTON) {
            const SIZE size = TextExtent(control, text, DT_SINGLELINE, 0);
            if (size.cx + 2 * buttonMargin > client.right || size.cy > client.bottom)
                faults.push_back("button \"" + text + "\" needs " +
                                 std::to_string(size.cx + 2 * buttonMargin) + ", has " +
                                 std::to_string(client.right));
        } else if (kind == WC_TABCONTROLA) {
            const int count = static_cast<int>(SendMessageW(control, TCM_GETITEMCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                wchar_t wide[256] = {};
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = wide;
                item.cchTextMax = 256;
                SendMessageW(control, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
                const std::string tab = Narrow(wide);
                RECT place{};
                SendMessageW(control, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&place));
                const SIZE size = TextExtent(control, tab, DT_SINGLELINE, 0);
                if (size.cx > place.right - place.left || place.right > client.right)
                    faults.push_back("tab \"" + tab + "\" needs " + std::to_string(size.cx) +
                                     " at " + std::to_string(place.left) + ".." +
                                     std::to_string(place.right) + " of " +
                                     std::to_string(client.right));
            }
        } else if (kind == "Edit" && (style & ES_MULTILINE)) {
            // The whole welcome text shows, and each key combination ("Ctrl+Shift+Tab")
            // starts and ends on the same line.
            TEXTMETRICW metrics{};
            {
                const WindowDC dc(control);
                const SelectedObject font(
                    dc.get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
                GetTextMetricsW(dc.get(), &metrics);
            }
            const LRESULT lines = SendMessageW(control, EM_GETLINECOUNT, 0, 0);
            if (lines * metrics.tmHeight > client.bottom)
                faults.push_back("welcome text needs " + std::to_string(lines) + " lines of " +
                                 std::to_string(metrics.tmHeight) + ", has " +
                                 std::to_string(client.bottom));
            // The edit counts characters; Japanese and Chinese sentences end in their own
            // full stops and commas.
            const std::wstring wide = Widen(text);
            for (size_t plus = wide.find(L'+'); plus != std::wstring::npos;
                 plus = wide.find(L'+', plus + 1)) {
                const size_t first = wide.find_last_of(L" \n", plus) + 1;
                const size_t last =
                    std::min(wide.find_first_of(L" \r\n.,;\u3002\u3001\uFF0C", plus), wide.size()) -
                    1;
                const LRESULT firstLine = SendMessageW(control, EM_LINEFROMCHAR, first, 0);
                const LRESULT lastLine = SendMessageW(control, EM_LINEFROMCHAR, last, 0);
                if (firstLine != lastLine)
                    faults.push_back("key combination \"" +
                                     Narrow(wide.substr(first, last - first + 1)) +
                                     "\" broken across lines");
            }
        }
    }
    return faults;
}

// The real window in every shipped language, on every page, at 96 dpi and after a change to
// 144 dpi: no caption is cut or crowded.
TEST(WindowCaptionsTest, EveryCaptionFitsInEveryLanguageOnEveryPageAt96And144Dpi) {
    if (!HaveDisplay())
        GTEST_SKIP() << "no X display for real windows";
    INITCOMMONCONTROLSEX classes{sizeof classes,
                                 ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    UseWin32Services();
    RelocatedShell shell{BuiltTonecastExe()};  // the languages shipped beside the program
    UseShell(shell);
    UseProfileStore(Win32Profile());
    Settings() = SettingsValues{};
    ResetLanguageTable();
    LoadLanguage("English");
    EnumDisplays();
    {
        MainWindow window(GetModuleHandleA(nullptr));
        ASSERT_TRUE(window.IsValid());
        Win32ControlFactory factory(window.Hwnd(), window);
        TMainForm form(factory, window);
        window.AttachForm(&form);
        ASSERT_TRUE(form.FormCreate());
        ASSERT_EQ(form.LangComboBox->ItemCount(), 9);
        for (int dpi : {96, 144}) {
            if (dpi != window.Dpi())
                form.HandleDpiChange(dpi);
            ASSERT_EQ(window.Dpi(), dpi);
            for (int language = 0; language < form.LangComboBox->ItemCount(); ++language) {
                form.LangComboBox->SetItemIndex(language);
                form.LangComboBoxChange();
                for (int page = 0; page < kPageCount; ++page) {
                    form.ShowPage(page);
                    for (const std::string& fault : CaptionFaults(window.Hwnd(), dpi))
                        ADD_FAILURE() << form.LangComboBox->Item(language) << ", page " << page
                                      << ", " << dpi << " dpi: " << fault;
                }
            }
        }
        form.FormClose();
        window.AttachForm(nullptr);
    }
    ReleaseDisplays();
    ResetLanguageTable();
    Settings() = SettingsValues{};
}

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ControlContract, Win32Harness);

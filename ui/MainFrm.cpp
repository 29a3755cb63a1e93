// Creation of the calibration window's controls at their design places (96 dpi, design client
// 1067 x 655) and the wiring of their events. Positions that depend on the display and the
// page are set later by MoveToDisplay and ShowPage.
//
// The bar and the welcome page are made with the window; the adjustment panels, which most of
// the controls belong to and the first page does not show, once that page is on the screen.
#include "ui/MainFrm.h"

#include "app/Settings.h"
#include "ramp/Displays.h"
#include "ui/HandlersPaused.h"

namespace {

constexpr int kDesignClientWidth = 1067;
constexpr int kDesignClientHeight = 655;
constexpr Color kSilver = Grey(192);
constexpr Color kLinkBlue{98, 98, 255};
constexpr Color kChannelRed{255, 0, 0};
constexpr Color kChannelGreen{0, 128, 0};
constexpr Color kChannelBlue{0, 0, 255};

LabelArgs GreyLabel(Control* parent, Bounds bounds, const std::string& text) {
    LabelArgs args;
    args.parent = parent;
    args.bounds = bounds;
    args.text = text;
    args.textColor = kLabelGrey;
    args.transparent = true;
    return args;
}

// A caption beside other controls: as wide as its text in every language and at every DPI,
// so that it is never cut and never reaches into its neighbour (one longer than the room the
// panel leaves it starts further left: FitPanelCaptions).
LabelArgs CaptionLabel(Control* parent, Bounds bounds, const std::string& text) {
    LabelArgs args = GreyLabel(parent, bounds, text);
    args.autoSize = true;
    return args;
}

ButtonArgs BarButton(Control* bar, int top, int width, int rightDistance, const std::string& text) {
    ButtonArgs args;
    args.parent = bar;
    args.bounds = {kDesignClientWidth - rightDistance - width, top, width, 22};
    args.text = text;
    args.flat = true;
    args.rightAnchor = rightDistance;
    return args;
}

EditArgs ValueEdit(Control* parent, int top, const Color* channel) {
    EditArgs args;
    args.parent = parent;
    args.bounds = {kValueColumnLeft, top, 35, 21};
    args.text = "0";
    if (channel) {
        args.customColors = true;
        args.background = *channel;
        args.textColor = kWhite;
    }
    return args;
}

UpDownArgs ValueUpDown(Control* parent, Edit* buddy, int top) {
    UpDownArgs args;
    args.parent = parent;
    args.bounds = {kValueColumnLeft + 35, top, 16, 21};
    args.buddy = buddy;
    args.min = -100;
    args.max = 100;
    return args;
}

}  // namespace

int& CurrentPage() {
    static int page = 0;
    return page;
}

TMainForm::TMainForm(ControlFactory& factory, FormHost& host) : factory_(factory), host_(host) {
    CreateBar();
    CreateWelcomeControls();
    WireEvents();
}

void TMainForm::CreateAdjustmentPanels() {
    if (panelsCreated_)
        return;
    panelsCreated_ = true;
    for (int i = 0; i < kAdjustmentCount; ++i)
        CreateAdjustmentPanel(static_cast<Adjustment>(i));
    CreatePointColumn();
    if (textsApplied_)
        ApplyPanelTexts();
    if (Engine().CurrentDisplay < Engine().DisplayCount()) {
        HandlersPaused paused(HandlersEnabled);
        points_.posUpDown->SetPosition(Patterns().PointPos);
        RefreshPanels();
    }
}

AdjustmentControls& TMainForm::Adjust(Adjustment kind) {
    CreateAdjustmentPanels();
    return adjustments_[static_cast<int>(kind)];
}

PointColumn& TMainForm::Points() {
    CreateAdjustmentPanels();
    return points_;
}

void TMainForm::CreateBar() {
    PanelArgs bar;
    bar.bounds = {0, kDesignClientHeight - kBarHeight, kDesignClientWidth, kBarHeight};
    bar.align = Align::Bottom;
    bar.background = kSilver;
    Panel = factory_.CreatePanel(bar);

    TabSetArgs tabs;
    tabs.parent = Panel.get();
    tabs.bounds = {0, 0, kDesignClientWidth, kBarTabsHeight};
    tabs.align = Align::Top;
    for (const PageRow& page : kPages)
        tabs.tabs.push_back(page.tabText);
    TabSet = factory_.CreateTabSet(tabs);

    LabelArgs monitor = CaptionLabel(Panel.get(), {12, kBarLabelTop, 55, 13}, "Display:");
    monitor.textColor = kBlack;  // on the silver bar
    MonitorLabel = factory_.CreateLabel(monitor);

    ComboBoxArgs displays;
    displays.parent = Panel.get();
    // Reaching to the middle of the window, as the bar's layout makes it: a drop-down list is
    // slow to move.
    const int half = host_.ClientWidth() > 0 ? ScaledToDpi(host_.ClientWidth() / 2, 96, host_.Dpi())
                                             : kDesignClientWidth / 2;
    displays.bounds = {kBarComboLeft, kBarComboTop, half - kBarComboLeft, 21};
    DisplayComboBox = factory_.CreateComboBox(displays);

    ResetButton = factory_.CreateButton(BarButton(Panel.get(), kBarButtonTop, 100, 399, "Reset"));
    OffButton = factory_.CreateButton(BarButton(Panel.get(), kBarButtonTop, 100, 283, "Off LUT"));
    MinimizeButton =
        factory_.CreateButton(BarButton(Panel.get(), kBarButtonTop, 100, 177, "Minimize"));
    OkButton = factory_.CreateButton(BarButton(Panel.get(), kBarButtonTop, 79, 90, "OK"));
    CancelButton = factory_.CreateButton(BarButton(Panel.get(), kBarButtonTop, 79, 5, "Cancel"));

    LabelArgs refused = GreyLabel(Panel.get(), {12, kBarTabsHeight + 1, 0, 0}, "");
    refused.textColor = kChannelRed;
    refused.wordWrap = true;
    refused.hidden = true;
    RefusedLabel = factory_.CreateLabel(refused);

    LabelArgs help = GreyLabel(nullptr, {70, 0, 300, 360}, "");
    help.wordWrap = true;
    help.hidden = true;  // the first page has none
    HelpLabel = factory_.CreateLabel(help);

    LabelArgs file = GreyLabel(nullptr, {0, 0, 0, 0}, "");
    file.textColor = kLinkBlue;
    file.link = true;
    file.autoSize = true;
    file.hidden = true;
    FileLabel = factory_.CreateLabel(file);
}

void TMainForm::CreateWelcomeControls() {
    PanelArgs welcome;
    welcome.bounds = {0, 0, 633, 424};
    welcome.windowBackground = true;
    WelcomePanel = factory_.CreatePanel(welcome);
    LabelArgs title = GreyLabel(WelcomePanel.get(), {0, 0, 633, 24}, "Welcome to Tonecast");
    title.bold = true;
    title.pointSize = 14;
    WelcomeLabel = factory_.CreateLabel(title);
    EditArgs memo;
    memo.parent = WelcomePanel.get();
    memo.bounds = {0, 34, 633, 352};
    memo.text = "*";
    memo.multiLine = true;
    memo.customColors = true;
    memo.background = kBlack;
    memo.textColor = kLabelGrey;
    WelcomeMemoText = factory_.CreateEdit(memo);
    // The box without a caption and its text as a label beside it, as with the point box: a
    // themed check box draws its caption black, whatever the window's colour.
    CheckBoxArgs install;
    install.parent = WelcomePanel.get();
    install.bounds = {0, 392, 17, 17};
    InstallProfileCheckBox = factory_.CreateCheckBox(install);
    LabelArgs installText = GreyLabel(WelcomePanel.get(), {22, 394, 611, 30},
                                      "Make it the display's colour profile (Windows and "
                                      "colour-managed programs will use it)");
    installText.wordWrap = true;
    InstallProfileLabel = factory_.CreateLabel(installText);

    PanelArgs small;
    small.bounds = {0, 0, 149, 46};
    small.windowBackground = true;
    LangPanel = factory_.CreatePanel(small);
    LangLabel = factory_.CreateLabel(CaptionLabel(LangPanel.get(), {2, 2, 145, 13}, "Language:"));
    ComboBoxArgs languages;
    languages.parent = LangPanel.get();
    languages.bounds = {2, 20, 145, 21};
    LangComboBox = factory_.CreateComboBox(languages);

    GammaSetupPanel = factory_.CreatePanel(small);
    GammaSetupLabel =
        factory_.CreateLabel(CaptionLabel(GammaSetupPanel.get(), {2, 2, 145, 13}, "Gamma:"));
    EditArgs gamma;
    gamma.parent = GammaSetupPanel.get();
    gamma.bounds = {2, 20, 145, 21};
    GammaSetupEdit = factory_.CreateEdit(gamma);

    for (Control* c :
         {static_cast<Control*>(WelcomePanel.get()), static_cast<Control*>(LangPanel.get()),
          static_cast<Control*>(GammaSetupPanel.get())})
        c->SetVisible(false);
}

void TMainForm::CreateAdjustmentPanel(Adjustment kind) {
    const AdjustmentRow& row = RowOf(kind);
    AdjustmentControls& controls = adjustments_[static_cast<int>(kind)];
    PanelArgs panel;
    panel.bounds = {0, 0, row.width, row.height};
    panel.windowBackground = true;
    controls.panel = factory_.CreatePanel(panel);
    Control* parent = controls.panel.get();

    controls.overall.label =
        factory_.CreateLabel(CaptionLabel(parent, {kPanelMargin, 10, 56, 13}, row.title));
    if (row.overall.Exists()) {
        controls.overall.edit = factory_.CreateEdit(ValueEdit(parent, 7, nullptr));
        controls.overall.upDown =
            factory_.CreateUpDown(ValueUpDown(parent, controls.overall.edit.get(), 7));
    }
    struct Channel {
        int top;
        const char* caption;
        const Color* color;
    };
    static constexpr Channel kChannels[3] = {
        {34, "R:", &kChannelRed}, {61, "G:", &kChannelGreen}, {88, "B:", &kChannelBlue}};
    for (int i = 0; i < 3; ++i) {
        const Channel& channel = kChannels[i];
        AdjustmentControls::Value& value = controls.channels[i];
        value.label = factory_.CreateLabel(
            CaptionLabel(parent, {kPanelMargin, channel.top + 3, 20, 13}, channel.caption));
        value.edit = factory_.CreateEdit(ValueEdit(parent, channel.top, channel.color));
        value.upDown = factory_.CreateUpDown(ValueUpDown(parent, value.edit.get(), channel.top));
    }
    controls.resetLabel =
        factory_.CreateLabel(CaptionLabel(parent, {kPanelMargin, 118, 56, 13}, "Reset:"));
    ButtonArgs reset;
    reset.parent = parent;
    reset.bounds = {kValueColumnLeft, 115, 51, 21};
    reset.text = ">0<";
    controls.resetButton = factory_.CreateButton(reset);
    controls.panel->SetVisible(false);

    for (AdjustmentControls::Value* value :
         {&controls.overall, &controls.channels[0], &controls.channels[1], &controls.channels[2]})
        if (value->edit)
            value->edit->onChange = [this, kind] { AdjustmentChange(kind); };
    controls.resetButton->onClick = [this, kind] { AdjustmentResetClick(kind); };
}

void TMainForm::CreatePointColumn() {
    Control* parent = adjustments_[static_cast<int>(Adjustment::Point)].panel.get();
    PointColumn& column = points_;
    CheckBoxArgs check;
    check.parent = parent;
    check.bounds = {152, 11, 17, 17};
    column.checkBox = factory_.CreateCheckBox(check);
    column.posLabel = factory_.CreateLabel(CaptionLabel(parent, {173, 10, 60, 13}, "Point:"));

    EditArgs pos;
    pos.parent = parent;
    pos.bounds = {152, 33, 38, 21};
    pos.text = "0";
    pos.customColors = true;
    pos.background = kSilver;
    pos.textColor = kBlack;
    column.posEdit = factory_.CreateEdit(pos);
    UpDownArgs posUpDown;
    posUpDown.parent = parent;
    posUpDown.bounds = {190, 33, 16, 21};
    posUpDown.buddy = column.posEdit.get();
    posUpDown.min = 0;
    posUpDown.max = 255;
    column.posUpDown = factory_.CreateUpDown(posUpDown);

    auto button = [&](Bounds bounds, const char* text) {
        ButtonArgs args;
        args.parent = parent;
        args.bounds = bounds;
        args.text = text;
        return factory_.CreateButton(args);
    };
    // As wide as the column allows, so that "previous/next point" fits in every language.
    column.prev = button({123, 61, 60, 25}, "Prev");
    column.next = button({187, 61, 60, 25}, "Next");
    column.clear = button({123, 115, 124, 25}, "Clear All");

    column.posEdit->onChange = [this] { PointPosEditChange(); };
    column.checkBox->onClick = [this] { PointCheckBoxClick(); };
    column.prev->onClick = [this] { PointPrevButtonClick(); };
    column.next->onClick = [this] { PointNextButtonClick(); };
    column.clear->onClick = [this] { PointClearButtonClick(); };
}

void TMainForm::WireEvents() {
    TabSet->onChange = [this](int tab) { TabSetChange(tab); };
    DisplayComboBox->onChange = [this] { DisplayComboBoxChange(); };
    OkButton->onClick = [this] { OkButtonClick(); };
    CancelButton->onClick = [this] { CancelButtonClick(); };
    MinimizeButton->onClick = [this] { MinimizeButtonClick(); };
    OffButton->onClick = [this] { OffButtonClick(); };
    ResetButton->onClick = [this] { ResetButtonClick(); };
    FileLabel->onClick = [this] { FileLabelClick(); };
    LangComboBox->onChange = [this] { LangComboBoxChange(); };
    GammaSetupEdit->onChange = [this] { GammaSetupEditChange(); };
    InstallProfileCheckBox->onClick = [this] {
        Settings().InstallProfile = InstallProfileCheckBox->IsChecked();
    };
}

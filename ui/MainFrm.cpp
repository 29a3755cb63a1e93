// Creation of the calibration window's controls at their design places (96 dpi, design client
// 1067 x 655) and the wiring of their events. Positions that depend on the display and the
// page are set later by MoveToDisplay and ShowPage.
#include "ui/MainFrm.h"

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
// so that it is never cut and never reaches into its neighbour (the translations are chosen
// to fit the room the panel leaves them).
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
    args.bounds = {66, top, 35, 21};
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
    args.bounds = {101, top, 16, 21};
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

struct TMainForm::AdjustmentPanelSlots {
    std::unique_ptr<::Panel>& panel;
    Bounds bounds;
    std::unique_ptr<Label>& title;
    std::string titleText;
    std::unique_ptr<Edit>* overallEdit;  // null: the balance panel has no overall row
    std::unique_ptr<UpDown>* overallUpDown;
    std::unique_ptr<Label>&rLabel, &gLabel, &bLabel;
    std::unique_ptr<Edit>&rEdit, &gEdit, &bEdit;
    std::unique_ptr<UpDown>&rUpDown, &gUpDown, &bUpDown;
    std::unique_ptr<Label>& resetLabel;
    std::unique_ptr<Button>& resetButton;
};

TMainForm::TMainForm(ControlFactory& factory, FormHost& host) : factory_(factory), host_(host) {
    CreateBar();
    CreateWelcomeControls();
    CreateAdjustmentPanel({GammaPanel,
                           {0, 0, 121, 142},
                           GammaLabel,
                           "Gamma:",
                           &GammaEdit,
                           &GammaUpDown,
                           GammaRLabel,
                           GammaGLabel,
                           GammaBLabel,
                           GammaREdit,
                           GammaGEdit,
                           GammaBEdit,
                           GammaRUpDown,
                           GammaGUpDown,
                           GammaBUpDown,
                           GammaResetLabel,
                           GammaResetButton});
    CreateAdjustmentPanel({BlackPanel,
                           {0, 0, 121, 142},
                           BlackLabel,
                           "Black:",
                           &BlackEdit,
                           &BlackUpDown,
                           BlackRLabel,
                           BlackGLabel,
                           BlackBLabel,
                           BlackREdit,
                           BlackGEdit,
                           BlackBEdit,
                           BlackRUpDown,
                           BlackGUpDown,
                           BlackBUpDown,
                           BlackResetLabel,
                           BlackResetButton});
    CreateAdjustmentPanel({WhitePanel,
                           {0, 0, 123, 142},
                           WhiteLabel,
                           "White:",
                           &WhiteEdit,
                           &WhiteUpDown,
                           WhiteRLabel,
                           WhiteGLabel,
                           WhiteBLabel,
                           WhiteREdit,
                           WhiteGEdit,
                           WhiteBEdit,
                           WhiteRUpDown,
                           WhiteGUpDown,
                           WhiteBUpDown,
                           WhiteResetLabel,
                           WhiteResetButton});
    CreateAdjustmentPanel({BalancePanel,
                           {0, 0, 121, 142},
                           BalanceLabel,
                           "Balance:",
                           nullptr,
                           nullptr,
                           BalanceRLabel,
                           BalanceGLabel,
                           BalanceBLabel,
                           BalanceREdit,
                           BalanceGEdit,
                           BalanceBEdit,
                           BalanceRUpDown,
                           BalanceGUpDown,
                           BalanceBUpDown,
                           BalanceResetLabel,
                           BalanceResetButton});
    CreateAdjustmentPanel({PointPanel,
                           {0, 0, 247, 140},
                           PointLabel,
                           "Value:",
                           &PointEdit,
                           &PointUpDown,
                           PointRLabel,
                           PointGLabel,
                           PointBLabel,
                           PointREdit,
                           PointGEdit,
                           PointBEdit,
                           PointRUpDown,
                           PointGUpDown,
                           PointBUpDown,
                           PointResetLabel,
                           PointResetButton});
    CreatePointColumn();
    WireEvents();
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
    tabs.tabs = {"Welcome",        "Black Point",   "White Point",       "Gamma",
                 "Gamma Sharp",    "Color Balance", "Correction Points", "All Controls",
                 "Reference Image"};
    TabSet = factory_.CreateTabSet(tabs);

    LabelArgs monitor = CaptionLabel(Panel.get(), {12, kBarLabelTop, 55, 13}, "Display:");
    monitor.textColor = kBlack;  // on the silver bar
    MonitorLabel = factory_.CreateLabel(monitor);

    ComboBoxArgs displays;
    displays.parent = Panel.get();
    displays.bounds = {71, kBarComboTop, kDesignClientWidth / 2 - 71, 21};
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
    RefusedLabel = factory_.CreateLabel(refused);
    RefusedLabel->SetVisible(false);

    LabelArgs help = GreyLabel(nullptr, {70, 0, 300, 360}, "");
    help.wordWrap = true;
    HelpLabel = factory_.CreateLabel(help);

    LabelArgs file = GreyLabel(nullptr, {0, 0, 0, 0}, "");
    file.textColor = kLinkBlue;
    file.link = true;
    file.autoSize = true;
    FileLabel = factory_.CreateLabel(file);
    FileLabel->SetVisible(false);
}

void TMainForm::CreateWelcomeControls() {
    PanelArgs welcome;
    welcome.bounds = {0, 0, 633, 364};
    welcome.windowBackground = true;
    WelcomePanel = factory_.CreatePanel(welcome);
    LabelArgs title = GreyLabel(WelcomePanel.get(), {0, 0, 633, 24}, "Welcome to Tonecast");
    title.bold = true;
    title.pointSize = 14;
    WelcomeLabel = factory_.CreateLabel(title);
    EditArgs memo;
    memo.parent = WelcomePanel.get();
    memo.bounds = {0, 34, 633, 330};
    memo.text = "*";
    memo.multiLine = true;
    memo.customColors = true;
    memo.background = kBlack;
    memo.textColor = kLabelGrey;
    WelcomeMemoText = factory_.CreateEdit(memo);

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

void TMainForm::CreateAdjustmentPanel(AdjustmentPanelSlots s) {
    PanelArgs panel;
    panel.bounds = s.bounds;
    panel.windowBackground = true;
    s.panel = factory_.CreatePanel(panel);
    Control* parent = s.panel.get();

    s.title = factory_.CreateLabel(CaptionLabel(parent, {8, 10, 56, 13}, s.titleText));
    if (s.overallEdit) {
        *s.overallEdit = factory_.CreateEdit(ValueEdit(parent, 7, nullptr));
        *s.overallUpDown = factory_.CreateUpDown(ValueUpDown(parent, s.overallEdit->get(), 7));
    }
    struct Row {
        int top;
        const char* caption;
        const Color* color;
        std::unique_ptr<Label>& label;
        std::unique_ptr<Edit>& edit;
        std::unique_ptr<UpDown>& upDown;
    };
    for (Row row : {Row{34, "R:", &kChannelRed, s.rLabel, s.rEdit, s.rUpDown},
                    Row{61, "G:", &kChannelGreen, s.gLabel, s.gEdit, s.gUpDown},
                    Row{88, "B:", &kChannelBlue, s.bLabel, s.bEdit, s.bUpDown}}) {
        row.label =
            factory_.CreateLabel(CaptionLabel(parent, {8, row.top + 3, 20, 13}, row.caption));
        row.edit = factory_.CreateEdit(ValueEdit(parent, row.top, row.color));
        row.upDown = factory_.CreateUpDown(ValueUpDown(parent, row.edit.get(), row.top));
    }
    s.resetLabel = factory_.CreateLabel(CaptionLabel(parent, {8, 118, 56, 13}, "Reset:"));
    ButtonArgs reset;
    reset.parent = parent;
    reset.bounds = {66, 115, 51, 21};
    reset.text = ">0<";
    s.resetButton = factory_.CreateButton(reset);
    s.panel->SetVisible(false);
}

void TMainForm::CreatePointColumn() {
    Control* parent = PointPanel.get();
    CheckBoxArgs check;
    check.parent = parent;
    check.bounds = {152, 11, 17, 17};
    PointCheckBox = factory_.CreateCheckBox(check);
    PointPosLabel = factory_.CreateLabel(CaptionLabel(parent, {173, 10, 60, 13}, "Point:"));

    EditArgs pos;
    pos.parent = parent;
    pos.bounds = {152, 33, 38, 21};
    pos.text = "0";
    pos.customColors = true;
    pos.background = kSilver;
    pos.textColor = kBlack;
    PointPosEdit = factory_.CreateEdit(pos);
    UpDownArgs posUpDown;
    posUpDown.parent = parent;
    posUpDown.bounds = {190, 33, 16, 21};
    posUpDown.buddy = PointPosEdit.get();
    posUpDown.min = 0;
    posUpDown.max = 255;
    PointPosUpDown = factory_.CreateUpDown(posUpDown);

    auto button = [&](Bounds bounds, const char* text) {
        ButtonArgs args;
        args.parent = parent;
        args.bounds = bounds;
        args.text = text;
        return factory_.CreateButton(args);
    };
    // As wide as the column allows, so that "previous/next point" fits in every language.
    PointPrevButton = button({123, 61, 60, 25}, "Prev");
    PointNextButton = button({187, 61, 60, 25}, "Next");
    PointClearButton = button({123, 115, 124, 25}, "Clear All");
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

    for (Edit* e : {GammaEdit.get(), GammaREdit.get(), GammaGEdit.get(), GammaBEdit.get()})
        e->onChange = [this] { GammaChange(); };
    for (Edit* e : {BlackEdit.get(), BlackREdit.get(), BlackGEdit.get(), BlackBEdit.get()})
        e->onChange = [this] { BlackChange(); };
    for (Edit* e : {WhiteEdit.get(), WhiteREdit.get(), WhiteGEdit.get(), WhiteBEdit.get()})
        e->onChange = [this] { WhiteChange(); };
    for (Edit* e : {BalanceREdit.get(), BalanceGEdit.get(), BalanceBEdit.get()})
        e->onChange = [this] { BalanceChange(); };
    for (Edit* e : {PointEdit.get(), PointREdit.get(), PointGEdit.get(), PointBEdit.get()})
        e->onChange = [this] { PointEditChange(); };
    PointPosEdit->onChange = [this] { PointPosEditChange(); };
    PointCheckBox->onClick = [this] { PointCheckBoxClick(); };

    GammaResetButton->onClick = [this] { GammaResetButtonClick(); };
    BlackResetButton->onClick = [this] { BlackResetButtonClick(); };
    WhiteResetButton->onClick = [this] { WhiteResetButtonClick(); };
    BalanceResetButton->onClick = [this] { BalanceResetButtonClick(); };
    PointResetButton->onClick = [this] { PointResetButtonClick(); };
    PointPrevButton->onClick = [this] { PointPrevButtonClick(); };
    PointNextButton->onClick = [this] { PointNextButtonClick(); };
    PointClearButton->onClick = [this] { PointClearButtonClick(); };
}

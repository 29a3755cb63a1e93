#pragma once
// What every control factory must do, run on the in-memory controls (natively and under Wine)
// and on the real ones (under Wine), so the fakes are held to the real controls' behaviour.
// A harness gives the factory, the parent for new controls and the user's input.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/ControlFactory.h"

// The user's keys into an edit with its up-down.
class KeyboardDriver {
public:
    virtual ~KeyboardDriver() = default;
    virtual void SelectAll() = 0;
    virtual void Keys(const std::string& characters) = 0;
    virtual void Backspace() = 0;
    virtual void Up() = 0;
    virtual void Leave() = 0;  // the focus goes elsewhere
    virtual std::pair<size_t, size_t> Selection() const = 0;
};

template <class Harness>
class ControlContract : public ::testing::Test {
protected:
    void SetUp() override { h.SetUp(); }

    std::unique_ptr<Edit> MakeEdit(const std::string& text) {
        EditArgs args;
        args.parent = h.Parent();
        args.bounds = {66, 7, 35, 21};
        args.text = text;
        return h.Factory().CreateEdit(args);
    }
    std::unique_ptr<UpDown> MakeUpDown(Edit& buddy) {
        UpDownArgs args;
        args.parent = h.Parent();
        args.bounds = {101, 7, 16, 21};
        args.buddy = &buddy;
        args.min = -100;
        args.max = 100;
        return h.Factory().CreateUpDown(args);
    }

    Harness h;
};

TYPED_TEST_SUITE_P(ControlContract);

// Text, the position a change handler would read, and the selection, after each step.
TYPED_TEST_P(ControlContract, TypedTextStaysAsTypedAndOnlyAMovedPositionRewritesIt) {
    auto edit = this->MakeEdit("0");
    auto upDown = this->MakeUpDown(*edit);
    std::unique_ptr<KeyboardDriver> keys = this->h.Keyboard(*edit, *upDown);
    std::vector<std::string> seen;
    edit->onChange = [&] {
        seen.push_back(edit->GetText() + "=" + std::to_string(upDown->Position()));
    };
    auto step = [&] {
        const auto [start, end] = keys->Selection();
        seen.push_back(
            std::string("@").append(std::to_string(start)).append(",").append(std::to_string(end)));
    };
    keys->SelectAll();
    keys->Keys("-");
    step();
    keys->Keys("5");
    step();
    keys->SelectAll();
    keys->Backspace();
    upDown->SetPosition(-5);  // what the handlers' refresh does: the empty text stays
    step();
    keys->Up();  // from the value kept while the edit was empty
    step();
    keys->SelectAll();
    keys->Keys("150");
    step();
    keys->Up();
    step();
    edit->onChange = nullptr;
    EXPECT_EQ(seen, (std::vector<std::string>{"-=0", "@1,1", "-5=-5", "@2,2", "=-5", "@0,0",
                                              "-4=-4", "@0,0", "1=1", "15=15", "150=15", "@3,3",
                                              "16=16", "@0,0"}));
}

TYPED_TEST_P(ControlContract, EditSetTextRaisesChangeEvenForTheSameText) {
    auto edit = this->MakeEdit("0");
    int changes = 0;
    edit->onChange = [&] { ++changes; };
    edit->SetText("7");
    edit->SetText("7");
    EXPECT_EQ(changes, 2);
}

TYPED_TEST_P(ControlContract, CheckBoxRaisesClickForEveryChangeOfState) {
    CheckBoxArgs args;
    args.parent = this->h.Parent();
    args.bounds = {152, 11, 17, 17};
    auto box = this->h.Factory().CreateCheckBox(args);
    std::vector<bool> seen;
    box->onClick = [&] { seen.push_back(box->IsChecked()); };

    box->SetChecked(true);
    box->SetChecked(true);    // no change, no event
    this->h.UserClick(*box);  // the user unchecks it
    box->SetChecked(false);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TYPED_TEST_P(ControlContract, TabSetAnnouncesEveryNewTabByCodeOrClick) {
    TabSetArgs args;
    args.parent = this->h.Parent();
    args.bounds = {0, 0, 300, 25};
    args.tabs = {"Welcome", "Black Point", "White Point"};
    auto tabs = this->h.Factory().CreateTabSet(args);
    std::vector<int> seen;
    tabs->onChange = [&](int index) { seen.push_back(index); };

    tabs->SetTabIndex(2);
    tabs->SetTabIndex(2);
    this->h.UserClick(*tabs, 1);
    EXPECT_EQ(seen, (std::vector<int>{2, 1}));
    EXPECT_EQ(tabs->TabIndex(), 1);
    tabs->SetTabText(0, "Willkommen");
    EXPECT_EQ(this->h.TabText(*tabs, 0), "Willkommen");
    EXPECT_EQ(this->h.TabText(*tabs, 2), "White Point");
}

TYPED_TEST_P(ControlContract, ComboBoxRaisesChangeForTheUsersChoiceOnly) {
    ComboBoxArgs args;
    args.parent = this->h.Parent();
    args.bounds = {71, 29, 200, 21};
    auto combo = this->h.Factory().CreateComboBox(args);
    int changes = 0;
    combo->onChange = [&] { ++changes; };

    combo->AddItem("Display 1 (Generic Non-PnP Monitor)");
    combo->AddItem("Display 2 (Generic Non-PnP Monitor)");
    combo->SetItemIndex(1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Item(0), "Display 1 (Generic Non-PnP Monitor)");

    this->h.UserPicksPrevious(*combo);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(combo->ItemIndex(), 0);

    combo->ClearItems();
    EXPECT_EQ(combo->ItemCount(), 0);
    EXPECT_EQ(combo->ItemIndex(), -1);
}

// Leaving the edit, the user sees the value in effect; the rewrite is no change of the user's.
TYPED_TEST_P(ControlContract, LeavingAnIntegerEditShowsTheValueInEffectWithoutAChangeEvent) {
    auto edit = this->MakeEdit("0");
    auto upDown = this->MakeUpDown(*edit);
    std::unique_ptr<KeyboardDriver> keys = this->h.Keyboard(*edit, *upDown);
    int changes = 0;
    edit->onChange = [&] { ++changes; };
    keys->SelectAll();
    keys->Keys("150");
    EXPECT_EQ(changes, 3);
    keys->Leave();
    EXPECT_EQ(edit->GetText(), "15");
    EXPECT_EQ(upDown->Position(), 15);
    keys->SelectAll();
    keys->Backspace();
    keys->Leave();
    EXPECT_EQ(edit->GetText(), "15");
    EXPECT_EQ(changes, 4);  // the backspace's
    edit->onChange = nullptr;
}

TYPED_TEST_P(ControlContract, ButtonAndLinkLabelRaiseOneClickPerClick) {
    ButtonArgs buttonArgs;
    buttonArgs.parent = this->h.Parent();
    buttonArgs.bounds = {10, 40, 75, 25};
    buttonArgs.text = "Reset";
    auto button = this->h.Factory().CreateButton(buttonArgs);
    LabelArgs linkArgs;
    linkArgs.parent = this->h.Parent();
    linkArgs.bounds = {10, 80, 200, 15};
    linkArgs.text = "Tonecast1.lut";
    linkArgs.link = true;
    auto link = this->h.Factory().CreateLabel(linkArgs);
    std::vector<std::string> seen;
    button->onClick = [&] { seen.push_back("button"); };
    link->onClick = [&] { seen.push_back("link"); };

    this->h.UserClick(*button);
    this->h.UserClick(*link);
    this->h.UserClick(*button);
    EXPECT_EQ(seen, (std::vector<std::string>{"button", "link", "button"}));
}

// An auto-sized label is exactly as wide as its text and follows every new text.
TYPED_TEST_P(ControlContract, AutoSizedLabelKeepsItsTextAndFitsIt) {
    LabelArgs args;
    args.parent = this->h.Parent();
    args.bounds = {10, 100, 0, 0};
    args.autoSize = true;
    args.text = "Gamma:";
    auto label = this->h.Factory().CreateLabel(args);
    const int shortWidth = label->GetBounds().width;
    label->SetText("Gamma: 2.20 & Black Point");
    EXPECT_EQ(label->GetText(), "Gamma: 2.20 & Black Point");
    EXPECT_GT(label->GetBounds().width, shortWidth);
    EXPECT_EQ(label->TextBounds().width, label->GetBounds().width);
    EXPECT_EQ(label->GetBounds().left, 10);
    EXPECT_EQ(label->GetBounds().top, 100);
}

REGISTER_TYPED_TEST_SUITE_P(ControlContract, TypedTextStaysAsTypedAndOnlyAMovedPositionRewritesIt,
                            LeavingAnIntegerEditShowsTheValueInEffectWithoutAChangeEvent,
                            ButtonAndLinkLabelRaiseOneClickPerClick,
                            AutoSizedLabelKeepsItsTextAndFitsIt,
                            EditSetTextRaisesChangeEvenForTheSameText,
                            CheckBoxRaisesClickForEveryChangeOfState,
                            TabSetAnnouncesEveryNewTabByCodeOrClick,
                            ComboBoxRaisesChangeForTheUsersChoiceOnly);

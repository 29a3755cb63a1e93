#pragma once
// In-memory controls for the calibration window. Their events fire the way ui/Controls.h
// says the real ones do, and the helpers below act as the user would: typing into an edit,
// clicking an up-down arrow, a button, a label, the check box, a combo item or a tab.

#include <string>
#include <vector>

#include "ui/ControlFactory.h"
#include "ui/Controls.h"

class FakeControlFactory;

// What every fake control keeps: its place, visibility, text and creation arguments.
struct FakeControlState {
    FakeControlFactory* factory = nullptr;
    Control* self = nullptr;
    Control* parent = nullptr;
    Bounds bounds;
    bool visible = true;
    bool enabled = true;
    std::string text;
    Align align = Align::None;
    int rightAnchor = -1;
    bool autoSize = false;
};

template <class Base>
class FakeControl : public Base {
public:
    FakeControl(FakeControlFactory& factory, const ControlArgs& args);
    ~FakeControl() override;
    void SetBounds(const Bounds& bounds) override { state.bounds = bounds; }
    Bounds GetBounds() const override { return state.bounds; }
    void SetVisible(bool visible) override { state.visible = visible; }
    bool IsVisible() const override { return state.visible; }
    void SetEnabled(bool enabled) override { state.enabled = enabled; }
    bool IsEnabled() const override { return state.enabled; }
    void SetText(const std::string& text) override;
    std::string GetText() const override { return state.text; }

    FakeControlState state;

protected:
    virtual void TextChanged() {}
};

class FakeLabel : public FakeControl<Label> {
public:
    FakeLabel(FakeControlFactory& factory, const LabelArgs& args);
    void SetBackground(Color color) override { background = color; }
    Bounds TextBounds() const override;
    void Click();

    LabelArgs args;
    Color background = kBlack;

protected:
    void TextChanged() override;  // an auto-sized label takes its text's extent
};

class FakePanel : public FakeControl<Panel> {
public:
    FakePanel(FakeControlFactory& factory, const PanelArgs& args)
        : FakeControl(factory, args), args(args) {}
    PanelArgs args;
};

class FakeButton : public FakeControl<Button> {
public:
    FakeButton(FakeControlFactory& factory, const ButtonArgs& args)
        : FakeControl(factory, args), args(args) {}
    void Click();
    ButtonArgs args;
};

class FakeCheckBox : public FakeControl<CheckBox> {
public:
    FakeCheckBox(FakeControlFactory& factory, const CheckBoxArgs& args)
        : FakeControl(factory, args) {}
    bool IsChecked() const override { return checked; }
    void SetChecked(bool value) override;
    void Click();  // toggles, then onClick
    bool checked = false;
};

class FakeUpDown;

class FakeEdit : public FakeControl<Edit> {
public:
    FakeEdit(FakeControlFactory& factory, const EditArgs& args);
    void SetBackground(Color color) override { background = color; }
    void ResetBackground() override { background = kWhite; }
    // Like WM_SETTEXT: the new text, the caret at its start, then the change event.
    void SetText(const std::string& text) override;

    // The user's keys, as the real edit takes them: each character replaces the selection
    // (or goes in at the caret) and raises one change event; Backspace ('\b' among the
    // keys, as WM_CHAR gives it) deletes the selection or the character before the caret
    // (nothing to delete: no event).
    void SelectAll();
    void Keys(const std::string& characters);
    void Backspace();
    // Clicks after the last character, then types.
    void Type(const std::string& characters);
    void Clear();  // selects all and deletes: one change to the empty text
    // The keyboard focus moves elsewhere: an up-down's buddy shows its position again.
    void LoseFocus();

    EditArgs args;
    Color background = kWhite;
    FakeUpDown* upDown = nullptr;                 // the up-down this edit is the buddy of
    size_t selectionStart = 0, selectionEnd = 0;  // the caret is at selectionEnd

protected:
    void TextChanged() override;

private:
    bool rewriting_ = false;
};

class FakeUpDown : public FakeControl<UpDown> {
public:
    FakeUpDown(FakeControlFactory& factory, const UpDownArgs& args);
    int Position() const override { return position; }
    void SetPosition(int value) override;
    int Min() const override { return args.min; }
    int Max() const override { return args.max; }
    void ClickUp() { SetPosition(position + 1); }
    void ClickDown() { SetPosition(position - 1); }
    void FollowBuddyText();

    UpDownArgs args;
    FakeEdit* buddy = nullptr;
    int position = 0;
};

class FakeComboBox : public FakeControl<ComboBox> {
public:
    FakeComboBox(FakeControlFactory& factory, const ComboBoxArgs& args)
        : FakeControl(factory, args) {}
    void ClearItems() override;
    void AddItem(const std::string& text) override { items.push_back(text); }
    int ItemCount() const override { return static_cast<int>(items.size()); }
    std::string Item(int index) const override { return items.at(index); }
    int ItemIndex() const override { return index; }
    void SetItemIndex(int value) override;
    void Choose(int value);  // the user's choice

    std::vector<std::string> items;
    int index = -1;
};

class FakeTabSet : public FakeControl<TabSet> {
public:
    FakeTabSet(FakeControlFactory& factory, const TabSetArgs& args);
    void SetTabText(int index, const std::string& text) override;
    int TabIndex() const override { return index; }
    void SetTabIndex(int value) override;
    void ClickTab(int value) { SetTabIndex(value); }

    std::vector<std::string> tabs;
    int index = 0;
};

class FakeControlFactory : public ControlFactory {
public:
    std::unique_ptr<Label> CreateLabel(const LabelArgs& args) override;
    std::unique_ptr<Panel> CreatePanel(const PanelArgs& args) override;
    std::unique_ptr<Button> CreateButton(const ButtonArgs& args) override;
    std::unique_ptr<CheckBox> CreateCheckBox(const CheckBoxArgs& args) override;
    std::unique_ptr<Edit> CreateEdit(const EditArgs& args) override;
    std::unique_ptr<UpDown> CreateUpDown(const UpDownArgs& args) override;
    std::unique_ptr<ComboBox> CreateComboBox(const ComboBoxArgs& args) override;
    std::unique_ptr<TabSet> CreateTabSet(const TabSetArgs& args) override;

    // Applies the alignment and right-anchor rules for a client area of this size.
    void Realign(int clientWidth, int clientHeight);
    // Scales every control's bounds and anchor distance by newDpi / oldDpi.
    void Scale(int newDpi, int oldDpi);

    int dpi = 96;                             // for the extent of auto-sized labels
    std::vector<FakeControlState*> controls;  // alive, in creation order
};

// Down-casts for tests: the form's controls are declared by their interfaces.
FakeEdit& AsFake(Edit& edit);
FakeUpDown& AsFake(UpDown& upDown);
FakeButton& AsFake(Button& button);
FakeLabel& AsFake(Label& label);
FakeCheckBox& AsFake(CheckBox& checkBox);
FakeComboBox& AsFake(ComboBox& comboBox);
FakeTabSet& AsFake(TabSet& tabSet);
FakePanel& AsFake(Panel& panel);

#include "fakes/FakeControls.h"

#include <algorithm>
#include <stdexcept>

#include "render/Canvas.h"
#include "ui/UpDownRule.h"

namespace {

template <class Fake, class Interface>
Fake& Cast(Interface& control) {
    auto* fake = dynamic_cast<Fake*>(&control);
    if (!fake)
        throw std::logic_error("not a fake control");
    return *fake;
}

}  // namespace

template <class Base>
FakeControl<Base>::FakeControl(FakeControlFactory& factory, const ControlArgs& args) {
    state.factory = &factory;
    state.self = this;
    state.parent = args.parent;
    // As the real factory: design bounds in the window's current pixels per inch.
    const Bounds& b = args.bounds;
    const int dpi = factory.dpi;
    state.bounds = {ScaledToDpi(b.left, dpi), ScaledToDpi(b.top, dpi), ScaledToDpi(b.width, dpi),
                    ScaledToDpi(b.height, dpi)};
    state.text = args.text;
    state.align = args.align;
    factory.controls.push_back(&state);
}

template <class Base>
FakeControl<Base>::~FakeControl() {
    auto& all = state.factory->controls;
    all.erase(std::remove(all.begin(), all.end(), &state), all.end());
}

template <class Base>
void FakeControl<Base>::SetText(const std::string& text) {
    state.text = text;
    TextChanged();
}

template class FakeControl<Label>;
template class FakeControl<Panel>;
template class FakeControl<Button>;
template class FakeControl<CheckBox>;
template class FakeControl<Edit>;
template class FakeControl<UpDown>;
template class FakeControl<ComboBox>;
template class FakeControl<TabSet>;

FakeLabel::FakeLabel(FakeControlFactory& factory, const LabelArgs& args)
    : FakeControl(factory, args), args(args) {
    state.visible = !args.hidden;
    state.autoSize = args.autoSize;
    if (args.autoSize)
        TextChanged();
}

void FakeLabel::TextChanged() {
    if (!args.autoSize)
        return;
    // A fixed extent per character stands in for the font's.
    const int dpi = state.factory->dpi;
    state.bounds.width = ScaledToDpi(6 * static_cast<int>(state.text.size()), dpi);
    state.bounds.height = ScaledToDpi(13, dpi);
}

Bounds FakeLabel::TextBounds() const {
    // The same fixed extent per character, broken into lines of the label's width.
    const int dpi = state.factory->dpi;
    const int extent = ScaledToDpi(6 * static_cast<int>(state.text.size()), dpi);
    const Bounds& b = state.bounds;
    if (!args.wordWrap || extent <= b.width)
        return {b.left, b.top, std::min(extent, b.width), std::min(ScaledToDpi(13, dpi), b.height)};
    const int lines = (extent + b.width - 1) / b.width;
    return {b.left, b.top, b.width, std::min(lines * ScaledToDpi(13, dpi), b.height)};
}

void FakeLabel::Click() {
    if (onClick)
        onClick();
}

void FakeButton::Click() {
    if (onClick)
        onClick();
}

void FakeCheckBox::SetChecked(bool value) {
    if (value == checked)
        return;
    checked = value;
    if (onClick)
        onClick();
}

void FakeCheckBox::Click() {
    checked = !checked;
    if (onClick)
        onClick();
}

FakeEdit::FakeEdit(FakeControlFactory& factory, const EditArgs& args)
    : FakeControl(factory, args), args(args) {
    background = args.customColors ? args.background : kWhite;
}

void FakeEdit::TextChanged() {
    // The up-down reads the new text before anybody hears of the change.
    if (upDown)
        upDown->FollowBuddyText();
    if (onChange && !rewriting_)
        onChange();
}

void FakeEdit::LoseFocus() {
    if (!upDown)
        return;
    const std::string shown = std::to_string(upDown->Position());
    if (state.text == shown)
        return;
    rewriting_ = true;
    SetText(shown);
    rewriting_ = false;
}

void FakeEdit::SetText(const std::string& text) {
    selectionStart = selectionEnd = 0;
    FakeControl<Edit>::SetText(text);
}

void FakeEdit::SelectAll() {
    selectionStart = 0;
    selectionEnd = state.text.size();
}

// The edit moves its caret before it tells anybody of the change, so a handler that
// rewrites the text leaves the caret where its rewrite put it.
void FakeEdit::Keys(const std::string& characters) {
    for (char ch : characters) {
        if (ch == '\b') {
            Backspace();
            continue;
        }
        std::string text = state.text;
        text.replace(selectionStart, selectionEnd - selectionStart, 1, ch);
        selectionStart = selectionEnd = selectionStart + 1;
        FakeControl<Edit>::SetText(text);
    }
}

void FakeEdit::Backspace() {
    if (selectionStart == selectionEnd) {
        if (selectionStart == 0)
            return;
        --selectionStart;
    }
    std::string text = state.text;
    text.erase(selectionStart, selectionEnd - selectionStart);
    selectionEnd = selectionStart;
    FakeControl<Edit>::SetText(text);
}

void FakeEdit::Type(const std::string& characters) {
    selectionStart = selectionEnd = state.text.size();
    Keys(characters);
}

void FakeEdit::Clear() {
    SelectAll();
    Backspace();
}

FakeUpDown::FakeUpDown(FakeControlFactory& factory, const UpDownArgs& args)
    : FakeControl(factory, args), args(args) {
    if (args.buddy) {
        buddy = &AsFake(*args.buddy);
        buddy->upDown = this;
        position = PositionFollowingText(buddy->GetText(), args.min, args.max,
                                         std::clamp(0, args.min, args.max));
    }
}

void FakeUpDown::SetPosition(int value) {
    value = std::clamp(value, args.min, args.max);
    if (value == position)
        return;
    position = value;
    if (buddy)
        buddy->SetText(std::to_string(value));
}

void FakeUpDown::FollowBuddyText() {
    position = PositionFollowingText(buddy->GetText(), args.min, args.max, position);
}

void FakeComboBox::ClearItems() {
    items.clear();
    index = -1;
}

void FakeComboBox::SetItemIndex(int value) {
    index = (value >= 0 && value < ItemCount()) ? value : -1;
}

void FakeComboBox::Choose(int value) {
    SetItemIndex(value);
    if (onChange)
        onChange();
}

FakeTabSet::FakeTabSet(FakeControlFactory& factory, const TabSetArgs& args)
    : FakeControl(factory, args), tabs(args.tabs) {}

void FakeTabSet::SetTabText(int i, const std::string& text) {
    tabs.at(i) = text;
}

void FakeTabSet::SetTabIndex(int value) {
    if (value == index || value < 0 || value >= static_cast<int>(tabs.size()))
        return;
    index = value;
    if (onChange)
        onChange(value);
}

std::unique_ptr<Label> FakeControlFactory::CreateLabel(const LabelArgs& args) {
    return std::make_unique<FakeLabel>(*this, args);
}
std::unique_ptr<Panel> FakeControlFactory::CreatePanel(const PanelArgs& args) {
    return std::make_unique<FakePanel>(*this, args);
}
std::unique_ptr<Button> FakeControlFactory::CreateButton(const ButtonArgs& args) {
    auto button = std::make_unique<FakeButton>(*this, args);
    button->state.rightAnchor = args.rightAnchor < 0 ? -1 : ScaledToDpi(args.rightAnchor, dpi);
    return button;
}
std::unique_ptr<CheckBox> FakeControlFactory::CreateCheckBox(const CheckBoxArgs& args) {
    return std::make_unique<FakeCheckBox>(*this, args);
}
std::unique_ptr<Edit> FakeControlFactory::CreateEdit(const EditArgs& args) {
    return std::make_unique<FakeEdit>(*this, args);
}
std::unique_ptr<UpDown> FakeControlFactory::CreateUpDown(const UpDownArgs& args) {
    return std::make_unique<FakeUpDown>(*this, args);
}
std::unique_ptr<ComboBox> FakeControlFactory::CreateComboBox(const ComboBoxArgs& args) {
    return std::make_unique<FakeComboBox>(*this, args);
}
std::unique_ptr<TabSet> FakeControlFactory::CreateTabSet(const TabSetArgs& args) {
    return std::make_unique<FakeTabSet>(*this, args);
}

void FakeControlFactory::Realign(int clientWidth, int clientHeight) {
    // Parents are created before their children, so one pass in creation order suffices.
    for (FakeControlState* c : controls) {
        int parentWidth = clientWidth, parentHeight = clientHeight;
        if (c->parent) {
            const Bounds p = c->parent->GetBounds();
            parentWidth = p.width;
            parentHeight = p.height;
        }
        Bounds& b = c->bounds;
        if (c->align == Align::Top)
            b = {0, 0, parentWidth, b.height};
        else if (c->align == Align::Bottom)
            b = {0, parentHeight - b.height, parentWidth, b.height};
        if (c->rightAnchor >= 0)
            b.left = parentWidth - c->rightAnchor - b.width;
    }
}

void FakeControlFactory::Scale(int newDpi, int oldDpi) {
    for (FakeControlState* c : controls) {
        Bounds& b = c->bounds;
        b = {ScaledToDpi(b.left, newDpi, oldDpi), ScaledToDpi(b.top, newDpi, oldDpi),
             ScaledToDpi(b.width, newDpi, oldDpi), ScaledToDpi(b.height, newDpi, oldDpi)};
        if (c->rightAnchor >= 0)
            c->rightAnchor = ScaledToDpi(c->rightAnchor, newDpi, oldDpi);
    }
    dpi = newDpi;
}

FakeEdit& AsFake(Edit& edit) {
    return Cast<FakeEdit>(edit);
}
FakeUpDown& AsFake(UpDown& upDown) {
    return Cast<FakeUpDown>(upDown);
}
FakeButton& AsFake(Button& button) {
    return Cast<FakeButton>(button);
}
FakeLabel& AsFake(Label& label) {
    return Cast<FakeLabel>(label);
}
FakeCheckBox& AsFake(CheckBox& checkBox) {
    return Cast<FakeCheckBox>(checkBox);
}
FakeComboBox& AsFake(ComboBox& comboBox) {
    return Cast<FakeComboBox>(comboBox);
}
FakeTabSet& AsFake(TabSet& tabSet) {
    return Cast<FakeTabSet>(tabSet);
}
FakePanel& AsFake(Panel& panel) {
    return Cast<FakePanel>(panel);
}

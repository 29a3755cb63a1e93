#pragma once
// The calibration window talks to its controls through these small interfaces. The program
// implements them with thin wrappers over Win32 controls (win32/); tests use in-memory
// controls (tests/fakes/) whose events fire the way the real controls' do:
//  - Edit::SetText and typing raise onChange (also when the text is set programmatically);
//  - UpDown::SetPosition clamps to the range and rewrites its buddy edit's text (plain
//    decimal) only when the position changes; the rewrite raises the edit's onChange and
//    puts the caret at the start, as any programmatic text does. A position that stays
//    writes nothing and raises nothing, whatever the text (a half-typed "-" stays);
//  - the up-down's position follows its buddy's text by UpDownRule (ui/UpDownRule.h) BEFORE
//    the edit's onChange runs, for typing and SetText alike; an arrow click or the Up/Down
//    key moves it by 1 within the range (no wrap) and rewrites the text the same way;
//  - Edit::SetText raises onChange even when the text is unchanged (as WM_SETTEXT does);
//  - an up-down's buddy edit that loses the keyboard focus while its text is not the plain
//    decimal of the position ("250", "abc", "", "007") is rewritten to it, raising no onChange:
//    the text stays as typed while the user types, and what stays on screen is the value in
//    effect;
//  - CheckBox::SetChecked raises onClick when the state changes; a user's click toggles the
//    state and raises onClick;
//  - TabSet::SetTabIndex raises onChange(newIndex) when the index changes; so does a user's
//    click on another tab;
//  - ComboBox::SetItemIndex does not raise onChange; a user's choice does (also when the
//    same item is chosen again);
//  - Label/Button onClick: a user's click only.
// Handlers may be attached, replaced or cleared (nullptr) at any time.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "render/Canvas.h"

enum class Align {
    None,
    Top,     // keeps its height, spans the parent's width at its top edge
    Bottom,  // keeps its height, spans the parent's width at its bottom edge
};

struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Bounds&) const = default;
};

class Control {
public:
    virtual ~Control() = default;
    virtual void SetBounds(const Bounds& bounds) = 0;  // in the parent's client coordinates
    virtual Bounds GetBounds() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetText(const std::string& text) = 0;  // caption or content
    virtual std::string GetText() const = 0;
};

// An auto-sized label (LabelArgs::autoSize) reports its text's extent in GetBounds after
// SetText.
class Label : public Control {
public:
    virtual void SetBackground(Color color) = 0;
    // Where its text is drawn, in the parent's client coordinates: the lines of a word-wrapped
    // label as they break in its width, the whole text of a single-line one; never beyond the
    // label.
    virtual Bounds TextBounds() const = 0;
    std::function<void()> onClick;
};

class Panel : public Control {};

class Button : public Control {
public:
    std::function<void()> onClick;
};

class CheckBox : public Control {
public:
    virtual bool IsChecked() const = 0;
    virtual void SetChecked(bool checked) = 0;
    std::function<void()> onClick;
};

class Edit : public Control {
public:
    virtual void SetBackground(Color color) = 0;
    virtual void ResetBackground() = 0;  // the normal window colour
    std::function<void()> onChange;
};

class UpDown : public Control {
public:
    virtual int Position() const = 0;
    virtual void SetPosition(int position) = 0;  // clamped to the range
    virtual int Min() const = 0;
    virtual int Max() const = 0;
};

class ComboBox : public Control {
public:
    virtual void ClearItems() = 0;
    virtual void AddItem(const std::string& text) = 0;
    virtual int ItemCount() const = 0;
    virtual std::string Item(int index) const = 0;
    virtual int ItemIndex() const = 0;  // -1 when none
    virtual void SetItemIndex(int index) = 0;
    std::function<void()> onChange;
};

class TabSet : public Control {
public:
    virtual void SetTabText(int index, const std::string& text) = 0;
    virtual int TabIndex() const = 0;
    virtual void SetTabIndex(int index) = 0;
    std::function<void(int)> onChange;
};

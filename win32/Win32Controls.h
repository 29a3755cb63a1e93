#pragma once
// The factory of the Win32 control wrappers of the calibration window (see
// Win32ControlBase.h for what they share).

#include <windows.h>

#include <memory>

#include "ui/ControlFactory.h"

// Creates the wrappers, each a child of the given native window when ControlArgs::parent is
// nullptr. Design bounds (96 dpi) are scaled to the host's present DPI.
class Win32ControlFactory : public ControlFactory {
public:
    Win32ControlFactory(HWND window, const FormHost& host) : window_(window), host_(host) {}

    std::unique_ptr<Label> CreateLabel(const LabelArgs& args) override;
    std::unique_ptr<Panel> CreatePanel(const PanelArgs& args) override;
    std::unique_ptr<Button> CreateButton(const ButtonArgs& args) override;
    std::unique_ptr<CheckBox> CreateCheckBox(const CheckBoxArgs& args) override;
    std::unique_ptr<Edit> CreateEdit(const EditArgs& args) override;
    std::unique_ptr<UpDown> CreateUpDown(const UpDownArgs& args) override;
    std::unique_ptr<ComboBox> CreateComboBox(const ComboBoxArgs& args) override;
    std::unique_ptr<TabSet> CreateTabSet(const TabSetArgs& args) override;

private:
    HWND ParentOf(const ControlArgs& args) const;
    template <class Wrapper, class Args>
    std::unique_ptr<Wrapper> Make(const Args& args) const;
    HWND window_;
    const FormHost& host_;
};

// The control contract on the in-memory controls.
#include "ControlContract.h"
#include "fakes/FakeControls.h"

namespace {

class FakeKeyboard : public KeyboardDriver {
public:
    FakeKeyboard(FakeEdit& edit, FakeUpDown& upDown) : edit_(edit), upDown_(upDown) {}
    void SelectAll() override { edit_.SelectAll(); }
    void Keys(const std::string& characters) override { edit_.Keys(characters); }
    void Backspace() override { edit_.Backspace(); }
    void Up() override { upDown_.ClickUp(); }
    void Leave() override { edit_.LoseFocus(); }
    std::pair<size_t, size_t> Selection() const override {
        return {edit_.selectionStart, edit_.selectionEnd};
    }

private:
    FakeEdit& edit_;
    FakeUpDown& upDown_;
};

struct FakeHarness {
    void SetUp() {}
    ControlFactory& Factory() { return factory; }
    Control* Parent() { return nullptr; }
    void UserClick(CheckBox& box) { AsFake(box).Click(); }
    void UserClick(Button& button) { AsFake(button).Click(); }
    void UserClick(Label& label) { AsFake(label).Click(); }
    void UserClick(TabSet& tabs, int index) { AsFake(tabs).ClickTab(index); }
    std::string TabText(TabSet& tabs, int index) { return AsFake(tabs).tabs.at(index); }
    void UserPicksPrevious(ComboBox& combo) { AsFake(combo).Choose(combo.ItemIndex() - 1); }
    std::unique_ptr<KeyboardDriver> Keyboard(Edit& edit, UpDown& upDown) {
        return std::make_unique<FakeKeyboard>(AsFake(edit), AsFake(upDown));
    }
    FakeControlFactory factory;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ControlContract, FakeHarness);

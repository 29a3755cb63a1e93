// The adjustment panels: every edit stores the up-down positions in the selected display's
// record and applies it at once. Handlers read positions, never texts (see UpDownRule).
#include "ramp/Displays.h"
#include "ui/HandlersPaused.h"
#include "ui/MainFrm.h"
#include "ui/TargetGammaText.h"

// Every value of the panel is rewritten whichever edit changed. Editing a correction point's
// value turns the point on, and the interpolation then rewrites the points that are off.
void TMainForm::AdjustmentChange(Adjustment kind) {
    if (!HandlersEnabled)
        return;
    const AdjustmentRow& row = RowOf(kind);
    const AdjustmentControls& controls = adjustments_[static_cast<int>(kind)];
    const bool point = kind == Adjustment::Point;
    HandlersPaused paused(HandlersEnabled);
    TCorrection& c = SelectedCorrection();
    const int pos = Patterns().PointPos;
    if (point)
        c.PointOn[pos] = 1;
    if (row.overall.Exists())
        row.overall.Of(c, pos) = controls.overall.upDown->Position();
    for (int k = 0; k < 3; ++k)
        row.channels[k].Of(c, pos) = controls.channels[k].upDown->Position();
    ApplyToDisplay();
    if (point)
        RefreshEdits();
}

// Each position that actually changes rewrites its edit, whose change handler applies: so a
// reset applies once per value that was not 0, and not at all when all were.
void TMainForm::AdjustmentResetClick(Adjustment kind) {
    AdjustmentControls& controls = adjustments_[static_cast<int>(kind)];
    for (AdjustmentControls::Value* value :
         {&controls.overall, &controls.channels[0], &controls.channels[1], &controls.channels[2]})
        if (value->upDown)
            value->upDown->SetPosition(0);
}

void TMainForm::PointPosEditChange() {
    if (!HandlersEnabled)
        return;
    HandlersPaused paused(HandlersEnabled);
    Patterns().PointPos = points_.posUpDown->Position();
    RefreshEdits();
    ApplyToDisplay();  // also repaints, so the pattern marks the new level
}

void TMainForm::PointCheckBoxClick() {
    if (!HandlersEnabled)
        return;
    HandlersPaused paused(HandlersEnabled);
    SelectedCorrection().PointOn[Patterns().PointPos] = points_.checkBox->IsChecked() ? 1 : 0;
    ApplyToDisplay();
    RefreshEdits();
}

void TMainForm::PointNextButtonClick() {
    Patterns().PointPos = NextPoint(SelectedCorrection(), Patterns().PointPos);
    points_.posUpDown->SetPosition(Patterns().PointPos);
    RefreshEdits();
    ApplyToDisplay();
}

void TMainForm::PointPrevButtonClick() {
    Patterns().PointPos = PrevPoint(SelectedCorrection(), Patterns().PointPos);
    points_.posUpDown->SetPosition(Patterns().PointPos);
    RefreshEdits();
    ApplyToDisplay();
}

void TMainForm::PointClearButtonClick() {
    ClearPoints(SelectedCorrection());
    RefreshEdits();
    ApplyToDisplay();
}

void TMainForm::GammaSetupEditChange() {
    const auto value = ParseTargetGamma(GammaSetupEdit->GetText(), host_.DecimalSeparator());
    if (value && IsValidTargetGamma(*value)) {
        Patterns().TargetGamma = *value;
        GammaSetupEdit->ResetBackground();
    } else {
        host_.Beep();
        GammaSetupEdit->SetBackground(Color{255, 0, 0});
    }
}

// The adjustment panels: every edit stores the up-down positions in the selected display's
// record and applies it at once. Handlers read positions, never texts (see UpDownRule).
#include "ramp/Displays.h"
#include "ui/HandlersPaused.h"
#include "ui/MainFrm.h"
#include "ui/TargetGammaText.h"

void TMainForm::StoreFourValues(UpDown& overall, UpDown& r, UpDown& g, UpDown& b,
                                std::int32_t& overallField, std::int32_t& rField,
                                std::int32_t& gField, std::int32_t& bField) {
    // All four are rewritten whichever edit changed.
    overallField = overall.Position();
    rField = r.Position();
    gField = g.Position();
    bField = b.Position();
    ApplyToDisplay();
}

void TMainForm::GammaChange() {
    if (!HandlersEnabled)
        return;
    TCorrection& c = SelectedCorrection();
    StoreFourValues(*GammaUpDown, *GammaRUpDown, *GammaGUpDown, *GammaBUpDown, c.Gamma, c.GammaR,
                    c.GammaG, c.GammaB);
}

void TMainForm::BlackChange() {
    if (!HandlersEnabled)
        return;
    TCorrection& c = SelectedCorrection();
    StoreFourValues(*BlackUpDown, *BlackRUpDown, *BlackGUpDown, *BlackBUpDown, c.Black, c.BlackR,
                    c.BlackG, c.BlackB);
}

void TMainForm::WhiteChange() {
    if (!HandlersEnabled)
        return;
    TCorrection& c = SelectedCorrection();
    StoreFourValues(*WhiteUpDown, *WhiteRUpDown, *WhiteGUpDown, *WhiteBUpDown, c.White, c.WhiteR,
                    c.WhiteG, c.WhiteB);
}

void TMainForm::BalanceChange() {
    if (!HandlersEnabled)
        return;
    TCorrection& c = SelectedCorrection();
    c.BalanceR = BalanceRUpDown->Position();
    c.BalanceG = BalanceGUpDown->Position();
    c.BalanceB = BalanceBUpDown->Position();
    ApplyToDisplay();
}

// Each position that actually changes rewrites its edit, whose change handler applies: so a
// reset applies once per value that was not 0, and not at all when all were.
void TMainForm::GammaResetButtonClick() {
    for (UpDown* u :
         {GammaUpDown.get(), GammaRUpDown.get(), GammaGUpDown.get(), GammaBUpDown.get()})
        u->SetPosition(0);
}

void TMainForm::BlackResetButtonClick() {
    for (UpDown* u :
         {BlackUpDown.get(), BlackRUpDown.get(), BlackGUpDown.get(), BlackBUpDown.get()})
        u->SetPosition(0);
}

void TMainForm::WhiteResetButtonClick() {
    for (UpDown* u :
         {WhiteUpDown.get(), WhiteRUpDown.get(), WhiteGUpDown.get(), WhiteBUpDown.get()})
        u->SetPosition(0);
}

void TMainForm::BalanceResetButtonClick() {
    for (UpDown* u : {BalanceRUpDown.get(), BalanceGUpDown.get(), BalanceBUpDown.get()})
        u->SetPosition(0);
}

void TMainForm::PointResetButtonClick() {
    for (UpDown* u :
         {PointUpDown.get(), PointRUpDown.get(), PointGUpDown.get(), PointBUpDown.get()})
        u->SetPosition(0);
}

void TMainForm::PointPosEditChange() {
    if (!HandlersEnabled)
        return;
    HandlersPaused paused(HandlersEnabled);
    Patterns().PointPos = PointPosUpDown->Position();
    RefreshEdits();
    ApplyToDisplay();  // also repaints, so the pattern marks the new level
}

void TMainForm::PointEditChange() {
    if (!HandlersEnabled)
        return;
    HandlersPaused paused(HandlersEnabled);
    TCorrection& c = SelectedCorrection();
    const int pos = Patterns().PointPos;
    c.PointOn[pos] = 1;  // editing a value turns the point on
    c.Point[pos] = PointUpDown->Position();
    c.PointR[pos] = PointRUpDown->Position();
    c.PointG[pos] = PointGUpDown->Position();
    c.PointB[pos] = PointBUpDown->Position();
    ApplyToDisplay();
    RefreshEdits();  // the interpolation has rewritten the points that are off
}

void TMainForm::PointCheckBoxClick() {
    if (!HandlersEnabled)
        return;
    HandlersPaused paused(HandlersEnabled);
    SelectedCorrection().PointOn[Patterns().PointPos] = PointCheckBox->IsChecked() ? 1 : 0;
    ApplyToDisplay();
    RefreshEdits();
}

void TMainForm::PointNextButtonClick() {
    Patterns().PointPos = NextPoint(SelectedCorrection(), Patterns().PointPos);
    PointPosUpDown->SetPosition(Patterns().PointPos);
    RefreshEdits();
    ApplyToDisplay();
}

void TMainForm::PointPrevButtonClick() {
    Patterns().PointPos = PrevPoint(SelectedCorrection(), Patterns().PointPos);
    PointPosUpDown->SetPosition(Patterns().PointPos);
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

// Editing the selected display's record through the adjustment panels.
#include "WindowFixture.h"

namespace {

class AdjustmentEditing : public WindowTest {
protected:
    void SetUp() override { OpenOneFullHdDisplay(); }
};

TEST_F(AdjustmentEditing, TypingStoresEachValidPrefixAndKeepsTheLastForTextOutOfRange) {
    FakeEdit& edit = E(form->GammaREdit());
    edit.Clear();  // the user selects the "0" and types over it
    const int writesBefore = RampWrites();
    edit.Type("1");
    EXPECT_EQ(Record().GammaR, 1);
    edit.Type("5");
    EXPECT_EQ(Record().GammaR, 15);
    edit.Type("0");  // "150" is out of range: the field keeps 15, the text stays as typed
    EXPECT_EQ(Record().GammaR, 15);
    EXPECT_EQ(edit.GetText(), "150");
    EXPECT_EQ(RampWrites() - writesBefore, 3);  // every keystroke is one apply
    EXPECT_EQ(LastWritten(), RampOf(Record()));

    U(form->GammaRUpDown()).ClickUp();
    EXPECT_EQ(Record().GammaR, 16);
    EXPECT_EQ(edit.GetText(), "16");
}

// The same on a panel and in the point column, whose handler refreshes every point edit.
TEST_F(AdjustmentEditing, ClearingOrGarbageKeepsTheLastValidValueAndTheTextAsTyped) {
    const std::pair<Edit*, const std::int32_t*> cases[] = {
        {&form->BlackEdit(), &Record().Black}, {&form->PointGEdit(), &Record().PointG[127]}};
    for (const auto& [control, field] : cases) {
        FakeEdit& edit = E(*control);
        edit.SelectAll();
        edit.Keys("-");  // a lone minus sign stores the old value
        EXPECT_EQ(*field, 0);
        EXPECT_EQ(edit.GetText(), "-");
        EXPECT_EQ(edit.selectionEnd, 1u);  // the caret stays after it
        edit.Keys("25");
        EXPECT_EQ(*field, -25);
        edit.Clear();
        EXPECT_EQ(*field, -25);
        EXPECT_EQ(edit.GetText(), "");
        edit.Keys("x");
        EXPECT_EQ(*field, -25);
        EXPECT_EQ(edit.GetText(), "x");
    }
}

// What stays on screen once the user leaves an edit is the value in effect, and showing it is
// no new edit: nothing is applied again.
TEST_F(AdjustmentEditing, LeavingAnEditShowsTheValueInEffectWithoutApplyingAgain) {
    FakeEdit& gamma = E(form->GammaREdit());
    gamma.Clear();
    gamma.Type("250");  // 2, 25, then out of range
    FakeEdit& point = E(form->PointEdit());
    point.Clear();
    point.Type("4x");
    const TCorrection before = Record();
    const int writes = RampWrites();
    gamma.LoseFocus();
    point.LoseFocus();
    EXPECT_EQ(gamma.GetText(), "25");
    EXPECT_EQ(point.GetText(), "4");
    EXPECT_EQ(RampWrites(), writes);
    EXPECT_EQ(Record().GammaR, 25);
    EXPECT_EQ(Record().Point[Patterns().PointPos], 4);
    EXPECT_EQ(Record().PointOn, before.PointOn);
    E(form->BlackEdit()).LoseFocus();  // a text that is the value stays as it is
    EXPECT_EQ(E(form->BlackEdit()).GetText(), "0");
}

TEST_F(AdjustmentEditing, EveryEditOfAPanelRewritesAllItsFieldsAndNoOther) {
    E(form->WhiteGEdit()).Type("7");
    E(form->WhiteEdit()).SetText("-3");
    E(form->BalanceBEdit()).Type("9");
    const TCorrection& c = Record();
    EXPECT_EQ((std::vector<int>{c.White, c.WhiteR, c.WhiteG, c.WhiteB}),
              (std::vector<int>{-3, 0, 7, 0}));
    EXPECT_EQ((std::vector<int>{c.BalanceR, c.BalanceG, c.BalanceB}), (std::vector<int>{0, 0, 9}));
    EXPECT_EQ(c.Gamma, 0);
    EXPECT_EQ(c.Black, 0);
}

TEST_F(AdjustmentEditing, ResetAppliesOncePerNonZeroValueAndNotAtAllWhenAllAreZero) {
    E(form->BlackEdit()).Type("5");
    E(form->BlackGEdit()).SetText("-3");
    E(form->GammaEdit()).Type("4");  // another panel, untouched by the black reset
    host.ClearLog();
    int writes = RampWrites();
    B(form->BlackResetButton()).Click();
    EXPECT_EQ(RampWrites() - writes, 2);
    EXPECT_EQ(Record().Black, 0);
    EXPECT_EQ(Record().BlackG, 0);
    EXPECT_EQ(Record().Gamma, 4);
    EXPECT_EQ(E(form->BlackEdit()).GetText(), "0");
    EXPECT_EQ(E(form->BlackGEdit()).GetText(), "0");

    E(form->BlackREdit()).SelectAll();
    E(form->BlackREdit()).Keys("-");  // text that is no number leaves the position at 0
    B(form->OffButton).Click();
    host.ClearLog();
    writes = RampWrites();
    B(form->BlackResetButton()).Click();
    B(form->BalanceResetButton()).Click();
    EXPECT_EQ(RampWrites(), writes);
    EXPECT_EQ(host.Count("Invalidate"), 0);
    EXPECT_EQ(E(form->BlackREdit()).GetText(), "-");
    EXPECT_FALSE(form->LutOn);
}

TEST_F(AdjustmentEditing, ValuesFromAFileOutsideTheRangeAreShownClampedAndKeptUntilEdited) {
    Record().Black = 150;
    Record().BlackR = -120;
    form->RefreshEdits();
    EXPECT_EQ(E(form->BlackEdit()).GetText(), "100");
    EXPECT_EQ(E(form->BlackREdit()).GetText(), "-100");
    EXPECT_EQ(Record().Black, 150);  // showing does not write
    E(form->BlackGEdit()).Type("1");
    EXPECT_EQ(Record().Black, 100);
    EXPECT_EQ(Record().BlackR, -100);
}

// --- correction points -------------------------------------------------------------------

TEST_F(AdjustmentEditing, EditingAPointValueTurnsThePointOn) {
    E(form->PointREdit()).Type("8");
    EXPECT_EQ(Record().PointOn[127], 1);
    EXPECT_EQ(Record().PointR[127], 8);
    EXPECT_TRUE(AsFake(form->PointCheckBox()).IsChecked());
}

TEST_F(AdjustmentEditing, PointResetTurnsThePointOnWhenItShowedAnInterpolatedValue) {
    TCorrection& c = Record();
    c.PointOn[100] = c.PointOn[200] = 1;
    c.Point[100] = c.Point[200] = 40;
    c.PointG[100] = c.PointG[200] = -20;
    form->RefreshEdits();
    ApplyCorrection(0);  // the interpolation fills level 127
    form->RefreshEdits();
    ASSERT_NE(E(form->PointEdit()).GetText(), "0");
    ASSERT_EQ(c.PointOn[127], 0);

    B(form->PointResetButton()).Click();
    EXPECT_EQ(c.PointOn[127], 1);
    EXPECT_EQ(c.Point[127], 0);
    EXPECT_EQ(c.PointR[127], 0);
    EXPECT_EQ(c.PointG[127], 0);
    EXPECT_EQ(c.PointB[127], 0);
    EXPECT_EQ(LastWritten(), RampOf(c));
}

TEST_F(AdjustmentEditing, UncheckingAPointShowsTheCurveThroughTheOthers) {
    TCorrection& c = Record();
    for (int level : {50, 127, 180}) {
        c.PointOn[level] = 1;
        c.Point[level] = level == 127 ? 60 : 10;
        c.PointB[level] = level == 127 ? -30 : 5;
    }
    form->RefreshEdits();
    ASSERT_TRUE(AsFake(form->PointCheckBox()).IsChecked());

    TCorrection expected = c;
    expected.PointOn[127] = 0;
    InterpolatePoints(expected);
    AsFake(form->PointCheckBox()).Click();

    EXPECT_EQ(c.PointOn[127], 0);
    EXPECT_EQ(E(form->PointEdit()).GetText(), std::to_string(expected.Point[127]));
    EXPECT_EQ(E(form->PointBEdit()).GetText(), std::to_string(expected.PointB[127]));
    EXPECT_NE(expected.Point[127], 60);
    EXPECT_EQ(LastWritten(), RampOf(c));

    AsFake(form->PointCheckBox()).Click();  // on again: keeps the values it shows
    EXPECT_EQ(c.PointOn[127], 1);
    EXPECT_EQ(c.Point[127], expected.Point[127]);
}

TEST_F(AdjustmentEditing, TypingAPositionShowsThatLevelsValues) {
    Record().PointOn[30] = 1;
    Record().PointR[30] = 12;
    FakeEdit& pos = E(form->PointPosEdit());
    pos.Clear();
    pos.Type("30");
    EXPECT_EQ(Patterns().PointPos, 30);
    EXPECT_TRUE(AsFake(form->PointCheckBox()).IsChecked());
    EXPECT_EQ(E(form->PointREdit()).GetText(), "12");
    pos.Type("0");  // "300" is beyond 255
    EXPECT_EQ(Patterns().PointPos, 30);
}

struct StepCase {
    std::vector<int> enabled;
    int from;
    int next;
    int prev;
};

TEST_F(AdjustmentEditing, NextAndPrevFollowTheEnabledPointsRoundTheLevels) {
    const StepCase cases[] = {
        {{}, 127, 128, 126},        // no points: one level
        {{}, 255, 255, 254},        // ... not past the ends
        {{}, 0, 1, 0},              //
        {{10, 200}, 127, 200, 10},  // nearest enabled point either way
        {{10, 200}, 200, 10, 10},   // wrapping forward
        {{10, 200}, 10, 200, 200},  // wrapping backward
        {{127}, 127, 127, 127},     // the only point is the present one
    };
    for (const StepCase& s : cases) {
        ClearPoints(Record());
        for (int level : s.enabled) {
            Record().PointOn[level] = 1;
            Record().Point[level] = 5;
        }
        for (bool forward : {true, false}) {
            Patterns().PointPos = s.from;
            form->RefreshEdits();
            U(form->PointPosUpDown()).SetPosition(s.from);
            B(forward ? form->PointNextButton() : form->PointPrevButton()).Click();
            const int expected = forward ? s.next : s.prev;
            EXPECT_EQ(Patterns().PointPos, expected)
                << "from " << s.from << (forward ? " next" : " prev");
            EXPECT_EQ(E(form->PointPosEdit()).GetText(), std::to_string(expected));
            EXPECT_EQ(AsFake(form->PointCheckBox()).IsChecked(), Record().PointOn[expected] == 1);
        }
    }
}

TEST_F(AdjustmentEditing, ClearAllKeepsTheAdjustmentsAndThenNextStepsOneLevel) {
    E(form->GammaEdit()).Type("3");
    Record().PointOn[40] = Record().PointOn[90] = 1;
    Record().Point[40] = 9;
    const int writes = RampWrites();
    B(form->PointClearButton()).Click();
    EXPECT_EQ(RampWrites() - writes, 1);
    EXPECT_EQ(Record().Gamma, 3);
    EXPECT_EQ(Record().PointOn[40], 0);
    EXPECT_EQ(Record().Point[40], 0);
    EXPECT_EQ(Patterns().PointPos, 127);
    B(form->PointNextButton()).Click();
    EXPECT_EQ(Patterns().PointPos, 128);
}

// --- target gamma ------------------------------------------------------------------------

TEST_F(AdjustmentEditing, PageZeroShowsTheTargetGammaWithAtMostThreeDecimals) {
    const std::pair<double, const char*> cases[] = {
        {2.2, "2.2"}, {1.0, "1"}, {2.25, "2.25"}, {1.23456, "1.235"}, {0.5, ".5"}};
    for (const auto& [value, shown] : cases) {
        Patterns().TargetGamma = value;
        form->ShowPage(0);
        EXPECT_EQ(E(form->GammaSetupEdit).GetText(), shown);
    }
    // Showing the page took the value as shown.
    EXPECT_EQ(Patterns().TargetGamma, 0.5);
    Patterns().TargetGamma = 1.23456;
    form->ShowPage(0);
    EXPECT_EQ(Patterns().TargetGamma, 1.235);
    EXPECT_EQ(host.Count("Beep"), 0);
}

TEST_F(AdjustmentEditing, TargetGammaOutsideZeroTo501BeepsAndTurnsRed) {
    FakeEdit& edit = E(form->GammaSetupEdit);
    for (const char* text : {"0", "-1", "", "5.02", "abc", "2,5.", "1e1"}) {
        Patterns().TargetGamma = 2.2;
        host.ClearLog();
        edit.SetText(text);  // pasted in one go
        EXPECT_EQ(edit.background, (Color{255, 0, 0})) << text;
        EXPECT_EQ(host.Count("Beep"), 1) << text;
        EXPECT_EQ(Patterns().TargetGamma, 2.2) << text;
    }
    for (const char* text : {"5.01", "0.1"}) {
        edit.SetText(text);
        EXPECT_EQ(edit.background, kWhite) << text;
    }
    EXPECT_EQ(Patterns().TargetGamma, 0.1);
}

TEST_F(AdjustmentEditing, TargetGammaReadsEitherSeparatorAndShowsTheLocales) {
    FakeEdit& edit = E(form->GammaSetupEdit);
    edit.Clear();
    edit.Type("2,4");  // as the translated help texts write it, on a "." system
    EXPECT_EQ(Patterns().TargetGamma, 2.4);
    EXPECT_EQ(edit.background, kWhite);
    host.decimalSeparator = ',';
    edit.Clear();
    edit.Type("1.8");
    EXPECT_EQ(Patterns().TargetGamma, 1.8);
    Patterns().TargetGamma = 2.25;
    form->ShowPage(0);
    EXPECT_EQ(edit.GetText(), "2,25");
}

TEST_F(AdjustmentEditing, AnInvalidSavedTargetGammaBeepsEachTimePageZeroIsLaidOut) {
    Patterns().TargetGamma = 0;
    host.ClearLog();
    form->ShowPage(0);
    EXPECT_EQ(E(form->GammaSetupEdit).GetText(), "");
    EXPECT_EQ(host.Count("Beep"), 1);
    form->ShowPage(1);
    form->ShowPage(0);
    EXPECT_EQ(host.Count("Beep"), 2);
    EXPECT_EQ(E(form->GammaSetupEdit).background, (Color{255, 0, 0}));
}

}  // namespace

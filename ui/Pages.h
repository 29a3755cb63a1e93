#pragma once
// The calibration window's nine pages and the five adjustment panels they show, one row each:
// everything the window, its texts, its painting and the language files' check need to know
// about a page or a panel is read from these two tables.

#include <array>
#include <cstdint>

#include "ramp/Correction.h"
#include "render/PagePainter.h"

inline constexpr int kPageCount = 9;

// The adjustment panels, in the order the window creates them (and so of the keyboard focus).
enum class Adjustment { Gamma, Black, White, Balance, Point };
inline constexpr int kAdjustmentCount = 5;

// What a page shows besides its adjustment panels and its help text.
enum class PageExtra {
    None,
    Welcome,        // the welcome text, the language selector and the target gamma
    ReferenceFile,  // the reference image's file name, a link to choose another
};

struct PageRow {
    const char* tabText;  // the tab's text until the language's is applied
    const char* tabKey;
    const char* helpKey;  // nullptr: no help text (the welcome page)
    PageExtra extra;
    Color background;
    // Its adjustment panels from left to right, the one at `centred` centred on the display and
    // the others beside it, each 20 design pixels from its neighbour.
    int panelCount;
    std::array<Adjustment, kAdjustmentCount> panels;
    int centred;
    PagePattern pattern;  // nullptr: the background only
};

// clang-format off
inline constexpr PageRow kPages[kPageCount] = {
    // tab text, tab key, help key, extra, background,
    //  panel count, panels, centred, pattern
    {"Welcome", "TabWelcome", nullptr, PageExtra::Welcome, kBlack,
     0, {}, 0, nullptr},
    {"Black Point", "TabBlackPoint", "TBlackPoint", PageExtra::None, kBlack,
     1, {Adjustment::Black}, 0, PaintBlackPoint},
    {"White Point", "TabWhitePoint", "TWhitePoint", PageExtra::None, kWhite,
     1, {Adjustment::White}, 0, PaintWhitePoint},
    {"Gamma", "TabGamma", "TGamma", PageExtra::None, kBlack,
     1, {Adjustment::Gamma}, 0, PaintGamma},
    {"Gamma Sharp", "TabGammaSharp", "TGammaSharp", PageExtra::None, kBlack,
     1, {Adjustment::Gamma}, 0, PaintGammaSharp},
    {"Color Balance", "TabColorBalance", "TColorBalance", PageExtra::None, kBlack,
     3, {Adjustment::Black, Adjustment::Balance, Adjustment::White}, 1, PaintColorBalance},
    {"Correction Points", "TabCorrectionPoints", "TCorrectionPoints", PageExtra::None, kBlack,
     1, {Adjustment::Point}, 0, PaintCorrectionPoints},
    {"All Controls", "TabAllControls", "TAllControls", PageExtra::None, kBlack,
     5, {Adjustment::Black, Adjustment::White, Adjustment::Point, Adjustment::Balance,
         Adjustment::Gamma}, 2, PaintCorrectionPoints},
    {"Reference Image", "ReferenceImage", "TReferenceImage", PageExtra::ReferenceFile, kBlack,
     0, {}, 0, PaintReferenceImagePage},
};
// clang-format on

// Where one edit of an adjustment panel keeps its value in the record: a field of its own, or
// (the correction points) the entry of the selected level in a field per level.
struct CorrectionField {
    std::int32_t TCorrection::*whole = nullptr;
    std::array<std::int32_t, 256> TCorrection::*perLevel = nullptr;

    bool Exists() const { return whole || perLevel; }
    std::int32_t& Of(TCorrection& c, int level) const {
        return whole ? c.*whole : (c.*perLevel)[level];
    }
    std::int32_t Of(const TCorrection& c, int level) const {
        return whole ? c.*whole : (c.*perLevel)[level];
    }
};

// An adjustment panel: a title with the overall value (none on the balance panel), a value per
// channel (R, G, B) and a reset button, each value an edit with an up-down.
struct AdjustmentRow {
    int width, height;  // design size at 96 dpi
    const char* title;  // until the language's text is applied
    const char* titleKey;
    CorrectionField overall;
    std::array<CorrectionField, 3> channels;
};

// Inside a panel, in design pixels: the captions start at its margin, the edits and ">0<" at the
// value column.
inline constexpr int kPanelMargin = 8;
inline constexpr int kValueColumnLeft = 66;

// clang-format off
inline constexpr AdjustmentRow kAdjustments[kAdjustmentCount] = {
    // size      title       title key   overall, R, G, B
    {121, 142, "Gamma:",   "LGamma",   {&TCorrection::Gamma},
     {{{&TCorrection::GammaR}, {&TCorrection::GammaG}, {&TCorrection::GammaB}}}},
    {121, 142, "Black:",   "LBlack",   {&TCorrection::Black},
     {{{&TCorrection::BlackR}, {&TCorrection::BlackG}, {&TCorrection::BlackB}}}},
    {123, 142, "White:",   "LWhite",   {&TCorrection::White},
     {{{&TCorrection::WhiteR}, {&TCorrection::WhiteG}, {&TCorrection::WhiteB}}}},
    {121, 142, "Balance:", "LBalance", {},
     {{{&TCorrection::BalanceR}, {&TCorrection::BalanceG}, {&TCorrection::BalanceB}}}},
    {247, 140, "Value:",   "LValue",   {nullptr, &TCorrection::Point},
     {{{nullptr, &TCorrection::PointR}, {nullptr, &TCorrection::PointG},
       {nullptr, &TCorrection::PointB}}}},
};
// clang-format on

inline const AdjustmentRow& RowOf(Adjustment kind) {
    return kAdjustments[static_cast<int>(kind)];
}

// Fills nothing: the canvas already holds the window's background. Paints the pattern of
// view.page onto it when that page has one and a display is selected to centre it on.
void PaintPage(Canvas& canvas, const PageView& view);

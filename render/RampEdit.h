#pragma once
// Drawing routines of the test patterns and the ramp graph. Each sets the colours it needs
// and leaves them changed; positions are the window's client coordinates.

#include "ramp/Displays.h"
#include "render/Canvas.h"

enum class LevelSquares { kBlack, kWhite };

void DrawRowStripes(Canvas& c, int x, int y, int width, int height, Color a, Color b);
void DrawColumnStripes(Canvas& c, int x, int y, int width, int height, Color a, Color b);
void DrawEdgeBlend(Canvas& c, int x, int y, int width, int height, Color top, Color bottom);
void DrawRampColumn(Canvas& c, int x, int y, int unit, int rows, int top, int bottom);
void DrawGreySteps(Canvas& c, int x, int y, int width, int height);
void DrawLightSteps(Canvas& c, int x, int y, int size, int count);
void DrawLevelSquares(Canvas& c, int dpi, LevelSquares variant);
void DrawCurveGraph(Canvas& c, int x0, int y0, Color fill, bool marker);
void DrawGammaField(Canvas& c, int x, int y, int level);
void DrawPointField(Canvas& c, int x, int y, int level);
ScreenRect SideBandRect();
ScreenRect DesktopRect();

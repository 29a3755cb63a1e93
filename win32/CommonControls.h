#pragma once
// The common controls library (the tabs, up-downs and the visual styles of every control).

// Loads the library and registers the window classes the calibration window uses; false when
// it cannot be loaded. Only the first call does the work.
//
// Under Wine the thread that first brings up the window system stays slower at every window
// operation after it: made on that thread, the controls of the first page take about twice as
// long. The library, with the display driver it brings along, is therefore loaded on a thread
// of its own, which the caller waits for; nothing runs beside the caller. On Windows the thread
// costs a fraction of a millisecond.
bool LoadCommonControls();

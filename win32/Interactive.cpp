// Stand-in until the calibration window is built: the start-up and shutdown around it are
// complete, the window itself shows nothing yet.
#include "win32/Interactive.h"

int RunInteractive() { return 0; }

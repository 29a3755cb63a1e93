/* Reads or sets the gamma ramp of screen 0 of $DISPLAY through XF86VidMode, the table
 * that Wine's gamma-ramp calls change.
 *   xgamma-ramp get          768 lines: red 0..255, green 0..255, blue 0..255
 *   xgamma-ramp set-power P  entry i = 65535 * (i / 255) ^ P, all channels
 * Exit code 2 when the server has no usable XF86VidMode gamma ramp. */
#include <X11/Xlib.h>
#include <X11/extensions/xf86vmode.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(NULL);
    int size = 0;
    if (!display) {
        fprintf(stderr, "xgamma-ramp: cannot open display\n");
        return 2;
    }
    if (!XF86VidModeGetGammaRampSize(display, 0, &size) || size != 256) {
        fprintf(stderr, "xgamma-ramp: no 256-entry gamma ramp (size %d)\n", size);
        return 2;
    }
    unsigned short red[256], green[256], blue[256];
    if (argc == 2 && strcmp(argv[1], "get") == 0) {
        if (!XF86VidModeGetGammaRamp(display, 0, 256, red, green, blue))
            return 2;
        for (int i = 0; i < 256; ++i)
            printf("%u\n", red[i]);
        for (int i = 0; i < 256; ++i)
            printf("%u\n", green[i]);
        for (int i = 0; i < 256; ++i)
            printf("%u\n", blue[i]);
    } else if (argc == 3 && strcmp(argv[1], "set-power") == 0) {
        const double power = atof(argv[2]);
        for (int i = 0; i < 256; ++i)
            red[i] = green[i] = blue[i] = (unsigned short)lround(65535.0 * pow(i / 255.0, power));
        if (!XF86VidModeSetGammaRamp(display, 0, 256, red, green, blue))
            return 2;
        XSync(display, False);
    } else {
        fprintf(stderr, "usage: xgamma-ramp get | set-power P\n");
        return 1;
    }
    XCloseDisplay(display);
    return 0;
}

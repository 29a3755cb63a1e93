// Prints what a ramp file should put on an X server's gamma ramp after `Tonecast.exe /load`:
// the file parsed and synthesised as the program does, each entry as XF86VidMode reports a
// 16-bit value written through Wine ((w >> 8) * 257). 768 lines, channel-major.
#include <fstream>
#include <iostream>
#include <sstream>

#include "ramp/RampFile.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: expected-ramp <file.lut>\n";
        return 1;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    TCorrection c;
    std::string device;
    if (!ParseRampFile(bytes.str(), c, device)) {
        std::cerr << "expected-ramp: not a ramp file\n";
        return 1;
    }
    Ramp ramp;
    BuildRamp(c, ramp);
    for (std::uint16_t entry : ramp)
        std::cout << (entry >> 8) * 257 << '\n';
    return 0;
}

// canvas-script: draws a script of the reference renderer's language with our
// rasteriser and writes the images exactly as that renderer would, so its
// recorded output can be compared byte for byte.
//
//   canvas-script < script.txt > out.hex
//
// Exit code 2 when any line of the script failed (each is reported on stderr),
// when a surface is above the pixel limit (the script stops there) or when the
// program is given arguments.

#include <iostream>

#include "tools/canvas-script/DrawScript.h"

int main(int argc, char** /*argv*/) {
    if (argc > 1) {
        std::cerr << "usage: canvas-script < script.txt > images\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    instruments::raster::DrawScript script(std::cout, std::cerr);
    const int failures = script.Run(std::cin);
    return failures == 0 ? 0 : 2;
}

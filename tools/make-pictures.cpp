// Draws the demo's two pictures with the project's own canvas and writes them as
// 24-bit BMP files:
//   quadrante.bmp   180 x 180, a clock face (dial, minute and hour marks, numerals)
//   quadrante1.bmp  210 x 55, a night-sky picture behind a white dot-matrix text
//
//   make-pictures OUTPUT_DIR

#include <cmath>
#include <cstdio>
#include <string>

#include "canvas/bitmap/BmpFile.h"
#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "instruments/Colour.h"

namespace {

using namespace instruments;
using namespace dialog;

// Writes what the current control shows as a 24-bit BMP file.
bool WriteShownPicture(const std::string& path) {
    const Painter* painter = CurrentPainter();
    return painter != nullptr && bitmap::WriteBmp(painter->surface(), path);
}

void DrawClockFace() {
    constexpr double kCentre = 89.5;
    Box(0, 0, 180, 180, 0, Rgb(24, 32, 56), Rgb(24, 32, 56), 0);
    // Bezel and dial: concentric discs from dark to light.
    for (int ring = 0; ring < 8; ++ring) {
        const int shade = 120 + ring * 12;
        Box(2 + ring, 2 + ring, 178 - ring, 178 - ring, kCornerEllipse, Rgb(shade, shade - 10, shade - 40),
            Rgb(shade, shade - 10, shade - 40), 0);
    }
    Box(12, 12, 168, 168, kCornerEllipse, Rgb(246, 240, 222), Rgb(246, 240, 222), 0);
    Box(16, 16, 164, 164, kCornerEllipse, Rgb(214, 206, 182), kColourTransparent, 0);
    // Minute marks, then heavier hour marks.
    for (int minute = 0; minute < 60; ++minute) {
        const double angle = minute * 6.0 * M_PI / 180.0;
        const bool hour = minute % 5 == 0;
        const double inner = hour ? 58.0 : 66.0;
        Width(hour ? 4 : 1);
        SetPos(kCentre + std::sin(angle) * inner, kCentre - std::cos(angle) * inner);
        LineTo(kCentre + std::sin(angle) * 71.0, kCentre - std::cos(angle) * 71.0,
               hour ? Rgb(40, 44, 60) : Rgb(110, 110, 120));
    }
    Width(1);
    // Numerals at the quarters.
    Font("DejaVu Sans", 11, kFontBold);
    ColourFg(Rgb(40, 44, 60));
    ColourBg(kColourTransparent);
    const struct {
        const char* text;
        double angle;
    } numerals[] = {{"12", 0}, {"3", 90}, {"6", 180}, {"9", 270}};
    for (const auto& numeral : numerals) {
        const double angle = numeral.angle * M_PI / 180.0;
        const Size size = TextSize(numeral.text);
        SetPos(kCentre + std::sin(angle) * 44.0 - size.width / 2.0,
               kCentre - std::cos(angle) * 44.0 - size.height / 2.0);
        Print(numeral.text);
    }
    Box(86, 86, 94, 94, kCornerEllipse, Rgb(40, 44, 60), Rgb(40, 44, 60), 0);
}

void DrawNightSky() {
    // A vertical gradient from deep blue to violet, a band of hills and a few stars.
    for (int y = 0; y < 55; ++y) {
        SetPos(0, y);
        LineTo(210, y, Rgb(20 + y, 16 + y / 3, 70 + y * 2));
    }
    for (int x = 0; x < 210; ++x) {
        const double hill = 44.0 + 5.0 * std::sin(x / 23.0) + 3.0 * std::sin(x / 9.0 + 1.0);
        SetPos(x, hill);
        LineTo(x, 55, Rgb(18, 40, 30));
    }
    const int stars[][2] = {{14, 6},   {37, 18}, {58, 4},   {83, 11}, {101, 25}, {126, 7},
                            {149, 16}, {171, 5}, {188, 21}, {203, 9}, {66, 29},  {140, 30}};
    for (const auto& star : stars) {
        SetPixel(star[0], star[1], Rgb(255, 250, 210));
    }
    Box(176, 4, 192, 20, kCornerEllipse, Rgb(250, 244, 200), Rgb(250, 244, 200), 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-pictures OUTPUT_DIR\n");
        return 2;
    }
    const std::string folder = argv[1];
    UseHeadlessDialogs({});
    const DialogHandle dialog = DialogNew(kDialogPixels, 0, "pictures", -1, -1, 400, 200, 0, 0);
    ControlAddGraphic(dialog, 1, "", 0, 0, 180, 180, 0);
    ControlAddGraphic(dialog, 2, "", 0, 0, 210, 55, 0);

    Attach(dialog, 1, Buffering::Buffered);
    DrawClockFace();
    const bool dial = WriteShownPicture(folder + "/quadrante.bmp");
    Attach(dialog, 2, Buffering::Buffered);
    DrawNightSky();
    const bool sky = WriteShownPicture(folder + "/quadrante1.bmp");
    if (!dial || !sky) {
        std::fprintf(stderr, "make-pictures: cannot write into '%s'\n", folder.c_str());
        return 1;
    }
    return 0;
}

// Renders a dot-matrix display off-screen, into pixels the program owns, and
// writes them as PNG: the way to show an instrument inside another toolkit's
// widget or texture. No window is opened.
//
//   embed --text TEXT --out FILE.png

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include <instruments/instruments.h>

namespace {

int Usage(const char* message) {
    std::fprintf(stderr, "embed: %s (usage: embed --text TEXT --out FILE.png)\n", message);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string text;
    std::string out;
    bool hasText = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--text" && i + 1 < argc) {
            text = argv[++i];
            hasText = true;
        } else if (argument == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else {
            return Usage("unknown or incomplete argument");
        }
    }
    if (!hasText || out.empty()) {
        return Usage("--text and --out are both needed");
    }

    // A 210 x 55 display: gold frame 6 wide, red joined dots over a red gradient.
    // Settings that cannot be used throw instruments::SettingsError, which says why.
    instruments::TextDisplay display(
        {210, 55},
        {
            .frame = {.width = 6, .colour = "gold"},
            .background = {.pattern = instruments::BackgroundPattern::RowsFromBottom, .colour = "#f06040"},
            .ink = instruments::Rgb(255, 0, 0),
            .dots = instruments::DotStyle::Joined,
        });

    // The program's own pixel buffer; the painter draws on it.
    instruments::Surface pixels(210, 55);
    instruments::Painter painter(pixels);
    display.SetCodes(text);  // the text's bytes are the character codes
    display.Paint(painter);

    // Hand the pixels on as a toolkit texture would take them: 0xAARRGGBB.
    std::vector<std::uint32_t> texture;
    texture.reserve(static_cast<std::size_t>(pixels.width()) * pixels.height());
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            texture.push_back(0xFF000000u | pixels.At(x, y));
        }
    }

    if (!instruments::WritePng(pixels, out)) {
        std::fprintf(stderr, "embed: cannot write '%s'\n", out.c_str());
        return 1;
    }
    std::printf("embed: %zu pixels, written to %s\n", texture.size(), out.c_str());
    return 0;
}

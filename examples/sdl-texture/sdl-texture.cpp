// A panel of instruments inside a window the program makes itself with SDL2:
// a time display, an analog clock and a needle meter painted with one painter
// into one surface, each at its rectangle, then uploaded into an SDL texture.
// Close the window or press Escape to end it.
//
//   sdl-texture

#include <SDL2/SDL.h>

#include <cmath>
#include <cstdio>

#include <instruments/instruments.h>

namespace {

constexpr instruments::Rect kTimePlace{10, 10, 210, 55};
constexpr instruments::Rect kClockPlace{230, 10, 120, 120};
constexpr instruments::Rect kMeterPlace{10, 75, 210, 55};

// Paints an instrument into its rectangle of the panel, (0, 0) at the
// rectangle's corner and nothing outside it, when its state changed.
void PaintAt(instruments::Painter& painter, const instruments::Rect& place, instruments::Instrument& instrument) {
    instruments::PainterStateSaver saved(painter);
    painter.Clip(place);
    painter.Translate(place.origin());
    instrument.PaintIfChanged(painter);
}

}  // namespace

int main() {
    instruments::TextDisplay time(kTimePlace.size(), {.frame = {.width = 4, .colour = "gold"},
                                                            .ink = instruments::Rgb(255, 60, 0),
                                                            .dots = instruments::DotStyle::Joined});
    instruments::AnalogClock clock(kClockPlace.size(), {.frame = {.width = 3}});
    instruments::LevelMeter meter(kMeterPlace.size(),
                                  {.frame = {.width = 3}, .needle = instruments::Rgb(200, 0, 0)});

    instruments::Surface panel(360, 140, 0x303030);
    instruments::Painter painter(panel);

    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "sdl-texture: no display: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("sdl-texture", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          panel.width(), panel.height(), 0);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    // A surface's pixels are 0x00RRGGBB words, the texture format below.
    SDL_Texture* texture = renderer
                               ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                                   SDL_TEXTUREACCESS_STREAMING, panel.width(), panel.height())
                               : nullptr;
    if (texture == nullptr) {
        std::fprintf(stderr, "sdl-texture: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }

    for (bool running = true; running;) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT ||
                (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)) {
                running = false;
            }
        }
        const instruments::LocalTime now = instruments::SystemLocalTime();
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.hour, now.minute, now.second);
        const double load = 50.0 + 45.0 * std::sin(SDL_GetTicks() / 1000.0);

        time.SetText(text);
        clock.SetTime(now);
        meter.SetLevel(load);
        PaintAt(painter, kTimePlace, time);
        PaintAt(painter, kClockPlace, clock);
        PaintAt(painter, kMeterPlace, meter);

        SDL_UpdateTexture(texture, nullptr, panel.row(0), panel.stride() * 4);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
        SDL_Delay(100);
    }

    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

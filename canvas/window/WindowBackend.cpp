// The dialog back-end on screen: one SDL window whose client area shows the
// composed faces of the dialog's controls.

#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "canvas/window/Dialog.h"
#include "instruments/Surface.h"

namespace instruments {

namespace {

// SDL wants UTF-8; our texts are 8-bit (Latin-1 is close enough for a caption).
std::string Latin1ToUtf8(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool VideoReady(std::string& error) {
    static bool initialised = false;
    if (initialised) {
        return true;
    }
    // Present through the window surface, not through a GL texture: measured here,
    // about 53 us a frame against 4-5 ms via Mesa's software GL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Signals belong to the host program: SDL would otherwise catch SIGINT and
    // SIGTERM for itself. A host that wants them to end a dialog handles them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Without a Wayland session only X11 can give us a window; asking Wayland
    // anyway makes its client library print a complaint of its own.
    if (std::getenv("SDL_VIDEODRIVER") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("no display available: DISPLAY is not set or cannot be opened (") +
                SDL_GetError() + ")";
        return false;
    }
    // Without a display SDL quietly falls back to drivers that show nothing.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || (std::strcmp(driver, "x11") != 0 && std::strcmp(driver, "wayland") != 0)) {
        error = std::string("no display available (DISPLAY is not set or cannot be opened; video driver '") +
                (driver ? driver : "none") + "')";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    initialised = true;
    return true;
}

// Each client pixel is shown as a scale x scale block.
constexpr int kMinScale = 1;
constexpr int kMaxScale = 4;

class WindowBackend final : public DialogBackend {
  public:
    explicit WindowBackend(int scale) : scale_(std::clamp(scale, kMinScale, kMaxScale)) {}

    bool Create(const std::string& caption, int x, int y, int clientWidth, int clientHeight,
                std::string& error) override {
        if (!VideoReady(error)) {
            return false;
        }
        const int left = x == -1 && y == -1 ? static_cast<int>(SDL_WINDOWPOS_CENTERED) : x;
        const int top = x == -1 && y == -1 ? static_cast<int>(SDL_WINDOWPOS_CENTERED) : y;
        clientWidth_ = std::max(clientWidth, 1);
        clientHeight_ = std::max(clientHeight, 1);
        window_ = SDL_CreateWindow(Latin1ToUtf8(caption).c_str(), left, top, clientWidth_ * scale_,
                                   clientHeight_ * scale_, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
        if (window_ == nullptr) {
            error = std::string("cannot create the window: ") + SDL_GetError();
            return false;
        }
        return true;
    }

    void Show() override {
        SDL_ShowWindow(window_);
        SDL_RaiseWindow(window_);
    }

    bool Visible() const override { return !hidden_; }

    std::int64_t Now() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    BackendEvent Wait(std::int64_t deadlineMs) override {
        SDL_Event event;
        // Sleep until an event or the deadline; never spin.
        int timeout = -1;
        if (deadlineMs >= 0) {
            timeout = static_cast<int>(std::clamp<std::int64_t>(deadlineMs - Now(), 0, 1 << 30));
        }
        const bool got =
            timeout < 0 ? SDL_WaitEvent(&event) != 0 : SDL_WaitEventTimeout(&event, timeout) != 0;
        if (!got) {
            return {};
        }
        return Translate(event);
    }

    void Present(const Surface& clientArea) override {
        // A minimised or hidden window shows nothing: the loop presents the whole
        // frame again when it comes back.
        SDL_Surface* screen = hidden_ ? nullptr : SDL_GetWindowSurface(window_);
        if (screen == nullptr) {
            return;
        }
        const ClientRect shown = Shown(clientArea, screen);
        if (screen->w > shown.width * scale_ || screen->h > shown.height * scale_) {
            // A maximised window shows the dialog's background colour beyond the layout.
            SDL_Rect whole{0, 0, screen->w, screen->h};
            SDL_FillRect(screen, &whole, SDL_MapRGB(screen->format, 0xF0, 0xF0, 0xF0));
        }
        CopyToScreen(clientArea, shown, screen);
        SDL_UpdateWindowSurface(window_);
    }

    // Converts and sends only the changed rectangles: a tick that changed one
    // display sends that display's pixels, not the whole client area.
    void PresentChanged(const Surface& clientArea, std::span<const ClientRect> changed) override {
        SDL_Surface* screen = hidden_ ? nullptr : SDL_GetWindowSurface(window_);
        if (screen == nullptr) {
            return;
        }
        const ClientRect shown = Shown(clientArea, screen);
        rects_.clear();
        for (const ClientRect& rect : changed) {
            const int left = std::max(rect.x, 0);
            const int top = std::max(rect.y, 0);
            const int right = std::min(rect.x + rect.width, shown.width);
            const int bottom = std::min(rect.y + rect.height, shown.height);
            if (left >= right || top >= bottom) {
                continue;
            }
            const ClientRect part{left, top, right - left, bottom - top};
            CopyToScreen(clientArea, part, screen);
            rects_.push_back({part.x * scale_, part.y * scale_, part.width * scale_, part.height * scale_});
        }
        if (!rects_.empty()) {
            SDL_UpdateWindowSurfaceRects(window_, rects_.data(), static_cast<int>(rects_.size()));
        }
    }

    void Destroy() override {
        if (window_ != nullptr) {
            SDL_DestroyWindow(window_);
            window_ = nullptr;
        }
    }

    ~WindowBackend() override { Destroy(); }

  private:
    // The part of the client area that the window's surface has room for.
    ClientRect Shown(const Surface& clientArea, const SDL_Surface* screen) const {
        return {0, 0, std::min(screen->w / scale_, clientArea.width()),
                std::min(screen->h / scale_, clientArea.height())};
    }

    // Converts a rectangle of the client area into the window's surface, each
    // pixel as a scale x scale block: a row widened, converted to the screen's
    // format once, then copied scale times.
    void CopyToScreen(const Surface& clientArea, ClientRect rect, SDL_Surface* screen) {
        if (rect.width <= 0 || rect.height <= 0) {
            return;
        }
        SDL_LockSurface(screen);
        const int bytes = screen->format->BytesPerPixel;
        auto* corner = static_cast<std::uint8_t*>(screen->pixels) +
                       static_cast<std::ptrdiff_t>(rect.y) * scale_ * screen->pitch +
                       static_cast<std::ptrdiff_t>(rect.x) * scale_ * bytes;
        if (scale_ == 1) {
            SDL_ConvertPixels(rect.width, rect.height, SDL_PIXELFORMAT_XRGB8888,
                              clientArea.row(rect.y) + rect.x, clientArea.stride() * 4,
                              screen->format->format, corner, screen->pitch);
            SDL_UnlockSurface(screen);
            return;
        }
        const int wide = rect.width * scale_;
        widened_.resize(static_cast<std::size_t>(wide));
        for (int y = 0; y < rect.height; ++y) {
            const Pixel* in = clientArea.row(rect.y + y) + rect.x;
            std::uint32_t* out = widened_.data();
            for (int x = 0; x < rect.width; ++x) {
                for (int k = 0; k < scale_; ++k) {
                    *out++ = in[x];
                }
            }
            std::uint8_t* first = corner + static_cast<std::ptrdiff_t>(y) * scale_ * screen->pitch;
            SDL_ConvertPixels(wide, 1, SDL_PIXELFORMAT_XRGB8888, widened_.data(), wide * 4,
                              screen->format->format, first, screen->pitch);
            for (int k = 1; k < scale_; ++k) {
                std::memcpy(first + static_cast<std::ptrdiff_t>(k) * screen->pitch, first,
                            static_cast<std::size_t>(wide) * bytes);
            }
        }
        SDL_UnlockSurface(screen);
    }

    // Ctrl+plus and Ctrl+minus: the window grows or shrinks by whole factors.
    BackendEvent Zoom(int step) {
        const int scale = std::clamp(scale_ + step, kMinScale, kMaxScale);
        if (scale == scale_) {
            return {};
        }
        scale_ = scale;
        SDL_SetWindowSize(window_, clientWidth_ * scale_, clientHeight_ * scale_);
        return {BackendEventKind::Exposed};
    }

    // The keys the window reports; any other is nothing to the loop.
    static BackendEvent Pressed(SDL_Keycode code) {
        const auto key = [code]() -> std::optional<Key> {
            switch (code) {
                case SDLK_ESCAPE:
                    return Key::Escape;
                case SDLK_RETURN:
                case SDLK_KP_ENTER:
                    return Key::Enter;
                case SDLK_SPACE:
                    return Key::Space;
                case SDLK_TAB:
                    return Key::Tab;
                case SDLK_BACKSPACE:
                    return Key::Backspace;
                case SDLK_LEFT:
                    return Key::Left;
                case SDLK_RIGHT:
                    return Key::Right;
                case SDLK_UP:
                    return Key::Up;
                case SDLK_DOWN:
                    return Key::Down;
                default:
                    return std::nullopt;
            }
        }();
        if (!key) {
            return {};
        }
        return {.kind = BackendEventKind::KeyPressed, .key = *key};
    }

    BackendEvent Translate(const SDL_Event& event) {
        switch (event.type) {
            case SDL_QUIT:
                return {BackendEventKind::Close};
            case SDL_KEYDOWN:
                if (event.key.keysym.sym == SDLK_F4 && (event.key.keysym.mod & KMOD_ALT) != 0) {
                    return {BackendEventKind::Close};
                }
                if ((event.key.keysym.mod & KMOD_CTRL) != 0) {
                    switch (event.key.keysym.sym) {
                        case SDLK_PLUS:
                        case SDLK_EQUALS:
                        case SDLK_KP_PLUS:
                            return Zoom(+1);
                        case SDLK_MINUS:
                        case SDLK_KP_MINUS:
                            return Zoom(-1);
                        default:
                            break;
                    }
                }
                return Pressed(event.key.keysym.sym);
            case SDL_MOUSEBUTTONUP:
                if (event.button.windowID != SDL_GetWindowID(window_) ||
                    event.button.button != SDL_BUTTON_LEFT) {
                    return {};
                }
                return {BackendEventKind::Click, event.button.x / scale_, event.button.y / scale_};
            case SDL_WINDOWEVENT:
                if (event.window.windowID != SDL_GetWindowID(window_)) {
                    return {};
                }
                switch (event.window.event) {
                    case SDL_WINDOWEVENT_CLOSE:
                        return {BackendEventKind::Close};
                    case SDL_WINDOWEVENT_SIZE_CHANGED:
                        return {BackendEventKind::Resized, event.window.data1 / scale_,
                                event.window.data2 / scale_};
                    case SDL_WINDOWEVENT_MINIMIZED:
                    case SDL_WINDOWEVENT_HIDDEN:
                        hidden_ = true;
                        return {};
                    case SDL_WINDOWEVENT_EXPOSED:
                    case SDL_WINDOWEVENT_SHOWN:
                    case SDL_WINDOWEVENT_RESTORED:
                    case SDL_WINDOWEVENT_MAXIMIZED:
                        hidden_ = false;
                        return {BackendEventKind::Exposed};
                    default:
                        return {};
                }
            default:
                return {};
        }
    }

    SDL_Window* window_ = nullptr;
    int scale_ = 1;
    int clientWidth_ = 1;
    int clientHeight_ = 1;
    bool hidden_ = false;
    std::vector<std::uint32_t> widened_;
    std::vector<SDL_Rect> rects_;
};

}  // namespace

std::unique_ptr<DialogBackend> MakeWindowBackend(int scale) {
    return std::make_unique<WindowBackend>(scale);
}

}  // namespace instruments

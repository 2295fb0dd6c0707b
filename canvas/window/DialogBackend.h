#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "instruments/Key.h"

namespace instruments {

class Surface;

// What the modal loop hears from its back-end while it waits.
enum class BackendEventKind {
    None,         // the wait ended at the deadline (or spuriously)
    Close,        // close box, Alt+F4, window manager close (no signal: those are the host's)
    Resized,      // the client area changed size
    Exposed,      // the window needs its whole client area shown again
    SpanElapsed,  // the headless back-end's virtual time ran out
    Click,        // the left mouse button went up at (x, y) of the client area
    KeyPressed    // one of the keys a back-end reports went down
};

// A rectangle of the client area: columns x .. x + width - 1, rows y .. y + height - 1.
struct ClientRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ClientRect&) const = default;
};

struct BackendEvent {
    BackendEventKind kind = BackendEventKind::None;
    int width = 0;  // Resized: the new size; Click: the position
    int height = 0;
    Key key = Key::Escape;  // KeyPressed: which
};

// The platform half of a dialog: a window on screen or a headless stand-in.
class DialogBackend {
  public:
    virtual ~DialogBackend() = default;
    // Creates the (hidden) window; false with a reason when there is none to be had.
    virtual bool Create(const std::string& caption, int x, int y, int clientWidth, int clientHeight,
                        std::string& error) = 0;
    virtual void Show() = 0;
    // False while nothing of the window can be seen (minimised or hidden): the
    // dialog then neither composes nor presents until the window is exposed.
    virtual bool Visible() const { return true; }
    // Milliseconds on the back-end's clock (real or virtual).
    virtual std::int64_t Now() = 0;
    // Waits for the next event, but not past deadlineMs (no deadline when negative).
    virtual BackendEvent Wait(std::int64_t deadlineMs) = 0;
    // Shows the whole composed client area.
    virtual void Present(const Surface& clientArea) = 0;
    // Shows the parts of the composed client area that changed since the last
    // present (each inside the client area, none empty); a back-end that cannot
    // show parts shows the whole.
    virtual void PresentChanged(const Surface& clientArea, std::span<const ClientRect> changed) {
        (void)changed;
        Present(clientArea);
    }
    virtual void Destroy() = 0;
};

}  // namespace instruments

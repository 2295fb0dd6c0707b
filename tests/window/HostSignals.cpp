// A host's signal dispositions survive the window back-end: the library
// installs no handler and changes none the host set. With SIGINT handled by
// the program and SIGTERM left at its default, opens a window (or fails to,
// without a display), and checks both while it is open and after it is gone.
//
//   window-host-signals [--need-window]
//
// Exit status 0 when the dispositions are intact, 1 when one changed, 77 when
// --need-window is given and no window could be made.

#include <signal.h>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "canvas/window/Dialog.h"
#include "canvas/window/DialogBackend.h"

namespace {

void HostHandler(int) {}

// What changed in the dispositions set at the start, or an empty string.
std::string Changed(std::string_view when) {
    struct sigaction interrupt {};
    struct sigaction terminate {};
    sigaction(SIGINT, nullptr, &interrupt);
    sigaction(SIGTERM, nullptr, &terminate);
    std::string changed;
    if (interrupt.sa_handler != HostHandler) {
        changed += std::string(when) + ": SIGINT no longer runs the program's handler\n";
    }
    if (terminate.sa_handler != SIG_DFL) {
        changed += std::string(when) + ": SIGTERM is no longer at its default\n";
    }
    return changed;
}

}  // namespace

int main(int argc, char** argv) {
    const bool needWindow = argc > 1 && std::string_view(argv[1]) == "--need-window";
    struct sigaction handled {};
    handled.sa_handler = HostHandler;
    sigemptyset(&handled.sa_mask);
    sigaction(SIGINT, &handled, nullptr);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigaction(SIGTERM, &byDefault, nullptr);

    std::string changed;
    {
        std::unique_ptr<instruments::DialogBackend> backend = instruments::MakeWindowBackend(1);
        std::string error;
        if (backend->Create("host signals", 0, 0, 64, 48, error)) {
            backend->Show();
            backend->Wait(backend->Now() + 100);
            changed += Changed("with the window open");
            backend->Destroy();
        } else if (needWindow) {
            std::fprintf(stderr, "window-host-signals: no window: %s\n", error.c_str());
            return 77;
        }
        changed += Changed("after the window closed");
    }
    changed += Changed("after the back-end was destroyed");
    if (!changed.empty()) {
        std::fprintf(stderr, "window-host-signals: %s", changed.c_str());
        return 1;
    }
    return 0;
}

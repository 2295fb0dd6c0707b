// Times the demo's start-up in a real window: from entering main to the first
// presented frame. Runs the program's own start-up and handler, then ends the
// dialog right after that first frame.
//
//   instruments-startup        (needs a display; run from assets/ for the pictures)

#include <chrono>
#include <cstdio>

#include "app/Demo.h"
#include "dialog/Dialogs.h"

int main() {
    const auto begin = std::chrono::steady_clock::now();
    dialog::UseWindowDialogs();
    bool reported = false;
    dialog::SetPresentListener([&](const instruments::Surface&) {
        if (reported) {
            return;
        }
        reported = true;
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
        std::printf("first frame presented after %.1f ms\n", ms);
        dialog::DialogEnd(app::mainDialog, 0);
    });
    if (app::StartUp() == 0) {
        std::fprintf(stderr, "instruments-startup: %s\n", dialog::LastDialogError().c_str());
        return 1;
    }
    dialog::DialogShowModal(app::mainDialog, app::DemoEventHandler);
    return reported ? 0 : 1;
}

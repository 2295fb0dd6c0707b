// The demo program: opens the window with the twelve instruments and animates
// them until the window is closed.

#include <cstdio>

#include "app/Demo.h"
#include "canvas/Dialog.h"

int main() {
    canvas::UseWindowDialogs();
    if (app::StartUp() == 0) {
        std::fprintf(stderr, "instruments: %s\n", canvas::LastDialogError().c_str());
        return 1;
    }
    canvas::DialogShowModal(app::mainDialog, app::DemoEventHandler);
    return 0;
}

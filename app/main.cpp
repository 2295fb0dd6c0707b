// The demo program: opens the window with the twelve instruments and animates
// them until the window is closed.

#include <cstdio>

#include "app/Demo.h"
#include "dialog/Dialogs.h"

int main() {
    dialog::UseWindowDialogs();
    if (app::StartUp() == 0) {
        std::fprintf(stderr, "instruments: %s\n", dialog::LastDialogError().c_str());
        return 1;
    }
    dialog::DialogShowModal(app::mainDialog, app::DemoEventHandler);
    return 0;
}

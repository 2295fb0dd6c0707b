// The module's classes, and its start: the demo reads its pictures by name
// from the working folder, which the build fills with them.

#include <emscripten/bind.h>
#include <malloc.h>
#include <unistd.h>

#include "web/module/Bindings.h"

EMSCRIPTEN_BINDINGS(instruments) {
    instruments::web::BindInstruments();
    instruments::web::BindCharacterLcd();
    instruments::web::BindDemo();
    // The bytes the module's allocator has handed out and not had back: what
    // the page tests watch for leaks.
    emscripten::function(
        "heapBytesInUse", +[] { return static_cast<double>(mallinfo().uordblks); });
}

int main() {
    return chdir("/assets") == 0 ? 0 : 1;
}

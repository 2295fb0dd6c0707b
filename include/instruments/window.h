#pragma once

// A window with graphic controls, timers and a modal event loop (SDL2), or a
// headless stand-in with virtual time for tests and tools.

#include "instruments/Control.h"
#include "instruments/Dialog.h"
#include "instruments/DialogBackend.h"
#include "instruments/instruments.h"

#pragma once

// A window (SDL2) showing instruments, with callbacks for clicks, keys, timers,
// resizes and closing, or a headless stand-in with virtual time for tests and
// tools.

#include "instruments/Key.h"
#include "instruments/Window.h"
#include "instruments/instruments.h"

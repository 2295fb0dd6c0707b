#pragma once

// INSTRUMENTS_API marks what the shared libraries export; the rest is built
// with hidden visibility. Static builds define INSTRUMENTS_STATIC (the CMake
// targets carry it to their users) and export nothing.
#if defined(INSTRUMENTS_STATIC)
#define INSTRUMENTS_API
#else
#define INSTRUMENTS_API __attribute__((visibility("default")))
#endif

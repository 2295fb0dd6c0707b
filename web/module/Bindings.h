#pragma once

// What the module's parts share: turning a page's option objects into
// settings, refusing values with a JavaScript error that names them, and the
// pixels as an ImageData.

#include <emscripten/val.h>

#include <cstdio>
#include <exception>
#include <string>

#include "instruments/Background.h"
#include "instruments/Colour.h"
#include "instruments/DotStyle.h"
#include "instruments/Frame.h"
#include "instruments/Geometry.h"
#include "instruments/Instrument.h"
#include "instruments/Surface.h"

namespace instruments::web {

// Throws a JavaScript RangeError with the message (the C++ frames are left as
// they are, so callers hold nothing that needs destroying).
[[noreturn]] void Refuse(const std::string& message);
[[noreturn]] void RefuseText(const char* message);

// Runs `make`, turning a SettingsError (or any other refusal) into a
// RangeError "what: reason" once the C++ exception is over.
template <typename Make>
auto Refusing(const char* what, Make make) -> decltype(make()) {
    char message[512];
    try {
        return make();
    } catch (const std::exception& error) {
        std::snprintf(message, sizeof message, "%s: %s", what, error.what());
    }
    RefuseText(message);
}

// The surface's pixels as a new ImageData (opaque RGBA).
emscripten::val ImageDataOf(const Surface& surface);
// Paints the instrument on a surface of its size and returns that as ImageData.
emscripten::val Render(Instrument& instrument);

// A page's option object: absent members keep the given defaults.
class Options {
  public:
    Options(const emscripten::val& object, const char* what);
    bool Has(const char* name) const;
    int Integer(const char* name, int fallback) const;
    double Number(const char* name, double fallback) const;
    bool Flag(const char* name, bool fallback) const;
    std::string Text(const char* name, const std::string& fallback) const;
    Colour ColourOf(const char* name, Colour fallback) const;
    ShadedColour Shaded(const char* name, const ShadedColour& fallback) const;
    instruments::Frame FrameOf(const char* name, const instruments::Frame& fallback) const;
    instruments::Background BackgroundOf(const char* name) const;
    BackgroundPattern Pattern(const char* name, BackgroundPattern fallback) const;
    DotStyle Dots(const char* name, DotStyle fallback) const;
    // size: [width, height] (or width and height members).
    Size SizeOf() const;
    emscripten::val Member(const char* name) const { return object_[name]; }

  private:
    std::string Name(const char* member) const;
    emscripten::val object_;
    std::string what_;
};

void BindInstruments();
void BindCharacterLcd();
void BindDemo();

}  // namespace instruments::web

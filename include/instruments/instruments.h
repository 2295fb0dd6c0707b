#pragma once

// Software-painted instrument faces: a dot-matrix text display, an analog
// clock, a needle level meter and a two-state switch, painted through a
// Painter onto a Surface the caller owns. No window system is needed; see
// <instruments/Window.h> for a window with an event loop.

#include "instruments/AnalogClock.h"
#include "instruments/CharacterLcd.h"
#include "instruments/Background.h"
#include "instruments/BarGraph.h"
#include "instruments/Colour.h"
#include "instruments/DotStyle.h"
#include "instruments/Face.h"
#include "instruments/FontStyle.h"
#include "instruments/Frame.h"
#include "instruments/GlyphCodes.h"
#include "instruments/GlyphTable.h"
#include "instruments/Instrument.h"
#include "instruments/Lamp.h"
#include "instruments/LevelMeter.h"
#include "instruments/LocalTime.h"
#include "instruments/Painter.h"
#include "instruments/Pixel.h"
#include "instruments/PixelBlock.h"
#include "instruments/SegmentDisplay.h"
#include "instruments/Png.h"
#include "instruments/SettingsError.h"
#include "instruments/Surface.h"
#include "instruments/Switch.h"
#include "instruments/TextDisplay.h"

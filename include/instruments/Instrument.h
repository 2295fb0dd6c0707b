#pragma once

#include "instruments/Export.h"
#include "instruments/Geometry.h"
#include "instruments/Painter.h"

namespace instruments {

// What every instrument is to a host: an object of a fixed size that holds its
// state, paints it through a painter at the painter's origin and inside its
// clip, and says which part of it changed since it was last painted.
//
// A setter that changes what the instrument shows marks the part it changes;
// one that changes nothing marks nothing. So a host that paints only what
// NeedsPaint() names repaints nothing while the state stays the same: this is
// the one "unchanged, skip" rule of every instrument.
//
//   if (clock.NeedsPaint()) {
//       instruments::PainterStateSaver saved(painter);
//       painter.Clip(place);
//       painter.Translate(place.origin());
//       clock.Paint(painter);
//   }
class INSTRUMENTS_API Instrument {
  public:
    virtual ~Instrument();

    Size size() const { return size_; }
    // The part that changed since the last Paint, in the instrument's own
    // coordinates (a new instrument is changed all over); empty when none.
    Rect Dirty() const { return dirty_; }
    bool NeedsPaint() const { return !dirty_.empty(); }
    // Marks the whole instrument changed, for a host whose pixels of it were
    // overwritten (a cleared buffer, a window shown again).
    void Invalidate() { dirty_ = Rect::At({}, size_); }

    // Paints the whole of the current state, (0, 0) at the painter's origin,
    // inside the painter's clip and the instrument's own rectangle; afterwards
    // nothing is dirty. The pixels inside the clip are those the instrument
    // paints on a surface of its own, and the same state gives the same pixels
    // every time. The painter's drawing state is kept.
    void Paint(Painter& painter);
    // Paints only when something changed since the last Paint; true when it painted.
    bool PaintIfChanged(Painter& painter);

  protected:
    explicit Instrument(Size size) : size_(size), dirty_(Rect::At({}, size)) {}
    Instrument(const Instrument&) = default;
    Instrument& operator=(const Instrument&) = default;

    // Adds a part (own coordinates, cut to the instrument) to what changed.
    void Invalidate(const Rect& area);
    // For an instrument that repaints its changes itself: nothing is changed.
    void MarkPainted() { dirty_ = {}; }
    // Paints the current state; called by Paint with a painter whose drawable
    // area is exactly the instrument, (0, 0) at its top-left corner.
    virtual void PaintState(Painter& painter) const = 0;

  private:
    Size size_;
    Rect dirty_;
};

}  // namespace instruments

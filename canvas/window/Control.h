#pragma once

#include <array>
#include <cstdint>

#include "instruments/Painter.h"
#include "instruments/Surface.h"

namespace instruments {

// Eight integer user slots; slot n is kept at index (n - 1) AND 7, so every
// number lands on one of the eight.
class UserSlots {
  public:
    std::intptr_t Get(int slot) const { return slots_[Index(slot)]; }
    void Set(int slot, std::intptr_t value) { slots_[Index(slot)] = value; }

  private:
    static std::size_t Index(int slot) { return (static_cast<unsigned>(slot) - 1u) & 7u; }
    std::array<std::intptr_t, 8> slots_{};
};

// When drawing on a face shows: on the next present after Redraw (buffered),
// or after every drawing operation (unbuffered).
enum class Buffering { Unbuffered, Buffered };

// A surface that the drawing operations can be aimed at, with the painter that
// keeps its drawing state: a graphic control's face, or an off-screen surface.
class Canvas {
  public:
    explicit Canvas(Surface initial = {}) : surface_(std::move(initial)), painter_(surface_) {}
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }
    Painter& painter() { return painter_; }
    const Painter& painter() const { return painter_; }

    Buffering buffering = Buffering::Buffered;

    // Marks the face for the next compose, and its dialog for a present.
    void Redraw() {
        redrawPending_ = true;
        if (ownerPresentPending_ != nullptr) {
            *ownerPresentPending_ = true;
        }
    }
    // After a drawing operation: an unbuffered face shows the change at once.
    void Drew() {
        if (buffering == Buffering::Unbuffered) {
            Redraw();
        }
    }

  private:
    friend class Dialog;
    Surface surface_;
    Painter painter_;
    bool redrawPending_ = false;
    bool* ownerPresentPending_ = nullptr;
};

// A graphic child control of a dialog: a borderless face at a place on the
// client area, with a style and eight user slots.
class Control {
  public:
    Control(int id, int x, int y, Surface face, std::uint32_t style)
        : id_(id), x_(x), y_(y), style_(style), canvas_(std::move(face)) {}

    int id() const { return id_; }
    int x() const { return x_; }
    int y() const { return y_; }
    std::uint32_t style() const { return style_; }
    UserSlots& user() { return user_; }
    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }

  private:
    int id_;
    int x_;
    int y_;
    std::uint32_t style_;
    UserSlots user_;
    Canvas canvas_;
};

}  // namespace instruments

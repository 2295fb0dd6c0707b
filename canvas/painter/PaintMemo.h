#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "instruments/Painter.h"
#include "instruments/PixelBlock.h"
#include "instruments/Surface.h"

namespace instruments {

// Whether a paint starts by overwriting every pixel of its surface (with a kept
// face), so that what it leaves does not depend on what was there before.
enum class FaceCover { Whole, Partial };

// Remembers a display's last paint on one painter, so that a repaint that
// would change nothing is skipped. A paint that first covers its whole surface
// leaves pixels and a drawing state that follow from its inputs and the state
// it starts from alone. When those are the same as last time and nothing has
// written to the surface since, painting again would leave everything as it is.
//
//   instruments::PaintMemo memo;
//   memo.Repaint(painter, key, cover, [&] { ...restore the face and draw... });
class PaintMemo {
  public:
    // Paints unless the repaint can be skipped; true when it painted. When it
    // skips, the painter's drawing state is set to what the last paint left,
    // as painting again would. `inputs` holds everything the paint reads
    // besides the painter: settings, face, text, time as drawn, and so on.
    template <typename Paint>
    bool Repaint(Painter& painter, std::string_view inputs, FaceCover cover, Paint&& paint) {
        if (Unchanged(painter, inputs)) {
            painter.RestoreState(after_);
            return false;
        }
        DrawingState before = painter.state();
        paint();
        Painted(painter, inputs, std::move(before), cover);
        return true;
    }
    // Makes the next Repaint paint.
    void Forget() { remembered_ = false; }

    // Whether a block restored with Painter::SetBits overwrites the whole surface.
    static FaceCover CoverOf(const PixelBlock& face, const Surface& surface) {
        return face.Valid() && face.width() >= surface.width() && face.height() >= surface.height()
                   ? FaceCover::Whole
                   : FaceCover::Partial;
    }

  private:
    bool Unchanged(const Painter& painter, std::string_view inputs) const;
    void Painted(const Painter& painter, std::string_view inputs, DrawingState before, FaceCover cover);

    bool remembered_ = false;
    std::string inputs_;
    Surface::Revision surface_;
    DrawingState before_;
    DrawingState after_;
};

// Appends the bytes of a number to a key of paint inputs. (Equal keys must mean
// equal inputs; a value with padding bytes could break that, so only numbers.)
template <typename T>
void AppendInput(std::string& key, T value) {
    static_assert(std::is_arithmetic_v<T> || std::is_enum_v<T>, "numbers only");
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    key.append(bytes, sizeof(T));
}
inline void AppendInput(std::string& key, std::string_view text) {
    AppendInput(key, text.size());
    key.append(text);
}

}  // namespace instruments

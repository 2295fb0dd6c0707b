#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "canvas/surface/Rounding.h"
#include "fuzz/FuzzChecks.h"
#include "fuzz/FuzzInput.h"
#include "instruments/Painter.h"
#include "instruments/PixelBlock.h"
#include "instruments/Surface.h"

namespace fuzz {

namespace {

using instruments::Colour;
using instruments::Painter;
using instruments::Pixel;
using instruments::PixelBlock;
using instruments::Surface;

constexpr int kMaxSide = 512;
constexpr int kMaxOperations = 24;
// The large surface of the clipping check reaches this far beyond the small one
// on every side: a multiple of the 8-pixel hatch period (hatches are fixed to
// the surface) and even, so ties still round the same way after the shift.
constexpr int kMargin = 64;
// Coordinates within this stay shiftable by kMargin without leaving int.
constexpr int kFar = 1 << 30;
constexpr Pixel kBackground = 0xA5C3E1;

// A real coordinate and whether shifting it by kMargin shifts its pixel by
// kMargin (not so past the int range, for NaN or infinities).
struct Coordinate {
    double value = 0.0;
    bool shiftable = true;
};

Coordinate TakeCoordinate(FuzzInput& in, int side) {
    const std::uint8_t kind = in.Byte();
    const double half = (kind & 0x80) != 0 ? 0.5 : 0.0;
    switch (kind % 8) {
        case 4:
            // Anywhere in (most of) the int range.
            return {static_cast<double>(static_cast<std::int32_t>(in.Word()) / 2) + half, true};
        case 5: {
            // Around the largest corner ellipses that are still drawn (2^18).
            const int sign = (kind & 0x40) != 0 ? -1 : 1;
            return {sign * (262144.0 + in.Between(-side, side)) + half, true};
        }
        case 6: {
            static constexpr double kEdges[] = {INT_MIN,      INT_MAX, -2147483648.5,
                                                2147483647.5, 4.0e9,   -1.0e300};
            return {kEdges[in.Byte() % std::size(kEdges)], false};
        }
        case 7: {
            static constexpr double kOdd[] = {std::numeric_limits<double>::quiet_NaN(),
                                              std::numeric_limits<double>::infinity(),
                                              -std::numeric_limits<double>::infinity(), 1.0e308};
            return {kOdd[in.Byte() % std::size(kOdd)], false};
        }
        default:
            // Near the surface.
            return {in.Between(-side, 2 * side) + half, true};
    }
}

instruments::Ink TakeColour(FuzzInput& in) {
    const std::uint8_t kind = in.Byte();
    if (kind % 4 == 0) {
        return instruments::Ink::Default();
    }
    if (kind % 4 == 1) {
        return instruments::Ink::None();
    }
    return static_cast<Colour>(in.Word());
}

double TakePenWidth(FuzzInput& in) {
    const std::uint8_t kind = in.Byte();
    switch (kind % 8) {
        case 0:
            return in.Between(0, 1);
        case 5:
            return in.Between(-100, 6000);
        case 6:
            return kind & 8 ? std::numeric_limits<double>::quiet_NaN() : 1.0e12;
        case 7:
            return in.Between(0, 400) + 0.5;
        default:
            return in.Between(2, 40);
    }
}

std::int32_t TakeCorner(FuzzInput& in) {
    const std::uint8_t kind = in.Byte();
    switch (kind % 6) {
        case 0:
            return instruments::kCornerEllipse;
        case 1:
            return in.Between(-5, 105);
        case 2:
            return static_cast<std::int32_t>(in.Word());
        default:
            return in.Between(0, 100);
    }
}

std::string Where(int x, int y) {
    return " at " + std::to_string(x) + "," + std::to_string(y);
}

// Pixels a shape may touch: columns left .. right - 1, rows top .. bottom - 1.
struct Bounds {
    std::int64_t left, top, right, bottom;
};

// Every pixel of after outside bounds must be as in before.
std::string SameOutside(const Surface& before, const Surface& after, const Bounds& bounds,
                        std::string_view what) {
    for (int y = 0; y < after.height(); ++y) {
        const bool rowInside = y >= bounds.top && y < bounds.bottom;
        for (int x = 0; x < after.width(); ++x) {
            if (rowInside && x >= bounds.left && x < bounds.right) {
                continue;
            }
            if (after.At(x, y) != before.At(x, y)) {
                return std::string(what) + " painted outside its bounds" + Where(x, y);
            }
        }
    }
    return {};
}

// A surface of the given size with a pattern from seed, to copy from.
Surface PatternSurface(int width, int height, std::uint32_t seed) {
    Surface surface(width, height);
    std::uint32_t state = seed | 1u;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            surface.SetPixel(x, y, (state >> 8) & 0xFFFFFFu);
        }
    }
    return surface;
}

// One run of the operations of an input. The same operations go to a painter
// on the small surface and, shifted by kMargin, to one on a surface larger on
// every side: the small one must then equal the middle of the large one.
class Session {
  public:
    Session(FuzzInput& in, int width, int height, bool checks)
        : in_(in),
          checks_(checks),
          small_(width, height, kBackground),
          large_(width + 2 * kMargin, height + 2 * kMargin, kBackground),
          smallPainter_(small_),
          largePainter_(large_) {
        largePainter_.SetPos(kMargin, kMargin);
    }

    const Surface& surface() const { return small_; }

    std::string Run() {
        for (int i = 0; i < kMaxOperations && failure_.empty(); ++i) {
            const std::uint8_t op = in_.Byte();
            if (op == 0xFF) {
                break;  // an explicit end, so that seeds can stop early
            }
            Operation(op % 14);
        }
        return failure_;
    }

  private:
    // Runs call on the small painter (timed) and, when shifted is given, the
    // shifted call on the large one; then checks the bounds and the window.
    template <typename Call>
    void Draw(std::string_view what, bool shiftable, std::optional<Bounds> bounds, Call&& call) {
        const bool positionInStep =
            largePainter_.state().x == std::int64_t{smallPainter_.state().x} + kMargin &&
            largePainter_.state().y == std::int64_t{smallPainter_.state().y} + kMargin;
        std::optional<Surface> before;
        if (checks_ && bounds) {
            before = small_;
        }
        Fail(Timed(what, [&] { call(smallPainter_, 0); }));
        if (!checks_) {
            return;
        }
        if (before) {
            Fail(SameOutside(*before, small_, *bounds, what));
        }
        if (shiftable && positionInStep) {
            call(largePainter_, kMargin);
            for (int y = 0; y < small_.height() && failure_.empty(); ++y) {
                for (int x = 0; x < small_.width(); ++x) {
                    if (small_.At(x, y) != large_.At(x + kMargin, y + kMargin)) {
                        Fail(std::string(what) + " differs from the same drawn on a larger surface" +
                             Where(x, y));
                        break;
                    }
                }
            }
        } else {
            Resync();
        }
    }

    // Puts the large painter back in step: the small surface in its middle and
    // the shifted position, when that position fits.
    void Resync() {
        large_.Blit(kMargin, kMargin, small_, 0, 0, small_.width(), small_.height());
        const auto& state = smallPainter_.state();
        if (state.x <= INT_MAX - kMargin && state.y <= INT_MAX - kMargin) {
            largePainter_.SetPos(state.x + kMargin, state.y + kMargin);
        }
    }

    void Fail(std::string message) {
        if (failure_.empty() && !message.empty()) {
            failure_ = std::move(message);
        }
    }

    // How far beyond its outline the current pen may paint.
    std::int64_t PenReach() const {
        const int width = smallPainter_.state().penWidth;
        return width <= 1 ? 0 : width / 2 + 2;
    }

    void Operation(int op) {
        const int side = std::max(small_.width(), small_.height());
        switch (op) {
            case 0: {
                const Coordinate x = TakeCoordinate(in_, side), y = TakeCoordinate(in_, side);
                Fail(Timed("SetPos", [&] { smallPainter_.SetPos(x.value, y.value); }));
                largePainter_.SetPos(x.value + kMargin, y.value + kMargin);
                break;
            }
            case 1: {
                const double width = TakePenWidth(in_);
                Fail(Timed("Width", [&] { smallPainter_.Width(width); }));
                largePainter_.Width(width);
                break;
            }
            case 2:
            case 3: {
                const instruments::Ink colour = TakeColour(in_);
                for (Painter* p : {&smallPainter_, &largePainter_}) {
                    Fail(Timed("Colour", [&] { op == 2 ? p->ColourFg(colour) : p->ColourBg(colour); }));
                }
                break;
            }
            case 4:
                Font();
                break;
            case 5:
                LineTo();
                break;
            case 6:
                Box();
                break;
            case 7: {
                const Coordinate x = TakeCoordinate(in_, side), y = TakeCoordinate(in_, side);
                const instruments::Ink colour = TakeColour(in_);
                const std::int64_t px = instruments::RoundHalfEven(x.value);
                const std::int64_t py = instruments::RoundHalfEven(y.value);
                Draw("SetPixel", x.shiftable && y.shiftable, Bounds{px, py, px + 1, py + 1},
                     [&](Painter& p, int shift) { p.SetPixel(x.value + shift, y.value + shift, colour); });
                break;
            }
            case 8:
                Print();
                break;
            case 9:
                Draw("PrintNewLine", true, std::nullopt, [&](Painter& p, int shift) {
                    p.PrintNewLine();
                    if (shift != 0) {
                        p.SetPos(shift, p.state().y);
                    }
                });
                break;
            case 10:
                Copy();
                break;
            case 11:
                Stretch();
                break;
            case 12:
                SetBits();
                break;
            default:
                GetBits();
                break;
        }
    }

    void Font() {
        static constexpr const char* kFaces[] = {
            "MS Sans Serif",   "Small Fonts", "Arial", "Courier New",
            "Times New Roman", "Symbol",      "",      "DejaVu Sans Mono"};
        static constexpr double kPoints[] = {1, 1.5, 2, 3, 4, 5, 6, 7, 8, 10, 12, 24, 72, 0, -3, 72.5};
        const std::uint8_t pick = in_.Byte();
        std::string face = kFaces[pick % std::size(kFaces)];
        if ((pick & 0x80) != 0) {
            face = std::string(in_.Text(40));
        }
        const std::uint8_t size = in_.Byte();
        double points = kPoints[size % std::size(kPoints)];
        if ((size & 0xC0) == 0xC0) {
            points = std::numeric_limits<double>::quiet_NaN();
        }
        const int style = static_cast<int>(in_.Byte()) - 16;
        Fail(Timed("Font", [&] { smallPainter_.Font(face, points, style); }));
        largePainter_.Font(face, points, style);
    }

    void LineTo() {
        const int side = std::max(small_.width(), small_.height());
        const Coordinate x = TakeCoordinate(in_, side), y = TakeCoordinate(in_, side);
        const instruments::Ink colour = TakeColour(in_);
        const bool relative = (in_.Byte() & 1) != 0;
        const auto mode = relative ? instruments::LineMode::Relative : instruments::LineMode::Absolute;
        const auto& state = smallPainter_.state();
        std::int64_t endX = instruments::RoundHalfEven(x.value);
        std::int64_t endY = instruments::RoundHalfEven(y.value);
        if (relative) {
            endX = instruments::ClampToInt(state.x + endX);
            endY = instruments::ClampToInt(state.y + endY);
        }
        const std::int64_t reach = PenReach();
        const Bounds bounds{std::min<std::int64_t>(state.x, endX) - reach,
                            std::min<std::int64_t>(state.y, endY) - reach,
                            std::max<std::int64_t>(state.x, endX) + reach + 1,
                            std::max<std::int64_t>(state.y, endY) + reach + 1};
        const bool shiftable = x.shiftable && y.shiftable && std::abs(endX) < kFar && std::abs(endY) < kFar;
        // A relative line moves by the same amount on both surfaces.
        Draw("LineTo", shiftable, bounds, [&](Painter& p, int shift) {
            const int move = relative ? 0 : shift;
            p.LineTo(x.value + move, y.value + move, colour, mode);
        });
    }

    void Box() {
        const int side = std::max(small_.width(), small_.height());
        const Coordinate x1 = TakeCoordinate(in_, side), y1 = TakeCoordinate(in_, side);
        const Coordinate x2 = TakeCoordinate(in_, side), y2 = TakeCoordinate(in_, side);
        const std::int32_t corner = TakeCorner(in_);
        const instruments::Ink line = TakeColour(in_);
        const instruments::Ink fill = TakeColour(in_);
        const auto style = instruments::FillStyleOf(in_.Byte() % 8);
        const std::int64_t l = instruments::RoundHalfEven(x1.value), r = instruments::RoundHalfEven(x2.value);
        const std::int64_t t = instruments::RoundHalfEven(y1.value), b = instruments::RoundHalfEven(y2.value);
        const std::int64_t reach = PenReach();
        const Bounds bounds{std::min(l, r) - reach, std::min(t, b) - reach, std::max(l, r) + reach,
                            std::max(t, b) + reach};
        const bool shiftable = x1.shiftable && y1.shiftable && x2.shiftable && y2.shiftable;
        Draw("Box", shiftable, bounds, [&](Painter& p, int shift) {
            p.Box(x1.value + shift, y1.value + shift, x2.value + shift, y2.value + shift, corner, line, fill,
                  style);
        });
    }

    void Print() {
        const std::string text(in_.Text(200));
        const auto& state = smallPainter_.state();
        const instruments::Size size = smallPainter_.TextSize(text);
        // The text's pixels stay in its cell: the text size at the position.
        const Bounds bounds{state.x, state.y, std::int64_t{state.x} + size.width,
                            std::int64_t{state.y} + size.height};
        const bool shiftable = std::abs(state.x) < kFar && std::abs(state.y) < kFar;
        const int before = state.x;
        const std::string what = "Print of " + std::to_string(text.size()) + " characters in a cell of " +
                                 std::to_string(size.width) + " x " + std::to_string(size.height) +
                                 Where(state.x, state.y);
        Draw(what, shiftable, bounds, [&](Painter& p, int) { p.Print(text); });
        if (checks_ &&
            smallPainter_.state().x != instruments::ClampToInt(std::int64_t{before} + size.width)) {
            Fail("Print did not advance by the text width");
        }
    }

    void Copy() {
        static constexpr instruments::RasterOperation kOperations[] = {
            instruments::RasterOperation::SourceCopy,
            instruments::RasterOperation::SourceAnd,
            instruments::RasterOperation::SourcePaint,
            instruments::RasterOperation::SourceInvert,
            instruments::RasterOperation::NotSourceCopy,
            instruments::RasterOperation::Blackness,
            instruments::RasterOperation::Whiteness,
            static_cast<instruments::RasterOperation>(0x12345678)};
        const std::uint8_t pick = in_.Byte();
        const auto operation = kOperations[pick % std::size(kOperations)];
        const bool self = (pick & 0x80) != 0;
        const Surface other = PatternSurface(in_.Between(0, small_.width() + 8),
                                             in_.Between(0, small_.height() + 8), in_.Word());
        const Surface before = small_;
        const Surface& source = self ? small_ : other;
        const int width = std::min(source.width(), small_.width());
        const int height = std::min(source.height(), small_.height());
        Fail(Timed("Copy", [&] { smallPainter_.Copy(source, operation); }));
        if (checks_) {
            Fail(SameOutside(before, small_, {0, 0, width, height}, "Copy"));
            if (operation == instruments::RasterOperation::SourceCopy) {
                for (int y = 0; y < height && failure_.empty(); ++y) {
                    if (std::memcmp(small_.row(y), source.row(y),
                                    sizeof(Pixel) * static_cast<std::size_t>(width))) {
                        Fail("Copy of a source block is not that block in row " + std::to_string(y));
                    }
                }
            }
        }
        // Inverting with the same source twice gives back what was there.
        if (operation == instruments::RasterOperation::SourceInvert && !self) {
            Fail(Timed("Copy", [&] { smallPainter_.Copy(source, operation); }));
            if (checks_ && !small_.SamePixels(before)) {
                Fail("Copy with SourceInvert twice changed the surface");
            }
        }
        Resync();
    }

    void Stretch() {
        const int side = std::max(small_.width(), small_.height());
        const bool self = (in_.Byte() & 1) != 0;
        const Surface other =
            PatternSurface(in_.Between(0, 2 * side + 1), in_.Between(0, 2 * side + 1), in_.Word());
        Coordinate c[8];
        for (Coordinate& coordinate : c) {
            coordinate = TakeCoordinate(in_, side);
        }
        const std::uint8_t mixPick = in_.Byte();
        const int mix = mixPick < 0xC0 ? mixPick % 17 : static_cast<int>(in_.Word());
        const Surface before = small_;
        const Surface& source = self ? before : other;
        Fail(Timed("Stretch", [&] {
            smallPainter_.Stretch(self ? small_ : other, c[0].value, c[1].value, c[2].value, c[3].value,
                                  c[4].value, c[5].value, c[6].value, c[7].value, mix);
        }));
        if (checks_) {
            auto corner = [&](int i) { return std::int64_t{instruments::RoundHalfEven(c[i].value)}; };
            const Bounds target{corner(4), corner(5), corner(6) + 1, corner(7) + 1};
            Fail(SameOutside(before, small_, target, "Stretch"));
            // A stretch to the same size, from within the source, with no mix is a copy.
            const bool sameSize = corner(2) - corner(0) == corner(6) - corner(4) &&
                                  corner(3) - corner(1) == corner(7) - corner(5);
            const bool within = corner(0) >= 0 && corner(1) >= 0 && corner(2) < source.width() &&
                                corner(3) < source.height() && corner(0) <= corner(2) &&
                                corner(1) <= corner(3);
            const bool plain = mix < 0 || mix > 15;
            if (sameSize && within && plain) {
                for (std::int64_t y = std::max<std::int64_t>(target.top, 0);
                     y < std::min<std::int64_t>(target.bottom, small_.height()) && failure_.empty(); ++y) {
                    for (std::int64_t x = std::max<std::int64_t>(target.left, 0);
                         x < std::min<std::int64_t>(target.right, small_.width()); ++x) {
                        const int sx = static_cast<int>(corner(0) + x - target.left);
                        const int sy = static_cast<int>(corner(1) + y - target.top);
                        if (small_.At(static_cast<int>(x), static_cast<int>(y)) != source.At(sx, sy)) {
                            Fail("a same-size Stretch is not a copy" +
                                 Where(static_cast<int>(x), static_cast<int>(y)));
                            break;
                        }
                    }
                }
            }
        }
        Resync();
    }

    void SetBits() {
        const std::uint8_t kind = in_.Byte();
        std::int32_t width = in_.Between(0, small_.width() + 4);
        std::int32_t height = in_.Between(0, small_.height() + 4);
        if (kind % 8 == 7) {
            width = static_cast<std::int32_t>(in_.Word());
        }
        if (kind % 8 == 6) {
            height = static_cast<std::int32_t>(in_.Word());
        }
        std::int64_t length = 8;
        if (width > 0 && height > 0 &&
            std::int64_t{width} * height <= std::int64_t{kMaxSide + 4} * (kMaxSide + 4)) {
            length += 4 * std::int64_t{width} * height;
        }
        // Mostly the length the header asks for, sometimes a little off.
        static constexpr int kOff[] = {0, 0, 0, 0, -1, 1, -4, 4, -8, 3};
        length = std::max<std::int64_t>(0, length + kOff[(kind >> 3) % std::size(kOff)]);
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<std::uint8_t>(i * 37 + kind);
        }
        for (int i = 0; i < 4 && bytes.size() >= 8; ++i) {
            bytes[static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(width) >> (8 * i));
            bytes[static_cast<std::size_t>(4 + i)] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(height) >> (8 * i));
        }
        const PixelBlock block = PixelBlock::FromBytes(bytes);
        const Surface before = small_;
        Fail(Timed("SetBits", [&] { smallPainter_.SetBits(block); }));
        if (checks_) {
            if (!block.Valid()) {
                if (!small_.SamePixels(before)) {
                    Fail("SetBits wrote a block whose length does not match its header");
                }
            } else {
                const int w = std::min(block.width(), small_.width());
                const int h = std::min(block.height(), small_.height());
                Fail(SameOutside(before, small_, {0, 0, w, h}, "SetBits"));
                for (int y = 0; y < h && failure_.empty(); ++y) {
                    for (int x = 0; x < w; ++x) {
                        if (small_.At(x, y) !=
                            block.pixels()[static_cast<std::size_t>(y) * block.width() + x]) {
                            Fail("SetBits did not write the block" + Where(x, y));
                            break;
                        }
                    }
                }
            }
        }
        Resync();
    }

    void GetBits() {
        PixelBlock block;
        Fail(Timed("GetBits", [&] { block = smallPainter_.GetBits(); }));
        if (!checks_) {
            return;
        }
        if (!block.Valid() || block.width() != small_.width() || block.height() != small_.height()) {
            Fail("GetBits gave a block of " + std::to_string(block.width()) + " x " +
                 std::to_string(block.height()));
            return;
        }
        for (int y = 0; y < small_.height(); ++y) {
            if (std::memcmp(block.pixels() + static_cast<std::size_t>(y) * small_.width(), small_.row(y),
                            sizeof(Pixel) * static_cast<std::size_t>(small_.width())) != 0) {
                Fail("GetBits differs from the surface in row " + std::to_string(y));
                return;
            }
        }
    }

    FuzzInput& in_;
    bool checks_;
    Surface small_;
    Surface large_;
    Painter smallPainter_;
    Painter largePainter_;
    std::string failure_;
};

}  // namespace

std::string CheckPainter(std::span<const std::uint8_t> input) {
    // Opens the default font (and with it the font configuration) before any timed call.
    (void)instruments::DefaultFont();
    FuzzInput header(input);
    const std::uint8_t sizes = header.Byte();
    // Mostly small surfaces; sometimes up to kMaxSide, and now and then none at all.
    const int limit = (sizes & 0x80) != 0 ? kMaxSide : 48;
    int width = header.Between(1, limit);
    int height = header.Between(1, limit);
    if (sizes % 32 == 0) {
        width = 0;
    } else if (sizes % 32 == 1) {
        height = 0;
    }
    const std::size_t used = std::min<std::size_t>(input.size(), 9);

    FuzzInput first(input.subspan(used));
    Session checked(first, width, height, true);
    if (std::string failure = checked.Run(); !failure.empty()) {
        return failure;
    }
    // The same operations again on new surfaces give the same pixels.
    FuzzInput second(input.subspan(used));
    Session again(second, width, height, false);
    if (std::string failure = again.Run(); !failure.empty()) {
        return failure;
    }
    if (!again.surface().SamePixels(checked.surface())) {
        return "the same operations painted twice gave two surfaces";
    }
    return {};
}

}  // namespace fuzz

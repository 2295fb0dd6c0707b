// Every raster operation of Copy and every mix of Stretch on one source and
// destination pixel. The blue bytes 0xCC and 0xAA hold all four combinations of
// a source bit and a destination bit, so each operation gives its own result.

#include <gtest/gtest.h>

#include <cstdint>

#include "dialog/Canvas.h"
#include "dialog/Dialogs.h"
#include "instruments/Surface.h"

namespace dialog {
namespace {

using namespace instruments;
using dialog::Buffering;
using dialog::Source;

constexpr Colour kSource = 0xF0F0CC;
constexpr Colour kDestination = 0xFF00AA;

class RasterOperationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessDialogs({});
        dialog_ = DialogNew(kDialogPixels, 0, "test", -1, -1, 100, 100, 0, 0);
        ASSERT_NE(dialog_, 0);
        ASSERT_TRUE(ControlAddGraphic(dialog_, kSourceId, "", 0, 0, 1, 1, 0));
        ASSERT_TRUE(ControlAddGraphic(dialog_, kTargetId, "", 10, 0, 1, 1, 0));
        ASSERT_TRUE(Attach(dialog_, kSourceId, Buffering::Buffered));
        SetPixel(0, 0, kSource);
    }
    void TearDown() override { DialogEnd(dialog_, 0); }

    // Makes the one-pixel target current, holding the destination pixel again.
    void ResetTarget() {
        ASSERT_TRUE(Attach(dialog_, kTargetId, Buffering::Buffered));
        SetPixel(0, 0, kDestination);
    }
    Pixel Result() const { return ControlSurface(dialog_, kTargetId)->At(0, 0); }
    Source From() const { return Source::Control(dialog_, kSourceId); }

    static constexpr int kSourceId = 1;
    static constexpr int kTargetId = 2;
    DialogHandle dialog_ = 0;
};

TEST_F(RasterOperationTest, EveryCopyCode) {
    struct Case {
        const char* name;
        int code;
        Colour expected;
    };
    const Case cases[] = {
        {"source copy", kRopSourceCopy, 0xF0F0CC},  // S
        {"source and", 0x008800C6, 0xF00088},       // S & D
        {"source paint", 0x00EE0086, 0xFFF0EE},     // S | D
        {"source invert", 0x00660046, 0x0FF066},    // S ^ D
        {"not source copy", 0x00330008, 0x0F0F33},  // ~S
        {"blackness", 0x00000042, 0x000000},       {"whiteness", 0x00FF0062, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        ResetTarget();
        Copy(From(), c.code);
        EXPECT_EQ(Result(), PixelFromColour(c.expected)) << c.name;
    }
}

// Mix m is a truth table: bit (2S + D) of m is the result for source bit S and
// destination bit D.
TEST_F(RasterOperationTest, EveryStretchMix) {
    const Colour expected[16] = {
        0x000000,  //  0: black
        0x000F11,  //  1: ~(S | D)
        0x0F0022,  //  2: ~S & D
        0x0F0F33,  //  3: ~S
        0x00F044,  //  4: S & ~D
        0x00FF55,  //  5: ~D
        0x0FF066,  //  6: S ^ D
        0x0FFF77,  //  7: ~(S & D)
        0xF00088,  //  8: S & D
        0xF00F99,  //  9: ~(S ^ D)
        0xFF00AA,  // 10: D
        0xFF0FBB,  // 11: ~S | D
        0xF0F0CC,  // 12: S
        0xF0FFDD,  // 13: S | ~D
        0xFFF0EE,  // 14: S | D
        0xFFFFFF,  // 15: white
    };
    for (int mix = 0; mix < 16; ++mix) {
        ResetTarget();
        Stretch(From(), 0, 0, 0, 0, 0, 0, 0, 0, mix);
        EXPECT_EQ(Result(), PixelFromColour(expected[mix])) << "mix " << mix;
    }
    // Anything above 15 is the plain copy.
    for (int mix : {16, 255, INT32_MAX}) {
        ResetTarget();
        Stretch(From(), 0, 0, 0, 0, 0, 0, 0, 0, mix);
        EXPECT_EQ(Result(), PixelFromColour(kSource)) << "mix " << mix;
    }
}

}  // namespace
}  // namespace dialog

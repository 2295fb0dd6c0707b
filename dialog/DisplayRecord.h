#pragma once

#include <cstdint>
#include <vector>

#include "dialog/FixedText.h"
#include "instruments/Pixel.h"
#include "instruments/PixelBlock.h"

namespace dialog {

// The settings of one instrument control, indexed by its control id.
struct DisplayRecord {
    std::int32_t frameWidth = 0;
    FixedText<20> frameColour;
    float value = 0.0f;
    std::int16_t captionSize = 0;
    FixedText<20> label;
    instruments::Colour inkColour = 0;
    FixedText<32> styleWords;
    FixedText<20> backColour;
    std::int32_t backStyle = 0;
};

// Control ids run from 0 to kMaxDisplayId inclusive.
inline constexpr int kMaxDisplayId = 10000;
inline constexpr int kDisplayCount = kMaxDisplayId + 1;

inline bool ValidDisplayId(int id) {
    return id >= 0 && id <= kMaxDisplayId;
}

// The record of every control id, allocated zero-filled at start-up.
extern std::vector<DisplayRecord> DisplayTable;
// The kept painted face of every control id; empty until the first display is
// created, and an empty block means that no copy exists.
extern std::vector<instruments::PixelBlock> BackgroundTable;

// Allocates DisplayTable for ids 0..10000 with every record zero.
void AllocateDisplayTable();
// Makes sure BackgroundTable has ids 0..10000, keeping what it holds.
void EnsureBackgroundTable();
// The record of an id, or null for an id outside 0..10000 (or before allocation):
// callers then paint nothing and write nothing.
DisplayRecord* RecordOf(int id);
// The background copy of an id, or null when the id is outside 0..10000 or the
// table does not exist yet.
instruments::PixelBlock* BackgroundOf(int id);

}  // namespace dialog

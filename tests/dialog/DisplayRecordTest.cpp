#include <gtest/gtest.h>

#include "dialog/DisplayRecord.h"

namespace dialog {
namespace {

TEST(FixedText, StoringPadsWithSpacesAndCutsToTheWidth) {
    FixedText<32> style;
    style.Store("unto vuoto cerchio");
    EXPECT_EQ(style.View(), std::string("unto vuoto cerchio") + std::string(14, ' '));
    EXPECT_EQ(style.Trimmed(), "unto vuoto cerchio");

    FixedText<20> colour;
    colour.Store("abcdefghijklmnopqrstuvwxy");
    EXPECT_EQ(colour.View(), "abcdefghijklmnopqrst");
}

TEST(FixedText, NeverWrittenHoldsZeroBytesAndTrimmingKeepsThem) {
    FixedText<20> label;
    EXPECT_EQ(label.View(), std::string(20, '\0'));
    FixedText<20> blank;
    blank.Store(" ");
    EXPECT_EQ(blank.View(), std::string(20, ' '));
    EXPECT_TRUE(blank.Trimmed().empty());
}

TEST(DisplayTable, EveryIdReadsAsZerosAndIdsOutsideTheTableAreRefused) {
    AllocateDisplayTable();
    ASSERT_NE(RecordOf(0), nullptr);
    ASSERT_NE(RecordOf(kMaxDisplayId), nullptr);
    EXPECT_EQ(RecordOf(-1), nullptr);
    EXPECT_EQ(RecordOf(kMaxDisplayId + 1), nullptr);

    const DisplayRecord* record = RecordOf(208);
    EXPECT_EQ(record->frameWidth, 0);
    EXPECT_EQ(record->inkColour, 0);
    EXPECT_EQ(record->backStyle, 0);
    EXPECT_EQ(record->styleWords.View(), std::string(32, '\0'));
}

TEST(BackgroundTable, GrowingKeepsEarlierCopies) {
    BackgroundTable.clear();
    EXPECT_EQ(BackgroundOf(207), nullptr);
    EnsureBackgroundTable();
    const std::uint8_t bytes[] = {1, 0, 0, 0, 1, 0, 0, 0, 9, 8, 7, 0};
    *BackgroundOf(207) = instruments::PixelBlock::FromBytes(bytes);
    EnsureBackgroundTable();
    EXPECT_EQ(BackgroundOf(207)->size(), sizeof bytes);
    EXPECT_TRUE(BackgroundOf(208)->empty());
    EXPECT_EQ(BackgroundOf(10001), nullptr);
}

}  // namespace
}  // namespace dialog

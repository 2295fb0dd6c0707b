#include "dialog/DisplayRecord.h"

namespace dialog {

std::vector<DisplayRecord> DisplayTable;
std::vector<instruments::PixelBlock> BackgroundTable;

void AllocateDisplayTable() {
    DisplayTable.assign(kDisplayCount, DisplayRecord{});
}

void EnsureBackgroundTable() {
    if (BackgroundTable.size() != kDisplayCount) {
        BackgroundTable.resize(kDisplayCount);
    }
}

DisplayRecord* RecordOf(int id) {
    if (!ValidDisplayId(id) || DisplayTable.size() != kDisplayCount) {
        return nullptr;
    }
    return &DisplayTable[static_cast<std::size_t>(id)];
}

instruments::PixelBlock* BackgroundOf(int id) {
    if (!ValidDisplayId(id) || BackgroundTable.size() != kDisplayCount) {
        return nullptr;
    }
    return &BackgroundTable[static_cast<std::size_t>(id)];
}

}  // namespace dialog

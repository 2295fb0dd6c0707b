#include "canvas/bitmap/StretchBlackOnWhite.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace instruments::bitmap {

namespace {

// The source indices (in surface coordinates, first .. last - 1) that make up
// one destination index.
struct SourceRange {
    int first = 0;
    int last = 0;
    bool empty() const { return first >= last; }
};

// The first source index (relative to the source rectangle) that a shrink from
// S to D maps onto destination index d or beyond: the least s with
// floor(((2s+1)D - 1) / 2S) >= d. Every product stays below 2^63 because all
// factors are below 2^31.
std::int64_t FirstSourceOf(std::int64_t d, std::int64_t S, std::int64_t D) {
    const std::int64_t numerator = 2 * S * d + 1 - D;
    if (numerator <= 0) {
        return 0;
    }
    return (numerator + 2 * D - 1) / (2 * D);
}

// One axis: the source range of every destination index in [d0, d1).
std::vector<SourceRange> AxisTable(std::int64_t sourceStart, std::int64_t S, std::int64_t D, std::int64_t d0,
                                   std::int64_t d1, int sourceSize) {
    std::vector<SourceRange> table;
    table.reserve(static_cast<std::size_t>(d1 - d0));
    for (std::int64_t d = d0; d < d1; ++d) {
        std::int64_t first = 0;
        std::int64_t last = 0;
        if (D >= S) {
            first = ((2 * d + 1) * S - 1) / (2 * D);
            last = first + 1;
        } else {
            first = FirstSourceOf(d, S, D);
            last = FirstSourceOf(d + 1, S, D);
        }
        first = sourceStart + first;
        last = sourceStart + last;
        if (last <= 0) {
            // Wholly before the surface: the first pixel stands in.
            table.push_back({0, 1});
        } else if (first >= sourceSize) {
            // Wholly past the surface: the last pixel stands in.
            table.push_back({sourceSize - 1, sourceSize});
        } else {
            table.push_back({static_cast<int>(std::max<std::int64_t>(first, 0)),
                             static_cast<int>(std::min<std::int64_t>(last, sourceSize))});
        }
    }
    return table;
}

Pixel AndOfBlock(const Surface& source, SourceRange rows, SourceRange columns) {
    Pixel value = ~Pixel{0};
    for (int y = rows.first; y < rows.last; ++y) {
        const Pixel* row = source.row(y);
        for (int x = columns.first; x < columns.last; ++x) {
            value &= row[x];
        }
    }
    return value;
}

// One destination row's worth of source pixels: each column the AND of its
// block of the line (destination columns with no source stay as they are).
void ReduceLine(const Pixel* line, const std::vector<SourceRange>& columns, bool singleColumns, Pixel* out) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const SourceRange c = columns[i];
        if (c.empty()) {
            continue;
        }
        if (singleColumns) {
            out[i] = line[c.first];
            continue;
        }
        Pixel value = ~Pixel{0};
        for (int x = c.first; x < c.last; ++x) {
            value &= line[x];
        }
        out[i] = value;
    }
}

bool AllSingle(const std::vector<SourceRange>& ranges) {
    return std::all_of(ranges.begin(), ranges.end(), [](SourceRange r) { return r.last - r.first <= 1; });
}

// The source ranges of the target columns and rows that land on the
// destination, and where the first of them lands.
struct AxisTables {
    int outX = 0;  // destination column of columns[0]
    int outY = 0;  // destination row of rows[0]
    std::vector<SourceRange> columns;
    std::vector<SourceRange> rows;
    // Without a shrink across, every target pixel of a row is one source pixel.
    bool singleColumns = true;
};

// The tables of source block (sx, sy, sw, sh) of a sourceWidth x sourceHeight
// source scaled to (dx, dy, dw, dh) on the destination; nullopt when nothing
// of the target lands on it.
std::optional<AxisTables> TablesFor(int sx, int sy, int sw, int sh, int sourceWidth, int sourceHeight,
                                    const Surface& destination, int dx, int dy, int dw, int dh) {
    const std::int64_t c0 = std::max<std::int64_t>(0, -std::int64_t{dx});
    const std::int64_t c1 = std::min<std::int64_t>(dw, std::int64_t{destination.width()} - dx);
    const std::int64_t r0 = std::max<std::int64_t>(0, -std::int64_t{dy});
    const std::int64_t r1 = std::min<std::int64_t>(dh, std::int64_t{destination.height()} - dy);
    if (c0 >= c1 || r0 >= r1) {
        return std::nullopt;
    }
    AxisTables tables;
    tables.outX = static_cast<int>(dx + c0);
    tables.outY = static_cast<int>(dy + r0);
    tables.columns = AxisTable(sx, sw, dw, c0, c1, sourceWidth);
    tables.rows = AxisTable(sy, sh, dh, r0, r1, sourceHeight);
    tables.singleColumns = AllSingle(tables.columns);
    return tables;
}

// What StretchRows keeps for one target.
struct RowPlan : AxisTables {
    Surface* destination = nullptr;
    std::size_t next = 0;  // rows before this one have all their source rows
    std::vector<Pixel> reduced;
};

std::optional<RowPlan> PlanOf(const RowSource& source, const StretchTarget& target) {
    Surface* destination = target.destination;
    if (destination == nullptr || destination->empty() || target.dw <= 0 || target.dh <= 0) {
        return std::nullopt;
    }
    std::optional<AxisTables> tables =
        TablesFor(0, 0, source.width(), source.height(), source.width(), source.height(), *destination,
                  target.dx, target.dy, target.dw, target.dh);
    if (!tables) {
        return std::nullopt;
    }
    RowPlan plan;
    static_cast<AxisTables&>(plan) = std::move(*tables);
    plan.destination = destination;
    plan.reduced.resize(plan.columns.size());
    return plan;
}

}  // namespace

void StretchRows(const RowSource& source, std::span<const StretchTarget> targets) {
    const int width = source.width();
    const int height = source.height();
    if (width <= 0 || height <= 0) {
        return;
    }
    std::vector<RowPlan> plans;
    for (const StretchTarget& target : targets) {
        if (std::optional<RowPlan> plan = PlanOf(source, target)) {
            plans.push_back(std::move(*plan));
        }
    }
    std::vector<Pixel> line(static_cast<std::size_t>(width));
    std::span<const std::uint8_t> previous;
    for (int y = 0; y < height && !plans.empty(); ++y) {
        const std::span<const std::uint8_t> stored = source.StoredRow(y);
        const bool repeat = y > 0 && stored.size() == previous.size() &&
                            std::memcmp(stored.data(), previous.data(), stored.size()) == 0;
        previous = stored;
        bool read = false;
        for (RowPlan& plan : plans) {
            while (plan.next < plan.rows.size() && plan.rows[plan.next].last <= y) {
                ++plan.next;
            }
            bool reduced = false;
            // Source ranges only move forward, so the rows that take row y follow
            // one another from plan.next on.
            for (std::size_t k = plan.next; k < plan.rows.size() && plan.rows[k].first <= y; ++k) {
                const bool opens = plan.rows[k].first == y;
                // A repeated row adds nothing to a block that already holds its twin.
                if (plan.rows[k].empty() || (repeat && !opens)) {
                    continue;
                }
                if (!read) {
                    source.ReadRow(y, line.data());
                    read = true;
                }
                if (!reduced) {
                    ReduceLine(line.data(), plan.columns, plan.singleColumns, plan.reduced.data());
                    reduced = true;
                }
                Pixel* out = plan.destination->mutableRow(plan.outY + static_cast<int>(k)) + plan.outX;
                for (std::size_t i = 0; i < plan.columns.size(); ++i) {
                    if (!plan.columns[i].empty()) {
                        out[i] = opens ? plan.reduced[i] : (out[i] & plan.reduced[i]);
                    }
                }
            }
        }
        std::erase_if(plans, [](const RowPlan& plan) { return plan.next >= plan.rows.size(); });
    }
}

void StretchBlackOnWhite(const Surface& source, int sx, int sy, int sw, int sh, Surface& destination, int dx,
                         int dy, int dw, int dh) {
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0 || source.empty() || destination.empty()) {
        return;
    }
    if (&source == &destination) {
        const Surface copy = source;
        StretchBlackOnWhite(copy, sx, sy, sw, sh, destination, dx, dy, dw, dh);
        return;
    }
    // Only the destination indices that land on the destination surface.
    const std::optional<AxisTables> tables =
        TablesFor(sx, sy, sw, sh, source.width(), source.height(), destination, dx, dy, dw, dh);
    if (!tables) {
        return;
    }
    const auto& [outX, outY, columns, rows, singleColumns] = *tables;
    for (std::size_t j = 0; j < rows.size(); ++j) {
        if (rows[j].empty()) {
            continue;
        }
        Pixel* out = destination.mutableRow(outY + static_cast<int>(j)) + outX;
        // Without a shrink on either axis every destination pixel is one source
        // pixel: a plain lookup, the common case of a picture drawn enlarged.
        if (singleColumns && rows[j].last - rows[j].first == 1) {
            const Pixel* in = source.row(rows[j].first);
            for (std::size_t i = 0; i < columns.size(); ++i) {
                if (!columns[i].empty()) {
                    out[i] = in[columns[i].first];
                }
            }
            continue;
        }
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (!columns[i].empty()) {
                out[i] = AndOfBlock(source, rows[j], columns[i]);
            }
        }
    }
}

}  // namespace instruments::bitmap

// The die dialogs' sort, die numbers, placed marks and list rows on a working table.
#include <gtest/gtest.h>

#include <vector>

#include "nc/machine/DieDialogTable.h"

namespace {

DieRecord Die(int number, int range, int shape, double x = 10, int placed = 0) {
    DieRecord d;
    d.Number = static_cast<int16_t>(number);
    d.Range = static_cast<int16_t>(range);
    d.Shape = static_cast<int16_t>(shape);
    d.SizeX = x;
    d.Placed = static_cast<int16_t>(placed);
    return d;
}

DieDialogState State(std::vector<DieRecord> dies) {
    DieDialogState st;
    st.Header.DieCount = static_cast<int32_t>(dies.size());
    st.Dies = std::move(dies);
    st.Dies.resize(kMaxDies);
    return st;
}

std::vector<int> Numbers(const DieDialogState& st) {
    std::vector<int> n;
    for (int i = 0; i < st.Header.DieCount; ++i) n.push_back(st.Dies[size_t(i)].Number);
    return n;
}

TEST(DialogSort, ShapeRangeSizesUsageAirPlacedNumber) {
    DieDialogState st = State({Die(5, 2, 2, 10), Die(3, 1, 2, 20), Die(1, 1, 1, 50),
                               Die(4, 1, 2, 20, 1), Die(2, 1, 2, 20)});
    SortDialogDies(st, kDialogSortKeys);
    // Shape 1 first; then range 1 before 2; equal sizes: placed first, then by number.
    EXPECT_EQ(Numbers(st), (std::vector<int>{1, 4, 2, 3, 5}));
    EXPECT_EQ(st.SortKeys, kDialogSortKeys);
    // Only the counted dies are sorted.
    EXPECT_EQ(st.Dies[5].Number, 0);
}

TEST(DialogSort, SizesCompareXThenYThenRThenAngle) {
    DieRecord a = Die(1, 1, 3, 10), b = Die(2, 1, 3, 10), c = Die(3, 1, 3, 10);
    a.SizeY = 5;
    b.SizeY = 5;
    b.SizeR = 1;
    c.SizeY = 4;
    c.Angle = 90;
    DieDialogState st = State({a, b, c});
    SortDialogDies(st, kDialogSortKeys);
    EXPECT_EQ(Numbers(st), (std::vector<int>{3, 1, 2}));
}

// The numbers of the dies beyond the table are taken as those of the table's dies, but only
// the table's dies are dies of the table (which a station may hold).
TEST(DieNumbers, FreeNumberAndTaken) {
    struct Case {
        std::vector<int> numbers;
        std::vector<int> beyond;  // dies of the file beyond the table
        int free;
    };
    const Case cases[] = {
        {{1, 2, 4}, {}, 3},      {{1, 2, 3}, {}, 4},    {{}, {}, 1},       {{2, 3}, {}, 1},
        {{32767, -1, 0}, {}, 1}, {{3, 1, 2, 5}, {}, 4}, {{2, 3}, {1}, 4},  {{1, 2}, {4, 3}, 5},
        {{}, {1, 2}, 3},         {{1, 3}, {2, 7}, 4},   {{5}, {32767}, 1},
    };
    for (const Case& c : cases) {
        std::vector<DieRecord> dies;
        for (int n : c.numbers) dies.push_back(Die(n, 1, 1));
        DieDialogState st = State(dies);
        st.UnloadedDieNumbers = c.beyond;
        EXPECT_EQ(GetFreeDieNumber(st), c.free);
        EXPECT_EQ(IsDieNumberFree(st, c.free), 1);
        EXPECT_FALSE(IsDieOfTable(st, c.free));
        for (int n : c.numbers) {
            EXPECT_EQ(IsDieNumberFree(st, n), 0) << n;
            EXPECT_TRUE(IsDieOfTable(st, n)) << n;
        }
        for (int n : c.beyond) {
            EXPECT_EQ(IsDieNumberFree(st, n), 0) << n;
            EXPECT_FALSE(IsDieOfTable(st, n)) << n;
        }
    }
    // A full table of 1 .. 2000 gives 2001.
    std::vector<DieRecord> full;
    for (int n = kMaxDies; n >= 1; --n) full.push_back(Die(n, 1, 1));
    EXPECT_EQ(GetFreeDieNumber(State(full)), kMaxDies + 1);
}

TEST(PlacedMarks, StationsAmongTheCountedOnesPlaceTheirDies) {
    std::vector<DieRecord> dies = {Die(1, 1, 1, 10, 1), Die(2, 1, 1), Die(3, 1, 1, 10, 1)};
    TurretArrangement arr;
    arr.Stations[0].Die.Number = 2;
    arr.Stations[1].Die.Number = -1;
    arr.Stations[2].Die.Number = 3;  // beyond the station count
    MarkPlacedDies(dies, 3, arr, 2);
    EXPECT_EQ(dies[0].Placed, 0);
    EXPECT_EQ(dies[1].Placed, 1);
    EXPECT_EQ(dies[2].Placed, 0);
    MarkPlacedDies(dies, 3, arr, 3);
    EXPECT_EQ(dies[2].Placed, 1);
}

TEST(DieListRows, ShapeAndRangeFilters) {
    // Not sorted shape first: a shape's dies stand apart.
    DieDialogState st = State(
        {Die(1, 1, 1), Die(2, 2, 2), Die(3, 2, 1), Die(4, 1, 0), Die(5, 3, 1), Die(6, 1, 15)});
    EXPECT_EQ(DieListIndexes(st, 0, 10), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(DieListIndexes(st, 0, 1), (std::vector<int>{2}));
    EXPECT_EQ(DieListIndexes(st, 1, 10), (std::vector<int>{1}));
    EXPECT_EQ(DieListIndexes(st, 2, 10), (std::vector<int>{}));
    EXPECT_EQ(DieListIndexes(st, kFilterAllDies, 10), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(DieListIndexes(st, kFilterAllDies, 0), (std::vector<int>{0, 3, 5}));
    EXPECT_EQ(DieListIndexes(st, kFilterAutoSelect, 10), (std::vector<int>{}));
    // The mask hides forbidden shapes from the list of every die; dies without one of the
    // fourteen shapes stay.
    st.ShapeMask = 1 << 2;
    EXPECT_EQ(DieListIndexes(st, kFilterAllDies, 10), (std::vector<int>{1, 3, 5}));
}

}  // namespace

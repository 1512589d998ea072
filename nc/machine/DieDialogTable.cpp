// The die dialogs' work on the working die table.
#include "nc/machine/DieDialogTable.h"

#include <algorithm>

#include "nc/machine/CPunchTool.h"

int DialogDieCount(const DieDialogState& state) {
    return std::clamp<int>(state.Header.DieCount, 0, static_cast<int>(state.Dies.size()));
}

void SortDialogDies(DieDialogState& state, const std::array<int, 7>& keys) {
    state.SortKeys = keys;
    std::stable_sort(state.Dies.begin(), state.Dies.begin() + DialogDieCount(state),
                     [&keys](const DieRecord& a, const DieRecord& b) {
                         return CPunchTool::CompareDies(a, b, keys) < 0;
                     });
}

int IsDieNumberFree(const DieDialogState& state, int number) {
    if (IsDieOfTable(state, number)) return 0;
    const std::vector<int>& beyond = state.UnloadedDieNumbers;
    return std::find(beyond.begin(), beyond.end(), number) == beyond.end() ? 1 : 0;
}

int GetFreeDieNumber(const DieDialogState& state) {
    // One mark per candidate: the answer lies in 1 .. count + 1.
    const int tableCount = DialogDieCount(state);
    const int count = tableCount + static_cast<int>(state.UnloadedDieNumbers.size());
    std::vector<bool> taken(size_t(count) + 2, false);
    const auto take = [&taken, count](int n) {
        if (n >= 1 && n <= count + 1) taken[size_t(n)] = true;
    };
    for (int i = 0; i < tableCount; ++i) take(state.Dies[size_t(i)].Number);
    for (int n : state.UnloadedDieNumbers) take(n);
    int n = 1;
    while (taken[size_t(n)]) ++n;
    return n;
}

bool IsDieOfTable(const DieDialogState& state, int number) {
    const int count = DialogDieCount(state);
    for (int i = 0; i < count; ++i)
        if (state.Dies[size_t(i)].Number == number) return true;
    return false;
}

void MarkPlacedDies(std::vector<DieRecord>& dies, int count, const TurretArrangement& arrangement,
                    int stationCount) {
    const int stations = std::clamp(stationCount, 0, kMaxStations);
    count = std::clamp<int>(count, 0, static_cast<int>(dies.size()));
    for (int i = 0; i < count; ++i) {
        DieRecord& die = dies[size_t(i)];
        bool placed = false;
        for (int s = 0; s < stations && !placed; ++s)
            placed = arrangement.Stations[size_t(s)].Die.Number == die.Number;
        die.Placed = placed ? 1 : 0;
    }
}

bool DieListShows(const DieRecord& die, int shapeFilter, int rangeFilter, int shapeMask) {
    if (rangeFilter != 10 && rangeFilter != die.Range - 1) return false;
    if (shapeFilter == kFilterAllDies)
        return die.Shape < 1 || die.Shape > 14 || ((shapeMask >> die.Shape) & 1);
    if (shapeFilter >= 0 && shapeFilter < kFilterAllDies) return die.Shape == shapeFilter + 1;
    return false;
}

std::vector<int> DieListIndexes(const DieDialogState& state, int shapeFilter, int rangeFilter) {
    std::vector<int> rows;
    const int count = DialogDieCount(state);
    for (int i = 0; i < count; ++i)
        if (DieListShows(state.Dies[size_t(i)], shapeFilter, rangeFilter, state.ShapeMask))
            rows.push_back(i);
    return rows;
}

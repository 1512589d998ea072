// What the die and arrangement dialogs do on the working die table of a DieDialogState: the
// sort, the die numbers, the placed marks and the rows of the die list.
#pragma once

#include <array>
#include <vector>

#include "nc/machine/DieDialogState.h"

// The keys the die dialogs sort with after every change: shape, range, sizes, usage, air,
// placed, number.
inline constexpr std::array<int, 7> kDialogSortKeys{3, 2, 4, 5, 6, 7, 1};

// The shape filters of the die list after the fourteen shapes (0 to 13): every die, and the
// automatic choice, which lists none.
inline constexpr int kFilterAllDies = 14;
inline constexpr int kFilterAutoSelect = 15;

// The working table's die count, kept inside 0 .. the table's size.
int DialogDieCount(const DieDialogState& state);

// Stores keys in state.SortKeys and sorts the working table's dies by them
// (CPunchTool::CompareDies); dies equal in every key keep their order.
void SortDialogDies(DieDialogState& state, const std::array<int, 7>& keys);

// 1 when no die of the file has number, neither of the working table nor beyond it
// (UnloadedDieNumbers), else 0.
int IsDieNumberFree(const DieDialogState& state, int number);
// The smallest number from 1 up that no die of the file has (with n dies, at most n + 1).
int GetFreeDieNumber(const DieDialogState& state);
// Whether a die of the working table has number. A die beyond the table has none there, so
// that no station can hold it.
bool IsDieOfTable(const DieDialogState& state, int number);

// Placed marks of the first count dies: 1 when one of the first stationCount stations of
// arrangement holds the die's number, else 0.
void MarkPlacedDies(std::vector<DieRecord>& dies, int count, const TurretArrangement& arrangement,
                    int stationCount);

// Whether the die list shows die under the shape filter (0 to 13 one shape, 14 every die whose
// shape mask allows it or which has no shape of the fourteen, 15 none) and the range filter
// (0 to 9 one range, 10 every range).
bool DieListShows(const DieRecord& die, int shapeFilter, int rangeFilter, int shapeMask);
// The indexes of the working table's dies the die list shows, in table order. A shape filter
// finds every die of its shape, wherever it stands in the table.
std::vector<int> DieListIndexes(const DieDialogState& state, int shapeFilter, int rangeFilter);

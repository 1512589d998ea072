// The fixed table of modal groups of the numbered G codes 0 to 128.
#include "nc/read/GCodeGroups.h"

namespace {

struct GroupCodes {
    int group;
    std::initializer_list<int> codes;
};

constexpr std::array<signed char, kGCodeTableMax + 1> BuildTable() {
    std::array<signed char, kGCodeTableMax + 1> table{};
    for (auto& g : table) g = -1;
    const GroupCodes groups[] = {
        {0, {0, 1, 2, 3, 8, 33, 34, 35, 111, 112}},
        {1, {4, 6, 9}},
        {2, {17, 18, 19}},
        {3, {40, 41, 42, 45, 46, 47, 48, 49, 50, 51, 52}},
        {4, {80, 81, 82, 83, 84, 85, 86, 87, 88, 89}},
        {5, {53, 54, 55, 56, 57, 58, 59}},
        // group 6 holds no code
        {7, {60, 61, 62}},
        {8, {96, 97}},
        {9, {90, 91}},
        {10, {93, 94, 95}},
        {11, {92}},
        {12, {43, 44}},
        {13, {128}},
        {14, {25, 26, 27, 28, 29, 36, 37, 66, 67, 68, 69, 70, 72, 75, 76, 78, 79}},
        {15, {98}},
    };
    for (const auto& g : groups) {
        for (int code : g.codes) table[code] = static_cast<signed char>(g.group);
    }
    return table;
}

constexpr auto kTable = BuildTable();

}  // namespace

int GCodeGroup(int code) {
    if (code < 0 || code > kGCodeTableMax) return -1;
    return kTable[code];
}

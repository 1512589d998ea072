// Reader checks of the die files: the possessed dies (.DAT) and the turret arrangement (.ARR).
// Any bytes must read to a result code and consistent counts; a file that reads must survive
// saves: what was written reads back whole, and the saves settle.
#pragma once

#include <string>

#include "fuzz/checks/CheckSupport.h"
#include "nc/machine/CPunchTool.h"

namespace fuzzcheck {

inline std::string CheckPossessedDies(std::string_view bytes,
                                      const std::filesystem::path& scratch) {
    const std::filesystem::path file = scratch / "pch_tool.dat";
    if (!WriteBytes(file, bytes)) return "the input could not be written";
    CPunchTool dies;
    int lines = 0;
    const int result = dies.ReadPossessedFile(file, &lines);
    if (result > 0 || result < kDieFileInconsistentCount) return "unknown result code";
    if (dies.Header.DieCount < 0 || dies.Header.DieCount > kMaxDies)
        return "the die count is out of range";
    if (result != kDieFileOk) return {};

    // Sizes are written with two decimals and the dies sorted by them, so the first save may
    // round a size and the next one reorder dies that have become equal; from then on the
    // saves must agree.
    const std::filesystem::path saved = scratch / "pch_saved.dat";
    std::string previous;
    for (int round = 0; round < 3; ++round) {
        const int count = dies.Header.DieCount;
        const size_t unloaded = dies.UnloadedDieLines.size();
        const size_t others = dies.UnloadedOtherLines.size();
        const int written = dies.WritePossessedFile(saved);
        // Dies beyond the table in an older syntax: the save is refused and writes nothing.
        if (written == kDieFileDiesNotLoaded && unloaded > 0 && round == 0)
            return std::filesystem::exists(saved) ? "a refused save wrote a file" : std::string();
        if (written != 0) return "writing the dies failed";
        std::string text = ReadBytes(saved);
        if (round == 2 && text != previous) return "saved dies changed on a later save";
        previous = std::move(text);
        if (dies.ReadPossessedFile(saved) != kDieFileOk) return "saved dies do not read back";
        if (dies.Header.DieCount != count) return "a saved die was lost";
        if (dies.UnloadedDieLines.size() != unloaded) return "a die beyond the table was lost";
        // A line of an older syntax that would read as a die is kept as a comment; after that
        // the other lines stay.
        if (round > 0 && dies.UnloadedOtherLines.size() != others)
            return "a line beyond the table was lost";
    }
    return {};
}

// The possessed dies of a test fixture, against which the arrangements are read.
inline const CPunchTool& FixtureDies(const std::filesystem::path& testData) {
    static const CPunchTool dies = [&] {
        CPunchTool d;
        d.ReadPossessedFile(testData / "nc" / "dies" / "pch_v4.dat");
        return d;
    }();
    return dies;
}

inline std::string CheckArrangement(std::string_view bytes, const std::filesystem::path& scratch,
                                    const std::filesystem::path& testData) {
    const std::filesystem::path file = scratch / "sample.arr";
    if (!WriteBytes(file, bytes)) return "the input could not be written";
    const CPunchTool& possessed = FixtureDies(testData);
    if (possessed.Header.DieCount == 0) return "the possessed-die fixture does not read";
    CPunchTool dies = possessed;
    int lines = 0;
    int unknown = 0;
    const int result = dies.ReadArrangementFile(file, &lines, &unknown);
    if (result > 0 || result < kDieFileInconsistentCount) return "unknown result code";
    if (dies.Arrangement.StationCount < 0 || dies.Arrangement.StationCount > kMaxStations)
        return "the station count is out of range";
    if (dies.TapCount < 0 || dies.TapCount > kMaxTapTools) return "the tap count is out of range";
    if (result != kDieFileOk) return {};

    // Positions are written with one decimal: from the second save on the saves must agree.
    const std::filesystem::path saved = scratch / "saved.arr";
    std::string previous;
    for (int round = 0; round < 3; ++round) {
        const int count = dies.Arrangement.StationCount;
        if (dies.WriteArrangementFile(saved) != 0) return "writing the arrangement failed";
        std::string text = ReadBytes(saved);
        if (round == 2 && text != previous) return "a saved arrangement changed on a later save";
        previous = std::move(text);
        dies.Dies = possessed.Dies;
        dies.Header = possessed.Header;
        if (dies.ReadArrangementFile(saved) != kDieFileOk)
            return "a saved arrangement does not read back";
        if (dies.Arrangement.StationCount != count) return "a saved station was lost";
    }
    return {};
}

}  // namespace fuzzcheck

// Punch blocks through the interpreter: each pattern kind, the strips and the refused blocks,
// compared with recorded dumps of the element tree (pens, points, texts and record bytes).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/TestFiles.h"
#include "tests/nc/read/TranscriptKeys.h"
#include "tests/nc/read/punch/PunchTestSupport.h"

namespace {

using punchtest::Die;
using punchtest::Fixture;
using punchtest::Program;

// T1 round X10, T2 square X20 at 45 degrees, T3 rectangle 20 x 10, T4 special shape (figure
// TOOL/key.dxf of the fixture folder), T5 single D, T6 square X10, T7 tapping X8 (started by
// the line "M500"); station 90 is empty.
std::vector<DieRecord> Dies() {
    return {Die(101, kShapeRound, 10.0),
            Die(102, kShapeSquare, 20.0, 0.0, 0.0, 45.0),
            Die(103, kShapeRectangle, 20.0, 10.0),
            Die(104, kShapeSpecial, 10.0, 10.0, 0.0, 0.0, "key.dxf"),
            Die(105, kShapeSingleD, 20.0, 15.0),
            Die(106, kShapeSquare, 10.0),
            Die(107, kShapeTapping, 8.0)};
}

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> ProgramLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::string text = ReadText(file);
    size_t from = 0;
    while (from < text.size()) {
        size_t to = text.find('\n', from);
        if (to == std::string::npos) to = text.size();
        std::string line = text.substr(from, to - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        from = to + 1;
    }
    return lines;
}

// Each program <name>.nc of the fixture folder is read with Dies() and its dump compared with
// <name>.txt. With MORVALEN_UPDATE_GOLDENS set the dumps are written instead and the test fails
// (review them, then run again).
void CheckGolden(const char* name) {
    SCOPED_TRACE(name);
    const std::filesystem::path nc = Fixture(std::string(name) + ".nc");
    const std::filesystem::path golden = Fixture(std::string(name) + ".txt");
    ASSERT_TRUE(std::filesystem::exists(nc));
    Program p(Dies(), ProgramLines(nc));
    static const auto keys = nctest::NcKeyTable();
    nctest::ExpectTableKeys(keys, std::string("punch/") + name, p.elements);
    if (test::UpdateGolden(golden, p.Dump())) return;
    EXPECT_EQ(p.Dump(), ReadText(golden));
}

TEST(PunchPattern, Kinds) {
    for (const char* name : {"single", "circle-with-C", "circle-unset-C", "line", "line-K0", "arc",
                             "grid-rows", "grid-columns", "grid-P0-K0", "square", "special-79",
                             "special-78", "special-hit", "tapping"}) {
        CheckGolden(name);
    }
}

TEST(PunchPattern, Strips) {
    for (const char* name : {"shear", "shear-other-side", "nibble-line", "nibble-line-79",
                             "nibble-arc-round", "nibble-arc-rectangle", "code-202"}) {
        CheckGolden(name);
    }
}

// Blocks that draw no punch group: no tool, no die, absent words, zero divisors.
TEST(PunchPattern, Refused) {
    for (const char* name :
         {"no-tool", "empty-station", "unknown-station", "circle-no-I", "circle-K0", "line-no-J",
          "arc-no-P", "grid-no-counts", "square-no-J", "shear-no-P-Q", "nibble-line-Q0",
          "nibble-arc-I0", "nibble-arc-single-D", "special-79-I0", "special-78-K0",
          "code-202-no-I"}) {
        CheckGolden(name);
    }
}

}  // namespace

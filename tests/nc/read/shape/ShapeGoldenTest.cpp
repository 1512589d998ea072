// Whole shape programs against recorded transcripts: tests/data/nc/shape/<case>.nc is read
// through the program runner and its element tree (with every attribute text) and counters are
// compared with <case>.txt. MORVALEN_UPDATE_GOLDENS=1 writes the transcripts anew (review them
// before committing).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ShapeTestSupport.h"

namespace {

namespace fs = std::filesystem;

// Bytes of a file with the CRs of CR LF line ends dropped.
std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    std::erase(text, '\r');
    return text;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::string Transcript(const fs::path& program) {
    nctest::Program p(SplitLines(ReadText(program)));
    const CNcReadState& s = p.reader.State;
    return p.Dump() + "rapid=" + nctest::Num(s.RapidLength) + " cut=" + nctest::Num(s.CutLength) +
           " mark=" + nctest::Num(s.MarkLength) + " at=" + nctest::Pt(s.CurrentPos) + "\n";
}

TEST(ShapeGolden, Transcripts) {
    const fs::path folder = fs::path(MORVALEN_TEST_DATA) / "nc" / "shape";
    const bool update = std::getenv("MORVALEN_UPDATE_GOLDENS") != nullptr;
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".nc") continue;
        const fs::path expected = fs::path(entry.path()).replace_extension(".txt");
        const std::string actual = Transcript(entry.path());
        if (update) {
            std::ofstream(expected, std::ios::binary) << actual;
        } else {
            EXPECT_EQ(actual, ReadText(expected)) << entry.path();
        }
        ++checked;
    }
    EXPECT_GE(checked, 3);
}

}  // namespace

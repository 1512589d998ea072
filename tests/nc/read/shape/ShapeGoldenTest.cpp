// Whole shape programs against recorded transcripts: tests/data/nc/shape/<case>.nc is read
// through the program runner and its element tree (with every attribute text) and counters are
// compared with <case>.txt, the tree's key numbers with tests/data/nc/keys.txt.
// MORVALEN_UPDATE_GOLDENS=1 writes the transcripts anew and fails (review them, then run again).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ShapeTestSupport.h"
#include "TestFiles.h"
#include "tests/nc/read/TranscriptKeys.h"

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

std::string Transcript(const nctest::Program& p) {
    const CNcReadState& s = p.reader.State;
    return p.Dump() + "rapid=" + nctest::Num(s.RapidLength) + " cut=" + nctest::Num(s.CutLength) +
           " mark=" + nctest::Num(s.MarkLength) + " at=" + nctest::Pt(s.CurrentPos) + "\n";
}

TEST(ShapeGolden, Transcripts) {
    const fs::path folder = fs::path(MORVALEN_TEST_DATA) / "nc" / "shape";
    const auto keys = nctest::NcKeyTable();
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".nc") continue;
        const fs::path expected = fs::path(entry.path()).replace_extension(".txt");
        const nctest::Program p(SplitLines(ReadText(entry.path())));
        nctest::ExpectTableKeys(keys, "shape/" + entry.path().stem().string(), p.elements);
        const std::string actual = Transcript(p);
        ++checked;
        if (test::UpdateGolden(expected, actual)) continue;
        EXPECT_EQ(actual, ReadText(expected)) << entry.path();
    }
    EXPECT_GE(checked, 3);
}

}  // namespace

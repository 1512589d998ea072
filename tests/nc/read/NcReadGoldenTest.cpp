// Whole programs against recorded transcripts: tests/data/nc/<feature>/<case>.nc is read
// through the program runner and its element tree and counters are compared with <case>.txt,
// and the tree's key numbers with the hand-worked ones of tests/data/nc/keys.txt.
// MORVALEN_UPDATE_GOLDENS=1 writes the transcripts anew and fails (review them, then run again).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "NcReadFixture.h"
#include "TestFiles.h"
#include "TranscriptKeys.h"

namespace {

namespace fs = std::filesystem;

const char* const kFeatures[] = {"motion",  "corner", "arcs",      "g08",
                                 "pattern", "grid",   "subprogram"};

std::vector<std::string> ReadLines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    std::string out;
    for (char c : text) {
        if (c != '\r') out += c;
    }
    return out;
}

const char* EndName(NcRunnerEnd end) {
    switch (end) {
        case NcRunnerEnd::Running:
            return "running";
        case NcRunnerEnd::EndOfProgram:
            return "end-of-program";
        case NcRunnerEnd::ProgramEnd:
            return "program-end";
        case NcRunnerEnd::BlockLimit:
            return "block-limit";
        case NcRunnerEnd::CountLimit:
            return "count-limit";
    }
    return "?";
}

std::string Transcript(const nctest::Program& p) {
    const CNcReadState& s = p.reader.State;
    std::string out = p.Dump();
    out += "end=" + std::string(EndName(p.summary.End)) +
           " blocks=" + std::to_string(p.summary.Blocks) + " rapid=" + nctest::Num(s.RapidLength) +
           " cut=" + nctest::Num(s.CutLength) + " mark=" + nctest::Num(s.MarkLength) +
           " pierce=" + std::to_string(s.PierceCount) + " marks=" + std::to_string(s.MarkCount) +
           " at=" + nctest::Pt(s.CurrentPos) + "\n";
    return out;
}

TEST(NcReadGolden, Transcripts) {
    const fs::path root = fs::path(MORVALEN_TEST_DATA) / "nc";
    const auto keys = nctest::NcKeyTable();
    int checked = 0;
    for (const char* feature : kFeatures) {
        for (const auto& entry : fs::directory_iterator(root / feature)) {
            if (entry.path().extension() != ".nc") continue;
            const fs::path expected = fs::path(entry.path()).replace_extension(".txt");
            const nctest::Program p(ReadLines(entry.path()));
            nctest::ExpectTableKeys(keys, feature + ("/" + entry.path().stem().string()),
                                    p.elements);
            const std::string actual = Transcript(p);
            ++checked;
            if (test::UpdateGolden(expected, actual)) continue;
            ASSERT_TRUE(fs::exists(expected)) << expected;
            EXPECT_EQ(actual, ReadAll(expected)) << entry.path();
        }
    }
    EXPECT_GE(checked, 7);
}

}  // namespace

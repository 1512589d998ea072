// Bad NC is data: programs of random words (a fixed seed) are read to their end without a
// crash, a hang or an exception, and every element they leave carries its texts.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "NcReadFixture.h"

namespace {

std::vector<std::string> RandomProgram(std::mt19937& rng, int lines) {
    static const char* const kWords[] = {
        "G00",  "G01",  "G02", "G03", "G08", "G08.1", "G08.4",      "G11",   "G11.1", "G12.2",
        "G28",  "G52",  "G53", "G68", "G69", "G75",   "G76",        "G90",   "G91",   "G92",
        "G98",  "G128", "G27", "G26", "M30", "M98",   "M99",        "M100",  "M09",   "M101",
        "CIR/", "U",    "V",   "W",   "X",   "Y",     "Z",          "I",     "J",     "R",
        "D",    "P",    "K",   "Q",   "L",   "A",     "C",          "T",     "N",     "O",
        "e",    "%",    "(",   ")",   "-",   ".",     "9999999999", "1e308", "0"};
    std::uniform_int_distribution<int> word(0, static_cast<int>(std::size(kWords)) - 1);
    std::uniform_int_distribution<int> count(0, 6);
    std::uniform_real_distribution<double> number(-500.0, 500.0);
    std::uniform_int_distribution<int> coin(0, 3);
    std::vector<std::string> out;
    for (int i = 0; i < lines; ++i) {
        std::string line;
        const int n = count(rng);
        for (int k = 0; k < n; ++k) {
            line += kWords[word(rng)];
            if (coin(rng) != 0) line += nctest::Num(number(rng));
            if (coin(rng) == 0) line += ' ';
        }
        out.push_back(line);
    }
    return out;
}

bool EveryElementHasTexts(const CDtbElement* e) {
    for (; e; e = e->link.next) {
        if (e->attributes.IsEmpty()) return false;
        if (auto* n = DtbCast<CDtbNode>(e); n && !EveryElementHasTexts(n->firstChild)) return false;
    }
    return true;
}

TEST(NcReadRobustness, RandomProgramsEnd) {
    std::mt19937 rng(20261210);
    NcRunnerLimits limits;
    limits.MaxBlocks = 20000;
    for (int round = 0; round < 1000; ++round) {
        const std::vector<std::string> lines = RandomProgram(rng, 40);
        nctest::Program p(lines, nctest::LaserSettings(), limits);
        EXPECT_NE(p.summary.End, NcRunnerEnd::Running) << round;
        EXPECT_TRUE(EveryElementHasTexts(p.elements.GetFirstElement())) << round;
        EXPECT_LE(p.elements.GetCount(), 20000u * 80u) << round;
    }
}

}  // namespace

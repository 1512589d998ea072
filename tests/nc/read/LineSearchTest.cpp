// Tests of the reader's line searches.
#include <gtest/gtest.h>

#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"

namespace {

class LineSearchTest : public ::testing::Test {
protected:
    LineSearchTest() {
        reader.SetProgram({"O100",        // 0
                           "N1 G01 X1.",  // 1
                           "N5 M99",      // 2
                           "O200",        // 3
                           "N1 G00",      // 4
                           "M99",         // 5
                           "",            // 6
                           "N5 X2.",      // 7
                           "#PAT 12",     // 8
                           "#PA"},        // 9
                          &settings, nullptr, 1);
    }
    CNcReadInfo settings;
    CNcRead reader;
};

TEST_F(LineSearchTest, FindProgramLine) {
    EXPECT_EQ(reader.FindProgramLine(200, -1, 0), 3);
    EXPECT_EQ(reader.FindProgramLine(100, 5, 9), 2);
    EXPECT_EQ(reader.FindProgramLine(300, -1, 0), -1);
    // The sequence search runs on past the program's end.
    EXPECT_EQ(reader.FindProgramLine(200, 5, 0), 7);
    EXPECT_EQ(reader.FindProgramLine(200, 9, 0), -1);
    // programNo -1: back to the nearest program line, then forwards to the sequence number.
    EXPECT_EQ(reader.FindProgramLine(-1, -1, 5), 3);
    EXPECT_EQ(reader.FindProgramLine(-1, -1, 3), 3);
    EXPECT_EQ(reader.FindProgramLine(-1, 1, 5), 4);
    EXPECT_EQ(reader.FindProgramLine(-1, -1, 99), 3);
    EXPECT_EQ(reader.FindProgramLine(-1, -1, -1), -1);
}

TEST_F(LineSearchTest, FindProgramLineUsesTheProgramLetter) {
    settings.CodeLetter[0] = 'N';
    EXPECT_EQ(reader.FindProgramLine(5, -1, 0), 2);
}

TEST_F(LineSearchTest, FindAddressLine) {
    EXPECT_EQ(reader.FindAddressLine('N', 5, 0, 1), 2);
    EXPECT_EQ(reader.FindAddressLine('N', 5, 3, 1), 7);
    EXPECT_EQ(reader.FindAddressLine('N', -1, 5, 1), 7);
    EXPECT_EQ(reader.FindAddressLine('N', 1, 3, -1), 1);
    EXPECT_EQ(reader.FindAddressLine('O', 100, 9, -2), -1);  // 9, 7, 5, 3, 1
    EXPECT_EQ(reader.FindAddressLine('O', -1, 9, -3), 3);    // 9, 6, 3
    EXPECT_EQ(reader.FindAddressLine('N', 5, 0, 0), -1);
    EXPECT_EQ(reader.FindAddressLine('N', 5, 10, 1), -1);
    EXPECT_EQ(reader.FindAddressLine('N', 5, -1, 1), -1);
    CNcRead empty;
    EXPECT_EQ(empty.FindAddressLine('N', -1, 0, 1), -1);
}

TEST_F(LineSearchTest, FindPrefixLine) {
    EXPECT_EQ(reader.FindPrefixLine("#PAT", 4, 12, 0, 1), 8);
    EXPECT_EQ(reader.FindPrefixLine("#PAT", 4, 13, 0, 1), -1);
    EXPECT_EQ(reader.FindPrefixLine("#PAT", 4, -1, 9, -1), 8);
    // Compared as C strings: a line that ends where the prefix ends matches its length.
    EXPECT_EQ(reader.FindPrefixLine("#PA", 6, -1, 0, 1), 9);
    EXPECT_EQ(reader.FindPrefixLine("#PAT", 2, -1, 0, 1), 8);
    EXPECT_EQ(reader.FindPrefixLine("#P", 2, 0, 9, 1), 9);
    EXPECT_EQ(reader.FindPrefixLine("#PAT", 4, 12, 0, 0), -1);
}

}  // namespace

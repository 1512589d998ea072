// The document's lines as the editor's text and back, every byte kept.
#include "text/core/NcEditText.h"

#include <gtest/gtest.h>

TEST(NcEditText, LinesComeBackUnchanged) {
    const std::vector<std::vector<std::string>> cases = {
        {"O0001", "G01X10.", "M30"},
        {std::string(300, 'X')},  // no 127- or 511-character cut
        {"(\x83\x65\x83\x58\x83\x67)", "\x82\xA0\x80\xFF\xFD", "X\x81"},  // CP932 and undecodable
        {"G00X1.\rY2.", ""},  // a carriage return inside a line
        {"", ""},
        {},
    };
    for (const auto& lines : cases) {
        std::vector<std::string> back = {"junk"};
        ASSERT_TRUE(EditTextToLines(LinesToEditText(lines), back));
        EXPECT_EQ(back, lines);
    }
}

TEST(NcEditText, TextShowsCp932AsCharacters) {
    EXPECT_EQ(LinesToEditText({"(\x83\x65\x83\x58\x83\x67)", "M30"}), "(テスト)\nM30");
    // The carriage return inside a line is shown as its stand-in, not as a line break.
    EXPECT_EQ(LinesToEditText({"A\rB"}),
              "A\xEF\x9C\x8D"
              "B");
}

TEST(NcEditText, CharacterWithoutCp932FormIsRefused) {
    std::vector<std::string> lines = {"kept"};
    EXPECT_FALSE(EditTextToLines("G01 \xF0\x9F\x98\x80", lines));  // an emoji
    EXPECT_EQ(lines, std::vector<std::string>{"kept"});
    EXPECT_EQ(FirstCharWithoutCp932("A\xEF\x9C\x8D"
                                    "B\xC3\xA9"),
              "\xC3\xA9");  // é after a CR
    EXPECT_EQ(FirstCharWithoutCp932("テスト\xEF\x9C\x8D"), "");
    std::string bytes;
    EXPECT_TRUE(EditTextToCp932("テ", bytes));
    EXPECT_EQ(bytes, "\x83\x65");
}

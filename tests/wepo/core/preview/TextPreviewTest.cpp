// EXF and DXF previews, the DXF text length and the script's DIALOG_PREVIEW line.
#include "wepo/core/preview/TextPreview.h"

#include <gtest/gtest.h>

#include "PreviewDump.h"

namespace {

using test::Dump;

TEST(TextPreviewTest, LinesEndAtControlBytesAndKeepDoubleByteCharacters) {
    auto lines = wepo::SplitPreviewLines(
        "a b\r\n\r\n\x82\x0A"
        "c\x95\x5C\tz\x1A");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "a b");
    EXPECT_EQ(lines[1], "\x82");  // a lead byte never swallows the line end
    EXPECT_EQ(lines[2], "c\x95\x5C");
    EXPECT_EQ(lines[3], "z");  // the last byte of the data is kept (no terminator over it)
}

// The text of a preview is every line that still fits when it comes: a long line that does not
// fit leaves the room to shorter ones after it, and the walk ends only when no line can fit.
TEST(TextPreviewTest, PreviewLinesFillTheRoomLineByLine) {
    const std::string bytes = "abcd\n" + std::string(20, 'x') + "\nef\n\ng\nhij\n";
    for (size_t size : {0u, 1u, 8u, 12u, 13u, 14u, 16u, 40u}) {
        wepo::PreviewText all(size), walked(size);
        for (std::string_view line : wepo::SplitPreviewLines(bytes))
            wepo::AppendPreviewLine(all, line);
        wepo::AppendPreviewLines(walked, bytes);
        EXPECT_EQ(walked.Text(), all.Text()) << size;
    }
    wepo::PreviewText some(14);
    wepo::AppendPreviewLines(some, bytes);
    EXPECT_EQ(some.Text(), "abcd\r\r\nef\r\r\n");
}

TEST(TextPreviewTest, ExfCommands) {
    const std::string exf =
        "FIGRNAME BRACKET\r\n"
        "FIGRNUMB B-12\r\n"
        "GL 1,0,0,5,5,0\r\n"  // before the first AR: not drawn
        "AR 0,0,100,50\r\n"
        "GP 0,1,2,0\r\n"
        "GL 3,0,0,10,0,10\r\n"   // 0x10: a dot at the start
        "GL 3,0,0,10,0,100\r\n"  // 0x100: an arrow head at the end
        "GA 18,5,5,2,0,90,0\r\n"
        "GT 1,2,2,3,0.5,0,0,0 'abc'\r\n"
        "GL 3,x,0,10,0,0\r\n"  // a number that does not read: the line is passed over
        ";GP 0,9,9,0\r\n"
        "DESIGNER Kato";
    wepo::PreviewText text(4096);
    wepo::PreviewRun run;
    auto d = wepo::ParseExfDrawing(exf, 0, text, {}, run);
    EXPECT_TRUE(d.picture);
    EXPECT_EQ(Dump(d),
              "VIEW 0,0 100,50\n"
              "POINT 1,2\n"
              "LINE pen3 0,0 10,0 marks2/0\n"
              "LINE pen3 0,0 10,0 marks0/1\n"
              "ARC pen2 5,5 r2 0..90\n"
              "TEXT 1,5 h3 w1 s0.5 0 '\x82\x81\x82\x82\x82\x83'\n");  // n = 6, L = 9
    EXPECT_EQ(text.Text(),
              "[Drawing name]\r\r\nBRACKET\r\r\n\r\r\n[Drawing "
              "no]\r\r\nB-12\r\r\n\r\r\n[Designer]\r\r\nKato\r\r\n\r\r\n");
    auto boxes = wepo::ParseExfDrawing("AR 0,0,10,10\nGT 5,5,2,3,0,0,0,90 'ab'\n",
                                       wepo::PRM_TEXT_BOXES, text, {}, run);
    // 0x90: centred (bits 4-5 = 1), the point at the top (bits 6-7 = 2); "ab" widens to 4 bytes: L
    // = 4.
    EXPECT_EQ(Dump(boxes), "VIEW 0,0 10,10\nBOX 3,2 7,5 @5,5 0\n");
    wepo::PreviewRun stopped;
    stopped.Stop();
    EXPECT_FALSE(wepo::ParseExfDrawing(exf, 0, text, {}, stopped).picture);
    EXPECT_FALSE(wepo::ParseExfDrawing("", 0, text, {}, run).picture);
}

const char* kDxfPadded =
    "  0\nSECTION\n  2\nHEADER\n  9\n$EXTMIN\n 10\n-10.0\n 20\n-5.0\n  9\n$EXTMAX\n 10\n90.0\n "
    "20\n45.0\n"
    "  0\nENDSEC\n  0\nSECTION\n  2\nBLOCKS\n  0\nLINE\n 10\n0\n 20\n0\n 11\n99\n 21\n99\n  "
    "0\nENDSEC\n"
    "  0\nSECTION\n  2\nENTITIES\n"
    "  0\nLINE\n  8\nEOF\n  6\nDASHED\n 10\n0\n 20\n0\n 11\n10\n 21\n0\n"
    "  0\nCIRCLE\n 10\n5\n 20\n5\n 40\n-2\n"
    "  0\nCIRCLE\n 20\n5\n 40\n2\n"
    "  0\nTEXT\n 10\n1\n 20\n2\n 40\n3\n  1\n%%c25\n"
    "  0\nTEXT\n 10\n0\n 20\n0\n 40\n1\n  1\nENDSEC\n"
    "  0\nPOINT\n 10\n1\n 20\n1\n"
    "  0\nENDSEC\n  0\nLINE\n 10\n0\n 20\n0\n 11\n1\n 21\n1\n  0\nEOF\n";

const char* kDxfExpected =
    "VIEW 0,0 420,297\n"
    "VIEW -10,-5 90,45\n"
    "CLEAR\n"
    "LINE pen2 0,0 10,0\n"
    "ARC pen2 5,5 r2 0..360\n"
    "TEXT 1,5 h3 w3 s0 0 '%%c25'\n"   // three characters, L = 9
    "TEXT 0,1 h1 w1 s0 0 'ENDSEC'\n"  // a text named like a keyword ends nothing
    "POINT 1,1\n";

TEST(TextPreviewTest, DxfEntitiesPensAndExtents) {
    wepo::PreviewText text(1 << 16);
    wepo::PreviewRun run;
    auto d = wepo::ParseDxfDrawing(kDxfPadded, 0, text, run);
    EXPECT_TRUE(d.picture);
    EXPECT_EQ(Dump(d), kDxfExpected);
    EXPECT_EQ(text.Text().substr(0, 22), "  0\r\r\nSECTION\r\r\n  2\r\r\n");  // the file's lines
}

TEST(TextPreviewTest, DxfGroupCodesWithoutPaddingAndEmptyValues) {
    // The same drawing with unpadded codes (the fixed three-column form is not required).
    std::string unpadded = kDxfPadded;
    for (std::string from : {"  0\n", "  2\n", "  9\n", " 10\n", " 20\n", " 11\n", " 21\n", " 40\n",
                             "  1\n", "  6\n", "  8\n"}) {
        std::string to = from.substr(from.find_first_not_of(' '));
        for (size_t at = 0; (at = unpadded.find("\n" + from, at)) != std::string::npos;)
            unpadded.replace(at + 1, from.size(), to);
        if (unpadded.rfind(from, 0) == 0) unpadded.replace(0, from.size(), to);
    }
    wepo::PreviewText none;
    wepo::PreviewRun run;
    EXPECT_EQ(Dump(wepo::ParseDxfDrawing(unpadded, 0, none, run)), kDxfExpected);
    // An empty value line keeps its pair: the text after it is still read in step.
    const char* empty =
        "0\nSECTION\n2\nENTITIES\n0\nTEXT\n1\n\n10\n2\n20\n3\n40\n1\n0\nPOINT\n10\n7\n20\n8\n0\nEOF"
        "\n";
    EXPECT_EQ(Dump(wepo::ParseDxfDrawing(empty, 0, none, run)),
              "VIEW 0,0 420,297\nTEXT 2,4 h1 w1 s0 0 ''\nPOINT 7,8\n");
}

TEST(TextPreviewTest, DxfExtentsOnlyOnceAndDefaultFrame) {
    wepo::PreviewText none;
    wepo::PreviewRun run;
    const char* maxFirst = "9\n$EXTMAX\n10\n90\n20\n45\n9\n$EXTMIN\n10\n-10\n20\n-5\n0\nEOF\n";
    EXPECT_EQ(Dump(wepo::ParseDxfDrawing(maxFirst, 0, none, run)),
              "VIEW 0,0 420,297\nVIEW 0,0 90,45\nCLEAR\n");
    const char* plain = "0\nSECTION\n2\nENTITIES\n0\nPOINT\n10\n1\n20\n2\n";  // ends with the data
    EXPECT_EQ(Dump(wepo::ParseDxfDrawing(plain, 0, none, run)), "VIEW 0,0 420,297\nPOINT 1,2\n");
    const char* boxes =
        "0\nSECTION\n2\nENTITIES\n0\nTEXT\n10\n1\n20\n2\n40\n2\n41\n0."
        "5\n50\n30\n72\n2\n1\nab\n0\nEOF\n";
    EXPECT_EQ(Dump(wepo::ParseDxfDrawing(boxes, wepo::PRM_TEXT_BOXES, none, run)),
              "VIEW 0,0 420,297\nBOX 1,2 3,4 @1,2 30\n");  // no justification for boxes
}

TEST(TextPreviewTest, DxfTextLength) {
    struct Case {
        const char* text;
        size_t length;
    } cases[] = {{"abc", 3},  {"%%c25", 3}, {"%%d", 1}, {"%%1234x", 3},
                 {"%%12", 0}, {"a%%", 1},   {"", 0},    {"%%%%p", 3}};
    for (const auto& c : cases) EXPECT_EQ(wepo::DxfTextLength(c.text), c.length) << c.text;
}

TEST(TextPreviewTest, ScriptPreviewName) {
    struct Case {
        std::string script;
        std::string name;
    } cases[] = {
        {"REM x\r\ndialog_preview \"flange.dxf\"\r\nDIALOG_PREVIEW \"other.dxf\"\r\n",
         "flange.dxf"},
        {"DIALOG_PREVIEW \"no closing quote\r\n", ""},
        {"DIALOG_PREVIEW no-quotes.dxf\r\n", ""},
        {"DIALOG_PREVIEW\r\nDIALOG_PREVIEW=\"\"\"a.exf\"\r\n",
         "a.exf"},  // the keyword alone names nothing
        {"DIALOG_PREVIEW \"" + std::string(260, 'n') + "\"\r\n", ""},  // too long for its buffer
        {"DIALOG_PREVIEW \"" + std::string(259, 'n') + "\"\r\n", std::string(259, 'n')},
    };
    for (const Case& c : cases) {
        wepo::PreviewText text(4096);
        EXPECT_EQ(wepo::ScriptPreviewName(c.script, text), c.name);
    }
    wepo::PreviewText text(4096);
    wepo::ScriptPreviewName("REM x\r\ndialog_preview \"f.dxf\"", text);
    EXPECT_EQ(text.Text(), "REM x\r\r\ndialog_preview \"f.dxf\"\r\r\n");
}

}  // namespace

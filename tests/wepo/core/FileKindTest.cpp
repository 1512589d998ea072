// File-kind recognition over small files the test writes byte by byte.
#include "wepo/core/FileKind.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

// A header of size bytes with text put at offsets.
struct Bytes {
    std::string data;
    explicit Bytes(size_t size = 0) : data(size, '\0') {}
    Bytes& Put(size_t offset, std::string_view text) {
        if (data.size() < offset + text.size()) data.resize(offset + text.size(), '\0');
        data.replace(offset, text.size(), text);
        return *this;
    }
    Bytes& Byte(size_t offset, unsigned char value) {
        return Put(offset, std::string(1, char(value)));
    }
};

Bytes Native(std::string_view product, unsigned char format) {
    return Bytes(300)
        .Put(4, product)
        .Byte(25, format)
        .Put(106, "FLANGE")
        .Put(148, "D-1024")
        .Put(190, "Sato");
}

class FileKindTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        fs::path p = dir_.path() / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    int Kind(const std::string& name, const std::string& bytes, std::string* comment = nullptr) {
        char buffer[256];
        int kind = wepo::IdentifyFileKind(Write(name, bytes).c_str(), buffer, sizeof buffer);
        if (comment) *comment = buffer;
        return kind;
    }
    test::TempDir dir_;
};

TEST_F(FileKindTest, EveryKindInTheOrderOfTheTests) {
    const std::string nc = "N10 G00 X5 Y5\r\nM30\r\n";
    struct Case {
        const char* name;
        std::string bytes;
        int kind;
        const char* comment;
    } cases[] = {
        {"a.nmd", Native("Rimbleton", 4).data, wepo::FK_CAD_NATIVE, "FLANGE,D-1024,Sato"},
        {"a.dxf", Native("Rimbleton", 26).data, wepo::FK_CAD_NATIVE,
         "FLANGE,D-1024,Sato"},  // header first
        {"a.x", Native("ZED PLINT KQ V4.0", 5).data, wepo::FK_CAD_V4, "FLANGE,D-1024,Sato"},
        {"b.x", Native("ZED PLINT KQ V4.0", 20).Put(0, "RMBT").data, wepo::FK_CAD_NATIVE,
         "FLANGE,D-1024,Sato"},
        {"c.x", Native("ZED PLINT KQ V4.0", 21).Put(92, "...rimbl...").data, wepo::FK_CAD_NATIVE,
         "FLANGE,D-1024,Sato"},
        {"d.dxf", Native("Rimbleton", 30).data, wepo::FK_DXF, ""},  // bad format byte
        {"d.zz", Native("Rimbleton", 30).data, wepo::FK_BINARY, ""},
        {"rw.x", Bytes(300).Put(4, "ZEDPLINT RW").Put(144, "N").Put(186, "NO").Put(228, "D").data,
         wepo::FK_CAD_RW, "N,NO,D"},
        {"tw.x", Bytes(800).Put(4, "ZEDPLINT TW").Put(576, "T").Put(672, "Z").data, wepo::FK_CAD_TW,
         "T,,Z"},
        {"rec.x", Bytes(128).Byte(32, 1).Byte(64, 2).Byte(96, 3).data, wepo::FK_NUMBERED_RECORDS,
         ""},
        {"bak.x", Bytes(400).Put(0, "FLENDIR rimbl Backup V2").Put(24, "Backup of FLANGE").data,
         wepo::FK_CAD_BACKUP, "Backup of FLANGE"},
        {"p.EXE", "MZ\x90", wepo::FK_EXE, ""},
        {"p.dll", "MZ\x90", wepo::FK_DLL, ""},
        {"p.Sys", "MZ\x90", wepo::FK_SYS, ""},
        {"p.vxd", "MZ\x90", wepo::FK_VXD, ""},
        {"p.txt", "MZ\x90", wepo::FK_TEXT, ""},  // the extension decides before the text test
        {"h.hlp", "\x3F\x5F\x03", wepo::FK_HLP, ""},
        {"o.obj", "\x4C\x01\x02", wepo::FK_OBJ, ""},
        {"l.lib", "!<arch>\n", wepo::FK_OBJ, ""},
        {"z.lzh", "xx-lh5-", wepo::FK_LZH, ""},
        {"i.bmp", "BM\x36\x00", wepo::FK_BMP, ""},
        {"i.ico", std::string("\0\0\x01\0", 4), wepo::FK_ICO, ""},
        {"c.cur", std::string("\0\0\x02\0", 4), wepo::FK_CUR, ""},
        {"s.any", "SZDD\x88\xF0\x27\x33\x41", wepo::FK_COMPRESSED, ""},
        {"d.DXF", "0\nSECTION\n", wepo::FK_DXF, ""},
        {"e.exf", "AR 1\n", wepo::FK_EXF, ""},
        {"m.bmi", "x", wepo::FK_BMI, ""},
        {"m.pcs", "x", wepo::FK_PCS, ""},
        {"m.bat", "x", wepo::FK_BAT, ""},
        {"nc.txt", nc, wepo::FK_TEXT, ""},  // an NC program saved as .TXT stays text
        {"n.ptp", "x", wepo::FK_NC_PROGRAM, ""},
        {"s.cmd", "DIALOG_PREVIEW \"a.dxf\"", wepo::FK_SCRIPT, ""},
        {"nc.zz", nc, wepo::FK_NC_PROGRAM, "N10 G00 X5 Y5  M30  "},
        {"xy.zz", "aXb\r\nno\r\ncYd\r\n", wepo::FK_NC_PROGRAM,
         "aXb  no  cYd  "},  // X and Y on two lines
        {"one.zz", "just X here\r\n", wepo::FK_TEXT, "just X here  "},
        {"lower.zz", "g01 x10 y10\n", wepo::FK_TEXT,
         "g01 x10 y10 "},  // keywords are case-sensitive
        {"empty.zz", "", wepo::FK_TEXT, ""},
        {"zeros.zz", std::string(10, '\0'), wepo::FK_BINARY, ""},
        {"zeros.ico", std::string(10, '\0'), wepo::FK_BINARY,
         ""},  // the icon test needs byte 2 = 1
        {"sjis.zz", "\x8B\xE0\x8C\x5E\r\n", wepo::FK_TEXT, "\x8B\xE0\x8C\x5E  "},
        {"cut.zz", "ab\x82", wepo::FK_BINARY, ""},  // a whole file ending inside a character
        {"eof.zz", "text\x1A", wepo::FK_TEXT, "text\x1A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string comment;
        EXPECT_EQ(Kind(c.name, c.bytes, &comment), c.kind);
        EXPECT_EQ(comment, c.comment);
    }
}

TEST_F(FileKindTest, AFullSampleMayEndInsideACharacter) {
    // 1023 ASCII bytes and a lead byte at 1024: the character goes on beyond the sample.
    std::string text(1023, 'a');
    text += "\x82\xA0 more text after the sample";
    EXPECT_EQ(Kind("long.zz", text), wepo::FK_TEXT);
}

TEST_F(FileKindTest, CommentBufferLimits) {
    std::string text(600, 'x');
    char small[8];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(wepo::IdentifyFileKind(Write("t.zz", text).c_str(), small, sizeof small),
              wepo::FK_TEXT);
    EXPECT_STREQ(small, "xxxxxxx");  // size - 1 bytes of a text
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(wepo::IdentifyFileKind(Write("n.x", Native("Rimbleton", 4).data).c_str(), small,
                                     sizeof small),
              wepo::FK_CAD_NATIVE);
    EXPECT_STREQ(small, "FLANGE");  // size - 2 characters of a header comment
    char big[256];
    wepo::IdentifyFileKind(Write("t2.zz", text).c_str(), big, sizeof big);
    EXPECT_EQ(std::strlen(big), 255u);
    // A field that fills its whole width loses its last character.
    Bytes full = Native("Rimbleton", 4).Put(106, std::string(42, 'N'));
    wepo::IdentifyFileKind(Write("f.x", full.data).c_str(), big, sizeof big);
    EXPECT_EQ(std::string(big), std::string(41, 'N') + ",D-1024,Sato");
    // No buffer, or a tiny one, is fine.
    EXPECT_EQ(wepo::IdentifyFileKind(Write("t3.zz", text).c_str(), nullptr, 0), wepo::FK_TEXT);
    char one[1] = {'#'};
    EXPECT_EQ(wepo::IdentifyFileKind(Write("n2.x", Native("Rimbleton", 4).data).c_str(), one, 1),
              wepo::FK_CAD_NATIVE);
    EXPECT_EQ(one[0], '\0');
}

TEST_F(FileKindTest, NoFileNoKind) {
    char comment[16] = "junk";
    EXPECT_EQ(wepo::IdentifyFileKind(nullptr, comment, sizeof comment), wepo::FK_NONE);
    EXPECT_STREQ(comment, "");
    EXPECT_EQ(
        wepo::IdentifyFileKind((dir_.path() / "missing.dxf").c_str(), comment, sizeof comment),
        wepo::FK_NONE);
    EXPECT_EQ(wepo::IdentifyFileKind(dir_.path().c_str(), comment, sizeof comment),
              wepo::FK_NONE);  // a folder
    EXPECT_EQ(wepo::IdentifyFileKind("/dev/null", comment, sizeof comment),
              wepo::FK_NONE);  // a device
    std::string fifo = (dir_.path() / "pipe.txt").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(wepo::IdentifyFileKind(fifo.c_str(), comment, sizeof comment),
              wepo::FK_NONE);  // never blocks
    std::string locked = Write("locked.dxf", "0\n");
    ::chmod(locked.c_str(), 0);
    if (::geteuid() != 0) {
        EXPECT_EQ(wepo::IdentifyFileKind(locked.c_str(), comment, sizeof comment), wepo::FK_NONE);
    }
}

TEST_F(FileKindTest, ReadsOnlyTheFirst1024Bytes) {
    // Keywords beyond the sample do not count.
    std::string text(1100, ' ');
    text += "\nG01 X1 Y1\n";
    EXPECT_EQ(Kind("late.zz", text), wepo::FK_TEXT);
    std::string binaryLate(1024, 'a');
    binaryLate += std::string(5, '\0');
    EXPECT_EQ(Kind("late2.zz", binaryLate), wepo::FK_TEXT);
}

}  // namespace

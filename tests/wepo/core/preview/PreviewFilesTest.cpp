// Previews by file kind through the files themselves, scripts, and the version reader.
#include "wepo/core/preview/PreviewFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "HndFixture.h"
#include "PreviewDump.h"
#include "TempDir.h"
#include "wepo/core/FileKind.h"

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

TEST(PreviewFilesTest, TextFilesKeepTheirLastByte) {
    test::TempDir dir;
    std::string hundred(99, 'x');
    hundred += 'Z';
    Write(dir.path() / "a.txt", hundred);
    wepo::PreviewText text(32767);
    wepo::PreviewRun run;
    auto d = wepo::ParsePreviewFile((dir.path() / "a.txt").string(), wepo::FK_TEXT, wepo::PRM_COLOR,
                                    text, {}, run);
    EXPECT_FALSE(d.picture);
    EXPECT_EQ(text.Text(), hundred);  // all 100 bytes
    wepo::PreviewText nc(100);
    EXPECT_FALSE(
        wepo::ParsePreviewFile((dir.path() / "a.txt").string(), wepo::FK_NC_PROGRAM, 0, nc, {}, run)
            .picture);
    EXPECT_EQ(nc.Text(), "");
    EXPECT_FALSE(
        wepo::ParsePreviewFile((dir.path() / "gone.dxf").string(), wepo::FK_DXF, 0, nc, {}, run)
            .picture);
    EXPECT_FALSE(wepo::ParsePreviewFile(dir.path().string(), wepo::FK_DXF, 0, nc, {}, run)
                     .picture);  // a folder
}

TEST(PreviewFilesTest, ScriptShowsTheDrawingItNamesAndItsOwnLines) {
    test::TempDir dir;
    test::HndDrawing drawing;
    drawing.Line(0, 0, 10, 0);
    Write(dir.path() / "parts" / "flange.nmd", drawing.data());
    Write(dir.path() / "plate.dxf", "0\nSECTION\n2\nENTITIES\n0\nPOINT\n10\n1\n20\n2\n0\nEOF\n");
    Write(dir.path() / "backup.bak",
          std::string("FLENDIR rimbl Backup V2") + std::string(500, '\0'));
    Write(dir.path() / "a.cmd", "REM a\r\nDIALOG_PREVIEW \"parts\\flange.nmd\"\r\n");
    Write(dir.path() / "b.cmd",
          "DIALOG_PREVIEW \"" + (dir.path() / "plate.dxf").string() + "\"\r\n");
    Write(dir.path() / "c.cmd", "DIALOG_PREVIEW \"backup.bak\"\r\n");
    Write(dir.path() / "d.cmd", "DIALOG_PREVIEW \"missing.dxf\"\r\n");
    const fs::path before = fs::current_path();
    wepo::PreviewRun run;
    wepo::PreviewText text(4096);
    auto a =
        wepo::ParsePreviewFile((dir.path() / "a.cmd").string(), wepo::FK_SCRIPT, 0, text, {}, run);
    EXPECT_TRUE(a.picture);
    EXPECT_EQ(test::Dump(a), "VIEW 0,0 100,50\nLINE pen0 0,0 10,0\n");
    EXPECT_EQ(text.Text(), "REM a\r\r\nDIALOG_PREVIEW \"parts\\flange.nmd\"\r\r\n");
    wepo::PreviewText none;
    EXPECT_EQ(test::Dump(wepo::ParsePreviewFile((dir.path() / "b.cmd").string(), wepo::FK_SCRIPT, 0,
                                                none, {}, run)),
              "VIEW 0,0 420,297\nPOINT 1,2\n");
    EXPECT_FALSE(
        wepo::ParsePreviewFile((dir.path() / "c.cmd").string(), wepo::FK_SCRIPT, 0, none, {}, run)
            .picture);
    EXPECT_FALSE(
        wepo::ParsePreviewFile((dir.path() / "d.cmd").string(), wepo::FK_SCRIPT, 0, none, {}, run)
            .picture);
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_EQ(wepo::ResolveScriptName("/a/b/s.cmd", "x\\y.dxf"), "/a/b/x/y.dxf");
    EXPECT_EQ(wepo::ResolveScriptName("/a/b/s.cmd", "/abs.dxf"), "/abs.dxf");
}

// A minimal Windows program: DOS header, PE header, one section holding a version resource.
std::string TinyProgram(uint32_t high, uint32_t low) {
    test::Bytes b(0x200);
    b.Put(0, "MZ")
        .U32(0x3C, 0x40)
        .Put(0x40, std::string("PE\0\0", 4))
        .U16(0x44, 0x14C)
        .U16(0x46, 1);
    b.U16(0x54, 0xE0).U16(0x58, 0x10B);
    b.U32(0xC8, 0x1000).U32(0xCC, 0xB4);  // resource directory
    b.Put(0x138, ".rsrc").U32(0x140, 0xB4).U32(0x144, 0x1000).U32(0x148, 0xB4).U32(0x14C, 0x200);
    const size_t r = 0x200;
    b.U16(r + 14, 1).U32(r + 16, 16).U32(r + 20, 0x80000018);  // type 16: version
    b.U16(r + 0x18 + 14, 1).U32(r + 0x18 + 16, 1).U32(r + 0x18 + 20, 0x80000030);
    b.U16(r + 0x30 + 14, 1).U32(r + 0x30 + 16, 0x411).U32(r + 0x30 + 20, 0x48);
    b.U32(r + 0x48, 0x1000 + 0x58).U32(r + 0x4C, 0x5C);  // the data entry
    const size_t v = r + 0x58;
    b.U16(v, 0x5C).U16(v + 2, 52);
    const char* key = "VS_VERSION_INFO";
    for (int i = 0; key[i]; ++i) b.U16(v + 6 + 2 * i, static_cast<unsigned char>(key[i]));
    b.U32(v + 40, 0xFEEF04BD)
        .U32(v + 44, 0x10000)
        .U32(v + 48, high)
        .U32(v + 52, low)
        .U32(v + 90, 0);
    return b.data();
}

TEST(PreviewFilesTest, VersionOfATinyProgram) {
    auto version = wepo::ReadFixedFileVersion(TinyProgram(1 << 16 | 2, 3 << 16 | 4));
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(wepo::VersionText(*version), "Version 1.2.3");
    std::string program = TinyProgram(0, 0);
    EXPECT_FALSE(wepo::ReadFixedFileVersion(program.substr(0, 0x250)).has_value());  // cut short
    std::string noResource = program;
    noResource[0xC8] = noResource[0xC9] = 0;
    EXPECT_FALSE(wepo::ReadFixedFileVersion(noResource).has_value());
    EXPECT_FALSE(wepo::ReadFixedFileVersion("MZ").has_value());
    std::string badOffset = program;
    badOffset[0x3C] = '\xFF', badOffset[0x3D] = '\xFF', badOffset[0x3E] = '\xFF',
    badOffset[0x3F] = '\x7F';
    EXPECT_FALSE(wepo::ReadFixedFileVersion(badOffset).has_value());
}

}  // namespace

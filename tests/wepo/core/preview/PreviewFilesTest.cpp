// Previews by file kind through the files themselves, scripts, and the version reader.
#include "wepo/core/preview/PreviewFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "HndFixture.h"
#include "PreviewDump.h"
#include "TempDir.h"
#include "TinyProgram.h"
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

TEST(PreviewFilesTest, VersionOfATinyProgram) {
    auto version = wepo::ReadFixedFileVersion(test::TinyProgram(1 << 16 | 2, 3 << 16 | 4));
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(wepo::VersionText(*version), "Version 1.2.3");
    std::string program = test::TinyProgram(0, 0);
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

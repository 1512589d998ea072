// Paths handed to outside programs.
#include "app/core/ExternalPrograms.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestFiles.h"

TEST(ExternalProgramsTest, SheetFilePath) {
    struct Case {
        const char* nc;
        const char* ext;
        const char* sheet;
    };
    const Case cases[] = {
        {"/nc/A01.nc", "PDF", "/nc/A01.PDF"},
        {"/nc/A01.nc", "", "/nc/A01"},
        // Only the file name's extension goes: a dotted folder keeps its tail.
        {"/nc/my.dir/A01", "PDF", "/nc/my.dir/A01.PDF"},
        {"/nc/my.dir/A01.nc", "pdf", "/nc/my.dir/A01.pdf"},
        {"/nc/A01.tar.nc", "PDF", "/nc/A01.tar.PDF"},
        {"/nc/.hidden", "PDF", "/nc/.hidden.PDF"},
        {"A01.nc", "PDF", "A01.PDF"},
    };
    for (const Case& c : cases) EXPECT_EQ(SheetFilePath(c.nc, c.ext), c.sheet) << c.nc;
    // No fixed buffer: a long path is kept whole.
    const std::string deep = "/" + std::string(400, 'd') + "/A01.nc";
    EXPECT_EQ(SheetFilePath(deep, "PDF"), "/" + std::string(400, 'd') + "/A01.PDF");
}

TEST(ExternalProgramsTest, FindsTheExtensionInAnyCase) {
    test::TempDir tmp;
    const std::string folder = tmp.path().string() + "/";
    test::WriteFile(folder + "A01.pdf", "x");
    test::WriteFile(folder + "B02.PDF", "x");
    test::WriteFile(folder + "c03.Pdf", "x");
    EXPECT_EQ(FindExtensionIgnoringCase(folder + "A01.PDF"), folder + "A01.pdf");
    EXPECT_EQ(FindExtensionIgnoringCase(folder + "B02.PDF"), folder + "B02.PDF");
    // Only the extension's case may differ: the name keeps its own.
    EXPECT_EQ(FindExtensionIgnoringCase(folder + "C03.PDF"), folder + "C03.PDF");
    EXPECT_EQ(FindExtensionIgnoringCase(folder + "c03.pdf"), folder + "c03.Pdf");
    EXPECT_EQ(FindExtensionIgnoringCase(folder + "missing.PDF"), folder + "missing.PDF");
    EXPECT_EQ(FindExtensionIgnoringCase(folder + "nofolder/x.PDF"), folder + "nofolder/x.PDF");
}

TEST(ExternalProgramsTest, FolderKeptAfterOutput) {
    EXPECT_EQ(FolderKeptAfterOutput("/out/a.dxf"), "/out/");
    EXPECT_EQ(FolderKeptAfterOutput("/a.dxf"), "/");
    EXPECT_EQ(FolderKeptAfterOutput("a.dxf"), "a.dxf");
}

// Tests of the run-time library loader, with the maths library as a stand-in.
#include "platform/Library.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TempDir.h"

using namespace platform;
namespace fs = std::filesystem;

TEST(Library, NameMapping) {
    struct Case {
        const char* name;
        const char* file;
    } cases[] = {
        {"VEV2OVO.dll", "libVEV2OVO.so"},
        {"derore.DLL", "libderore.so"},
        {"flAdjustToolPath", "libflAdjustToolPath.so"},
        {"libx.so", "libx.so"},
    };
    for (const Case& c : cases) EXPECT_EQ(LibraryFileName(c.name), c.file);
}

TEST(Library, LoadsFromFolderAndFindsFunctions) {
    // Put the maths library into a folder under the name an outside library would have.
    Dl_info info{};
    double (*cosine)(double) = &std::cos;
    ASSERT_NE(dladdr(reinterpret_cast<void*>(cosine), &info), 0);
    const test::TempDir scratch;
    fs::path dir = scratch.path() / "mv_lib";
    fs::create_directories(dir);
    fs::remove(dir / "libVEVSTUB.so");
    fs::create_symlink(fs::canonical(info.dli_fname), dir / "libVEVSTUB.so");

    Library lib;
    ASSERT_TRUE(lib.Open(dir, "VEVSTUB.dll")) << lib.Error();
    EXPECT_EQ(lib.File(), dir / "libVEVSTUB.so");
    auto f = lib.Function<double (*)(double)>("cos");
    ASSERT_NE(f, nullptr);
    EXPECT_DOUBLE_EQ(f(0.0), 1.0);

    EXPECT_EQ(lib.Symbol("flGetWorkTime"), nullptr);
    EXPECT_NE(lib.Error().find("flGetWorkTime"), std::string::npos);

    Library moved = std::move(lib);
    EXPECT_FALSE(lib.IsOpen());
    EXPECT_TRUE(moved.IsOpen());
    moved.Close();
    EXPECT_EQ(moved.Symbol("cos"), nullptr);
    fs::remove_all(dir);
}

TEST(Library, MissingLibraryGivesClearError) {
    Library lib;
    EXPECT_FALSE(lib.Open("/nonexistent-mv", "derore.dll"));
    EXPECT_FALSE(lib.IsOpen());
    EXPECT_NE(lib.Error().find("/nonexistent-mv/libderore.so"), std::string::npos) << lib.Error();
}

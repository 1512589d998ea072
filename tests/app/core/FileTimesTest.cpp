// The up-to-date test of generated output.
#include "app/core/FileTimes.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"

namespace fs = std::filesystem;

TEST(IsOutputOutdated, ComparesLastWriteTimes) {
    test::TempDir tmp;
    fs::path out = tmp.path() / "a.dxf", src = tmp.path() / "a.nc";
    std::ofstream(out) << "x";
    std::ofstream(src) << "y";
    auto t = fs::last_write_time(src);
    struct Case {
        int outShift;  // seconds relative to the source; 99 = output missing
        bool srcMissing;
        int expected;
    };
    const Case cases[] = {{99, false, 1}, {0, false, 1}, {-5, false, 1},
                          {5, false, 0},  {5, true, 0},  {99, true, 1}};
    for (const auto& c : cases) {
        std::ofstream(out) << "x";
        std::ofstream(src) << "y";
        fs::last_write_time(src, t);
        if (c.outShift == 99)
            fs::remove(out);
        else
            fs::last_write_time(out, t + std::chrono::seconds(c.outShift));
        if (c.srcMissing) fs::remove(src);
        EXPECT_EQ(IsOutputOutdated(out, src), c.expected) << c.outShift << " " << c.srcMissing;
    }
}

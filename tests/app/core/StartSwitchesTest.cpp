// Start switches: each switch a whole argument, the file the first other argument.
#include "app/core/StartSwitches.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    std::vector<std::string> args;
    int instance;
    bool jp, us, hasMode;
    int mode;
    std::string file;
};

TEST(StartSwitches, Table) {
    const Case cases[] = {
        {{}, 0, false, false, false, 0, ""},
        {{"/n3", "/data/a.nc"}, 3, false, false, false, 0, "/data/a.nc"},
        {{"/n", "3", "/data/a.nc"}, 3, false, false, false, 0, "/data/a.nc"},
        {{"/n"}, 0, false, false, false, 0, ""},
        {{"/n", "/data/a.nc"}, 0, false, false, false, 0, "/data/a.nc"},
        // A path starting with "/n" is a file, not the switch.
        {{"/nfs/nc/a.nc"}, 0, false, false, false, 0, "/nfs/nc/a.nc"},
        {{"/n3data/a.nc"}, 0, false, false, false, 0, "/n3data/a.nc"},
        {{"/JP", "/US"}, 0, true, true, false, 0, ""},
        {{"/US"}, 0, false, true, false, 0, ""},
        {{"/jp"}, 0, false, false, false, 0, "/jp"},  // switches are case-sensitive
        {{"/m=30"}, 0, false, false, true, 30, ""},
        {{"/m=1", "x.nc"}, 0, false, false, true, 1, "x.nc"},
        {{"/m="}, 0, false, false, true, 0, ""},
        {{"/m=abc"}, 0, false, false, true, 0, ""},
        {{"/m=99999999999"}, 0, false, false, true, 2147483647, ""},
        {{"a.nc", "b.nc"}, 0, false, false, false, 0, "a.nc"},
    };
    for (const Case& c : cases) {
        StartSwitches s = ParseStartSwitches(c.args);
        std::string what = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(s.InstanceNumber, c.instance) << what;
        EXPECT_EQ(s.Japanese, c.jp) << what;
        EXPECT_EQ(s.English, c.us) << what;
        EXPECT_EQ(s.HasProcessMode, c.hasMode) << what;
        EXPECT_EQ(s.ProcessMode, c.mode) << what;
        EXPECT_EQ(s.File, c.file) << what;
    }
    EXPECT_EQ(ParseStartSwitches({"a.nc", "b.nc"}).Ignored, std::vector<std::string>{"b.nc"});
}

TEST(StartSwitches, ReadLeadingInt) {
    EXPECT_EQ(ReadLeadingInt("  -12x"), -12);
    EXPECT_EQ(ReadLeadingInt("+7"), 7);
    EXPECT_EQ(ReadLeadingInt("x7"), 0);
    EXPECT_EQ(ReadLeadingInt(""), 0);
    EXPECT_EQ(ReadLeadingInt("-99999999999"), -2147483647 - 1);
}

}  // namespace

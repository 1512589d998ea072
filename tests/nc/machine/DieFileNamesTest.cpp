// The one rule that turns [Punch] names into die files and files back into names.
#include "nc/machine/DieFileNames.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

// A configuration folder with in.dat and both.dat, and a machine in a folder of its own with
// beside.dat and both.dat beside it.
class DieFileNamesRule : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(config);
        fs::create_directories(shipped);
        fs::create_directories(other);
        for (const fs::path& f : {config / "in.dat", config / "both.dat", shipped / "beside.dat",
                                  shipped / "both.dat", shipped / "m.nmd"})
            std::ofstream(f) << "x";
    }
    test::TempDir dir;
    const fs::path config = dir.path() / "config";
    const fs::path shipped = dir.path() / "shipped";
    const fs::path other = dir.path() / "other";
};

TEST_F(DieFileNamesRule, ANameReachesTheConfigurationFolderFirstThenTheMachinesFolder) {
    struct Case {
        std::string name;
        fs::path machine;
        fs::path reached;
    } const cases[] = {
        {"", shipped / "m.nmd", {}},
        {"/elsewhere/x.dat", shipped / "m.nmd", "/elsewhere/x.dat"},
        {"in.dat", shipped / "m.nmd", config / "in.dat"},
        {"beside.dat", shipped / "m.nmd", shipped / "beside.dat"},
        {"both.dat", shipped / "m.nmd", config / "both.dat"},
        {"none.dat", shipped / "m.nmd", config / "none.dat"},
        {"beside.dat", {}, config / "beside.dat"},
        {"beside.dat", other / "m.nmd", config / "beside.dat"},
        // A relative machine file is in the configuration folder.
        {"beside.dat", "../shipped/m.nmd", config / "../shipped/beside.dat"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(diefile::ResolveName(c.name, config, c.machine), c.reached)
            << c.name << " from " << c.machine;
}

TEST_F(DieFileNamesRule, ANameStaysAsItWasWhileItReachesTheSameFileFromTheMachine) {
    struct Case {
        fs::path file;
        std::string previous;
        fs::path machine;
        std::string stored;
    } const cases[] = {
        // The punch sample's names, written back into its own machine file.
        {shipped / "beside.dat", "beside.dat", shipped / "m.nmd", "beside.dat"},
        // The same written into a machine file in another folder: from there the name would
        // miss its file.
        {shipped / "beside.dat", "beside.dat", other / "x.nmd", (shipped / "beside.dat").string()},
        {config / "in.dat", "in.dat", other / "x.nmd", "in.dat"},
        {config / "./in.dat", (config / "in.dat").string(), other / "x.nmd",
         (config / "in.dat").string()},
        // Another file is stored as its full path.
        {config / "new.dat", "in.dat", shipped / "m.nmd", (config / "new.dat").string()},
        {other / "y.dat", "", shipped / "m.nmd", (other / "y.dat").string()},
        {{}, "in.dat", shipped / "m.nmd", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(diefile::StoredName(c.file, c.previous, config, c.machine), c.stored)
            << c.file << " was " << c.previous << " in " << c.machine;
}

}  // namespace

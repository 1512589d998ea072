// The die and arrangement editing drivers, run with a scripted dialog and scripted answers.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <sstream>
#include <thread>

#include "DieTestSupport.h"
#include "TempDir.h"
#include "TestFiles.h"
#include "nc/machine/CPunchTool.h"
#include "nc/machine/DieDialogTable.h"
#include "nc/machine/DieMessages.h"
#include "platform/StringTable.h"

using dietest::Fixture;
using dietest::ManyDies;
using dietest::ReadBytes;
using platform::PromptAnswer;

namespace {

// A configuration folder holding a die file, an arrangement and a machine file, read into
// a tool whose dialogs are scripted.
class Editing : public ::testing::Test {
protected:
    test::TempDir dir;
    dietest::Context ctx{dir.path()};
    dietest::FakeDialogs dialogs;
    CPunchTool tool{&ctx.app};
    std::filesystem::path config = dir.path();

    void SetUp() override {
        std::filesystem::copy_file(Fixture("pch_v4.dat"), config / "pch.dat");
        std::filesystem::copy_file(Fixture("arr_v2.arr"), config / "turret.arr");
        std::filesystem::copy_file(Fixture("machine.nmd"), config / "machine.nmd");
        tool.Dialogs = &dialogs;
        tool.MachineFileName = [] { return std::string("machine.nmd"); };
        tool.PossessedToolFileName = "pch.dat";
        tool.ArrangedToolFileName = "turret.arr";
        ASSERT_EQ(tool.ReadWritePossessed(1), 0);
        ASSERT_EQ(tool.ReadWriteArrangement(1), 0);
        ASSERT_TRUE(ctx.prompt.asked.empty());
    }
    std::string Asked(size_t i) const {
        return i < ctx.prompt.asked.size() ? ctx.prompt.asked[i].text : "<nothing asked>";
    }
    static std::string Msg(int id, std::string_view arg = {}) {
        return diemsg::Fill(diemsg::Text(id), {arg});
    }
    // The next die dialog records the placed marks it is given for dies 10 and 7, and ends
    // with 1.
    void RecordPlacedMarks(int& placed10, int& placed7) {
        dialogs.dieSteps.push_back([&placed10, &placed7](DieDialogState& st) {
            for (int i = 0; i < st.Header.DieCount; ++i) {
                if (st.Dies[i].Number == 10) placed10 = st.Dies[i].Placed;
                if (st.Dies[i].Number == 7) placed7 = st.Dies[i].Placed;
            }
            return 1;
        });
    }
};

// --- possessed dies -------------------------------------------------------------------

TEST_F(Editing, DieDialogWithoutChangeAsksNothingAndWritesNothing) {
    const std::string before = ReadBytes(config / "pch.dat");
    dialogs.dieSteps.push_back([](DieDialogState& st) {
        st.Header.SelectedDie = 2;  // a selection alone is no change
        return 1;
    });
    EXPECT_EQ(tool.EditPossessedDies(), 0);
    EXPECT_EQ(dialogs.dieRuns, 1);
    EXPECT_TRUE(ctx.prompt.asked.empty());
    EXPECT_EQ(ReadBytes(config / "pch.dat"), before);
    EXPECT_EQ(tool.Header.SelectedDie, 2);
    EXPECT_TRUE(tool.DialogState.Dies.empty());  // working blocks are freed
    EXPECT_FALSE(tool.DialogState.Arrangement);
}

TEST_F(Editing, DieChangeAnsweredYesWritesSortedByNumberThenSortsShapeFirst) {
    dialogs.dieSteps.push_back([](DieDialogState& st) {
        EXPECT_EQ(st.Mode, 1);
        EXPECT_EQ(st.ShapeMask, 0xFFFF);
        EXPECT_EQ(st.PossessedFileName, "pch.dat");
        EXPECT_EQ(st.Numbers.size(), static_cast<size_t>(kMaxDies));
        st.Dies[st.Header.DieCount].Number = 1;  // a new die
        st.Dies[st.Header.DieCount].Range = 1;
        st.Dies[st.Header.DieCount].Shape = 14;
        ++st.Header.DieCount;
        return 1;
    });
    ctx.prompt.answers = {PromptAnswer::Yes};
    EXPECT_EQ(tool.EditPossessedDies(), 0);
    ASSERT_EQ(ctx.prompt.asked.size(), 1u);
    EXPECT_EQ(Asked(0), Msg(diemsg::kUpdatePossessed, "pch.dat"));
    EXPECT_EQ(ctx.prompt.asked[0].icon, platform::PromptIcon::Warning);
    EXPECT_EQ(ctx.prompt.asked[0].buttons, platform::PromptButtons::YesNo);

    CPunchTool back;
    ASSERT_EQ(back.ReadPossessedFile(config / "pch.dat"), 0);
    ASSERT_EQ(back.Header.DieCount, 5);
    const int byNumber[] = {1, 3, 7, 10, 25};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(back.Dies[i].Number, byNumber[i]);
    const int byShape[] = {10, 3, 7, 25, 1};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(tool.Dies[i].Number, byShape[i]);
}

TEST_F(Editing, DieChangeAnsweredNoStaysInTheObjectOnly) {
    const std::string before = ReadBytes(config / "pch.dat");
    dialogs.dieSteps.push_back([](DieDialogState& st) {
        st.Dies[0].SizeX = 99.0;
        return 1;
    });
    ctx.prompt.answers = {PromptAnswer::No};
    tool.EditPossessedDies();
    EXPECT_EQ(ctx.prompt.asked.size(), 1u);
    EXPECT_EQ(ReadBytes(config / "pch.dat"), before);
    EXPECT_DOUBLE_EQ(tool.Dies[0].SizeX, 99.0);
}

TEST_F(Editing, DieDialogCancelStillTakesTheCopy) {
    const std::string before = ReadBytes(config / "pch.dat");
    dialogs.dieSteps.push_back([](DieDialogState& st) {
        st.Dies[1].Air = 1 - st.Dies[1].Air;
        return 0;
    });
    const int air = tool.Dies[1].Air;
    ctx.prompt.answers = {PromptAnswer::No};
    tool.EditPossessedDies();
    EXPECT_EQ(tool.Dies[1].Air, 1 - air);
    EXPECT_EQ(Asked(0), Msg(diemsg::kUpdatePossessed, "pch.dat"));
    EXPECT_EQ(ReadBytes(config / "pch.dat"), before);
}

TEST_F(Editing, DieWriteFailureOffersToEditAgain) {
    tool.PossessedToolFileName = "sub/pch.dat";  // its folder does not exist yet
    const std::filesystem::path sub = config / "sub";
    dialogs.dieSteps.push_back([](DieDialogState& st) {
        st.Dies[0].SizeX = 99.0;  // die 10
        return 1;
    });
    dialogs.dieSteps.push_back([sub](DieDialogState& st) {
        // The edit is still there (the failed write sorted the table by number).
        auto die10 = std::find_if(st.Dies.begin(), st.Dies.end(),
                                  [](const DieRecord& d) { return d.Number == 10; });
        EXPECT_DOUBLE_EQ(die10->SizeX, 99.0);
        std::filesystem::create_directory(sub);
        return 1;
    });
    ctx.prompt.answers = {PromptAnswer::Yes, PromptAnswer::Ok, PromptAnswer::Yes,
                          PromptAnswer::Yes};
    tool.EditPossessedDies();
    EXPECT_EQ(dialogs.dieRuns, 2);
    ASSERT_EQ(ctx.prompt.asked.size(), 4u);
    EXPECT_EQ(Asked(1),
              diemsg::FileErrorText(diemsg::kPossessedOpen, (config / "sub/pch.dat").string(), 0));
    EXPECT_EQ(Asked(2), Msg(diemsg::kPossessedWriteRetry));
    // Still a change against the state before the first dialog: asked and written.
    EXPECT_EQ(Asked(3), Msg(diemsg::kUpdatePossessed, "sub/pch.dat"));
    EXPECT_TRUE(std::filesystem::exists(sub / "pch.dat"));
}

TEST_F(Editing, DieWriteFailureAnsweredNoStops) {
    tool.PossessedToolFileName = "sub/pch.dat";
    dialogs.dieSteps.push_back([](DieDialogState& st) {
        st.Dies[0].SizeX = 99.0;
        return 1;
    });
    ctx.prompt.answers = {PromptAnswer::Yes, PromptAnswer::Ok, PromptAnswer::No};
    tool.EditPossessedDies();
    EXPECT_EQ(dialogs.dieRuns, 1);
    EXPECT_EQ(ctx.prompt.asked.size(), 3u);
    EXPECT_DOUBLE_EQ(tool.FindDie(10)->SizeX, 99.0);
}

TEST_F(Editing, DieDialogOpensOnTheRightShapeButton) {
    struct Case {
        int mask, mode, selected, autoSelect;
        int button, selectedAfter;
    };
    // Dies after the arrangement read, shape first: 10 round, 3 square, 7 special, 25 tap.
    const Case cases[] = {
        {1 << 4, 1, 2, 0, 3, 2},                 // one shape allowed: its button
        {0, 1, 0, 0, 0, 0},                      // die 0 is preselected like any other
        {0, 1, 1, 0, 1, 1},                      // square die: button 1
        {0, 0, 3, 1, 15, 3},                     // automatic choice when selecting
        {0, 1, 3, 1, 10, 3},                     // ... but not when editing
        {(1 << 3) | (1 << 5), 1, 0, 0, 2, -1},   // round not allowed: first allowed, no die
        {1 << 15 | 1 << 14, 1, -99, 0, 13, -1},  // button 0 not allowed: shape 14
        {1 << 15 | 1 << 1 | 1 << 2, 0, -99, 1, 15, -99},  // automatic choice allowed
        {1 << 15 | 1 << 0, 0, -99, 1, 14, -99},           // bit 15 the only shape bit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mask " << c.mask << " selected " << c.selected);
        tool.Header.SelectedDie = c.selected;
        tool.Header.AutoSelect = c.autoSelect;
        int button = -7, selected = -7;
        dialogs.dieSteps.push_back([&](DieDialogState& st) {
            button = st.SelectedShapeButton;
            selected = st.Header.SelectedDie;
            EXPECT_EQ(st.DieListIndex, -1);
            EXPECT_EQ(st.DieListRows, 10);
            return 0;
        });
        EXPECT_EQ(tool.ShowDieDialog(c.mask, c.mode), 0);
        EXPECT_EQ(button, c.button);
        EXPECT_EQ(selected, c.selectedAfter);
    }
}

TEST_F(Editing, DieDialogSeesPlacedMarksOfTheArrangement) {
    for (DieRecord& d : tool.Dies) d.Placed = 0;
    int placed10 = -1, placed7 = -1;
    RecordPlacedMarks(placed10, placed7);
    tool.ShowDieDialog(0, 0);
    EXPECT_EQ(placed10, 1);
    EXPECT_EQ(placed7, 0);
}

// Marks are set for every mask, and cleared where no station holds the die, also when the
// arrangement has no stations at all.
TEST_F(Editing, DieDialogRenewsPlacedMarksForEveryMask) {
    struct Case {
        int mask;
        int stations;
        int placed10;
    };
    const Case cases[] = {
        {0, -1, 1}, {1 << 1, -1, 1}, {0x8000 | (1 << 3), -1, 1}, {0, 0, 0}, {1 << 1, 0, 0}};
    for (const Case& c : cases) {
        if (c.stations >= 0) tool.Arrangement.StationCount = c.stations;
        for (DieRecord& d : tool.Dies) d.Placed = 1;  // stale marks
        int placed10 = -1, placed7 = -1;
        RecordPlacedMarks(placed10, placed7);
        tool.ShowDieDialog(c.mask, 0);
        EXPECT_EQ(placed10, c.placed10) << c.mask << " " << c.stations;
        EXPECT_EQ(placed7, 0) << c.mask << " " << c.stations;
    }
}

// --- arrangement ----------------------------------------------------------------------

TEST_F(Editing, ArrangementCancelChangesNothing) {
    const TurretArrangement before = tool.Arrangement;
    const std::string arr = ReadBytes(config / "turret.arr");
    const std::string machine = ReadBytes(config / "machine.nmd");
    for (int answer : {0, -1}) {  // Cancel, and a dialog that could not be made
        dialogs.arrangementSteps.push_back([answer](DieDialogState& st) {
            st.Arrangement->Stations[0].PosX = 1.0;
            st.TurretName = "X";
            return answer;
        });
        EXPECT_EQ(tool.EditArrangement(), -1);
    }
    EXPECT_EQ(tool.Arrangement, before);
    EXPECT_TRUE(ctx.prompt.asked.empty());
    EXPECT_EQ(ReadBytes(config / "turret.arr"), arr);
    EXPECT_EQ(ReadBytes(config / "machine.nmd"), machine);
    EXPECT_EQ(tool.RunArrangementEditor(), 0);
}

TEST_F(Editing, ArrangementWithoutChangeAsksNothingForARelativeName) {
    const std::string machine = ReadBytes(config / "machine.nmd");
    dialogs.arrangementSteps.push_back([this](DieDialogState& st) {
        EXPECT_EQ(st.ArrangementPath, (config / "turret.arr").string());
        EXPECT_EQ(st.StationCount, 2);
        EXPECT_EQ(st.TurretName, "T-30");
        st.Arrangement->Stations[0].Die.Placed = 3;  // placed marks alone are no change
        return 1;
    });
    EXPECT_EQ(tool.EditArrangement(), 0);
    EXPECT_TRUE(ctx.prompt.asked.empty());
    EXPECT_EQ(tool.ArrangedToolFileName, "turret.arr");
    EXPECT_EQ(ReadBytes(config / "machine.nmd"), machine);
}

TEST_F(Editing, ArrangementChangeAnsweredYesWritesTheFile) {
    dialogs.arrangementSteps.push_back([](DieDialogState& st) {
        st.Arrangement->Stations[1].PosX = 333.0;
        st.TurretName = "NEW";
        return 1;
    });
    ctx.prompt.answers = {PromptAnswer::Yes};
    EXPECT_EQ(tool.EditArrangement(), 0);
    ASSERT_EQ(ctx.prompt.asked.size(), 1u);
    EXPECT_EQ(Asked(0), Msg(diemsg::kUpdateArrangement, "turret.arr"));
    EXPECT_EQ(ctx.prompt.asked[0].icon, platform::PromptIcon::Warning);
    EXPECT_EQ(tool.Arrangement.TurretName, "NEW");

    CPunchTool back;
    ASSERT_EQ(back.ReadPossessedFile(config / "pch.dat"), 0);
    ASSERT_EQ(back.ReadArrangementFile(config / "turret.arr"), 0);
    EXPECT_EQ(back.Arrangement.TurretName, "NEW");
    EXPECT_DOUBLE_EQ(back.Arrangement.Stations[1].PosX, 333.0);
    // The configured relative name is kept.
    EXPECT_NE(ReadBytes(config / "machine.nmd").find("ArrangedToolFileName=turret.arr"),
              std::string::npos);
}

TEST_F(Editing, ArrangementChangeAnsweredNoLeavesFilesAlone) {
    const std::string arr = ReadBytes(config / "turret.arr");
    const std::string machine = ReadBytes(config / "machine.nmd");
    dialogs.arrangementSteps.push_back([this](DieDialogState& st) {
        st.ArrangementPath = (config / "other").string();
        st.Arrangement->Stations[0].PosY = 5.0;
        return 1;
    });
    ctx.prompt.answers = {PromptAnswer::No};
    EXPECT_EQ(tool.EditArrangement(), 0);
    EXPECT_EQ(ctx.prompt.asked.size(), 1u);
    EXPECT_DOUBLE_EQ(tool.Arrangement.Stations[0].PosY, 5.0);
    EXPECT_EQ(tool.ArrangedToolFileName, (config / "other.arr").string());
    EXPECT_EQ(ReadBytes(config / "turret.arr"), arr);
    EXPECT_EQ(ReadBytes(config / "machine.nmd"), machine);  // not before the user agreed
    EXPECT_FALSE(std::filesystem::exists(config / "other.arr"));
}

TEST_F(Editing, ArrangementExtensionFollowsTheFileNameOnly) {
    std::filesystem::create_directory(config / ".hidden.d");
    dialogs.arrangementSteps.push_back([this](DieDialogState& st) {
        st.ArrangementPath = (config / ".hidden.d" / "newturret").string();
        return 1;
    });
    dialogs.arrangementSteps.push_back([this](DieDialogState& st) {
        st.ArrangementPath = (config / ".hidden.d" / "second.ARR").string();
        return 1;
    });
    ctx.prompt.answers = {PromptAnswer::Yes, PromptAnswer::Yes};
    EXPECT_EQ(tool.EditArrangement(), 0);
    EXPECT_EQ(Asked(0), Msg(diemsg::kUpdateArrangement, "newturret.arr"));
    EXPECT_TRUE(std::filesystem::exists(config / ".hidden.d" / "newturret.arr"));
    EXPECT_NE(
        ReadBytes(config / "machine.nmd")
            .find("ArrangedToolFileName=" + (config / ".hidden.d" / "newturret.arr").string()),
        std::string::npos);
    EXPECT_EQ(tool.EditArrangement(), 0);
    EXPECT_EQ(Asked(1), Msg(diemsg::kUpdateArrangement, "second.ARR"));
}

TEST_F(Editing, ArrangementWriteFailureOpensTheDialogAgainOnTheEditedCopy) {
    const std::filesystem::path sub = config / "sub";
    dialogs.arrangementSteps.push_back([sub](DieDialogState& st) {
        st.ArrangementPath = (sub / "t.arr").string();
        st.Arrangement->Stations[0].PosX = 77.0;
        return 1;
    });
    dialogs.arrangementSteps.push_back([sub](DieDialogState& st) {
        EXPECT_DOUBLE_EQ(st.Arrangement->Stations[0].PosX, 77.0);
        EXPECT_EQ(st.ArrangementPath, (sub / "t.arr").string());
        std::filesystem::create_directory(sub);
        return 1;  // nothing more changed: the edits still wait to be written
    });
    ctx.prompt.answers = {PromptAnswer::Yes, PromptAnswer::Ok, PromptAnswer::Yes,
                          PromptAnswer::Yes};
    const std::string machine = ReadBytes(config / "machine.nmd");
    EXPECT_EQ(tool.EditArrangement(), 0);
    EXPECT_EQ(dialogs.arrangementRuns, 2);
    ASSERT_EQ(ctx.prompt.asked.size(), 4u);
    EXPECT_EQ(Asked(1),
              diemsg::FileErrorText(diemsg::kArrangementOpen, (sub / "t.arr").string(), 0));
    EXPECT_EQ(Asked(2), Msg(diemsg::kArrangementWriteRetry));
    EXPECT_EQ(Asked(3), Msg(diemsg::kUpdateArrangement, "t.arr"));
    EXPECT_TRUE(std::filesystem::exists(sub / "t.arr"));
    EXPECT_NE(ReadBytes(config / "machine.nmd").find((sub / "t.arr").string()), std::string::npos);
}

TEST_F(Editing, ASnapshotOfTheObjectUndoesTakenEdits) {
    const CPunchTool snapshot = tool;  // what the punch page keeps for its Cancel
    dialogs.arrangementSteps.push_back([](DieDialogState& st) {
        st.Arrangement->Stations[0].PosX = 1.0;
        return 1;
    });
    ctx.prompt.answers = {PromptAnswer::No};
    tool.EditArrangement();
    EXPECT_NE(tool.Arrangement, snapshot.Arrangement);
    tool = snapshot;
    EXPECT_EQ(tool.Arrangement, snapshot.Arrangement);
    EXPECT_EQ(tool.Dies, snapshot.Dies);
    EXPECT_EQ(tool.ArrangedToolFileName, "turret.arr");
}

TEST_F(Editing, ArrangementWriteFailureAnsweredNoKeepsTheMachineFile) {
    const std::string machine = ReadBytes(config / "machine.nmd");
    dialogs.arrangementSteps.push_back([this](DieDialogState& st) {
        st.ArrangementPath = (config / "sub" / "t.arr").string();
        return 1;
    });
    ctx.prompt.answers = {PromptAnswer::Yes, PromptAnswer::Ok, PromptAnswer::No};
    EXPECT_EQ(tool.EditArrangement(), 0);
    EXPECT_EQ(dialogs.arrangementRuns, 1);
    EXPECT_EQ(ReadBytes(config / "machine.nmd"), machine);
}

// --- a die file of more dies than the table holds ---------------------------------------

// The messages of these tests are compared in English, whatever the locale says.
class EnglishTexts {
public:
    EnglishTexts() { platform::SetLanguage(platform::Language::English); }
    ~EnglishTexts() { platform::SetLanguage(old_); }

private:
    platform::Language old_ = platform::CurrentLanguage();
};

// The die lines of a version 4 die file: neither title, version, comment nor empty.
std::vector<std::string> DieLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';' || line[0] == '*' || line.starts_with("TITLE") ||
            line.find_first_not_of(' ') == std::string::npos)
            continue;
        lines.push_back(line);
    }
    return lines;
}

std::string Asked(const dietest::Context& ctx, size_t i) {
    return i < ctx.prompt.asked.size() ? ctx.prompt.asked[i].text : "<nothing asked>";
}

// A die file of 2005 dies, loaded into the table of 2000.
struct DieFileBeyondTheTable : ::testing::Test {
    EnglishTexts english;
    test::TempDir dir;
    dietest::Context ctx{dir.path()};
    dietest::FakeDialogs dialogs;
    CPunchTool tool{&ctx.app};
    std::string bytes;

    // Writes the file in the syntax of `version` and loads it: the user is told once.
    void Load(const std::string& name, int version) {
        bytes = ManyDies(kMaxDies + 5, version);
        dietest::WriteBytes(dir.path() / name, bytes);
        tool.Dialogs = &dialogs;
        tool.PossessedToolFileName = name;
        ASSERT_EQ(tool.ReadWritePossessed(1), 0);
        EXPECT_EQ(tool.Header.DieCount, kMaxDies);
        ASSERT_EQ(ctx.prompt.asked.size(), 1u);
        EXPECT_NE(ctx.prompt.asked[0].text.find("first 2000 of 2005"), std::string::npos)
            << ctx.prompt.asked[0].text;
        EXPECT_NE(ctx.prompt.asked[0].text.find((dir.path() / name).string()), std::string::npos);
        EXPECT_EQ(ctx.prompt.asked[0].icon, platform::PromptIcon::Warning);
    }
    // The die dialog changes the first die and ends with OK.
    void EditFirstDie() {
        dialogs.dieSteps.push_back([](DieDialogState& st) {
            st.Dies[0].SizeX = 12.5;
            return 1;
        });
        tool.EditPossessedDies();
    }
};

// A save after an edit writes every die of the file: the table's, then the others byte for byte
// as they were read.
TEST_F(DieFileBeyondTheTable, LoadTellsAndASaveKeepsEveryDie) {
    ASSERT_NO_FATAL_FAILURE(Load("many.dat", 4));
    ctx.prompt.answers = {PromptAnswer::Yes};
    EditFirstDie();
    ASSERT_EQ(ctx.prompt.asked.size(), 2u);  // the update question; no error
    EXPECT_EQ(Asked(ctx, 1), diemsg::Fill(diemsg::Text(diemsg::kUpdatePossessed), {"many.dat"}));

    const std::vector<std::string> before = DieLines(bytes);
    const std::vector<std::string> after = DieLines(ReadBytes(dir.path() / "many.dat"));
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(std::vector<std::string>(after.end() - 5, after.end()),
              std::vector<std::string>(before.end() - 5, before.end()));
    std::set<int> numbers;
    for (const std::string& line : after) numbers.insert(std::stoi(line));
    EXPECT_EQ(numbers.size(), before.size());
    EXPECT_EQ(std::count_if(after.begin(), after.end(),
                            [](const std::string& l) { return l.find("12.50") != l.npos; }),
              1);

    // The saved file reads as the first did. The user's own save is no news: the dies beyond
    // the table are not told again, until the file changes from elsewhere.
    ASSERT_EQ(tool.ReadWritePossessed(1), 0);
    EXPECT_EQ(tool.Header.DieCount, kMaxDies);
    EXPECT_EQ(tool.UnloadedDieLines.size(), 5u);
    EXPECT_EQ(ctx.prompt.asked.size(), 2u);
    dietest::WriteBytes(dir.path() / "many.dat", bytes);
    ASSERT_EQ(tool.ReadWritePossessed(1), 0);
    ASSERT_EQ(ctx.prompt.asked.size(), 3u);
    EXPECT_EQ(ctx.prompt.asked[2].text, ctx.prompt.asked[0].text);
}

// A file of an older syntax cannot carry its other dies under the version 4.0 header: its save
// is refused with a message and the file stays byte for byte as it was. Written all the same,
// version 1 and 2 lines would not read under 4.0, and version 3 lines would read as dies with
// their shape file and codes in the places of rotation, clamp and shape file.
TEST_F(DieFileBeyondTheTable, AnOlderSyntaxIsNotWrittenShorter) {
    for (int version : {1, 2, 3}) {
        SCOPED_TRACE("version " + std::to_string(version));
        const std::string name = "old" + std::to_string(version) + ".dat";
        ctx.prompt.asked.clear();
        ASSERT_NO_FATAL_FAILURE(Load(name, version));
        ctx.prompt.answers = {PromptAnswer::Yes, PromptAnswer::Ok, PromptAnswer::No};
        EditFirstDie();
        EXPECT_EQ(ctx.prompt.asked.size(), 4u);
        EXPECT_EQ(Asked(ctx, 1), diemsg::Fill(diemsg::Text(diemsg::kUpdatePossessed), {name}));
        EXPECT_EQ(Asked(ctx, 2), "The punch data file\n[" + (dir.path() / name).string() +
                                     "]\nholds more than 2000 dies in an older format and is "
                                     "not written, so that none of its dies is lost.");
        if (ctx.prompt.asked.size() > 2)
            EXPECT_EQ(ctx.prompt.asked[2].icon, platform::PromptIcon::Error);
        EXPECT_EQ(Asked(ctx, 3), diemsg::Text(diemsg::kPossessedWriteRetry));
        EXPECT_TRUE(ReadBytes(dir.path() / name) == bytes) << "the die file was written";
    }
}

// An older file whose dies beyond the table fit in it once the user has deleted dies: the save
// writes every die as version 4.0, those beyond the table read in the file's own syntax, and
// the table holds them from then on. While they do not fit nothing is written, and a write that
// fails leaves them beyond the table, as the user left them.
TEST_F(DieFileBeyondTheTable, AnOlderSyntaxIsWrittenOnceEveryDieFitsTheTable) {
    struct Case {
        int version;
        int deleted;  // dies the dialog deletes; the file holds 3 beyond the table
        bool folder;  // a folder stands where the file was: the write fails
    };
    const Case cases[] = {{1, 3, false}, {2, 4, false}, {3, 3, false},
                          {3, 2, false}, {1, 2, false}, {1, 3, true}};
    for (const Case& c : cases) {
        const std::string name = "old" + std::to_string(c.version) + "-" +
                                 std::to_string(c.deleted) + (c.folder ? "-folder" : "") + ".dat";
        SCOPED_TRACE(name);
        const int dies = kMaxDies + 3;
        bytes = ManyDies(dies, c.version);
        dietest::WriteBytes(dir.path() / name, bytes);
        tool.Dialogs = &dialogs;
        tool.PossessedToolFileName = name;
        ASSERT_EQ(tool.ReadWritePossessed(1), 0);
        ASSERT_EQ(tool.UnloadedDieLines.size(), 3u);
        if (c.folder) {
            std::filesystem::remove(dir.path() / name);
            std::filesystem::create_directory(dir.path() / name);
        }
        ctx.prompt.asked.clear();

        std::set<int> deleted;
        dialogs.dieSteps.push_back([&](DieDialogState& st) {
            for (int i = 0; i < c.deleted; ++i) {
                DieRecord& last = st.Dies[size_t(st.Header.DieCount - 1)];
                deleted.insert(last.Number);
                last = DieRecord{};
                --st.Header.DieCount;
            }
            return 1;
        });
        ctx.prompt.answers = {PromptAnswer::Yes, PromptAnswer::Ok, PromptAnswer::No};
        tool.EditPossessedDies();
        ASSERT_EQ(deleted.size(), size_t(c.deleted));
        EXPECT_EQ(Asked(ctx, 0), diemsg::Fill(diemsg::Text(diemsg::kUpdatePossessed), {name}));

        if (c.deleted < 3 || c.folder) {
            ASSERT_EQ(ctx.prompt.asked.size(), 3u) << Asked(ctx, 1);
            if (!c.folder) {
                EXPECT_NE(Asked(ctx, 1).find("older format"), std::string::npos) << Asked(ctx, 1);
                EXPECT_TRUE(ReadBytes(dir.path() / name) == bytes) << "the die file was written";
            }
            EXPECT_EQ(tool.Header.DieCount, kMaxDies - c.deleted);
            EXPECT_EQ(tool.UnloadedDieLines.size(), 3u);
            continue;
        }
        ASSERT_EQ(ctx.prompt.asked.size(), 1u) << Asked(ctx, 1);  // the update question only
        EXPECT_EQ(tool.Header.DieCount, dies - c.deleted);
        EXPECT_TRUE(tool.UnloadedDieLines.empty());

        // Every die that was not deleted, once, as a version 4.0 file within the table.
        CPunchTool back;
        ASSERT_EQ(back.ReadPossessedFile(dir.path() / name), kDieFileOk);
        EXPECT_DOUBLE_EQ(back.Header.PossessedVersion, 4.0);
        EXPECT_TRUE(back.UnloadedDieLines.empty());
        std::multiset<int> numbers, expected;
        for (int i = 0; i < back.Header.DieCount; ++i) numbers.insert(back.Dies[size_t(i)].Number);
        for (int n = 1; n <= dies; ++n)
            if (!deleted.contains(n)) expected.insert(n);
        EXPECT_EQ(numbers, expected);
        // The dies that stood beyond the table (1 to 3) read as the table's dies of the same
        // line did.
        ASSERT_NE(back.FindDie(dies), nullptr);
        for (int n : {1, 2, 3}) {
            ASSERT_NE(back.FindDie(n), nullptr) << n;
            DieRecord die = *back.FindDie(n);
            die.Number = static_cast<int16_t>(dies);
            EXPECT_EQ(die, *back.FindDie(dies)) << n;
        }
        if (c.version == 3) {
            EXPECT_EQ(back.FindDie(1)->ShapeFile, "fig.dxf");
            EXPECT_EQ(back.FindDie(1)->EndCode, "M2");
        }
        // Nothing beyond the table any more: the next read tells nothing.
        ASSERT_EQ(tool.ReadWritePossessed(1), 0);
        EXPECT_EQ(ctx.prompt.asked.size(), 1u) << Asked(ctx, 1);
    }
}

// The numbers of the dies beyond the table are read in the file's own syntax, whatever its
// version: the die dialog finds them taken and offers a number no die of the file has.
TEST_F(DieFileBeyondTheTable, TheNumbersBeyondTheTableAreReadInTheFilesSyntax) {
    for (int version : {1, 2, 3, 4}) {
        SCOPED_TRACE("version " + std::to_string(version));
        ctx.prompt.asked.clear();
        ASSERT_NO_FATAL_FAILURE(Load("v" + std::to_string(version) + ".dat", version));
        // Dies 2005 down to 6 are the table's; 5 down to 1 lie beyond it.
        dialogs.dieSteps.push_back([](DieDialogState& st) {
            EXPECT_EQ(st.UnloadedDieNumbers, (std::vector<int>{5, 4, 3, 2, 1}));
            EXPECT_EQ(GetFreeDieNumber(st), kMaxDies + 6);
            for (int n : {1, 3, 5}) EXPECT_EQ(IsDieNumberFree(st, n), 0) << n;
            EXPECT_EQ(IsDieNumberFree(st, kMaxDies + 6), 1);
            return 0;
        });
        tool.EditPossessedDies();
        EXPECT_EQ(dialogs.dieSteps.size(), 0u);
    }
}

// The application, the machine sheet and the punch page each read the die file: the user is
// told of its dies beyond the table once, also where a copy of the tool reads it, and again only
// when the file has changed since, or for another file.
TEST_F(DieFileBeyondTheTable, TheUserIsToldOnceForAnUnchangedFile) {
    ASSERT_NO_FATAL_FAILURE(Load("many.dat", 4));
    ASSERT_EQ(tool.ReadWritePossessed(1), 0);
    tool.ReloadDieFiles();
    CPunchTool copy = tool;
    ASSERT_EQ(copy.ReadWritePossessed(1), 0);
    EXPECT_EQ(copy.Header.DieCount, kMaxDies);
    EXPECT_EQ(ctx.prompt.asked.size(), 1u);

    // One die more.
    dietest::WriteBytes(dir.path() / "many.dat", ManyDies(kMaxDies + 6, 4));
    ASSERT_EQ(tool.ReadWritePossessed(1), 0);
    ASSERT_EQ(tool.ReadWritePossessed(1), 0);
    ASSERT_EQ(ctx.prompt.asked.size(), 2u);
    EXPECT_NE(Asked(ctx, 1).find("first 2000 of 2006"), std::string::npos) << Asked(ctx, 1);

    // The same bytes under another name.
    std::filesystem::copy_file(dir.path() / "many.dat", dir.path() / "other.dat");
    tool.PossessedToolFileName = "other.dat";
    ASSERT_EQ(tool.ReadWritePossessed(1), 0);
    ASSERT_EQ(ctx.prompt.asked.size(), 3u);
    EXPECT_NE(Asked(ctx, 2).find((dir.path() / "other.dat").string()), std::string::npos);
}

// Machines of two die files in turn (NC programs of each opened one after the other): each file
// is told once for each of its states, not again at every switch.
TEST_F(DieFileBeyondTheTable, TwoFilesReadInTurnAreToldOnceForEachState) {
    ASSERT_NO_FATAL_FAILURE(Load("a.dat", 4));
    dietest::WriteBytes(dir.path() / "b.dat", ManyDies(kMaxDies + 7, 4));
    const auto readIn = [this](const char* name) {
        tool.PossessedToolFileName = name;
        ASSERT_EQ(tool.ReadWritePossessed(1), 0);
    };
    for (int round = 0; round < 3; ++round) {
        readIn("b.dat");
        readIn("a.dat");
    }
    ASSERT_EQ(ctx.prompt.asked.size(), 2u) << Asked(ctx, 2);
    EXPECT_NE(Asked(ctx, 1).find("first 2000 of 2007"), std::string::npos) << Asked(ctx, 1);

    // A copy of the tool knows what was told; a changed file is told again, once.
    CPunchTool copy = tool;
    dietest::WriteBytes(dir.path() / "a.dat", ManyDies(kMaxDies + 6, 4));
    for (int round = 0; round < 2; ++round) {
        readIn("b.dat");
        readIn("a.dat");
    }
    copy.PossessedToolFileName = "b.dat";
    ASSERT_EQ(copy.ReadWritePossessed(1), 0);
    ASSERT_EQ(ctx.prompt.asked.size(), 3u) << Asked(ctx, 3);
    EXPECT_NE(Asked(ctx, 2).find("first 2000 of 2006"), std::string::npos) << Asked(ctx, 2);
}

// A file rewritten in place with its size kept and its modification time put back is another
// state of the file: its change time tells it, and the user is told again.
TEST_F(DieFileBeyondTheTable, ARewriteKeepingSizeAndTimeIsToldAgain) {
    ASSERT_NO_FATAL_FAILURE(Load("many.dat", 4));
    const std::filesystem::path file = dir.path() / "many.dat";
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    // The same number of bytes, one die of another range.
    std::string rewritten = bytes;
    const size_t range = rewritten.rfind(",A,");
    ASSERT_NE(range, std::string::npos);
    rewritten[range + 1] = 'B';
    // The change time moves with the clock's tick: rewrite until it has.
    const auto same = [](const timespec& a, const timespec& b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    struct stat after {};
    for (int attempt = 0; attempt < 1000; ++attempt) {
        dietest::WriteBytes(file, rewritten);
        const timespec times[2] = {{0, UTIME_OMIT}, before.st_mtim};
        ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
        ASSERT_EQ(::stat(file.c_str(), &after), 0);
        if (!same(after.st_ctim, before.st_ctim)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_size, before.st_size);
    EXPECT_TRUE(same(after.st_mtim, before.st_mtim));
    ASSERT_FALSE(same(after.st_ctim, before.st_ctim));

    ASSERT_EQ(tool.ReadWritePossessed(1), 0);
    ASSERT_EQ(ctx.prompt.asked.size(), 2u);
    EXPECT_EQ(Asked(ctx, 1), Asked(ctx, 0));
    ASSERT_EQ(tool.ReadWritePossessed(1), 0);
    EXPECT_EQ(ctx.prompt.asked.size(), 2u);
}

// Only a line the reader takes as a die record is a die beyond the table. Any other line there
// is no die: it is not counted, does not stop a save, and is kept after every die, where the
// next read leaves it beyond the table. Where the next read would take it as a die (the table
// is no longer full, or a line of an older syntax reads as a die of 4.0) it is kept as a
// comment. Whatever is saved reads back with the dies that were saved.
TEST_F(DieFileBeyondTheTable, ALineThatIsNoDieIsNoDieBeyondTheTable) {
    const std::string v4Die = "9999,A,1,10,0,0,0,O-----,0,0,0,\"\",,";
    struct Case {
        const char* name;
        int version;
        std::string line;  // after the 2000th die
        int diesAfter;     // dies after the line
        bool deleteOne;    // the edit deletes a die as well
        const char* told;  // what the load tells; empty for nothing
        std::string kept;  // the line as the saved file keeps it
    };
    const Case cases[] = {
        {"v3.dat", 3, "END", 0, false, "", "END"},
        {"v4.dat", 4, "END", 5, false, "first 2000 of 2005 dies", "END"},
        {"deleted.dat", 4, "END", 0, true, "", ";END"},
        {"v1.dat", 1, v4Die, 0, false, "", ";" + v4Die},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int dies = kMaxDies + c.diesAfter;
        std::string text = ManyDies(dies, c.version);
        size_t at = 0;
        for (int i = 0; i < 2 + kMaxDies; ++i) at = text.find('\n', at) + 1;
        text.insert(at, c.line + "\r\n");
        dietest::WriteBytes(dir.path() / c.name, text);

        ctx.prompt.asked.clear();
        tool.Dialogs = &dialogs;
        tool.PossessedToolFileName = c.name;
        ASSERT_EQ(tool.ReadWritePossessed(1), 0);
        EXPECT_EQ(tool.Header.DieCount, kMaxDies);
        EXPECT_EQ(tool.UnloadedDieLines.size(), size_t(c.diesAfter));
        if (*c.told) {
            ASSERT_EQ(ctx.prompt.asked.size(), 1u);
            EXPECT_NE(Asked(ctx, 0).find(c.told), std::string::npos) << Asked(ctx, 0);
        } else {
            EXPECT_EQ(ctx.prompt.asked.size(), 0u) << Asked(ctx, 0);
        }
        ctx.prompt.asked.clear();

        int deleted = 0;
        dialogs.dieSteps.push_back([&](DieDialogState& st) {
            st.Dies[0].SizeX = 12.5;
            if (c.deleteOne) {
                DieRecord& last = st.Dies[size_t(st.Header.DieCount - 1)];
                deleted = last.Number;
                last = DieRecord{};
                --st.Header.DieCount;
            }
            return 1;
        });
        ctx.prompt.answers = {PromptAnswer::Yes, PromptAnswer::Ok, PromptAnswer::No};
        tool.EditPossessedDies();
        ASSERT_EQ(ctx.prompt.asked.size(), 1u) << Asked(ctx, 1);  // the update question only
        EXPECT_EQ(Asked(ctx, 0), diemsg::Fill(diemsg::Text(diemsg::kUpdatePossessed), {c.name}));

        CPunchTool back;
        int lines = 0;
        ASSERT_EQ(back.ReadPossessedFile(dir.path() / c.name, &lines), kDieFileOk) << lines;

        // The line stands whole after the last die.
        const std::vector<std::string> saved = test::ReadLines(dir.path() / c.name);
        const auto line = std::find(saved.begin(), saved.end(), c.kept);
        ASSERT_TRUE(line != saved.end()) << "no line " << c.kept;
        EXPECT_TRUE(std::all_of(line + 1, saved.end(),
                                [](const std::string& l) { return l.empty() || l[0] == ';'; }));

        std::set<int> numbers;
        for (int i = 0; i < back.Header.DieCount; ++i) {
            const DieRecord& die = back.Dies[size_t(i)];
            numbers.insert(die.Number);
            const DieRecord* edited = tool.FindDie(die.Number);
            ASSERT_NE(edited, nullptr) << die.Number;
            EXPECT_EQ(die, *edited) << die.Number;
        }
        for (int n : back.UnloadedDieNumbers()) numbers.insert(n);
        std::set<int> expected;
        for (int n = 1; n <= dies; ++n)
            if (n != deleted) expected.insert(n);
        EXPECT_EQ(numbers, expected);
        EXPECT_EQ(back.UnloadedOtherLines,
                  c.kept[0] == ';' ? std::vector<std::string>{} : std::vector<std::string>{c.kept});
    }
}

}  // namespace

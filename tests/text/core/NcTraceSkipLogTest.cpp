// Tests of the skip log with the stand-in library: loading it from the settings' folder, the
// record read at its offsets, the route rebuilt without its rapids and marked opaque, and the
// message when the library is missing or fails.
#include <gtest/gtest.h>

#include "DeroreStub.h"
#include "TempDir.h"
#include "TraceFakes.h"
#include "nc/NcAppContext.h"
#include "platform/Profile.h"

namespace {

using tracetest::ReadProgram;
using tracetest::TraceFixture;
using Rows = std::vector<int>;

using test::DeroreStubFolder;
using test::PutBytes;

class TraceSkipLog : public TraceFixture {
public:
    test::TempDir dir;
    NcAppContext app;
    test::DeroreStub stub;

    void SetUp() override {
        ASSERT_TRUE(stub.Open());
        stub.Reset();
        doc.iniPath = dir.path() / "MV_System.ini";
        app.ProgramFolder = dir.path();
        doc.appContext = &app;
        Load(ReadProgram("follow.nc"));
    }
    void UseFolder(const std::filesystem::path& folder) {
        platform::WriteProfileString("Setting for 16ILB", "derore_Path", folder.string(),
                                     doc.iniPath);
    }
    bool NothingChanged() const {
        return host.calls.empty() && host.skipLog.IsEmpty() && rows.selections.empty() &&
               engine.TargetMainProgram == -1 && host.frameInvalidated == 0;
    }
};

TEST(SkipLogRecord, FieldsAtTheirOffsets) {
    SkipLogRecord::Bytes b{};
    b.fill(0xEE);
    PutBytes(b.data(), 4, int32_t{1000});
    PutBytes(b.data(), 8, int32_t{-1});
    PutBytes(b.data(), 12, int32_t{0});
    PutBytes(b.data(), 16, int32_t{20});
    PutBytes(b.data(), 40, 12.5);
    PutBytes(b.data(), 48, -7.25);
    const SkipLogRecord r = SkipLogRecord::FromBytes(b);
    EXPECT_EQ(r.MainProgram, 1000);
    EXPECT_EQ(r.SubProgram, -1);
    EXPECT_EQ(r.MainSequence, 0);
    EXPECT_EQ(r.SubSequence, 20);
    EXPECT_EQ(r.X, 12.5);
    EXPECT_EQ(r.Y, -7.25);
}

TEST_F(TraceSkipLog, TheRouteIsRebuiltFromTheLoggedPosition) {
    UseFolder(DeroreStubFolder());
    ASSERT_EQ(engine.LoadDerOre(), 1);
    ASSERT_NE(engine.DerOreLibrary(), nullptr);
    stub.SetRecord(1000, 2000, 2, 20, 12.5, -7.25);
    EXPECT_EQ(engine.ResumeFromSkipLog(), 0);
    EXPECT_EQ(engine.TargetMainProgram, 1000);
    EXPECT_EQ(engine.TargetSubProgram, 2000);
    EXPECT_EQ(engine.TargetMainSequence, 2);
    EXPECT_EQ(engine.TargetSubSequence, 20);
    EXPECT_EQ(engine.TargetMoveKind, 200);
    EXPECT_EQ(host.traceActive, 0);  // no trace is opened
    // Silently to the position, then the sequence N20 of O2000 (its rapid, a line, M99).
    EXPECT_EQ(rows.selections, (Rows{13, 14, 15}));
    ASSERT_EQ(host.skipLog.GetCount(), 2u);
    const CDtbElement* rapid = host.skipLog.GetFirstElement();
    EXPECT_EQ(rapid->noDisplay, 1);  // rapids are not shown
    EXPECT_EQ(rapid->link.next->noDisplay, 0);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Route 2", "Mark 4 12.500,-7.250,0.000 200"}));
    EXPECT_EQ(tracetest::Pt(host.skipLogStart), "12.500,-7.250,0.000");
    EXPECT_EQ(host.frameInvalidated, 1);

    // The element views call SetProcStartPos through the list's handle.
    using SetProcStartPosFn = int (*)(int, int);
    auto fn = engine.DerOreLibrary()->Function<SetProcStartPosFn>("SetProcStartPos");
    ASSERT_NE(fn, nullptr);
    EXPECT_EQ(fn(1, 40), 0);
    EXPECT_EQ(stub.LastSeq(), 40);
}

TEST_F(TraceSkipLog, AMainSequenceOf0MeansNone) {
    UseFolder(DeroreStubFolder());
    ASSERT_EQ(engine.LoadDerOre(), 1);
    stub.SetRecord(1000, -1, 0, -1, 1.0, 2.0);
    EXPECT_EQ(engine.ResumeFromSkipLog(), 0);
    EXPECT_EQ(engine.TargetMainSequence, -1);
}

TEST_F(TraceSkipLog, AnOpenTraceIsStoppedFirst) {
    UseFolder(DeroreStubFolder());
    ASSERT_EQ(engine.LoadDerOre(), 1);
    Command(0);
    ASSERT_EQ(host.traceActive, 1);
    host.calls.clear();
    stub.SetRecord(1000, -1, 3, -1, 50.0, 0.0);
    EXPECT_EQ(engine.ResumeFromSkipLog(), 0);
    EXPECT_EQ(host.traceActive, 0);
    ASSERT_FALSE(host.calls.empty());
    EXPECT_EQ(host.calls.front(), "ToolBars");  // the trace's close, before the route
    EXPECT_EQ(host.calls[host.calls.size() - 2], "Route 2");
}

TEST_F(TraceSkipLog, WithoutTheRecordOnlyTheMessage) {
    struct Case {
        const char* what;
        std::function<void(TraceSkipLog&)> setUp;
        int loaded;
    };
    const Case cases[] = {
        {"no library in the folder", [](TraceSkipLog& t) { t.UseFolder(t.dir.path()); }, 0},
        {"flDllInit fails",
         [](TraceSkipLog& t) {
             t.UseFolder(DeroreStubFolder());
             t.stub.InitResult() = 3;
         },
         0},
        {"GetSkipLog fails",
         [](TraceSkipLog& t) {
             t.UseFolder(DeroreStubFolder());
             t.stub.SkipLogResult() = 1;
         },
         1},
    };
    for (const Case& c : cases) {
        stub.Reset();
        host.warnings.clear();
        c.setUp(*this);
        EXPECT_EQ(engine.LoadDerOre(), c.loaded) << c.what;
        EXPECT_EQ(engine.DerOreLibrary() != nullptr, c.loaded == 1) << c.what;
        EXPECT_EQ(engine.ResumeFromSkipLog(), -1) << c.what;
        EXPECT_EQ(host.warnings, std::vector<std::string>{"Can't get SkipLog"}) << c.what;
        EXPECT_TRUE(NothingChanged()) << c.what;
    }
}

TEST_F(TraceSkipLog, APositionThatCannotBeFoundFails) {
    UseFolder(DeroreStubFolder());
    ASSERT_EQ(engine.LoadDerOre(), 1);
    stub.SetRecord(3000, -1, 2, -1, 1.0, 2.0);
    EXPECT_EQ(engine.ResumeFromSkipLog(), -1);
    EXPECT_TRUE(host.warnings.empty());
    EXPECT_TRUE(host.skipLog.IsEmpty());
}

TEST_F(TraceSkipLog, TheFolderSettingAndItsDefault) {
    // Without the key the program's own folder is used and written back.
    EXPECT_EQ(engine.LoadDerOre(), 0);
    EXPECT_EQ(platform::GetProfileString("Setting for 16ILB", "derore_Path", "", doc.iniPath),
              dir.path().string());
    // A stored folder with or without its separator.
    for (const std::string& folder :
         {DeroreStubFolder().string(), DeroreStubFolder().string() + "/"}) {
        UseFolder(folder);
        EXPECT_EQ(engine.LoadDerOre(), 1) << folder;
        EXPECT_EQ(platform::GetProfileString("Setting for 16ILB", "derore_Path", "", doc.iniPath),
                  folder);
    }
}

}  // namespace

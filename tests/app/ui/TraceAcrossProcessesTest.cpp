// The trace driven from another process with morvalen-dde: in process mode 2 TRACE_PRG and
// TRACE_COD move the trace to a position; in process mode 4 an OPEN rebuilds the route of the
// stand-in skip-log library's record. The program is a build of the application code that
// reports what the trace shows on its output.
#include "DeroreStub.h"
#include "DriverProcessFixture.h"
#include "platform/Profile.h"

namespace {

class TraceAcrossProcesses : public DriverProcess {
protected:
    static QString Program() {
        return QString(MORVALEN_SOURCE_DIR "/tests/data/text/trace/follow.nc");
    }
    QProcess* StartChild(const QStringList& args, const QProcessEnvironment& env = {}) {
        QProcess* p = StartProgram(args, {}, MORVALEN_TRACE_CHILD, env);
        EXPECT_TRUE(WaitFor(p, "ready"));
        return p;
    }
    // Reads the program's report until a line holds every part of want.
    bool WaitFor(QProcess* p, const QStringList& want) {
        for (;;) {
            while (p->canReadLine()) {
                const QString line = QString::fromUtf8(p->readLine());
                seen_ += line;
                bool all = true;
                for (const QString& part : want) all = all && line.contains(part);
                if (all) return true;
            }
            if (!p->waitForReadyRead(kStartWaitMs)) return false;
        }
    }
    bool WaitFor(QProcess* p, const QString& want) { return WaitFor(p, QStringList{want}); }
    Run Send(const QString& instance, const QStringList& commands) {
        return Client(QStringList{"-n", instance, "-w", QString::number(kStartWaitMs)} + commands);
    }
    QString seen_;
};

TEST_F(TraceAcrossProcesses, TracePrgAndTraceCodFollowAPosition) {
    QProcess* program = StartChild({"/n5", "/US", Program()});
    Run r = Send("5", {"PROC_MODE 2", "TRACE_PRG 0 1000 -1 2 -1 30 0 1"});
    EXPECT_EQ(r.out, "FACK\nFACK\n");
    // N2 of O1000 shown up to its call, the mark at (30, 0).
    EXPECT_TRUE(WaitFor(program, {"trace=1", "row=6", "type=0", "x=30.000", "y=0.000", "kind=1"}))
        << seen_.toStdString();
    r = Send("5", {"TRACE_COD 100.5 -20 101"});
    EXPECT_EQ(r.out, "FACK\n");
    EXPECT_TRUE(WaitFor(program, {"trace=1", "type=4", "x=100.500", "y=-20.000", "kind=101"}))
        << seen_.toStdString();
    EXPECT_EQ(Send("5", {"CLOSE"}).out, "FACK\n");
    EXPECT_EQ(Finish(program), 0);
}

TEST_F(TraceAcrossProcesses, OpenInProcessMode4DrawsTheSkipLogRoute) {
    // The settings name the stand-in's folder; the stand-in gives the record of the
    // environment: O1000, O2000, N2, N20 at (12.5, -7.25).
    fs::create_directories(fs::path(Ini()).parent_path());
    platform::WriteProfileString("Setting for 16ILB", "derore_Path",
                                 test::DeroreStubFolder().string(), Ini());
    QProcessEnvironment env = Env();
    env.insert("DERORE_STUB_RECORD", "1000 2000 2 20 12.5 -7.25");
    QProcess* program = StartChild({"/n6", "/US"}, env);
    Run r = Send("6", {"PROC_MODE 4", "OPEN " + Program()});
    EXPECT_EQ(r.out, "FACK\nFACK\n");
    // The route of N20 (its rapid hidden) in the document and the view, the opaque mark shown.
    EXPECT_TRUE(WaitFor(
        program, {"trace=0", "route=2", "layer=2", "torch=1", "x=12.500", "y=-7.250", "kind=200"}))
        << seen_.toStdString();
    EXPECT_EQ(Send("6", {"CLOSE"}).out, "FACK\n");
    EXPECT_EQ(Finish(program), 0);
    EXPECT_EQ(platform::GetProfileString("Setting for 16ILB", "derore_Path", "", Ini()),
              test::DeroreStubFolder().string());
}

}  // namespace

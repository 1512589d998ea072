// The built program driven from outside: morvalen-dde talks to a running morvalen, and a second
// start hands its file to the first. Each program runs offscreen and unattended with its own
// home, configuration and runtime folders.
#include "DriverProcessFixture.h"
#include "platform/Profile.h"

namespace {

TEST_F(DriverProcess, ClientDrivesTheRunningProgram) {
    QProcess* program = StartProgram({"/n7", "/US"});
    // A wrong topic is refused (the program's box goes to its error output).
    Run r = Client({"-n", "7", "-w", QString::number(kStartWaitMs), "-t", "Another Topic", "STEP"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");

    r = Client({"-n", "7", "OPEN " + QString::fromStdString(Example("laser-sample.nc"))});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "FACK\n");
    EXPECT_EQ(LastOpened().toStdString(), Example("laser-sample.nc"));

    r = Client({"-n", "7", "OPEN " + QString::fromStdString((dir_.path() / "missing.nc").string()),
                "STEP", "SCALE 10 20 640 480", "HELLO"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "NOTPROCESSED\nFACK\nFACK\nFACK\n");
    EXPECT_EQ(LastOpened().toStdString(), Example("laser-sample.nc"));
    // Another instance number has no server.
    EXPECT_EQ(Client({"-n", "8", "STEP"}).code, 3);

    // CLOSE of an unmodified document: the reply, then the program ends with 0.
    r = Client({"-n", "7", "CLOSE"});
    EXPECT_EQ(r.out, "FACK\n");
    EXPECT_EQ(Finish(program), 0);
    const QString errors = QString::fromUtf8(program->readAllStandardError());
    EXPECT_TRUE(errors.contains("DDE Server: CONNECT Failuer")) << errors.toStdString();
    EXPECT_TRUE(errors.contains("The file cannot be opened")) << errors.toStdString();
    // The wait time is in the settings after the first accepted conversation.
    EXPECT_EQ(platform::GetProfileString("System", "DdeWaitTime", "-", Ini()), "100");
    // The socket and the mark are gone.
    EXPECT_TRUE(fs::is_empty(dir_.path() / "run"));
}

TEST_F(DriverProcess, ClientUsageAskedForIsItsOutputAWrongUseItsError) {
    // Asked for, the usage pipes into a pager; after a wrong use it is the error.
    const struct {
        QStringList args;
        int code;
    } cases[] = {{{"--help"}, 0}, {{"-h"}, 0}, {{}, 4}, {{"-n", "x", "STEP"}, 4}, {{"-s"}, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Run r = Client(c.args);
        EXPECT_EQ(r.code, c.code);
        const QString& usage = c.code == 0 ? r.out : r.err;
        const QString& other = c.code == 0 ? r.err : r.out;
        EXPECT_TRUE(usage.startsWith("usage: morvalen-dde ")) << usage.toStdString();
        EXPECT_EQ(other, "");
    }
}

TEST_F(DriverProcess, SecondStartHandsItsFileToTheFirst) {
    QProcess* first = StartProgram({"/US"});
    // The first instance serves once its start-up is over.
    ASSERT_EQ(Client({"-w", QString::number(kStartWaitMs), "HELLO"}).code, 0);
    platform::WriteProfileInt("System", "ForbidDuplicateApp", 1, Ini());

    // A relative path from the second start's working folder reaches the first as absolute.
    const QString examples = QString::fromStdString(Example(""));
    EXPECT_EQ(SecondStart({"/US", "punch-sample.nc"}, examples), 1);
    EXPECT_EQ(LastOpened().toStdString(), Example("punch-sample.nc"));

    // Without a file the second start only brings the first to the front.
    EXPECT_EQ(SecondStart({"/US"}), 1);
    // Another instance number is ignored by the first; the second ends all the same.
    EXPECT_EQ(SecondStart({"/US", "/n1", Example("laser-sample.nc").c_str()}), 1);
    EXPECT_EQ(LastOpened().toStdString(), Example("punch-sample.nc"));
    EXPECT_EQ(first->state(), QProcess::Running);

    EXPECT_EQ(Client({"CLOSE"}).code, 0);
    EXPECT_EQ(Finish(first), 0);
}

}  // namespace

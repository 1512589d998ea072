// The built program driven from outside: morvalen-dde talks to a running morvalen, and a second
// start hands its file to the first. Each program runs offscreen and unattended with its own
// home, configuration and runtime folders.
#include <gtest/gtest.h>

#include <QProcess>
#include <QSettings>
#include <filesystem>
#include <memory>

#include "TempDir.h"
#include "platform/Profile.h"

namespace fs = std::filesystem;

namespace {

constexpr int kStartWaitMs = 30000;

class DriverProcess : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir_.path() / "run");
        fs::permissions(dir_.path() / "run", fs::perms::owner_all);
        fs::create_directories(dir_.path() / "home");
    }
    void TearDown() override {
        for (auto& p : programs_)
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
    }

    QProcessEnvironment Env() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString home = QString::fromStdString((dir_.path() / "home").string());
        env.insert("HOME", home);
        env.insert("XDG_DATA_HOME", home + "/data");
        env.insert("XDG_CONFIG_HOME", home + "/config");
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString((dir_.path() / "run").string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("MORVALEN_UNATTENDED", "1");
        env.remove("MORVALEN_QUIT_AFTER_MS");
        return env;
    }
    static QString Bin(const char* name) { return QString(MORVALEN_BINARY_DIR "/bin/") + name; }
    static std::string Example(const char* name) {
        return (fs::path(MORVALEN_SOURCE_DIR) / "examples" / name).lexically_normal().string();
    }
    std::string Ini() const { return (dir_.path() / "home/data/Morvalen/MV_System.ini").string(); }

    // Starts morvalen; it keeps running until the test ends it.
    QProcess* StartProgram(const QStringList& args, const QString& workingDir = {}) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(Env());
        if (!workingDir.isEmpty()) p->setWorkingDirectory(workingDir);
        p->start(Bin("morvalen"), args);
        EXPECT_TRUE(p->waitForStarted(kStartWaitMs));
        programs_.push_back(std::move(p));
        return programs_.back().get();
    }
    struct Run {
        int code = -1;
        QString out;
    };
    // Runs morvalen-dde to its end.
    Run Client(const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(Env());
        p.start(Bin("morvalen-dde"), args);
        EXPECT_TRUE(p.waitForFinished(kStartWaitMs + 10000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput())};
    }
    // Runs a second morvalen to its end.
    int SecondStart(const QStringList& args, const QString& workingDir = {}) {
        QProcess p;
        p.setProcessEnvironment(Env());
        if (!workingDir.isEmpty()) p.setWorkingDirectory(workingDir);
        p.start(Bin("morvalen"), args);
        EXPECT_TRUE(p.waitForFinished(kStartWaitMs));
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    // The newest entry of the recent-file list in the per-user profile: the last file opened.
    QString LastOpened() const {
        QSettings profile(
            QString::fromStdString((dir_.path() / "home/config/Holbrine/Morvalen.conf").string()),
            QSettings::IniFormat);
        return profile.value("Recent File List/File1").toString();
    }
    static int Finish(QProcess* p) {
        EXPECT_TRUE(p->waitForFinished(kStartWaitMs));
        return p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1;
    }

    test::TempDir dir_;
    std::vector<std::unique_ptr<QProcess>> programs_;
};

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

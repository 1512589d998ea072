// Crash recovery across processes: a program linked with the application code changes a copy of
// the sample and is killed; the next start on the same configuration folder offers its log,
// writes it back and opens the file; a normal end afterwards leaves no log.
#include <QProcess>
#include <filesystem>

#include "AppFixture.h"
#include "TestFiles.h"
#include "text/core/NcOpsHost.h"

namespace fs = std::filesystem;
using platform::PromptAnswer;

namespace {

constexpr int kWaitMs = 30000;

class RecoveryAcrossProcesses : public AppFixture {
protected:
    std::vector<fs::path> Logs() const {
        std::vector<fs::path> logs;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(ConfigFolder() / "LOG", ec))
            if (e.path().extension() == ".LOG") logs.push_back(e.path());
        return logs;
    }
    // Starts the child on file and waits until it has changed the text.
    bool StartChild(QProcess& child, const std::string& file) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString home = QString::fromStdString((dir_.path() / "home").string());
        env.insert("HOME", home);
        env.insert("XDG_CONFIG_HOME", home + "/config");
        env.insert("XDG_DATA_HOME", QString::fromStdString((dir_.path() / "data").string()));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(RuntimeFolder().string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("MORVALEN_UNATTENDED", "1");
        env.remove("MORVALEN_QUIT_AFTER_MS");
        child.setProcessEnvironment(env);
        child.start(MORVALEN_RECOVERY_CHILD, {QString::fromStdString(file)});
        if (!child.waitForStarted(kWaitMs)) return false;
        QByteArray out;
        while (!out.contains("changed\n") && child.waitForReadyRead(kWaitMs))
            out += child.readAllStandardOutput();
        return out.contains("changed\n");
    }
};

TEST_F(RecoveryAcrossProcesses, AKilledProgramsTextIsOfferedAndRestoredAtTheNextStart) {
    const fs::path file = dir_.path() / "nc" / "laser-sample.nc";
    test::WriteFile(file, test::ReadFile(Sample()));
    const std::string original = test::ReadFile(file);

    QProcess child;
    ASSERT_TRUE(StartChild(child, file.string()));
    ASSERT_EQ(Logs().size(), 1u);
    child.kill();  // SIGKILL: nothing of the program's end runs
    ASSERT_TRUE(child.waitForFinished(kWaitMs));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(test::ReadFile(file), original);
    ASSERT_EQ(Logs().size(), 1u);

    // The next start, with nobody at the screen but the script: Yes to the offer.
    ASSERT_TRUE(Start({"/US"}));
    EXPECT_TRUE(Asked("There is a log file. Do you want to restore it?\n" + file.string()));
    EXPECT_EQ(app_->Document->GetPathName(), file.string());
    EXPECT_FALSE(app_->Document->IsModified());
    // X moved by 10 in the moves, as the child's shift did (G92 is left alone).
    const auto lines = test::ReadLines(file);
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[2], "G92X1000.Y1000.");
    EXPECT_EQ(lines[4], "G00X30.Y20.");
    EXPECT_EQ(lines[6], "G01X130.Y20.");
    EXPECT_EQ(app_->Document->Lines, lines);
    EXPECT_TRUE(Logs().empty());  // the restored log is gone

    // A change, then the normal end without saving: no log is left.
    Frame()->NcOps().ReplaceLine(1, "O0002");
    Frame()->NcOps().LinesChanged();
    ASSERT_EQ(Logs().size(), 1u);
    prompt_->answers = {PromptAnswer::No};
    ASSERT_TRUE(Frame()->close());
    app_.reset();
    EXPECT_TRUE(Logs().empty());
    EXPECT_EQ(test::ReadLines(file), lines);
}

}  // namespace

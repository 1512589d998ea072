// The built program run as a process of its own for the driver tests: offscreen and unattended,
// with its own home, configuration and runtime folders, and the client morvalen-dde.
#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QSettings>
#include <filesystem>
#include <memory>

#include "TempDir.h"

namespace fs = std::filesystem;

inline constexpr int kStartWaitMs = 30000;

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

    // Starts morvalen (or another program built with its code); it keeps running until the
    // test ends it.
    QProcess* StartProgram(const QStringList& args, const QString& workingDir = {},
                           const QString& program = Bin("morvalen"),
                           const QProcessEnvironment& env = {}) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env.isEmpty() ? Env() : env);
        if (!workingDir.isEmpty()) p->setWorkingDirectory(workingDir);
        p->start(program, args);
        EXPECT_TRUE(p->waitForStarted(kStartWaitMs));
        programs_.push_back(std::move(p));
        return programs_.back().get();
    }
    struct Run {
        int code = -1;
        QString out;
        QString err;
    };
    // Runs morvalen-dde to its end.
    Run Client(const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(Env());
        p.start(Bin("morvalen-dde"), args);
        EXPECT_TRUE(p.waitForFinished(kStartWaitMs + 10000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
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

// Shared by the installer's tests: a temporary home and XDG tree that every folder of the
// installer points into, a recording user interface and a recording process starter.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "TempDir.h"
#include "TestFiles.h"
#include "installer/engine/BulkModules.h"
#include "installer/engine/CommandRun.h"
#include "installer/engine/FolderCheck.h"
#include "installer/engine/InstallerText.h"
#include "installer/engine/InstallerUi.h"
#include "installer/engine/ProcessRunner.h"
#include "installer/engine/SetupEngine.h"
#include "installer/engine/SetupInfo.h"
#include "installer/engine/SetupPlatform.h"
#include "installer/engine/SetupState.h"
#include "installer/engine/Startup.h"
#include "platform/StringTable.h"

namespace installer::test {

namespace fs = std::filesystem;

// Records every message and answers from a script (then with the first button).
class FakeUi : public InstallerUi {
public:
    struct Shown {
        unsigned id;
        std::vector<std::string> args;
        PromptButtons buttons;
        PromptIcon icon;
        std::string lead;
    };
    std::vector<Shown> shown;
    std::deque<PromptAnswer> answers;
    // Runs while a message is "open" (a test lets the event loop turn, as a modal box does).
    std::function<void()> whileAsking;

    PromptAnswer Message(unsigned id, const std::vector<std::string>& args, PromptButtons buttons,
                         PromptIcon icon, std::string_view lead) override {
        shown.push_back({id, args, buttons, icon, std::string(lead)});
        if (whileAsking) whileAsking();
        if (!answers.empty()) {
            PromptAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == PromptButtons::YesNo ? PromptAnswer::Yes : PromptAnswer::Ok;
    }
    // Answers of the Cancel question (true: Abort); when they run out, Abort.
    std::deque<bool> stops;
    int stopQuestions = 0;
    bool ConfirmStop(bool) override {
        ++stopQuestions;
        if (stops.empty()) return true;
        bool s = stops.front();
        stops.pop_front();
        return s;
    }
    std::vector<unsigned> Ids() const {
        std::vector<unsigned> ids;
        for (const Shown& s : shown) ids.push_back(s.id);
        return ids;
    }
};

// Records what would have been started; `fail` makes every start fail.
class FakeRunner : public ProcessRunner {
public:
    struct Call {
        std::string kind, program;
        std::vector<std::string> args;
        std::string folder;
    };
    std::vector<Call> calls;
    bool fail = false;

    bool RunAndWait(const std::string& program, const std::vector<std::string>& args,
                    const std::string& folder) override {
        calls.push_back({"run", program, args, folder});
        return !fail;
    }
    bool OpenDocument(const std::string& file) override {
        calls.push_back({"open", file, {}, {}});
        return !fail;
    }
    bool StartDetached(const std::string& program, const std::vector<std::string>& args,
                       const std::string& folder) override {
        calls.push_back({"detached", program, args, folder});
        return !fail;
    }
};

// A file system of the kind and free space a test wants.
class FakeProbe : public FileSystemProbe {
public:
    DriveKind kind = DriveKind::Usable;
    std::uint64_t free = 10ull << 30;
    DriveKind KindOf(const fs::path&) const override { return kind; }
    std::uint64_t FreeBytes(const fs::path&) const override { return free; }
};

// The installer's rows of the suite's string table, in English.
inline void UseSourceStrings() {
    static bool done = false;
    if (done) return;
    UseInstallerStrings(
        ::test::ReadFile(fs::path(MORVALEN_SOURCE_DIR) / "resources" / "strings.tsv"));
    platform::SetLanguage(platform::Language::English);
    done = true;
}

// A temporary tree with a home folder, the XDG folders and a product to install; the test
// stops at once unless every folder of the platform lies inside it.
class Sandbox {
public:
    Sandbox() {
        root = tmp.path();
        platform = SetupPlatform::Below(root);
        for (const fs::path* f : {&platform.Home, &platform.ApplicationsDir, &platform.TempDir})
            fs::create_directories(*f);
        source = root / "dist";
        fs::create_directories(source / "Setup");
        UseSourceStrings();
    }
    // Call at the start of every test: no test may reach outside its tree.
    ::testing::AssertionResult Contained() const {
        if (root.empty() || !platform.AllInside(root))
            return ::testing::AssertionFailure() << "the installer's folders leave " << root;
        const char* home = std::getenv("HOME");
        if (home && *home && IsSameOrBelow(home, root))
            return ::testing::AssertionFailure() << "the sandbox holds the real home " << home;
        return ::testing::AssertionSuccess();
    }
    fs::path Setup(const std::string& rel = {}) const { return source / "Setup" / rel; }
    std::string Target() const { return (platform.ProgramsBase / "Tool").string() + "/"; }

    ::test::TempDir tmp;
    fs::path root;
    fs::path source;
    SetupPlatform platform;
};

// A sandbox and an engine over a state of the test's own, with the recording interface and
// process starter. Each fixture checks box.Contained() before anything else.
class SandboxFixture : public ::testing::Test {
protected:
    std::string Read(const fs::path& p) const { return ::test::ReadFile(p); }
    void Write(const fs::path& p, std::string_view text) const { ::test::WriteFile(p, text); }

    Sandbox box;
    SetupState state;
    FakeUi ui;
    FakeRunner runner;
    SetupEngine engine{state, box.platform, ui, runner};
};

// A sandbox with an engine whose current folder is "Setup/" and whose TARGETDIR is Target().
class EngineFixture : public SandboxFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(box.Contained());
        state.InstallerPath = (box.source / "haldimon").string();
        state.RunningInstaller = state.InstallerPath;
        state.InstallerName = "haldimon";
        state.SetupFileName = "haldimon.INF";
        state.SourceFolder = box.source.string() + "/";
        state.SetupFilePath = (box.source / "haldimon.INF").string();
        state.TargetDir = box.Target();
        state.ProgramFolderName = "Tool";
        state.ProductName = "Tool";
        engine.CurrentFolder = box.Setup();
        engine.InitMacroValues();
    }
    fs::path T(const std::string& rel = {}) const { return fs::path(box.Target()) / rel; }
};

// Installs the setup file of the sandbox's installer folder as a run does (a standard
// installation from "Setup/"); false when it cannot be read.
inline bool InstallFromSource(const Sandbox& box, ProcessRunner& runner, FakeUi& ui) {
    SetupState s;
    SetupEngine e(s, box.platform, ui, runner);
    if (!InitInstallerPaths(s, (box.source / "haldimon").string()) ||
        ReadSetupFile(s, e.Keys, box.platform, ui) != 1)
        return false;
    ReadComponents(s, s.SetupFilePath);
    e.InitMacroValues();
    e.CurrentFolder = box.Setup();
    CommandRun run(e, CommandRun::Kind::Install);
    while (run.Step() == CommandRun::Status::Continue) {
    }
    return true;
}

// A product of seven module words whose main program is "CADMAIN.EXE".
inline BulkProduct TestProduct() {
    BulkProduct p;
    p.MainProgram = "CADMAIN.EXE";
    p.DetectFile = "Cad.exe";
    p.ModuleWords = {"w1", "w2", "w3", "w4", "w5", "w6", "w7"};
    return p;
}

// Sets a file's modification time (UTC seconds).
inline void SetMTime(const fs::path& p, std::time_t t) {
    timespec ts[2] = {{t, 0}, {t, 0}};
    ::utimensat(AT_FDCWD, p.c_str(), ts, 0);
}
inline std::time_t MTime(const fs::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mtim.tv_sec;
}
inline unsigned Mode(const fs::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
}

}  // namespace installer::test

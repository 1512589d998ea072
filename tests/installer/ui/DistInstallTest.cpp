// The suite installed from the haldimon-dist folder into a temporary home: once by the wizard
// driven in this process, once by the real haldimon; then the installed program is started.
#include <sys/stat.h>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>

#include "WizardTestSupport.h"
#include "installer/QtProcessRunner.h"
#include "installer/engine/DesktopEntry.h"
#include "installer/engine/SetupFile.h"
#include "installer/pages/CInstallModeDlg.h"

namespace installer::test {
namespace {

using W = CInstallWizard;
const fs::path kDist = HALDIMON_DIST;

class DistInstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(box.Contained());
        ASSERT_TRUE(fs::exists(kDist / "haldimon")) << "build the target haldimon-dist";
    }
    QProcessEnvironment Env() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", Q(box.platform.Home.string()));
        env.insert("XDG_DATA_HOME", Q((box.platform.Home / ".local/share").string()));
        env.insert("XDG_CONFIG_HOME", Q((box.platform.Home / ".config").string()));
        env.insert("XDG_CACHE_HOME", Q((box.platform.Home / ".cache").string()));
        env.insert("XDG_RUNTIME_DIR", Q(box.platform.TempDir.string()));
        env.insert("TMPDIR", Q(box.platform.TempDir.string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("LC_ALL", "C");
        env.remove("LANG");
        return env;
    }
    // Runs a program with the sandbox's environment; its exit code (-1 when it did not end).
    int Run(const QString& program, const QStringList& args, const fs::path& folder = {},
            QProcessEnvironment env = {}, QString* output = nullptr) {
        QProcess p;
        p.setProcessEnvironment(env.isEmpty() ? Env() : env);
        if (!folder.empty()) p.setWorkingDirectory(Q(folder.string()));
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, args);
        if (!p.waitForFinished(60000)) {
            p.kill();
            return -1;
        }
        if (output) *output = QString::fromUtf8(p.readAll());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    fs::path Installed(const std::string& rel = {}) const {
        fs::path folder = box.platform.ProgramsBase / "Morvalen";
        return rel.empty() ? folder : folder / rel;
    }
    // What an installation of the suite must have made.
    void ExpectInstalled() {
        KeyStore keys(box.platform.KeyStoreDir);
        for (const char* f :
             {"morvalen", "morvalen-dde", "libtarnwick.so", "strings.tsv", "MVDXF.HED", "menus.txt",
              "MV_System.ini", "MV_Machine.nmd", "help/index.html", "help/index.ja.html",
              "help/help.css", "morvalen.svg"}) {
            fs::path from = kDist / "Setup" / f, to = Installed(f);
            ASSERT_TRUE(fs::exists(to)) << f;
            EXPECT_EQ(MTime(from), MTime(to)) << f;
            EXPECT_EQ(Mode(from) | S_IWUSR, Mode(to)) << f;
            EXPECT_EQ(::test::ReadFile(from), ::test::ReadFile(to)) << f;
        }
        if (fs::exists(kDist / "Setup" / "libwepo.so")) {
            EXPECT_TRUE(fs::exists(Installed("libwepo.so")));
        }
        // The kept setup file, the installer and the install record.
        EXPECT_EQ(::test::ReadFile(kDist / "haldimon"), ::test::ReadFile(Installed("haldimon")));
        EXPECT_EQ("Morvalen",
                  SetupFile(Installed("haldimon.INF")).Get("APPINFO", "PROGRAM_FOLDER_NAME", 100));
        std::string record = ::test::ReadFile(Installed("haldimon.INF.files"));
        EXPECT_NE(std::string::npos, record.find("F\tmorvalen\t"));
        // The key store: the folder an update finds, and the registration.
        EXPECT_EQ(
            Installed().string() + "/",
            keys.GetString("HKEY_CURRENT_USER", "Software\\Morvalen\\Morvalen", "InstallDir"));
        std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvalen";
        EXPECT_EQ("Morvalen", keys.GetString("HKEY_LOCAL_MACHINE", key, "DisplayName"));
        EXPECT_EQ("\"" + Installed().string() + "/haldimon\" /d",
                  keys.GetString("HKEY_LOCAL_MACHINE", key, "UninstallString"));
        // The menu entries, valid for desktop-file-validate.
        fs::path menu = box.platform.ApplicationsDir / "Morvalen";
        EXPECT_TRUE(fs::exists(menu / "Morvalen.desktop"));
        EXPECT_TRUE(fs::exists(menu / "uninstall-Morvalen.desktop"));
        // Both with the suite's icon, in a menu section.
        for (const char* f : {"Morvalen.desktop", "uninstall-Morvalen.desktop"}) {
            std::string text = ::test::ReadFile(menu / f);
            EXPECT_NE(std::string::npos,
                      text.find("\nIcon=" + Installed("morvalen.svg").string() + "\n"))
                << text;
            EXPECT_NE(std::string::npos, text.find("\nCategories=Development;Engineering;\n"))
                << text;
        }
        if (std::system("command -v desktop-file-validate >/dev/null 2>&1") == 0) {
            for (const auto& e : fs::directory_iterator(menu)) {
                EXPECT_EQ(0, Run("desktop-file-validate", {Q(e.path().string())})) << e.path();
            }
        }
        // Nothing went into the user's settings folder.
        EXPECT_FALSE(fs::exists(box.platform.UserSettingsDir));
    }

    Sandbox box;
};

TEST_F(DistInstallTest, TheUsageNeedsNoDisplay) {
    QProcessEnvironment env = Env();
    for (const char* v : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(v);
    struct Case {
        QStringList args;
        int code;
    } cases[] = {{{"--help"}, 0}, {{"-h"}, 0}, {{"--bogus"}, 2}, {{"/q"}, 2}, {{"/b", "x"}, 2}};
    for (const Case& c : cases) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(Q(box.root.string()));
        p.start(Q((kDist / "haldimon").string()), c.args);
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(QProcess::NormalExit, p.exitStatus()) << c.args.join(' ').toStdString();
        EXPECT_EQ(c.code, p.exitCode()) << c.args.join(' ').toStdString();
        // The usage asked for goes to the standard output (so that it pipes into a pager);
        // after a wrong switch it is an error and goes to the error output.
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const QString err = QString::fromUtf8(p.readAllStandardError());
        const QString& usage = c.code == 0 ? out : err;
        const QString& other = c.code == 0 ? err : out;
        EXPECT_TRUE(usage.startsWith("Usage: haldimon [/b | /d]")) << usage.toStdString();
        EXPECT_TRUE(usage.contains("haldimon.INF")) << usage.toStdString();
        EXPECT_TRUE(other.isEmpty()) << other.toStdString();
    }
}

TEST_F(DistInstallTest, TheWizardInstallsTheSuite) {
    SetupState state;
    FakeUi ui;
    QtProcessRunner runner;
    FakeProbe probe;
    SetupEngine engine(state, box.platform, ui, runner);
    ASSERT_TRUE(InitInstallerPaths(state, (kDist / "haldimon").string()));
    ASSERT_EQ(1, ReadSetupFile(state, engine.Keys, box.platform, ui));
    engine.CurrentFolder = state.SourceFolder;
    WizardContext ctx{state, engine, probe};
    CInstallWizard wizard(ctx);
    wizard.show();
    QApplication::processEvents();
    EXPECT_EQ((QList<int>{W::kStart, W::kInfo, W::kFolder, W::kMode, W::kCustom, W::kShortCut,
                          W::kSetup, W::kProgress, W::kEnd}),
              wizard.pageIds());
    wizard.next();  // the read-me
    wizard.next();  // the folder: the default below ~/.local/opt
    ASSERT_EQ(W::kFolder, wizard.currentId());
    wizard.next();
    ASSERT_EQ(W::kMode, wizard.currentId());
    EXPECT_EQ(Installed().string() + "/", state.TargetDir);
    qobject_cast<CInstallModeDlg*>(wizard.currentPage())->StandardButton()->click();
    QApplication::processEvents();
    ASSERT_EQ(W::kShortCut, wizard.currentId());
    wizard.next();
    wizard.next();
    ASSERT_EQ(W::kProgress, wizard.currentId());
    ASSERT_TRUE(QTest::qWaitFor([&] { return wizard.currentId() == int(W::kEnd); }, 30000))
        << wizard.currentId();
    EXPECT_EQ(0, state.Failed);
    EXPECT_TRUE(ui.shown.empty());
    ExpectInstalled();
}

TEST_F(DistInstallTest, TheRealInstallerInstallsAndTheInstalledProgramRuns) {
    QProcessEnvironment env = Env();
    env.insert("HALDIMON_UNATTENDED", "1");
    QString out;
    ASSERT_EQ(0, Run(Q((kDist / "haldimon").string()), {}, box.root, env, &out))
        << out.toStdString();
    EXPECT_FALSE(out.contains("haldimon: message")) << out.toStdString();
    ExpectInstalled();

    // The installed program loads the installed libraries only.
    QString elf;
    ASSERT_EQ(0, Run("readelf", {"-d", Q(Installed("morvalen").string())}, {}, {}, &elf));
    EXPECT_TRUE(elf.contains("Library runpath: [$ORIGIN]")) << elf.toStdString();
    EXPECT_EQ(1, elf.count("path:"));
    QString ldd;
    ASSERT_EQ(0, Run("ldd", {Q(Installed("morvalen").string())}, {}, {}, &ldd));
    EXPECT_FALSE(ldd.contains("not found")) << ldd.toStdString();
    EXPECT_TRUE(ldd.contains(Q(Installed("libtarnwick.so").string()))) << ldd.toStdString();

    // It starts from the installation folder on an NC file as its menu entry gives it, and
    // its first start copies the shipped settings into the settings folder.
    fs::path nc = box.root / "part.nc";
    fs::copy_file(fs::path(MORVALEN_SOURCE_DIR) / "examples" / "laser-sample.nc", nc);
    std::string entry =
        ::test::ReadFile(box.platform.ApplicationsDir / "Morvalen" / "Morvalen.desktop");
    size_t exec = entry.find("Exec=");
    ASSERT_NE(std::string::npos, exec);
    std::string line = entry.substr(exec + 5, entry.find('\n', exec) - exec - 5);
    std::vector<std::string> words = SplitCommandLine(line);
    ASSERT_EQ(2u, words.size());
    EXPECT_EQ("%f", words[1]);
    // It is ended as a driving program would end it: the installed client sends CLOSE.
    QProcess program;
    program.setProcessEnvironment(Env());
    program.setWorkingDirectory(Q(Installed().string()));
    program.start(Q(words[0]), {Q(nc.string())});
    ASSERT_TRUE(program.waitForStarted(30000));
    EXPECT_EQ(0, Run(Q(Installed("morvalen-dde").string()), {"-n", "0", "-w", "30000", "CLOSE"}, {},
                     {}, &out))
        << out.toStdString();
    EXPECT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(QProcess::NormalExit, program.exitStatus());
    EXPECT_EQ(0, program.exitCode()) << program.readAll().toStdString();
    // The copies start with the shipped texts (the program adds the keys it writes back).
    std::string shipped = ::test::ReadFile(Installed("MV_Machine.nmd"));
    EXPECT_EQ(0u, ::test::ReadFile(box.platform.UserSettingsDir / "MV_Machine.nmd").find(shipped));
    EXPECT_NE(std::string::npos, ::test::ReadFile(box.platform.UserSettingsDir / "MV_System.ini")
                                     .find("; System settings of Morvalen as shipped."));
}

TEST_F(DistInstallTest, TheRegisteredCommandRemovesTheSuite) {
    QProcessEnvironment env = Env();
    env.insert("HALDIMON_UNATTENDED", "1");
    ASSERT_EQ(0, Run(Q((kDist / "haldimon").string()), {}, box.root, env));
    ASSERT_TRUE(fs::exists(Installed("morvalen")));
    ::test::WriteFile(box.platform.UserSettingsDir / "MV_System.ini", "the user's settings");
    ::test::WriteFile(Installed("my-part.nc"), "G00X0Y0");

    // The uninstall command as the registration names it: the launcher starts a copy of the
    // installer from a private temporary folder and ends; the copy removes the installation.
    KeyStore keys(box.platform.KeyStoreDir);
    std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvalen";
    auto command = keys.GetString("HKEY_LOCAL_MACHINE", key, "UninstallString");
    ASSERT_TRUE(command);
    std::vector<std::string> words = SplitCommandLine(*command);
    ASSERT_EQ(2u, words.size());
    QString out;
    ASSERT_EQ(0, Run(Q(words[0]), {Q(words[1])}, box.root, env, &out)) << out.toStdString();
    auto copies = [&] {
        int n = 0;
        for (const auto& e : fs::directory_iterator(box.platform.TempDir))
            n += e.path().filename().string().rfind("haldimon-", 0) == 0;
        return n;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fs::exists(Installed("morvalen")) && copies() == 0; },
                                30000));
    for (const char* f : {"libtarnwick.so", "libwepo.so", "strings.tsv", "MV_System.ini",
                          "haldimon", "haldimon.INF", "haldimon.INF.files", "help", "morvalen.svg"})
        EXPECT_FALSE(fs::exists(Installed(f))) << f;
    EXPECT_EQ("G00X0Y0", ::test::ReadFile(Installed("my-part.nc")));  // the user's file stays
    EXPECT_FALSE(fs::exists(box.platform.ApplicationsDir / "Morvalen"));
    // The folders it made for the key store go; the menu folder was there before and stays.
    EXPECT_FALSE(fs::exists(box.platform.KeyStoreDir.parent_path()));
    EXPECT_TRUE(fs::is_directory(box.platform.ApplicationsDir));
    EXPECT_TRUE(keys.Values("HKEY_LOCAL_MACHINE", key).empty());
    EXPECT_FALSE(keys.GetString("HKEY_CURRENT_USER", "Software\\Morvalen\\Morvalen", "InstallDir"));
    EXPECT_EQ("the user's settings",
              ::test::ReadFile(box.platform.UserSettingsDir / "MV_System.ini"));
}

TEST_F(DistInstallTest, InstallAndUninstallLeaveANewHomeAsItWas) {
    // A new user's home: not even a menu folder yet.
    fs::remove_all(box.platform.Home / ".local");
    ASSERT_TRUE(fs::is_empty(box.platform.Home));
    QProcessEnvironment env = Env();
    env.insert("HALDIMON_UNATTENDED", "1");
    ASSERT_EQ(0, Run(Q((kDist / "haldimon").string()), {}, box.root, env));
    ASSERT_TRUE(fs::exists(box.platform.ApplicationsDir / "Morvalen" / "Morvalen.desktop"));
    ASSERT_TRUE(fs::is_directory(box.platform.KeyStoreDir));
    ASSERT_EQ(0, Run(Q(Installed("haldimon").string()), {"/d"}, box.root, env));
    // The launcher has ended; the copy it started works on until it has removed itself.
    auto uninstalled = [&] {
        for (const auto& e : fs::directory_iterator(box.platform.TempDir))
            if (e.path().filename().string().rfind("haldimon-", 0) == 0) return false;
        return !fs::exists(Installed("morvalen"));
    };
    QElapsedTimer waited;
    waited.start();
    while (!uninstalled() && waited.elapsed() < 30000) QTest::qWait(50);
    ASSERT_TRUE(uninstalled());
    std::string left;
    for (const auto& e : fs::recursive_directory_iterator(box.platform.Home))
        left += e.path().string() + "\n";
    EXPECT_EQ("", left);
}

}  // namespace
}  // namespace installer::test

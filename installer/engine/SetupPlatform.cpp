// The installer's folders from the environment, and the folders it must never walk.
#include "installer/engine/SetupPlatform.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace installer {

namespace fs = std::filesystem;

namespace {

fs::path EnvFolder(const char* name) {
    const char* v = std::getenv(name);
    if (!v || !*v) return {};
    fs::path p(v);
    return p.is_absolute() ? p : fs::path();
}

fs::path HomeFolder() {
    fs::path home = EnvFolder("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}

// Both sides with existing links resolved, so that a link cannot smuggle a folder past a test.
fs::path Resolved(const fs::path& p) {
    std::error_code ec;
    fs::path r = fs::weakly_canonical(NormalFolder(p), ec);
    return ec ? NormalFolder(p) : NormalFolder(r);
}

}  // namespace

fs::path NormalFolder(const fs::path& p) {
    if (p.empty()) return {};
    std::error_code ec;
    fs::path a = p.is_absolute() ? p : fs::absolute(p, ec);
    a = a.lexically_normal();
    std::string s = a.string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

bool IsSameOrBelow(const fs::path& path, const fs::path& base) {
    if (path.empty() || base.empty()) return false;
    std::string p = NormalFolder(path).string();
    std::string b = NormalFolder(base).string();
    if (b == "/") return true;
    return p == b || (p.size() > b.size() && p.compare(0, b.size(), b) == 0 && p[b.size()] == '/');
}

SetupPlatform SetupPlatform::FromEnvironment() {
    SetupPlatform p;
    p.Home = HomeFolder();
    fs::path data = EnvFolder("XDG_DATA_HOME");
    if (data.empty() && !p.Home.empty()) data = p.Home / ".local" / "share";
    fs::path tmp = EnvFolder("TMPDIR");
    if (tmp.empty()) tmp = "/tmp";
    p.ProgramsBase = p.Home.empty() ? fs::path() : p.Home / ".local" / "opt";
    p.RelativeBase = p.Home;
    p.ApplicationsDir = data.empty() ? fs::path() : data / "applications";
    p.MimeDir = data.empty() ? fs::path() : data / "mime";
    p.KeyStoreDir = data.empty() ? fs::path() : data / "Haldimon" / "registry";
    p.TempDir = tmp;
    p.UserSettingsDir = data.empty() ? fs::path() : data / "Morvalen";
    p.WinDir = data.string();
    p.WinSysDir = p.Home.empty() ? std::string() : (p.Home / ".local" / "lib").string();
    return p;
}

SetupPlatform SetupPlatform::Below(const fs::path& root) {
    SetupPlatform p;
    p.Home = root / "home";
    fs::path data = p.Home / ".local" / "share";
    p.ProgramsBase = p.Home / ".local" / "opt";
    p.RelativeBase = p.Home;
    p.ApplicationsDir = data / "applications";
    p.MimeDir = data / "mime";
    p.KeyStoreDir = data / "Haldimon" / "registry";
    p.TempDir = root / "tmp";
    p.UserSettingsDir = data / "Morvalen";
    p.WinDir = data.string();
    p.WinSysDir = (p.Home / ".local" / "lib").string();
    return p;
}

bool SetupPlatform::AllInside(const fs::path& root) const {
    if (root.empty() || NormalFolder(root) == "/") return false;
    for (const fs::path* f : {&Home, &ProgramsBase, &RelativeBase, &ApplicationsDir, &MimeDir,
                              &KeyStoreDir, &TempDir, &UserSettingsDir})
        if (!IsSameOrBelow(*f, root)) return false;
    return IsSameOrBelow(WinDir, root) && IsSameOrBelow(WinSysDir, root);
}

bool SetupPlatform::IsRefusedFolder(const fs::path& folder) const {
    if (folder.empty()) return true;
    fs::path f = Resolved(folder);
    if (f == "/") return true;
    if (!Home.empty() && f == Resolved(Home)) return true;
    return IsProtected(folder);
}

bool SetupPlatform::IsProtected(const fs::path& path) const {
    if (UserSettingsDir.empty()) return false;
    return IsSameOrBelow(Resolved(path), Resolved(UserSettingsDir));
}

}  // namespace installer

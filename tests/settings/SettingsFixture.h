// A settings context over a temporary configuration folder: system settings, a working copy of
// the machine file, a scripted prompt and scripted choosers.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ScriptedChoosers.h"
#include "TempDir.h"
#include "app/core/AppPaths.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CSystemData.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/ScriptedPrompt.h"
#include "platform/StringTable.h"
#include "settings/DialogTemplate.h"
#include "settings/ModalRun.h"
#include "settings/SettingsContext.h"

namespace settings_test {

inline std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteAll(const std::filesystem::path& p, std::string_view text) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
}

// "section/key" of every key of a profile file, letter case as written.
inline std::set<std::string> Keys(const std::filesystem::path& file) {
    std::set<std::string> keys;
    platform::ProfileFile p;
    p.Load(file);
    for (const std::string& s : p.SectionNames())
        for (const std::string& k : p.KeyNames(s)) keys.insert(s + "/" + k);
    return keys;
}

inline std::string Value(const std::filesystem::path& file, std::string_view section,
                         std::string_view key) {
    platform::ProfileFile p;
    p.Load(file);
    auto v = p.Get(section, key);
    return v ? *v : std::string("<missing>");
}

// Makes file one the program may not replace: read-only, which the writes refuse also for the
// super-user.
inline void NotWritten(const std::filesystem::path& file) {
    ::chmod(file.c_str(), 0444);
}

// A disk that fills while it lives: the atomic writes after the first `room` ones fail as on a
// full disk (the flush of their data, ENOSPC) and leave their targets as they were; with room
// -1 it never fills. It records which files the writes put in place.
class FullDisk {
public:
    explicit FullDisk(int room = 0) {
        room_ = room;
        placed_.clear();
        saved_ = platform::CurrentDiskSyncCalls();
        platform::CurrentDiskSyncCalls() = {SyncFile, Rename, saved_.syncFolder};
    }
    ~FullDisk() { platform::CurrentDiskSyncCalls() = saved_; }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    // How many writes put a file in place as file.
    static int WritesOf(const std::filesystem::path& file) {
        int n = 0;
        for (const std::filesystem::path& p : placed_) n += p == file ? 1 : 0;
        return n;
    }

private:
    static int SyncFile(int fd) {
        if (room_ == 0) {
            errno = ENOSPC;
            return -1;
        }
        if (room_ > 0) --room_;
        return saved_.syncFile(fd);
    }
    static int Rename(const char* from, const char* to) {
        const int r = saved_.rename(from, to);
        if (r == 0) placed_.emplace_back(to);
        return r;
    }
    static inline int room_ = 0;
    static inline std::vector<std::filesystem::path> placed_;
    static inline platform::DiskSyncCalls saved_;
};

// Sets an edit's text as typing would (the validator is not asked: tests also set texts a user
// could not type).
inline void Type(QLineEdit* edit, const QString& text) {
    edit->setText(text);
}

class Fixture : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetLanguage(platform::Language::English);
        config = dir.path() / "config";
        std::filesystem::create_directories(config);
        std::filesystem::create_directories(dir.path() / "local");
        paths.SetConfigFolder(config.string());
        paths.SetLocalAppFolder((dir.path() / "local").string());
        nc.ConfigFolder = config;
        nc.IniPath = paths.IniPath;
        nc.Prompt = &prompt;
        nc.ConvertLocalAppPath = [this](int expand, std::string& p) {
            return paths.ConvertLocalAppPath(expand, p);
        };
        sys = std::make_unique<CSystemData>(&nc);
        sys->NcReadInfo.FileName = "MV_Machine.nmd";
        ctx.Paths = &paths;
        ctx.SystemData = sys.get();
        ctx.Prompt = &prompt;
        ctx.Choose = &choose;
    }

    std::filesystem::path Ini() const { return paths.IniPath; }
    std::filesystem::path Work() const { return sys->WorkingCopyPath; }
    void SetWorkingCopy(std::string_view text) { WriteAll(Work(), text); }
    bool Asked(const std::string& part) const {
        for (const auto& a : prompt.asked)
            if (a.text.find(part) != std::string::npos) return true;
        return false;
    }

    test::TempDir dir;
    std::filesystem::path config;
    AppPaths paths;
    NcAppContext nc;
    std::unique_ptr<CSystemData> sys;
    platform::ScriptedPrompt prompt;
    ScriptedChoosers choose;
    SettingsContext ctx;
};

// A modal-dialog script that fills edits by control id and presses a button (1 OK, 2 Cancel).
struct DialogAnswer {
    std::vector<std::pair<int, QString>> edits;
    int button = 1;
};

inline int Answer(QDialog& d, const DialogAnswer& a) {
    for (const auto& [id, text] : a.edits) Control<QLineEdit>(&d, id)->setText(text);
    Control<QAbstractButton>(&d, a.button)->click();
    return d.result();
}

}  // namespace settings_test

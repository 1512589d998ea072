// Crash-recovery logs: claiming, writing, listing and restoring.
#include "app/core/CNcLog.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "app/core/AppMessages.h"
#include "app/core/FileTimes.h"
#include "app/core/NcProgramFile.h"
#include "app/core/TextFile.h"
#include "platform/Paths.h"
#include "platform/Profile.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "Log file:";

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

std::optional<std::string> FirstLine(const fs::path& file) {
    // A folder or a device picked as a log is no log (getline on /dev/zero never ends).
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string line;
    if (!std::getline(in, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

}  // namespace

CNcLog::~CNcLog() {
    if (fd_ >= 0) {
        ::unlink(LogFile.c_str());
        ::close(fd_);
    }
}

fs::path CNcLog::DefaultLogFolder(const fs::path& configFolder) {
    return configFolder / "LOG" / "";
}

std::string CNcLog::LogName(int n) {
    std::string digits = std::to_string(n);
    if (digits.size() < 2) digits.insert(digits.begin(), '0');
    return "MOR" + digits + ".LOG";
}

std::optional<int> CNcLog::LogNumber(std::string_view name) {
    if (name.size() < 9 || name.substr(0, 3) != "MOR") return std::nullopt;
    std::string_view ext = name.substr(name.size() - 4);
    auto up = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; };
    if (ext[0] != '.' || up(ext[1]) != 'L' || up(ext[2]) != 'O' || up(ext[3]) != 'G')
        return std::nullopt;
    std::string_view digits = name.substr(3, name.size() - 7);
    // At most nine digits: larger numbers are no log of ours and would overflow.
    if (digits.size() < 2 || digits.size() > 9) return std::nullopt;
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    if (digits.size() > 2 && digits[0] == '0') return std::nullopt;
    return std::stoi(std::string(digits));
}

void CNcLog::Init(const fs::path& iniPath, const fs::path& defaultFolder) {
    std::error_code ec;
    if (!defaultFolder.empty()) fs::create_directories(defaultFolder, ec);
    std::string folder =
        platform::GetProfileString("System", "LogFolder", defaultFolder.string(), iniPath);
    LogFile.clear();
    if (folder.empty()) {
        LogFolder.clear();
        return;
    }
    if (folder.back() != '/') folder += '/';
    LogFolder = folder;
    platform::WriteProfileString("System", "LogFolder", std::string_view(folder), iniPath);
    LogFile = LogFolder / LogName(EnumLogFiles(nullptr, 0));
}

bool CNcLog::HeldByAnInstance(const fs::path& log) {
    int fd = ::open(log.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

int CNcLog::EnumLogFiles(std::vector<fs::path>* list, int deleteThem) {
    if (LogFolder.empty()) return 0;
    int highest = -1;
    std::vector<fs::path> logs;
    std::error_code ec;
    for (fs::directory_iterator it(LogFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sec;
        if (it->is_directory(sec)) continue;
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        auto n = LogNumber(name);
        if (!n) continue;
        highest = std::max(highest, *n);
        if (it->path() == LogFile && fd_ >= 0) continue;
        if (HeldByAnInstance(it->path())) continue;
        logs.push_back(it->path());
    }
    std::sort(logs.begin(), logs.end());
    if (deleteThem)
        for (const auto& l : logs) fs::remove(l, ec);
    if (list) *list = std::move(logs);
    return highest + 1;
}

int CNcLog::WriteLog(const std::vector<std::string>& lines, std::string_view ncFileName) {
    if (LogFolder.empty() || ncFileName.empty()) return 1;
    std::string text;
    text.reserve(ncFileName.size() + 16);
    text += kHeader;
    text += ncFileName;
    text += "\r\n";
    text += textfile::JoinCrLf(lines);

    // The new content goes to a locked temporary file first, which then takes the log's name:
    // the log is never half written and never unlocked.
    std::string tmpl = (LogFolder / "MOR-write.XXXXXX").string();
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return 0;
    bool ok = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
    if (ok && fd_ < 0) {
        // Claim a name no other instance has: link fails when the name exists.
        ok = false;
        for (int attempt = 0; attempt < 1000; ++attempt) {
            if (::link(tmpl.c_str(), LogFile.c_str()) == 0) {
                ok = true;
                break;
            }
            if (errno != EEXIST) break;
            int next = EnumLogFiles(nullptr, 0);
            auto current = LogNumber(LogFile.filename().string());
            if (current && next <= *current) next = *current + 1;
            LogFile = LogFolder / LogName(next);
        }
        ::unlink(tmpl.c_str());
    } else if (ok) {
        ok = ::rename(tmpl.c_str(), LogFile.c_str()) == 0;
        if (!ok) ::unlink(tmpl.c_str());
    } else {
        ::unlink(tmpl.c_str());
    }
    if (!ok) {
        ::close(fd);
        return 0;
    }
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
    return 1;
}

void CNcLog::ClearLog() {
    if (fd_ < 0) return;
    ::unlink(LogFile.c_str());
    ::close(fd_);
    fd_ = -1;
}

void CNcLog::KeepLog() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

int CNcLog::ReadLogHeader(const fs::path& logPath, std::string* ncPath,
                          platform::UserPrompt* prompt) {
    auto line = FirstLine(logPath);
    if (!line || line->compare(0, kHeader.size(), kHeader) != 0) {
        if (prompt)
            prompt->Message(AppMessage(kMsgLogOpenError), platform::PromptIcon::None,
                            platform::PromptButtons::Ok);
        return 0;
    }
    if (ncPath) *ncPath = line->substr(kHeader.size());
    return 1;
}

int CNcLog::SelectLogFile(fs::path* result, platform::UserPrompt& prompt) {
    for (;;) {
        auto picked = prompt.AskFileName(AppMessage(kMsgLogFileTitle), "Log files (*.Log *.LOG)",
                                         LogFolder.string(), false);
        if (!picked) return 0;
        auto line = FirstLine(*picked);
        if (line && line->find(kHeader) != std::string::npos && !HeldByAnInstance(*picked)) {
            *result = *picked;
            return 1;
        }
    }
}

std::optional<std::vector<std::string>> CNcLog::ReadLogText(const fs::path& log) {
    auto lines = textfile::ReadLines(log, false);
    if (!lines || lines->empty() || (*lines)[0].compare(0, kHeader.size(), kHeader) != 0)
        return std::nullopt;
    lines->erase(lines->begin());
    return lines;
}

NcStoreResult CNcLog::WriteBack(const std::vector<std::string>& lines, const fs::path& ncPath,
                                const NcFileSettings& settings, platform::UserPrompt* prompt) {
    // Written as a save of the file writes it: what the log holds is the document's text,
    // not the file's bytes.
    return WriteNcFile(ncPath, lines, StoreOptionsForText(ncPath, lines, settings), prompt);
}

int CNcLog::RestoreFile(const fs::path& logPath, const fs::path& ncPath,
                        const NcFileSettings& settings, platform::UserPrompt* prompt) {
    auto lines = ReadLogText(logPath);
    if (!lines) return 0;
    return WriteBack(*lines, ncPath, settings, prompt).ok ? 1 : 0;
}

bool CNcLog::AdoptLog(const fs::path& log) {
    std::error_code ec;
    if (LogFolder.empty() || !fs::equivalent(log.parent_path(), LogFolder, ec) || ec) return false;
    if (!LogNumber(log.filename().string())) return false;
    const int fd = ::open(log.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    // This run's own log stood for a text the adopted one replaces.
    ClearLog();
    LogFile = log;
    fd_ = fd;
    return true;
}

int CNcLog::Recover(std::string* ncPath, platform::UserPrompt& prompt,
                    std::vector<std::string>* recovered, const NcFileSettings& settings) {
    using platform::PromptAnswer;
    using platform::PromptButtons;
    using platform::PromptIcon;
    std::vector<fs::path> logs;
    EnumLogFiles(&logs, 0);
    if (logs.empty()) return 0;

    auto cleanUp = [&] {
        if (prompt.Message(AppMessage(kMsgAskCleanLogFolder), PromptIcon::Warning,
                           PromptButtons::YesNo) == PromptAnswer::Yes)
            EnumLogFiles(nullptr, 1);
        return 0;
    };
    fs::path log;
    std::string path;
    if (logs.size() == 1) {
        log = logs[0];
        if (!ReadLogHeader(log, &path, &prompt)) return 0;
        if (prompt.Message(FillMessage(AppMessage(kMsgAskRestoreLog), {path}), PromptIcon::Warning,
                           PromptButtons::YesNo) != PromptAnswer::Yes)
            return cleanUp();
    } else {
        if (prompt.Message(FillMessage(AppMessage(kMsgAskRestoreLog), {""}), PromptIcon::Warning,
                           PromptButtons::YesNo) != PromptAnswer::Yes)
            return cleanUp();
        for (;;) {
            if (!SelectLogFile(&log, prompt)) return 0;
            if (!ReadLogHeader(log, &path, &prompt)) continue;
            if (prompt.Message(FillMessage(AppMessage(kMsgAskRestoreThisLog), {path}),
                               PromptIcon::Warning, PromptButtons::YesNo) == PromptAnswer::Yes)
                break;
        }
    }
    auto text = path.empty() ? std::nullopt : ReadLogText(log);
    if (!text) {
        prompt.Message(AppMessage(kMsgLogOpenError), PromptIcon::None, PromptButtons::Ok);
        return 0;
    }
    // The text cannot go back into its file: the user hears why and gets it as a new, changed
    // document without a file name, to save where they choose. The log stays until then, so
    // it is never lost; offering the same failing restore at every start would leave it stuck.
    // An empty message: the cause was shown already.
    auto notWritten = [&](const std::string& message) {
        std::string shown = message;
        if (recovered)
            shown += (shown.empty() ? "" : "\n\n") + AppMessage(kMsgRecoveredAsNewDocument);
        if (!shown.empty()) prompt.Message(shown, PromptIcon::Error, PromptButtons::Ok);
        AdoptLog(log);
        if (ncPath) *ncPath = path;
        if (recovered) *recovered = std::move(*text);
        return 2;
    };
    const std::string cannotWrite = FillMessage(AppMessage(kMsgCannotWrite), {path});
    if (!platform::MayReplaceFile(path)) return notWritten(cannotWrite);
    std::error_code exists;
    if (fs::exists(path, exists)) {
        // A file saved after the log was written holds newer work than the log.
        const auto fileTime = GetLastWriteTime(path);
        const auto logTime = GetLastWriteTime(log);
        if (fileTime && logTime && *fileTime > *logTime &&
            prompt.Message(FillMessage(AppMessage(kMsgAskRestoreOverNewerFile),
                                       {path, BackupPathFor(path).string()}),
                           PromptIcon::Warning, PromptButtons::YesNo) != PromptAnswer::Yes)
            return cleanUp();
        if (!MakeBackupCopy(path))
            return notWritten(FillMessage(AppMessage(kMsgRestoreBackupFailed),
                                          {path, BackupPathFor(path).string()}));
    }
    const NcStoreResult written = WriteBack(*text, path, settings, &prompt);
    if (!written.mainWritten) return notWritten(cannotWrite);
    // A sub-program file that failed has said so; the recovered text is kept whole.
    if (!written.ok) return notWritten("");
    std::error_code ec;
    fs::remove(log, ec);
    if (ncPath) *ncPath = path;
    return 1;
}

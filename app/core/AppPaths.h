// The application's folders and the functions that turn stored settings-file names into paths.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The placeholder that stored paths hold for the user's local application-data folder.
inline constexpr std::string_view kLocalAppPlaceholder = "<LOCAL_APP_NAME>";
// The main settings file in the configuration folder.
inline constexpr std::string_view kSystemIniName = "MV_System.ini";

// True for a path that must not be put behind a folder: one starting with '/', and the
// absolute forms of values written on Windows ("D:\...", "D:/...", "\\server\..."), which are
// left for the caller to report as missing rather than turned into nonsense under a folder.
bool IsAbsoluteSettingsPath(std::string_view name);

// The last position of the single byte ch in CP932 text, stepping over both bytes of every
// double-byte character, so that a trail byte 0x5C is never taken for a backslash; npos when
// there is none. The text ends at its first NUL; searching for '\0' gives that end. For CP932
// text only: native (UTF-8) paths are searched with a plain byte search.
size_t FindLastCharMbcs(std::string_view text, char ch);

// Folders and paths owned by the application object. Folders end with '/'.
class AppPaths {
public:
    std::string ProgramFolder;  // folder of the program file
    std::string ConfigFolder;   // configuration folder
    std::string IniPath;        // ConfigFolder + "MV_System.ini"

    // ProgramFolder from the running executable; false when it cannot be found.
    bool InitProgramFolder();
    void SetProgramFolder(std::string_view folder);
    // Sets ConfigFolder (adding the trailing '/') and IniPath.
    void SetConfigFolder(std::string_view folder);
    // The folder that "<LOCAL_APP_NAME>" stands for, without a trailing '/'. By default the
    // user's local data folder ($XDG_DATA_HOME or ~/.local/share), created when missing.
    void SetLocalAppFolder(std::string_view folder);
    std::string LocalAppFolder() const;

    // Copy the folder into out; return 1.
    int GetConfigFolder(std::string& out) const;
    int GetProgramFolder(std::string& out) const;

    // The name behind ConfigFolder / ProgramFolder unless it is absolute (then unchanged). An
    // empty name gives the folder itself.
    std::string MakeConfigPath(std::string_view name) const;
    std::string MakeProgramPath(std::string_view name) const;

    // In place. toAbsolute non-zero: a relative path (leading backslashes of a value written on
    // Windows dropped) is put behind ConfigFolder; the result is 0. toAbsolute 0: a path whose
    // folder starts with ConfigFolder (letter case ignored) loses that start and the result is
    // 1; any other path is unchanged and the result is 0. An empty path gives 0 untouched.
    int ConvertConfigRelativePath(int toAbsolute, std::string& path) const;

    // In place. expand non-zero: every "<LOCAL_APP_NAME>" (letter case ignored) in the folder
    // part becomes LocalAppFolder(). expand 0: a folder part that starts with LocalAppFolder()
    // (letter case ignored, whole folder names only) gets "<LOCAL_APP_NAME>" in its place.
    // 1 when something was replaced, else 0 and the path is unchanged. Everything else keeps
    // its letter case, so a collapsed path expands to the same path again.
    int ConvertLocalAppPath(int expand, std::string& path) const;

    // Splits path at its last '/': folder (with the '/') and name, result 1; without a '/'
    // name is the whole path, folder is left untouched and the result is 0.
    static int SplitPath(std::string_view path, std::string& folder, std::string& name);

private:
    std::optional<std::string> localAppFolder_;
};

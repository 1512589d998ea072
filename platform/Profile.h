// Profile (INI) files with the Windows profile semantics, on bytes, standard library only.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileRead.h"

namespace platform {

// One INI file held in memory as its original lines, so that a write changes only the
// line it must and every other byte survives. Names match ASCII-case-insensitively, the
// first match wins; blanks around names and values are trimmed; a value wholly inside one
// pair of double quotes loses them. Values are bytes (CP932): no conversion happens here.
class ProfileFile {
public:
    ProfileFile() = default;
    // Reads the file (a regular file of at most kSettingsFileLimit bytes); a missing or
    // unreadable file gives an empty profile (and false); LoadStatus tells which.
    bool Load(const std::filesystem::path& file);
    FileReadStatus LoadStatus() const { return status_; }
    // Parses text as file contents (LF or CR LF lines).
    void SetText(std::string text);
    const std::string& Text() const { return text_; }

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view def) const;
    // Windows rules: the default when the key is missing, else the leading decimal integer
    // of the value (0 when it has none).
    int GetInt(std::string_view section, std::string_view key, int def) const;
    // C-locale real; the default when the key is missing or holds no number.
    double GetReal(std::string_view section, std::string_view key, double def) const;

    // Replaces the value in place, appends a missing key at the end of its section and a
    // missing section at the end of the text.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, long value);
    // Reals are written with three decimals in C notation.
    void SetReal(std::string_view section, std::string_view key, double value);
    void DeleteKey(std::string_view section, std::string_view key);
    void DeleteSection(std::string_view section);

    bool HasSection(std::string_view section) const;
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(std::string_view section) const;

    // Writes the text to a temporary file in the same folder and renames it over the file,
    // so that a crash never leaves half a file. A file that exists but cannot be read (a
    // folder, a device, no read permission) or may not be written is left alone. False when
    // any step fails (the old file is then untouched).
    bool Save(const std::filesystem::path& file) const;

private:
    struct Line {
        size_t begin = 0;  // offset of the line in text_
        size_t end = 0;    // offset of its line end (CR LF or LF) or of the text end
        size_t next = 0;   // offset of the following line
    };
    void Index();
    std::optional<size_t> FindSection(std::string_view section) const;  // index into lines_
    size_t SectionEnd(size_t header) const;  // index of the next section header or lines_.size()
    std::optional<size_t> FindKey(size_t header, std::string_view key) const;
    std::string_view LineText(size_t i) const;
    void Replace(size_t from, size_t to, std::string_view with);
    std::string Eol() const;

    std::string text_;
    std::vector<Line> lines_;
    FileReadStatus status_ = FileReadStatus::Missing;
    std::filesystem::path loadedFrom_;
};

// The profile functions, each reading (and writing back) the file whole, as the Windows
// functions do. A missing or unreadable file or key gives the default; a write never replaces
// a file that exists but cannot be read.
std::string GetProfileString(std::string_view section, std::string_view key, std::string_view def,
                             const std::filesystem::path& file);
int GetProfileInt(std::string_view section, std::string_view key, int def,
                  const std::filesystem::path& file);
double GetProfileReal(std::string_view section, std::string_view key, double def,
                      const std::filesystem::path& file);
// A null key deletes the section; a null value deletes the key. Creates the file when missing.
bool WriteProfileString(std::string_view section, std::optional<std::string_view> key,
                        std::optional<std::string_view> value, const std::filesystem::path& file);
bool WriteProfileInt(std::string_view section, std::string_view key, long value,
                     const std::filesystem::path& file);
bool WriteProfileReal(std::string_view section, std::string_view key, double value,
                      const std::filesystem::path& file);
std::vector<std::string> GetProfileSectionNames(const std::filesystem::path& file);
std::vector<std::string> GetProfileKeyNames(std::string_view section,
                                            const std::filesystem::path& file);

}  // namespace platform

// A setup file (INI) in UTF-8 or CP932, read as UTF-8 with the read limits of its keys and
// written back in its own encoding.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Profile.h"

namespace installer {

class SetupFile {
public:
    SetupFile() = default;
    explicit SetupFile(const std::filesystem::path& file) { Load(file); }

    // Reads the file (a regular file only); false when it cannot be read (every read then
    // gives the empty text). A file that is not valid UTF-8 is taken as CP932.
    bool Load(const std::filesystem::path& file);
    // Parses text as the file's bytes (tests).
    void SetBytes(std::string_view bytes);
    bool Loaded() const { return loaded_; }
    bool IsCp932() const { return cp932_; }
    const std::filesystem::path& Path() const { return path_; }

    // The value as the profile reader gives it ("" when missing), cut to size - 1 bytes at a
    // character boundary, as a read into a buffer of size bytes would.
    std::string Get(std::string_view section, std::string_view key, size_t size) const;
    // The value read into size bytes, as a decimal number (0 when it has no leading digits).
    int GetInt(std::string_view section, std::string_view key, size_t size = 64) const;
    // Writes the value and saves the file in its own encoding; false when that fails.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    const platform::ProfileFile& Profile() const { return profile_; }

private:
    platform::ProfileFile profile_;
    std::filesystem::path path_;
    bool loaded_ = false;
    bool cp932_ = false;
    bool bom_ = false;
};

// True when bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);
// text cut to at most size - 1 bytes without splitting a UTF-8 character.
std::string CutToBuffer(std::string_view text, size_t size);

// The setup file's name for an installer: its extension replaced by "INF", or ".INF" appended
// when it has none ("haldimon" -> "haldimon.INF", "Other.exe" -> "Other.INF").
std::string SetupFileNameFor(std::string_view installerName);
// The entry of folder whose name equals name without letter case (the exact name first);
// empty when there is none.
std::filesystem::path FindNoCase(const std::filesystem::path& folder, std::string_view name);

}  // namespace installer

// The installer's registry: one profile file per root key, each section a subkey path with
// its '\' separators, each key a value name ("@" for the default value), each value a text
// between double quotes.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace installer {

class KeyStore {
public:
    explicit KeyStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // The four root names, matched with letter case as written.
    static bool IsRootName(std::string_view root);
    // "HKEY_CURRENT_USER.ini" and the other three, in the store's folder.
    std::filesystem::path FileOf(std::string_view root) const;

    // The value, or nothing when the root, subkey or value does not exist. An empty value
    // name is the default value.
    std::optional<std::string> GetString(std::string_view root, std::string_view subkey,
                                         std::string_view name) const;
    // Writes the value, creating the subkey; false when the root is unknown or the file
    // cannot be written.
    bool SetString(std::string_view root, std::string_view subkey, std::string_view name,
                   std::string_view value);
    // Removes the subkey with its values and every subkey below it (names without letter
    // case). True when the store is as asked afterwards.
    bool DeleteTree(std::string_view root, std::string_view subkey);
    // The subkeys of root (section names as stored, in file order).
    std::vector<std::string> Subkeys(std::string_view root) const;
    // The values of one subkey: (name, value) pairs; "@" names the default value.
    std::vector<std::pair<std::string, std::string>> Values(std::string_view root,
                                                            std::string_view subkey) const;

    const std::filesystem::path& Folder() const { return folder_; }

private:
    std::filesystem::path folder_;
};

}  // namespace installer

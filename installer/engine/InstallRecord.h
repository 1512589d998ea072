// The install record "<setup file name>.files" beside the kept setup file: every file and
// folder an installation created or replaced, written as the run goes, so that uninstalling
// removes exactly that and a failed run still leaves a true list.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <set>
#include <string>

namespace installer {

// One line per entry, tab-separated, UTF-8, LF:
//   F <path> <size> <mtime>   a file copied or written (size in bytes, mtime in UTC seconds)
//   D <path>                  a folder created
// Paths below the installation folder are relative to it, others absolute. Tabs, line breaks
// and backslashes in paths are escaped as \t, \n and \\.
class InstallRecord {
public:
    // Points the record at "<folder><name>" (folder = the installation folder, ending in '/'),
    // reading the entries a file there already holds. Entries added before the folder exists
    // wait in memory and are written once it does.
    void Open(const std::string& folder, const std::string& name);
    bool IsOpen() const { return !folder_.empty(); }
    const std::string& Folder() const { return folder_; }
    std::filesystem::path File() const;

    void AddFile(const std::filesystem::path& path);
    void AddFolder(const std::filesystem::path& path);

    bool HasFile(const std::filesystem::path& path) const;
    bool HasFolder(const std::filesystem::path& path) const;
    const std::set<std::string>& Files() const { return files_; }
    const std::set<std::string>& Folders() const { return folders_; }

    // The record's key of a path: relative to the installation folder when below it.
    std::string KeyOf(const std::filesystem::path& path) const;
    // The absolute path of a key.
    std::filesystem::path PathOf(const std::string& key) const;

    // Forgets the file and deletes it from disk (the uninstallation's last step).
    void Remove();

private:
    void Append(const std::string& line);
    void Flush();

    std::string folder_;  // with its trailing '/'
    std::string name_;
    std::set<std::string> files_;
    std::set<std::string> folders_;
    std::string pending_;  // lines not yet on disk
};

}  // namespace installer

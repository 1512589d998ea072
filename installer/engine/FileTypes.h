// The desktop's file types kept in line with the file classes of the key store: Windows setup
// files register ".ext" -> class and class "\Shell\Open\Command" under HKEY_CLASSES_ROOT;
// each complete class becomes a shared-mime-info package and a hidden desktop entry.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "installer/engine/KeyStore.h"
#include "installer/engine/SetupPlatform.h"

namespace installer {

class InstallRecord;

struct FileClass {
    std::string Name;                     // the class as the key store names it
    std::string Description;              // the class's default value, or empty
    std::vector<std::string> Extensions;  // with their dots
    std::string Command;                  // the open command with "%1"
    bool Complete() const { return !Extensions.empty() && !Command.empty(); }
};

// The classes of HKEY_CLASSES_ROOT that an extension or an open command names.
std::vector<FileClass> ReadFileClasses(const KeyStore& keys);

// "application/x-<id>" with id the class name in lower case, other characters than letters,
// digits, '.', '+', '-' and '_' made '-'.
std::string MimeTypeOf(const std::string& className);
// The package and the hidden desktop entry of a class.
std::filesystem::path MimePackageOf(const SetupPlatform& p, const std::string& className);
std::filesystem::path TypeEntryOf(const SetupPlatform& p, const std::string& className);
// The package text of a class.
std::string MimePackageText(const FileClass& c);

// Writes the files of every complete class and removes "haldimon-*" files of classes no
// longer complete; then, when a file changed, runs update-mime-database and
// update-desktop-database where they are installed. Files written are added to record when
// it is given. True when something changed.
bool SyncFileTypes(const KeyStore& keys, const SetupPlatform& platform, InstallRecord* record);

}  // namespace installer

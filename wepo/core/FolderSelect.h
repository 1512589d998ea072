// Which folder a folder tree selects for a path given to it.
#pragma once

#include <string>

namespace wepo {

struct FolderTarget {
    std::string folder;   // the folder to select ("/" for the root); empty: none
    bool expand = false;  // open it too (it is a folder above the path, not the path itself)
};

// A path with its trailing '/' selects that folder; without it (or when that folder does not
// exist) the deepest existing folder whose path with '/' begins the path is selected and opened.
// A relative path is taken against the current folder; "//x" is an ordinary path.
FolderTarget FolderSelectTarget(const std::string& path);

}  // namespace wepo

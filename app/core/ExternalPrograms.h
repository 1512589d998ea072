// Paths handed to outside programs: the sheet file of an NC file, and the folder kept after a
// DXF output.
#pragma once

#include <string>

// The sheet file of an NC file: the file name's extension (only the name's, never a dotted
// folder's) replaced by "." + ext; with an empty ext the path only loses its extension.
// "/nc/A01.nc" with "PDF" gives "/nc/A01.PDF".
std::string SheetFilePath(const std::string& ncPath, const std::string& ext);

// path when it names an existing file; else the first file (in name order) of its folder
// whose name differs from path's only in the letter case of the extension; else path.
std::string FindExtensionIgnoringCase(const std::string& path);

// The folder part of path up to and including its last '/'; the whole path when it has none.
std::string FolderKeptAfterOutput(const std::string& path);

// The program the desktop opens files of an extension with (shared-mime-info and mimeapps.list).
#pragma once

#include <string>

namespace wepo {

// out = the program of the default application for files with this extension (".dxf"): the
// extension's MIME type from the shared-mime-info globs ($XDG_DATA_HOME, $XDG_DATA_DIRS), its
// default application from mimeapps.list ($XDG_CONFIG_HOME, $XDG_CONFIG_DIRS, then the
// applications folders of the data folders), and the first word of that desktop entry's Exec
// line; a quoted program path with blanks stays whole. 1, or 0 when a step finds nothing or an
// argument is null.
int GetOpenCommand(const char* extension, std::string* out);

}  // namespace wepo

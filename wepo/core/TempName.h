// A new, unique temporary file named "@@@XXXXXX" in the temporary folder.
#pragma once

#include <string>

namespace wepo {

// Creates the file (mkstemp, mode 0600) and writes its path into out. 1 when it exists as a
// file, 0 when it could not be made or out is null.
int MakeTempFileName(std::string* out);

}  // namespace wepo

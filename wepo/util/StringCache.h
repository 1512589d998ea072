// The library's own strings (English and Japanese), following platform::CurrentLanguage().
#pragma once

namespace wepo {

// The module handle of the library's own string table.
const void* LibraryModule();

// The text of id (UTF-8) in the current language from the table of module, or null for module
// null, another module, or an id without text. A text once returned stays valid and unchanged
// for the life of the process (the cache never empties or moves what callers hold, and keeps
// texts whole); safe from several threads at once.
const char* LoadStringCached(const void* module, unsigned id);

}  // namespace wepo

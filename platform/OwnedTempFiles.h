// Temporary files that belong to one running process, so that a later start can remove those a
// killed process left behind without touching the files of an instance that still runs.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform {

// The files live in "<temporary folder>/morvalen-<uid>", a folder of the user's own (mode 0700;
// one that is a link, belongs to another user or is open to others is not used), and are named
// "<prefix><pid>-<start>-XXXXXX": the owner's process id, its start time (clock ticks after
// boot, from /proc; 0 where it cannot be read), which tells a later process that got the same
// id apart, and mkstemp's unpredictable part.

// The folder, made when missing; empty when it cannot be made or is not safe to use.
std::filesystem::path OwnedTempFolder();

// A new empty file (mode 0600) owned by the calling process; nothing when none can be made.
std::optional<std::filesystem::path> CreateOwnedTempFile(std::string_view prefix);

// An owned file (CreateOwnedTempFile) or, where the user has no folder of their own (another
// user holds its name), a plain "<prefix>XXXXXX" in the temporary folder, which a killed
// program leaves behind. Empty when neither can be made.
std::filesystem::path CreateOwnedOrPlainTempFile(std::string_view prefix);

// Removes the files of prefix in the folder whose owner process has ended (or is another
// process that got the same id). Files of running owners and names of another form are left.
// Returns how many files were removed.
int RemoveStaleOwnedTempFiles(std::string_view prefix);

// The start time of a process that runs (clock ticks after boot); nothing when it does not run
// (also when it has ended and its parent has not yet reaped it) or /proc cannot tell.
std::optional<unsigned long long> ProcessStartTime(long pid);

}  // namespace platform

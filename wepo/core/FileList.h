// The records, order and line texts of the old-style file list, and the number formats of its
// sizes and totals.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace wepo {

// Sort options (bits of FileSelectParams::sortOptions).
enum : unsigned {
    kSortName = 0x1,
    kSortExtension = 0x2,
    kSortSize = 0x4,
    kSortDate = 0x8,
    kSortReverse = 0x80
};
// Display options: the columns after the name.
enum : unsigned { kShowSize = 0x1, kShowDate = 0x2, kShowTime = 0x4, kShowComment = 0x8 };

// One listed file. A name whose file is gone by the time it is read keeps an empty record
// (size 0, time 0, no comment).
struct FileEntry {
    std::string name;
    bool folder = false;
    uint64_t size = 0;
    int64_t mtime = 0;  // seconds since 1970 (UTC)
    int64_t mtimeNanoseconds = 0;
    std::string comment;
};

// "1,234,567": the value with a ',' before every group of three digits from the right.
std::string FormatThousands(uint64_t value);
// "3GB", "12MB", "5KB" or "1023B": from 2^30 on in GB, from 2^20 in MB, below 1024 in bytes,
// else in KB (each truncated).
std::string FormatByteSize(uint64_t value);

// The order of the list: by name (byte-wise), extension (the text after the last '.'; none
// first), size and date, in that order of the set bits, each only while the others tie;
// kSortReverse negates the result. Returns <0, 0 or >0.
int CompareFileEntries(const FileEntry& a, const FileEntry& b, unsigned sortOptions);

// Whether name matches one of the patterns (wildcards * and ?, letter case ignored).
bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns);
// The patterns of a filter text ("*.SPF;*.sef"), split at ';', blanks around them dropped.
std::vector<std::string> SplitPatterns(std::string_view filter);

// Reads folder: the files that match the patterns (and, with withFolders, every folder), with
// size and time, and with the comment of IdentifyFileKind when withComment is set; hidden names
// (a leading '.') are left out. The entries go to chunk in the folder's order, at most chunkSize
// at a time; chunk returns false to stop the reading. Never throws.
void ReadFolderEntries(const std::string& folder, const std::vector<std::string>& patterns,
                       bool withComment, bool withFolders, size_t chunkSize,
                       const std::function<bool(std::vector<FileEntry>&&)>& chunk);
// The files (not folders) of folder that match the patterns, all at once.
std::vector<FileEntry> GatherFileEntries(const std::string& folder,
                                         const std::vector<std::string>& patterns,
                                         bool withComment);

// The line of one record: "name", then "\t1,234" for the size, "\tyy/mm/dd" and "\thh:mm:ss" of
// the time in local time, "\tcomment", as the display options say.
std::string FileListLine(const FileEntry& entry, unsigned displayOptions);

}  // namespace wepo

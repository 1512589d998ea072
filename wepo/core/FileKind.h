// What a file is, from its first 1024 bytes and its extension, with a short comment.
#pragma once

#include <cstdint>

namespace wepo {

// File kinds (code 15 is never returned).
enum : int {
    FK_NONE = -1,
    FK_CAD_NATIVE = 0,
    FK_CAD_V4 = 1,
    FK_CAD_RW = 2,
    FK_CAD_TW = 3,
    FK_DXF = 4,
    FK_BMI = 5,
    FK_PCS = 6,
    FK_EXF = 7,
    FK_HLP = 8,
    FK_DLL = 9,
    FK_BAT = 10,
    FK_EXE = 11,
    FK_SYS = 12,
    FK_VXD = 13,
    FK_OBJ = 14,
    FK_BMP = 16,
    FK_ICO = 17,
    FK_CUR = 18,
    FK_LZH = 19,
    FK_COMPRESSED = 20,
    FK_TEXT = 21,
    FK_BINARY = 22,
    FK_NC_PROGRAM = 23,
    FK_CAD_BACKUP = 24,
    FK_NUMBERED_RECORDS = 25,
    FK_SCRIPT = 26,
};

// The kind of the file at path (a regular file; a folder, device or unreadable file gives
// FK_NONE). When comment is given, its commentSize bytes are cleared and it receives the
// comment of the kind: the drawing name, number and designer of the CAD headers joined with
// ',' and the backup's title (at most commentSize - 2 bytes), or the first commentSize - 1 bytes
// of a text sample with CR and LF as blanks. Reads at most 1024 bytes once; keeps no state, so
// several threads may call it at once.
int IdentifyFileKind(const char* path, char* comment, int commentSize);

// The same judgement over a sample already read (bytes, count of them, at most 1024 used) and
// the file's extension with its dot. For tests and callers that hold the bytes.
int IdentifyFileKindOf(const unsigned char* bytes, int64_t count, const char* extension,
                       char* comment, int commentSize);

}  // namespace wepo

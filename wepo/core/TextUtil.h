// Path parts, splitting at delimiters and the text test for file samples.
#pragma once

#include <cstddef>
#include <string>

namespace wepo {

// Parts of GetPathPart, any combination.
enum : unsigned { kPathDrive = 0x1, kPathDirectory = 0x2, kPathName = 0x4, kPathExtension = 0x8 };

// The selected parts of path joined again into out: the folder with its trailing '/', the name,
// the extension with its dot ("a/b/c.nc" with kPathName | kPathExtension gives "c.nc"). Paths
// have no drive: that part is always empty. 1, or 0 for a null path or output.
int GetPathPart(const char* path, unsigned parts, std::string* out);

// Cuts text in place at every delimiter byte (a NUL is written there) and returns the number of
// pieces; neighbouring delimiters give empty pieces. A delimiter byte that is the trail byte of
// a CP932 double-byte character is no match. 0 when either argument is null.
int SplitAtChars(char* text, const char* delimiters);

// 1 when the bytes look like CP932 text: control bytes only TAB, CR, LF (and 0x1A as the very
// last byte); no 0x7F or 0xFD-0xFF; a lead byte (0x81-0x9F, 0xE0-0xFC) followed by a trail
// byte (0x40-0xFC but 0x7F). A lead byte in the last position is taken as a character cut by
// the end of the sample. Never reads outside [bytes, bytes + length). 0 otherwise.
int IsTextSample(const unsigned char* bytes, size_t length);

}  // namespace wepo

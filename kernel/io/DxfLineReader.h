// DxfLineReader: the lines of a DXF text held in memory, as group-code and value pairs.
#pragma once

#include <string_view>

// Walks a DXF text line by line without copying. Lines end with LF or CR LF (a lone CR at the
// end of a line is dropped, as text-mode reading on Windows did). Leading white space (blanks
// and tabs) is removed from every line; trailing blanks stay, they are part of the value.
class DxfLineReader {
public:
    explicit DxfLineReader(std::string_view text) : text_(text) {}

    // The next line in `line`; false at the end of the text.
    bool Next(std::string_view& line);
    // The next group-code and value pair; false when the text ends before both lines.
    bool NextPair(std::string_view& code, std::string_view& value) {
        return Next(code) && Next(value);
    }
    // Moves to the line after "0 / SECTION / 2 / ENTITIES"; false when the text has none.
    // A mismatch starts the search again with the line after the mismatching one.
    bool SkipToEntities();

private:
    std::string_view text_;
    size_t pos_ = 0;
};

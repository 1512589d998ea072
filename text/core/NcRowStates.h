// NcRowStates: the breakpoint and error mark of every row of the NC line list, the row record
// NcRowParam they form with the colour class, and the column-0 header image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// NcRowParam, the 32-bit item data of a row: bits 4-7 Breakpoint (0 none, 1 on, 2 disabled),
// bits 8-11 ColourClass (0-3), bits 12-15 ErrorMark (1 Check NC reported the line); the other
// bits are 0. Readers mask with 0xF after shifting.
constexpr uint32_t MakeNcRowParam(int breakpoint, int colourClass, int errorMark) {
    return (uint32_t(breakpoint & 0xF) << 4) | (uint32_t(colourClass & 0xF) << 8) |
           (uint32_t(errorMark & 0xF) << 12);
}
constexpr int RowParamBreakpoint(uint32_t p) {
    return int((p >> 4) & 0xF);
}
constexpr int RowParamColourClass(uint32_t p) {
    return int((p >> 8) & 0xF);
}
constexpr int RowParamErrorMark(uint32_t p) {
    return int((p >> 12) & 0xF);
}

// Breakpoint values, which are also the row image indices.
enum NcBreakpoint : int { kBreakNone = 0, kBreakOn = 1, kBreakDisabled = 2 };
// Header images of column 0: 3 (empty) after every fill, 2 once a click turned a breakpoint on,
// then 1 and 2 alternate on header clicks.
enum NcHeaderImage : int { kHeaderEnable = 1, kHeaderDisable = 2, kHeaderEmpty = 3 };

class NcRowStates {
public:
    // A fill: count rows, no breakpoints, no error marks, header image 3.
    void Reset(size_t count);
    size_t Size() const { return states_.size(); }

    // Out-of-range rows read 0 and ignore writes (false).
    int Breakpoint(size_t row) const;
    bool SetBreakpoint(size_t row, int value);
    int ErrorMark(size_t row) const;
    bool SetErrorMark(size_t row, int value);
    void ClearErrorMarks();

    // A click on the row's icon: 0 -> 1 -> 2 -> 0. When the new value is 1 the header image
    // becomes 2. Returns the new value, -1 for a row out of range.
    int ClickBreakpoint(size_t row);

    // A click on the column-0 header: every row with a breakpoint (1 or 2) takes the header
    // image's value, or 0 when the image is 3; then the image flips between 1 and 2. Returns
    // the rows changed.
    size_t ClickHeader();

    int HeaderImage() const { return header_; }
    void SetHeaderImage(int image) { header_ = image; }

private:
    // Low nibble Breakpoint, high nibble ErrorMark: one byte per row.
    std::vector<uint8_t> states_;
    int header_ = kHeaderEmpty;
};

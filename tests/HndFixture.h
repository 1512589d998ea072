// Builds binary drawings of the CAD product (and its backup files) byte by byte for tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace test {

// A byte buffer with little-endian writers.
class Bytes {
public:
    explicit Bytes(size_t size = 0) : data_(size, '\0') {}
    std::string& data() { return data_; }
    const std::string& data() const { return data_; }
    Bytes& Put(size_t at, std::string_view text) {
        Grow(at + text.size());
        data_.replace(at, text.size(), text);
        return *this;
    }
    Bytes& U8(size_t at, unsigned v) { return Put(at, std::string(1, static_cast<char>(v))); }
    Bytes& U16(size_t at, unsigned v) {
        Grow(at + 2);
        data_[at] = static_cast<char>(v & 0xFF);
        data_[at + 1] = static_cast<char>((v >> 8) & 0xFF);
        return *this;
    }
    Bytes& U32(size_t at, uint32_t v) {
        Grow(at + 4);
        for (int i = 0; i < 4; ++i) data_[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return *this;
    }
    Bytes& F32(size_t at, float f) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        return U32(at, bits);
    }
    Bytes& F64(size_t at, double d) {
        uint64_t bits;
        std::memcpy(&bits, &d, 8);
        Grow(at + 8);
        for (int i = 0; i < 8; ++i) data_[at + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
        return *this;
    }

private:
    void Grow(size_t size) {
        if (data_.size() < size) data_.resize(size, '\0');
    }
    std::string data_;
};

// A native drawing: product "Rimbleton" (records at 12704, 256 layer flags) or "ZED PLINT KQ
// V4.0" (records at 1024, 16 flags), format byte 4, every layer shown, records added in order.
class HndDrawing {
public:
    explicit HndDrawing(bool rimbleton = false, bool tagged = true)
        : first_(rimbleton ? 12704 : 1024), bytes_(rimbleton ? 12704 : 1024) {
        bytes_.Put(4, rimbleton ? "Rimbleton" : "ZED PLINT KQ V4.0").U8(25, 4);
        if (tagged) bytes_.Put(0, "RMBT");
        for (int i = 0; i < (rimbleton ? 256 : 16); ++i) bytes_.U16(250 + 2 * i, 1);
        Extents(0, 0, 100, 50);
    }
    // Tagged: the box (xmin, ymin) - (xmax, ymax); untagged: the sheet width and height at 32,
    // 40 and the origin at 64, 72.
    HndDrawing& Extents(double xmin, double ymin, double xmax, double ymax) {
        bytes_.F64(32, xmax).F64(40, ymax).F64(48, xmin).F64(56, ymin);
        return *this;
    }
    HndDrawing& Origin(double ox, double oy) {
        bytes_.F64(64, ox).F64(72, oy);
        return *this;
    }
    HndDrawing& Titles(std::string_view name, std::string_view number, std::string_view designer) {
        bytes_.Put(106, name).Put(148, number).Put(190, designer);
        return *this;
    }
    HndDrawing& Layer(unsigned layer, unsigned shown) {
        bytes_.U16(250 + 2 * layer, shown);
        return *this;
    }
    HndDrawing& CurrentLayer(unsigned layer) {
        bytes_.U16(248, layer);
        return *this;
    }
    // A new record; returns its offset for further bytes.
    size_t Record(unsigned kind, unsigned layer = 0, unsigned flags = 0) {
        size_t at = first_ + 64 * count_++;
        bytes_.U16(at, flags).U16(at + 4, kind).U8(at + 7, layer).U16(at + 62, 65535);
        bytes_.U16(242, count_);
        return at;
    }
    size_t Point(double x, double y, unsigned layer = 0) {
        size_t at = Record(1, layer);
        bytes_.F64(at + 16, x).F64(at + 24, y);
        return at;
    }
    size_t Line(double x1, double y1, double x2, double y2, unsigned style = 0,
                unsigned layer = 0) {
        size_t at = Record(2, layer);
        bytes_.F64(at + 16, x1)
            .F64(at + 24, y1)
            .F64(at + 32, x2)
            .F64(at + 40, y2)
            .U16(at + 48, style);
        return at;
    }
    size_t Arc(double cx, double cy, double r, double start, double end, unsigned style = 0) {
        size_t at = Record(4);
        bytes_.F64(at + 16, cx)
            .F64(at + 24, cy)
            .F64(at + 32, r)
            .F64(at + 40, start)
            .F64(at + 48, end)
            .U16(at + 56, style);
        return at;
    }
    // A text record with up to 14 bytes of text; link is the 1-based record of its next piece.
    size_t Text(float x, float y, float height, float width, float spacing, float angle,
                unsigned attributes, std::string_view text, unsigned link = 65535) {
        size_t at = Record(8);
        bytes_.F32(at + 16, x)
            .F32(at + 20, y)
            .F32(at + 24, height)
            .F32(at + 28, width)
            .F32(at + 32, spacing);
        bytes_.F32(at + 36, angle)
            .U16(at + 44, attributes)
            .Put(at + 48, text.substr(0, 14))
            .U16(at + 62, link);
        return at;
    }
    // A text piece (any kind; the text's 46 bytes at 16).
    size_t Piece(std::string_view text, unsigned link = 65535, unsigned flags = 0) {
        size_t at = Record(0, 0, flags);
        bytes_.Put(at + 16, text.substr(0, 46)).U16(at + 62, link);
        return at;
    }
    Bytes& bytes() { return bytes_; }
    std::string data() const { return bytes_.data(); }

private:
    size_t first_;
    unsigned count_ = 0;
    Bytes bytes_;
};

}  // namespace test

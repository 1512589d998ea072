// The vocabulary of the drawing previews: the view, the primitives a parser records in drawing
// units, the recorded drawing, and the cancel token of one run.
#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace wepo {

// Renderer mode bits.
enum : int {
    PRM_TEXT_BOXES = 1,  // texts are drawn as their boxes
    PRM_COLOR = 2,       // a colour picture (else one bit per pixel)
};

// Primitive kinds; PP_VIEW and PP_CLEAR change the view and the canvas between primitives.
enum : int {
    PP_POINT = 0,    // a: x, y
    PP_LINE = 1,     // a: x1, y1, x2, y2; marks
    PP_ARC = 2,      // a: cx, cy, r, start, end (degrees, counter-clockwise from +x); marks
    PP_TEXTBOX = 3,  // a: x1, y1, x2, y2 (the unrotated box), anchor x, anchor y, angle
    PP_TEXT = 4,     // a: x, y of the top-left corner, height, width, spacing, angle; text
    PP_VIEW = 10,    // a: xmin, ymin, xmax, ymax: fit this box to the picture for what follows
    PP_CLEAR = 11,   // fill the picture white
};

// Mark codes of each half of the marks word (low 16 bits start, high 16 bits end).
enum : int { PM_NONE = 0, PM_ARROW = 1, PM_DOT = 2 };

struct PreviewPrimitive {
    int kind = PP_POINT;
    int pen = 0;  // 0 .. 15 of the pen set (texts and boxes: 6)
    double a[7] = {};
    unsigned marks = 0;
    std::string text;  // PP_TEXT: CP932 bytes
};

// The world box mapped to the picture rectangle.
struct PreviewView {
    double xmin = 0, ymin = 0, xmax = 1, ymax = 1;  // drawing units, y grows upwards
    int left = 0, top = 0, right = 0, bottom = 0;   // pixels
    double sx = 1, sy = 1;                          // pixels per drawing unit
};

// What a parser makes of a file: whether there is a picture to draw, and its primitives in
// order (the first a PP_VIEW, when there is a picture).
struct PreviewDrawing {
    bool picture = false;
    std::vector<PreviewPrimitive> primitives;
};

// The stop token of one preview run: a renderer tests it before each record or line. Each run
// owns one, so stopping one run never stops another.
class PreviewRun {
public:
    bool Running() const { return running_.load(std::memory_order_relaxed); }
    void Stop() { running_.store(false, std::memory_order_relaxed); }

private:
    std::atomic<bool> running_{true};
};

// The preview text labels (strings 35, 36, 37 of the library: drawing name, number, designer).
struct PreviewLabels {
    std::string name = "[Drawing name]";
    std::string number = "[Drawing no]";
    std::string designer = "[Designer]";
};

// A preview text of at most size - 1 bytes (size as the caller's buffer), lines ended by "\r\r\n".
class PreviewText {
public:
    explicit PreviewText(size_t size = 0) : size_(size) {}
    bool Wanted() const { return size_ > 0; }
    // Bytes that still fit (the room left less the terminator).
    size_t Room() const { return size_ > text_.size() + 1 ? size_ - text_.size() - 1 : 0; }
    // Appends text cut to the room.
    void AppendCut(const std::string& text) { text_ += text.substr(0, Room()); }
    std::string& Text() { return text_; }
    const std::string& Text() const { return text_; }

private:
    size_t size_;
    std::string text_;
};

}  // namespace wepo

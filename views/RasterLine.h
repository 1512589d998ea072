// RasterLine: solid lines set straight into a 32-bit image, the fast path of large layers.
#pragma once

#include <QPoint>
#include <cstdint>

// A 32-bit image's pixels as the line drawer needs them.
struct RasterTarget {
    uint32_t* bits = nullptr;
    int stride = 0;  // pixels per row
    int width = 0;
    int height = 0;
};

// Sets the pixels of the line a-b (both ends included) to colour; a line `width` pixels wide
// repeats each pixel across the line's minor axis. Clipped to the image.
void RasterLine(const RasterTarget& target, QPoint a, QPoint b, uint32_t colour, int width);

// Fills the triangle (pixel centres inside or on its edges) and draws its three edges
// `width` pixels wide, all in colour. Clipped to the image.
void RasterTriangle(const RasterTarget& target, const QPoint points[3], uint32_t colour, int width);

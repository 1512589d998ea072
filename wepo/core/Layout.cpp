// Re-layout, tile and cascade arithmetic.
#include "wepo/core/Layout.h"

namespace wepo {

IntRect RelayoutRect(const IntRect& r, unsigned flags, unsigned shares, int dx, int dy) {
    int shareX = static_cast<int>(shares & 0xFFFF), shareY = static_cast<int>(shares >> 16);
    if (shareX < 1) shareX = 100;
    if (shareY < 1) shareY = 100;
    int ddx = static_cast<int>(static_cast<double>(dx) * shareX / 100.0);
    int ddy = static_cast<int>(static_cast<double>(dy) * shareY / 100.0);
    IntRect out = r;
    if (flags & kMoveX) out.left += ddx, out.right += ddx;
    if (flags & kMoveY) out.top += ddy, out.bottom += ddy;
    if (flags & kFollowRight) out.right += ddx;
    if (flags & kFollowBottom) out.bottom += ddy;
    return out;
}

std::vector<IntRect> TileRects(int n, int width, int height) {
    std::vector<IntRect> out;
    if (n < 1) return out;
    int rows = 1;
    while ((rows + 1) * (rows + 1) <= n) ++rows;
    int columns = n / rows;
    int longer = n % rows;  // the last columns hold one window more
    int columnWidth = width / columns;
    for (int c = 0; c < columns; ++c) {
        int count = rows + (c >= columns - longer ? 1 : 0);
        int rowHeight = height / count;
        for (int r = 0; r < count; ++r)
            out.push_back(
                {columnWidth * c, rowHeight * r, columnWidth * (c + 1), rowHeight * (r + 1)});
    }
    return out;
}

std::vector<IntRect> CascadeRects(int n, int width, int height, int stepX, int stepY) {
    std::vector<IntRect> out;
    if (n < 1 || stepY < 1) return out;
    int k = height / (3 * stepY);
    for (int i = 0; i < n; ++i) {
        int x = (i % (k + 1)) * stepX, y = (i % (k + 1)) * stepY;
        out.push_back({x, y, x + width - k * stepX, y + height - k * stepY});
    }
    return out;
}

}  // namespace wepo

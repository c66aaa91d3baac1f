#include "skin/forms/MDIArrange.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

namespace {

// Rows needed for `Count` children in `Columns` columns.
int RowsFor(int Count, int Columns)
{
    const int rows = Count / Columns;
    return std::max(1, Count > rows * Columns ? rows + 1 : rows);
}

} // namespace

std::vector<TRect> TileRects(int Count, int W, int H)
{
    const int columns = int(std::sqrt(double(std::max(Count, 0))));
    if (columns < 1)
        return {};
    std::vector<TRect> rects(static_cast<std::size_t>(Count));
    const int cw = W / columns;
    int ch = H / RowsFor(Count, columns);
    int x = W, y = H, k = columns;
    for (int i = Count - 1; i >= 0; --i) {
        rects[std::size_t(i)] = Bounds(std::max(0, x - cw), std::max(0, y - ch), cw, ch);
        y -= ch;
        if (y - ch < 0) {
            // The column is full: the children left share the columns left.
            y = H;
            x -= cw;
            k = std::max(1, k - 1);
            ch = H / RowsFor(i, k);
        }
    }
    return rects;
}

std::vector<TRect> CascadeRects(const std::vector<TskCascadeChild>& Children, int W, int H, int Step, int MinW,
                                int MinH)
{
    const int count = int(Children.size());
    const int s = std::max(1, Step); // a skin without a caption band has no step
    const int m = (W - int(std::nearbyint(W * 0.8))) / s;
    const int shrink = s * (m > count ? count - 1 : m);
    const int w = std::max(W - shrink, MinW), h = std::max(H - shrink, MinH);
    std::vector<TRect> rects(Children.size());
    int o = 0;
    for (int i = count - 1; i >= 0; --i) {
        const TskCascadeChild& child = Children[std::size_t(i)];
        const int cw = child.FixedSize ? child.Width : w, chh = child.FixedSize ? child.Height : h;
        if (o + cw > W || o + chh > H)
            o = 0;
        rects[std::size_t(i)] = Bounds(o, o, cw, chh);
        o += s;
    }
    return rects;
}

} // namespace tovrel

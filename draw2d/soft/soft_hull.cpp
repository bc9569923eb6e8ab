// The convex hull of a texture level's visible texels, which lets spans skip what would draw nothing.
#include "draw2d/soft/soft_raster.h"

#include <algorithm>

namespace {

struct P {
    double x, y;
};

double Cross(const P& o, const P& a, const P& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Far enough outward to stand for "no bound" while staying well inside double precision.
constexpr double kFar = 1e6;

} // namespace

std::vector<SoftHalfPlane> SoftFindOpaqueHull(const SoftMipLevel& level) {
    std::vector<P> points;
    for (int y = 0; y < level.height && level.pixels; ++y) {
        const uint32_t* row = level.pixels + static_cast<ptrdiff_t>(y) * level.width;
        int first = -1, last = -1;
        for (int x = 0; x < level.width; ++x)
            if (row[x] >> 24) {
                if (first < 0) first = x;
                last = x;
            }
        if (first < 0) continue;
        // Texel k covers [k, k + 1); bilinear samples reach half a texel beyond: widen by a whole one.
        const double left = first == 0 ? -kFar : first - 1.0, right = last == level.width - 1 ? kFar : last + 2.0;
        const double top = y == 0 ? -kFar : y - 1.0, bottom = y == level.height - 1 ? kFar : y + 2.0;
        points.insert(points.end(), {{left, top}, {right, top}, {left, bottom}, {right, bottom}});
    }
    if (points.empty()) return {{0, 0, -1}};
    // Andrew's monotone chain, counter-clockwise.
    std::sort(points.begin(), points.end(),
              [](const P& a, const P& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    std::vector<P> hull(2 * points.size());
    size_t k = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        while (k >= 2 && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    for (size_t i = points.size() - 1, lower = k + 1; i > 0; --i) {
        while (k >= lower && Cross(hull[k - 2], hull[k - 1], points[i - 1]) <= 0)
            --k;
        hull[k++] = points[i - 1];
    }
    hull.resize(k - 1);
    // Inside lies to the left of each edge p → q: e.y·u − e.x·v ≤ e.y·p.x − e.x·p.y.
    std::vector<SoftHalfPlane> planes;
    for (size_t i = 0; i < hull.size(); ++i) {
        const P& p = hull[i];
        const P& q = hull[(i + 1) % hull.size()];
        const double ex = q.x - p.x, ey = q.y - p.y;
        planes.push_back({ey, -ex, ey * p.x - ex * p.y});
    }
    return planes;
}

// Comparing a frame's drawing steps with the frame before, on a grid of tiles.
#include "draw2d/soft/soft_damage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool Empty(const SoftClip& c) {
    return c.x0 >= c.x1 || c.y0 >= c.y1;
}

SoftClip Intersect(const SoftClip& a, const SoftClip& b) {
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

int Bound(double x) {
    return static_cast<int>(std::clamp(x, -1e9, 1e9));
}

// The pixels a step may write: its clip, the surface and, for a quad, its bounds with a pixel to spare.
SoftClip Box(const SoftDrawnStep& step, int width, int height) {
    SoftClip box = Intersect(step.state.clip, {0, 0, width, height});
    if (step.clear) return box;
    double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
    for (const SoftVertex& c : step.quad.v) {
        if (!std::isfinite(c.x) || !std::isfinite(c.y)) return {0, 0, 0, 0};
        x0 = std::min(x0, static_cast<double>(c.x)), x1 = std::max(x1, static_cast<double>(c.x));
        y0 = std::min(y0, static_cast<double>(c.y)), y1 = std::max(y1, static_cast<double>(c.y));
    }
    return Intersect(box, {Bound(std::floor(x0)) - 1, Bound(std::floor(y0)) - 1, Bound(std::ceil(x1)) + 1,
                           Bound(std::ceil(y1)) + 1});
}

// Whether every sample of the step is written whatever was under it: always under BlendSolid;
// under BlendMask and BlendAlpha when the colour and every texel the quad can sample (a texel
// beyond it too, for filtering) are opaque, since alpha 255 then keeps the source exactly.
bool HidesWhatIsUnder(const SoftDrawnStep& step) {
    if (step.state.blend == BlendSolid) return true;
    if (step.state.blend != BlendMask && step.state.blend != BlendAlpha) return false;
    if ((step.state.color >> 24) != 0xFF) return false;
    if (!step.textured) return true;
    const SoftTexture& t = step.texture;
    if (!t.levels || t.levelCount < 1 || (t.mipmapped && t.filtered)) return false;
    for (const SoftVertex& c : step.quad.v) {
        const double u = static_cast<double>(c.u) * t.levels[0].width,
                     v = static_cast<double>(c.v) * t.levels[0].height;
        if (!(u >= 0 && v >= 0 && u + 1 <= t.opaqueWidth && v + 1 <= t.opaqueHeight)) return false;
    }
    return true;
}

// The pixels a step writes whatever they held before, or an empty rectangle: a clear, or a quad
// that hides what is under it and is an axis-aligned rectangle with whole-pixel corners (it covers
// exactly those pixels).
SoftClip Overwritten(const SoftDrawnStep& step, int width, int height) {
    const SoftClip surface = {0, 0, width, height};
    if (step.clear) return Intersect(step.state.clip, surface);
    if (!HidesWhatIsUnder(step)) return {0, 0, 0, 0};
    float xs[2], ys[2];
    int nx = 0, ny = 0;
    for (const SoftVertex& c : step.quad.v) {
        if (c.x != std::floor(c.x) || c.y != std::floor(c.y) || std::fabs(c.x) > 1e6f || std::fabs(c.y) > 1e6f)
            return {0, 0, 0, 0};
        // Texture coordinates inside the texture keep the mapping well inside what the rasterizer draws.
        if (step.textured && !(c.u >= 0 && c.u <= 1 && c.v >= 0 && c.v <= 1)) return {0, 0, 0, 0};
        if (std::find(xs, xs + nx, c.x) == xs + nx) {
            if (nx == 2) return {0, 0, 0, 0};
            xs[nx++] = c.x;
        }
        if (std::find(ys, ys + ny, c.y) == ys + ny) {
            if (ny == 2) return {0, 0, 0, 0};
            ys[ny++] = c.y;
        }
    }
    if (nx != 2 || ny != 2) return {0, 0, 0, 0};
    const SoftClip rect = {static_cast<int>(std::min(xs[0], xs[1])), static_cast<int>(std::min(ys[0], ys[1])),
                           static_cast<int>(std::max(xs[0], xs[1])), static_cast<int>(std::max(ys[0], ys[1]))};
    return Intersect(Intersect(rect, step.state.clip), surface);
}

bool Same(const SoftDrawnStep& a, const SoftDrawnStep& b) {
    if (a.clear != b.clear || a.textured != b.textured || !SameSoftState(a.state, b.state)) return false;
    if (a.clear) return true;
    if (a.textured && !SameSoftTexture(a.texture, b.texture)) return false;
    return std::memcmp(&a.quad, &b.quad, sizeof a.quad) == 0;
}

// Widens [x0, x1] to the x-extent, between the lines y = top and y = bottom, of the convex hull of
// the quad's corners (which holds every pixel any of its pieces draws): the hull's edges are among
// the segments between corners, so it is the extent of those six segments cut to the band.
void HullSlab(const SoftQuad& quad, double top, double bottom, double& x0, double& x1) {
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) {
            double ax = quad.v[i].x, ay = quad.v[i].y, bx = quad.v[j].x, by = quad.v[j].y;
            if (ay > by) std::swap(ax, bx), std::swap(ay, by);
            if (by < top || ay > bottom) continue;
            const double dx = bx - ax, dy = by - ay;
            const double xa = ay < top ? ax + dx * (top - ay) / dy : ax;
            const double xb = by > bottom ? ax + dx * (bottom - ay) / dy : bx;
            x0 = std::min({x0, xa, xb});
            x1 = std::max({x1, xa, xb});
        }
}

// Tiles of the surface, one byte each.
struct Tiles {
    int columns, rows;
    std::vector<uint8_t> marks;
    Tiles(int width, int height)
        : columns((width + kSoftDamageTile - 1) / kSoftDamageTile),
          rows((height + kSoftDamageTile - 1) / kSoftDamageTile),
          marks(static_cast<size_t>(columns) * static_cast<size_t>(rows), 0) {}
    size_t marked = 0;
    // Marks the tiles of row `ty` from pixel column x0 to x1 (exclusive).
    void TouchRow(int ty, int x0, int x1) {
        uint8_t* mark = &marks[static_cast<size_t>(ty) * columns + x0 / kSoftDamageTile];
        for (int n = (x1 - 1) / kSoftDamageTile - x0 / kSoftDamageTile + 1; n > 0; --n, ++mark) {
            marked += *mark ^ 1;
            *mark = 1;
        }
    }
    // Marks the tiles the rectangle touches.
    void Touch(const SoftClip& c) {
        if (Empty(c)) return;
        for (int ty = c.y0 / kSoftDamageTile; ty <= (c.y1 - 1) / kSoftDamageTile; ++ty)
            TouchRow(ty, c.x0, c.x1);
    }
    // Marks the tiles the step may write: for a quad, row of tiles by row of tiles, those its
    // corners' convex hull reaches (a pixel to spare on every side) inside its box.
    void Touch(const SoftDrawnStep& step, const SoftClip& box) {
        if (step.clear || Empty(box)) return Touch(box);
        for (int ty = box.y0 / kSoftDamageTile; ty <= (box.y1 - 1) / kSoftDamageTile; ++ty) {
            double x0 = HUGE_VAL, x1 = -HUGE_VAL;
            HullSlab(step.quad, ty * kSoftDamageTile - 1.0, (ty + 1) * kSoftDamageTile + 1.0, x0, x1);
            if (!(x0 <= x1)) continue;
            const int left = std::max(box.x0, Bound(std::floor(x0)) - 1);
            const int right = std::min(box.x1, Bound(std::ceil(x1)) + 1);
            if (left < right) TouchRow(ty, left, right);
        }
    }
    // Marks the tiles the rectangle covers completely (a tile cut by the surface's edge counts whole
    // when the rectangle reaches that edge).
    void Cover(const SoftClip& c, int width, int height) {
        if (Empty(c)) return;
        const auto first = [](int v) { return (v + kSoftDamageTile - 1) / kSoftDamageTile; };
        const int tx0 = first(c.x0), ty0 = first(c.y0);
        const int tx1 = c.x1 == width ? columns : c.x1 / kSoftDamageTile;
        const int ty1 = c.y1 == height ? rows : c.y1 / kSoftDamageTile;
        for (int ty = ty0; ty < ty1; ++ty)
            for (int tx = tx0; tx < tx1; ++tx)
                marks[static_cast<size_t>(ty) * columns + tx] = 1;
    }
};

// The marked tiles as disjoint rectangles: runs along each row of tiles (closing gaps of one tile,
// cheaper to draw than to keep apart), joined with the run above where it spans the same columns;
// the runs also go into `rows`, band by band.
std::vector<SoftClip> Rectangles(const Tiles& tiles, int width, int height, SoftRowRanges& rows) {
    rows.bandShift = kSoftDamageTileShift;
    rows.first.assign(1, 0);
    rows.ranges.clear();
    std::vector<SoftClip> rects;
    std::vector<size_t> above, here; // indices into rects of the previous and this row's runs
    for (int ty = 0; ty < tiles.rows; ++ty) {
        here.clear();
        const uint8_t* row = &tiles.marks[static_cast<size_t>(ty) * tiles.columns];
        for (int tx = 0; tx < tiles.columns;) {
            if (!row[tx]) {
                ++tx;
                continue;
            }
            int end = tx + 1;
            while (end < tiles.columns && (row[end] || (end + 1 < tiles.columns && row[end + 1])))
                ++end;
            const SoftClip run = {tx * kSoftDamageTile, ty * kSoftDamageTile, std::min(end * kSoftDamageTile, width),
                                  std::min((ty + 1) * kSoftDamageTile, height)};
            rows.ranges.push_back({run.x0, run.x1});
            const auto joined = std::find_if(above.begin(), above.end(), [&](size_t i) {
                return rects[i].x0 == run.x0 && rects[i].x1 == run.x1 && rects[i].y1 == run.y0;
            });
            if (joined != above.end()) {
                rects[*joined].y1 = run.y1;
                here.push_back(*joined);
            } else {
                here.push_back(rects.size());
                rects.push_back(run);
            }
            tx = end;
        }
        above.swap(here);
        rows.first.push_back(static_cast<int>(rows.ranges.size()));
    }
    return rects;
}

} // namespace

SoftFrameDamage SoftDamageTracker::EndFrame(int width, int height) {
    std::vector<SoftClip> boxes(steps_.size());
    for (size_t i = 0; i < steps_.size(); ++i)
        boxes[i] = Box(steps_[i], width, height);

    SoftFrameDamage damage;
    Tiles damaged(width, height);
    if (known_ && width == width_ && height == height_) {
        // Steps are paired by index when the counts agree, else by a common start and end.
        const size_t n = steps_.size(), m = previous_.size();
        size_t start = 0, end = 0;
        if (n != m) {
            while (start < std::min(n, m) && Same(steps_[start], previous_[start]))
                ++start;
            while (end < std::min(n, m) - start && Same(steps_[n - 1 - end], previous_[m - 1 - end]))
                ++end;
        }
        Tiles changed(width, height), touched(width, height), kept(width, height), overwritten(width, height);
        const auto paired = [&](size_t i) {
            return n == m ? Same(steps_[i], previous_[i]) : i < start || i >= n - end;
        };
        // Once the steps touch every tile, all the changed tiles are damaged: enough of them makes
        // the frame whole, and the rest need not be compared.
        const double half = static_cast<double>(width) * height / 2;
        const auto area = [](size_t tiles) { return static_cast<double>(tiles) * kSoftDamageTile * kSoftDamageTile; };
        bool whole = false;
        for (size_t i = 0; i < n && !whole; ++i) {
            touched.Touch(steps_[i], boxes[i]);
            if (!paired(i)) {
                changed.Touch(steps_[i], boxes[i]);
                if (n == m) changed.Touch(previous_[i], previousBoxes_[i]);
                whole = touched.marked == touched.marks.size() && area(changed.marked) >= half;
            } else if (const SoftClip over = Overwritten(steps_[i], width, height); !Empty(over)) {
                overwritten.Cover(over, width, height);
            } else {
                kept.Touch(steps_[i], boxes[i]);
            }
        }
        if (n != m)
            for (size_t j = start; j < m - end && !whole; ++j)
                changed.Touch(previous_[j], previousBoxes_[j]);
        if (!whole) {
            size_t count = 0;
            for (size_t t = 0; t < damaged.marks.size(); ++t) {
                const bool lingers = lastDamage_[t] && kept.marks[t] && !overwritten.marks[t];
                damaged.marks[t] = touched.marks[t] && (changed.marks[t] || lingers);
                count += damaged.marks[t];
            }
            whole = area(count) >= half;
        }
        damage.whole = whole;
    }
    if (damage.whole)
        std::fill(damaged.marks.begin(), damaged.marks.end(), uint8_t{1});
    else
        damage.rects = Rectangles(damaged, width, height, damage.rows);

    lastDamage_.swap(damaged.marks);
    previous_.swap(steps_);
    previousBoxes_.swap(boxes);
    steps_.clear();
    width_ = width;
    height_ = height;
    known_ = true;
    return damage;
}

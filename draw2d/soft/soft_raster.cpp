// Quad set-up and span walking: coverage by the top-left rule, the texture mapping, the mip level.
#include "draw2d/soft/soft_raster.h"

#include "draw2d/soft/soft_rows.h"
#include "draw2d/soft/soft_span.h"

#include <algorithm>
#include <cmath>

namespace {

// Texture coordinates in 16.16 fixed point must stay well inside 32 bits, and texture sizes
// inside the 16-bit multiply that addresses rows.
constexpr double kMaxTexel = 16000.0;
constexpr int kMaxTextureSide = 16384;

struct Point {
    double x, y, u, v;
};

// u (or v) as an affine function of drawing coordinates: f = dx·x + dy·y + at0.
struct Plane {
    double dx, dy, at0;
    double At(double x, double y) const { return dx * x + dy * y + at0; }
};

// One non-horizontal edge, described from its upper end so that the two polygons sharing it compute
// bit-identical crossings.
struct Edge {
    double yTop, yBottom, xTop, slope;
};

bool SolvePlanes(const Point& p0, const Point& p1, const Point& p2, Plane& u, Plane& v) {
    const double ax = p1.x - p0.x, ay = p1.y - p0.y, bx = p2.x - p0.x, by = p2.y - p0.y;
    const double det = ax * by - bx * ay;
    if (!(std::fabs(det) > 1e-9)) return false;
    const auto solve = [&](double f0, double f1, double f2) {
        const double df1 = f1 - f0, df2 = f2 - f0;
        Plane plane;
        plane.dx = (df1 * by - df2 * ay) / det;
        plane.dy = (df2 * ax - df1 * bx) / det;
        plane.at0 = f0 - plane.dx * p0.x - plane.dy * p0.y;
        return plane;
    };
    u = solve(p0.u, p1.u, p2.u);
    v = solve(p0.v, p1.v, p2.v);
    return true;
}

// The level whose texels come nearest to one per pixel; u and v are in texels of level 0.
int ChooseLevel(const Plane& u, const Plane& v, int levelCount) {
    const double rho = std::max(std::hypot(u.dx, v.dx), std::hypot(u.dy, v.dy));
    if (!(rho > 1.0)) return 0;
    const double level = std::floor(std::log2(rho) + 0.5);
    return static_cast<int>(std::min(level, static_cast<double>(levelCount - 1)));
}

bool LevelUsable(const SoftMipLevel& level) {
    return level.pixels && level.width > 0 && level.height > 0 && level.width <= kMaxTextureSide &&
           level.height <= kMaxTextureSide;
}

// floor and ceil for values whose result fits an int, without a library call: exactly std::floor and
// std::ceil there (the conversion truncates towards zero, the comparison corrects negative fractions).
int FloorToInt(double x) {
    const int i = static_cast<int>(x);
    return i - (static_cast<double>(i) > x);
}

int CeilToInt(double x) {
    const int i = static_cast<int>(x);
    return i + (static_cast<double>(i) < x);
}

// Texture coordinates stay inside ±kMaxTexel texels, so the 16.16 value fits an int.
int32_t Fixed(double x) {
    return FloorToInt(x * 65536.0 + 0.5);
}

// ceil(x) limited to lo..hi; x is limited first, so far-away corners cannot overflow.
int CeilClamped(double x, int lo, int hi) {
    return CeilToInt(std::min<double>(std::max<double>(x, lo), hi));
}

// The first row at or after j that the worker owns.
int NextOwnedRow(int j, SoftRows rows) {
    if (rows.count <= 1) return j;
    const int band = j >> rows.shift;
    const int offset = ((rows.index - band) % rows.count + rows.count) % rows.count;
    return offset == 0 ? j : (band + offset) << rows.shift;
}

// The ranges of row j; false when it has none.
bool RowRanges(const SoftRowRanges& ranges, int j, const SoftRowRanges::Range*& begin,
               const SoftRowRanges::Range*& end) {
    const size_t band = static_cast<size_t>(j >> ranges.bandShift);
    if (band + 1 >= ranges.first.size()) return false;
    begin = ranges.ranges.data() + ranges.first[band];
    end = ranges.ranges.data() + ranges.first[band + 1];
    return begin != end;
}

// The lowest of a set of lines x = slope·y + at, for y visited in increasing order: the lines that are
// lowest somewhere, steepest first, and the one lowest at the last y asked.
struct LowerEnvelope {
    static constexpr int kMaxLines = 64;
    double slope[kMaxLines], at[kMaxLines];
    int count = 0, current = 0;

    // Lines must come sorted by slope, greatest first.
    void Add(double lineSlope, double lineAt) {
        if (count > 0 && slope[count - 1] == lineSlope) {
            at[count - 1] = std::min(at[count - 1], lineAt);
            return;
        }
        // The last line drops out where the new one undercuts the one before it no later than it does.
        while (count >= 2 && (lineAt - at[count - 2]) * (slope[count - 2] - slope[count - 1]) <=
                                 (at[count - 1] - at[count - 2]) * (slope[count - 2] - lineSlope))
            --count;
        slope[count] = lineSlope;
        at[count] = lineAt;
        ++count;
    }

    // The lowest value at y, which must not be less than at the previous call.
    double At(double y) {
        while (current + 1 < count && slope[current + 1] * y + at[current + 1] <= slope[current] * y + at[current])
            ++current;
        return slope[current] * y + at[current];
    }
};

// A hull's half-planes over drawing coordinates for one piece, as the span of x that each row may draw:
// at pixel centre (x, y) a plane's value is dx·x + dy·y + at0, and the pixel can show only where every
// value is <= 0. Planes with dx > 0 bound the row on the right at x = -(dy·y + at0) / dx, those with
// dx < 0 on the left; the bounds are walked row by row along their envelopes. Planes with dx = 0 drop
// whole rows.
struct PieceHull {
    static constexpr int kMaxPlanes = LowerEnvelope::kMaxLines;
    LowerEnvelope right, negatedLeft;
    double rowDy[kMaxPlanes], rowAt0[kMaxPlanes];
    int rowPlanes = 0;

    PieceHull(const SoftHull& hull, const Plane& u, const Plane& v) {
        struct Line {
            double slope, at;
        };
        Line rights[kMaxPlanes], lefts[kMaxPlanes];
        int rightCount = 0, leftCount = 0;
        for (int p = 0; p < std::min(hull.count, kMaxPlanes); ++p) {
            const SoftHalfPlane& h = hull.planes[p];
            const double dx = h.a * u.dx + h.b * v.dx, dy = h.a * u.dy + h.b * v.dy;
            const double at0 = h.a * u.at0 + h.b * v.at0 - h.c;
            if (dx > 0) {
                rights[rightCount++] = {-dy / dx, -at0 / dx};
            } else if (dx < 0) {
                lefts[leftCount++] = {dy / dx, at0 / dx};
            } else {
                rowDy[rowPlanes] = dy;
                rowAt0[rowPlanes++] = at0;
            }
        }
        const auto steepestFirst = [](const Line& a, const Line& b) {
            return a.slope > b.slope || (a.slope == b.slope && a.at < b.at);
        };
        std::sort(rights, rights + rightCount, steepestFirst);
        std::sort(lefts, lefts + leftCount, steepestFirst);
        for (int i = 0; i < rightCount; ++i)
            right.Add(rights[i].slope, rights[i].at);
        for (int i = 0; i < leftCount; ++i)
            negatedLeft.Add(lefts[i].slope, lefts[i].at);
    }

    // Cuts the span of count pixels from x (a pixel centre) on row centre y to the pixels inside:
    // skip of them dropped at the start, count left. False when none is left. Rows must come in
    // increasing order. The hull has at least half a texel to spare on every side, far more than
    // rounding here can take away, so the pixels kept are all that can show.
    bool Trim(double x, double y, int& skip, int& count) {
        for (int p = 0; p < rowPlanes; ++p)
            if (rowDy[p] * y + rowAt0[p] > 0) return false;
        // Pixel i lies inside when left <= x + i <= right; bounds beyond the span are cut to it first.
        double lo = 0, hi = count - 1;
        if (right.count > 0) hi = std::min(hi, right.At(y) - x);
        if (negatedLeft.count > 0) lo = std::max(lo, -negatedLeft.At(y) - x);
        if (!(lo <= hi)) return false;
        skip = CeilToInt(lo);
        const int last = FloorToInt(hi);
        if (last < skip) return false;
        count = last - skip + 1;
        return true;
    }
};

// Fills a convex polygon (3 or 4 corners in order, either winding) span by span. A pixel belongs to it
// when its centre lies inside, or on a left or top edge.
// With a hull, each span is further cut to the pixels whose samples can fall inside it.
void FillConvex(const SoftSurface& surface, const Point* points, int n, const SoftClip& clip, SoftRows rows,
                const Plane* u, const Plane* v, PieceHull* hull, const SoftSpanConst& k) {
    Edge edges[4];
    int edgeCount = 0;
    double yMin = points[0].y, yMax = points[0].y;
    for (int i = 0; i < n; ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % n];
        yMin = std::min(yMin, a.y);
        yMax = std::max(yMax, a.y);
        if (a.y == b.y) continue;
        const Point& top = a.y < b.y ? a : b;
        const Point& bottom = a.y < b.y ? b : a;
        edges[edgeCount++] = {top.y, bottom.y, top.x, (bottom.x - top.x) / (bottom.y - top.y)};
    }
    // Rows whose centre j + 0.5 lies in [yMin, yMax).
    const int rowBegin = CeilClamped(yMin - 0.5, clip.y0, clip.y1);
    const int rowEnd = CeilClamped(yMax - 0.5, clip.y0, clip.y1);
    const SoftSpanFunction span = SoftSpanSelected();
    const int bandMask = (1 << rows.shift) - 1;
    const int32_t du = k.texels ? Fixed(u->dx) : 0, dv = k.texels ? Fixed(v->dx) : 0;
    for (int j = NextOwnedRow(rowBegin, rows); j < rowEnd;
         j = ((j & bandMask) == bandMask) ? NextOwnedRow(j + 1, rows) : j + 1) {
        const SoftRowRanges::Range *range = nullptr, *rangeEnd = nullptr;
        if (rows.ranges && !RowRanges(*rows.ranges, j, range, rangeEnd)) continue;
        const double y = j + 0.5;
        double left = HUGE_VAL, right = -HUGE_VAL;
        for (int e = 0; e < edgeCount; ++e) {
            const Edge& edge = edges[e];
            if (y < edge.yTop || y >= edge.yBottom) continue;
            const double x = edge.xTop + (y - edge.yTop) * edge.slope;
            left = std::min(left, x);
            right = std::max(right, x);
        }
        if (!(left < right)) continue;
        const int first = CeilClamped(left - 0.5, clip.x0, clip.x1);
        const int end = CeilClamped(right - 0.5, clip.x0, clip.x1);
        if (first >= end) continue;
        SoftSpanWalk walk = {0, 0, 0, 0};
        int skip = 0, count = end - first;
        if (k.texels) {
            const double x = first + 0.5, uAt = u->At(x, y), vAt = v->At(x, y);
            walk = {Fixed(uAt), Fixed(vAt), du, dv};
            if (hull && !hull->Trim(x, y, skip, count)) continue;
        }
        // Trimmed spans step from the untrimmed start so that every pixel samples as it would otherwise.
        walk.u = static_cast<int32_t>(static_cast<uint32_t>(walk.u) +
                                      static_cast<uint32_t>(skip) * static_cast<uint32_t>(walk.du));
        walk.v = static_cast<int32_t>(static_cast<uint32_t>(walk.v) +
                                      static_cast<uint32_t>(skip) * static_cast<uint32_t>(walk.dv));
        uint32_t* const row = surface.pixels + static_cast<ptrdiff_t>(j) * surface.pitch;
        // The next row's pixels are most likely out of cache (sprites land anywhere): ask for them
        // while this row is drawn.
        if (j + 1 < rowEnd) {
            const uint32_t* next = row + surface.pitch;
            for (int x = first + skip; x < first + skip + count; x += 16)
                __builtin_prefetch(next + x, 1);
            __builtin_prefetch(next + first + skip + count - 1, 1);
        }
        if (!range) {
            span(row + first + skip, count, walk, k);
            continue;
        }
        // The replay's ranges cut the span like the hull does: each piece steps from the same start.
        const int spanBegin = first + skip, spanEnd = spanBegin + count;
        for (; range != rangeEnd && range->x0 < spanEnd; ++range) {
            const int from = std::max(spanBegin, range->x0), to = std::min(spanEnd, range->x1);
            if (from >= to) continue;
            SoftSpanWalk piece = walk;
            const auto steps = static_cast<uint32_t>(from - spanBegin);
            piece.u = static_cast<int32_t>(static_cast<uint32_t>(walk.u) + steps * static_cast<uint32_t>(walk.du));
            piece.v = static_cast<int32_t>(static_cast<uint32_t>(walk.v) + steps * static_cast<uint32_t>(walk.dv));
            span(row + from, to - from, piece, k);
        }
    }
}

bool Finite(const SoftQuad& quad) {
    for (const SoftVertex& c : quad.v)
        if (!std::isfinite(c.x) || !std::isfinite(c.y) || !std::isfinite(c.u) || !std::isfinite(c.v)) return false;
    return true;
}

bool IsParallelogram(const Point* p) {
    return std::fabs(p[0].x + p[2].x - p[1].x - p[3].x) < 1e-3 && std::fabs(p[0].y + p[2].y - p[1].y - p[3].y) < 1e-3 &&
           std::fabs(p[0].u + p[2].u - p[1].u - p[3].u) < 1e-6 && std::fabs(p[0].v + p[2].v - p[1].v - p[3].v) < 1e-6;
}

// Draws one convex piece: picks the level, scales the mapping to its texels, fills.
void DrawPiece(const SoftSurface& surface, const SoftTexture* texture, const SoftState& state, const SoftClip& clip,
               SoftRows rows, const Point* points, int n, const Point* mapping) {
    SoftSpanConst k;
    k.color = state.color;
    k.blend = state.blend;
    if (!texture) {
        FillConvex(surface, points, n, clip, rows, nullptr, nullptr, nullptr, k);
        return;
    }
    Plane u, v;
    if (!SolvePlanes(mapping[0], mapping[1], mapping[2], u, v)) return;
    const SoftMipLevel& top = texture->levels[0];
    const auto scale = [](Plane& plane, double by) {
        plane.dx *= by;
        plane.dy *= by;
        plane.at0 *= by;
    };
    scale(u, top.width);
    scale(v, top.height);
    // Unfiltered pictures are sampled by point from the top level, mipmapped or not.
    int level = texture->mipmapped && texture->filtered ? ChooseLevel(u, v, texture->levelCount) : 0;
    while (level > 0 && !LevelUsable(texture->levels[level]))
        --level;
    const SoftMipLevel& chosen = texture->levels[level];
    scale(u, static_cast<double>(chosen.width) / top.width);
    scale(v, static_cast<double>(chosen.height) / top.height);
    for (int i = 0; i < n; ++i) {
        const double pu = u.At(points[i].x, points[i].y), pv = v.At(points[i].x, points[i].y);
        if (!(std::fabs(pu) < kMaxTexel && std::fabs(pv) < kMaxTexel)) return;
    }
    // A sliver thinner than a pixel can step further than that per pixel.
    if (!(std::fabs(u.dx) < kMaxTexel && std::fabs(v.dx) < kMaxTexel)) return;
    k.texels = chosen.pixels;
    k.width = chosen.width;
    k.height = chosen.height;
    k.filtered = texture->filtered;
    // Where alpha 0 leaves the destination as it is, only the hull of the visible texels is drawn.
    const bool alphaZeroDrawsNothing =
        state.blend == BlendMask || state.blend == BlendAlpha || state.blend == BlendLight;
    if (texture->hulls && alphaZeroDrawsNothing && texture->hulls[level].count <= PieceHull::kMaxPlanes) {
        PieceHull hull(texture->hulls[level], u, v);
        FillConvex(surface, points, n, clip, rows, &u, &v, &hull, k);
    } else {
        FillConvex(surface, points, n, clip, rows, &u, &v, nullptr, k);
    }
}

SoftClip Limit(SoftClip clip, const SoftSurface& surface) {
    return {std::max(clip.x0, 0), std::max(clip.y0, 0), std::min(clip.x1, surface.width),
            std::min(clip.y1, surface.height)};
}

} // namespace

void SoftDrawQuadsRows(const SoftSurface& surface, const SoftTexture* texture, const SoftState& state,
                       const SoftQuad* quads, size_t count, SoftRows rows) {
    const SoftClip clip = Limit(state.clip, surface);
    if (clip.x0 >= clip.x1 || clip.y0 >= clip.y1 || !surface.pixels) return;
    if (!IsBlendMode(state.blend)) return;
    if (texture && (!texture->levels || texture->levelCount < 1 || !LevelUsable(texture->levels[0]))) return;
    for (size_t q = 0; q < count; ++q) {
        const SoftQuad& quad = quads[q];
        if (!Finite(quad)) continue;
        Point p[4];
        for (int i = 0; i < 4; ++i)
            p[i] = {quad.v[i].x, quad.v[i].y, quad.v[i].u, quad.v[i].v};
        if (IsParallelogram(p)) {
            const Point mapping[3] = {p[0], p[1], p[3]};
            DrawPiece(surface, texture, state, clip, rows, p, 4, mapping);
        } else {
            const Point first[3] = {p[0], p[1], p[2]};
            const Point second[3] = {p[0], p[2], p[3]};
            DrawPiece(surface, texture, state, clip, rows, first, 3, first);
            DrawPiece(surface, texture, state, clip, rows, second, 3, second);
        }
    }
}

void SoftClearRows(const SoftSurface& surface, SoftClip clip, uint32_t color, SoftRows rows) {
    clip = Limit(clip, surface);
    if (clip.x0 >= clip.x1 || !surface.pixels) return;
    // An untextured solid span writes the colour as it is, with the widest stores the processor has.
    SoftSpanConst k;
    k.color = color;
    k.blend = BlendSolid;
    const SoftSpanFunction span = SoftSpanSelected();
    const int bandMask = (1 << rows.shift) - 1;
    for (int j = NextOwnedRow(clip.y0, rows); j < clip.y1;
         j = ((j & bandMask) == bandMask) ? NextOwnedRow(j + 1, rows) : j + 1) {
        uint32_t* row = surface.pixels + static_cast<ptrdiff_t>(j) * surface.pitch;
        if (!rows.ranges) {
            span(row + clip.x0, clip.x1 - clip.x0, SoftSpanWalk{0, 0, 0, 0}, k);
            continue;
        }
        const SoftRowRanges::Range *range = nullptr, *rangeEnd = nullptr;
        if (!RowRanges(*rows.ranges, j, range, rangeEnd)) continue;
        for (; range != rangeEnd && range->x0 < clip.x1; ++range) {
            const int begin = std::max(clip.x0, range->x0), end = std::min(clip.x1, range->x1);
            if (begin < end) span(row + begin, end - begin, SoftSpanWalk{0, 0, 0, 0}, k);
        }
    }
}

void SoftDrawQuads(const SoftSurface& surface, const SoftTexture* texture, const SoftState& state,
                   const SoftQuad* quads, size_t count) {
    SoftDrawQuadsRows(surface, texture, state, quads, count, SoftRows{});
}

void SoftClear(const SoftSurface& surface, SoftClip clip, uint32_t color) {
    SoftClearRows(surface, clip, color, SoftRows{});
}

void SoftCopyToBGR888(const SoftSurface& surface, int x, int y, int width, int height, uint8_t* dst, int pitchBytes) {
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + width, surface.width), y1 = std::min(y + height, surface.height);
    for (int j = y0; j < y1; ++j) {
        const uint32_t* from = surface.pixels + static_cast<ptrdiff_t>(j) * surface.pitch;
        uint8_t* to = dst + static_cast<ptrdiff_t>(j - y) * pitchBytes + (x0 - x) * 3;
        for (int i = x0; i < x1; ++i, to += 3) {
            const uint32_t p = from[i];
            to[0] = static_cast<uint8_t>(p);
            to[1] = static_cast<uint8_t>(p >> 8);
            to[2] = static_cast<uint8_t>(p >> 16);
        }
    }
}

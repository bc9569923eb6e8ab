// The CPU rasterizer: textured quads, the five blend modes, clipping and clearing into 32-bit pixels.
//
// Pixels of the target and of textures are uint32_t 0xAARRGGBB (bytes B, G, R, A in memory) with straight
// alpha; the target's alpha byte is don't-care. Pixel (i, j) of the target is sampled at drawing
// coordinates (i + 0.5, j + 0.5), so an image drawn at integer coordinates with rotation 0 and scale 1
// maps each texel onto exactly one pixel. Coverage follows a top-left rule: quads sharing an edge
// neither leave gaps nor hit a pixel twice.
#pragma once

#include "draw2d/blend_mode.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A view of the target's pixels; nothing is owned. pitch counts pixels from one row to the next.
struct SoftSurface {
    uint32_t* pixels = nullptr;
    int width = 0, height = 0, pitch = 0;
};

// One level of a texture; its pitch equals its width. Level 0 is the full size, each next one half.
struct SoftMipLevel {
    int width = 0, height = 0;
    const uint32_t* pixels = nullptr;
};

// A half-plane a·u + b·v ≤ c over the texel coordinates of one level.
struct SoftHalfPlane {
    double a, b, c;
};

// A convex region of one level outside which every sample, nearest or bilinear, has alpha 0 (see
// SoftFindOpaqueHull). Spans are trimmed to it under the blend modes where alpha 0 changes nothing.
struct SoftHull {
    const SoftHalfPlane* planes = nullptr;
    int count = 0;
};

// A texture as the rasterizer reads it; the levels (and hulls) stay owned by the caller.
// filtered: bilinear sampling (texel centres at (k + 0.5) / size, clamped to the edge), else nearest.
// mipmapped: the level nearest to the quad's texel-to-pixel ratio is sampled (levelCount levels given).
struct SoftTexture {
    const SoftMipLevel* levels = nullptr;
    int levelCount = 0;
    bool filtered = false;
    bool mipmapped = false;
    const SoftHull* hulls = nullptr; // one per level, or null for none
    // The top-left opaqueWidth x opaqueHeight texels of level 0 all have alpha 255 (damage
    // tracking uses it to know what a picture hides; drawing does not).
    int opaqueWidth = 0, opaqueHeight = 0;
};

// A corner of a quad: drawing coordinates and texture coordinates 0..1 over level 0.
struct SoftVertex {
    float x, y, u, v;
};

// A triangle fan 0-1-2-3. A parallelogram is drawn with one affine texture mapping, any other
// quad as the two triangles 0-1-2 and 0-2-3.
struct SoftQuad {
    SoftVertex v[4];
};

// A half-open pixel rectangle [x0, x1) × [y0, y1).
struct SoftClip {
    int x0, y0, x1, y1;
};

// Where a drawing may write, band of rows by band of rows: in the rows [k << bandShift,
// (k + 1) << bandShift) only the x ranges ranges[first[k]] .. ranges[first[k + 1] - 1] (sorted,
// disjoint, half-open). Bands past the end take nothing.
struct SoftRowRanges {
    struct Range {
        int x0, x1;
    };
    int bandShift = 4;
    std::vector<int> first{0};
    std::vector<Range> ranges;
};

// color (0xAARRGGBB) modulates every texel per channel, alpha included; untextured quads use it alone.
// Blend values outside 1..5 draw nothing.
struct SoftState {
    int32_t blend = BlendMask;
    uint32_t color = 0xFFFFFFFF;
    SoftClip clip = {0, 0, 0, 0};
};

inline bool SameSoftClip(const SoftClip& a, const SoftClip& b) {
    return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}
inline bool SameSoftState(const SoftState& a, const SoftState& b) {
    return a.blend == b.blend && a.color == b.color && SameSoftClip(a.clip, b.clip);
}
// The same texture sampled the same way (its levels compared by address).
inline bool SameSoftTexture(const SoftTexture& a, const SoftTexture& b) {
    return a.levels == b.levels && a.levelCount == b.levelCount && a.filtered == b.filtered &&
           a.mipmapped == b.mipmapped && a.hulls == b.hulls;
}

// The half-planes bounding the texels of level whose alpha is not 0, widened by one texel for
// bilinear sampling (and without bound where such texels touch the level's edge, since sampling clamps).
// A level without any such texel gives one half-plane that nothing satisfies.
std::vector<SoftHalfPlane> SoftFindOpaqueHull(const SoftMipLevel& level);

// Draws count quads in order on the calling thread. The clip is also limited to the surface.
// Quads whose texture coordinates reach beyond ±16000 texels, or whose corners are not finite,
// draw nothing.
void SoftDrawQuads(const SoftSurface& surface, const SoftTexture* textureOrNull, const SoftState& state,
                   const SoftQuad* quads, size_t count);

// Fills the clip rectangle (limited to the surface) with color.
void SoftClear(const SoftSurface& surface, SoftClip clip, uint32_t color);

// Copies the rectangle at (x, y) into rows of 3-byte B, G, R pixels, pitchBytes apart; the parts of
// the rectangle outside the surface are left as they are in dst.
void SoftCopyToBGR888(const SoftSurface& surface, int x, int y, int width, int height, uint8_t* dst, int pitchBytes);

// Damage tracking for the software driver: which rectangles of a frame can differ from the frame
// before, found by comparing what the two frames drew, step by step.
//
// A pixel keeps its value when the steps that cover it are the same in both frames and either one
// of them overwrites it whatever was there (a clear, an opaque axis-aligned solid quad) or it did
// not change in the frame before; a pixel no step covers keeps its value too. Every other pixel is
// damaged. The damage is kept in tiles of kSoftDamageTile pixels and handed out as disjoint
// rectangles; redrawing only those, with every span cut to them, gives the same bytes as redrawing
// the whole frame.
#pragma once

#include "draw2d/soft/soft_raster.h"

#include <cstdint>
#include <vector>

constexpr int kSoftDamageTile = 16;

// One step of a frame as damage tracking compares it: a clear, or one quad with its texture and state.
// The texture is compared by address: the caller keeps the previous frame's textures alive.
struct SoftDrawnStep {
    bool clear = false;
    bool textured = false;
    SoftTexture texture;
    SoftState state;
    SoftQuad quad{};
};

constexpr int kSoftDamageTileShift = 4;
static_assert(kSoftDamageTile == 1 << kSoftDamageTileShift, "tiles are a power of two high");

// What a frame changed: everything, or these disjoint rectangles inside the surface, which `rows`
// gives again as ranges of each band of kSoftDamageTile rows (what the rasterizer redraws).
struct SoftFrameDamage {
    bool whole = true;
    std::vector<SoftClip> rects;
    SoftRowRanges rows;
};

class SoftDamageTracker {
public:
    // The steps recorded for the frame being drawn; the caller appends to it.
    std::vector<SoftDrawnStep>& Steps() { return steps_; }
    // The next frame is damaged everywhere (its pixels are new memory, or someone else wrote them).
    void Forget() { known_ = false; }
    // Ends the frame drawn on a width x height surface: what it changes against the frame before.
    // Where the damage covers at least half the surface the whole frame counts as damaged.
    SoftFrameDamage EndFrame(int width, int height);

private:
    std::vector<SoftDrawnStep> steps_, previous_;
    std::vector<SoftClip> previousBoxes_;
    // Tiles damaged by the frame before, row by row.
    std::vector<uint8_t> lastDamage_;
    int width_ = 0, height_ = 0;
    bool known_ = false;
};

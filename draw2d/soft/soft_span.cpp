// The portable span: sampling, modulation and blending one pixel at a time, and the choice of span code.
#include "draw2d/soft/soft_span.h"

#include "draw2d/blend_mode.h"

#include <atomic>

namespace {

// Linear interpolation of two texels by f / 256, each channel on its own.
uint32_t Lerp(uint32_t a, uint32_t b, uint32_t f) {
    const uint32_t g = 256 - f;
    const uint32_t rb = (((a & 0x00FF00FF) * g + (b & 0x00FF00FF) * f) >> 8) & 0x00FF00FF;
    const uint32_t ga = ((((a >> 8) & 0x00FF00FF) * g + ((b >> 8) & 0x00FF00FF) * f) >> 8) & 0x00FF00FF;
    return rb | (ga << 8);
}

uint32_t Sample(const SoftSpanConst& k, int32_t u, int32_t v) {
    if (!k.filtered) {
        const int32_t x = SoftClampInt(u >> 16, 0, k.width - 1);
        const int32_t y = SoftClampInt(v >> 16, 0, k.height - 1);
        return k.texels[y * k.width + x];
    }
    // Texel centres sit at k + 0.5: step back half a texel, then blend the 2 × 2 block around.
    const int32_t s = u - 0x8000, t = v - 0x8000;
    const int32_t x0 = s >> 16, y0 = t >> 16;
    const uint32_t fx = (static_cast<uint32_t>(s) >> 8) & 0xFF, fy = (static_cast<uint32_t>(t) >> 8) & 0xFF;
    const int32_t xa = SoftClampInt(x0, 0, k.width - 1), xb = SoftClampInt(x0 + 1, 0, k.width - 1);
    const uint32_t* rowA = k.texels + SoftClampInt(y0, 0, k.height - 1) * k.width;
    const uint32_t* rowB = k.texels + SoftClampInt(y0 + 1, 0, k.height - 1) * k.width;
    return Lerp(Lerp(rowA[xa], rowA[xb], fx), Lerp(rowB[xa], rowB[xb], fx), fy);
}

uint32_t Modulate(uint32_t texel, uint32_t color) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8)
        out |= SoftMul255((texel >> shift) & 0xFF, (color >> shift) & 0xFF) << shift;
    return out;
}

// The destination after one source pixel under the blend mode.
uint32_t Blend(int blend, uint32_t src, uint32_t dst) {
    const uint32_t alpha = src >> 24;
    uint32_t out = 0;
    switch (blend) {
    case BlendMask:
        return alpha >= 128 ? src : dst;
    case BlendSolid:
        return src;
    case BlendAlpha:
        for (int shift = 0; shift < 32; shift += 8) {
            const uint32_t t = ((src >> shift) & 0xFF) * alpha + ((dst >> shift) & 0xFF) * (255 - alpha) + 128;
            out |= ((t + (t >> 8)) >> 8) << shift;
        }
        return out;
    case BlendLight:
        for (int shift = 0; shift < 32; shift += 8) {
            const uint32_t sum = ((dst >> shift) & 0xFF) + SoftMul255((src >> shift) & 0xFF, alpha);
            out |= (sum > 255 ? 255 : sum) << shift;
        }
        return out;
    case BlendShade:
        return Modulate(dst, src);
    default:
        return dst;
    }
}

std::atomic<bool> forcePortable{false};

} // namespace

void SoftSpanPortable(uint32_t* dst, int count, SoftSpanWalk walk, const SoftSpanConst& k) {
    for (int i = 0; i < count; ++i) {
        uint32_t src = k.color;
        if (k.texels) {
            src = Sample(k, walk.u, walk.v);
            if (k.color != 0xFFFFFFFF) src = Modulate(src, k.color);
        }
        dst[i] = Blend(k.blend, src, dst[i]);
        walk.u += walk.du;
        walk.v += walk.dv;
    }
}

SoftSpanFunction SoftSpanSelected() {
    static const SoftSpanFunction simd = SoftSpanAvx2();
    if (simd && !forcePortable.load(std::memory_order_relaxed)) return simd;
    return SoftSpanPortable;
}

void SoftForcePortableSpans(bool force) {
    forcePortable.store(force, std::memory_order_relaxed);
}

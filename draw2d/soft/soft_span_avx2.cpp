// The AVX2 span: eight pixels at a time, the same arithmetic as the portable span, bit for bit.
// Compiled for AVX2 function by function, so the program still runs on any x86-64; chosen at run time.
#include "draw2d/soft/soft_span.h"

#include "draw2d/blend_mode.h"

#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>

#define CAPSARO_AVX2 __attribute__((target("avx2")))
#define CAPSARO_AVX2_INLINE __attribute__((target("avx2"), always_inline))

namespace {

struct Unpacked {
    __m256i rb, ga; // 16-bit lanes 0..255: blue and red, green and alpha
};

CAPSARO_AVX2_INLINE inline Unpacked Unpack(__m256i p) {
    const __m256i m = _mm256_set1_epi32(0x00FF00FF);
    return {_mm256_and_si256(p, m), _mm256_and_si256(_mm256_srli_epi16(p, 8), m)};
}

CAPSARO_AVX2_INLINE inline __m256i Pack(Unpacked x) {
    return _mm256_or_si256(x.rb, _mm256_slli_epi16(x.ga, 8));
}

// a × (256 − f) + b × f, shifted down by 8, per 16-bit lane; f16 holds f in both halves of each pixel.
CAPSARO_AVX2_INLINE inline __m256i Lerp16(__m256i a, __m256i b, __m256i f16) {
    const __m256i g16 = _mm256_sub_epi16(_mm256_set1_epi16(256), f16);
    return _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(a, g16), _mm256_mullo_epi16(b, f16)), 8);
}

CAPSARO_AVX2_INLINE inline Unpacked Lerp(Unpacked a, Unpacked b, __m256i f16) {
    return {Lerp16(a.rb, b.rb, f16), Lerp16(a.ga, b.ga, f16)};
}

// x × y / 255 rounded, per 16-bit lane of values 0..255.
CAPSARO_AVX2_INLINE inline __m256i Mul255(__m256i x, __m256i y) {
    const __m256i t = _mm256_add_epi16(_mm256_mullo_epi16(x, y), _mm256_set1_epi16(128));
    return _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
}

// Both halves of every 32-bit lane set to the lane's value (0..256).
CAPSARO_AVX2_INLINE inline __m256i Twice16(__m256i x) {
    return _mm256_or_si256(x, _mm256_slli_epi32(x, 16));
}

CAPSARO_AVX2_INLINE inline __m256i Clamp(__m256i x, __m256i hi) {
    return _mm256_min_epi32(_mm256_max_epi32(x, _mm256_setzero_si256()), hi);
}

template <bool Filtered> CAPSARO_AVX2_INLINE inline Unpacked Sample(const SoftSpanConst& k, __m256i u, __m256i v) {
    const int* texels = reinterpret_cast<const int*>(k.texels);
    const __m256i maxX = _mm256_set1_epi32(k.width - 1), maxY = _mm256_set1_epi32(k.height - 1);
    // Row times width through a 16-bit multiply-add: both stay below 32768.
    const __m256i width = _mm256_set1_epi32(k.width);
    if (!Filtered) {
        const __m256i x = Clamp(_mm256_srai_epi32(u, 16), maxX), y = Clamp(_mm256_srai_epi32(v, 16), maxY);
        const __m256i index = _mm256_add_epi32(_mm256_madd_epi16(y, width), x);
        return Unpack(_mm256_i32gather_epi32(texels, index, 4));
    }
    const __m256i half = _mm256_set1_epi32(0x8000), byte = _mm256_set1_epi32(0xFF), one = _mm256_set1_epi32(1);
    const __m256i s = _mm256_sub_epi32(u, half), t = _mm256_sub_epi32(v, half);
    const __m256i x0 = _mm256_srai_epi32(s, 16), y0 = _mm256_srai_epi32(t, 16);
    const __m256i fx = Twice16(_mm256_and_si256(_mm256_srli_epi32(s, 8), byte));
    const __m256i fy = Twice16(_mm256_and_si256(_mm256_srli_epi32(t, 8), byte));
    const __m256i xa = Clamp(x0, maxX), xb = Clamp(_mm256_add_epi32(x0, one), maxX);
    const __m256i rowA = _mm256_madd_epi16(Clamp(y0, maxY), width);
    const __m256i rowB = _mm256_madd_epi16(Clamp(_mm256_add_epi32(y0, one), maxY), width);
    const Unpacked p00 = Unpack(_mm256_i32gather_epi32(texels, _mm256_add_epi32(rowA, xa), 4));
    const Unpacked p01 = Unpack(_mm256_i32gather_epi32(texels, _mm256_add_epi32(rowA, xb), 4));
    const Unpacked p10 = Unpack(_mm256_i32gather_epi32(texels, _mm256_add_epi32(rowB, xa), 4));
    const Unpacked p11 = Unpack(_mm256_i32gather_epi32(texels, _mm256_add_epi32(rowB, xb), 4));
    return Lerp(Lerp(p00, p01, fx), Lerp(p10, p11, fx), fy);
}

// (x × a + y × ia) / 255 rounded, per 16-bit lane, where a + ia = 255.
CAPSARO_AVX2_INLINE inline __m256i Mix(__m256i x, __m256i y, __m256i a16, __m256i ia16) {
    const __m256i t = _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(x, a16), _mm256_mullo_epi16(y, ia16)),
                                       _mm256_set1_epi16(128));
    return _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
}

// Bilinear sampling for levels at least two texels wide: each pixel's two horizontal neighbours are
// fetched as one 64-bit pair, halving the gathered elements. Clamping moves the pair inside the row
// and turns the weight to all-left or all-right, which gives the same texel as clamping each side.
CAPSARO_AVX2_INLINE inline Unpacked SamplePairs(const SoftSpanConst& k, __m256i u, __m256i v) {
    const long long* texels = reinterpret_cast<const long long*>(k.texels);
    const __m256i maxPair = _mm256_set1_epi32(k.width - 2), maxY = _mm256_set1_epi32(k.height - 1);
    const __m256i width = _mm256_set1_epi32(k.width);
    const __m256i half = _mm256_set1_epi32(0x8000), byte = _mm256_set1_epi32(0xFF), one = _mm256_set1_epi32(1);
    const __m256i s = _mm256_sub_epi32(u, half), t = _mm256_sub_epi32(v, half);
    const __m256i x0 = _mm256_srai_epi32(s, 16), y0 = _mm256_srai_epi32(t, 16);
    __m256i fx = _mm256_and_si256(_mm256_srli_epi32(s, 8), byte);
    fx = _mm256_andnot_si256(_mm256_cmpgt_epi32(_mm256_setzero_si256(), x0), fx);
    fx = _mm256_blendv_epi8(fx, _mm256_set1_epi32(256), _mm256_cmpgt_epi32(x0, maxPair));
    fx = Twice16(fx);
    const __m256i fy = Twice16(_mm256_and_si256(_mm256_srli_epi32(t, 8), byte));
    const __m256i x = Clamp(x0, maxPair);
    const __m256i rowA = _mm256_madd_epi16(Clamp(y0, maxY), width);
    const __m256i rowB = _mm256_madd_epi16(Clamp(_mm256_add_epi32(y0, one), maxY), width);
    // Gathering lanes 0, 1, 4, 5 then 2, 3, 6, 7 lets one shuffle per side restore the lane order.
    const __m256i order = _mm256_setr_epi32(0, 1, 4, 5, 2, 3, 6, 7);
    const auto fetch = [&](__m256i row, Unpacked& left, Unpacked& right) CAPSARO_AVX2_INLINE {
        const __m256i index = _mm256_permutevar8x32_epi32(_mm256_add_epi32(row, x), order);
        const __m256 first = _mm256_castsi256_ps(_mm256_i32gather_epi64(texels, _mm256_castsi256_si128(index), 4));
        const __m256 second =
            _mm256_castsi256_ps(_mm256_i32gather_epi64(texels, _mm256_extracti128_si256(index, 1), 4));
        left = Unpack(_mm256_castps_si256(_mm256_shuffle_ps(first, second, _MM_SHUFFLE(2, 0, 2, 0))));
        right = Unpack(_mm256_castps_si256(_mm256_shuffle_ps(first, second, _MM_SHUFFLE(3, 1, 3, 1))));
    };
    Unpacked p00, p01, p10, p11;
    fetch(rowA, p00, p01);
    fetch(rowB, p10, p11);
    return Lerp(Lerp(p00, p01, fx), Lerp(p10, p11, fx), fy);
}

// Blends eight source pixels into the eight destination pixels at dst.
template <int blend> CAPSARO_AVX2_INLINE inline void BlendEight(uint32_t* dst, Unpacked s) {
    __m256i* at = reinterpret_cast<__m256i*>(dst);
    if constexpr (blend == BlendSolid) {
        _mm256_storeu_si256(at, Pack(s));
        return;
    }
    const __m256i alpha = _mm256_srli_epi32(s.ga, 16);
    if constexpr (blend == BlendMask) {
        const __m256i keep = _mm256_cmpgt_epi32(alpha, _mm256_set1_epi32(127));
        const int keepBits = _mm256_movemask_ps(_mm256_castsi256_ps(keep));
        if (keepBits == 0) return;
        if (keepBits == 0xFF) {
            _mm256_storeu_si256(at, Pack(s));
            return;
        }
        _mm256_storeu_si256(at, _mm256_blendv_epi8(_mm256_loadu_si256(at), Pack(s), keep));
        return;
    }
    if constexpr (blend != BlendShade) {
        if (_mm256_testz_si256(alpha, alpha)) return;
    }
    const Unpacked d = Unpack(_mm256_loadu_si256(at));
    const __m256i a16 = Twice16(alpha);
    Unpacked out;
    if constexpr (blend == BlendAlpha) {
        const __m256i ia16 = _mm256_sub_epi16(_mm256_set1_epi16(255), a16);
        out = {Mix(s.rb, d.rb, a16, ia16), Mix(s.ga, d.ga, a16, ia16)};
    } else if constexpr (blend == BlendLight) {
        const __m256i lit = Pack({Mul255(s.rb, a16), Mul255(s.ga, a16)});
        _mm256_storeu_si256(at, _mm256_adds_epu8(Pack(d), lit));
        return;
    } else {
        out = {Mul255(d.rb, s.rb), Mul255(d.ga, s.ga)};
    }
    _mm256_storeu_si256(at, Pack(out));
}

// One span for one combination of blend mode, sampling (0 none, 1 nearest, 2 bilinear, 3 bilinear by
// pairs) and modulation.
template <int Blend, int Sampling, bool Modulate>
CAPSARO_AVX2 void SpanKind(uint32_t* dst, int count, SoftSpanWalk walk, const SoftSpanConst& k) {
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    __m256i u = _mm256_add_epi32(_mm256_set1_epi32(walk.u), _mm256_mullo_epi32(lanes, _mm256_set1_epi32(walk.du)));
    __m256i v = _mm256_add_epi32(_mm256_set1_epi32(walk.v), _mm256_mullo_epi32(lanes, _mm256_set1_epi32(walk.dv)));
    const __m256i stepU = _mm256_set1_epi32(static_cast<int32_t>(static_cast<uint32_t>(walk.du) * 8u));
    const __m256i stepV = _mm256_set1_epi32(static_cast<int32_t>(static_cast<uint32_t>(walk.dv) * 8u));
    const Unpacked color = Unpack(_mm256_set1_epi32(static_cast<int>(k.color)));
    for (int i = 0; i < count; i += 8) {
        Unpacked s = color;
        if constexpr (Sampling != 0) {
            if constexpr (Sampling == 3)
                s = SamplePairs(k, u, v);
            else
                s = Sample<Sampling == 2>(k, u, v);
            if constexpr (Modulate) s = {Mul255(s.rb, color.rb), Mul255(s.ga, color.ga)};
        }
        if (count - i >= 8) {
            BlendEight<Blend>(dst + i, s);
        } else {
            // The last few pixels go through a copy so that nothing past the span is read or written.
            uint32_t tail[8] = {};
            const size_t bytes = static_cast<size_t>(count - i) * sizeof(uint32_t);
            std::memcpy(tail, dst + i, bytes);
            BlendEight<Blend>(tail, s);
            std::memcpy(dst + i, tail, bytes);
        }
        u = _mm256_add_epi32(u, stepU);
        v = _mm256_add_epi32(v, stepV);
    }
}

template <int Blend>
constexpr SoftSpanFunction kKinds[8] = {
    SpanKind<Blend, 0, false>, SpanKind<Blend, 1, false>, SpanKind<Blend, 2, false>, SpanKind<Blend, 3, false>,
    SpanKind<Blend, 0, true>,  SpanKind<Blend, 1, true>,  SpanKind<Blend, 2, true>,  SpanKind<Blend, 3, true>,
};

void SpanAvx2(uint32_t* dst, int count, SoftSpanWalk walk, const SoftSpanConst& k) {
    const int sampling = k.texels ? (k.filtered ? (k.width >= 2 ? 3 : 2) : 1) : 0;
    const int kind = sampling + (k.texels && k.color != 0xFFFFFFFF ? 4 : 0);
    switch (k.blend) {
    case BlendMask:
        return kKinds<BlendMask>[kind](dst, count, walk, k);
    case BlendSolid:
        return kKinds<BlendSolid>[kind](dst, count, walk, k);
    case BlendAlpha:
        return kKinds<BlendAlpha>[kind](dst, count, walk, k);
    case BlendLight:
        return kKinds<BlendLight>[kind](dst, count, walk, k);
    case BlendShade:
        return kKinds<BlendShade>[kind](dst, count, walk, k);
    default:
        return;
    }
}

} // namespace

SoftSpanFunction SoftSpanAvx2() {
    return __builtin_cpu_supports("avx2") ? SpanAvx2 : nullptr;
}

#else

SoftSpanFunction SoftSpanAvx2() {
    return nullptr;
}

#endif

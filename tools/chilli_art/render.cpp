// Sphere-swept tubes: union of spheres, analytic normals, surface detail, glossy shading, supersampling.
#include "render.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace chilli_art {

namespace {

float Clamp01(float v) {
    return std::min(1.0f, std::max(0.0f, v));
}
float Smooth(float v) {
    v = Clamp01(v);
    return v * v * (3 - 2 * v);
}
Rgb Mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Scale(Rgb a, float s) {
    return {a.r * s, a.g * s, a.b * s};
}
Rgb Add(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}

struct Vec3 {
    float x, y, z;
};
Vec3 Normalize(Vec3 v) {
    float len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return len > 0 ? Vec3{v.x / len, v.y / len, v.z / len} : Vec3{0, 0, 1};
}
float Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Hash-based value noise in [0, 1], smooth between lattice points.
float Hash(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^ static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}
float Noise(float x, float y, uint32_t seed) {
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    float fx = x - static_cast<float>(ix), fy = y - static_cast<float>(iy);
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed);
    float c = Hash(ix, iy + 1, seed), d = Hash(ix + 1, iy + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}
// Two octaves, for wrinkles that are not too regular.
float Fractal(float x, float y, uint32_t seed) {
    return Noise(x, y, seed) * 0.65f + Noise(x * 2.3f, y * 2.3f, seed + 7) * 0.35f;
}

struct Hit {
    const Tube* tube = nullptr;
    size_t index = 0;
    float z = -std::numeric_limits<float>::infinity();
    float height = 0;
    float otherZ = -std::numeric_limits<float>::infinity(); // best z of another tube of the same group
};

// The sphere index whose tangent is used at sphere i.
Vec2 Tangent(const Tube& tube, size_t i) {
    size_t a = i > 0 ? i - 1 : i, b = i + 1 < tube.centre.size() ? i + 1 : i;
    float dx = tube.centre[b].x - tube.centre[a].x, dy = tube.centre[b].y - tube.centre[a].y;
    float len = std::sqrt(dx * dx + dy * dy);
    return len > 0 ? Vec2{dx / len, dy / len} : Vec2{0, 1};
}

// Light from the upper left and in front; a weaker second light on the right for a second glint.
const Vec3 kLight = Normalize({-0.55f, -0.7f, 0.75f});
const Vec3 kFill = Normalize({0.75f, -0.25f, 0.6f});
const Vec3 kBounce = Normalize({0.5f, 0.8f, 0.3f});

Rgb Shade(const Hit& hit, float px, float py) {
    const Tube& tube = *hit.tube;
    const Material& m = tube.material;
    if (m.flat) return m.body;
    Vec2 c = tube.centre[hit.index];
    float r = tube.radius[hit.index];
    float dx = px - c.x, dy = py - c.y;
    Vec3 n = {dx / r, dy / r, hit.height / r};
    Vec2 t = Tangent(tube, hit.index);
    Vec2 perp = {-t.y, t.x};
    float u = Clamp01((dx * perp.x + dy * perp.y) / r * 0.5f + 0.5f) * 2 - 1; // -1..1 across the tube
    float s = (tube.along[hit.index] + dx * t.x + dy * t.y) / tube.detailScale;
    float facing = std::max(0.0f, n.z);

    // Surface detail bends the normal; it fades toward the outline where the skin turns away.
    float amp = m.detail * std::sqrt(facing);
    float bendAlong = 0, bendAcross = 0;
    switch (m.surface) {
    case Surface::Smooth:
        break;
    case Surface::Creased:
        bendAcross = std::sin(u * 3.14159f * 2.5f + Fractal(s * 0.3f, 0, tube.seed) * 3) * amp * 0.5f;
        bendAlong = (Fractal(s * 1.5f, u * 2, tube.seed + 3) - 0.5f) * amp * 0.4f;
        break;
    case Surface::Wrinkled:
    case Surface::Pimpled: {
        float freq = m.surface == Surface::Wrinkled ? 1.0f : 2.6f;
        float e = 0.05f;
        float x = s * freq, y = u * 2.2f * freq;
        float f0 = Fractal(x, y, tube.seed);
        bendAlong = (Fractal(x + e, y, tube.seed) - f0) / e * amp * 0.18f;
        bendAcross = (Fractal(x, y + e, tube.seed) - f0) / e * amp * 0.18f;
        break;
    }
    }
    n.x += t.x * bendAlong + perp.x * bendAcross;
    n.y += t.y * bendAlong + perp.y * bendAcross;
    n = Normalize(n);

    float wrap = (Dot(n, kLight) + 0.35f) / 1.35f;
    Rgb colour = Mix(m.shadow, m.body, Smooth(wrap * 1.15f));
    // The outline turns away from the viewer and darkens; a faint bounce light lifts the far side.
    colour = Mix(Scale(m.shadow, 0.55f), colour, 0.3f + 0.7f * std::sqrt(std::max(0.0f, n.z)));
    colour = Add(colour, Scale(m.body, 0.18f * std::max(0.0f, Dot(n, kBounce))));
    // Creases between the lobes of one pod lie in shade.
    if (hit.otherZ > -1e30f) {
        float gap = (hit.z - hit.otherZ) / r;
        colour = Mix(Scale(m.shadow, 0.7f), colour, 0.45f + 0.55f * Smooth(gap * 3));
    }
    Vec3 half = Normalize({kLight.x, kLight.y, kLight.z + 1});
    float shine = m.gloss * std::pow(std::max(0.0f, Dot(n, half)), m.shininess);
    Vec3 half2 = Normalize({kFill.x, kFill.y, kFill.z + 1});
    shine += m.gloss * 0.45f * std::pow(std::max(0.0f, Dot(n, half2)), m.shininess * 1.6f);
    colour = Mix(colour, m.highlight, Clamp01(shine * 1.3f));
    colour = Add(colour, Scale(Rgb{255, 255, 255}, 0.35f * Clamp01(shine - 0.5f)));
    return colour;
}

struct Candidate {
    const Tube* tube;
    size_t index;
};

} // namespace

void TransformScene(Scene& scene, float angle, float scale, Vec2 offset) {
    float cs = std::cos(angle), sn = std::sin(angle);
    for (Tube& tube : scene.tubes) {
        for (Vec2& c : tube.centre)
            c = {(c.x * cs - c.y * sn) * scale + offset.x, (c.x * sn + c.y * cs) * scale + offset.y};
        for (float& r : tube.radius)
            r *= scale;
        for (float& a : tube.along)
            a *= scale;
        tube.zBoost *= scale;
        tube.detailScale *= scale;
    }
}

void AppendScene(Scene& scene, const Scene& part, float zBoost, int groupOffset) {
    for (Tube tube : part.tubes) {
        tube.zBoost += zBoost;
        tube.group += groupOffset;
        scene.tubes.push_back(std::move(tube));
    }
}

void SceneBounds(const Scene& scene, float& minX, float& minY, float& maxX, float& maxY) {
    minX = minY = 1e30f;
    maxX = maxY = -1e30f;
    for (const Tube& tube : scene.tubes)
        for (size_t i = 0; i < tube.centre.size(); ++i) {
            minX = std::min(minX, tube.centre[i].x - tube.radius[i]);
            maxX = std::max(maxX, tube.centre[i].x + tube.radius[i]);
            minY = std::min(minY, tube.centre[i].y - tube.radius[i]);
            maxY = std::max(maxY, tube.centre[i].y + tube.radius[i]);
        }
}

void FitScene(Scene& scene, int width, int height, float margin) {
    float minX, minY, maxX, maxY;
    SceneBounds(scene, minX, minY, maxX, maxY);
    if (maxX <= minX || maxY <= minY) return;
    float scale = std::min((static_cast<float>(width) - 2 * margin) / (maxX - minX),
                           (static_cast<float>(height) - 2 * margin) / (maxY - minY));
    Vec2 centre = {(minX + maxX) / 2, (minY + maxY) / 2};
    TransformScene(scene, 0, 1, {-centre.x, -centre.y});
    TransformScene(scene, 0, scale, {static_cast<float>(width) / 2, static_cast<float>(height) / 2});
}

void DensifyScene(Scene& scene, float spacing) {
    for (Tube& tube : scene.tubes) {
        if (tube.centre.size() < 2) continue;
        Tube dense = tube;
        dense.centre.clear();
        dense.radius.clear();
        dense.along.clear();
        for (size_t i = 0; i + 1 < tube.centre.size(); ++i) {
            Vec2 a = tube.centre[i], b = tube.centre[i + 1];
            float len = std::hypot(b.x - a.x, b.y - a.y);
            float step = std::max(0.05f, std::min(spacing, 0.35f * std::min(tube.radius[i], tube.radius[i + 1])));
            int n = std::max(1, static_cast<int>(std::ceil(len / step)));
            for (int k = 0; k < n; ++k) {
                float f = static_cast<float>(k) / static_cast<float>(n);
                dense.centre.push_back({a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f});
                dense.radius.push_back(tube.radius[i] + (tube.radius[i + 1] - tube.radius[i]) * f);
                dense.along.push_back(tube.along[i] + (tube.along[i + 1] - tube.along[i]) * f);
            }
        }
        dense.centre.push_back(tube.centre.back());
        dense.radius.push_back(tube.radius.back());
        dense.along.push_back(tube.along.back());
        tube = std::move(dense);
    }
}

Image Rasterize(const Scene& scene, int width, int height, int samples) {
    Image image;
    image.width = width;
    image.height = height;
    image.rgba.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    std::vector<Candidate> candidates;
    const float inv = 1.0f / static_cast<float>(samples);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Only spheres that reach into this pixel can cover one of its samples.
            float cx = static_cast<float>(x) + 0.5f, cy = static_cast<float>(y) + 0.5f;
            candidates.clear();
            for (const Tube& tube : scene.tubes)
                for (size_t i = 0; i < tube.centre.size(); ++i) {
                    float reach = tube.radius[i] + 0.75f;
                    if (std::fabs(tube.centre[i].x - cx) < reach && std::fabs(tube.centre[i].y - cy) < reach)
                        candidates.push_back({&tube, i});
                }
            if (candidates.empty()) continue;
            Rgb sum;
            int covered = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    float px = static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) * inv;
                    float py = static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) * inv;
                    Hit hit;
                    for (const Candidate& c : candidates) {
                        const Tube& tube = *c.tube;
                        float dx = px - tube.centre[c.index].x, dy = py - tube.centre[c.index].y;
                        float r = tube.radius[c.index];
                        float d2 = dx * dx + dy * dy;
                        if (d2 >= r * r) continue;
                        float h = std::sqrt(r * r - d2);
                        if (h + tube.zBoost > hit.z) hit = {&tube, c.index, h + tube.zBoost, h, hit.otherZ};
                    }
                    if (!hit.tube) continue;
                    // The nearest other lobe of the same pod, for the shaded crease where they meet.
                    for (const Candidate& c : candidates) {
                        const Tube& tube = *c.tube;
                        if (&tube == hit.tube || tube.group != hit.tube->group) continue;
                        float dx = px - tube.centre[c.index].x, dy = py - tube.centre[c.index].y;
                        float r = tube.radius[c.index];
                        float d2 = dx * dx + dy * dy;
                        if (d2 < r * r) hit.otherZ = std::max(hit.otherZ, std::sqrt(r * r - d2) + tube.zBoost);
                    }
                    Rgb colour = Shade(hit, px, py);
                    // Every covered sample keeps each channel above zero, so no pod pixel is pure black.
                    colour = {std::min(255.0f, std::max(8.0f, colour.r)), std::min(255.0f, std::max(8.0f, colour.g)),
                              std::min(255.0f, std::max(8.0f, colour.b))};
                    sum = Add(sum, colour);
                    ++covered;
                }
            if (covered == 0) continue;
            uint8_t* out =
                &image.rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4];
            float k = 1.0f / static_cast<float>(covered);
            out[0] = static_cast<uint8_t>(std::lround(sum.r * k));
            out[1] = static_cast<uint8_t>(std::lround(sum.g * k));
            out[2] = static_cast<uint8_t>(std::lround(sum.b * k));
            out[3] = static_cast<uint8_t>(
                std::lround(255.0f * static_cast<float>(covered) / static_cast<float>(samples * samples)));
        }
    }
    return image;
}

} // namespace chilli_art

// Builds a pod from its shape: a bezier spine, a radius profile, lobes, calyx and stem.
#include "pod.h"

#include <algorithm>
#include <cmath>

namespace chilli_art {

namespace {

Vec2 Bezier(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, float t) {
    float u = 1 - t;
    float a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y};
}

float Hash01(uint32_t seed, int i) {
    uint32_t h = seed * 747796405u + static_cast<uint32_t>(i) * 2891336453u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    return static_cast<float>(h & 0xFFFF) / 65535.0f;
}

// Smooth 1-D noise in [-1, 1] for irregular swelling.
float Wobble(uint32_t seed, float x) {
    int i = static_cast<int>(std::floor(x));
    float f = x - static_cast<float>(i);
    f = f * f * (3 - 2 * f);
    return (Hash01(seed, i) + (Hash01(seed, i + 1) - Hash01(seed, i)) * f) * 2 - 1;
}

Tube Curve(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, float r0, float r1, int samples) {
    Tube tube;
    float along = 0;
    Vec2 last = p0;
    for (int i = 0; i <= samples; ++i) {
        float t = static_cast<float>(i) / static_cast<float>(samples);
        Vec2 c = Bezier(p0, p1, p2, p3, t);
        along += std::hypot(c.x - last.x, c.y - last.y);
        last = c;
        tube.centre.push_back(c);
        tube.radius.push_back(r0 + (r1 - r0) * t);
        tube.along.push_back(along);
    }
    return tube;
}

Material CalyxMaterial(bool dried, float purple) {
    Material m;
    if (dried) {
        m.body = {105, 80, 45};
        m.shadow = {52, 38, 20};
        m.highlight = {170, 140, 95};
        m.gloss = 0.12f;
        m.shininess = 12;
        m.surface = Surface::Wrinkled;
        m.detail = 0.8f;
    } else {
        m.body = {74, 128, 42};
        m.shadow = {30, 66, 20};
        m.highlight = {190, 230, 140};
        m.gloss = 0.35f;
        m.shininess = 25;
        m.surface = Surface::Creased;
        m.detail = 0.4f;
        auto tint = [purple](Rgb c, Rgb to) {
            return Rgb{c.r + (to.r - c.r) * purple, c.g + (to.g - c.g) * purple, c.b + (to.b - c.b) * purple};
        };
        m.body = tint(m.body, {96, 52, 104});
        m.shadow = tint(m.shadow, {44, 22, 50});
        m.highlight = tint(m.highlight, {200, 160, 210});
    }
    return m;
}

float Profile(const PodShape& s, float t) {
    float shoulderT = std::min(1.0f, s.shoulder * s.radius / s.length);
    float k = std::min(1.0f, t / std::max(1e-3f, shoulderT));
    float rounding = std::sqrt(1 - (1 - k) * (1 - k));
    float body = std::pow(std::max(0.0f, 1 - std::pow(t, s.taperStart)), s.taperPower);
    // The tip keeps its radius only at the very end, so a narrow tip stays a point, not a stick.
    float r = s.tipRadius + (1 - s.tipRadius) * std::min(rounding, body);
    if (s.wobble > 0) r *= 1 + s.wobble * Wobble(s.seed, t * 6);
    return r * s.radius;
}

} // namespace

Scene BuildPod(const PodShape& s) {
    Scene scene;
    const int samples = 64;
    Vec2 p0 = {0, 0}, p1 = {s.bendTop * s.length, s.length / 3};
    Vec2 p2 = {s.bendMid * s.length, 2 * s.length / 3}, p3 = {s.bendTip * s.length, s.length};
    Tube spine = Curve(p0, p1, p2, p3, 0, 0, samples);
    float total = spine.along.back();

    for (int lobe = 0; lobe < s.lobes; ++lobe) {
        Tube tube;
        tube.material = s.material;
        tube.seed = s.seed * 31u + static_cast<uint32_t>(lobe);
        tube.detailScale = s.radius * 0.5f;
        float offset =
            s.lobes == 1 ? 0 : s.lobeSpread * (2 * static_cast<float>(lobe) / static_cast<float>(s.lobes - 1) - 1);
        float lobeScale = s.lobes == 1 ? 1 : (1 - s.lobeSpread * 0.6f) * (0.94f + 0.12f * Hash01(s.seed, lobe + 11));
        for (size_t i = 0; i < spine.centre.size(); ++i) {
            float t = spine.along[i] / total;
            size_t a = i > 0 ? i - 1 : i, b = i + 1 < spine.centre.size() ? i + 1 : i;
            float dx = spine.centre[b].x - spine.centre[a].x, dy = spine.centre[b].y - spine.centre[a].y;
            float len = std::max(1e-6f, std::hypot(dx, dy));
            Vec2 perp = {-dy / len, dx / len};
            float r = Profile(s, t);
            float shift = offset * r * s.flatten;
            tube.centre.push_back({spine.centre[i].x + perp.x * shift, spine.centre[i].y + perp.y * shift});
            tube.radius.push_back(std::max(0.002f * s.length, r * lobeScale));
            tube.along.push_back(spine.along[i]);
        }
        scene.tubes.push_back(std::move(tube));
    }

    if (!s.withCalyx) return scene;

    // The calyx: a domed cap over the shoulder with sepals spreading down the pod.
    float R = s.radius * s.calyxSize;
    Material calyx = CalyxMaterial(s.dried, s.purple);
    auto addCalyx = [&](Tube tube) {
        tube.material = calyx;
        tube.group = 1;
        tube.zBoost = s.radius * 1.05f;
        tube.seed = s.seed + 101;
        tube.detailScale = R * 0.3f;
        scene.tubes.push_back(std::move(tube));
    };
    addCalyx(Curve({-0.7f * R, 0.3f * R}, {-0.3f * R, 0.02f * R}, {0.3f * R, 0.02f * R}, {0.7f * R, 0.3f * R},
                   0.17f * R, 0.17f * R, 16));
    const int sepals = 5;
    for (int k = 0; k < sepals; ++k) {
        float f = 2 * static_cast<float>(k) / (sepals - 1) - 1;
        float lengthJitter = 0.8f + 0.4f * Hash01(s.seed, k + 40);
        Vec2 start = {f * 0.55f * R, 0.18f * R};
        Vec2 end = {f * 0.95f * R, (0.42f + 0.2f * (1 - std::fabs(f))) * R * lengthJitter};
        addCalyx(Curve(start, {start.x, start.y + 0.1f * R}, {end.x, end.y - 0.1f * R}, end, 0.15f * R, 0.04f * R, 8));
    }
    Tube dome = Curve({0, 0.12f * R}, {0, 0.06f * R}, {0, 0}, {0, -0.06f * R}, 0.3f * R, 0.26f * R, 6);
    addCalyx(dome);

    // The stem rises from the calyx and leans a little.
    float stemLen = s.stemLength * s.radius;
    float sr = s.stemRadius * s.radius;
    Tube stem = Curve({0, 0}, {0, -stemLen * 0.45f}, {s.stemBend * stemLen * 0.4f, -stemLen * 0.8f},
                      {s.stemBend * stemLen, -stemLen}, sr * 1.35f, sr * 0.9f, 24);
    stem.material = CalyxMaterial(s.dried, s.purple);
    stem.material.surface = Surface::Creased;
    stem.group = 2;
    stem.zBoost = s.radius * 1.1f;
    stem.seed = s.seed + 202;
    stem.detailScale = sr;
    scene.tubes.push_back(std::move(stem));
    return scene;
}

void PodExtent(const PodShape& shape, float& width, float& height) {
    PodShape bare = shape;
    bare.stemLength = 0;
    float minX, minY, maxX, maxY;
    SceneBounds(BuildPod(bare), minX, minY, maxX, maxY);
    width = maxX - minX;
    height = maxY - minY;
}

} // namespace chilli_art

// Per-variety drawings: colour, shape family, proportions, surface and calyx of every catalogue pod.
#include "designs.h"

#include "pod.h"

#include <cmath>
#include <vector>

namespace chilli_art {

namespace {

constexpr float kPi = 3.14159265f;
float Deg(float d) {
    return d * kPi / 180;
}

struct Colours {
    Rgb body, shadow, highlight;
};
const Colours kRed{{208, 28, 24}, {120, 12, 14}, {255, 150, 130}};
const Colours kDeepRed{{170, 20, 24}, {90, 8, 12}, {235, 105, 100}};
const Colours kOrangeRed{{232, 72, 22}, {140, 36, 12}, {255, 170, 120}};
const Colours kOrange{{245, 130, 20}, {170, 70, 10}, {255, 200, 130}};
const Colours kGoldOrange{{245, 155, 25}, {175, 90, 10}, {255, 215, 140}};
const Colours kYellowOrange{{248, 170, 30}, {178, 105, 12}, {255, 225, 140}};
const Colours kGold{{250, 200, 32}, {182, 126, 12}, {255, 240, 150}};
const Colours kLemon{{245, 225, 40}, {175, 150, 15}, {255, 250, 170}};
const Colours kPaleYellow{{240, 222, 112}, {176, 150, 52}, {255, 250, 205}};
const Colours kGreen{{62, 140, 42}, {26, 76, 22}, {160, 220, 120}};
const Colours kDarkGreen{{32, 82, 32}, {12, 40, 14}, {120, 170, 110}};
const Colours kPaleGreen{{150, 190, 80}, {85, 115, 40}, {215, 240, 170}};
const Colours kPeach{{245, 175, 135}, {190, 115, 85}, {255, 225, 200}};
const Colours kBlack{{32, 18, 30}, {12, 8, 12}, {150, 120, 145}};
const Colours kChocolate{{96, 46, 28}, {46, 22, 14}, {170, 110, 84}};
const Colours kDryRed{{120, 30, 24}, {60, 14, 12}, {165, 70, 55}};
const Colours kMahogany{{82, 30, 24}, {38, 14, 12}, {140, 72, 56}};
const Colours kMaroon{{112, 20, 22}, {52, 10, 12}, {172, 72, 62}};
const Colours kOlive{{88, 80, 36}, {44, 40, 18}, {140, 130, 76}};
const Colours kTabascoYellow{{200, 190, 60}, {120, 115, 25}, {245, 240, 160}};

Material Glossy(const Colours& c, Surface surface = Surface::Smooth, float detail = 0) {
    Material m;
    m.body = c.body;
    m.shadow = c.shadow;
    m.highlight = c.highlight;
    m.gloss = 0.95f;
    m.shininess = 45;
    m.surface = surface;
    m.detail = detail;
    return m;
}
Material Dried(const Colours& c, float sheen = 0.25f) {
    Material m = Glossy(c, Surface::Wrinkled, 1.4f);
    m.gloss = sheen;
    m.shininess = 14;
    return m;
}

// Shape families: defaults that the designs below adjust.
PodShape Long(const Colours& c, float ratio, bool sharp) {
    PodShape p;
    p.radius = 0.5f / ratio;
    p.material = Glossy(c);
    p.taperStart = sharp ? 2.2f : 6.0f;
    p.taperPower = sharp ? 1.1f : 0.45f;
    p.tipRadius = sharp ? 0.03f : 0.25f;
    p.stemRadius = 0.2f;
    return p;
}
PodShape Cone(const Colours& c, float ratio) {
    PodShape p;
    p.radius = 0.5f / ratio;
    p.material = Glossy(c);
    p.taperStart = 1.25f;
    p.taperPower = 1.0f;
    p.shoulder = 0.7f;
    p.tipRadius = 0.06f;
    return p;
}
PodShape Lantern(const Colours& c, float ratio) {
    PodShape p;
    p.radius = 0.5f / ratio;
    p.material = Glossy(c, Surface::Wrinkled, 1.5f);
    p.taperStart = 2.4f;
    p.taperPower = 0.55f;
    p.shoulder = 0.8f;
    p.tipRadius = 0.1f;
    p.lobes = 3;
    p.lobeSpread = 0.5f;
    p.stemRadius = 0.12f;
    p.calyxSize = 0.8f;
    return p;
}
PodShape Chinense(const Colours& c, float ratio) {
    PodShape p = Lantern(c, ratio);
    p.taperStart = 1.5f;
    p.taperPower = 1.2f;
    p.tipRadius = 0.05f;
    p.lobeSpread = 0.4f;
    return p;
}
PodShape Heart(const Colours& c, float ratio) {
    PodShape p;
    p.radius = 0.55f / ratio;
    p.material = Glossy(c);
    p.taperStart = 1.3f;
    p.taperPower = 1.35f;
    p.shoulder = 1.0f;
    p.tipRadius = 0.08f;
    p.lobes = 2;
    p.lobeSpread = 0.3f;
    p.stemRadius = 0.14f;
    return p;
}
PodShape Round(const Colours& c, float ratio) {
    PodShape p;
    // The spheres at both ends reach past the spine, so a round pod needs a wider radius.
    p.radius = 0.62f / ratio;
    p.material = Glossy(c);
    p.taperStart = 2.0f;
    p.taperPower = 0.5f;
    p.shoulder = 1.0f;
    p.tipRadius = 0.05f;
    p.stemRadius = 0.13f;
    p.calyxSize = 0.7f;
    return p;
}
PodShape Bell(const Colours& c) {
    PodShape p;
    p.radius = 0.55f;
    p.material = Glossy(c);
    p.taperStart = 4.0f;
    p.taperPower = 0.35f;
    p.shoulder = 0.5f;
    p.tipRadius = 0.45f;
    p.lobes = 4;
    p.lobeSpread = 0.55f;
    p.stemRadius = 0.14f;
    p.stemLength = 0.5f;
    p.calyxSize = 0.75f;
    return p;
}

// A single pod fitted to its picture: the stem grows to fill a tall frame; wide frames lie sideways.
Scene Single(PodShape p, int width, int height, float tilt = 0, float maxStem = 4) {
    bool sideways = static_cast<float>(width) > static_cast<float>(height) * 1.15f;
    float boxW = static_cast<float>(sideways ? height : width), boxH = static_cast<float>(sideways ? width : height);
    float podW, podH;
    PodExtent(p, podW, podH);
    float wanted = podW * boxH / boxW - podH;
    float stem = wanted / p.radius;
    p.stemLength = std::max(p.stemLength, std::min(maxStem, stem));
    Scene scene = BuildPod(p);
    TransformScene(scene, tilt, 1, {0, 0});
    if (sideways) TransformScene(scene, -kPi / 2, 1, {0, 0});
    FitScene(scene, width, height, 1.0f);
    return scene;
}

struct Placement {
    PodShape pod;
    float angle; // rotation about the stem's end
    Vec2 at;     // where the stem's end goes
};

// Several pods, laid out in the picture's own orientation; later ones lie in front. Each stem
// starts at its pod and ends at `at`.
Scene Cluster(const std::vector<Placement>& pods, int width, int height) {
    Scene scene;
    int k = 0;
    for (const Placement& place : pods) {
        Scene pod = BuildPod(place.pod);
        // Move the stem's end to the origin so the pod turns about it.
        float stemLen = place.pod.stemLength * place.pod.radius;
        TransformScene(pod, 0, 1, {-place.pod.stemBend * stemLen, stemLen});
        TransformScene(pod, place.angle, 1, place.at);
        AppendScene(scene, pod, static_cast<float>(k) * 10, k * 10);
        ++k;
    }
    FitScene(scene, width, height, 1.0f);
    return scene;
}

PodShape With(PodShape p, uint32_t seed) {
    p.seed = seed;
    return p;
}

} // namespace

Scene DesignCatalogue(int index, int w, int h) {
    uint32_t seed = 1000u + static_cast<uint32_t>(index) * 7919u;
    PodShape p;
    switch (index) {
    case 0: // the signature pod: clean, glossy, slight hook
        p = Long(kRed, 4.2f, true);
        p.bendMid = 0.05f;
        p.bendTip = 0.14f;
        p.material.gloss = 1.1f;
        return Single(With(p, seed), w, h);
    case 1:
    case 2:
        p = Long(index == 1 ? kGreen : kRed, 4.5f, false);
        p.bendMid = index == 2 ? -0.06f : 0.02f;
        p.bendTip = index == 2 ? -0.05f : 0.0f;
        return Single(With(p, seed), w, h);
    case 3: // long thin cayenne bent into a hook
        p = Long(kRed, 9, true);
        p.material = Glossy(kRed, Surface::Creased, 0.35f);
        p.bendTop = 0.05f;
        p.bendMid = 0.55f;
        p.bendTip = 0.28f;
        p.stemBend = -0.4f;
        return Single(With(p, seed), w, h);
    case 4:
        p = Chinense(kYellowOrange, 3.0f);
        p.lobes = 2;
        p.material.detail = 0.6f;
        p.bendMid = 0.08f;
        p.bendTip = 0.15f;
        return Single(With(p, seed), w, h);
    case 5:
        p = Long(kDryRed, 4.8f, false);
        p.material = Dried(kDryRed);
        p.wobble = 0.12f;
        p.dried = true;
        p.bendTip = 0.06f;
        return Single(With(p, seed), w, h);
    case 6:
        p = Heart(kMahogany, 1.8f);
        p.material = Dried(kMahogany, 0.35f);
        p.material.detail = 1.8f;
        p.wobble = 0.08f;
        p.dried = true;
        p.stemRadius = 0.1f;
        return Single(With(p, seed), w, h, Deg(-8));
    case 7:
        p = Cone(kRed, 1.5f);
        p.shoulder = 0.45f;
        p.taperStart = 1.6f;
        p.lobes = 3;
        p.lobeSpread = 0.3f;
        p.stemRadius = 0.15f;
        return Single(With(p, seed), w, h);
    case 8: // squashed tam-o'-shanter bonnet on a long stem
        p = Lantern(kOrangeRed, 0.82f);
        p.taperStart = 2.2f;
        p.taperPower = 0.4f;
        p.tipRadius = 0.22f;
        p.lobes = 4;
        p.lobeSpread = 0.55f;
        p.stemBend = 0.35f;
        return Single(With(p, seed), w, h, Deg(8), 6);
    case 9: { // three fleshy pods fanned from one point
        PodShape a = Long(kRed, 4.2f, false);
        a.material = Glossy(kRed, Surface::Creased, 0.25f);
        a.taperStart = 2.0f;
        a.taperPower = 0.9f;
        a.tipRadius = 0.1f;
        a.bendMid = 0.12f;
        a.bendTip = 0.1f;
        a.stemLength = 1.0f;
        a.stemBend = 0;
        PodShape b = a;
        b.bendMid = -0.1f;
        b.bendTip = -0.12f;
        return Cluster({{With(a, seed), Deg(42), {0, 0}},
                        {With(b, seed + 1), Deg(-40), {0, 0}},
                        {With(a, seed + 2), Deg(4), {0, 0}}},
                       w, h);
    }
    case 10:
        p = Long(kPaleYellow, 4.2f, true);
        p.material.gloss = 0.55f;
        p.material.shininess = 18;
        p.taperStart = 1.6f;
        p.bendMid = 0.3f;
        p.bendTip = 0.2f;
        p.stemRadius = 0.22f;
        return Single(With(p, seed), w, h);
    case 11: // broad, full, upright savina
        p = Lantern(kRed, 1.5f);
        p.material.detail = 1.9f;
        p.lobes = 4;
        p.lobeSpread = 0.55f;
        p.taperStart = 1.7f;
        p.taperPower = 0.9f;
        p.tipRadius = 0.05f;
        p.stemBend = 0.5f;
        return Single(With(p, seed), w, h);
    case 12: // slimmer, darker, twisted savina
        p = Lantern(kDeepRed, 1.6f);
        p.material.detail = 2.2f;
        p.taperStart = 1.8f;
        p.taperPower = 0.8f;
        p.tipRadius = 0.04f;
        p.lobeSpread = 0.42f;
        p.bendMid = 0.12f;
        p.bendTip = 0.18f;
        p.stemBend = -0.6f;
        return Single(With(p, seed), w, h, Deg(-10));
    case 13:
        p = Heart(kRed, 1.9f);
        return Single(With(p, seed), w, h);
    case 14: // plump, curved brilliant star
        p = Long(kRed, 3.5f, true);
        p.bendMid = 0.22f;
        p.bendTip = 0.22f;
        return Single(With(p, seed), w, h);
    case 15: // thin, straight, a touch more orange
        p = Long({{222, 48, 26}, {128, 20, 12}, {255, 165, 130}}, 6.5f, true);
        p.bendTip = -0.03f;
        p.stemBend = -0.4f;
        return Single(With(p, seed), w, h);
    case 16:
        p = Heart(kDarkGreen, 1.7f);
        p.material = Glossy(kDarkGreen, Surface::Creased, 0.25f);
        p.material.gloss = 1.1f;
        p.lobes = 3;
        p.lobeSpread = 0.38f;
        p.bendTip = 0.12f;
        return Single(With(p, seed), w, h, Deg(-12));
    case 17: { // two bird's-eye pods splayed in a V
        PodShape a = Long(kRed, 6.5f, true);
        a.stemLength = 2.5f;
        a.stemBend = 0;
        PodShape b = a;
        b.bendMid = 0.12f;
        b.bendTip = 0.16f;
        return Cluster({{With(a, seed), Deg(24), {0, 0}}, {With(b, seed + 1), Deg(-20), {0, 0}}}, w, h);
    }
    case 18:
        p = Cone(kPaleYellow, 4.0f);
        p.material.gloss = 0.55f;
        p.material.shininess = 18;
        p.shoulder = 0.9f;
        p.taperStart = 1.1f;
        return Single(With(p, seed), w, h);
    case 19:
        p = Long(kMaroon, 5.5f, false);
        p.material = Dried(kMaroon, 0.35f);
        p.taperStart = 3.0f;
        p.taperPower = 0.8f;
        p.tipRadius = 0.12f;
        p.wobble = 0.1f;
        p.lobes = 2;
        p.lobeSpread = 0.3f;
        p.bendMid = 0.1f;
        p.bendTip = 0.08f;
        p.dried = true;
        return Single(With(p, seed), w, h);
    case 20:
        p = Long(kDarkGreen, 3.0f, false);
        p.material = Glossy(kDarkGreen, Surface::Creased, 0.2f);
        p.taperStart = 3.5f;
        p.taperPower = 0.6f;
        p.tipRadius = 0.35f;
        p.shoulder = 0.55f;
        p.stemRadius = 0.24f;
        return Single(With(p, seed), w, h);
    case 21:
        p = Long(kRed, 6.5f, true);
        p.bendMid = 0.1f;
        p.bendTip = 0.12f;
        p.stemRadius = 0.14f;
        return Single(With(p, seed), w, h, 0, 14);
    case 22: { // tepin berries hanging side by side from one stalk
        PodShape a = Round(kOrangeRed, 1.0f);
        a.stemLength = 1.4f;
        a.stemBend = 0;
        return Cluster({{With(a, seed), Deg(62), {0, 0}},
                        {With(a, seed + 1), Deg(-60), {0, 0}},
                        {With(a, seed + 2), Deg(4), {0, 0.05f}}},
                       w, h);
    }
    case 23: // single bird's-eye, curving the other way from the pair
        p = Long(kRed, 5.2f, true);
        p.bendMid = -0.2f;
        p.bendTip = -0.3f;
        p.stemBend = 0.6f;
        return Single(With(p, seed), w, h, Deg(6));
    case 24:
        p = Lantern(kOrange, 1.0f);
        p.taperStart = 1.8f;
        p.taperPower = 0.8f;
        p.tipRadius = 0.03f;
        return Single(With(p, seed), w, h);
    case 25:
        p = Cone(kGoldOrange, 3.5f);
        p.taperStart = 1.6f;
        p.tipRadius = 0.1f;
        p.bendMid = 0.08f;
        p.bendTip = 0.1f;
        return Single(With(p, seed), w, h);
    case 26:
        p = Bell(kRed);
        p.material.gloss = 1.2f;
        return Single(With(p, seed), w, h);
    case 27: { // two round pods stacked
        PodShape a = Round(kDeepRed, 0.9f);
        a.material = Glossy(kDeepRed, Surface::Wrinkled, 0.5f);
        a.material.gloss = 0.6f;
        a.stemLength = 1.2f;
        a.stemBend = 0.2f;
        return Cluster({{With(a, seed), Deg(-8), {0, 0}}, {With(a, seed + 1), Deg(10), {0.1f, 1.1f}}}, w, h);
    }
    case 28:
        p = Cone(kOrange, 3.0f);
        p.taperStart = 1.4f;
        return Single(With(p, seed), w, h);
    case 29:
        p = Long(kRed, 5.5f, true);
        p.bendTip = 0.05f;
        return Single(With(p, seed), w, h, 0, 10);
    case 30:
        p = Cone(kRed, 3.3f);
        p.taperStart = 1.3f;
        p.bendMid = -0.06f;
        p.bendTip = -0.1f;
        return Single(With(p, seed), w, h);
    case 31: { // erect pods in mixed stages
        PodShape a = Long(kTabascoYellow, 4.0f, false);
        a.taperStart = 2.2f;
        a.taperPower = 0.8f;
        a.tipRadius = 0.12f;
        a.stemLength = 1.5f;
        a.stemBend = 0;
        PodShape b = a;
        b.material = Glossy(kOrange);
        PodShape c = a;
        c.material = Glossy(kOrangeRed);
        return Cluster({{With(a, seed), Deg(180 - 22), {0, 0}},
                        {With(b, seed + 1), Deg(180 + 25), {0.02f, 0}},
                        {With(c, seed + 2), Deg(180), {0, 0.02f}}},
                       w, h);
    }
    case 32: { // piquin: little ovals lying end to end
        PodShape a = Round(kOrangeRed, 1.9f);
        a.stemLength = 0.7f;
        a.stemBend = 0.2f;
        std::vector<Placement> row;
        for (int i = 0; i < 3; ++i)
            row.push_back({With(a, seed + static_cast<uint32_t>(i)),
                           Deg(i == 1 ? -84.0f : -96.0f),
                           {static_cast<float>(i) * 0.92f, i == 1 ? 0.06f : 0.0f}});
        return Cluster(row, w, h);
    }
    case 33:
    case 34:
        p = Cone(index == 33 ? kGreen : kRed, index == 33 ? 2.0f : 2.2f);
        p.taperStart = index == 33 ? 1.5f : 1.3f;
        p.tipRadius = 0.12f;
        p.bendMid = index == 33 ? 0.1f : -0.05f;
        p.bendTip = index == 33 ? 0.12f : -0.12f;
        p.lobes = 2;
        p.lobeSpread = 0.25f;
        return Single(With(p, seed), w, h);
    case 35:
        p = Lantern(kRed, 1.2f);
        p.material = Glossy(kRed, Surface::Pimpled, 1.2f);
        p.tipRadius = 0.2f;
        return Single(With(p, seed), w, h, 0, 6);
    case 36:
    case 47:
    case 94:
        p = Long(kRed, index == 47 ? 3.4f : (index == 36 ? 3.5f : 3.0f), true);
        p.taperStart = index == 94 ? 1.3f : 1.8f;
        p.bendMid = index == 47 ? 0.12f : -0.06f;
        p.bendTip = index == 47 ? 0.15f : (index == 94 ? 0.1f : -0.04f);
        return Single(With(p, seed), w, h);
    case 37:
        p = Long(kGold, 3.5f, true);
        p.bendTip = 0.1f;
        p.bendMid = 0.06f;
        return Single(With(p, seed), w, h);
    case 38:
        p = Cone(kOrangeRed, 3.0f);
        p.taperStart = 1.5f;
        p.bendMid = 0.1f;
        p.bendTip = 0.1f;
        return Single(With(p, seed), w, h);
    case 39:
        p = Lantern(kRed, 0.9f);
        p.taperPower = 0.45f;
        p.tipRadius = 0.18f;
        p.lobes = 4;
        return Single(With(p, seed), w, h);
    case 40:
    case 45:
        p = Lantern(kRed, 1.4f);
        p.tipRadius = index == 40 ? 0.15f : 0.2f;
        p.stemBend = index == 40 ? 0.6f : -0.5f;
        return Single(With(p, seed), w, h);
    case 41: { // slim cones hanging together
        PodShape a = Cone(kYellowOrange, 4.0f);
        a.stemLength = 1.5f;
        a.stemBend = 0;
        PodShape b = a;
        b.bendTip = 0.1f;
        return Cluster({{With(a, seed), Deg(18), {0, 0}}, {With(b, seed + 1), Deg(-14), {0, 0}}}, w, h);
    }
    case 42:
        p = Lantern(kRed, 1.3f);
        p.tipRadius = 0.07f;
        p.stemBend = 0.7f;
        return Single(With(p, seed), w, h);
    case 43:
        p = Round(kRed, 1.3f);
        p.taperStart = 1.5f;
        p.taperPower = 0.7f;
        p.tipRadius = 0.2f;
        p.shoulder = 0.6f;
        p.stemRadius = 0.16f;
        return Single(With(p, seed), w, h);
    case 44:
        p = Lantern(kOrangeRed, 1.4f);
        p.taperStart = 1.8f;
        p.tipRadius = 0.05f;
        return Single(With(p, seed), w, h);
    case 46:
        p = Heart(kRed, 1.2f);
        p.taperStart = 1.6f;
        return Single(With(p, seed), w, h);
    case 48:
        p = Cone(kRed, 1.7f);
        return Single(With(p, seed), w, h);
    case 49:
        p = Round(kRed, 1.0f);
        p.stemRadius = 0.16f;
        p.stemBend = 0.6f;
        return Single(With(p, seed), w, h);
    case 50:
        p = Cone(kRed, 2.0f);
        p.taperStart = 1.1f;
        return Single(With(p, seed), w, h);
    case 51: // a long pod curled into an S
        p = Long(kRed, 7, true);
        p.material = Glossy(kRed, Surface::Creased, 0.4f);
        p.bendTop = 1.3f;
        p.bendMid = -1.0f;
        p.bendTip = 0.45f;
        return Single(With(p, seed), w, h);
    case 52:
        p = Lantern(kRed, 1.3f);
        p.tipRadius = 0.2f;
        return Single(With(p, seed), w, h);
    case 53:
        p = Round(kBlack, 2.0f);
        p.taperStart = 1.8f;
        p.taperPower = 0.8f;
        p.tipRadius = 0.25f;
        p.material.gloss = 1.3f;
        return Single(With(p, seed), w, h);
    case 54:
        p = Cone(kRed, 1.6f);
        p.shoulder = 0.5f;
        p.taperStart = 1.5f;
        p.tipRadius = 0.15f;
        return Single(With(p, seed), w, h);
    case 55:
        p = Lantern(kChocolate, 1.1f);
        p.material.gloss = 1.1f;
        p.tipRadius = 0.04f;
        return Single(With(p, seed), w, h);
    case 56:
    case 58:
        p = Round(index == 56 ? kGreen : kOrange, 1.7f);
        p.taperStart = 2.2f;
        p.taperPower = 0.6f;
        p.tipRadius = 0.2f;
        return Single(With(p, seed), w, h);
    case 57:
    case 59:
        p = Chinense(index == 57 ? kGreen : kOrange, index == 57 ? 2.5f : 2.2f);
        p.material = Glossy(index == 57 ? kGreen : kOrange, Surface::Pimpled, 1.3f);
        p.tipRadius = 0.02f;
        p.bendMid = index == 57 ? 0.05f : 0.3f;
        p.bendTip = index == 57 ? 0.12f : 0.55f;
        return Single(With(p, seed), w, h, index == 59 ? Deg(-18) : 0);
    case 60:
        p = Round(kRed, 1.2f);
        p.stemRadius = 0.15f;
        return Single(With(p, seed), w, h);
    case 61:
        p = Round(kGold, 1.3f);
        p.taperStart = 1.6f;
        p.taperPower = 0.65f;
        p.tipRadius = 0.2f;
        p.shoulder = 0.7f;
        p.stemRadius = 0.16f;
        return Single(With(p, seed), w, h);
    case 62: { // bishop's crown: a wide lobed cap with rounded wings hanging below
        p = Bell(kRed);
        p.radius = 0.8f;
        p.length = 0.75f;
        p.lobes = 4;
        p.lobeSpread = 0.6f;
        p.taperStart = 3.0f;
        p.taperPower = 0.45f;
        p.tipRadius = 0.3f;
        p.stemLength = 1.6f;
        p.seed = seed;
        Scene scene = BuildPod(p);
        for (int k = 0; k < 3; ++k) {
            PodShape wing = Round(kRed, 1.0f);
            wing.radius = 0.26f;
            wing.length = 0.5f;
            wing.withCalyx = false;
            wing.seed = seed + 5 + static_cast<uint32_t>(k);
            Scene part = BuildPod(wing);
            float x = (static_cast<float>(k) - 1) * 0.42f;
            TransformScene(part, (static_cast<float>(k) - 1) * Deg(-12), 1, {x, 0.5f + (k == 1 ? 0.1f : 0.0f)});
            AppendScene(scene, part, k == 1 ? 0.05f : 0.0f);
        }
        TransformScene(scene, Deg(-14), 1, {0, 0});
        FitScene(scene, w, h, 1.0f);
        return scene;
    }
    case 63: // ribbed, flattened tomato shape
        p = Bell(kRed);
        p.radius = 0.75f;
        p.lobes = 5;
        p.lobeSpread = 0.7f;
        p.tipRadius = 0.5f;
        p.material.gloss = 1.2f;
        return Single(With(p, seed), w, h, 0, 0.9f);
    case 64:
        p = Round(kGold, 1.1f);
        p.material = Glossy(kGold, Surface::Wrinkled, 0.5f);
        p.lobes = 2;
        p.lobeSpread = 0.25f;
        return Single(With(p, seed), w, h);
    case 65:
        p = Lantern(kRed, 1.4f);
        p.tipRadius = 0.15f;
        p.lobes = 2;
        return Single(With(p, seed), w, h);
    case 66: // grows erect: pod points up, stem below
        p = Cone(kPaleGreen, 3.0f);
        p.taperStart = 1.3f;
        return Single(With(p, seed), w, h, kPi);
    case 67:
        p = Cone(kYellowOrange, 3.5f);
        p.taperStart = 1.8f;
        p.tipRadius = 0.18f;
        p.bendMid = 0.1f;
        p.bendTip = 0.1f;
        return Single(With(p, seed), w, h);
    case 68:
        p = Long(kDeepRed, 5.5f, false);
        p.material = Glossy(kDeepRed, Surface::Creased, 0.4f);
        p.material.gloss = 0.6f;
        p.wobble = 0.12f;
        p.bendTop = -0.5f;
        p.bendMid = 0.5f;
        p.bendTip = 0.1f;
        return Single(With(p, seed), w, h);
    case 69:
    case 95: { // clusters of tiny berries on thin stems
        const Colours& c = index == 69 ? kGold : kRed;
        PodShape a = Round(c, index == 69 ? 1.2f : 1.0f);
        a.stemLength = 2.2f;
        a.stemBend = 0;
        a.stemRadius = 0.1f;
        float spread = index == 95 ? 1.5f : 1.0f;
        return Cluster({{With(a, seed), Deg(40 * spread), {0, 0}},
                        {With(a, seed + 1), Deg(-42 * spread), {0, 0}},
                        {With(a, seed + 2), Deg(-12 * spread), {0, 0}},
                        {With(a, seed + 3), Deg(16 * spread), {0, 0.05f}}},
                       w, h);
    }
    case 70:
        p = Round(kRed, 2.0f);
        p.taperStart = 2.2f;
        p.taperPower = 0.7f;
        p.tipRadius = 0.12f;
        return Single(With(p, seed), w, h);
    case 71:
        p = Chinense(kRed, 2.0f);
        return Single(With(p, seed), w, h);
    case 72: { // two little beaked teardrops side by side
        PodShape a = Round(kRed, 1.2f);
        a.taperStart = 1.3f;
        a.taperPower = 1.3f;
        a.tipRadius = 0.06f;
        a.stemLength = 0.9f;
        a.stemBend = 0;
        return Cluster({{With(a, seed), Deg(28), {0, 0}}, {With(a, seed + 1), Deg(-32), {0.35f, 0.02f}}}, w, h);
    }
    case 73:
        p = Long(kPeach, 3.4f, true);
        p.taperStart = 1.5f;
        p.bendTip = 0.08f;
        return Single(With(p, seed), w, h);
    case 74:
        p = Long(kGreen, 2.6f, true);
        p.taperStart = 1.3f;
        p.bendMid = 0.35f;
        p.bendTip = 0.45f;
        p.stemRadius = 0.2f;
        return Single(With(p, seed), w, h);
    case 75:
    case 76:
        p = Cone(index == 75 ? kGreen : kRed, 3.0f);
        p.taperStart = 1.4f;
        p.bendTip = index == 75 ? 0.05f : -0.06f;
        return Single(With(p, seed), w, h);
    case 77: { // tiny teardrops along a twig
        PodShape a = Round(kOrangeRed, 1.3f);
        a.taperStart = 1.6f;
        a.taperPower = 1.0f;
        a.tipRadius = 0.08f;
        a.stemLength = 0.9f;
        a.stemBend = 0;
        a.stemRadius = 0.12f;
        return Cluster({{With(a, seed), Deg(12), {0, 0}},
                        {With(a, seed + 1), Deg(-14), {0.1f, 0.95f}},
                        {With(a, seed + 2), Deg(8), {-0.04f, 1.9f}}},
                       w, h);
    }
    case 78:
        p = Cone(kBlack, 2.2f);
        p.taperStart = 2.0f;
        p.taperPower = 0.8f;
        p.tipRadius = 0.25f;
        p.material.gloss = 1.3f;
        return Single(With(p, seed), w, h);
    case 79:
        p = Chinense(kGold, 2.0f);
        p.bendTip = 0.1f;
        return Single(With(p, seed), w, h);
    case 80:
        p = Round(kRed, 0.95f);
        p.stemRadius = 0.1f;
        p.stemBend = -0.3f;
        return Single(With(p, seed), w, h, 0, 8);
    case 81:
        p = Lantern(kRed, 1.4f);
        p.taperStart = 1.6f;
        p.taperPower = 1.0f;
        p.tipRadius = 0.03f;
        return Single(With(p, seed), w, h);
    case 82:
        p = Cone(kRed, 2.8f);
        p.taperStart = 1.5f;
        p.bendTip = 0.06f;
        return Single(With(p, seed), w, h);
    case 83: { // ornamental: points upward, purple-green calyx
        p = Long(kRed, 4.0f, true);
        p.taperStart = 1.5f;
        p.purple = 0.45f;
        return Single(With(p, seed), w, h, kPi);
    }
    case 84:
        p = Chinense(kLemon, 2.7f);
        p.tipRadius = 0.02f;
        p.bendMid = -0.05f;
        p.bendTip = 0.2f;
        return Single(With(p, seed), w, h);
    case 85:
    case 96:
        p = Cone(kRed, index == 85 ? 2.4f : 2.3f);
        p.taperStart = index == 85 ? 1.3f : 1.6f;
        p.bendTip = index == 85 ? 0.0f : 0.1f;
        return Single(With(p, seed), w, h);
    case 86:
    case 92:
        p = Round(index == 86 ? kDarkGreen : kRed, 1.6f);
        p.taperStart = 2.0f;
        p.taperPower = 0.6f;
        p.tipRadius = 0.25f;
        p.stemRadius = 0.22f;
        return Single(With(p, seed), w, h);
    case 87:
    case 93:
        p = Long(index == 87 ? kGreen : kRed, index == 87 ? 3.0f : 3.5f, true);
        p.taperStart = 1.5f;
        p.bendMid = index == 87 ? 0.06f : -0.05f;
        p.bendTip = index == 87 ? 0.08f : -0.1f;
        return Single(With(p, seed), w, h);
    case 88:
    case 99: { // two tiny pods stacked
        PodShape a = Round(index == 88 ? kGreen : kGold, index == 88 ? 1.4f : 1.3f);
        a.taperStart = 1.6f;
        a.taperPower = 0.9f;
        a.tipRadius = 0.06f;
        a.stemLength = 1.2f;
        a.stemBend = 0.2f;
        return Cluster({{With(a, seed), Deg(-8), {0, 0}}, {With(a, seed + 1), Deg(12), {0.05f, 0.75f}}}, w, h);
    }
    case 89:
        p = Lantern(kOrange, 1.3f);
        p.tipRadius = 0.04f;
        p.taperStart = 1.8f;
        return Single(With(p, seed), w, h);
    case 90:
        p = Long(kOlive, 4.0f, false);
        p.material = Dried(kOlive, 0.2f);
        p.wobble = 0.15f;
        p.dried = true;
        return Single(With(p, seed), w, h);
    case 91:
        p = Long(kRed, 3.0f, false);
        p.material = Glossy(kRed, Surface::Wrinkled, 0.6f);
        p.taperStart = 3.0f;
        p.taperPower = 0.5f;
        p.tipRadius = 0.4f;
        p.lobes = 2;
        p.lobeSpread = 0.3f;
        p.bendMid = 0.1f;
        p.bendTip = 0.12f;
        return Single(With(p, seed), w, h);
    case 97:
        p = Cone(kGold, 2.3f);
        p.taperStart = 1.4f;
        p.bendTip = 0.1f;
        return Single(With(p, seed), w, h);
    case 98: // bull's horn
        p = Long(kGold, 4.0f, true);
        p.taperStart = 1.4f;
        p.bendMid = 0.45f;
        p.bendTip = 0.55f;
        p.stemRadius = 0.2f;
        return Single(With(p, seed), w, h);
    default:
        p = Long(kRed, 4, true);
        return Single(With(p, seed), w, h);
    }
}

Scene DesignLogo(int frame, int size) {
    // A plump red chilli, tilted, with a face; the second frame winks and leans a little further.
    PodShape p = Long(kRed, 2.6f, true);
    p.taperStart = 1.7f;
    p.bendMid = 0.2f;
    p.bendTip = 0.32f;
    p.stemLength = 1.2f;
    p.stemBend = 0.6f;
    p.seed = 77;
    Scene scene = BuildPod(p);
    float R = p.radius;
    float markLift = R * 3;
    auto mark = [&](std::vector<Vec2> points, float radius, Rgb colour) {
        Tube tube;
        // Each mark lies over the ones before it (the pupil over the white of the eye).
        markLift += R;
        tube.material.flat = true;
        tube.material.body = colour;
        tube.zBoost = markLift;
        tube.group = 5;
        float along = 0;
        for (size_t i = 0; i < points.size(); ++i) {
            if (i > 0) along += std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y);
            tube.centre.push_back(points[i]);
            tube.radius.push_back(radius);
            tube.along.push_back(along);
        }
        scene.tubes.push_back(tube);
    };
    Vec2 left = {-0.38f * R, 0.85f * R}, right = {0.42f * R, 0.8f * R};
    Rgb white = {250, 250, 245}, ink = {30, 10, 10};
    mark({left}, 0.24f * R, white);
    mark({{left.x + 0.04f * R, left.y + 0.04f * R}}, 0.12f * R, ink);
    if (frame == 0) {
        mark({right}, 0.24f * R, white);
        mark({{right.x + 0.04f * R, right.y + 0.04f * R}}, 0.12f * R, ink);
    } else {
        mark({{right.x - 0.2f * R, right.y + 0.02f * R},
              {right.x, right.y + 0.08f * R},
              {right.x + 0.2f * R, right.y + 0.02f * R}},
             0.045f * R, ink);
    }
    mark({{-0.3f * R, 1.35f * R}, {-0.1f * R, 1.48f * R}, {0.1f * R, 1.5f * R}, {0.3f * R, 1.38f * R}}, 0.05f * R, ink);
    TransformScene(scene, Deg(frame == 0 ? -28.0f : -34.0f), 1, {0, 0});
    FitScene(scene, size, size, 4.0f);
    return scene;
}

} // namespace chilli_art

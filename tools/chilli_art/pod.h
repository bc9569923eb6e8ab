// One chilli pod with its calyx and stem, built from sphere-swept tubes in its own coordinates.
#pragma once

#include "render.h"

namespace chilli_art {

// The pod hangs from its calyx at (0, 0) and grows toward +y; the stem rises toward -y.
struct PodShape {
    float length = 1;        // spine length of the pod
    float radius = 0.12f;    // widest half-width
    float bendMid = 0;       // sideways pull of the spine's second control point, in lengths
    float bendTip = 0;       // sideways offset of the tip, in lengths
    float bendTop = 0;       // sideways pull of the spine's first control point, in lengths
    float shoulder = 0.9f;   // how far down the shoulder rounds, in radii
    float taperStart = 2.5f; // body(t) = (1 - t^taperStart)^taperPower: high start = blunt cylinder
    float taperPower = 1.0f;
    float tipRadius = 0.04f; // radius kept at the tip, as a fraction of the widest
    int lobes = 1;
    float lobeSpread = 0.45f;
    float wobble = 0;  // irregular swelling along the pod (dried or landrace pods)
    float flatten = 1; // squashes the pod across its spine (dried, flattened pods)
    Material material;
    bool dried = false;       // brown calyx and stem
    float purple = 0;         // tints a fresh calyx and stem toward purple (ornamentals with dark foliage)
    float stemLength = 0.6f;  // in radii; FitStem may lengthen it to fill a tall picture
    float stemBend = 0.3f;    // sideways lean of the stem's end, in stem lengths
    float stemRadius = 0.16f; // in radii
    float calyxSize = 1;
    bool withCalyx = true; // false for parts of a pod that hang from another (the wings of a crown)
    uint32_t seed = 1;
};

// Builds the pod, calyx and stem: pod tubes in group 0, calyx in group 1, stem in group 2.
Scene BuildPod(const PodShape& shape);

// Width and height of the pod alone (no stem), for choosing the stem length.
void PodExtent(const PodShape& shape, float& width, float& height);

} // namespace chilli_art

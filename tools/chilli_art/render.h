// Sphere-swept tubes, their shading and a supersampling rasterizer: the drawing core of the artwork.
#pragma once

#include <cstdint>
#include <vector>

namespace chilli_art {

struct Vec2 {
    float x = 0, y = 0;
};

struct Rgb {
    float r = 0, g = 0, b = 0;
};

// How a surface is finished: smooth, lengthwise creases, wrinkles, or pimpled (blistered) skin.
enum class Surface { Smooth, Creased, Wrinkled, Pimpled };

struct Material {
    Rgb body, shadow, highlight;
    float gloss = 0.8f;      // strength of the specular highlight, 0 = matte
    float shininess = 40.0f; // tightness of the highlight
    Surface surface = Surface::Smooth;
    float detail = 0.0f; // strength of the surface detail
    bool flat = false;   // drawn in its body colour without shading (eyes and marks on the logo)
};

// A tube is a run of spheres along a spine; its outline and depth are the union of the spheres.
// `along` is the distance along the spine from its start, used to place surface detail.
struct Tube {
    std::vector<Vec2> centre;
    std::vector<float> radius;
    std::vector<float> along;
    Material material;
    float zBoost = 0;      // lifts the tube above others (calyx over pod, front pod over back pod)
    int group = 0;         // tubes of one group meet in shaded creases (the lobes of one pod)
    uint32_t seed = 1;     // places the surface noise
    float detailScale = 1; // size of the surface detail, in the tube's own units
};

struct Scene {
    std::vector<Tube> tubes;
};

struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba; // straight (not premultiplied) colour, alpha = coverage
};

// Maps every tube by rotating by `angle` radians, scaling by `scale` and moving by `offset`.
void TransformScene(Scene& scene, float angle, float scale, Vec2 offset);
// Appends all tubes of `part` to `scene`, adding `zBoost` to each and moving them to `group`+offset.
void AppendScene(Scene& scene, const Scene& part, float zBoost = 0, int groupOffset = 0);
// Scales and centres the scene uniformly so that it fills width x height less `margin` pixels.
void FitScene(Scene& scene, int width, int height, float margin);
// The box around every tube, radii included (min above max when the scene is empty).
void SceneBounds(const Scene& scene, float& minX, float& minY, float& maxX, float& maxY);
// Resamples every tube so that neighbouring spheres lie at most `spacing` apart.
void DensifyScene(Scene& scene, float spacing);
// Draws the scene with `samples` x `samples` supersampling on a transparent background.
Image Rasterize(const Scene& scene, int width, int height, int samples);

} // namespace chilli_art

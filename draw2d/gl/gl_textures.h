// Array textures as texture pools: every prepared texture of the same size and level count is a
// layer of one GL_TEXTURE_2D_ARRAY, so its pixels and mip levels stay exactly as prepared while
// quads of different pictures share one binding.
#pragma once

#include "draw2d/gl/gl.h"
#include "draw2d/image.h"
#include "draw2d/texture_prep.h"

#include <cstdint>
#include <memory>
#include <vector>

// One array texture and which of its layers hold a picture.
struct GlTextureArray {
    GLuint name = 0;
    int32_t width = 0, height = 0, levels = 0;
    std::vector<bool> used;
};

// The GL objects shared by every context of the driver's displays (one share group). When the
// last display goes the group's objects go with it: `alive` turns false and textures made in it
// draw nothing.
struct GlShareGroup {
    std::vector<std::unique_ptr<GlTextureArray>> arrays;
    bool alive = true;
    GLint maxSize = 0;
    GLint maxLayers = 0;
};

// One picture: a layer of an array of the share group.
class GlTexture : public DriverTexture {
public:
    GlTexture(std::shared_ptr<GlShareGroup> group, GlTextureArray* array, int32_t layer)
        : group_(std::move(group)), array_(array), layer_(layer) {}
    ~GlTexture() override { array_->used[static_cast<size_t>(layer_)] = false; }
    const GlShareGroup* Group() const { return group_.get(); }
    GlTextureArray* Array() const { return array_; }
    float Layer() const { return static_cast<float>(layer_); }

private:
    std::shared_ptr<GlShareGroup> group_;
    GlTextureArray* array_;
    int32_t layer_;
};

// Uploads the prepared levels into a free layer of a fitting array (making a new array when all
// are full) in the current context of the group. Null when GL cannot hold a texture of this size.
std::shared_ptr<GlTexture> MakeGlTexture(const std::shared_ptr<GlShareGroup>& group, const PreparedTexture& texture);

// Allocating layers of array textures and uploading prepared levels into them.
#include "draw2d/gl/gl_textures.h"

#include <algorithm>

namespace {

// Arrays hold up to this many bytes of level 0 (and up to 64 layers); a picture bigger than that
// gets an array of one layer.
constexpr int64_t kArrayBytes = 32 << 20;
constexpr int32_t kMaxArrayLayers = 64;

GlTextureArray* NewArray(GlShareGroup& group, int32_t width, int32_t height, int32_t levels) {
    const int64_t layerBytes = int64_t{width} * height * 4;
    const int32_t layers = static_cast<int32_t>(
        std::clamp<int64_t>(kArrayBytes / layerBytes, 1, std::min<int64_t>(kMaxArrayLayers, group.maxLayers)));
    auto array = std::make_unique<GlTextureArray>();
    array->width = width;
    array->height = height;
    array->levels = levels;
    array->used.assign(static_cast<size_t>(layers), false);
    glGenTextures(1, &array->name);
    glBindTexture(GL_TEXTURE_2D_ARRAY, array->name);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, levels - 1);
    for (int32_t level = 0; level < levels; ++level)
        glTexImage3D(GL_TEXTURE_2D_ARRAY, level, GL_RGBA8, std::max(width >> level, 1), std::max(height >> level, 1),
                     layers, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &array->name);
        return nullptr;
    }
    group.arrays.push_back(std::move(array));
    return group.arrays.back().get();
}

} // namespace

std::shared_ptr<GlTexture> MakeGlTexture(const std::shared_ptr<GlShareGroup>& group, const PreparedTexture& texture) {
    const int32_t levels = static_cast<int32_t>(texture.levels.size());
    if (levels == 0 || texture.width > group->maxSize || texture.height > group->maxSize) return nullptr;
    GlTextureArray* array = nullptr;
    size_t layer = 0;
    for (const auto& candidate : group->arrays) {
        if (candidate->width != texture.width || candidate->height != texture.height || candidate->levels != levels)
            continue;
        const auto free = std::find(candidate->used.begin(), candidate->used.end(), false);
        if (free == candidate->used.end()) continue;
        array = candidate.get();
        layer = static_cast<size_t>(free - candidate->used.begin());
        break;
    }
    if (!array) array = NewArray(*group, texture.width, texture.height, levels);
    if (!array) return nullptr;
    array->used[layer] = true;
    glBindTexture(GL_TEXTURE_2D_ARRAY, array->name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    for (int32_t level = 0; level < levels; ++level) {
        const TextureLevel& pixels = texture.levels[static_cast<size_t>(level)];
        glTexSubImage3D(GL_TEXTURE_2D_ARRAY, level, 0, 0, static_cast<GLint>(layer), pixels.width, pixels.height, 1,
                        GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.pixels.data());
    }
    return std::make_shared<GlTexture>(group, array, static_cast<int32_t>(layer));
}

// The chilli workload through SDL_Renderer, the baseline both drawing benchmarks compare against:
// the two pictures as textures, then one SDL_RenderCopyEx per sprite each frame. Also the process
// CPU clock the benchmarks report per frame.
#pragma once

#include "chilli_workload.h"

#include <SDL.h>

#include <ctime>
#include <vector>

namespace chilli_workload {

// CPU seconds of the whole process (every thread).
inline double ProcessCpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// The workload's textures in one renderer; released with it.
class SdlRendererSprites {
public:
    explicit SdlRendererSprites(SDL_Renderer* renderer) : renderer_(renderer) {
        for (int i = 0; i < 2; ++i) {
            textures_[i] =
                SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, kTexW, kTexH);
            SDL_UpdateTexture(textures_[i], nullptr, Chilli(i).texels.data(), kTexW * 4);
            SDL_SetTextureBlendMode(textures_[i], SDL_BLENDMODE_BLEND);
        }
    }
    ~SdlRendererSprites() {
        for (SDL_Texture* texture : textures_)
            SDL_DestroyTexture(texture);
    }
    SdlRendererSprites(const SdlRendererSprites&) = delete;
    SdlRendererSprites& operator=(const SdlRendererSprites&) = delete;

    // Clears, draws every sprite turned a further degree per frame, and presents.
    void DrawFrame(const std::vector<Sprite>& sprites, int frame) {
        const SDL_FPoint handle = {0, 0};
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        for (const Sprite& s : sprites) {
            const Image& image = Chilli(s.texture);
            const SDL_Rect source = {0, 0, image.width, image.height};
            const SDL_FRect target = {s.x, s.y, float(image.width) * kScaleX, float(image.height) * kScaleY};
            SDL_RenderCopyExF(renderer_, textures_[s.texture], &source, &target, double(s.angle) + frame, &handle,
                              SDL_FLIP_NONE);
        }
        SDL_RenderPresent(renderer_);
    }

private:
    SDL_Renderer* renderer_;
    SDL_Texture* textures_[2] = {};
};

} // namespace chilli_workload

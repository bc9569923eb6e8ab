// A rasterizer that records drawing and replays it on worker threads, each owning interleaved bands of rows.
//
// The caller stays on one thread: DrawQuads and Clear only record; Finish draws everything recorded
// so far, on the calling thread and the workers together, and returns when the pixels are done. Each
// pixel belongs to one worker, which replays the commands in order, so drawing order per pixel holds.
// Call Finish before presenting, reading back or otherwise touching the target's pixels, and keep
// every texture (its SoftTexture, levels and hulls) alive and unchanged until then.
#pragma once

#include "draw2d/soft/soft_damage.h"
#include "draw2d/soft/soft_raster.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

class SoftRasterizer {
public:
    // workers: how many threads share a frame, the caller's included; 0 picks one per processor, at most 4.
    explicit SoftRasterizer(int workers = 0);
    ~SoftRasterizer();
    SoftRasterizer(const SoftRasterizer&) = delete;
    SoftRasterizer& operator=(const SoftRasterizer&) = delete;

    // The surface that later commands draw into; finishes what was recorded for the previous one.
    void SetTarget(const SoftSurface& surface);
    const SoftSurface& Target() const { return target_; }

    void DrawQuads(const SoftTexture* textureOrNull, const SoftState& state, const SoftQuad* quads, size_t count);
    void Clear(SoftClip clip, uint32_t color);
    void Finish();
    // Draws what was recorded only inside the ranges; pixels inside them get the bytes Finish would
    // give them, pixels outside are not touched.
    void Finish(const SoftRowRanges& ranges);
    // Appends what is recorded, step by step, to steps.
    void AppendSteps(std::vector<SoftDrawnStep>& steps) const;
    // Something is recorded and not yet drawn.
    bool Pending() const { return !commands_.empty(); }

    int Workers() const { return static_cast<int>(threads_.size()) + 1; }

private:
    struct Command {
        bool clear;
        bool textured;
        SoftTexture texture;
        SoftState state; // for a clear: state.clip and state.color
        size_t first, count;
    };

    void Run();
    void Replay(int worker) const;
    void WorkerLoop(int worker);

    SoftSurface target_;
    std::vector<Command> commands_;
    std::vector<SoftQuad> quads_;
    // The ranges the replay is restricted to; null draws everywhere.
    const SoftRowRanges* ranges_ = nullptr;

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    uint64_t generation_ = 0;
    int busy_ = 0;
    bool stopping_ = false;
};

// Recording and banded replay of the rasterizer's commands on a few worker threads.
#include "draw2d/soft/soft_rasterizer.h"

#include "draw2d/soft/soft_rows.h"

#include <algorithm>

namespace {
// Bands of 32 rows: small enough to share the work of a frame evenly, large enough that each worker
// touches whole cache-friendly runs of rows.
constexpr int kBandShift = 5;
} // namespace

SoftRasterizer::SoftRasterizer(int workers) {
    if (workers <= 0) workers = static_cast<int>(std::min(4u, std::max(1u, std::thread::hardware_concurrency())));
    for (int i = 1; i < workers; ++i)
        threads_.emplace_back([this, i] { WorkerLoop(i); });
}

SoftRasterizer::~SoftRasterizer() {
    Finish();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

void SoftRasterizer::SetTarget(const SoftSurface& surface) {
    Finish();
    target_ = surface;
}

void SoftRasterizer::DrawQuads(const SoftTexture* texture, const SoftState& state, const SoftQuad* quads,
                               size_t count) {
    if (count == 0) return;
    Command command{false, texture != nullptr, texture ? *texture : SoftTexture{}, state, quads_.size(), count};
    // Consecutive draws with the same texture and state become one command.
    if (!commands_.empty()) {
        Command& last = commands_.back();
        if (!last.clear && last.textured == command.textured && SameSoftState(last.state, state) &&
            SameSoftTexture(last.texture, command.texture)) {
            last.count += count;
            quads_.insert(quads_.end(), quads, quads + count);
            return;
        }
    }
    quads_.insert(quads_.end(), quads, quads + count);
    commands_.push_back(command);
}

void SoftRasterizer::Clear(SoftClip clip, uint32_t color) {
    SoftState state;
    state.clip = clip;
    state.color = color;
    commands_.push_back({true, false, SoftTexture{}, state, 0, 0});
}

void SoftRasterizer::AppendSteps(std::vector<SoftDrawnStep>& steps) const {
    for (const Command& command : commands_) {
        if (command.clear) {
            steps.push_back({true, false, SoftTexture{}, command.state, SoftQuad{}});
            continue;
        }
        for (size_t q = command.first; q < command.first + command.count; ++q)
            steps.push_back({false, command.textured, command.texture, command.state, quads_[q]});
    }
}

void SoftRasterizer::Replay(int worker) const {
    const SoftRows rows{kBandShift, Workers(), worker, ranges_};
    for (const Command& command : commands_) {
        if (command.clear)
            SoftClearRows(target_, command.state.clip, command.state.color, rows);
        else
            SoftDrawQuadsRows(target_, command.textured ? &command.texture : nullptr, command.state,
                              quads_.data() + command.first, command.count, rows);
    }
}

void SoftRasterizer::Finish() {
    ranges_ = nullptr;
    Run();
}

void SoftRasterizer::Finish(const SoftRowRanges& ranges) {
    ranges_ = &ranges;
    Run();
    ranges_ = nullptr;
}

void SoftRasterizer::Run() {
    if (commands_.empty()) return;
    if (!threads_.empty()) {
        std::lock_guard<std::mutex> lock(mutex_);
        busy_ = static_cast<int>(threads_.size());
        ++generation_;
    }
    wake_.notify_all();
    Replay(0);
    if (!threads_.empty()) {
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [this] { return busy_ == 0; });
    }
    commands_.clear();
    quads_.clear();
}

void SoftRasterizer::WorkerLoop(int worker) {
    uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_) return;
            seen = generation_;
        }
        Replay(worker);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            --busy_;
        }
        done_.notify_one();
    }
}

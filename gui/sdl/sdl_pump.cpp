// The SDL source of the host pump.
#include "gui/sdl/sdl_pump.h"

#include "gui/sdl/sdl_input.h"

#include <SDL_syswm.h>

#include <array>

namespace {

constexpr int kWindowlessPollMs = 10;
constexpr int kBatch = 64;

} // namespace

void SdlPumpSource::AddRawHandler(RawHandler handler) {
    if (handler) handlers_.push_back(std::move(handler));
}

void SdlPumpSource::WatchSdlWindow(uint32_t windowId) {
    watchedWindow_ = windowId;
    connectionFd_ = -1;
}

void SdlPumpSource::Dispatch() {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
    SDL_PumpEvents();
    int left = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    std::array<SDL_Event, kBatch> batch{};
    while (left > 0) {
        const int taken =
            SDL_PeepEvents(batch.data(), left < kBatch ? left : kBatch, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
        if (taken <= 0) break;
        left -= taken;
        for (int i = 0; i < taken; ++i) {
            for (const RawHandler& handler : handlers_)
                handler(batch[static_cast<size_t>(i)]);
            TranslateSdlEvent(batch[static_cast<size_t>(i)]);
        }
    }
}

int SdlPumpSource::PrepareWait(std::vector<PumpFd>& fds) {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return -1;
    // Reads what the connection has buffered into SDL's queue, so poll(2) only waits for new input.
    SDL_PumpEvents();
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return 0;
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return -1;
    const int fd = ConnectionDescriptor();
    if (fd < 0) return kWindowlessPollMs;
    fds.push_back(PumpFd{fd, kPumpReadable, 0});
    return -1;
}

int SdlPumpSource::ConnectionDescriptor() {
    if (connectionFd_ >= 0) return connectionFd_;
    SDL_Window* window = watchedWindow_ ? SDL_GetWindowFromID(watchedWindow_) : nullptr;
    if (!window) window = SDL_GetKeyboardFocus();
    if (!window) window = SDL_GetMouseFocus();
    if (!window) return -1;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info)) return -1;
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11) connectionFd_ = ConnectionNumber(info.info.x11.display);
#endif
    return connectionFd_;
}

std::shared_ptr<SdlPumpSource> SdlPump() {
    static const std::shared_ptr<SdlPumpSource> source = [] {
        auto made = std::make_shared<SdlPumpSource>();
        AddPumpSource(made);
        return made;
    }();
    return source;
}

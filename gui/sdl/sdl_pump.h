// The SDL host source of the pump: takes SDL's waiting events, lets the display code see them
// raw, and translates them into events.
//
// While waiting, the pump sleeps on the X connection of the window shown with WatchSdlWindow (or
// of the window with keyboard or mouse focus); without one (SDL video without a window, or a video
// driver other than X11) it looks again every 10 ms. Without SDL video
// nothing arrives from SDL by itself and no time limit is set.
#pragma once

#include "gui/events/pump.h"

#include <SDL.h>

#include <functional>
#include <memory>

class SdlPumpSource : public PumpSource {
public:
    using RawHandler = std::function<void(const SDL_Event&)>;

    // Called for every SDL event before its translation (window resizes, exposure, ...).
    void AddRawHandler(RawHandler handler);
    // A window whose host connection the pump may wait on.
    void WatchSdlWindow(uint32_t windowId);

    // Takes the events waiting when it starts (events pushed while it runs wait for the next
    // round), so a flood never keeps the pump from returning.
    void Dispatch() override;
    int PrepareWait(std::vector<PumpFd>& fds) override;

private:
    int ConnectionDescriptor();

    std::vector<RawHandler> handlers_;
    uint32_t watchedWindow_ = 0;
    int connectionFd_ = -1;
};

// The process's one SDL source, added to the pump the first time it is asked for.
std::shared_ptr<SdlPumpSource> SdlPump();

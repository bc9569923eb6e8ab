// The SDL window of a display: a borderless window over the whole X screen (full screen), a
// captioned window (own window), or an existing X window of another process (attached).
#pragma once

#include "draw2d/draw_driver.h"
#include "draw2d/xlib/foreign_window.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>

class SdlDisplayWindow {
public:
    // A full-screen (depth > 0) or own window (depth 0); extraFlags adds e.g. SDL_WINDOW_OPENGL.
    // When the screen must change mode and cannot (the rate dropped, then depth 32, then once more),
    // throws DrawError with modeError; other failures throw "Failed to create window".
    static std::unique_ptr<SdlDisplayWindow> Open(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                                  uint32_t extraFlags, const std::string& modeError);
    // An existing X window by id, watched for destruction and resizing; null when it cannot be used.
    // withOpenGL makes SDL prepare it for a GL context.
    static std::unique_ptr<SdlDisplayWindow> Attach(uint64_t window, bool withOpenGL);
    // The foreign window alone, watched, with no SDL window (software frames go by XPutImage).
    static std::unique_ptr<SdlDisplayWindow> Watch(uint64_t window);

    ~SdlDisplayWindow();
    SdlDisplayWindow(const SdlDisplayWindow&) = delete;
    SdlDisplayWindow& operator=(const SdlDisplayWindow&) = delete;

    SDL_Window* Window() const { return window_; }
    bool Attached() const { return foreign_ != nullptr; }
    uint64_t ForeignId() const { return foreign_ ? foreign_->window : 0; }
    // The drawing area now (a foreign window's current client size).
    int32_t Width() const;
    int32_t Height() const;
    // The foreign window was destroyed by its owner.
    bool Lost() const;

private:
    SdlDisplayWindow() = default;
    SDL_Window* window_ = nullptr;
    std::shared_ptr<ForeignWindowState> foreign_;
    int32_t width_ = 0, height_ = 0;
    bool modeChanged_ = false;
};

// The screen's display modes as SDL reports them (empty without X).
std::vector<TGraphicsMode> SdlDisplayModes();
// The rectangle covering every monitor of the X screen.
SDL_Rect SdlScreenBounds();
void SdlSetPointerVisible(bool visible);
// In screen pixels.
void SdlMovePointer(int32_t x, int32_t y);

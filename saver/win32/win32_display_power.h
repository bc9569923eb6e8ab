// Whether the system has switched the display off to save power, from the display-state
// notifications it sends a hidden window of the watch's own.
#pragma once

#include "draw2d/win32/win32_display_window.h"

#include <windows.h>

#include <memory>

// Makes its window on the calling thread, whose message pump then delivers the notifications, and
// registers the window for them; the registration and the window go with the watch. Without
// either the display counts as on.
class DisplayStateWindow {
public:
    DisplayStateWindow();
    DisplayStateWindow(const DisplayStateWindow&) = delete;
    DisplayStateWindow& operator=(const DisplayStateWindow&) = delete;

    // True from a notification that the display is off until one that it is on or dimmed.
    bool Off() const { return off_; }
    // The window the notifications go to.
    HWND Window() const { return window_.Handle(); }

private:
    // A power-setting registration, undone when it goes.
    class Registration {
    public:
        explicit Registration(HPOWERNOTIFY handle = nullptr) : handle_(handle) {}
        ~Registration() {
            if (handle_) UnregisterPowerSettingNotification(handle_);
        }
        Registration(const Registration&) = delete;
        Registration& operator=(const Registration&) = delete;

    private:
        HPOWERNOTIFY handle_;
    };

    // Written by the window procedure; declared first, so it outlives the window.
    bool off_ = false;
    // Declared before the registration, so the registration goes first.
    Win32Window window_;
    std::unique_ptr<Registration> registration_;
};

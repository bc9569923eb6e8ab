// Software frames shown in an X window: from shared memory with MIT-SHM where the server offers it
// (the frame is drawn straight into the segment, so presenting copies nothing on our side), else
// with XPutImage. Both go through the watch connection, whose error handler never ends the process.
#pragma once

#include "draw2d/soft/soft_driver.h"

#include <cstdint>
#include <memory>

// The window an X presenter shows frames in, as the presenter needs it: its drawing area now and
// whether its owner destroyed it. The presenter keeps it for as long as it presents.
class XPresentedWindow {
public:
    virtual ~XPresentedWindow() = default;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual bool Lost() const = 0;
};

// A presenter for `target`, an X window on the server of the watch connection; `window` is the
// window it belongs to, taken only when a presenter is returned. Null when there is no X display
// or the window's visual does not take 0xAARRGGBB pixels as they are (24 or 32 bits, TrueColor
// masks 0xFF0000, 0xFF00, 0xFF). `allowShm` false keeps to XPutImage.
std::unique_ptr<SoftPresenter> MakeXPresenter(std::unique_ptr<XPresentedWindow>& window, uint64_t target,
                                              bool allowShm = true);

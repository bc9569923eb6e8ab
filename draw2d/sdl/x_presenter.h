// Software frames shown in an X window: from shared memory with MIT-SHM where the server offers it
// (the frame is drawn straight into the segment, so presenting copies nothing on our side), else
// with XPutImage. Both go through the watch connection, whose error handler never ends the process.
#pragma once

#include "draw2d/sdl/sdl_window.h"
#include "draw2d/soft/soft_driver.h"

#include <cstdint>
#include <memory>

// A presenter for `target`, an X window on the server of the watch connection; `window` is the
// display window it belongs to (kept and asked for the size and loss; left with the caller when
// null is returned). Null when there is no X display or the window's visual does not take
// 0xAARRGGBB pixels as they are (24 or 32 bits, TrueColor masks 0xFF0000, 0xFF00, 0xFF).
// `allowShm` false keeps to XPutImage.
std::unique_ptr<SoftPresenter> MakeXPresenter(std::unique_ptr<SdlDisplayWindow>&& window, uint64_t target,
                                              bool allowShm = true);

// The hosts a program entry hands to the portable saver: the operating system's services, the
// drawing driver for the screen and the dialog's gadget host. One entry file per platform fills
// this table (saver/x11/main.cpp on X11); nothing else in the saver asks which host it is on.
#pragma once

#include "saver/platform.h"

#include "draw2d/draw_driver.h"

#include <memory>

struct SaverHosts {
    // The host's name where a program holds several ("wayland", "x11"); --help tells it.
    const char* name = nullptr;
    // The screen, the desktop's pixels and other programs' windows; null: a headless platform
    // with no screen.
    std::unique_ptr<SaverPlatform> (*makePlatform)() = nullptr;
    // The driver of the displays on the screen; it may decide what it is on first use. Null: the
    // software driver without windows (offscreen displays only).
    DrawDriverPtr (*makeDriver)() = nullptr;
    // Starts the gadget host the configuration window is made with and selects it; false when
    // there is no window system to show it on. Null: the program has no dialog.
    bool (*selectGadgetHost)() = nullptr;
    // Whether the shows in a window that X names (--root, --window-id) can run here. Null where
    // the program has no X windows (Windows): those options are then refused on the command line.
    bool (*hasXWindows)() = nullptr;
};

// The table of this process; start-up sets it before anything else runs. Tests may leave it empty.
void SetSaverHosts(const SaverHosts& hosts);
const SaverHosts& CurrentSaverHosts();

// The on-screen driver of the table, or the software driver when it names none; never null.
DrawDriverPtr MakeHostDriver();
// Selects the table's gadget host; false when it has none or it cannot start.
bool SelectHostGadgetHost();

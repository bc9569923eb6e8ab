// The configuration window: its placement, its Config and About tabs, and the loop that edits the
// settings in place until OK stores them or the window is left without storing.
//
// TSaver::RunConfig puts these together; tests use the pieces on their own with the headless
// gadget host. The dialog's gadgets belong to the gadget tree (the desktop owns the window);
// ConfigDialog only keeps references to the ones the loop needs to recognise.
#pragma once

#include "saver/platform.h"
#include "saver/saver.h"
#include "saver/setting_table.h"

#include "draw2d/image.h"
#include "gui/gadgets/gadget.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

constexpr int32_t kConfigClientWidth = 300;
constexpr int32_t kConfigClientHeight = 260;
// The logo changes when more than this many milliseconds have passed since the last change.
constexpr int32_t kLogoSwapMilliseconds = 150;

// Top-left corner of the window's client area on the screen.
struct ConfigPlacement {
    int32_t x = 0;
    int32_t y = 0;
};

// The client area centred on a host window's outer rectangle.
ConfigPlacement CentreOnWindow(const TRect& outer);
// The client area centred on a desktop of this size (its own left and top are not added).
ConfigPlacement CentreOnDesktop(int32_t width, int32_t height);
// A client area that would show no pixel on the desktop is moved just inside it; one that shows
// at least a pixel stays where it is.
ConfigPlacement KeepReachable(ConfigPlacement place, const GadgetShape& desktop);
// The placement for a host window handle (0: none, centre on the desktop). A handle that names
// no window reads as the rectangle (0, 0, 0, 0), which puts the client area at (-150, -130).
ConfigPlacement PlaceConfigWindow(int64_t handle, SaverPlatform& platform, const GadgetShape& desktop);

// The scale slider shows ChilliScale in fifteenths: the position is scale x 15 truncated (values
// that are not numbers or lie beyond the int range give 0 or the range's end), and a position
// gives back position / 15 in single precision.
int32_t ScaleSliderPosition(float scale);
float ScaleFromSliderPosition(int32_t position);

// A control of the Config tab and the setting it edits.
struct ConfigControl {
    GadgetPtr gadget;
    const SettingRow* setting = nullptr;
};
using ConfigCheckbox = ConfigControl;

struct ConfigDialog {
    GadgetPtr window;
    GadgetPtr tabber;
    // Indexed by the tab: 0 Config, 1 About.
    std::array<GadgetPtr, 2> panels;
    GadgetPtr currentPanel;
    // The Config tab's controls by kind: the motion's list, a check box per switch, and the
    // sliders of the whole-number and the real setting.
    GadgetPtr combo;
    std::array<ConfigCheckbox, CountSettings(SettingType::Switch)> checkboxes;
    GadgetPtr countSlider;
    GadgetPtr scaleSlider;
    // The same controls in creation order with the settings they edit.
    std::vector<ConfigControl> controls;
    GadgetPtr ok;
    GadgetPtr cancel;
    std::array<GadgetPtr, 4> aboutLabels;
    GadgetPtr logoCanvas;
    ImagePtr logo1;
    ImagePtr logo2;
    bool nextLogoIsOne = true;
    // MillisecondClock at the last swap (at first, when the dialog was made).
    int32_t lastSwap = 0;
};

// Makes the window at the placement with both tabs, opening on About, every control showing its
// setting; the canvas's display becomes the current one. `now` starts the logo's clock. Null when
// the gadget host could not make the window.
std::unique_ptr<ConfigDialog> MakeConfigDialog(TSaver& saver, ConfigPlacement place, int32_t now);

enum class ConfigStep { Continue, Stored, Ended };

// What the current event (EventID and the rest) does: edits a setting, switches the tab, swaps
// the logo, stores the settings with saver.SaveSettings() on OK (Stored), or ends without storing
// on Cancel, the close box, another application becoming active and "AppTerminate" (Ended).
ConfigStep HandleConfigEvent(TSaver& saver, ConfigDialog& dialog);

// One timer tick at time `now`: when more than 150 ms passed since the last swap, draws the next
// logo onto the canvas (without clearing it) and presents it. True when it swapped.
bool SwapLogo(ConfigDialog& dialog, int32_t now);

// Waits for events and handles them until the dialog ends or a termination signal arrives.
ConfigStep RunConfigDialog(TSaver& saver, ConfigDialog& dialog);

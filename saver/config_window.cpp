// RunConfig: the configuration window with its Config and About tabs, placed over the host's
// window or the desktop, editing the settings in place until OK stores them.
//
// Sections: placement and the scale mapping; the tables of the Config tab; making the dialog;
// the event loop and the logo; RunConfig.
#include "saver/config_window.h"

#include "saver/dispatch.h"
#include "saver/hosts.h"

#include "version.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/image.h"
#include "gui/events/event.h"
#include "gui/events/queue.h"
#include "gui/events/timer.h"
#include "gui/gadgets/gadgets.h"
#include "runtime/clock.h"
#include "runtime/program.h"
#include "runtime/termination.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>

// ---- Placement and the scale mapping ----

ConfigPlacement CentreOnWindow(const TRect& outer) {
    return {outer.Left + (outer.Right - outer.Left - kConfigClientWidth) / 2,
            outer.Top + (outer.Bottom - outer.Top - kConfigClientHeight) / 2};
}

ConfigPlacement CentreOnDesktop(int32_t width, int32_t height) {
    return {(width - kConfigClientWidth) / 2, (height - kConfigClientHeight) / 2};
}

namespace {

// The start of a span of `size` pixels that lies within [low, low + extent) where it fits, else at low.
int32_t Inside(int32_t start, int32_t size, int32_t low, int32_t extent) {
    return std::max(low, std::min(start, low + extent - size));
}

} // namespace

ConfigPlacement KeepReachable(ConfigPlacement place, const GadgetShape& desktop) {
    // 64-bit sums: a host window's rectangle can sit anywhere in the 32-bit range.
    const int64_t x = place.x, y = place.y;
    const bool showsAPixel = x < int64_t{desktop.x} + desktop.width && x + kConfigClientWidth > desktop.x &&
                             y < int64_t{desktop.y} + desktop.height && y + kConfigClientHeight > desktop.y;
    if (showsAPixel) return place;
    return {Inside(place.x, kConfigClientWidth, desktop.x, desktop.width),
            Inside(place.y, kConfigClientHeight, desktop.y, desktop.height)};
}

ConfigPlacement PlaceConfigWindow(int64_t handle, SaverPlatform& platform, const GadgetShape& desktop) {
    ConfigPlacement place = CentreOnDesktop(desktop.width, desktop.height);
    if (handle != 0) {
        TRect outer;
        // A handle that names no window leaves the rectangle at zeros.
        platform.WindowRect(static_cast<uint64_t>(handle), outer);
        place = CentreOnWindow(outer);
    }
    return KeepReachable(place, desktop);
}

namespace {

// A slider's position for a value: value x positions per unit, truncated (values that are not
// numbers or lie beyond the int range give 0 or the range's end).
int32_t SliderPosition(float value, int32_t positionsPerUnit) {
    const float position = value * static_cast<float>(positionsPerUnit);
    if (std::isnan(position)) return 0;
    if (position >= 2147483648.0f) return std::numeric_limits<int32_t>::max();
    if (position <= -2147483648.0f) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(position);
}

float ValueAtSliderPosition(int32_t position, int32_t positionsPerUnit) {
    return static_cast<float>(static_cast<double>(position) / positionsPerUnit);
}

const SettingRow& kScaleRow = SettingRowOf(&TSaver::ChilliScale);

} // namespace

int32_t ScaleSliderPosition(float scale) {
    return SliderPosition(scale, kScaleRow.dialog.positionsPerUnit);
}

float ScaleFromSliderPosition(int32_t position) {
    return ValueAtSliderPosition(position, kScaleRow.dialog.positionsPerUnit);
}

// ---- The tables of the Config and About tabs ----

namespace {

struct LabelRow {
    const char* text;
    int32_t x, y, w, h;
};

// The About lines run 40 pixels past the client area and are clipped at the panel's edge.
constexpr int32_t kAboutLabelWidth = kConfigClientWidth + 40;
constexpr LabelRow kAboutLabels[] = {
    {"Capsaro v" CAPSARO_VERSION, 150, 10, kAboutLabelWidth, 20},
    {"By its developers", 150, 30, kAboutLabelWidth, 20},
    {"capsaro.example", 150, 60, kAboutLabelWidth, 20},
    {"Art: chilli_art", 150, 90, kAboutLabelWidth, 20},
};

static_assert(std::size(kAboutLabels) == std::tuple_size<decltype(ConfigDialog::aboutLabels)>::value);

// The settings the Config tab's named controls stand for.
static_assert(CountSettings(SettingType::Motion) == 1 && CountSettings(SettingType::Integer) == 1 &&
              CountSettings(SettingType::Real) == 1);

// A scroll bar's positions start at 0, so a slider's setting must too.
constexpr bool SlidersStartAtZero() {
    for (const SettingRow& row : kSettingRows)
        if ((row.type == SettingType::Integer || row.type == SettingType::Real) && row.dialog.low != 0) return false;
    return true;
}
static_assert(SlidersStartAtZero());

constexpr int32_t kScrollBarStyle = SliderScrollBar * 4 + SliderHorizontal;

constexpr int32_t kWindowStyle = WindowTitleBar + WindowClientCoords;
constexpr int32_t kButtonWidth = 70, kButtonHeight = 24;

const char* const kLogo1 = "incbin::build stuff/gfx/logo1.png";
const char* const kLogo2 = "incbin::build stuff/gfx/logo2.png";
constexpr int32_t kLogoSide = 128;

GadgetPtr CreateLabelRow(const LabelRow& row, const GadgetPtr& panel) {
    return CreateLabel(row.text, row.x, row.y, row.w, row.h, panel, LabelFrameNone);
}

// A panel filling the tabber's client area, following all its edges, hidden until its tab shows.
GadgetPtr CreateTabPanel(const GadgetPtr& tabber) {
    GadgetPtr panel = CreatePanel(0, 0, ClientWidth(tabber), ClientHeight(tabber), tabber, 0, "");
    if (!panel) return nullptr;
    SetGadgetLayout(panel, LayoutAligned, LayoutAligned, LayoutAligned, LayoutAligned);
    HideGadget(panel);
    return panel;
}

bool MakeAboutTab(ConfigDialog& dialog, const GadgetPtr& panel) {
    for (size_t i = 0; i < dialog.aboutLabels.size(); ++i) {
        dialog.aboutLabels[i] = CreateLabelRow(kAboutLabels[i], panel);
        if (!dialog.aboutLabels[i]) return false;
    }
    dialog.logo1 = LoadImage(kLogo1, kDefaultImageFlags);
    dialog.logo2 = LoadImage(kLogo2, kDefaultImageFlags);
    // Each picture's top-left corner is the canvas's, whatever handle rule earlier drawing left set.
    for (const ImagePtr& logo : {dialog.logo1, dialog.logo2})
        if (logo) SetImageHandle(*logo, 0, 0);
    dialog.logoCanvas = CreateCanvas(5, 5, kLogoSide, kLogoSide, panel, 0);
    if (!dialog.logoCanvas) return false;
    // Every later drawing goes to the canvas (none when the drawing layer could not attach one).
    SelectDisplay(CanvasGraphics(dialog.logoCanvas));
    // The canvas is never cleared and the two pictures differ in outline: each one is drawn solid,
    // clear pixels as black, so it covers the one before instead of showing through.
    if (CurrentDisplay()) SetBlend(BlendSolid);
    return true;
}

GadgetPtr CreateLabelOf(const SettingRow& row, const GadgetPtr& panel) {
    const DialogBox& box = row.dialog.labelBox;
    return CreateLabelRow({row.dialog.label, box.x, box.y, box.w, box.h}, panel);
}

// The motion's drop-down list, its items in the order of the stored values.
GadgetPtr MakeMotionList(const SettingRow& row, const GadgetPtr& panel) {
    const DialogBox& box = row.dialog.box;
    GadgetPtr combo = CreateComboBox(box.x, box.y, box.w, box.h, panel, ComboPickOnly);
    if (!combo) return nullptr;
    for (const MotionModeName& mode : kMotionModeNames)
        AddGadgetItem(combo, mode.label, 0, -1, "", nullptr);
    return combo;
}

GadgetPtr MakeCheckBox(const SettingRow& row, const GadgetPtr& panel) {
    const DialogBox& box = row.dialog.box;
    return CreateButton(row.dialog.label, box.x, box.y, box.w, box.h, panel, ButtonCheckBox);
}

// A scroll-bar slider: with a page of 1 and a total of n, its positions run 0..n-1.
GadgetPtr MakeSlider(const SettingRow& row, const GadgetPtr& panel) {
    const DialogBox& box = row.dialog.box;
    GadgetPtr slider = CreateSlider(box.x, box.y, box.w, box.h, panel, kScrollBarStyle);
    if (!slider) return nullptr;
    SetSliderRange(slider, 1, static_cast<int32_t>(std::lround(row.dialog.high * row.dialog.positionsPerUnit)) + 1);
    return slider;
}

// Shows the setting's value in its control.
void ShowSetting(const ConfigControl& control, const TSaver& saver) {
    const SettingRow& row = *control.setting;
    switch (row.type) {
    case SettingType::Motion:
        // A stored mode outside 0..4 names no item (and -1 would select every one): show none.
        if (IsMotionMode(IntegerSetting(row, saver))) SelectGadgetItem(control.gadget, IntegerSetting(row, saver));
        break;
    case SettingType::Switch:
        // A box shows ticked for any stored value but 0, as a checkbox's state does, though only 1
        // counts as on in the show; the value itself stays as stored unless the box is clicked.
        SetButtonState(control.gadget, IntegerSetting(row, saver) != 0 ? 1 : 0);
        break;
    case SettingType::Integer:
        SetSliderValue(control.gadget, IntegerSetting(row, saver) * row.dialog.positionsPerUnit);
        break;
    case SettingType::Real:
        SetSliderValue(control.gadget, SliderPosition(RealSetting(row, saver), row.dialog.positionsPerUnit));
        break;
    }
}

// The setting as the control's action `data` gives it: the item, 1 or 0, or the slider's position.
void TakeSetting(const SettingRow& row, TSaver& saver, int32_t data) {
    if (row.type == SettingType::Real) {
        RealSetting(row, saver) = ValueAtSliderPosition(data, row.dialog.positionsPerUnit);
    } else if (row.type == SettingType::Integer) {
        IntegerSetting(row, saver) = data / row.dialog.positionsPerUnit;
    } else {
        IntegerSetting(row, saver) = data;
    }
}

// The Config tab in creation order: the motion's list, the check boxes, then the sliders, each
// kind in the order of the setting table.
bool MakeConfigTab(TSaver& saver, ConfigDialog& dialog, const GadgetPtr& panel) {
    const auto add = [&](const SettingRow& row, GadgetPtr gadget) {
        if (!gadget) return false;
        dialog.controls.push_back({gadget, &row});
        ShowSetting(dialog.controls.back(), saver);
        return true;
    };
    size_t box = 0;
    for (const SettingRow& row : kSettingRows) {
        if (row.type != SettingType::Motion) continue;
        if (!CreateLabelOf(row, panel)) return false;
        dialog.combo = MakeMotionList(row, panel);
        if (!add(row, dialog.combo)) return false;
    }
    for (const SettingRow& row : kSettingRows) {
        if (row.type != SettingType::Switch) continue;
        if (!add(row, MakeCheckBox(row, panel))) return false;
        dialog.checkboxes[box++] = dialog.controls.back();
    }
    for (const SettingRow& row : kSettingRows) {
        if (row.type != SettingType::Integer && row.type != SettingType::Real) continue;
        if (!CreateLabelOf(row, panel)) return false;
        GadgetPtr& slider = row.type == SettingType::Real ? dialog.scaleSlider : dialog.countSlider;
        slider = MakeSlider(row, panel);
        if (!add(row, slider)) return false;
    }
    return true;
}

} // namespace

// ---- Making the dialog ----

std::unique_ptr<ConfigDialog> MakeConfigDialog(TSaver& saver, ConfigPlacement place, int32_t now) {
    auto dialog = std::make_unique<ConfigDialog>();
    dialog->lastSwap = now;
    dialog->nextLogoIsOne = true;

    dialog->window =
        CreateWindow("Capsaro", place.x, place.y, kConfigClientWidth, kConfigClientHeight, nullptr, kWindowStyle);
    if (!dialog->window) return nullptr;
    const GadgetPtr& window = dialog->window;

    dialog->tabber = CreateTabber(5, 5, ClientWidth(window) - 10, ClientHeight(window) - 40, window, 0);
    if (!dialog->tabber) return nullptr;
    SetGadgetLayout(dialog->tabber, LayoutAligned, LayoutAligned, LayoutAligned, LayoutAligned);
    AddGadgetItem(dialog->tabber, "Config", 0, -1, "", nullptr);
    AddGadgetItem(dialog->tabber, "About", 0, -1, "", nullptr);

    dialog->panels[0] = CreateTabPanel(dialog->tabber);
    dialog->panels[1] = CreateTabPanel(dialog->tabber);
    if (!dialog->panels[0] || !dialog->panels[1]) return nullptr;
    // Opens on About; selecting by call sends no action.
    SelectGadgetItem(dialog->tabber, 1);
    dialog->currentPanel = dialog->panels[1];
    ShowGadget(dialog->currentPanel);

    if (!MakeAboutTab(*dialog, dialog->panels[1])) return nullptr;
    if (!MakeConfigTab(saver, *dialog, dialog->panels[0])) return nullptr;

    // On the window itself, so they show on both tabs.
    const int32_t buttonY = kConfigClientHeight - 30;
    dialog->ok =
        CreateButton("OK", kConfigClientWidth - 150, buttonY, kButtonWidth, kButtonHeight, window, ButtonPushPlain);
    dialog->cancel =
        CreateButton("Cancel", kConfigClientWidth - 75, buttonY, kButtonWidth, kButtonHeight, window, ButtonPushPlain);
    if (!dialog->ok || !dialog->cancel) return nullptr;
    return dialog;
}

// ---- The event loop and the logo ----

bool SwapLogo(ConfigDialog& dialog, int32_t now) {
    // Unsigned difference: correct across the 32-bit clock's wrap.
    const uint32_t elapsed = static_cast<uint32_t>(now) - static_cast<uint32_t>(dialog.lastSwap);
    if (elapsed <= static_cast<uint32_t>(kLogoSwapMilliseconds)) return false;
    dialog.lastSwap = now;
    const ImagePtr& logo = dialog.nextLogoIsOne ? dialog.logo1 : dialog.logo2;
    dialog.nextLogoIsOne = !dialog.nextLogoIsOne;
    // The canvas is never cleared: each picture is drawn over the one before.
    if (CurrentDisplay()) {
        DrawImage(logo, 0, 0, 0);
        Flip(-1);
    }
    return true;
}

namespace {

bool Is(const std::shared_ptr<TObject>& source, const GadgetPtr& gadget) {
    return gadget && source.get() == static_cast<const TObject*>(gadget.get());
}

ConfigStep HandleAction(TSaver& saver, ConfigDialog& dialog, const std::shared_ptr<TObject>& source, int32_t data) {
    if (Is(source, dialog.tabber)) {
        if (data < 0 || data >= static_cast<int32_t>(dialog.panels.size())) return ConfigStep::Continue;
        HideGadget(dialog.currentPanel);
        dialog.currentPanel = dialog.panels[static_cast<size_t>(data)];
        ShowGadget(dialog.currentPanel);
    } else if (Is(source, dialog.ok)) {
        saver.SaveSettings();
        return ConfigStep::Stored;
    } else if (Is(source, dialog.cancel)) {
        return ConfigStep::Ended;
    } else {
        for (const ConfigControl& control : dialog.controls)
            if (Is(source, control.gadget)) TakeSetting(*control.setting, saver, data);
    }
    return ConfigStep::Continue;
}

} // namespace

ConfigStep HandleConfigEvent(TSaver& saver, ConfigDialog& dialog) {
    switch (EventID()) {
    case EventGadgetAction:
        return HandleAction(saver, dialog, EventSource(), EventData());
    case EventTimerTick:
        SwapLogo(dialog, MillisecondClock());
        return ConfigStep::Continue;
    case EventAppSuspend:
    case EventAppTerminate:
    case EventWindowClose:
        return ConfigStep::Ended;
    default:
        return ConfigStep::Continue;
    }
}

ConfigStep RunConfigDialog(TSaver& saver, ConfigDialog& dialog) {
    // The 100 Hz timer's ticks bring the loop round often enough to see a termination signal.
    while (!TerminationRequested()) {
        WaitEvent();
        const ConfigStep step = HandleConfigEvent(saver, dialog);
        if (step != ConfigStep::Continue) return step;
    }
    return ConfigStep::Ended;
}

// ---- RunConfig ----

void TSaver::RunConfig() {
    // Tests select the headless host first; the program uses its platform's.
    if (!CurrentGadgetHost() && !SelectHostGadgetHost()) {
        std::fprintf(stderr, "capsaro: no display to show the settings window on (is DISPLAY set?)\n");
        return;
    }
    const ScopedTimer timer(CreateTimer(100));
    const int32_t start = MillisecondClock();
    const GadgetPtr desktop = Desktop();
    const ConfigPlacement place = PlaceConfigWindow(HostWindowHandle(ProgramArguments()), Platform(), desktop->shape);
    if (std::unique_ptr<ConfigDialog> dialog = MakeConfigDialog(*this, place, start)) RunConfigDialog(*this, *dialog);
}

// Keyboard and pointer events of the seat, translated into the event layer's key and mouse events.
#include "gui/wayland/wayland_seat.h"

#include "gui/events/event.h"
#include "gui/events/input_rules.h"
#include "gui/events/key_codes.h"
#include "gui/events/keysym_codes.h"
#include "gui/events/queue.h"
#include "gui/wayland/wayland_handle.h"

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <map>
#include <memory>
#include <set>

namespace {

// Linux input codes of the pointer's buttons.
constexpr uint32_t kButtonLeft = 0x110, kButtonRight = 0x111, kButtonMiddle = 0x112;
// Keys arrive as evdev codes; the keymap numbers them 8 higher, as X did.
constexpr uint32_t kKeymapCodeOffset = 8;

struct Placement {
    int32_t x = 0, y = 0;
    double scale = 1;
};

template <typename T, void (*Free)(T*)> struct XkbFree {
    void operator()(T* object) const { Free(object); }
};
using XkbContext = std::unique_ptr<xkb_context, XkbFree<xkb_context, xkb_context_unref>>;
using XkbKeymap = std::unique_ptr<xkb_keymap, XkbFree<xkb_keymap, xkb_keymap_unref>>;
using XkbState = std::unique_ptr<xkb_state, XkbFree<xkb_state, xkb_state_unref>>;

void ReleaseKeyboard(wl_keyboard* keyboard) {
    if (wl_keyboard_get_version(keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION)
        wl_keyboard_release(keyboard);
    else
        wl_keyboard_destroy(keyboard);
}
void ReleasePointer(wl_pointer* pointer) {
    if (wl_pointer_get_version(pointer) >= WL_POINTER_RELEASE_SINCE_VERSION)
        wl_pointer_release(pointer);
    else
        wl_pointer_destroy(pointer);
}

} // namespace

struct WaylandSeatInput {
    wl_seat* seat = nullptr;
    WaylandHandle<wl_keyboard> keyboard;
    WaylandHandle<wl_pointer> pointer;
    XkbContext context{xkb_context_new(XKB_CONTEXT_NO_FLAGS)};
    XkbKeymap keymap;
    XkbState state;
    std::set<int32_t> heldKeys;
    std::map<wl_surface*, Placement> places;
    wl_surface* pointerSurface = nullptr;
    uint32_t enterSerial = 0;
    bool pointerVisible = true;
    int32_t x = 0, y = 0;
    bool left = false, right = false, middle = false;
    double wheel = 0;

    ~WaylandSeatInput();
};

namespace {

using SeatInput = WaylandSeatInput;

// The connection's seat input while it lives (the connection owns it).
SeatInput* current = nullptr;

SeatInput& Input() {
    return *current;
}

int32_t Mods() {
    const SeatInput& input = Input();
    if (!input.state) return 0;
    auto active = [&](const char* name) {
        return xkb_state_mod_name_is_active(input.state.get(), name, XKB_STATE_MODS_EFFECTIVE) > 0;
    };
    int32_t mods = 0;
    if (active(XKB_MOD_NAME_SHIFT)) mods |= ModShift;
    if (active(XKB_MOD_NAME_CTRL)) mods |= ModControl;
    if (active(XKB_MOD_NAME_ALT)) mods |= ModAlt;
    if (active(XKB_MOD_NAME_LOGO)) mods |= ModSuper;
    return mods;
}

void Emit(int32_t id, int32_t data = 0, int32_t mods = 0, int32_t x = 0, int32_t y = 0) {
    EmitEvent(MakeEvent(id, nullptr, data, mods, x, y));
}

// ---- Keyboard ----

void Keymap(void*, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
    SeatInput& input = Input();
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
        void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (text != MAP_FAILED) {
            // The text ends with its terminating zero within `size`.
            XkbKeymap keymap(xkb_keymap_new_from_string(input.context.get(), static_cast<const char*>(text),
                                                        XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
            munmap(text, size);
            if (keymap) {
                input.state.reset(xkb_state_new(keymap.get()));
                input.keymap = std::move(keymap);
            }
        }
    }
    close(fd);
}

void KeyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void KeyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {
    Input().heldKeys.clear();
}

void Key(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
    SeatInput& input = Input();
    if (!input.state) return;
    const xkb_keycode_t code = key + kKeymapCodeOffset;
    const int32_t keyCode = KeysymKeyCode(xkb_state_key_get_one_sym(input.state.get(), code));
    const int32_t mods = Mods();
    if (state != WL_KEYBOARD_KEY_STATE_PRESSED) {
        input.heldKeys.erase(keyCode);
        if (keyCode > 0 && keyCode < 256) Emit(EventKeyUp, keyCode, mods);
        return;
    }
    if (keyCode > 0 && keyCode < 256) {
        const bool repeat = !input.heldKeys.insert(keyCode).second;
        Emit(repeat ? EventKeyRepeat : EventKeyDown, keyCode, mods);
    }
    const uint32_t character = xkb_state_key_get_utf32(input.state.get(), code);
    if (character >= 0x20 && character != 0x7f) Emit(EventKeyChar, static_cast<int32_t>(character));
}

void Modifiers(void*, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched, uint32_t locked, uint32_t group) {
    SeatInput& input = Input();
    if (input.state) xkb_state_update_mask(input.state.get(), depressed, latched, locked, 0, 0, group);
}

void RepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}

constexpr wl_keyboard_listener kKeyboardListener = {Keymap, KeyboardEnter, KeyboardLeave, Key, Modifiers, RepeatInfo};

// ---- Pointer ----

void ShowCursor() {
    SeatInput& input = Input();
    // No cursor image: the compositor shows none over the surface.
    if (input.pointer && !input.pointerVisible && input.pointerSurface)
        wl_pointer_set_cursor(input.pointer.get(), input.enterSerial, nullptr, 0, 0);
}

void MovePointerTo(wl_fixed_t sx, wl_fixed_t sy) {
    SeatInput& input = Input();
    const auto found = input.places.find(input.pointerSurface);
    const Placement place = found != input.places.end() ? found->second : Placement{};
    input.x = place.x + static_cast<int32_t>(std::floor(wl_fixed_to_double(sx) * place.scale));
    input.y = place.y + static_cast<int32_t>(std::floor(wl_fixed_to_double(sy) * place.scale));
}

void PointerEnter(void*, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t sx, wl_fixed_t sy) {
    SeatInput& input = Input();
    input.pointerSurface = surface;
    input.enterSerial = serial;
    ShowCursor();
    MovePointerTo(sx, sy);
    Emit(EventMouseEnter, 0, 0, input.x, input.y);
    Emit(EventMouseMove, 0, Mods(), input.x, input.y);
}

void PointerLeave(void*, wl_pointer*, uint32_t, wl_surface*) {
    SeatInput& input = Input();
    input.pointerSurface = nullptr;
    Emit(EventMouseLeave, 0, 0, input.x, input.y);
}

void Motion(void*, wl_pointer*, uint32_t, wl_fixed_t sx, wl_fixed_t sy) {
    SeatInput& input = Input();
    MovePointerTo(sx, sy);
    Emit(EventMouseMove, MouseMoveData({input.left, input.right, input.middle}), Mods(), input.x, input.y);
}

void Button(void*, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state) {
    SeatInput& input = Input();
    const bool pressed = state == WL_POINTER_BUTTON_STATE_PRESSED;
    int32_t which = 0;
    if (button == kButtonLeft) which = MouseLeft, input.left = pressed;
    if (button == kButtonRight) which = MouseRight, input.right = pressed;
    if (button == kButtonMiddle) which = MouseMiddle, input.middle = pressed;
    if (which != 0) Emit(pressed ? EventMouseDown : EventMouseUp, which, Mods(), input.x, input.y);
}

void Axis(void*, wl_pointer*, uint32_t, uint32_t axis, wl_fixed_t value) {
    if (axis != WL_POINTER_AXIS_VERTICAL_SCROLL) return;
    SeatInput& input = Input();
    // One wheel step is 10 units of scroll; down is positive here and negative in the event.
    input.wheel += wl_fixed_to_double(value) / 10.0;
    const auto steps = static_cast<int32_t>(input.wheel);
    if (steps == 0) return;
    input.wheel -= steps;
    Emit(EventMouseWheel, -steps, Mods(), input.x, input.y);
}

void Frame(void*, wl_pointer*) {}
void AxisSource(void*, wl_pointer*, uint32_t) {}
void AxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void AxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}

constexpr wl_pointer_listener kPointerListener = {PointerEnter, PointerLeave, Motion,   Button,       Axis,
                                                  Frame,        AxisSource,   AxisStop, AxisDiscrete, nullptr};

// ---- Seat ----

void Capabilities(void*, wl_seat* seat, uint32_t capabilities) {
    SeatInput& input = Input();
    const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (keyboard && !input.keyboard) {
        input.keyboard = {wl_seat_get_keyboard(seat), ReleaseKeyboard};
        wl_keyboard_add_listener(input.keyboard.get(), &kKeyboardListener, nullptr);
    } else if (!keyboard && input.keyboard) {
        input.keyboard.reset();
        input.heldKeys.clear();
    }
    if (pointer && !input.pointer) {
        input.pointer = {wl_seat_get_pointer(seat), ReleasePointer};
        wl_pointer_add_listener(input.pointer.get(), &kPointerListener, nullptr);
    } else if (!pointer && input.pointer) {
        input.pointer.reset();
        input.pointerSurface = nullptr;
        input.left = input.right = input.middle = false;
    }
}

void SeatName(void*, wl_seat*, const char*) {}

constexpr wl_seat_listener kSeatListener = {Capabilities, SeatName};

} // namespace

WaylandSeatInput::~WaylandSeatInput() {
    if (current == this) current = nullptr;
}

std::shared_ptr<WaylandSeatInput> MakeWaylandSeatInput() {
    auto input = std::make_shared<WaylandSeatInput>();
    current = input.get();
    return input;
}

void FollowWaylandSeat(wl_seat* seat) {
    if (!current || current->seat) return;
    current->seat = seat;
    wl_seat_add_listener(seat, &kSeatListener, nullptr);
}

void PlaceWaylandSurface(wl_surface* surface, int32_t x, int32_t y, double scale) {
    if (current) current->places[surface] = {x, y, scale};
}

void ForgetWaylandSurface(wl_surface* surface) {
    if (!current) return;
    current->places.erase(surface);
    if (current->pointerSurface == surface) current->pointerSurface = nullptr;
}

void SetWaylandPointerVisible(bool visible) {
    if (!current) return;
    current->pointerVisible = visible;
    ShowCursor();
}

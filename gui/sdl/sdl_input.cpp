// Translates SDL events into events of the event layer.
#include "gui/sdl/sdl_input.h"

#include "gui/events/input_rules.h"
#include "gui/events/key_codes.h"
#include "gui/events/queue.h"
#include "gui/sdl/sdl_keys.h"

#include <string_view>
#include <unordered_map>

namespace {

struct PointerPosition {
    int32_t x = 0;
    int32_t y = 0;
};

struct Translation {
    std::unordered_map<uint32_t, std::weak_ptr<TObject>> sources;
    std::unordered_map<uint32_t, PointerPosition> pointers;
    int32_t mods = 0;
};

Translation& State() {
    static Translation state;
    return state;
}

struct ButtonRow {
    uint8_t sdlButton;
    int32_t data;
};

constexpr ButtonRow kButtons[] = {
    {SDL_BUTTON_LEFT, MouseLeft},
    {SDL_BUTTON_RIGHT, MouseRight},
    {SDL_BUTTON_MIDDLE, MouseMiddle},
};

// Keys whose press also types a control character.
constexpr int32_t kControlCharacterKeys[] = {KeyBackspace, KeyTab, KeyEnter, KeyEscape};

int32_t ButtonData(uint8_t sdlButton) {
    for (const ButtonRow& row : kButtons) {
        if (row.sdlButton == sdlButton) return row.data;
    }
    return 0;
}

int32_t HeldButtonData(uint32_t state) {
    return MouseMoveData(
        {(state & SDL_BUTTON_LMASK) != 0, (state & SDL_BUTTON_RMASK) != 0, (state & SDL_BUTTON_MMASK) != 0});
}

void Emit(int32_t& count, int32_t id, uint32_t windowId, int32_t data = 0, int32_t mods = 0, int32_t x = 0,
          int32_t y = 0) {
    EmitEvent(MakeEvent(id, SdlWindowSource(windowId), data, mods, x, y));
    ++count;
}

// Application events belong to no window.
void EmitWithoutSource(int32_t& count, int32_t id) {
    EmitEvent(MakeEvent(id));
    ++count;
}

// Decodes UTF-8 and emits each character as 16-bit units (a surrogate pair above U+FFFF).
void EmitText(int32_t& count, uint32_t windowId, std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80           ? 1
                              : (lead >> 5) == 0x6  ? 2
                              : (lead >> 4) == 0xE  ? 3
                              : (lead >> 3) == 0x1E ? 4
                                                    : 0;
        if (length == 0 || i + length > text.size()) break;
        uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
        for (size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
        i += length;
        if (code > 0x10FFFF) break;
        if (code > 0xFFFF) {
            code -= 0x10000;
            Emit(count, EventKeyChar, windowId, static_cast<int32_t>(0xD800 + (code >> 10)));
            Emit(count, EventKeyChar, windowId, static_cast<int32_t>(0xDC00 + (code & 0x3FF)));
        } else {
            Emit(count, EventKeyChar, windowId, static_cast<int32_t>(code));
        }
    }
}

void TranslateKey(int32_t& count, const SDL_KeyboardEvent& key) {
    Translation& state = State();
    state.mods = SdlModsToMods(key.keysym.mod);
    const int32_t code = SdlKeyToKeyCode(key.keysym);
    if (code < 1 || code > 255) return;
    if (key.type == SDL_KEYUP) {
        Emit(count, EventKeyUp, key.windowID, code, state.mods);
        return;
    }
    Emit(count, key.repeat ? EventKeyRepeat : EventKeyDown, key.windowID, code, state.mods);
    if (state.mods & (ModControl | ModAlt)) return;
    for (const int32_t typed : kControlCharacterKeys) {
        if (typed == code) Emit(count, EventKeyChar, key.windowID, code);
    }
}

void TranslateWindowEvent(int32_t& count, const SDL_WindowEvent& window) {
    const auto& pointers = State().pointers;
    const auto found = pointers.find(window.windowID);
    const PointerPosition pointer = found == pointers.end() ? PointerPosition{} : found->second;
    switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        Emit(count, EventAppTerminate, window.windowID);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        EmitWithoutSource(count, EventAppResume);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        EmitWithoutSource(count, EventAppSuspend);
        break;
    case SDL_WINDOWEVENT_ENTER:
        Emit(count, EventMouseEnter, window.windowID, 0, 0, pointer.x, pointer.y);
        break;
    case SDL_WINDOWEVENT_LEAVE:
        Emit(count, EventMouseLeave, window.windowID, 0, 0, pointer.x, pointer.y);
        break;
    default:
        break;
    }
}

} // namespace

void SetSdlWindowSource(uint32_t windowId, const std::shared_ptr<TObject>& source) {
    State().sources[windowId] = source;
}

void ForgetSdlWindow(uint32_t windowId) {
    State().sources.erase(windowId);
    State().pointers.erase(windowId);
}

std::shared_ptr<TObject> SdlWindowSource(uint32_t windowId) {
    const auto& sources = State().sources;
    const auto found = sources.find(windowId);
    return found == sources.end() ? nullptr : found->second.lock();
}

int32_t SdlTranslatedMods() {
    return State().mods;
}

int32_t TranslateSdlEvent(const SDL_Event& event) {
    Translation& state = State();
    int32_t count = 0;
    switch (event.type) {
    case SDL_QUIT:
        EmitWithoutSource(count, EventAppTerminate);
        break;
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(count, event.window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        TranslateKey(count, event.key);
        break;
    case SDL_TEXTINPUT:
        EmitText(count, event.text.windowID, event.text.text);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const SDL_MouseButtonEvent& button = event.button;
        state.pointers[button.windowID] = {button.x, button.y};
        const int32_t data = ButtonData(button.button);
        if (data == 0) break;
        Emit(count, button.type == SDL_MOUSEBUTTONDOWN ? EventMouseDown : EventMouseUp, button.windowID, data,
             state.mods, button.x, button.y);
        break;
    }
    case SDL_MOUSEMOTION: {
        const SDL_MouseMotionEvent& motion = event.motion;
        state.pointers[motion.windowID] = {motion.x, motion.y};
        Emit(count, EventMouseMove, motion.windowID, HeldButtonData(motion.state), state.mods, motion.x, motion.y);
        break;
    }
    case SDL_MOUSEWHEEL: {
        const SDL_MouseWheelEvent& wheel = event.wheel;
        const int32_t notches = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y;
        if (notches != 0) Emit(count, EventMouseWheel, wheel.windowID, notches, state.mods);
        break;
    }
    default:
        break;
    }
    return count;
}

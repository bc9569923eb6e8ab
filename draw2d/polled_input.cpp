// Polled input fed from a hook on the queue's emit chain.
#include "draw2d/polled_input.h"

#include "gui/events/event.h"
#include "gui/events/hooks.h"
#include "gui/events/pump.h"
#include "gui/events/queue.h"

#include <array>

namespace {

struct InputState {
    std::array<bool, 256> keyDown{};
    std::array<int32_t, 256> keyHits{};
    std::array<int32_t, 256> typed{};
    uint32_t typedPut = 0, typedTake = 0;
    std::array<bool, 4> buttonDown{};
    std::array<int32_t, 4> buttonHits{};
    int32_t pointerX = 0, pointerY = 0, wheel = 0;
    bool suspended = false, terminate = false;
};

InputState input;
bool enabled = false;
std::shared_ptr<TObject> watchedSource;

// Runs above the queue's own hook, so it sees every event whether or not the queue has room.
constexpr int32_t kPolledInputPriority = 0;

bool ValidKey(int32_t key) {
    return key >= 1 && key <= 255;
}
bool ValidButton(int32_t button) {
    return button >= 1 && button <= 3;
}

std::shared_ptr<TObject> Watch(int32_t, const std::shared_ptr<TObject>& data, const std::shared_ptr<TObject>&) {
    const auto* event = dynamic_cast<const TEvent*>(data.get());
    if (!event || (watchedSource && event->source != watchedSource)) return data;
    const int32_t d = event->data;
    switch (event->id) {
    case EventKeyDown:
        if (ValidKey(d) && !input.keyDown[static_cast<size_t>(d)]) {
            input.keyDown[static_cast<size_t>(d)] = true;
            ++input.keyHits[static_cast<size_t>(d)];
        }
        break;
    case EventKeyUp:
        if (ValidKey(d)) input.keyDown[static_cast<size_t>(d)] = false;
        break;
    case EventKeyChar:
        if (input.typedPut - input.typedTake < 256) input.typed[input.typedPut++ % 256] = d;
        break;
    case EventMouseDown:
        if (ValidButton(d) && !input.buttonDown[static_cast<size_t>(d)]) {
            input.buttonDown[static_cast<size_t>(d)] = true;
            ++input.buttonHits[static_cast<size_t>(d)];
        }
        break;
    case EventMouseUp:
        if (ValidButton(d)) input.buttonDown[static_cast<size_t>(d)] = false;
        break;
    case EventMouseMove:
        input.pointerX = event->x;
        input.pointerY = event->y;
        break;
    case EventMouseWheel:
        input.wheel += d;
        break;
    case EventAppSuspend:
        ResetKeyState();
        ResetPointerState();
        input.suspended = true;
        break;
    case EventAppResume:
        ResetKeyState();
        ResetPointerState();
        input.suspended = false;
        break;
    case EventAppTerminate:
        input.terminate = true;
        break;
    default:
        break;
    }
    return data;
}

// Reading functions let the host deliver what waits, unless called from inside the pump.
void Pump() {
    if (!PumpBusy()) PollSystem();
}

} // namespace

void EnablePolledInput(std::shared_ptr<TObject> source) {
    ResetKeyState();
    ResetPointerState();
    watchedSource = std::move(source);
    if (!enabled) AddHook(EmitEventHook(), Watch, nullptr, kPolledInputPriority);
    enabled = true;
}

void DisablePolledInput() {
    ResetKeyState();
    ResetPointerState();
    if (enabled) RemoveHook(EmitEventHook(), Watch, nullptr);
    enabled = false;
    watchedSource.reset();
}

int32_t KeyHitCount(int32_t key) {
    Pump();
    if (!ValidKey(key)) return 0;
    const int32_t hits = input.keyHits[static_cast<size_t>(key)];
    input.keyHits[static_cast<size_t>(key)] = 0;
    return hits;
}

int32_t KeyIsDown(int32_t key) {
    Pump();
    return ValidKey(key) && input.keyDown[static_cast<size_t>(key)] ? 1 : 0;
}

int32_t MouseHitCount(int32_t button) {
    Pump();
    if (!ValidButton(button)) return 0;
    const int32_t hits = input.buttonHits[static_cast<size_t>(button)];
    input.buttonHits[static_cast<size_t>(button)] = 0;
    return hits;
}

int32_t MouseIsDown(int32_t button) {
    Pump();
    return ValidButton(button) && input.buttonDown[static_cast<size_t>(button)] ? 1 : 0;
}

int32_t PointerX() {
    Pump();
    return input.pointerX;
}
int32_t PointerY() {
    Pump();
    return input.pointerY;
}
int32_t WheelTotal() {
    Pump();
    return input.wheel;
}

int32_t TakeTypedCharacter() {
    Pump();
    if (input.typedTake == input.typedPut) return 0;
    return input.typed[input.typedTake++ % 256];
}

bool AppSuspended() {
    return input.suspended;
}
bool AppTerminateRequested() {
    return input.terminate;
}

void ResetKeyState() {
    input.keyDown.fill(false);
    input.keyHits.fill(0);
    input.typedPut = input.typedTake = 0;
}

void ResetPointerState() {
    input.buttonDown.fill(false);
    input.buttonHits.fill(0);
    input.pointerX = input.pointerY = input.wheel = 0;
}

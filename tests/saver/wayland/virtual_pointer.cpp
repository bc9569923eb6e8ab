// A pointer of the test's own on a Wayland seat: moves it by relative steps and clicks, as a real
// device would, so a test can tell how the program takes pointer input.
// Usage: virtual_pointer [STEP...]  where a step is "move DX DY", "click" or "wait MS"; without
// steps on the command line it reads one step a line from standard input until it ends, so the
// device can live across several runs of the program under test (a device that appears only as
// a test starts can move before a program has taken the seat's new pointer).
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr uint32_t kButtonLeft = 0x110;

struct Globals {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* manager = nullptr;
};

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals->seat)
        globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        globals->manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
constexpr wl_registry_listener kRegistryListener = {Global, GlobalRemove};

uint32_t Now() {
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

int main(int argc, char** argv) {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "virtual_pointer: no Wayland display\n");
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    wl_display_roundtrip(display);
    if (!globals.manager) {
        std::fprintf(stderr, "virtual_pointer: the compositor offers no virtual pointers\n");
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, globals.seat);
    wl_display_roundtrip(display);
    std::vector<std::string> steps(argv + 1, argv + argc);
    const bool fromInput = steps.empty();
    std::string line;
    for (size_t i = 0; fromInput || i < steps.size(); ++i) {
        if (fromInput) {
            if (!std::getline(std::cin, line)) break;
            std::istringstream words(line);
            steps.clear();
            i = 0;
            for (std::string word; words >> word;)
                steps.push_back(word);
            if (steps.empty()) continue;
        }
        const std::string step = steps[i];
        const auto argument = [&](size_t n) { return i + n < steps.size() ? steps[i + n].c_str() : "0"; };
        if (step == "move") {
            const double dx = std::atof(argument(1)), dy = std::atof(argument(2));
            i += 2;
            zwlr_virtual_pointer_v1_motion(pointer, Now(), wl_fixed_from_double(dx), wl_fixed_from_double(dy));
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if (step == "click") {
            zwlr_virtual_pointer_v1_button(pointer, Now(), kButtonLeft, WL_POINTER_BUTTON_STATE_PRESSED);
            zwlr_virtual_pointer_v1_frame(pointer);
            zwlr_virtual_pointer_v1_button(pointer, Now(), kButtonLeft, WL_POINTER_BUTTON_STATE_RELEASED);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if (step == "wait") {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argument(1))));
            ++i;
        } else {
            std::fprintf(stderr, "virtual_pointer: unknown step '%s'\n", step.c_str());
            return 2;
        }
        wl_display_roundtrip(display);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}

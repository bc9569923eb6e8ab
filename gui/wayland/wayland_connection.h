// The process's connection to the Wayland compositor: the globals the host binds, the outputs and
// where each sits in the display's coordinates, and what happens when the compositor goes away.
//
// Outputs are laid out side by side in the order the compositor announced them, each at its
// size in pixels (the first announced is the primary). A show draws each output as a view of its
// own, so only their sizes matter, and pixels of outputs at different scales never overlap; an
// output added later is placed after the others.
#pragma once

#include "gui/wayland/wayland_handle.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct wl_display;
struct wl_registry;
struct wl_compositor;
struct wl_shm;
struct wl_seat;
struct wl_output;
struct zwlr_layer_shell_v1;
struct zwlr_screencopy_manager_v1;
struct wp_viewporter;
struct wp_fractional_scale_manager_v1;
struct WaylandSeatInput;

struct WaylandOutput {
    uint32_t name = 0; // the global's name in the registry
    wl_output* output = nullptr;
    std::string connector;                 // "HEADLESS-1", "DP-2", ... (empty before version 4)
    int32_t modeWidth = 0, modeHeight = 0; // pixels of the current mode, as the output shows them
    int32_t refreshMilliHz = 0;
    int32_t scale = 1;
    int32_t transform = 0;
    int32_t x = 0, y = 0, width = 0, height = 0; // its rectangle in the display's coordinates
    bool done = false;                           // described in full at least once
};

class WaylandConnection {
public:
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    // Connects to the compositor WAYLAND_DISPLAY (or WAYLAND_SOCKET) names and learns its globals
    // and outputs; null when neither is set or no compositor answers.
    static std::unique_ptr<WaylandConnection> Open();

    wl_display* Display() const { return display_.get(); }
    wl_compositor* Compositor() const { return compositor_.get(); }
    wl_shm* Shm() const { return shm_.get(); }
    wl_seat* Seat() const { return seat_.get(); }
    zwlr_layer_shell_v1* LayerShell() const { return layerShell_.get(); }
    zwlr_screencopy_manager_v1* Screencopy() const { return screencopy_.get(); }
    wp_viewporter* Viewporter() const { return viewporter_.get(); }
    wp_fractional_scale_manager_v1* FractionalScale() const { return fractionalScale_.get(); }

    // The outputs described so far, in their layout's order.
    std::vector<const WaylandOutput*> Outputs() const;
    const WaylandOutput* OutputNamed(uint32_t name) const;

    // True once the connection broke (the compositor ended or refused a request).
    bool Lost();
    // Sends what is buffered.
    void Flush();
    // Handles every event that has arrived, waiting up to `timeoutMs` (0: not at all, -1: no
    // limit) for the first when none is there; false once the connection is lost.
    bool Dispatch(int timeoutMs);
    // Sends the requests so far and handles events until the compositor has answered them.
    bool Roundtrip();

    // Called once when the connection breaks (the host ends the show).
    void OnLost(std::function<void()> handler) { onLost_ = std::move(handler); }

    // The registry's events: a global offered or withdrawn.
    static void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
    static void GlobalRemove(void* data, wl_registry* registry, uint32_t name);

private:
    WaylandConnection() = default;
    void AddOutput(uint32_t name, uint32_t version);
    void Layout();
    void MarkLost();
    friend struct OutputEvents;

    WaylandHandle<wl_display> display_;
    WaylandHandle<wl_registry> registry_;
    WaylandHandle<wl_compositor> compositor_;
    WaylandHandle<wl_shm> shm_;
    WaylandHandle<wl_seat> seat_;
    WaylandHandle<zwlr_layer_shell_v1> layerShell_;
    WaylandHandle<zwlr_screencopy_manager_v1> screencopy_;
    WaylandHandle<wp_viewporter> viewporter_;
    WaylandHandle<wp_fractional_scale_manager_v1> fractionalScale_;
    struct OutputEntry;
    std::vector<std::unique_ptr<OutputEntry>> outputs_;
    bool lost_ = false;
    std::function<void()> onLost_;
    std::shared_ptr<WaylandSeatInput> seatInput_;
};

// The process's connection, opened on first use; null when no compositor answers. Every part of
// the Wayland host shares it.
WaylandConnection* TheWaylandConnection();

// Connecting to the compositor, binding its globals, following its outputs, and reading its events.
#include "gui/wayland/wayland_connection.h"

#include "gui/events/event.h"
#include "gui/events/pump.h"
#include "gui/events/queue.h"
#include "gui/wayland/wayland_seat.h"

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

struct WaylandConnection::OutputEntry {
    WaylandConnection* connection = nullptr;
    WaylandHandle<wl_output> proxy;
    WaylandOutput state;
    // Mode and scale arrive one by one and take effect on "done".
    WaylandOutput pending;
};

namespace {

// Versions this host speaks; a compositor offering less is bound at its own.
constexpr uint32_t kCompositorVersion = 4;
constexpr uint32_t kSeatVersion = 5;
constexpr uint32_t kOutputVersion = 4;
constexpr uint32_t kLayerShellVersion = 4;
constexpr uint32_t kScreencopyVersion = 3;

template <typename T>
T* Bind(wl_registry* registry, uint32_t name, const wl_interface* interface, uint32_t offered, uint32_t wanted) {
    return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

// Globals and the registry have no destructor request: their proxies just end.
template <typename T> void DestroyProxy(T* proxy) {
    wl_proxy_destroy(reinterpret_cast<wl_proxy*>(proxy));
}

void ReleaseOutput(wl_output* output) {
    if (wl_output_get_version(output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
        wl_output_release(output);
    else
        wl_output_destroy(output);
}

} // namespace

struct OutputEvents {
    using Entry = WaylandConnection::OutputEntry;
    static void Geometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*,
                         const char*, int32_t transform) {
        auto* entry = static_cast<Entry*>(data);
        entry->pending.x = x;
        entry->pending.y = y;
        entry->pending.transform = transform;
    }
    static void Mode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t refresh) {
        if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
        auto* entry = static_cast<Entry*>(data);
        entry->pending.modeWidth = width;
        entry->pending.modeHeight = height;
        entry->pending.refreshMilliHz = refresh;
    }
    static void Done(void* data, wl_output*) {
        auto* entry = static_cast<Entry*>(data);
        const int32_t x = entry->state.x, y = entry->state.y;
        entry->state = entry->pending;
        entry->state.x = x;
        entry->state.y = y;
        entry->state.done = true;
        entry->connection->Layout();
    }
    static void Scale(void* data, wl_output*, int32_t factor) { static_cast<Entry*>(data)->pending.scale = factor; }
    static void Name(void* data, wl_output*, const char* name) { static_cast<Entry*>(data)->pending.connector = name; }
    static void Description(void*, wl_output*, const char*) {}
};

namespace {

constexpr wl_output_listener kOutputListener = {OutputEvents::Geometry, OutputEvents::Mode, OutputEvents::Done,
                                                OutputEvents::Scale,    OutputEvents::Name, OutputEvents::Description};

constexpr wl_registry_listener kRegistryListener = {
    [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
        WaylandConnection::Global(data, registry, name, interface, version);
    },
    [](void* data, wl_registry* registry, uint32_t name) { WaylandConnection::GlobalRemove(data, registry, name); }};

} // namespace

WaylandConnection::~WaylandConnection() {
    // The seat's objects and the outputs go before the display they live on.
    seatInput_.reset();
    outputs_.clear();
    fractionalScale_.reset();
    viewporter_.reset();
    screencopy_.reset();
    layerShell_.reset();
    seat_.reset();
    shm_.reset();
    compositor_.reset();
    registry_.reset();
    if (display_ && !lost_) wl_display_flush(display_.get());
    display_.reset();
}

std::unique_ptr<WaylandConnection> WaylandConnection::Open() {
    // Only a session that names a compositor has one: without either variable the library would
    // try a default socket and complain on standard error where there is no runtime folder.
    if (!std::getenv("WAYLAND_DISPLAY") && !std::getenv("WAYLAND_SOCKET")) return nullptr;
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return nullptr;
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection());
    connection->seatInput_ = MakeWaylandSeatInput();
    connection->display_ = WaylandHandle<wl_display>(display, wl_display_disconnect);
    connection->registry_ = WaylandHandle<wl_registry>(wl_display_get_registry(display), DestroyProxy<wl_registry>);
    wl_registry_add_listener(connection->registry_.get(), &kRegistryListener, connection.get());
    // The first round trip gives the globals, the second the outputs' descriptions.
    if (!connection->Roundtrip() || !connection->Roundtrip()) return nullptr;
    return connection;
}

void WaylandConnection::Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                               uint32_t version) {
    auto* self = static_cast<WaylandConnection*>(data);
    const std::string_view kind = interface;
    if (kind == wl_compositor_interface.name && !self->compositor_) {
        self->compositor_ = {Bind<wl_compositor>(registry, name, &wl_compositor_interface, version, kCompositorVersion),
                             DestroyProxy<wl_compositor>};
    } else if (kind == wl_shm_interface.name && !self->shm_) {
        self->shm_ = {Bind<wl_shm>(registry, name, &wl_shm_interface, version, 1), DestroyProxy<wl_shm>};
    } else if (kind == wl_seat_interface.name && !self->seat_) {
        self->seat_ = {Bind<wl_seat>(registry, name, &wl_seat_interface, version, kSeatVersion), DestroyProxy<wl_seat>};
        FollowWaylandSeat(self->seat_.get());
    } else if (kind == wl_output_interface.name) {
        self->AddOutput(name, version);
    } else if (kind == zwlr_layer_shell_v1_interface.name && !self->layerShell_) {
        self->layerShell_ = {
            Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version, kLayerShellVersion),
            DestroyProxy<zwlr_layer_shell_v1>};
    } else if (kind == zwlr_screencopy_manager_v1_interface.name && !self->screencopy_) {
        self->screencopy_ = {Bind<zwlr_screencopy_manager_v1>(registry, name, &zwlr_screencopy_manager_v1_interface,
                                                              version, kScreencopyVersion),
                             DestroyProxy<zwlr_screencopy_manager_v1>};
    } else if (kind == wp_viewporter_interface.name && !self->viewporter_) {
        self->viewporter_ = {Bind<wp_viewporter>(registry, name, &wp_viewporter_interface, version, 1),
                             DestroyProxy<wp_viewporter>};
    } else if (kind == wp_fractional_scale_manager_v1_interface.name && !self->fractionalScale_) {
        self->fractionalScale_ = {
            Bind<wp_fractional_scale_manager_v1>(registry, name, &wp_fractional_scale_manager_v1_interface, version, 1),
            DestroyProxy<wp_fractional_scale_manager_v1>};
    }
}

void WaylandConnection::GlobalRemove(void* data, wl_registry*, uint32_t name) {
    auto* self = static_cast<WaylandConnection*>(data);
    auto& outputs = self->outputs_;
    const auto gone = std::remove_if(outputs.begin(), outputs.end(),
                                     [name](const std::unique_ptr<OutputEntry>& e) { return e->state.name == name; });
    if (gone == outputs.end()) return;
    outputs.erase(gone, outputs.end());
    self->Layout();
}

void WaylandConnection::AddOutput(uint32_t name, uint32_t version) {
    auto entry = std::make_unique<OutputEntry>();
    entry->connection = this;
    entry->proxy = {Bind<wl_output>(registry_.get(), name, &wl_output_interface, version, kOutputVersion),
                    ReleaseOutput};
    entry->state.name = entry->pending.name = name;
    entry->state.output = entry->pending.output = entry->proxy.get();
    wl_output_add_listener(entry->proxy.get(), &kOutputListener, entry.get());
    outputs_.push_back(std::move(entry));
}

void WaylandConnection::Layout() {
    int32_t x = 0;
    for (const auto& entry : outputs_) {
        WaylandOutput& output = entry->state;
        if (!output.done) continue;
        // A quarter turn swaps the sides the output shows.
        const bool turned = (output.transform & 1) != 0;
        output.width = turned ? output.modeHeight : output.modeWidth;
        output.height = turned ? output.modeWidth : output.modeHeight;
        output.x = x;
        output.y = 0;
        x += output.width;
    }
}

std::vector<const WaylandOutput*> WaylandConnection::Outputs() const {
    std::vector<const WaylandOutput*> outputs;
    for (const auto& entry : outputs_)
        if (entry->state.done && entry->state.width > 0 && entry->state.height > 0) outputs.push_back(&entry->state);
    return outputs;
}

const WaylandOutput* WaylandConnection::OutputNamed(uint32_t name) const {
    for (const WaylandOutput* output : Outputs())
        if (output->name == name) return output;
    return nullptr;
}

bool WaylandConnection::Lost() {
    if (!lost_ && display_ && wl_display_get_error(display_.get()) != 0) MarkLost();
    return lost_;
}

void WaylandConnection::MarkLost() {
    if (lost_) return;
    lost_ = true;
    if (onLost_) onLost_();
}

void WaylandConnection::Flush() {
    if (Lost()) return;
    if (wl_display_flush(display_.get()) < 0 && errno != EAGAIN) MarkLost();
}

bool WaylandConnection::Dispatch(int timeoutMs) {
    if (Lost()) return false;
    wl_display* display = display_.get();
    int handled = 0;
    while (wl_display_prepare_read(display) != 0) {
        const int count = wl_display_dispatch_pending(display);
        if (count < 0) {
            MarkLost();
            return false;
        }
        handled += count;
    }
    if (wl_display_flush(display) < 0 && errno != EAGAIN) {
        wl_display_cancel_read(display);
        MarkLost();
        return false;
    }
    pollfd fd{wl_display_get_fd(display), POLLIN, 0};
    const int ready = poll(&fd, 1, handled > 0 ? 0 : timeoutMs);
    if (ready > 0 && (fd.revents & (POLLIN | POLLHUP | POLLERR))) {
        if (wl_display_read_events(display) < 0) {
            MarkLost();
            return false;
        }
    } else {
        wl_display_cancel_read(display);
    }
    if (wl_display_dispatch_pending(display) < 0) MarkLost();
    return !Lost();
}

bool WaylandConnection::Roundtrip() {
    if (Lost()) return false;
    if (wl_display_roundtrip(display_.get()) < 0) MarkLost();
    return !Lost();
}

namespace {

// The pump's view of the connection: waits on its descriptor, reads and handles its events.
class WaylandPumpSource : public PumpSource {
public:
    explicit WaylandPumpSource(WaylandConnection& connection) : connection_(connection) {}
    void Dispatch() override { connection_.Dispatch(0); }
    int PrepareWait(std::vector<PumpFd>& fds) override {
        if (connection_.Lost()) return -1;
        connection_.Flush();
        if (wl_display_dispatch_pending(connection_.Display()) > 0) return 0;
        fds.push_back(PumpFd{wl_display_get_fd(connection_.Display()), kPumpReadable, 0});
        return -1;
    }

private:
    WaylandConnection& connection_;
};

} // namespace

WaylandConnection* TheWaylandConnection() {
    static bool tried = false;
    static std::unique_ptr<WaylandConnection> connection;
    if (tried) return connection.get();
    tried = true;
    connection = WaylandConnection::Open();
    if (!connection) return nullptr;
    // The compositor gone, the show has nothing to show on: every loop ends as on a close request.
    connection->OnLost([] { EmitEvent(MakeEvent(EventAppTerminate)); });
    AddPumpSource(std::make_shared<WaylandPumpSource>(*connection));
    return connection.get();
}

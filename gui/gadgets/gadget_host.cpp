// The process's gadget host and its desktop gadget.
#include "gui/gadgets/gadget_host.h"

#include "gui/events/queue.h"
#include "gui/gadgets/gadget_events.h"

#include <utility>

namespace {

struct HostState {
    std::shared_ptr<GadgetHost> host;
    GadgetPtr desktop;
    // Whether the application is active, as the host last said.
    bool applicationActive = false;
};

HostState& TheHost() {
    static HostState state;
    return state;
}

} // namespace

TGadget::~TGadget() {
    // Kids' controls live inside this gadget's control: release them first.
    kids.clear();
    host.reset();
}

void SelectGadgetHost(std::shared_ptr<GadgetHost> host) {
    HostState& state = TheHost();
    // The old tree's controls belong to the old host.
    state.desktop.reset();
    state.applicationActive = false;
    state.host = std::move(host);
    if (!state.host) return;
    auto desktop = std::make_shared<TGadget>(GadgetDesktop, 0);
    desktop->shape = state.host->DesktopShape();
    desktop->referenceShape = desktop->shape;
    if (!state.host->CreateControl(*desktop)) {
        state.host.reset();
        return;
    }
    state.desktop = std::move(desktop);
}

GadgetHost* CurrentGadgetHost() {
    return TheHost().host.get();
}

GadgetPtr Desktop() {
    return TheHost().desktop;
}

void ApplicationActivation(bool active) {
    HostState& state = TheHost();
    if (active == state.applicationActive) return;
    state.applicationActive = active;
    EmitEvent(MakeEvent(active ? EventAppResume : EventAppSuspend));
}

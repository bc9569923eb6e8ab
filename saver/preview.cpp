// RunPreview: the show, small, inside a window of another program, animated by a 100 Hz timer
// until that window goes away or the program is asked to end.
#include "saver/dispatch.h"
#include "saver/platform.h"
#include "saver/saver.h"

#include "draw2d/graphics.h"
#include "gui/events/event.h"
#include "gui/events/queue.h"
#include "gui/events/timer.h"
#include "runtime/program.h"
#include "runtime/termination.h"

#include <cstdio>

namespace {

// The preview's own event source: repaint requests come from it.
class PreviewCanvas : public TObject {};

} // namespace

void TSaver::RunPreview() {
    const ScopedTimer timer(CreateTimer(100, nullptr));
    TRect client;
    const auto host = static_cast<uint64_t>(HostWindowHandle(ProgramArguments()));
    Platform().ClientRect(host, client);
    ViewWidth = client.Right;
    ViewHeight = client.Bottom;
    // Without a host window to draw into there is nothing to show.
    if (host == 0 || ViewWidth <= 0 || ViewHeight <= 0) return;

    // A borderless child covering the host's client area, drawn into by an attached display.
    const uint64_t window = Platform().CreateChildWindow(host, ViewWidth, ViewHeight, "Capsaro Preview");
    const GraphicsPtr canvas = window ? AttachDisplay(window, 0) : nullptr;
    if (!canvas) {
        std::fprintf(stderr, "capsaro: cannot draw into window %llu\n", static_cast<unsigned long long>(host));
        return;
    }
    SelectDisplay(canvas);
    CreateChillies(ChilliCount);

    const auto source = std::make_shared<PreviewCanvas>();
    bool paintPending = false;
    while (!TerminationRequested() && !canvas->Lost()) {
        const int32_t id = WaitEvent();
        if (id == EventTimerTick) {
            Update();
            // A repaint request: requests made before the paint arrives are merged into one.
            if (!paintPending) PostEvent(MakeEvent(EventGadgetPaint, source), false);
            paintPending = true;
        } else if (id == EventGadgetPaint && EventSource() == source) {
            paintPending = false;
            Draw();
            Flip(-1);
        } else if (id == EventAppTerminate || id == EventWindowClose) {
            return;
        }
    }
}

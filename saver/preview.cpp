// RunPreview: the show, small, inside a window of another program, animated by a 100 Hz timer
// until that window goes away or the program is asked to end.
#include "saver/dispatch.h"
#include "saver/platform.h"
#include "saver/saver.h"
#include "saver/show_loop.h"

#include "gui/events/timer.h"
#include "runtime/program.h"

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
    const GraphicsPtr canvas = AttachShowCanvas(window, host);
    if (!canvas) return;
    CreateChillies(ChilliCount);
    // The chillies move on every tick, also while a frame is still pending.
    RunShowLoop(*canvas, {[this] { Update(); }, [this] { Draw(); }});
}

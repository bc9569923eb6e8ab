// The desktop copy, attaching a show to a window, and the tick-driven loop of a show in a window.
#include "saver/show_loop.h"

#include "gui/events/event.h"
#include "gui/events/queue.h"
#include "runtime/termination.h"

#include <cstdio>
#include <memory>
#include <utility>

namespace {

// The loop's own event source: its frame requests come from it.
class ShowFrameSource : public TObject {};

} // namespace

void SetDesktopCopy(PixmapPtr pixmap, int32_t imageFlags) {
    DesktopWidth = pixmap ? pixmap->width : 0;
    DesktopHeight = pixmap ? pixmap->height : 0;
    DesktopImage = pixmap ? LoadImage(pixmap, imageFlags) : nullptr;
    DesktopPixmap = std::move(pixmap);
}

GraphicsPtr AttachShowCanvas(uint64_t window, uint64_t namedWindow) {
    GraphicsPtr canvas = window ? AttachDisplay(window, 0) : nullptr;
    if (!canvas) {
        std::fprintf(stderr, "capsaro: cannot draw into window %llu\n", static_cast<unsigned long long>(namedWindow));
        return nullptr;
    }
    SelectDisplay(canvas);
    return canvas;
}

void RunShowLoop(const TGraphics& canvas, const ShowLoopSteps& steps) {
    const auto source = std::make_shared<ShowFrameSource>();
    bool framePending = false;
    while (!TerminationRequested() && !canvas.Lost()) {
        const int32_t id = WaitEvent();
        if (id == EventTimerTick) {
            if (steps.tick) steps.tick();
            if (!framePending) PostEvent(MakeEvent(EventGadgetPaint, source), false);
            framePending = true;
        } else if (id == EventGadgetPaint && EventSource() == source) {
            framePending = false;
            steps.frame();
            Flip(-1);
        } else if (id == EventAppTerminate || id == EventWindowClose) {
            return;
        }
    }
}

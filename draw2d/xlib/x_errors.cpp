// The non-fatal X error handler and its count.
#include "draw2d/xlib/x_errors.h"

#include <X11/Xlib.h>

#include <atomic>

namespace {

std::atomic<uint64_t> errorCount{0};

int RecordXError(Display*, XErrorEvent*) {
    errorCount.fetch_add(1, std::memory_order_relaxed);
    return 0;
}

} // namespace

void InstallXErrorHandler() {
    static const bool installed = [] {
        XSetErrorHandler(RecordXError);
        return true;
    }();
    (void)installed;
}

uint64_t XErrorCount() {
    return errorCount.load(std::memory_order_relaxed);
}

void SyncX(_XDisplay* display) {
    XSync(display, False);
}

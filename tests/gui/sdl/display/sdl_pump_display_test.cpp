// The SDL source waiting on the X connection: input from the X server wakes WaitEvent, which
// sleeps meanwhile.
// GoogleTest comes before the X headers, whose macros (None) clash with its names.
#include <gtest/gtest.h>

#include "gui/events/queue.h"
#include "gui/sdl/sdl_pump.h"
#include "tests/support/wait_until.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::chrono::microseconds ThreadCpuTime() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return std::chrono::seconds(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           std::chrono::microseconds(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

} // namespace

TEST(SdlPumpOnX, PointerMotionFromAnotherClientWakesWaitEvent) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("events", 0, 0, 200, 200, SDL_WINDOW_SHOWN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SdlPump()->WatchSdlWindow(SDL_GetWindowID(window));
    Window xid = 0;
    {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        ASSERT_TRUE(SDL_GetWindowWMInfo(window, &info));
        xid = info.info.x11.window;
    }
    // Let the window come up (a warp into an unmapped window does nothing), then forget what that
    // produced.
    bool exposed = false;
    SdlPump()->AddRawHandler([&exposed](const SDL_Event& event) {
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) exposed = true;
    });
    ASSERT_TRUE(WaitUntil(
        [&exposed] {
            PollSystem();
            return exposed;
        },
        kLivenessLimit, std::chrono::milliseconds(10)));
    while (QueuedEventCount() > 0)
        PollEvent();

    const auto cpuBefore = ThreadCpuTime();
    std::atomic<bool> seen{false};
    std::thread mover([xid, &seen] {
        Display* other = XOpenDisplay(nullptr);
        if (!other) return;
        // Warps to a new place each time, until the motion has been seen.
        const auto until = std::chrono::steady_clock::now() + kLivenessLimit;
        for (int i = 0; i < 100 && !seen && std::chrono::steady_clock::now() < until; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            XWarpPointer(other, 0, xid, 0, 0, 0, 0, 50 + i, 60 + i);
            XSync(other, False);
        }
        XCloseDisplay(other);
    });
    int32_t id = 0;
    // The window may also see enter or focus events first; the motion is what is waited for.
    while (id != EventMouseMove)
        id = WaitEvent();
    seen = true;
    mover.join();
    EXPECT_GE(EventX(), 50);
    EXPECT_EQ(EventY() - EventX(), 10);
    EXPECT_LT(ThreadCpuTime() - cpuBefore, std::chrono::milliseconds(80));

    SDL_DestroyWindow(window);
    SDL_Quit();
}

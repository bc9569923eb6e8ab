// A stand-in for the settings page that hosts a screen saver's preview: a window whose 152 x 112
// child is the preview area. It prints the area's handle (decimal) and its place on the screen,
// then, after the given milliseconds (with 0: once a file named "end-host" appears in the current
// folder), destroys its window ("destroy") or ends without destroying anything ("exit").
// Usage: host_window.exe destroy|exit MILLISECONDS
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const bool destroy = std::strcmp(argv[1], "destroy") == 0;
    const UINT after = static_cast<UINT>(std::atoi(argv[2]));
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = L"CapsaroTestHost";
    RegisterClassW(&windowClass);
    RECT frame{0, 0, 300, 200};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND top = CreateWindowExW(0, L"CapsaroTestHost", L"Capsaro test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                               frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    HWND area = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 20, 20, 152, 112, top, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    POINT origin{0, 0};
    ClientToScreen(area, &origin);
    std::printf("%llu %ld %ld\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(area)), origin.x,
                origin.y);
    std::fflush(stdout);
    // Without a time, the timer looks for the file every 50 ms.
    SetTimer(top, 1, after ? after : 50, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == top) {
            if (after == 0 && GetFileAttributesW(L"end-host") == INVALID_FILE_ATTRIBUTES) continue;
            if (!destroy) ExitProcess(0);
            DestroyWindow(top);
            continue;
        }
        DispatchMessageW(&message);
    }
    return 0;
}

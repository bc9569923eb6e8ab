// A stand-in for the system's screen-saver settings page: a window with a 152 x 112 preview area
// running "SCR /p <area>" and a "Settings..." button that starts "SCR /c:<window>", as the page
// does. It prints its window's rectangle on the screen ("LEFT TOP RIGHT BOTTOM"), the preview
// area's top left ("X Y") and the button's centre ("X Y"), a line each, then closes after the
// given milliseconds (ending the preview with it).
// Usage: settings_page.exe SCR MILLISECONDS
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kSettingsButton = 100;
std::wstring program;
HWND page = nullptr;

void Start(const std::wstring& arguments) {
    std::wstring line = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kSettingsButton) {
        Start(L"/c:" + std::to_wstring(reinterpret_cast<uintptr_t>(window)));
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string scr = argv[1];
    program.assign(scr.begin(), scr.end());
    const UINT after = static_cast<UINT>(std::atoi(argv[2]));
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PageProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"CapsaroTestSettingsPage";
    RegisterClassW(&windowClass);
    RECT frame{0, 0, 400, 300};
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    page = CreateWindowExW(0, L"CapsaroTestSettingsPage", L"Screen saver settings", style, 200, 150,
                           frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    HWND area = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 124, 20, 152, 112, page,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND button = CreateWindowExW(0, L"BUTTON", L"Settings...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 150, 200, 100,
                                  26, page, reinterpret_cast<HMENU>(static_cast<intptr_t>(kSettingsButton)),
                                  GetModuleHandleW(nullptr), nullptr);
    Start(L"/p " + std::to_wstring(reinterpret_cast<uintptr_t>(area)));

    RECT pageRect{};
    GetWindowRect(page, &pageRect);
    POINT areaOrigin{0, 0};
    ClientToScreen(area, &areaOrigin);
    RECT buttonRect{};
    GetWindowRect(button, &buttonRect);
    std::printf("%ld %ld %ld %ld\n%ld %ld\n%ld %ld\n", pageRect.left, pageRect.top, pageRect.right, pageRect.bottom,
                areaOrigin.x, areaOrigin.y, (buttonRect.left + buttonRect.right) / 2,
                (buttonRect.top + buttonRect.bottom) / 2);
    std::fflush(stdout);
    SetTimer(page, 1, after, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == page) {
            DestroyWindow(page);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

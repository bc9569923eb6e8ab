// Prints where a top-level window of the given title has its client area on the screen, as
// "X Y WIDTH HEIGHT", waiting up to the given milliseconds for it to appear; exits with 1 when
// none does. Usage: find_window.exe TITLE MILLISECONDS
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string title = argv[1];
    const std::wstring wide(title.begin(), title.end());
    const DWORD limit = static_cast<DWORD>(std::atoi(argv[2]));
    const DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowW(nullptr, wide.c_str());
        if (window && IsWindowVisible(window)) {
            RECT client{};
            GetClientRect(window, &client);
            POINT origin{0, 0};
            ClientToScreen(window, &origin);
            std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
            return 0;
        }
        if (GetTickCount() - start > limit) return 1;
        Sleep(50);
    }
}

// Plays another program that uses the system's screen-saver-running flag: "set" and "clear"
// change it, "get" prints 1 or 0. Usage: running_flag.exe set|clear|get
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string action = argv[1];
    if (action == "get") {
        BOOL set = FALSE;
        if (!SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &set, 0)) return 1;
        std::printf("%d\n", set ? 1 : 0);
        return 0;
    }
    UINT previous = 0;
    return SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, action == "set" ? TRUE : FALSE, &previous, 0) ? 0 : 1;
}

// capsaro.scr, the Windows screen saver: picks Windows' platform services and the driver chosen
// for the machine (OpenGL through WGL on a hardware renderer, else the software driver in Win32
// windows), and hands them to the portable start-up. The settings dialog's host is not there yet,
// so "/c" returns at once.
#include "saver/hosts.h"
#include "saver/startup.h"
#include "saver/win32/win32_platform.h"

#include "draw2d/select/driver_select.h"

int main(int argc, char** argv) {
    SaverHosts hosts;
    hosts.makePlatform = MakeWin32Platform;
    hosts.makeDriver = SelectHostDriver;
    return CapsaroMain(argc, argv, hosts);
}

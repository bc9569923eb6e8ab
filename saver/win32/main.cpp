// capsaro.scr, the Windows screen saver: picks Windows' platform services and the software
// driver in Win32 windows, and hands them to the portable start-up. The settings dialog's host
// is not there yet, so "/c" returns at once.
#include "saver/hosts.h"
#include "saver/startup.h"
#include "saver/win32/win32_platform.h"

#include "draw2d/win32/win32_window_host.h"

int main(int argc, char** argv) {
    SaverHosts hosts;
    hosts.makePlatform = MakeWin32Platform;
    hosts.makeDriver = Win32SoftwareDriver;
    return CapsaroMain(argc, argv, hosts);
}

// capsaro.scr, the Windows screen saver: picks Windows' platform services, the software driver
// in Win32 windows and the dialog on the standard controls, and hands them to the portable
// start-up.
#include "saver/hosts.h"
#include "saver/startup.h"
#include "saver/win32/win32_platform.h"

#include "draw2d/win32/win32_window_host.h"
#include "gui/win32/win32_gadget_host.h"

int main(int argc, char** argv) {
    SaverHosts hosts;
    hosts.makePlatform = MakeWin32Platform;
    hosts.makeDriver = Win32SoftwareDriver;
    hosts.selectGadgetHost = SelectWin32GadgetHost;
    return CapsaroMain(argc, argv, hosts);
}

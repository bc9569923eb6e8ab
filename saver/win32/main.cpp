// capsaro.scr, the Windows screen saver: picks Windows' platform services, the driver chosen for
// the machine (OpenGL through WGL on a hardware renderer, else the software driver in Win32
// windows) and the dialog on the standard controls, and hands them to the portable start-up.
#include "saver/hosts.h"
#include "saver/startup.h"
#include "saver/win32/win32_platform.h"

#include "draw2d/select/driver_select.h"
#include "gui/win32/win32_gadget_host.h"

int main(int argc, char** argv) {
    SaverHosts hosts;
    hosts.makePlatform = MakeWin32Platform;
    hosts.makeDriver = SelectHostDriver;
    hosts.selectGadgetHost = SelectWin32GadgetHost;
    return CapsaroMain(argc, argv, hosts);
}

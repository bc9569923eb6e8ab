// The capsaro executable: start-up with the X server's platform services.
#include "saver/platform.h"
#include "saver/startup.h"
#include "saver/x11/x11_platform.h"

int main(int argc, char** argv) {
    SetPlatformFactory(MakeX11Platform);
    return CapsaroMain(argc, argv);
}

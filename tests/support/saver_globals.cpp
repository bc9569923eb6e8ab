// The defaults the saver's tests return the process-wide settings to.
#include "tests/support/saver_globals.h"

#include "saver/saver.h"

void ResetSaverSettings(TSaver* saver) {
    UseDesktop = ShowNames = Shadows = ChangeChillies = MotionMode = 0;
    ClearScreen = 1;
    if (saver) {
        saver->ChilliCount = 200;
        saver->ChilliScale = 0.5f;
    }
}

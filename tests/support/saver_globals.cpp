// What the saver's tests put back after them: the settings' defaults and an empty show.
#include "tests/support/saver_globals.h"

#include "saver/chilli.h"
#include "saver/saver.h"
#include "saver/setting_table.h"
#include "saver/show_loop.h"
#include "saver/show_views.h"

#include "draw2d/graphics.h"
#include "draw2d/image.h"

void ResetSaverSettings(TSaver* saver) {
    for (const SettingRow& row : kSettingRows)
        SetSettingDefault(row, saver);
}

void BeginTestShow(TSaver* saver) {
    ChilliList.clear();
    ResetSaverSettings(saver);
    SwayAngle = 1;
    SwayStep = 4;
    VarietyPoolSize = 100;
    RunModeLetter = "s";
    SetAutoCentreHandle(false);
}

void EndTestShow(TSaver& saver) {
    CloseDisplay();
    SelectDriver(nullptr, 0);
    ChilliList.clear();
    ShowViews.clear();
    SetDesktopCopy(nullptr);
    ResetSaverSettings(&saver);
}

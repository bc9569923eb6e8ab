// What the saver's tests put back after them: the settings' defaults and an empty show.
#include "tests/support/saver_globals.h"

#include "saver/chilli.h"
#include "saver/setting_table.h"
#include "saver/show_loop.h"
#include "saver/show_views.h"

#include "draw2d/graphics.h"

void ResetSaverSettings(TSaver* saver) {
    for (const SettingRow& row : kSettingRows)
        SetSettingDefault(row, saver);
}

void EndTestShow(TSaver& saver) {
    CloseDisplay();
    SelectDriver(nullptr, 0);
    ChilliList.clear();
    ShowViews.clear();
    SetDesktopCopy(nullptr);
    ResetSaverSettings(&saver);
}

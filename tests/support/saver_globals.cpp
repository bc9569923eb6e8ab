// The defaults the saver's tests return the process-wide settings to.
#include "tests/support/saver_globals.h"

#include "saver/setting_table.h"

void ResetSaverSettings(TSaver* saver) {
    for (const SettingRow& row : kSettingRows)
        SetSettingDefault(row, saver);
}

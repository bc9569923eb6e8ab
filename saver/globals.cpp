// Definitions of the saver's process-wide values with their starting values; the stored settings
// start at their defaults in the setting table.
#include "saver/saver.h"

#include "saver/setting_table.h"

TSaver::TSaver() {
    for (const SettingRow& row : kSettingRows)
        if (!row.place.global) SetSettingDefault(row, this);
}

int32_t UseDesktop = GlobalDefault(&UseDesktop);
int32_t ShowNames = GlobalDefault(&ShowNames);
int32_t Shadows = GlobalDefault(&Shadows);
int32_t ChangeChillies = GlobalDefault(&ChangeChillies);
int32_t MotionMode = GlobalDefault(&MotionMode);
int32_t ClearScreen = GlobalDefault(&ClearScreen);

int32_t CurrentMotionMode = MotionRandom; // until Run resolves it
std::string RunModeLetter;
int32_t SwayAngle = 1;
int32_t SwayStep = 0;
int32_t VarietyPoolSize = 0;
int32_t VarietyA = 0;
int32_t VarietyB = 0;

PixmapPtr DesktopPixmap;
ImagePtr DesktopImage;
int32_t DesktopWidth = 0;
int32_t DesktopHeight = 0;

// Definitions of the saver's process-wide values with their starting values.
#include "saver/saver.h"

int32_t UseDesktop = 0;
int32_t ShowNames = 0;
int32_t Shadows = 0;
int32_t ChangeChillies = 0;
int32_t MotionMode = 0;
int32_t ClearScreen = 1;

int32_t CurrentMotionMode = 0;
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

// Puts the saver's process-wide settings and show state back as they start, so tests that change
// them leave nothing behind for the next.
#pragma once

class TSaver;

// The six switches and the motion mode (UseDesktop … ClearScreen) to the setting table's defaults;
// with a saver, also its count and scale.
void ResetSaverSettings(TSaver* saver = nullptr);

// After a show: closes the display, drops the driver, the chillies, the views and the desktop copy,
// and resets the settings (the saver's count and scale too).
void EndTestShow(TSaver& saver);

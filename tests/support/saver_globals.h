// Puts the saver's process-wide settings and show state back as they start, so tests that change
// them leave nothing behind for the next.
#pragma once

class TSaver;

// The six switches and the motion mode (UseDesktop … ClearScreen) to the setting table's defaults;
// with a saver, also its count and scale.
void ResetSaverSettings(TSaver* saver = nullptr);

// Before a show: no chillies, the default settings (the saver's count and scale too, with a saver),
// the sway from its start, every variety in the pool, the "/s" run, and pictures handled at their
// top-left corner.
void BeginTestShow(TSaver* saver);
// After a show: closes the display, drops the driver, the chillies, the views and the desktop copy,
// and resets the settings (the saver's count and scale too).
void EndTestShow(TSaver& saver);

// Puts the saver's process-wide settings back to the stored defaults, so tests that change them
// leave nothing behind for the next.
#pragma once

class TSaver;

// The six switches and the motion mode (UseDesktop … ClearScreen) to the setting table's defaults;
// with a saver, also its count and scale.
void ResetSaverSettings(TSaver* saver = nullptr);

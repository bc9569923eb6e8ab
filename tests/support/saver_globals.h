// Puts the saver's process-wide settings back to the stored defaults, so tests that change them
// leave nothing behind for the next.
#pragma once

class TSaver;

// The six switches and the motion mode (UseDesktop … ClearScreen) to the default file's values;
// with a saver, also its count (200) and scale (0.5).
void ResetSaverSettings(TSaver* saver = nullptr);

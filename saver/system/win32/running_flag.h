// The system's screen-saver-running flag on Windows, claimed for the full-screen saver.
//
// Setting the flag reports its previous state where the system says it: set already means another
// saver runs, and this one must not start (nor clear the other's flag). Some systems (Wine) never
// report it; there the session's named mutex is what keeps a second Capsaro out, and the flag's
// state read just before says whether it is ours to clear at the end.
#pragma once

#include <optional>

struct RunningFlagClaim {
    bool anotherSaverRuns = false; // return at once, leaving the flag as it is
    bool clearAtEnd = false;       // this run set the flag, so it clears it when it ends
};

// The decision from what the system said: `reported`, the previous state that setting the flag
// reported (none where it reports nothing), and `readBefore`, the state read just before setting
// it (none where it cannot be read).
RunningFlagClaim DecideRunningFlag(std::optional<bool> reported, std::optional<bool> readBefore);

// Reads and sets the system's flag, and decides.
RunningFlagClaim ClaimRunningFlag();
// Clears the system's flag.
void ClearRunningFlag();

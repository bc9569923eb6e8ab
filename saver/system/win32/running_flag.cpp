// Claiming and clearing the system's screen-saver-running flag.
#include "saver/system/win32/running_flag.h"

#include <windows.h>

namespace {

// Left as it is where the system does not report the previous state (it writes 0 or 1 over it).
constexpr UINT kNotReported = 0xC0FFEE;

} // namespace

RunningFlagClaim DecideRunningFlag(std::optional<bool> reported, std::optional<bool> readBefore) {
    if (reported) return {*reported, !*reported};
    // Unreported: run (the mutex guards against a second Capsaro), and clear only a flag that was
    // not set before, which may be another program's or a crashed saver's.
    return {false, !readBefore.value_or(false)};
}

RunningFlagClaim ClaimRunningFlag() {
    BOOL wasSet = FALSE;
    const bool read = SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &wasSet, 0) != 0;
    UINT previous = kNotReported;
    if (!SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, &previous, 0)) return {};
    const std::optional<bool> reported = previous == kNotReported ? std::nullopt : std::optional<bool>(previous != 0);
    return DecideRunningFlag(reported, read ? std::optional<bool>(wasSet != 0) : std::nullopt);
}

void ClearRunningFlag() {
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &previous, 0);
}

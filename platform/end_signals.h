// Ctrl+C and kill end the game at once, as a terminal user expects. The
// handlers only note the signal; the game thread ends the process at its next
// event-processing point, so the display and the sound are shut down in order.
#pragma once

namespace platform {

// SIGINT and SIGTERM. Installed once, before the display service starts.
void InstallEndSignals();

// The signal that asked to end the process, or 0.
int PendingEndSignal();

// From here on the process is ending: a further signal ends it on the spot,
// so a shut-down that hangs can still be interrupted.
void MarkEnding();

}  // namespace platform

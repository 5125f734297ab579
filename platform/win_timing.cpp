// GetTickCount and Sleep over the installed clock.
#include "platform/win_timing.h"

#include "platform/clock.h"

namespace platform {
Clock& clock_for_timing();
}

DWORD GetTickCount() { return platform::clock_for_timing().tick_count(); }

void Sleep(DWORD milliseconds) { platform::clock_for_timing().sleep(milliseconds); }

// Millisecond tick count and sleeping, both read from the replaceable clock of platform/clock.h.
// Differs from Windows: the tick count starts near 0 at process start, not at boot.
#pragma once

#include "platform/win_types.h"

// Milliseconds since an arbitrary start; wraps around after 2^32 ms.
DWORD GetTickCount();
// Sleep(0) yields the rest of the time slice; otherwise waits at least the given milliseconds.
void Sleep(DWORD milliseconds);

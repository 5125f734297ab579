// The one place that chooses the Windows API: the system's on Windows, ours elsewhere.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/win_types.h"
#include "platform/win_errors.h"
#include "platform/win_comm.h"
#include "platform/win_timing.h"
#include "platform/win_user.h"
#endif

#pragma once

#include <windows.h>

// Dispatches every message already queued for this thread, then returns.
void PumpPendingMessages();

// Dispatches messages for about `durationMs`, waiting for new ones in between.
void PumpMessagesFor(DWORD durationMs);

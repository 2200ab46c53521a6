#pragma once

#include "framework/MessageBands.h"

// The volume dialog's private messages, posted to itself.
inline constexpr UINT MSG_SHOW_FOCUSED_STRIP =
    PrivateMessage(MessageBand::Volume, 0); // after a Tab: bring the focused strip into view

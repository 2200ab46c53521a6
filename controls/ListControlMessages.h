#pragma once

#include "framework/MessageBands.h"

// Private messages of the list controls: to the control itself, or sent synchronously to
// the page that owns it.
inline constexpr UINT MSG_FIT_LAST_COLUMN = PrivateMessage(MessageBand::Controls, 0); // -> itself
// -> itself: moves the keyboard focus to a row whose selection was refused with it
inline constexpr UINT MSG_FOCUS_ITEM = PrivateMessage(MessageBand::Controls, 1);
inline constexpr UINT MSG_CLOCK_SOURCE_CHECKED =
    PrivateMessage(MessageBand::Controls, 2); // clock source list -> its page
inline constexpr UINT MSG_ASIO_CHECK_CHANGED =
    PrivateMessage(MessageBand::Controls, 3); // ASIO device list -> its page
inline constexpr UINT MSG_ASIO_SELECTION_CHANGED =
    PrivateMessage(MessageBand::Controls, 4); // ASIO device list -> its page

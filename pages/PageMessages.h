#pragma once

#include "framework/MessageBands.h"

// The pages' private messages, each posted by a page to itself.
inline constexpr UINT MSG_RUN_DEFERRED = PrivateMessage(MessageBand::Pages, 0); // PageT: run work
inline constexpr UINT MSG_SETTLE_SELECTION =
    PrivateMessage(MessageBand::Pages, 1); // status page: the list handled the user's choice

#pragma once

#include "framework/MessageBands.h"

#include <windows.h>

// WM_COMMAND identifiers that other instances, the listener and the tray menu send.
// The whole wParam equals the identifier when the listener receives them.
inline constexpr UINT CMD_SHOW = 0x8004; // show and activate the main window
inline constexpr UINT CMD_SHOW_ASIO_PAGE =
    0x8005;                              // show the buffer settings page; lParam = ASIO instance
inline constexpr UINT CMD_SHOW_PAGE = 0x8006; // show a page; lParam = its dialog id
inline constexpr UINT CMD_EXIT = 0xE141;      // end the program (exit code 2)

// Private messages, in the application's band (framework/MessageBands.h), at the numbers
// they have always had. CMD_SHOW / MSG_DEVICE_SELECTION_CHANGED and
// CMD_SHOW_ASIO_PAGE / MSG_DEVICE_NOTIFICATION share their numbers: the first of each pair
// is a command id.
inline constexpr UINT MSG_STARTUP_CHECK = PrivateMessage(MessageBand::App, 1); // Run -> itself
inline constexpr UINT MSG_TRAY_NOTIFY = PrivateMessage(MessageBand::App, 2); // tray icon mouse
// driver -> main window: devices changed (wParam 1 or 2)
inline constexpr UINT MSG_PNP_CHANGED = PrivateMessage(MessageBand::App, 3);
// status page -> main window
inline constexpr UINT MSG_DEVICE_SELECTION_CHANGED = PrivateMessage(MessageBand::App, 4);
// worker thread -> main window
inline constexpr UINT MSG_DEVICE_NOTIFICATION = PrivateMessage(MessageBand::App, 5);
// main window -> itself: the next request that waited for the modal windows
inline constexpr UINT MSG_RUN_NEXT_REQUEST = PrivateMessage(MessageBand::App, 7);
inline constexpr UINT MSG_FIT_PAGE = PrivateMessage(MessageBand::App, 9); // tab control -> window
// listener -> main window: wParam the page's dialog id, lParam an ASIO instance
inline constexpr UINT MSG_SHOW_PAGE = PrivateMessage(MessageBand::App, 10);

#pragma once

#include <windows.h>

// WM_COMMAND identifiers that other instances, the listener and the tray menu send.
// The whole wParam equals the identifier when the listener receives them.
inline constexpr UINT CMD_SHOW = 0x8004; // show and activate the main window
inline constexpr UINT CMD_SHOW_ASIO_PAGE =
    0x8005;                              // show the buffer settings page; lParam = ASIO instance
inline constexpr UINT CMD_SHOW_PAGE = 0x8006; // show a page; lParam = its dialog id
inline constexpr UINT CMD_EXIT = 0xE141;      // end the program (exit code 2)

// Private messages. CMD_SHOW / MSG_DEVICE_SELECTION_CHANGED and CMD_SHOW_ASIO_PAGE /
// MSG_DEVICE_NOTIFICATION share their numbers: the first of each pair is a command id.
// WM_APP + 6, 8, 11 and 12 are the list controls' (controls/ListControlMessages.h).
inline constexpr UINT MSG_STARTUP_CHECK = WM_APP + 1; // Run -> main window
inline constexpr UINT MSG_TRAY_NOTIFY = WM_APP + 2;   // tray icon mouse events
inline constexpr UINT MSG_PNP_CHANGED = WM_APP + 3;   // driver: devices changed (wParam 1 or 2)
inline constexpr UINT MSG_DEVICE_SELECTION_CHANGED = WM_APP + 4; // status page -> main window
inline constexpr UINT MSG_DEVICE_NOTIFICATION = WM_APP + 5;      // worker thread -> main window
inline constexpr UINT MSG_RUN_NEXT_REQUEST = WM_APP + 7;         // main window -> itself
inline constexpr UINT MSG_FIT_PAGE = WM_APP + 9;                 // tab control -> main window
inline constexpr UINT MSG_SHOW_PAGE = WM_APP + 10; // listener -> main window: wParam page id

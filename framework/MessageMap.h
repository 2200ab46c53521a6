#pragma once

#include <windows.h>

// Message map macros. A class derived from Window lists its messages once:
//
//   BEGIN_MSG_MAP(MyDialog)
//       MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
//       COMMAND_ID_HANDLER(IDOK, OnOk)
//       NOTIFY_HANDLER(1085, LVN_ITEMCHANGED, OnListChanged)
//       CHAIN_MSG_MAP(PropertyPageImpl<MyDialog>)
//   END_MSG_MAP()
//
// Rows are tried in order; the first handler that leaves `handled` true ends the search.
// Handler signatures:
//   message: LRESULT OnX(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
//   command: LRESULT OnX(WORD notifyCode, WORD id, HWND control, bool& handled)
//   notify:  LRESULT OnX(int controlId, NMHDR* header, bool& handled)
// A handler sets `handled` to false to let later rows and the default processing run.
// A row that only has something done, such as a write-back, names the call itself:
//       COMMAND_CALL(1093, CBN_SELCHANGE, SaveSelectedSampleRate())
//       MESSAGE_CALL(MSG_FIT_LAST_COLUMN, AutoSizeLastColumn())
// The message counts as handled, with the result 0.

#define BEGIN_MSG_MAP(theClass)                                                                    \
public:                                                                                            \
    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,               \
                              LRESULT& result) override {                                          \
        bool handled = true;                                                                       \
        (void)hwnd;                                                                                \
        (void)handled;

#define MESSAGE_HANDLER(msg, func)                                                                 \
    if (message == (msg)) {                                                                        \
        handled = true;                                                                            \
        result = func(message, wParam, lParam, handled);                                           \
        if (handled)                                                                               \
            return true;                                                                           \
    }

// Only the low word of wParam is compared: the high word is the notification code.
#define COMMAND_ID_HANDLER(id, func)                                                               \
    if (message == WM_COMMAND && LOWORD(wParam) == (id)) {                                         \
        handled = true;                                                                            \
        result = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), handled);    \
        if (handled)                                                                               \
            return true;                                                                           \
    }

#define COMMAND_HANDLER(id, notifyCode, func)                                                      \
    if (message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (notifyCode)) {       \
        handled = true;                                                                            \
        result = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), handled);    \
        if (handled)                                                                               \
            return true;                                                                           \
    }

#define MESSAGE_CALL(msg, call)                                                                    \
    if (message == (msg)) {                                                                        \
        call;                                                                                      \
        result = 0;                                                                                \
        return true;                                                                               \
    }

#define COMMAND_CALL(id, notifyCode, call)                                                         \
    if (message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (notifyCode)) {       \
        call;                                                                                      \
        result = 0;                                                                                \
        return true;                                                                               \
    }

#define NOTIFY_HANDLER(id, notifyCode, func)                                                       \
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->idFrom == (id) &&                \
        reinterpret_cast<NMHDR*>(lParam)->code == (notifyCode)) {                                  \
        handled = true;                                                                            \
        result = func(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), handled);        \
        if (handled)                                                                               \
            return true;                                                                           \
    }

#define NOTIFY_CODE_HANDLER(notifyCode, func)                                                      \
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == (notifyCode)) {          \
        handled = true;                                                                            \
        result = func(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), handled);        \
        if (handled)                                                                               \
            return true;                                                                           \
    }

// Hands the message to a base class's or mix-in's map.
#define CHAIN_MSG_MAP(baseClass)                                                                   \
    if (baseClass::ProcessWindowMessage(hwnd, message, wParam, lParam, result))                    \
        return true;

#define END_MSG_MAP()                                                                              \
    return false;                                                                                  \
    }

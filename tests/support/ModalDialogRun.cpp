#include "tests/support/ModalDialogRun.h"

#include "tests/support/WindowQueries.h"

namespace {

struct ModalRun {
    HWND owner = nullptr;
    const std::function<void(HWND)>* body = nullptr;
    bool ran = false;
};
ModalRun* currentRun = nullptr;

// The message box's text static has this id; a volume or other dialog has none.
constexpr int kMessageTextId = 0xFFFF;

HWND FindDialog(HWND owner) {
    struct Search {
        HWND owner;
        HWND found = nullptr;
    } search{owner};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM lParam) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            if (ClassOf(window) == L"#32770" && IsWindowVisible(window) &&
                GetWindow(window, GW_OWNER) == s.owner &&
                GetDlgItem(window, kMessageTextId) == nullptr) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK RunWhenUp(HWND, UINT, UINT_PTR timer, DWORD) {
    if (currentRun == nullptr || currentRun->ran)
        return;
    const HWND dialog = FindDialog(currentRun->owner);
    if (dialog == nullptr)
        return;
    KillTimer(nullptr, timer);
    currentRun->ran = true;
    (*currentRun->body)(dialog);
    if (IsWindow(dialog))
        SendMessageW(dialog, WM_CLOSE, 0, 0);
}

} // namespace

bool RunInModalDialog(HWND owner, UINT pollMs, const std::function<void()>& open,
                      const std::function<void(HWND dialog)>& body) {
    ModalRun run{owner, &body};
    currentRun = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, pollMs, RunWhenUp);
    open();
    KillTimer(nullptr, timer);
    currentRun = nullptr;
    return run.ran;
}

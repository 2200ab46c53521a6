#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/WindowQueries.h"

#include <algorithm>

namespace {

// The message box puts its text in the static control with this identifier.
constexpr int kMessageTextId = 0xFFFF;

SeenMessageBox::Icon IconOf(HWND box) {
    struct Known {
        const wchar_t* id;
        SeenMessageBox::Icon icon;
    };
    const Known known[] = {{IDI_ERROR, SeenMessageBox::Icon::Error},
                           {IDI_WARNING, SeenMessageBox::Icon::Warning},
                           {IDI_INFORMATION, SeenMessageBox::Icon::Information},
                           {IDI_QUESTION, SeenMessageBox::Icon::Question}};
    SeenMessageBox::Icon found = SeenMessageBox::Icon::None;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        HICON icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        if (!icon)
            continue;
        for (const Known& k : known)
            if (LoadIconW(nullptr, k.id) == icon)
                found = k.icon;
    }
    return found;
}

} // namespace

MessageBoxWatcher::MessageBoxWatcher(DWORD processId)
    : processId_(processId), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<SeenMessageBox> MessageBoxWatcher::Seen() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

bool MessageBoxWatcher::WaitForCount(size_t count, DWORD timeoutMs) const {
    ULONGLONG end = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < end) {
        if (Seen().size() >= count)
            return true;
        Sleep(10);
    }
    return Seen().size() >= count;
}

void MessageBoxWatcher::Watch() {
    while (!stop_) {
        EnumWindows(
            [](HWND window, LPARAM self) -> BOOL {
                auto* watcher = reinterpret_cast<MessageBoxWatcher*>(self);
                DWORD pid = 0;
                GetWindowThreadProcessId(window, &pid);
                wchar_t className[16] = {};
                GetClassNameW(window, className, 16);
                if (pid == watcher->processId_ && wcscmp(className, L"#32770") == 0 &&
                    IsWindowVisible(window) && GetDlgItem(window, kMessageTextId))
                    watcher->Inspect(window);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(this));
        Sleep(10);
    }
}

void MessageBoxWatcher::Inspect(HWND box) {
    {
        std::lock_guard lock(mutex_);
        if (std::find(handled_.begin(), handled_.end(), box) == handled_.end()) {
            handled_.push_back(box);
            seen_.push_back({WindowText(box), WindowText(GetDlgItem(box, kMessageTextId)),
                             IconOf(box), GetWindow(box, GW_OWNER)});
        }
    }
    if (!dismiss_)
        return;
    int button = GetDlgItem(box, IDOK) ? IDOK : IDCANCEL;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

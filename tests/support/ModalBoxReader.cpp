#include "tests/support/ModalBoxReader.h"

#include <windows.h>

#include <atomic>
#include <thread>

namespace {

// Control ids of the system's message box template.
constexpr int kBoxTextId = 0xFFFF;
constexpr int kBoxIconId = 0x0440;

struct Search {
    HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

ModalBoxContents ReadBox(HWND box) {
    ModalBoxContents contents;
    contents.caption = WindowText(box);
    if (HWND text = GetDlgItem(box, kBoxTextId))
        contents.text = WindowText(text);
    contents.hasOwner = GetWindow(box, GW_OWNER) != nullptr;
    if (HWND icon = GetDlgItem(box, kBoxIconId))
        contents.hasErrorIcon = reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0)) ==
                                LoadIconW(nullptr, IDI_ERROR);
    return contents;
}

} // namespace

std::optional<ModalBoxContents> RunAndReadModalBox(const std::function<void()>& action) {
    std::atomic<bool> done = false;
    std::optional<ModalBoxContents> first;
    const DWORD threadId = GetCurrentThreadId();
    std::thread watcher([&] {
        while (!done) {
            Search search{nullptr};
            EnumThreadWindows(threadId, FindBox, reinterpret_cast<LPARAM>(&search));
            if (search.box) {
                if (!first)
                    first = ReadBox(search.box);
                PostMessageW(search.box, WM_COMMAND, IDOK, 0);
            }
            Sleep(20);
        }
    });
    action();
    done = true;
    watcher.join();
    return first;
}

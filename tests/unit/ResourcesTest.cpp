// The program's resources as the windows load them: tray menu, status page, icon sizes.
#include "app/AppMessages.h"
#include "resources/resource.h"
#include "tests/support/WindowQueries.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::wstring MenuItemText(HMENU menu, UINT position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

} // namespace

TEST(Resources, TrayMenuHasShowAndExitCommands) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), 2);
    EXPECT_EQ(GetMenuItemID(popup, 0), CMD_SHOW);
    EXPECT_EQ(MenuItemText(popup, 0), L"&Show");
    EXPECT_EQ(GetMenuItemID(popup, 1), CMD_EXIT);
    EXPECT_EQ(MenuItemText(popup, 1), L"E&xit");
    DestroyMenu(menu);
}

TEST(Resources, StatusPageControlsSpanThePage) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    HWND page = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PAGE_STATUS),
                                   parent, PlainDialogProc, 0);
    ASSERT_NE(page, nullptr);
    RECT client{};
    GetClientRect(page, &client);

    struct Expected {
        int id;
        const wchar_t* windowClass;
    };
    std::set<LONG> rightMargins;
    for (Expected control : {Expected{IDC_STATUS_DEVICE_GROUP, L"Button"},
                             Expected{IDC_STATUS_DEVICE_SELECTION, L"ComboBox"},
                             Expected{IDC_STATUS_SAMPLE_RATE_GROUP, L"Button"},
                             Expected{IDC_STATUS_SAMPLE_RATE, L"Static"}}) {
        HWND item = GetDlgItem(page, control.id);
        ASSERT_NE(item, nullptr) << control.id;
        EXPECT_EQ(_wcsicmp(ClassOf(item).c_str(), control.windowClass), 0) << control.id;
        RECT rect{};
        GetWindowRect(item, &rect);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_GE(rect.left, 0) << control.id;
        EXPECT_LE(rect.bottom, client.bottom) << control.id;
        rightMargins.insert(client.right - rect.right);
    }
    // Group boxes and their contents keep a margin that stretching can preserve.
    EXPECT_EQ(rightMargins.size(), 2u);
    EXPECT_GT(*rightMargins.begin(), 0);

    LONG_PTR comboStyle =
        GetWindowLongPtrW(GetDlgItem(page, IDC_STATUS_DEVICE_SELECTION), GWL_STYLE);
    EXPECT_EQ(comboStyle & 3, CBS_DROPDOWNLIST);
    EXPECT_TRUE(comboStyle & CBS_SORT);
    DestroyWindow(parent);
}

TEST(Resources, IconCarriesEveryShellSize) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDI_APP), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(directory, nullptr);
    // GRPICONDIR: reserved, type, count (three WORDs), then 14-byte entries whose first
    // byte is the width (0 for 256).
    WORD count = *reinterpret_cast<const WORD*>(directory + 4);
    std::set<int> widths;
    for (WORD i = 0; i < count; ++i) {
        int width = directory[6 + 14 * i];
        widths.insert(width == 0 ? 256 : width);
    }
    EXPECT_EQ(widths, (std::set<int>{16, 20, 24, 32, 48, 256}));

    HICON smallIcon = static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    EXPECT_NE(smallIcon, nullptr);
    DestroyIcon(smallIcon);
}

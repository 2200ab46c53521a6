#include "framework/PropertyPageWindow.h"

#include "framework/Module.h"

PageId::PageId(const PropertyPageWindow& page) : handle_(page.SheetHandle()) {}

PropertyPageWindow::PropertyPageWindow(UINT dialogId) {
    description_.dwSize = sizeof(description_);
    description_.hInstance = GetModule().Instance();
    description_.pszTemplate = MAKEINTRESOURCEW(dialogId);
    description_.pfnDlgProc = PageProc;
    description_.lParam = reinterpret_cast<LPARAM>(this);
}

PropertyPageWindow::PropertyPageWindow(const DLGTEMPLATE* dialogTemplate) : PropertyPageWindow(0u) {
    description_.dwFlags |= PSP_DLGINDIRECT;
    description_.pResource = dialogTemplate;
}

void PropertyPageWindow::SetTitle(std::wstring title) {
    title_ = std::move(title);
}

HPROPSHEETPAGE PropertyPageWindow::CreatePageHandle() {
    PROPSHEETPAGEW page = description_;
    if (!title_.empty()) {
        page.dwFlags |= PSP_USETITLE;
        page.pszTitle = title_.c_str();
    }
    sheetHandle_ = CreatePropertySheetPageW(&page);
    return sheetHandle_;
}

LRESULT PropertyPageWindow::OnSheetNotify(UINT, WPARAM, LPARAM lParam, bool& handled) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom == GetParent(Hwnd())) {
        if (header->code == PSN_SETACTIVE)
            return OnSetActive();
        if (header->code == PSN_KILLACTIVE)
            return OnKillActive();
    }
    handled = false;
    return 0;
}

INT_PTR CALLBACK PropertyPageWindow::PageProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    PropertyPageWindow* self = nullptr;
    if (message == WM_INITDIALOG)
        self = reinterpret_cast<PropertyPageWindow*>(
            reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
    else
        self = reinterpret_cast<PropertyPageWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return Dispatch(self, hwnd, message, wParam, lParam);
}

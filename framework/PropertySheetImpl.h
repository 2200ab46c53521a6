#pragma once

#include "framework/StartupTimeline.h"
#include "framework/Module.h"
#include "framework/PropertyPageWindow.h"
#include "framework/SheetFocusKeeper.h"
#include "framework/SubclassedWindow.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstring>
#include <vector>

// A modeless property sheet over its own type T.
//
// Create builds the sheet with PropertySheetW. Before the sheet's window exists its
// template loses WS_VISIBLE and gains WS_THICKFRAME, so the sheet starts hidden and can be
// resized. When the sheet reports that it is initialised, the object subclasses the sheet
// window (its messages then reach T's message map) and calls T::OnSheetInitialized().
//
// The sheet keeps the keyboard focus on the page it shows (SheetFocusKeeper).
//
// Pages are added, removed and selected by PageId. Pages added before Create are held here
// and handed to the sheet by Create; later ones go to the live sheet. T configures the
// header (icon, flags such as PSH_NOAPPLYNOW) through Header() before Create.
template <class T> class PropertySheetImpl : public SubclassedWindow {
public:
    PropertySheetImpl() {
        header_.dwSize = sizeof(header_);
        header_.dwFlags = PSH_MODELESS | PSH_USECALLBACK;
        header_.hInstance = GetModule().Instance();
        header_.pfnCallback = SheetCallback;
    }

    ~PropertySheetImpl() override {
        for (HPROPSHEETPAGE page : pendingPages_)
            DestroyPropertySheetPage(page);
    }

    // The sheet window, or null when it cannot be created or already exists.
    HWND Create(HWND owner = nullptr) {
        if (Hwnd() != nullptr)
            return nullptr;
        header_.hwndParent = owner;
        header_.nPages = static_cast<UINT>(pendingPages_.size());
        header_.phpage = pendingPages_.data();
        creating_ = this;
        INT_PTR created = PropertySheetW(&header_);
        creating_ = nullptr;
        // The system owns the pages from here on, whether or not the sheet came up.
        pendingPages_.clear();
        header_.phpage = nullptr;
        header_.nPages = 0;
        if (created == 0 || created == -1 || Hwnd() == nullptr)
            return nullptr;
        return Hwnd();
    }

    bool AddPage(PropertyPageWindow& page) {
        HPROPSHEETPAGE handle = page.CreatePageHandle();
        if (handle == nullptr)
            return false;
        if (Hwnd() == nullptr) {
            pendingPages_.push_back(handle);
            return true;
        }
        if (SendMessageW(Hwnd(), PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(handle)) == 0) {
            DestroyPropertySheetPage(handle);
            page.ForgetSheetHandle();
            return false;
        }
        return true;
    }

    // Removes the page by the handle it was added with, so another page of the same
    // template is never taken for it. Removing a page destroys its window; the page
    // object stays with its owner. True when the sheet no longer holds the page: only
    // then may the owner delete the object.
    bool RemovePage(PropertyPageWindow& page) {
        const HPROPSHEETPAGE handle = page.SheetHandle();
        if (Hwnd() == nullptr || handle == nullptr)
            return false;
        // The handle takes precedence over the index; one the sheet lacks removes nothing.
        const int before = PageCount();
        SendMessageW(Hwnd(), PSM_REMOVEPAGE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(handle));
        if (PageCount() != before - 1)
            return false;
        page.ForgetSheetHandle();
        return true;
    }

    bool SelectPage(PageId page) {
        int index = PageIndex(page);
        return index >= 0 &&
               SendMessageW(Hwnd(), PSM_SETCURSEL, static_cast<WPARAM>(index), 0) != 0;
    }

    // The page's position among the tabs, or -1.
    int PageIndex(PageId page) const {
        if (Hwnd() == nullptr)
            return -1;
        if (page.ResourceId() != 0)
            return static_cast<int>(SendMessageW(Hwnd(), PSM_IDTOINDEX, 0,
                                                 reinterpret_cast<LPARAM>(
                                                     MAKEINTRESOURCEW(page.ResourceId()))));
        // PSM_PAGETOINDEX would do, but platforms differ on the parameter that carries the
        // handle; PSM_INDEXTOPAGE takes the index in wParam everywhere.
        for (int index = 0, count = PageCount(); page.Handle() != nullptr && index < count; ++index)
            if (SendMessageW(Hwnd(), PSM_INDEXTOPAGE, static_cast<WPARAM>(index), 0) ==
                reinterpret_cast<LRESULT>(page.Handle()))
                return index;
        return -1;
    }

    int PageCount() const {
        HWND tab = TabControl();
        return tab != nullptr ? static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0)) : 0;
    }

    // The index of the page shown, or -1.
    int ActivePageIndex() const {
        HWND tab = TabControl();
        return tab != nullptr ? static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0)) : -1;
    }

    HWND TabControl() const {
        if (Hwnd() == nullptr)
            return nullptr;
        return reinterpret_cast<HWND>(SendMessageW(Hwnd(), PSM_GETTABCONTROL, 0, 0));
    }

    // The sheet's keyboard handling, for a message filter of the thread's loop.
    bool IsSheetDialogMessage(MSG& message) const {
        return Hwnd() != nullptr && SendMessageW(Hwnd(), PSM_ISDIALOGMESSAGE, 0,
                                                 reinterpret_cast<LPARAM>(&message)) != 0;
    }

protected:
    PROPSHEETHEADERW& Header() { return header_; }

    // Called once the sheet window exists and is subclassed; T hides it to take part.
    void OnSheetInitialized() {}

private:
    static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam) {
        if (message == PSCB_PRECREATE && lParam != 0) {
            MarkStartupStep(L"sheet template ready");
            MakeHiddenAndResizable(reinterpret_cast<BYTE*>(lParam));
        }
        if (message == PSCB_INITIALIZED && creating_ != nullptr && creating_->Subclass(hwnd)) {
            // Installed after T's subclass, so it sees each message once T has handled it.
            creating_->focusKeeper_.Subclass(hwnd);
            static_cast<T*>(creating_)->OnSheetInitialized();
        }
        return 0;
    }

    // The template is a DLGTEMPLATE, or a DLGTEMPLATEEX (signature 0xFFFF in its second
    // word) whose style follows the version, signature, help id and extended style.
    static void MakeHiddenAndResizable(BYTE* dialogTemplate) {
        WORD signature = 0;
        std::memcpy(&signature, dialogTemplate + sizeof(WORD), sizeof(signature));
        BYTE* styleField = dialogTemplate + (signature == 0xFFFF ? 3 * sizeof(DWORD) : 0);
        DWORD style = 0;
        std::memcpy(&style, styleField, sizeof(style));
        style = (style & ~static_cast<DWORD>(WS_VISIBLE)) | WS_THICKFRAME;
        std::memcpy(styleField, &style, sizeof(style));
    }

    static inline thread_local PropertySheetImpl* creating_ = nullptr;
    PROPSHEETHEADERW header_{};
    std::vector<HPROPSHEETPAGE> pendingPages_;
    SheetFocusKeeper focusKeeper_;
};

#pragma once

#include "framework/DialogWindow.h"
#include "framework/MessageMap.h"

#include <commctrl.h>
#include <prsht.h>

#include <string>

class PropertyPageWindow;

// How a sheet finds a page: by its dialog resource id (PSM_IDTOINDEX), or a page object by
// the handle the sheet holds. The handle also finds a page made from an in-memory template,
// which some platforms' PSM_IDTOINDEX never matches (it compares only the low 32 bits of
// the id with the template's address).
class PageId {
public:
    PageId(UINT dialogId) : resourceId_(dialogId) {}
    PageId(const PropertyPageWindow& page);

    // The resource id, or 0 for a page object.
    UINT ResourceId() const { return resourceId_; }
    // The page object's handle in the sheet, or null.
    HPROPSHEETPAGE Handle() const { return handle_; }

private:
    UINT resourceId_ = 0;
    HPROPSHEETPAGE handle_ = nullptr;
};

// The non-template part of a property page: its PROPSHEETPAGEW description, which carries
// the object in lParam (the page's window finds its object through it on WM_INITDIALOG),
// and the sheet's activation notifications turned into OnSetActive / OnKillActive. The
// other sheet notifications are left to the default answer, 0.
//
// The owner keeps the object alive while its page is in a sheet: the sheet creates the
// page's window when the page is first shown, which may be long after AddPage.
class PropertyPageWindow : public DialogWindow {
public:
    // A page from the module's dialog resource `dialogId`, or from an in-memory template
    // that outlives the page.
    explicit PropertyPageWindow(UINT dialogId);
    explicit PropertyPageWindow(const DLGTEMPLATE* dialogTemplate);

    // The tab caption; takes effect for pages added after the call.
    void SetTitle(std::wstring title);
    const std::wstring& Title() const { return title_; }

    // A fresh page handle for a sheet, which then owns it; null on failure.
    HPROPSHEETPAGE CreatePageHandle();
    // The handle last created, while the sheet holds it (null before and after).
    HPROPSHEETPAGE SheetHandle() const { return sheetHandle_; }
    void ForgetSheetHandle() { sheetHandle_ = nullptr; }

    BEGIN_MSG_MAP(PropertyPageWindow)
    MESSAGE_HANDLER(WM_NOTIFY, OnSheetNotify)
    END_MSG_MAP()

protected:
    // The page is about to become visible; 0 accepts the activation.
    virtual LRESULT OnSetActive() { return 0; }
    // Another page is about to become visible; 0 (FALSE) allows leaving this one.
    virtual LRESULT OnKillActive() { return 0; }

private:
    LRESULT OnSheetNotify(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    PROPSHEETPAGEW description_{};
    std::wstring title_;
    HPROPSHEETPAGE sheetHandle_ = nullptr;
};

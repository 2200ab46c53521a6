#include "tests/support/AccessibleName.h"

#include "tests/support/WindowQueries.h"

#include <oleacc.h>

std::wstring AccessibleName(HWND window) {
    // __uuidof: the IID_IAccessible that MinGW's import libraries provide is not this one.
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible))) ||
        accessible == nullptr)
        return {};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring text;
    if (accessible->get_accName(self, &name) == S_OK && name != nullptr)
        text.assign(name, SysStringLen(name));
    SysFreeString(name);
    accessible->Release();
    return text;
}

std::wstring LabelBefore(HWND control) {
    const HWND previous = GetWindow(control, GW_HWNDPREV);
    if (previous == nullptr)
        return {};
    const std::wstring kind = ClassOf(previous);
    const bool groupBox =
        kind == L"Button" && (GetWindowLongW(previous, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
    return kind == L"Static" || groupBox ? WindowText(previous) : std::wstring();
}

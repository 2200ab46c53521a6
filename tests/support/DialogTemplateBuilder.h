#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Builds an in-memory DLGTEMPLATE (dialog units, system font) for tests that need dialogs
// without resources. The template stays valid while the builder lives and is not changed.
class DialogTemplateBuilder {
public:
    DialogTemplateBuilder(DWORD style, short cx, short cy, const std::wstring& title = L"");

    DialogTemplateBuilder& AddControl(WORD id, const std::wstring& className, DWORD style, short x,
                                      short y, short cx, short cy, const std::wstring& text = L"");

    const DLGTEMPLATE* Get();

private:
    struct Control {
        WORD id;
        std::wstring className;
        DWORD style;
        short x, y, cx, cy;
        std::wstring text;
    };

    DWORD style_;
    short cx_, cy_;
    std::wstring title_;
    std::vector<Control> controls_;
    std::vector<WORD> words_;
};

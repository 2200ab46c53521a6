#include "tests/support/DialogTemplateBuilder.h"

namespace {

void PutDword(std::vector<WORD>& words, DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
}

void PutString(std::vector<WORD>& words, const std::wstring& text) {
    for (wchar_t c : text)
        words.push_back(static_cast<WORD>(c));
    words.push_back(0);
}

void AlignToDword(std::vector<WORD>& words) {
    if (words.size() % 2 != 0)
        words.push_back(0);
}

} // namespace

DialogTemplateBuilder::DialogTemplateBuilder(DWORD style, short cx, short cy,
                                             const std::wstring& title)
    : style_(style), cx_(cx), cy_(cy), title_(title) {}

DialogTemplateBuilder& DialogTemplateBuilder::AddControl(WORD id, const std::wstring& className,
                                                         DWORD style, short x, short y, short cx,
                                                         short cy, const std::wstring& text) {
    controls_.push_back({id, className, style | WS_CHILD | WS_VISIBLE, x, y, cx, cy, text});
    return *this;
}

const DLGTEMPLATE* DialogTemplateBuilder::Get() {
    if (!words_.empty())
        return reinterpret_cast<const DLGTEMPLATE*>(words_.data());
    PutDword(words_, style_);
    PutDword(words_, 0);
    words_.push_back(static_cast<WORD>(controls_.size()));
    for (short v : {short(0), short(0), cx_, cy_})
        words_.push_back(static_cast<WORD>(v));
    words_.push_back(0); // no menu
    words_.push_back(0); // default class
    PutString(words_, title_);
    for (const Control& c : controls_) {
        AlignToDword(words_);
        PutDword(words_, c.style);
        PutDword(words_, 0);
        for (short v : {c.x, c.y, c.cx, c.cy})
            words_.push_back(static_cast<WORD>(v));
        words_.push_back(c.id);
        PutString(words_, c.className);
        PutString(words_, c.text);
        words_.push_back(0); // no creation data
    }
    return reinterpret_cast<const DLGTEMPLATE*>(words_.data());
}

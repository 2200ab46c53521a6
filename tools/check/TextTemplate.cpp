#include "tools/check/TextTemplate.h"

#include "config/UiTextIds.h"

namespace {

const wchar_t* GroupNote(UiTextGroupKind kind) {
    switch (kind) {
    case UiTextGroupKind::Needed:
        return L" (always needed)\n";
    case UiTextGroupKind::Optional:
        return L" (optional)\n";
    case UiTextGroupKind::Extra:
        return L" (optional, each text on its own)\n";
    }
    return L"\n";
}

} // namespace

std::wstring TextTemplate() {
    std::wstring text = L"\xFEFF"
                        L"; Language texts of the control panel, to be translated. Saved as\n"
                        L"; KorvelineCpl.strings\\<language tag>.txt (UTF-8 with its byte-order "
                        L"mark),\n"
                        L"; a file replaces each text it gives. ${...} are filled in by the "
                        L"panel;\n"
                        L"; ${UI_NL} is a line break; a text ending in \\ goes on on the next "
                        L"line.\n"
                        L"; An optional group may be left out as a whole.\n";
    for (const UiTextGroupDefinition& group : BuiltInUiTextTable()) {
        text += L"\n; " + std::wstring(group.name) + GroupNote(group.kind);
        for (const UiTextDefinition& entry : group.texts)
            text += std::wstring(entry.id) + L" = " +
                    (entry.defaultText ? entry.defaultText : L"") + L"\n";
    }
    return text;
}

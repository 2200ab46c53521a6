#include "tools/check/TranslationLayoutCheck.h"

#include "config/TranslationFile.h"
#include "config/UiTextIds.h"
#include "config/WnUiLanguageText.h"
#include "framework/ControlTextFit.h"
#include "framework/UniqueAny.h"
#include "pages/DialogTexts.h"
#include "tools/check/DialogFont.h"
#include "tools/check/DialogTemplate.h"

#include <map>
#include <optional>

namespace {

// The widest values the panel puts into the placeholders of the texts the dialogs show:
// the highest rate and a 16384-sample latency at 48 kHz; device names as long as a
// typical product's (the lines that show them end in an ellipsis by design).
std::wstring WithSampleValues(std::wstring_view text) {
    return SubstitutePlaceholders(text, {{L"${SampleRate}", L"768000"},
                                         {L"${InLatencySamples}", L"16384"},
                                         {L"${InLatencyMillisecs}", L"341"},
                                         {L"${InLatencyMillisecsFrac}", L"33"},
                                         {L"${OutLatencySamples}", L"16384"},
                                         {L"${OutLatencyMillisecs}", L"341"},
                                         {L"${OutLatencyMillisecsFrac}", L"33"},
                                         {L"${Manufacturer}", L"Audio Devices Ltd."},
                                         {L"${Product}", L"USB Audio Interface"},
                                         {L"${VID}", L"0x0D8C"},
                                         {L"${PID}", L"0x0102"},
                                         {L"${Revison}", L"v1.00"},
                                         {L"${SerialNo}", L"SN0123456789"}});
}

std::wstring KindOf(const DialogTemplateItem& item) {
    if (item.className != L"Button")
        return L"text";
    switch (item.style & BS_TYPEMASK) {
    case BS_GROUPBOX:
        return L"group box";
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return L"button";
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return L"radio button";
    default:
        return L"check box";
    }
}

const DialogTemplateItem* ItemOf(const DialogTemplate& dialog, int id) {
    for (const DialogTemplateItem& item : dialog.items) {
        if (item.id == id)
            return &item;
    }
    return nullptr;
}

// Where a text stands: its line in the file (the last line that gives it, as the panel
// takes that one), or nothing for the English default.
class TextLines {
public:
    explicit TextLines(const std::vector<TranslationItem>& items) {
        for (const TranslationItem& item : items)
            lines_[item.key] = item.line;
    }
    std::optional<size_t> LineOf(const UiTextHandle& text) const {
        const auto found = lines_.find(text.Entry()->id);
        return found == lines_.end() ? std::nullopt : std::optional(found->second);
    }

private:
    std::map<std::wstring, size_t> lines_;
};

class LayoutCheck {
public:
    LayoutCheck(FileCheck& check, const TextLines& lines) : check_(check), lines_(lines) {}

    void Dialog(HDC dc, const DialogTexts& texts, const DialogTemplate& dialog, int dpi) {
        const DialogFont font(dc, dialog, dpi);
        for (const DialogText& text : texts.texts) {
            const DialogTemplateItem* item = ItemOf(dialog, text.controlId);
            const std::wstring shown = WithSampleValues(GetUiText(text.text));
            if (!item || shown.empty())
                continue;
            const std::optional<ControlTextFit> fit = FitControlText(
                dc, font.Font(), item->className, item->style, shown, font.Pixels(*item), dpi);
            if (fit && !fit->Fits())
                Report(text, L"does not fit " + Where(texts, text, *item) + L" at " +
                                 std::to_wstring(dpi * 100 / 96) + L" % (" + std::to_wstring(dpi) +
                                 L" DPI): needs " + std::to_wstring(fit->needed) + L" px " +
                                 (fit->wraps ? L"of height" : L"of width") + L", has " +
                                 std::to_wstring(fit->available));
        }
    }

    // Two controls whose texts give the same access key; texts of one control are
    // alternatives and never stand together.
    void AccessKeys(const DialogTexts& texts, const DialogTemplate& dialog) {
        std::map<wchar_t, const DialogText*> first;
        for (const DialogText& text : texts.texts) {
            const DialogTemplateItem* item = ItemOf(dialog, text.controlId);
            const std::optional<wchar_t> key =
                item ? AccessKeyOf(item->className, item->style, GetUiText(text.text))
                     : std::nullopt;
            if (!key)
                continue;
            const auto [other, isFirst] = first.emplace(*key, &text);
            if (isFirst || other->second->controlId == text.controlId)
                continue;
            const std::optional<size_t> otherLine = lines_.LineOf(other->second->text);
            Report(text, L"gives the access key &" + std::wstring(1, *key) + L" in " +
                             Where(texts, text, *item) + L", as " +
                             other->second->text.Entry()->id +
                             (otherLine ? L" (line " + std::to_wstring(*otherLine) + L")" : L"") +
                             L" does in " + other->second->controlName +
                             L": the key reaches only one of them");
        }
    }

private:
    static std::wstring Where(const DialogTexts& texts, const DialogText& text,
                              const DialogTemplateItem& item) {
        return KindOf(item) + L" " + text.controlName + L" of " + texts.dialogName;
    }

    void Report(const DialogText& text, const std::wstring& what) {
        const std::optional<size_t> line = lines_.LineOf(text.text);
        check_.Add(line.value_or(0),
                   std::wstring(text.text.Entry()->id) +
                       (line ? L" " : L" (the English text, which the file does not give) ") +
                       L"\"" + GetUiText(text.text) + L"\" " + what);
    }

    FileCheck& check_;
    const TextLines& lines_;
};

} // namespace

FileCheck CheckTranslationLayout(const std::wstring& path, HMODULE templates) {
    FileCheck check{path, {}};
    std::string bytes;
    if (ReadTranslationFile(path, bytes) != 0) {
        check.Add(0, L"cannot be read: the panel shows the English texts");
        return check;
    }
    const TextLines lines(ParseTranslationText(DecodeTranslationFile(bytes), nullptr));
    WnUiLanguageText table;
    table.BuildTextTable();
    table.ApplyTranslation(bytes);

    LayoutCheck layout(check, lines);
    const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    for (const DialogTexts& texts : AllDialogTexts()) {
        const std::optional<DialogTemplate> dialog = ReadDialogTemplate(templates, texts.dialogId);
        if (!dialog) {
            check.Add(0, std::wstring(L"the check tool lacks the dialog ") + texts.dialogName);
            continue;
        }
        for (const int dpi : kLayoutDpis)
            layout.Dialog(dc.Get(), texts, *dialog, dpi);
        layout.AccessKeys(texts, *dialog);
    }
    // The process-wide handles now point into this table: leave them at the defaults.
    table.ApplyTranslation({});
    return check;
}

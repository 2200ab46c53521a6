#include "tools/check/DialogTemplate.h"

#include <cstring>

namespace {

// Reads the template's fields in order; every read checks the resource's end.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : at_(data), begin_(data), end_(data + size) {}

    bool Ok() const { return ok_; }

    template <typename T> T Read() {
        T value{};
        if (static_cast<size_t>(end_ - at_) < sizeof(T)) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }
    std::wstring ReadString() {
        std::wstring text;
        for (WORD unit = Read<WORD>(); ok_ && unit != 0; unit = Read<WORD>())
            text += static_cast<wchar_t>(unit);
        return text;
    }
    // A name or an ordinal: nothing (0), 0xFFFF and a number, or a string.
    std::wstring ReadNameOrOrdinal(WORD& ordinal) {
        ordinal = 0;
        const WORD first = Read<WORD>();
        if (first == 0)
            return {};
        if (first == 0xFFFF) {
            ordinal = Read<WORD>();
            return {};
        }
        std::wstring text(1, static_cast<wchar_t>(first));
        return text + ReadString();
    }
    void Skip(size_t bytes) {
        if (static_cast<size_t>(end_ - at_) < bytes)
            ok_ = false;
        else
            at_ += bytes;
    }
    void AlignToDword() { Skip((4 - (at_ - begin_) % 4) % 4); }

private:
    const BYTE* at_;
    const BYTE* begin_;
    const BYTE* end_;
    bool ok_ = true;
};

std::wstring ClassOfOrdinal(WORD ordinal) {
    switch (ordinal) {
    case 0x80:
        return L"Button";
    case 0x81:
        return L"Edit";
    case 0x82:
        return L"Static";
    case 0x83:
        return L"ListBox";
    case 0x84:
        return L"ScrollBar";
    case 0x85:
        return L"ComboBox";
    default:
        return {};
    }
}

} // namespace

std::optional<DialogTemplate> ReadDialogTemplate(HMODULE module, int dialogId) {
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(dialogId), RT_DIALOG);
    const HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const auto* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!data)
        return std::nullopt;
    TemplateReader reader(data, SizeofResource(module, resource));
    if (reader.Read<WORD>() != 1 || reader.Read<WORD>() != 0xFFFF)
        return std::nullopt;
    reader.Skip(2 * sizeof(DWORD)); // help id, extended style
    const DWORD style = reader.Read<DWORD>();
    const WORD count = reader.Read<WORD>();
    reader.Skip(4 * sizeof(short));
    WORD ordinal = 0;
    reader.ReadNameOrOrdinal(ordinal); // menu
    reader.ReadNameOrOrdinal(ordinal); // class
    reader.ReadString();               // caption
    if (!(style & DS_SETFONT))
        return std::nullopt;
    DialogTemplate dialog;
    dialog.pointSize = reader.Read<WORD>();
    dialog.weight = reader.Read<WORD>();
    dialog.italic = reader.Read<BYTE>();
    dialog.charset = reader.Read<BYTE>();
    dialog.typeface = reader.ReadString();
    for (WORD index = 0; index < count && reader.Ok(); ++index) {
        reader.AlignToDword();
        DialogTemplateItem item;
        reader.Skip(2 * sizeof(DWORD)); // help id, extended style
        item.style = reader.Read<DWORD>();
        item.x = reader.Read<short>();
        item.y = reader.Read<short>();
        item.width = reader.Read<short>();
        item.height = reader.Read<short>();
        item.id = static_cast<int>(reader.Read<DWORD>());
        item.className = reader.ReadNameOrOrdinal(ordinal);
        if (ordinal != 0)
            item.className = ClassOfOrdinal(ordinal);
        reader.ReadNameOrOrdinal(ordinal); // text
        reader.Skip(reader.Read<WORD>());  // creation data
        dialog.items.push_back(std::move(item));
    }
    if (!reader.Ok())
        return std::nullopt;
    return dialog;
}

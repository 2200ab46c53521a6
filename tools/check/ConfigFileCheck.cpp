#include "tools/check/ConfigFileCheck.h"

#include "config/ConfigDocument.h"
#include "config/ConfigFailureText.h"
#include "config/ConfigFileFormat.h"
#include "tools/check/ClosestName.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>
#include <type_traits>
#include <variant>

#include <tinyxml2.h>

namespace {

// The elements the loader looks for, as a tree built from its own table.
struct KnownElement {
    std::string name;
    const SettingLocation* setting = nullptr; // set on the elements whose text is a value
    std::vector<KnownElement> children;
};

KnownElement KnownElements() {
    KnownElement root;
    root.name = kConfigRootElement;
    for (const SettingLocation& location : ConfigSettingLocations()) {
        KnownElement* node = &root;
        for (const char* name : location.path) {
            if (!name)
                break;
            auto found =
                std::find_if(node->children.begin(), node->children.end(),
                             [&](const KnownElement& child) { return child.name == name; });
            node = found != node->children.end() ? &*found : &node->children.emplace_back();
            node->name = name;
        }
        node->setting = &location;
    }
    return root;
}

std::wstring Wide(const char* utf8) {
    if (!utf8 || !*utf8)
        return {};
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), length);
    text.resize(text.size() - 1);
    return text;
}

std::wstring Quoted(const char* utf8) {
    return L"\"" + Wide(utf8) + L"\"";
}

// " (did you mean X?)" when one of the names is near.
std::wstring Suggestion(const char* name, const std::vector<std::wstring>& known) {
    std::optional<std::wstring> closest = ClosestName(Wide(name), known);
    return closest ? L" (did you mean " + *closest + L"?)" : std::wstring();
}

template <typename Value> std::wstring WordList(std::span<const SettingWord<Value>> words) {
    std::wstring list;
    for (size_t i = 0; i < words.size(); ++i)
        list += (i == 0 ? L"" : i + 1 == words.size() ? L" or " : L", ") + Wide(words[i].word);
    return list;
}

template <typename Value>
std::vector<std::wstring> WordNames(std::span<const SettingWord<Value>> words) {
    std::vector<std::wstring> names;
    for (const SettingWord<Value>& word : words)
        names.push_back(Wide(word.word));
    return names;
}

bool IsHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", as the registry names a class.
bool IsGuidText(std::wstring_view text) {
    if (text.size() != 38 || text.front() != L'{' || text.back() != L'}')
        return false;
    for (size_t i = 1; i < 37; ++i) {
        bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? text[i] != L'-' : !IsHexDigit(text[i]))
            return false;
    }
    return true;
}

class ConfigExplainer {
public:
    ConfigExplainer(const ConfigSettings& settings, FileCheck& check)
        : settings_(settings), check_(check) {}

    void CheckRoot(const tinyxml2::XMLElement& root, const KnownElement& known) {
        for (const tinyxml2::XMLAttribute* attribute = root.FirstAttribute(); attribute;
             attribute = attribute->Next()) {
            std::string name = attribute->Name();
            if (name != kFormatVersionMajorAttribute && name != kFormatVersionMinorAttribute)
                check_.Add(attribute->GetLineNum(),
                           L"unknown attribute " + Wide(attribute->Name()) + L" of <" +
                               Wide(root.Name()) + L">" +
                               Suggestion(attribute->Name(), {Wide(kFormatVersionMajorAttribute),
                                                              Wide(kFormatVersionMinorAttribute)}) +
                               L": the panel ignores it");
        }
        CheckChildren(root, known, L"");
    }

private:
    void CheckChildren(const tinyxml2::XMLElement& parent, const KnownElement& known,
                       const std::wstring& parentPath) {
        std::vector<std::wstring> knownNames;
        for (const KnownElement& child : known.children)
            knownNames.push_back(Wide(child.name.c_str()));
        std::map<std::string, int> firstLines;
        for (const tinyxml2::XMLElement* element = parent.FirstChildElement(); element;
             element = element->NextSiblingElement()) {
            std::wstring path = parentPath + Wide(element->Name());
            auto found = std::find_if(
                known.children.begin(), known.children.end(),
                [&](const KnownElement& child) { return child.name == element->Name(); });
            if (found == known.children.end()) {
                check_.Add(element->GetLineNum(), L"unknown element <" + path + L">" +
                                                      Suggestion(element->Name(), knownNames) +
                                                      L": the panel ignores it");
                continue;
            }
            auto [first, isFirst] = firstLines.emplace(element->Name(), element->GetLineNum());
            if (!isFirst) {
                check_.Add(element->GetLineNum(),
                           L"<" + path +
                               L"> is given again: the panel reads only the first, on line " +
                               std::to_wstring(first->second));
                continue;
            }
            for (const tinyxml2::XMLAttribute* attribute = element->FirstAttribute(); attribute;
                 attribute = attribute->Next())
                check_.Add(attribute->GetLineNum(), L"attribute " + Wide(attribute->Name()) +
                                                        L" of <" + path +
                                                        L">: the panel reads no attributes here");
            if (found->setting)
                CheckValue(*element, *found->setting, path);
            else
                CheckTextOfGroup(*element, path);
            CheckChildren(*element, *found, path + L"/");
        }
    }

    // An element that holds others: a text of its own is no setting.
    void CheckTextOfGroup(const tinyxml2::XMLElement& element, const std::wstring& path) {
        const char* text = element.GetText();
        if (text && std::string_view(text).find_first_not_of(" \t\r\n") != std::string_view::npos)
            check_.Add(element.GetLineNum(), L"<" + path + L"> holds the text " + Quoted(text) +
                                                 L": the panel reads only the elements inside it");
    }

    void CheckValue(const tinyxml2::XMLElement& element, const SettingLocation& setting,
                    const std::wstring& path) {
        std::visit(
            [&](auto member) {
                const auto& value = settings_.*member;
                using Value = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, bool>) {
                    if (!ReadBoolElement(element))
                        ReportWord(element, path, BoolWords(), WordOf(value));
                } else if constexpr (std::is_same_v<Value, Visibility>) {
                    if (!ReadVisibilityElement(element))
                        ReportWord(element, path, VisibilityWords(), WordOf(value));
                } else if (member == &ConfigSettings::driverInterfaceGuid) {
                    std::wstring guid = ReadStringElement(element);
                    if (!guid.empty() && !IsGuidText(guid))
                        check_.Add(element.GetLineNum(),
                                   L"<" + path + L"> \"" + guid +
                                       L"\" is not a GUID such as "
                                       L"{C6C0A381-CA04-4973-9BCC-EAC986AA1B4A}: the panel "
                                       L"finds no driver library registered under it");
                }
            },
            setting.field);
    }

    template <typename Value>
    void ReportWord(const tinyxml2::XMLElement& element, const std::wstring& path,
                    std::span<const SettingWord<Value>> words, const char* kept) {
        const char* text = element.GetText();
        std::wstring what = text ? L"<" + path + L"> " + Quoted(text) + L" is not " +
                                       WordList(words) + Suggestion(text, WordNames(words))
                                 : L"<" + path + L"> has no value";
        check_.Add(element.GetLineNum(), what + L": the panel keeps " + Wide(kept));
    }

    const ConfigSettings& settings_;
    FileCheck& check_;
};

// Why the panel refuses the root's version attributes.
void CheckFormatVersion(const tinyxml2::XMLElement& root, const std::wstring& refusal,
                        FileCheck& check) {
    for (const char* name : {kFormatVersionMajorAttribute, kFormatVersionMinorAttribute}) {
        const tinyxml2::XMLAttribute* attribute = root.FindAttribute(name);
        std::optional<int> number =
            ReadFormatVersionNumber(attribute ? attribute->Value() : nullptr);
        std::wstring what;
        if (!attribute)
            what = L"<" + Wide(root.Name()) + L"> has no " + Wide(name);
        else if (!number)
            what = Wide(name) + L" " + Quoted(attribute->Value()) + L" is not a whole number";
        else if (name == kFormatVersionMajorAttribute && *number != kRequiredFormatVersionMajor)
            what = Wide(name) + L" " + std::to_wstring(*number) + L" is not " +
                   std::to_wstring(kRequiredFormatVersionMajor);
        if (!what.empty())
            check.Add(attribute ? attribute->GetLineNum() : root.GetLineNum(), what + refusal);
    }
}

std::wstring Refusal(StatusCode loadStatus) {
    return L": the panel shows \"" + ConfigLoadFailureText(loadStatus).value_or(L"") +
           L"\" and ends";
}

} // namespace

FileCheck CheckConfigFile(const std::wstring& path) {
    FileCheck check{path, {}};
    Config config;
    ConfigDocument document;
    const StatusCode result = config.LoadDocumentFile(path, document, 0);
    const StatusCode loadStatus = Config::LoadStatusOf(result);
    if (loadStatus == kStatusConfigNotOpened) {
        check.Add(0, L"cannot be opened" + Refusal(loadStatus));
        return check;
    }
    if (result == ERROR_FUNCTION_FAILED) {
        check.Add(static_cast<size_t>(document.ErrorLineNum()),
                  L"not well-formed XML (" + Wide(document.ErrorName()) +
                      L"): the panel ignores the whole file and takes every default");
        return check;
    }
    const KnownElement known = KnownElements();
    const tinyxml2::XMLElement* root = document.FirstChildElement(kConfigRootElement);
    if (!root) {
        const tinyxml2::XMLElement* other = document.RootElement();
        check.Add(other ? other->GetLineNum() : 0,
                  L"the root element is not <" + Wide(kConfigRootElement) + L">" +
                      (other ? Suggestion(other->Name(), {Wide(kConfigRootElement)}) : L"") +
                      L": the panel takes every default");
        return check;
    }
    if (loadStatus == kStatusConfigIncompatible) {
        CheckFormatVersion(*root, Refusal(loadStatus), check);
        return check;
    }
    ConfigExplainer(config.Settings(), check).CheckRoot(*root, known);
    return check;
}

#include "config/Config.h"

#include "config/ConfigDocument.h"
#include "config/ConfigFileFormat.h"
#include "config/ExecutablePath.h"

#include <windows.h>

#include <array>
#include <optional>
#include <type_traits>
#include <variant>

#include <tinyxml2.h>

Config g_config;

namespace {

const tinyxml2::XMLElement* FindElement(const tinyxml2::XMLElement& root,
                                        const std::array<const char*, 3>& path) {
    const tinyxml2::XMLElement* element = &root;
    for (const char* name : path) {
        if (!name)
            break;
        element = element->FirstChildElement(name);
        if (!element)
            return nullptr;
    }
    return element;
}

} // namespace

StatusCode Config::Load() {
    std::wstring executablePath;
    if (StatusCode status = RunningExecutablePath(executablePath))
        return status;
    return Load(executablePath);
}

StatusCode Config::Load(const std::wstring& executablePath) {
    if (!languageTextsLoaded_) {
        StatusCode status =
            languageTexts_.LoadLanguages(PathWithExtension(executablePath, L".strings"));
        if (status)
            return status;
        languageTextsLoaded_ = true;
    }

    ConfigDocument document;
    if (StatusCode status =
            LoadStatusOf(LoadDocumentFile(PathWithExtension(executablePath, L".xml"), document, 0)))
        return status;

    languageTexts_.BuildTextTable();
    if (languageTexts_.HasChosenLanguage()) {
        if (languageTexts_.LoadChosenFile() != ERROR_SUCCESS)
            languageTexts_.ReportFailedLoad();
        else
            languageTexts_.ReportMissingTexts();
    }
    return ERROR_SUCCESS;
}

StatusCode Config::LoadStatusOf(StatusCode documentResult) {
    switch (documentResult) {
    case ERROR_BAD_FORMAT:
        return kStatusConfigIncompatible;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_OPEN_FAILED:
        return kStatusConfigNotOpened;
    default:
        return ERROR_SUCCESS;
    }
}

StatusCode Config::ParseDocument(const tinyxml2::XMLDocument& document, unsigned) {
    const tinyxml2::XMLElement* root = document.FirstChildElement(kConfigRootElement);
    if (!root)
        return ERROR_SUCCESS;

    std::optional<int> major =
        ReadFormatVersionNumber(root->Attribute(kFormatVersionMajorAttribute));
    std::optional<int> minor =
        ReadFormatVersionNumber(root->Attribute(kFormatVersionMinorAttribute));
    if (!major || !minor || *major != kRequiredFormatVersionMajor)
        return ERROR_BAD_FORMAT;

    for (const SettingLocation& location : ConfigSettingLocations()) {
        const tinyxml2::XMLElement* element = FindElement(*root, location.path);
        if (!element)
            continue;
        std::visit(
            [&](auto member) {
                auto& setting = settings_.*member;
                using Setting = std::remove_reference_t<decltype(setting)>;
                if constexpr (std::is_same_v<Setting, bool>)
                    setting = ReadBoolElement(*element).value_or(setting);
                else if constexpr (std::is_same_v<Setting, Visibility>)
                    setting = ReadVisibilityElement(*element).value_or(setting);
                else
                    setting = ReadStringElement(*element);
            },
            location.field);
    }
    // An empty GUID keeps the default instance name.
    if (!settings_.driverInterfaceGuid.empty())
        settings_.instanceName = L"CPL_" + settings_.driverInterfaceGuid;
    return ERROR_SUCCESS;
}

#include "app/ConfigLoadResult.h"

#include "driver/ErrorReport.h"

namespace {
constexpr StatusCode kExitConfigFailed = 1;
}

std::optional<std::wstring> ConfigLoadFailureText(StatusCode status) {
    switch (status) {
    case kStatusConfigIncompatible:
        return L"Incompatible application configuration file.";
    case kStatusConfigNotOpened:
        return L"Failed to open application configuration file.";
    default:
        return std::nullopt;
    }
}

std::optional<StatusCode> HandleConfigLoadResult(StatusCode status) {
    if (status == 0)
        return std::nullopt;
    if (std::optional<std::wstring> text = ConfigLoadFailureText(status))
        ShowErrorBox(nullptr, *text, kConfigFailureCaption);
    return kExitConfigFailed;
}

#include "config/ConfigFailureText.h"

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

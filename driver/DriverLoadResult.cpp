#include "driver/DriverLoadResult.h"

std::wstring DriverLoadFailureText(StatusCode result, const ErrorReportTexts& texts) {
    switch (result) {
    case ERROR_FILE_NOT_FOUND:
        return texts.driverApiDllNotFound;
    case kStatusApiNotCompatible:
        return texts.driverApiDllNotCompatible;
    default:
        return FormatErrorReport(L"_tWinMain", L"Load", result, texts);
    }
}

std::optional<StatusCode> HandleDriverLoadResult(StatusCode result, const ErrorReportTexts& texts) {
    if (result == 0)
        return std::nullopt;
    ShowErrorBox(nullptr, DriverLoadFailureText(result, texts), texts.appTitle);
    return result;
}

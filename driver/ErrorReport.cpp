#include "driver/ErrorReport.h"

#include "config/UiTextIds.h"

namespace {

std::wstring EightHexDigits(StatusCode code) {
    const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring text(8, L'0');
    for (int i = 7; i >= 0; --i, code >>= 4)
        text[static_cast<std::size_t>(i)] = digits[code & 0xF];
    return text;
}

} // namespace

ErrorReportTexts UiErrorReportTexts() {
    ErrorReportTexts texts;
    texts.appTitle = GetUiText(APP_TITLE);
    texts.commonError = GetUiText(ERROR_MESSAGE_COMMON_ERROR);
    texts.driverApiDllWithoutIni = GetUiText(ERROR_MESSAGE_DRIVER_API_DLL_WITHOUT_INI);
    texts.driverApiDllWithInvalidIni = GetUiText(ERROR_MESSAGE_DRIVER_API_DLL_WITH_INVALID_INI);
    texts.switchStreamFormatNotAllowed = GetUiText(ERROR_MESSAGE_SWITCH_STREAM_FORMAT_NOT_ALLOWED);
    texts.driverApiDllNotFound = GetUiText(ERROR_MESSAGE_DRIVER_API_DLL_NOT_FOUND);
    texts.driverApiDllNotCompatible = GetUiText(ERROR_MESSAGE_DRIVER_API_DLL_NOT_COMPATIBLE);
    return texts;
}

std::wstring FormatErrorReport(const std::wstring& operation, const std::wstring& function,
                               StatusCode code, const ErrorReportTexts& texts) {
    // Composed rather than printed: the texts have no length limit.
    return texts.commonError + L"\n\"" + operation + L": " + function + L" -> 0x" +
           EightHexDigits(code) + L"\"";
}

void ShowErrorBox(HWND owner, const std::wstring& text, const std::wstring& caption) {
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

void ShowErrorReport(HWND owner, const std::wstring& operation, const std::wstring& function,
                     StatusCode code, const ErrorReportTexts& texts) {
    ShowErrorBox(owner, FormatErrorReport(operation, function, code, texts), texts.appTitle);
}

std::optional<std::wstring> DeviceErrorBoxText(const std::wstring& operation,
                                               const std::wstring& function, StatusCode code,
                                               const ErrorReportTexts& texts) {
    switch (code) {
    case kStatusNotShown:
        return std::nullopt;
    case kStatusDriverApiDllWithoutIni:
        return texts.driverApiDllWithoutIni;
    case kStatusDriverApiDllWithInvalidIni:
        return texts.driverApiDllWithInvalidIni;
    case kStatusStreamFormatSwitchNotAllowed:
    case kStatusStreamFormatSwitchNotAllowedAlt:
        return texts.switchStreamFormatNotAllowed;
    default:
        return FormatErrorReport(operation, function, code, texts);
    }
}

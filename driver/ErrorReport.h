#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "driver/DriverRecords.h"

// The language texts that error boxes show (each member names its text id). Every
// operation below takes them last, by default from the language-text table; tests pass
// their own.
struct ErrorReportTexts {
    std::wstring appTitle;                     // APP_TITLE, the caption of every box
    std::wstring commonError;                  // ERROR_MESSAGE_COMMON_ERROR
    std::wstring driverApiDllWithoutIni;       // ERROR_MESSAGE_DRIVER_API_DLL_WITHOUT_INI
    std::wstring driverApiDllWithInvalidIni;   // ERROR_MESSAGE_DRIVER_API_DLL_WITH_INVALID_INI
    std::wstring switchStreamFormatNotAllowed; // ERROR_MESSAGE_SWITCH_STREAM_FORMAT_NOT_ALLOWED
    std::wstring driverApiDllNotFound;         // ERROR_MESSAGE_DRIVER_API_DLL_NOT_FOUND
    std::wstring driverApiDllNotCompatible;    // ERROR_MESSAGE_DRIVER_API_DLL_NOT_COMPATIBLE
};

// The texts as the language-text table currently gives them.
ErrorReportTexts UiErrorReportTexts();

// The technical report of a failed step: the common error sentence, a newline, and
// "<operation>: <function> -> 0x<code as eight upper-case hex digits>" in double quotes
// (printf notation "%s\n\"%s: %s -> 0x%08X\"").
std::wstring FormatErrorReport(const std::wstring& operation, const std::wstring& function,
                               StatusCode code,
                               const ErrorReportTexts& texts = UiErrorReportTexts());

// A modal box with the error icon and one OK button; owner may be null.
void ShowErrorBox(HWND owner, const std::wstring& text, const std::wstring& caption);

// The technical report in an error box captioned with the application title.
void ShowErrorReport(HWND owner, const std::wstring& operation, const std::wstring& function,
                     StatusCode code, const ErrorReportTexts& texts = UiErrorReportTexts());

// What the main window's ReportError shows for a failed device operation: a plain text for
// the codes that have one, the technical report for every other code, and nothing (no box)
// for kStatusNotShown.
std::optional<std::wstring>
DeviceErrorBoxText(const std::wstring& operation, const std::wstring& function, StatusCode code,
                   const ErrorReportTexts& texts = UiErrorReportTexts());

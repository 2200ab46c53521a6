#include "app/ConfigLoadResult.h"

#include "driver/ErrorReport.h"

namespace {
constexpr StatusCode kExitConfigFailed = 1;
}

std::optional<StatusCode> HandleConfigLoadResult(StatusCode status) {
    if (status == 0)
        return std::nullopt;
    if (std::optional<std::wstring> text = ConfigLoadFailureText(status))
        ShowErrorBox(nullptr, *text, kConfigFailureCaption);
    return kExitConfigFailed;
}

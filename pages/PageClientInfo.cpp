#include "pages/PageClientInfo.h"

#include "config/UiTextIds.h"

#include <vector>

PageClientInfo::PageClientInfo(PageHost& host) : PageT(host, PAGE_CLIENT_INFO_TITLE) {}

void PageClientInfo::InitControls() {
    values_.Attach(Control(kValueList), true);
    values_.AddRow(kStreamingState, GetUiText(PAGE_CLIENT_INFO_TABLE_ROW_STREAMING_STATE_TITLE));
    values_.AddRow(kWdmClients,
                   GetUiText(PAGE_CLIENT_INFO_TABLE_ROW_ACTIVE_WDM_CLIENT_COUNT_TITLE));
    values_.AddRow(kAsioClients,
                   GetUiText(PAGE_CLIENT_INFO_TABLE_ROW_ACTIVE_ASIO_CLIENT_COUNT_TITLE));
}

// A failed read leaves the values empty and is not reported.
void PageClientInfo::RefreshContents(DeviceHandle device, const KorvelineApiDll& api) {
    std::vector<PropertyValue> values;
    std::uint32_t streaming = 0;
    std::uint32_t wdmClients = 0;
    std::uint32_t asioClients = 0;
    if (device != 0 && CallEntryPoint(api.KORVELINE_GetClientInfo, device, &streaming, &wdmClients,
                                      &asioClients) == 0) {
        values = {
            {kStreamingState,
             GetUiText(streaming != 0 ? PAGE_CLIENT_INFO_TABLE_ROW_STREAMING_STATE_STATE_ACTIVE
                                      : PAGE_CLIENT_INFO_TABLE_ROW_STREAMING_STATE_STATE_STOPPED)},
            {kWdmClients, FormatNumbers(L"%d", static_cast<int>(wdmClients))},
            {kAsioClients, FormatNumbers(L"%d", static_cast<int>(asioClients))},
        };
    }
    values_.ShowValues(values);
}

#include "tests/support/PanelWalk.h"

#include "app/PageTable.h"
#include "pages/ComboBoxItems.h"
#include "pages/PageAsioDevice.h"
#include "pages/PageBufferSettings.h"
#include "pages/PageClockSource.h"
#include "pages/PageOptions.h"
#include "pages/PageSampleRate.h"
#include "pages/PageSoundDeviceProfiles.h"
#include "pages/PageStreamFormats.h"
#include "tests/support/EveryPageDevice.h"
#include "tests/support/ListViewProbe.h"
#include "tests/support/ModalDialogRun.h"
#include "tests/support/WindowQueries.h"
#include "volume/PageVolumeControl.h"
#include "volume/VolumeMonoCtrl.h"

#include <commctrl.h>

namespace {

// Two ASIO instances (so both ASIO pages offer a choice), a device with every page and
// settings to change on both sides, and a second device for the ASIO list and the device
// choice. No clock source settles, so no poll timer runs during a walk.
const std::string kWorld = R"(
<AsioInstance number="0" name="Sweep ASIO" bufferSizes="64 128 256" preferredBufferSize="128"
              preferredDevice="1"/>
<AsioInstance number="1" name="Sweep ASIO 2" bufferSizes="32 64" preferredDevice="2"/>
<Device id="1" vid="0x2FC0" pid="0x0500" serial="SW-1" manufacturer="Sweep" product="Sweep Interface"
        panelOptions="0x3" streamingMode="1" formatSelectionMode="1" asioInstance="0"
        asioAllowed="0 1">
  <SampleRates current="48000">44100 48000 96000</SampleRates>
  <ClockSources current="1">
    <ClockSource id="1" unitId="16" name="Internal"/>
    <ClockSource id="2" unitId="17" name="Word Clock" rate="48000"/>
  </ClockSources>
  <Input currentFormat="1">
    <StreamFormat id="1" bits="24" channels="4" type="pcm">
      <Profile id="in4" name="Four"/><Profile id="in22" name="Two pairs"/>
    </StreamFormat>
    <StreamFormat id="2" bits="16" channels="2" type="pcm">
      <Profile id="in2" name="Stereo in"/><Profile id="in11" name="Two mono"/>
    </StreamFormat>
    <Channel index="0" name="In Master" controls="volume mute"/>
  </Input>
  <Output currentFormat="11">
    <StreamFormat id="11" bits="24" channels="4" type="pcm">
      <Profile id="quad" name="Quad"/><Profile id="pairs" name="Pairs"/>
    </StreamFormat>
    <StreamFormat id="12" bits="32" channels="2" type="float">
      <Profile id="stereo" name="Stereo"/><Profile id="phones" name="Phones"/>
    </StreamFormat>
    <Channel index="0" name="Master" controls="volume mute" volume="-2560"/>
    <Channel index="1" name="Left" controls="volume"/>
    <Channel index="2" name="Right" controls="volume"/>
  </Output>
</Device>
<Device id="2" vid="0x2FC0" pid="0x0501" serial="SW-2" manufacturer="Sweep" product="Sweep DAC"
        asioInstance="1" asioAllowed="0 1">
  <SampleRates current="44100">44100</SampleRates>
  <Output><StreamFormat id="21" bits="24" channels="2" type="pcm"/>
    <Channel index="0" name="Master" controls="volume mute"/>
  </Output>
</Device>)";

// One control as text: class, id, visibility, state and content.
std::wstring Describe(HWND control) {
    const std::wstring kind = ClassOf(control);
    std::wstring line = kind + L" " + std::to_wstring(GetDlgCtrlID(control)) +
                        (IsWindowVisible(control) ? L" shown" : L" hidden") +
                        (IsWindowEnabled(control) ? L" enabled" : L" disabled");
    if (kind == L"ComboBox") {
        for (int i = 0; i < combo_box::Count(control); ++i)
            line += L" [" + combo_box::ItemText(control, i) + L"]";
        line += L" selected " + std::to_wstring(combo_box::Selection(control).value_or(-1));
    } else if (kind == L"SysListView32") {
        const int columns = Header_GetItemCount(ListView_GetHeader(control));
        const std::vector<bool> checks = ListChecks(control);
        const auto rows = ListRows(control, columns);
        for (size_t row = 0; row < rows.size(); ++row) {
            line += checks[row] ? L"\n  [x]" : L"\n  [ ]";
            for (const std::wstring& cell : rows[row])
                line += L" |" + cell;
        }
    } else if (kind == L"msctls_trackbar32") {
        line += L" at " + std::to_wstring(SendMessageW(control, TBM_GETPOS, 0, 0));
    } else {
        line += L" \"" + WindowText(control) + L"\"";
        if (kind == L"Button")
            line += SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? L" checked" : L"";
    }
    return line + L"\n";
}

// The checked row's product (column 1), or empty.
std::wstring CheckedRow(HWND list) {
    const std::vector<bool> checks = ListChecks(list);
    const auto rows = ListRows(list, 2);
    for (size_t row = 0; row < checks.size(); ++row) {
        if (checks[row])
            return rows[row][0];
    }
    return L"";
}

} // namespace

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (const wchar_t c : text)
        narrow += c < 128 ? static_cast<char>(c) : '?';
    return narrow;
}

void PanelWalkTest::PrepareWorld() {
    ShowEveryPage(settings);
    LoadDevices(kWorld);
}

bool PanelWalkTest::ChooseDevice(const std::wstring& product) {
    const std::vector<std::wstring> texts = SelectorTexts();
    for (size_t position = 0; position < texts.size(); ++position) {
        if (texts[position].rfind(product, 0) == 0) {
            if (!IsWindowEnabled(Selector()))
                return true; // the only device, opened by itself
            SendMessageW(Selector(), CB_SETCURSEL, position, 0);
            SendMessageW(window->StatusPage().Hwnd(), WM_COMMAND,
                         MAKEWPARAM(PageStatus::kDeviceSelector, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(Selector()));
            Settle();
            return true;
        }
    }
    return false;
}

bool PanelWalkTest::ShowPageQuickly(UINT dialogId) {
    const int index = window->PageIndex(dialogId);
    if (index < 0)
        return false;
    SendMessageW(Hwnd(), PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    Settle(4);
    return true;
}

void PanelWalkTest::VisitEveryPage() {
    for (const PageRow& row : DevicePageRows())
        ShowPageQuickly(row.dialogId);
    ShowPageQuickly(PageTable().front().dialogId);
}

std::wstring PanelWalkTest::Snapshot() {
    VisitEveryPage();
    std::wstring text = L"device list:\n" + Describe(Selector());
    for (const auto& page : window->DevicePages()) {
        text += L"page " + std::to_wstring(page->GetDialogId()) + L":\n";
        for (const HWND control : Children(page->PageWindow().Hwnd()))
            text += Describe(control);
    }
    return text + VolumeDialogSnapshot();
}

std::wstring PanelWalkTest::VolumeDialogSnapshot() {
    std::wstring text;
    InVolumeDialog([&](HWND dialog) -> std::optional<WriteAttempt> {
        text = L"volume dialog:\n";
        for (const HWND strip : Children(dialog)) {
            for (const HWND control : Children(strip))
                text += Describe(control);
        }
        return std::nullopt;
    });
    return text;
}

std::optional<WriteAttempt> PanelWalkTest::ChooseOtherEntry(UINT dialogId, int controlId,
                                                            const wchar_t* entryPoint) {
    const HWND combo = PageControl(dialogId, controlId);
    if (!ShowPageQuickly(dialogId) || !combo || !IsWindowVisible(combo) || !IsWindowEnabled(combo))
        return std::nullopt;
    const auto selected = combo_box::Selection(combo);
    const int count = combo_box::Count(combo);
    if (count < 2)
        return std::nullopt;
    const int other = selected && *selected == 0 ? 1 : 0;
    WriteAttempt attempt{
        entryPoint, ComboSelectedText(combo), combo_box::ItemText(combo, other), {}};
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(other), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(controlId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    Settle();
    attempt.after = ComboSelectedText(combo);
    return attempt;
}

std::optional<WriteAttempt> PanelWalkTest::CheckOtherRow(UINT dialogId, int controlId, bool uncheck,
                                                         const wchar_t* entryPoint) {
    const HWND list = PageControl(dialogId, controlId);
    if (!ShowPageQuickly(dialogId) || !list || !IsWindowEnabled(list))
        return std::nullopt;
    const std::vector<bool> checks = ListChecks(list);
    const auto rows = ListRows(list, 2);
    for (size_t row = 0; row < checks.size(); ++row) {
        if (checks[row] != uncheck)
            continue;
        WriteAttempt attempt{entryPoint, CheckedRow(list), uncheck ? L"" : rows[row][0], {}};
        ClickCheckBox(list, static_cast<int>(row), !uncheck);
        Settle();
        attempt.after = CheckedRow(list);
        return attempt;
    }
    return std::nullopt;
}

std::optional<WriteAttempt> PanelWalkTest::ToggleSafeMode() {
    const HWND box = PageControl(PageBufferSettings::IDD, PageBufferSettings::kSafeMode);
    if (!ShowPageQuickly(PageBufferSettings::IDD) || !box || !IsWindowEnabled(box))
        return std::nullopt;
    const auto state = [box] {
        return std::wstring(SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? L"on" : L"off");
    };
    WriteAttempt attempt{
        L"KORVELINE_SetASIOBufferPreferredSize", state(), state() == L"on" ? L"off" : L"on", {}};
    SendMessageW(box, BM_SETCHECK, attempt.chosen == L"on" ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(PageBufferSettings::kSafeMode, BN_CLICKED),
                 reinterpret_cast<LPARAM>(box));
    Settle();
    attempt.after = state();
    return attempt;
}

std::optional<WriteAttempt>
PanelWalkTest::InVolumeDialog(const std::function<std::optional<WriteAttempt>(HWND dialog)>& body) {
    const HWND button = PageControl(PageVolumeControl::IDD, PageVolumeControl::kFirstButton);
    if (!ShowPageQuickly(PageVolumeControl::IDD) || !button || !IsWindowEnabled(button))
        return std::nullopt;
    std::optional<WriteAttempt> result;
    RunInModalDialog(
        Hwnd(), 5,
        [&] {
            PostMessageW(GetParent(button), WM_COMMAND,
                         MAKEWPARAM(PageVolumeControl::kFirstButton, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            Settle(20);
        },
        [&](HWND dialog) { result = body(dialog); });
    return result;
}

std::vector<WalkStep> PanelWalkTest::Steps() {
    using Write = std::optional<WriteAttempt>;
    const auto choice = [this](UINT page, int control, const wchar_t* entryPoint) {
        return [=, this] { return ChooseOtherEntry(page, control, entryPoint); };
    };
    const ReportedCall opening[] = {
        {L"KORVELINE_OpenDeviceByIndex", L"OnDeviceSelectionChanged", L"OpenDevice"},
        {L"KORVELINE_RegisterDeviceNotification", L"OnDeviceSelectionChanged", L"OpenDevice"}};
    const std::vector<ReportedCall> openingReports(std::begin(opening), std::end(opening));
    const auto asioReports = [](const wchar_t* entryPoint) {
        return std::vector<ReportedCall>{
            {entryPoint, L"OnAsioDeviceChanged", L"update preferred ASIO device"},
            {L"KORVELINE_OpenDeviceByIndex", L"OnAsioDeviceChanged",
             L"update preferred ASIO device", false}};
    };

    std::vector<WalkStep> steps;
    std::vector<ReportedCall> startReports = openingReports;
    startReports[0].reportedWheneverItFails = false;
    startReports.push_back({L"KORVELINE_EnumerateDevices", L"Initialize", L"UpdateDevices"});
    // The status page lists the devices once when its dialog is made, dropping the result,
    // and the start-up update lists them again and reports: a single failing call of the
    // listing may land in either.
    for (const wchar_t* listing : {L"KORVELINE_OpenDeviceByIndex", L"KORVELINE_GetDeviceUsbMode",
                                   L"KORVELINE_GetDeviceProperties", L"KORVELINE_GetDeviceCount"})
        startReports.push_back({listing, L"Initialize", L"UpdateDevices", false});
    startReports.push_back({L"KORVELINE_RegisterPnpNotification", L"Initialize",
                            L"KORVELINE_RegisterPnpNotification"});
    steps.push_back({L"start and choose the full device", startReports, [this]() -> Write {
                         window =
                             std::make_unique<MainPropSheetDlg>(TheKorvelineApiDll(), settings);
                         EXPECT_NE(window->Create(), nullptr);
                         ShowWindow(Hwnd(), SW_SHOW);
                         Settle(30);
                         ChooseDevice(kFullProduct);
                         return std::nullopt;
                     }});
    steps.push_back({L"show every page", {}, [this]() -> Write {
                         VisitEveryPage();
                         return std::nullopt;
                     }});
    const auto write = [&](const wchar_t* name, const wchar_t* operation, const wchar_t* entryPoint,
                           std::function<Write()> run) {
        steps.push_back({name, {{entryPoint, operation, entryPoint}}, std::move(run)});
    };
    write(L"sample rate", L"SaveSelectedSampleRate", L"KORVELINE_SetSampleRate",
          choice(PageSampleRate::IDD, PageSampleRate::kRateSelector, L"KORVELINE_SetSampleRate"));
    for (const int selector :
         {PageStreamFormats::kUpperSelector, PageStreamFormats::kLowerSelector})
        write(L"stream format", L"SaveSelectedStreamFormat", L"KORVELINE_SetCurrentStreamFormat",
              choice(PageStreamFormats::IDD, selector, L"KORVELINE_SetCurrentStreamFormat"));
    write(
        L"streaming mode", L"SaveSelectedStreamingMode", L"KORVELINE_SetDeviceStreamingMode",
        choice(PageOptions::IDD, PageOptions::kModeSelector, L"KORVELINE_SetDeviceStreamingMode"));
    for (const int selector :
         {PageSoundDeviceProfiles::kUpperSelector, PageSoundDeviceProfiles::kLowerSelector})
        write(L"profile", L"SaveSelectedSoundDeviceProfile", L"KORVELINE_SetSoundDeviceProfile",
              choice(PageSoundDeviceProfiles::IDD, selector, L"KORVELINE_SetSoundDeviceProfile"));
    write(L"clock source", L"OnClockSourceChanged", L"KORVELINE_SetCurrentClockSource", [this] {
        return CheckOtherRow(PageClockSource::IDD, PageClockSource::kSourceList, false,
                             L"KORVELINE_SetCurrentClockSource");
    });
    steps.push_back(
        {L"preferred ASIO device set", asioReports(L"KORVELINE_SetPreferredASIODevice"), [this] {
             return CheckOtherRow(PageAsioDevice::IDD, PageAsioDevice::kDeviceList, false,
                                  L"KORVELINE_SetPreferredASIODevice");
         }});
    steps.push_back({L"preferred ASIO device cleared",
                     asioReports(L"KORVELINE_ClearPreferredASIODevice"), [this] {
                         return CheckOtherRow(PageAsioDevice::IDD, PageAsioDevice::kDeviceList,
                                              true, L"KORVELINE_ClearPreferredASIODevice");
                     }});
    // A refused buffer setting is not reported: the page snaps back to the driver's values.
    steps.push_back({L"buffer size",
                     {},
                     choice(PageBufferSettings::IDD, PageBufferSettings::kBufferSizeSelector,
                            L"KORVELINE_SetASIOBufferPreferredSize")});
    steps.push_back({L"safe mode", {}, [this] { return ToggleSafeMode(); }});
    steps.push_back(
        {L"volume dialog: slider and mute",
         {{L"KORVELINE_GetVolumeMuteInfo", L"OnInitDialog", L"KORVELINE_GetVolumeMuteInfo"},
          {L"KORVELINE_SetVolume", L"SetVolume", L"KORVELINE_SetVolume"},
          {L"KORVELINE_SetMute", L"SetMute", L"KORVELINE_SetMute"}},
         [this] {
             return InVolumeDialog([this](HWND dialog) -> Write {
                 const HWND master = GetWindow(dialog, GW_CHILD);
                 const HWND slider = GetDlgItem(master, VolumeMonoCtrl::kSlider);
                 if (IsWindowEnabled(slider)) {
                     const LRESULT position = SendMessageW(slider, TBM_GETPOS, 0, 0) + 512;
                     SendMessageW(slider, TBM_SETPOS, TRUE, position);
                     SendMessageW(master, WM_VSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                                  reinterpret_cast<LPARAM>(slider));
                     Settle(4);
                 }
                 const HWND mute = GetDlgItem(master, VolumeMonoCtrl::kMuteButton);
                 if (IsWindowEnabled(mute)) {
                     SendMessageW(master, WM_COMMAND,
                                  MAKEWPARAM(VolumeMonoCtrl::kMuteButton, BN_CLICKED),
                                  reinterpret_cast<LPARAM>(mute));
                     Settle(4);
                 }
                 return std::nullopt;
             });
         }});
    steps.push_back({L"choose the other device", openingReports, [this]() -> Write {
                         ChooseDevice(kOtherProduct);
                         return std::nullopt;
                     }});
    // With one device left it is opened at once; with two again, none until chosen. The
    // listing opens every device too, and its failures are not shown after a device change.
    std::vector<ReportedCall> relisting = openingReports;
    for (ReportedCall& report : relisting)
        report.reportedWheneverItFails = false;
    steps.push_back({L"unplug the other device", relisting, [this]() -> Write {
                         Simulator().Unplug(kOtherDeviceId);
                         Settle(40);
                         return std::nullopt;
                     }});
    steps.push_back({L"plug it again", relisting, [this]() -> Write {
                         Simulator().Plug(kOtherDeviceId);
                         Settle(40);
                         return std::nullopt;
                     }});
    return steps;
}

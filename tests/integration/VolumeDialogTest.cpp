// The volume page and its modal dialog against the simulator: which buttons the page
// offers, how the dialog lays out its strips, how the strips write, read and report, and
// how the dialog gives way to a device change.
#include "tests/support/AccessibleName.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/ModalDialogRun.h"

#include "driver/DeviceNotifications.h"
#include "volume/PageVolumeControl.h"
#include "volume/VolumeMonoCtrl.h"
#include "volume/VolumeStereoCtrl.h"
#include "tests/support/WindowQueries.h"

#include <commctrl.h>

#include <functional>

namespace {

constexpr UINT kPage = PageVolumeControl::IDD;

// An output (or input) with one stream format of `channels` channels and these <Channel>s.
std::string Direction(const char* element, int channels, const std::string& channelXml) {
    const std::string format =
        channels == 0
            ? std::string()
            : "<StreamFormat id=\"" + std::string(element[0] == 'I' ? "1" : "2") +
                  "\" bits=\"24\" channels=\"" + std::to_string(channels) + "\" type=\"pcm\"/>";
    return "<" + std::string(element) + ">" + format + channelXml + "</" + element + ">";
}

std::string Channel(int index, const std::string& attributes) {
    return "<Channel index=\"" + std::to_string(index) + "\" " + attributes + "/>";
}

const std::string kLevel = "controls=\"volume mute\" min=\"-24576\" max=\"0\" step=\"256\"";

RECT ClientRectIn(HWND window, HWND parent) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int Position(HWND slider) {
    return static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
}

HBITMAP Image(HWND button) {
    return reinterpret_cast<HBITMAP>(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
}

} // namespace

class VolumeDialogTest : public MainWindowTest {
protected:
    // Opens the device, shows the volume page and clicks its button, then runs `body` with
    // the dialog while it is open; the dialog is closed afterwards unless the body did.
    void WithDialog(int button, const std::function<void(HWND)>& body) {
        const HWND page = ShowPage(kPage);
        ASSERT_NE(page, nullptr);
        const bool ran = RunInModalDialog(
            Hwnd(), 20,
            [&] {
                PostMessageW(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(page, button)));
                Pump();
            },
            body);
        EXPECT_TRUE(ran) << "the volume dialog did not open";
    }
    void WithOutputDialog(const std::function<void(HWND)>& body) {
        WithDialog(PageVolumeControl::kFirstButton, body);
    }

    void OpenOutputDevice(int channels, const std::string& channelXml) {
        OpenWithDevice(DeviceXml(1, "Strips", "S1", "", Direction("Output", channels, channelXml)));
    }

    // Moves a slider to a raw position as a drag does.
    void Drag(HWND strip, HWND slider, int position, int code = TB_THUMBTRACK) {
        SendMessageW(slider, TBM_SETPOS, TRUE, position);
        SendMessageW(strip, WM_VSCROLL, MAKEWPARAM(code, position),
                     reinterpret_cast<LPARAM>(slider));
        Pump(50);
    }
    void Click(HWND strip, int button) {
        SendMessageW(strip, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(strip, button)));
        Pump(50);
    }
    // A key typed on this control, dispatched through the dialog manager as the dialog's
    // modal loop does (Tab moves the focus, Space clicks a button). The control gets the
    // focus first: without a window manager the X server may take the dialog's away.
    void PressKeyOn(HWND control, WORD key, std::initializer_list<WORD> held = {}) {
        if (GetFocus() != control)
            FocusControl(control);
        SendKey(key, held);
        // Until the queue has been quiet for 150 ms: on a busy machine the strip that takes
        // the focus is scrolled into view by a message posted after the key's.
        const HWND dialog = GetAncestor(control, GA_ROOT);
        const ULONGLONG limit = GetTickCount64() + 10000;
        ULONGLONG quietUntil = GetTickCount64() + 150;
        while (GetTickCount64() < quietUntil && GetTickCount64() < limit) {
            MSG message{};
            if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
                continue;
            }
            if (!IsDialogMessageW(dialog, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            quietUntil = GetTickCount64() + 150;
        }
    }
    std::wstring SimCommand(const std::wstring& command) {
        return Simulator().Command(command).text;
    }
};

TEST_F(VolumeDialogTest, ButtonsGoToTheDirectionsWithControlsInputFirst) {
    OpenWithDevice(DeviceXml(1, "Output only", "S1", "",
                             Direction("Input", 2, "") +
                                 Direction("Output", 2, Channel(1, "controls=\"mute\""))));
    ShowPage(kPage);
    const HWND first = PageControl(kPage, PageVolumeControl::kFirstButton);
    const HWND second = PageControl(kPage, PageVolumeControl::kSecondButton);
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_TRUE(IsWindowEnabled(first));
    EXPECT_EQ(WindowText(first), L"Output ...");
    EXPECT_FALSE(IsWindowVisible(second));
    EXPECT_EQ(WindowText(PageControl(kPage, PageVolumeControl::kChannelsGroup)), L"Channels");
    window.reset();

    OpenWithDevice(DeviceXml(1, "Both", "S1", "",
                             Direction("Input", 1, Channel(0, kLevel)) +
                                 Direction("Output", 2, Channel(0, kLevel))));
    ShowPage(kPage);
    EXPECT_EQ(WindowText(PageControl(kPage, PageVolumeControl::kFirstButton)), L"Input ...");
    EXPECT_EQ(WindowText(PageControl(kPage, PageVolumeControl::kSecondButton)), L"Output ...");
    EXPECT_TRUE(IsWindowVisible(PageControl(kPage, PageVolumeControl::kSecondButton)));
    WithDialog(PageVolumeControl::kSecondButton,
               [](HWND dialog) { EXPECT_EQ(WindowText(dialog), L"Output Volume"); });
    window.reset();

    OpenWithDevice(DeviceXml(1, "No controls", "S1", "", Direction("Output", 2, "")));
    EXPECT_FALSE(HasPage(kPage)) << "auto hides a page without controls";
}

TEST_F(VolumeDialogTest, StripsAreLaidOutLeftToRightAndTheDialogFitsThem) {
    struct Layout {
        int channels;
        std::vector<int> sliders; // per strip: 1 mono, 2 stereo
    };
    const Layout layouts[] = {{0, {1}},
                              {1, {1, 1}},
                              {2, {1, 2}},
                              {5, {1, 2, 2, 1}},
                              {34, {1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}}};
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.channels);
        OpenOutputDevice(layout.channels, Channel(0, kLevel) +
                                              Channel(1, kLevel + " name=\"Left\"") +
                                              Channel(2, kLevel + " name=\"Right\""));
        WithOutputDialog([&](HWND dialog) {
            const std::vector<HWND> strips = Children(dialog);
            ASSERT_EQ(strips.size(), layout.sliders.size());
            int expectedLeft = 4;
            for (size_t i = 0; i < strips.size(); ++i) {
                const RECT bounds = ClientRectIn(strips[i], dialog);
                EXPECT_EQ(bounds.left, expectedLeft) << i;
                EXPECT_EQ(bounds.top, 20) << i;
                EXPECT_NE(GetWindowLongPtrW(strips[i], GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
                const bool stereo =
                    GetDlgItem(strips[i], VolumeStereoCtrl::kRightSlider) != nullptr;
                EXPECT_EQ(stereo ? 2 : 1, layout.sliders[i]) << i;
                expectedLeft = bounds.right + 8;
            }
            RECT client{};
            GetClientRect(dialog, &client);
            const RECT last = ClientRectIn(strips.back(), dialog);
            const RECT master = ClientRectIn(strips.front(), dialog);
            // A row wider than the screen scrolls over its whole width instead.
            SCROLLINFO scroll{};
            scroll.cbSize = sizeof(scroll);
            scroll.fMask = SIF_RANGE;
            const bool scrolls = (GetWindowLongPtrW(dialog, GWL_STYLE) & WS_HSCROLL) != 0 &&
                                 GetScrollInfo(dialog, SB_HORZ, &scroll);
            EXPECT_EQ(scrolls ? scroll.nMax + 1 : client.right, last.right + 4);
            EXPECT_EQ(client.bottom, 20 + master.bottom - master.top);
            EXPECT_EQ(WindowText(GetDlgItem(strips[0], VolumeMonoCtrl::kName)), L"Master");
            if (layout.channels >= 2) {
                EXPECT_EQ(WindowText(GetDlgItem(strips[1], VolumeStereoCtrl::kName)),
                          L"Left\nRight");
            }
            if (layout.channels == 5) {
                EXPECT_EQ(WindowText(GetDlgItem(strips[3], VolumeMonoCtrl::kName)), L"Output 5");
            }
            if (layout.channels == 34) {
                EXPECT_EQ(WindowText(GetDlgItem(strips[17], VolumeStereoCtrl::kName)),
                          L"Output 33\nOutput 34");
            }
        });
        window.reset();
    }
}

TEST_F(VolumeDialogTest, ARowWiderThanTheScreenScrollsAndTheFocusedStripComesIntoView) {
    OpenOutputDevice(255, Channel(0, kLevel) + Channel(255, kLevel));
    WithOutputDialog([&](HWND dialog) {
        const std::vector<HWND> strips = Children(dialog);
        ASSERT_EQ(strips.size(), 129u);
        RECT frame{};
        GetWindowRect(dialog, &frame);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
        EXPECT_GE(frame.left, monitor.rcWork.left);
        EXPECT_LE(frame.right, monitor.rcWork.right);
        EXPECT_NE(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_HSCROLL, 0);
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.bottom,
                  20 + ClientRectIn(strips[0], dialog).bottom - ClientRectIn(strips[0], dialog).top)
            << "the scroll bar takes no height from the strips";

        SendMessageW(dialog, WM_HSCROLL, SB_RIGHT, 0);
        EXPECT_EQ(ClientRectIn(strips.back(), dialog).right, client.right - 4);
        SendMessageW(dialog, WM_HSCROLL, SB_LEFT, 0);
        EXPECT_EQ(ClientRectIn(strips.front(), dialog).left, 4);

        // Shift+Tab from the first control wraps to the last strip, out of sight until then.
        const HWND first = GetDlgItem(strips.front(), VolumeMonoCtrl::kSlider);
        PressKeyOn(first, VK_TAB, {VK_SHIFT});
        ASSERT_TRUE(IsChild(strips.back(), GetFocus()));
        const RECT last = ClientRectIn(strips.back(), dialog);
        EXPECT_GE(last.left, 0);
        EXPECT_LE(last.right, client.right);
        PressKeyOn(GetFocus(), VK_TAB);
        EXPECT_EQ(GetFocus(), first);
        EXPECT_EQ(ClientRectIn(strips.front(), dialog).left, 4);
    });
}

TEST_F(VolumeDialogTest, AMonoStripWritesEachNewLevelOnceAndFollowsTheDevice) {
    OpenOutputDevice(1, Channel(0, kLevel + " volume=\"-2560\"") + Channel(1, kLevel));
    WithOutputDialog([&](HWND dialog) {
        const HWND master = Children(dialog)[0];
        const HWND slider = GetDlgItem(master, VolumeMonoCtrl::kSlider);
        const HWND level = GetDlgItem(master, VolumeMonoCtrl::kLevel);
        EXPECT_EQ(Position(slider), -24576 + 2560);
        EXPECT_EQ(WindowText(level), L"-10");
        ClearCalls();

        // -300 from the top lands on -256 (-1 dB), the nearer step.
        Drag(master, slider, -24576 + 300);
        Drag(master, slider, -24576 + 300, TB_THUMBPOSITION);
        Drag(master, slider, -24576 + 300, TB_ENDTRACK);
        EXPECT_EQ(Calls(L"KORVELINE_SetVolume"),
                  std::vector<std::wstring>{L"KORVELINE_SetVolume(" +
                                            std::to_wstring(window->OpenedDevice()) +
                                            L", 0, 0, -256)"});
        EXPECT_EQ(WindowText(level), L"-1");

        // A change made at the device reaches the strip through the notification.
        SimCommand(L"set-volume 1 out 0 -3072");
        Pump();
        EXPECT_EQ(Position(slider), -24576 + 3072);
        EXPECT_EQ(WindowText(level), L"-12");
        SimCommand(L"set-mute 1 out 0 on");
        Pump();
        EXPECT_FALSE(IsWindowEnabled(slider));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(master, VolumeMonoCtrl::kZeroDbButton)));

        // Unmuting with the button, then back to 0 dB, each read back.
        ClearCalls();
        Click(master, VolumeMonoCtrl::kMuteButton);
        EXPECT_EQ(Calls(L"KORVELINE_SetMute").size(), 1u);
        EXPECT_TRUE(IsWindowEnabled(slider));
        Click(master, VolumeMonoCtrl::kZeroDbButton);
        EXPECT_EQ(Calls(L"KORVELINE_SetVolume").size(), 1u);
        EXPECT_EQ(Position(slider), -24576);
        EXPECT_EQ(WindowText(level), L"0");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(master, VolumeMonoCtrl::kZeroDbButton)));
    });
}

TEST_F(VolumeDialogTest, KeysMoveTheSliderAndEachMoveIsWrittenOnce) {
    OpenOutputDevice(1, Channel(0, kLevel + " volume=\"-2560\"") + Channel(1, kLevel));
    WithOutputDialog([&](HWND dialog) {
        const HWND master = Children(dialog)[0];
        const HWND slider = GetDlgItem(master, VolumeMonoCtrl::kSlider);
        const std::wstring device = std::to_wstring(window->OpenedDevice());
        const auto written = [&] { return Calls(L"KORVELINE_SetVolume"); };
        ClearCalls();
        PressKeyOn(slider, VK_HOME);
        EXPECT_EQ(written(),
                  std::vector<std::wstring>{L"KORVELINE_SetVolume(" + device + L", 0, 0, 0)"});
        ClearCalls();
        PressKeyOn(slider, VK_DOWN);
        EXPECT_EQ(written(),
                  std::vector<std::wstring>{L"KORVELINE_SetVolume(" + device + L", 0, 0, -256)"});
        ClearCalls();
        PressKeyOn(slider, VK_END);
        EXPECT_EQ(written(),
                  std::vector<std::wstring>{L"KORVELINE_SetVolume(" + device + L", 0, 0, -24576)"});
        ClearCalls();
        PressKeyOn(slider, VK_PRIOR);
        EXPECT_EQ(written().size(), 1u);

        // Tab goes from the slider to the strip's buttons and on into the next strip;
        // Space toggles the mute.
        const HWND mute = GetDlgItem(master, VolumeMonoCtrl::kMuteButton);
        EXPECT_EQ(GetNextDlgTabItem(dialog, slider, FALSE), mute);
        EXPECT_EQ(
            GetNextDlgTabItem(dialog, GetDlgItem(master, VolumeMonoCtrl::kZeroDbButton), FALSE),
            GetDlgItem(Children(dialog)[1], VolumeMonoCtrl::kSlider));
        ClearCalls();
        PressKeyOn(mute, VK_SPACE);
        EXPECT_EQ(Calls(L"KORVELINE_SetMute"),
                  std::vector<std::wstring>{L"KORVELINE_SetMute(" + device + L", 0, 0, 1)"});
        EXPECT_FALSE(IsWindowEnabled(slider));
    });
}

TEST_F(VolumeDialogTest, APairLinksOnlyEqualRangesMovesTogetherAndMutesAsOne) {
    OpenOutputDevice(
        4, Channel(0, kLevel) + Channel(1, kLevel + " volume=\"-512\"") +
               Channel(2, kLevel + " volume=\"-1536\"") + Channel(3, kLevel) +
               Channel(4, "controls=\"volume mute\" min=\"-12288\" max=\"0\" step=\"256\""));
    WithOutputDialog([&](HWND dialog) {
        const std::vector<HWND> strips = Children(dialog);
        ASSERT_EQ(strips.size(), 3u);
        const HWND pair = strips[1];
        const HWND left = GetDlgItem(pair, VolumeStereoCtrl::kLeftSlider);
        const HWND right = GetDlgItem(pair, VolumeStereoCtrl::kRightSlider);
        const HWND link = GetDlgItem(pair, VolumeStereoCtrl::kLinkButton);
        const HBITMAP notLinked = Image(link);
        // Different volumes end the link the equal ranges would give.
        EXPECT_TRUE(IsWindowEnabled(link));

        // Linking moves both to the average position and writes both.
        ClearCalls();
        Click(pair, VolumeStereoCtrl::kLinkButton);
        EXPECT_EQ(Calls(L"KORVELINE_SetVolume").size(), 2u);
        EXPECT_EQ(Position(left), -24576 + 1024);
        EXPECT_EQ(Position(right), -24576 + 1024);
        EXPECT_EQ(WindowText(GetDlgItem(pair, VolumeStereoCtrl::kRightLevel)), L"-4");
        EXPECT_NE(Image(link), notLinked);

        // A linked drag moves and writes the other channel too.
        ClearCalls();
        Drag(pair, right, -24576 + 2048);
        EXPECT_EQ(Position(left), -24576 + 2048);
        EXPECT_EQ(Calls(L"KORVELINE_SetVolume").size(), 2u);

        // The pair counts as muted only when both channels are.
        SimCommand(L"set-mute 1 out 1 on");
        Pump();
        EXPECT_TRUE(IsWindowEnabled(left));
        SimCommand(L"set-mute 1 out 2 on");
        Pump();
        EXPECT_FALSE(IsWindowEnabled(left));
        EXPECT_FALSE(IsWindowEnabled(link));
        ClearCalls();
        Click(pair, VolumeStereoCtrl::kMuteButton);
        EXPECT_EQ(Calls(L"KORVELINE_SetMute").size(), 2u);
        EXPECT_TRUE(IsWindowEnabled(right));

        // Channels 3 and 4 differ in range: no link, its button disabled and unlinked.
        const HWND otherLink = GetDlgItem(strips[2], VolumeStereoCtrl::kLinkButton);
        EXPECT_FALSE(IsWindowEnabled(otherLink));
        ClearCalls();
        Drag(strips[2], GetDlgItem(strips[2], VolumeStereoCtrl::kLeftSlider), -24576 + 768);
        EXPECT_EQ(Calls(L"KORVELINE_SetVolume").size(), 1u);
    });
}

TEST_F(VolumeDialogTest, AFailingWriteIsReportedOnceAndDisablesTheControl) {
    OpenOutputDevice(2, Channel(0, kLevel) + Channel(1, kLevel) + Channel(2, kLevel));
    WithOutputDialog([&](HWND dialog) {
        const std::vector<HWND> strips = Children(dialog);
        const HWND slider = GetDlgItem(strips[0], VolumeMonoCtrl::kSlider);
        Simulator().Fail("KORVELINE_SetVolume", 0xEE000123, kSimFailAlways);
        Drag(strips[0], slider, -24576 + 1024);
        Drag(strips[0], slider, -24576 + 2048);
        EXPECT_FALSE(IsWindowEnabled(slider));
        EXPECT_EQ(Calls(L"KORVELINE_SetVolume").size(), 1u);
        ASSERT_EQ(ErrorBoxes().size(), 1u);
        EXPECT_NE(ErrorBoxes()[0].text.find(L"KORVELINE_SetVolume"), std::wstring::npos);
        // A linked pair writes both channels; each failure is reported, then neither writes.
        const HWND left = GetDlgItem(strips[1], VolumeStereoCtrl::kLeftSlider);
        Drag(strips[1], left, -24576 + 1024);
        Drag(strips[1], left, -24576 + 2048);
        Simulator().Fail("KORVELINE_SetVolume", 0, kSimFailOff);
        EXPECT_EQ(Calls(L"KORVELINE_SetVolume").size(), 3u);
        EXPECT_EQ(ErrorBoxes().size(), 3u);
        EXPECT_FALSE(IsWindowEnabled(left));

        Simulator().Fail("KORVELINE_SetMute", 0xEE000123, kSimFailAlways);
        Click(strips[1], VolumeStereoCtrl::kMuteButton);
        Simulator().Fail("KORVELINE_SetMute", 0, kSimFailOff);
        EXPECT_EQ(Calls(L"KORVELINE_SetMute").size(), 1u);
        EXPECT_EQ(ErrorBoxes().size(), 4u);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(strips[1], VolumeStereoCtrl::kMuteButton)));
    });
}

TEST_F(VolumeDialogTest, FailingReadsAreSilentAndLeaveTheStripsDisabled) {
    OpenOutputDevice(1, Channel(0, kLevel) + Channel(1, kLevel));
    Simulator().Fail("KORVELINE_GetVolume", 0xEE000123, kSimFailAlways);
    Simulator().Fail("KORVELINE_GetMute", 0xEE000123, kSimFailAlways);
    WithOutputDialog([&](HWND dialog) {
        for (const HWND strip : Children(dialog)) {
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(strip, VolumeMonoCtrl::kSlider)));
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(strip, VolumeMonoCtrl::kMuteButton)));
        }
    });
    EXPECT_TRUE(ErrorBoxes().empty());

    // Records that cannot be read are reported once per opening, with the first failing
    // channel's code, and every strip still comes.
    Simulator().Fail("KORVELINE_GetVolume", 0, kSimFailOff);
    Simulator().Fail("KORVELINE_GetMute", 0, kSimFailOff);
    Simulator().Fail("KORVELINE_GetVolumeMuteInfo", 0xEE000123, kSimFailAlways);
    WithOutputDialog([&](HWND dialog) {
        Simulator().Fail("KORVELINE_GetVolumeMuteInfo", 0, kSimFailOff);
        EXPECT_EQ(Children(dialog).size(), 2u);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Children(dialog)[0], VolumeMonoCtrl::kSlider)));
    });
    ASSERT_EQ(ErrorBoxes().size(), 1u);
    EXPECT_NE(ErrorBoxes()[0].text.find(L"KORVELINE_GetVolumeMuteInfo"), std::wstring::npos);
    EXPECT_NE(ErrorBoxes()[0].text.find(L"EE000123"), std::wstring::npos);
}

TEST_F(VolumeDialogTest, ADeviceArrivalClosesTheDialogAndTheUpdateRunsAfterIt) {
    OpenOutputDevice(2, Channel(0, kLevel));
    HWND dialog = nullptr;
    WithOutputDialog([&](HWND open) {
        dialog = open;
        ClearCalls();
        SendMessageW(Hwnd(), MSG_PNP_CHANGED, kDeviceChangeArrival, 0);
        // The dialog is ending; the update waits until its modal loop is left.
        EXPECT_FALSE(IsWindowVisible(open));
        EXPECT_TRUE(Calls(L"KORVELINE_EnumerateDevices").empty());
    });
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(Calls(L"KORVELINE_EnumerateDevices").size(), 1u);
    EXPECT_NE(window->OpenedDevice(), 0u) << "the single device is opened again";
    EXPECT_TRUE(HasPage(kPage));
}

TEST_F(VolumeDialogTest, LeavingThePageClosesTheDialogAndAHiddenWindowForwardsNothing) {
    OpenOutputDevice(1, Channel(0, kLevel));
    HWND dialog = nullptr;
    WithOutputDialog([&](HWND open) {
        dialog = open;
        ShowWindow(Hwnd(), SW_HIDE);
        ClearCalls();
        SimCommand(L"set-volume 1 out 0 -1024");
        Pump();
        EXPECT_TRUE(Calls(L"KORVELINE_GetVolume").empty());
        ShowWindow(Hwnd(), SW_SHOW);
        SendMessageW(Hwnd(), PSM_SETCURSEL, 0, 0);
        Pump();
        EXPECT_FALSE(IsWindowVisible(open)) << "the dialog is ending";
    });
    EXPECT_FALSE(IsWindow(dialog));
}

namespace {

// The tooltip's text for a control of a strip; empty when it has none. The tooltip
// windows are owned by the dialog (an owner is always a top-level window).
std::wstring TipOf(HWND control) {
    const HWND dialog = GetAncestor(control, GA_ROOT);
    HWND tips = nullptr;
    while ((tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) != nullptr) {
        wchar_t text[256] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = GetParent(control);
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text;
        if (GetWindow(tips, GW_OWNER) == dialog &&
            SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) {
            SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
            return text;
        }
    }
    return {};
}

} // namespace

TEST_F(VolumeDialogTest, StripControlsAreNamedAfterTheirChannelsAndTheButtonsShowItAsATip) {
    OpenOutputDevice(2, Channel(0, kLevel) + Channel(1, kLevel + " name=\"Left\"") +
                            Channel(2, kLevel + " name=\"Right\""));
    WithOutputDialog([&](HWND dialog) {
        const std::vector<HWND> strips = Children(dialog);
        ASSERT_EQ(strips.size(), 2u);
        const HWND master = strips[0];
        const HWND pair = strips[1];
        const struct {
            HWND strip;
            int id;
            const wchar_t* name;
            bool tip;
        } controls[] = {
            {master, VolumeMonoCtrl::kSlider, L"Master volume", false},
            {master, VolumeMonoCtrl::kMuteButton, L"Mute Master", true},
            {master, VolumeMonoCtrl::kZeroDbButton, L"Master to 0 dB", true},
            {pair, VolumeStereoCtrl::kLeftSlider, L"Left volume", false},
            {pair, VolumeStereoCtrl::kRightSlider, L"Right volume", false},
            {pair, VolumeStereoCtrl::kLinkButton, L"Link Left / Right", true},
            {pair, VolumeStereoCtrl::kMuteButton, L"Mute Left / Right", true},
            {pair, VolumeStereoCtrl::kZeroDbButton, L"Left / Right to 0 dB", true},
        };
        for (const auto& control : controls) {
            const HWND window = GetDlgItem(control.strip, control.id);
            SCOPED_TRACE(testing::Message() << "control " << control.id);
            EXPECT_EQ(WindowText(window), control.name);
            EXPECT_EQ(TipOf(window), control.tip ? control.name : L"");
            // A button is read by its text; a slider, by the label right before it.
            EXPECT_EQ(control.tip ? AccessibleName(window) : LabelBefore(window), control.name)
                << "read by a screen reader";
        }
    });
}

TEST_F(VolumeDialogTest, MuteButtonsAreCheckedExactlyWhileTheDriverReportsMuted) {
    OpenOutputDevice(2, Channel(0, kLevel) + Channel(1, kLevel) + Channel(2, kLevel));
    WithOutputDialog([&](HWND dialog) {
        const std::vector<HWND> strips = Children(dialog);
        ASSERT_EQ(strips.size(), 2u);
        const HWND mutes[] = {GetDlgItem(strips[0], VolumeMonoCtrl::kMuteButton),
                              GetDlgItem(strips[1], VolumeStereoCtrl::kMuteButton)};
        const auto expectMuted = [&mutes](bool muted) {
            for (const HWND mute : mutes) {
                // The state the system's accessibility library reports for a check box.
                EXPECT_EQ(SendMessageW(mute, BM_GETCHECK, 0, 0),
                          muted ? BST_CHECKED : BST_UNCHECKED);
                EXPECT_EQ(GetWindowLongW(mute, GWL_STYLE) & BS_TYPEMASK, BS_CHECKBOX);
            }
        };
        expectMuted(false);
        for (const wchar_t* channel : {L"0", L"1", L"2"})
            SimCommand(std::wstring(L"set-mute 1 out ") + channel + L" on");
        Pump();
        expectMuted(true);

        // Space on each asks the driver for the other state, which the buttons then show.
        ClearCalls();
        for (const HWND mute : mutes)
            PressKeyOn(mute, VK_SPACE);
        EXPECT_EQ(Calls(L"KORVELINE_SetMute").size(), 3u);
        expectMuted(false);
    });
}

TEST_F(VolumeDialogTest, EscapeClosesTheDialogAndTheFocusReturnsToItsButton) {
    OpenOutputDevice(1, Channel(0, kLevel));
    ShowPage(kPage);
    const HWND button = PageControl(kPage, PageVolumeControl::kFirstButton);
    FocusControl(button);
    HWND dialogSeen = nullptr;
    WithOutputDialog([&](HWND dialog) {
        dialogSeen = dialog;
        PressKeyOn(GetDlgItem(Children(dialog)[0], VolumeMonoCtrl::kSlider), VK_ESCAPE);
    });
    ASSERT_NE(dialogSeen, nullptr);
    EXPECT_FALSE(IsWindow(dialogSeen)) << "Escape closed the dialog";
    EXPECT_EQ(GetFocus(), button);
}

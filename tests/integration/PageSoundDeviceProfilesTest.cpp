// The sound device profiles page against the simulated driver.
#include "pages/PageSoundDeviceProfiles.h"
#include "tests/support/MainWindowFixture.h"

namespace {

using Texts = std::vector<std::wstring>;
constexpr UINT kPage = PageSoundDeviceProfiles::IDD;

// Input without formats but with virtual profiles; output with two formats.
const std::string kVirtualInput = "<Input currentVirtualProfile=\"off\">"
                                  "<VirtualProfile id=\"loop\" name=\"Loopback\"/>"
                                  "<VirtualProfile id=\"off\" name=\"Off\"/></Input>";
std::string Output(const std::string& currentProfile = "phones",
                   const std::string& stereoId = "stereo") {
    return "<Output currentFormat=\"2\">"
           "<StreamFormat id=\"1\" bits=\"16\" channels=\"2\"><Profile id=\"stereo\" "
           "name=\"Stereo\"/></StreamFormat>"
           "<StreamFormat id=\"2\" bits=\"24\" channels=\"2\" currentProfile=\"" +
           currentProfile + "\"><Profile id=\"" + stereoId +
           "\" name=\"Stereo speakers\"/><Profile id=\"phones\" name=\"Headphones\"/>"
           "</StreamFormat></Output>";
}

std::string Device(const std::string& sides, const std::string& options = "0x2") {
    return DeviceXml(1, "Alpha DAC", "A-1", "panelOptions=\"" + options + "\"", sides);
}

class Profiles : public MainWindowTest {
protected:
    HWND Upper() const { return PageControl(kPage, PageSoundDeviceProfiles::kUpperSelector); }
    HWND Lower() const { return PageControl(kPage, PageSoundDeviceProfiles::kLowerSelector); }
    std::wstring GroupText(int id) const {
        wchar_t text[64] = {};
        GetWindowTextW(PageControl(kPage, id), text, 64);
        return IsWindowVisible(PageControl(kPage, id)) ? text : L"(hidden)";
    }
    std::vector<std::wstring> Writes() const {
        std::vector<std::wstring> writes = Calls(L"KORVELINE_SetSoundDeviceProfile");
        for (const std::wstring& call : Calls(L"KORVELINE_SetVirtualSoundDeviceProfile"))
            writes.push_back(call);
        return writes;
    }
};

TEST_F(Profiles, VirtualAndRealSidesListTheirProfilesWithTheCurrentOnesSelected) {
    OpenWithDevice(Device(kVirtualInput + Output()));
    ASSERT_NE(ShowPage(kPage), nullptr);
    EXPECT_EQ(GroupText(PageSoundDeviceProfiles::kUpperGroup), L"Input");
    EXPECT_EQ(ComboTexts(Upper()), (Texts{L"Loopback", L"Off"}));
    EXPECT_EQ(ComboSelectedText(Upper()), L"Off");
    EXPECT_EQ(GroupText(PageSoundDeviceProfiles::kLowerGroup), L"Output");
    EXPECT_EQ(ComboTexts(Lower()), (Texts{L"Stereo speakers", L"Headphones"}));
    EXPECT_EQ(ComboItemData(Lower()), (std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ(ComboSelectedText(Lower()), L"Headphones");
    EXPECT_TRUE(IsWindowEnabled(Upper()) && IsWindowEnabled(Lower()));
    const HWND page = GetParent(Upper());
    EXPECT_EQ(GetNextDlgTabItem(page, nullptr, FALSE), Upper());
    EXPECT_EQ(GetNextDlgTabItem(page, Upper(), FALSE), Lower());
}

TEST_F(Profiles, AChoiceWritesItsRequestOnceAndReadsBack) {
    OpenWithDevice(Device(kVirtualInput + Output()));
    ShowPage(kPage);
    ClearCalls();
    ChooseComboEntry(Lower(), 0);
    EXPECT_EQ(Writes(),
              Texts{DeviceCall(L"KORVELINE_SetSoundDeviceProfile", L"{2, \"stereo\"}, 1")});
    EXPECT_EQ(ComboSelectedText(Lower()), L"Stereo speakers");

    ClearCalls();
    ChooseComboEntry(Upper(), 0);
    EXPECT_EQ(Writes(),
              Texts{DeviceCall(L"KORVELINE_SetVirtualSoundDeviceProfile", L"{1, \"loop\"}, 1")});
    EXPECT_EQ(ComboSelectedText(Upper()), L"Loopback");

    FocusControl(Lower());
    ClearCalls();
    PressKey(VK_DOWN);
    EXPECT_EQ(Writes(),
              Texts{DeviceCall(L"KORVELINE_SetSoundDeviceProfile", L"{2, \"phones\"}, 1")})
        << "keyboard";
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(Profiles, AFormatChangeBringsItsProfilesAndASingleOneIsNotAChoice) {
    OpenWithDevice(Device(kVirtualInput + Output()));
    ShowPage(kPage);
    Simulator().Command(L"set-format 1 out 1");
    Pump();
    EXPECT_EQ(ComboTexts(Lower()), Texts{L"Stereo"});
    EXPECT_EQ(ComboSelectedText(Lower()), L"Stereo");
    EXPECT_FALSE(IsWindowEnabled(Lower()));
}

TEST_F(Profiles, ARefusedProfileIsReportedOnceAndTheCurrentOneSelectedAgain) {
    OpenWithDevice(Device(kVirtualInput + Output()));
    ShowPage(kPage);
    Simulator().Fail("KORVELINE_SetSoundDeviceProfile", 0xEE000002, kSimFailOnce);
    ChooseComboEntry(Lower(), 0);
    ASSERT_EQ(ErrorBoxes().size(), 1u);
    EXPECT_NE(ErrorBoxes()[0].text.find(L"\"SaveSelectedSoundDeviceProfile: "
                                        L"KORVELINE_SetSoundDeviceProfile -> 0xEE000002\""),
              std::wstring::npos)
        << ErrorBoxes()[0].text;
    EXPECT_EQ(ComboSelectedText(Lower()), L"Headphones");
}

TEST_F(Profiles, ALibraryWithoutTheVirtualEntryPointReportsItForTheVirtualSide) {
    OwnBinding().KORVELINE_SetVirtualSoundDeviceProfile = nullptr;
    OpenWithDevice(Device(kVirtualInput + Output()));
    ShowPage(kPage);
    ChooseComboEntry(Upper(), 0);
    ASSERT_EQ(ErrorBoxes().size(), 1u);
    EXPECT_NE(ErrorBoxes()[0].text.find(L"KORVELINE_SetVirtualSoundDeviceProfile -> 0xEE000030"),
              std::wstring::npos);
    EXPECT_EQ(ComboSelectedText(Upper()), L"Off");
    ChooseComboEntry(Lower(), 0);
    EXPECT_EQ(Calls(L"KORVELINE_SetSoundDeviceProfile").size(), 1u) << "the real side writes";
    window.reset();

    // Without the profile lists the virtual side does not exist and the real one is empty.
    OwnBinding().KORVELINE_GetExtendedInfo = nullptr;
    OpenMainWindow();
    ShowPage(kPage);
    EXPECT_EQ(GroupText(PageSoundDeviceProfiles::kUpperGroup), L"Output");
    EXPECT_TRUE(ComboTexts(Upper()).empty());
    EXPECT_EQ(ErrorBoxes().size(), 1u) << "reads report nothing";
}

TEST_F(Profiles, IdsMatchExactlyAndAreCutTo63Characters) {
    const std::string longId(70, 'x');
    OpenWithDevice(Device(Output("STEREO") + kVirtualInput));
    ShowPage(kPage);
    EXPECT_EQ(ComboSelectedText(Lower()), L"") << "letter case counts";
    window.reset();

    OpenWithDevice(Device(Output("phones", longId)));
    ShowPage(kPage);
    ClearCalls();
    ChooseComboEntry(Upper(), 0);
    EXPECT_EQ(Writes(), Texts{DeviceCall(L"KORVELINE_SetSoundDeviceProfile",
                                         L"{2, \"" + std::wstring(63, L'x') + L"\"}, 1")});
}

TEST_F(Profiles, ASideWithoutFormatsOrVirtualProfilesGetsNoSection) {
    settings.soundDeviceProfilesPage = Visibility::Visible;
    OpenWithDevice(Device(""));
    ASSERT_NE(ShowPage(kPage), nullptr);
    EXPECT_EQ(GroupText(PageSoundDeviceProfiles::kUpperGroup), L"(hidden)");
    EXPECT_EQ(GroupText(PageSoundDeviceProfiles::kLowerGroup), L"(hidden)");
}

TEST_F(Profiles, AutoFollowsTheDriversPanelOptions) {
    OpenWithDevice(Device(Output(), "0x1"));
    EXPECT_FALSE(HasPage(kPage));
    window.reset();
    OpenWithDevice(Device(Output(), "0x2"));
    EXPECT_TRUE(HasPage(kPage));
}

} // namespace

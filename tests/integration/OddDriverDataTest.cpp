// Every page, and the volume dialog of each direction, against a driver whose data is odd:
// lists longer than the room given, empty lists, lists whose size changes between two
// reads, repeated ids and id 0, current values that are not listed, ASIO instance numbers
// that are not positions, strings without terminator, a format of 255 channels. Whatever
// the data, a page shows no more entries than its buffers hold and no text longer than
// the driver's records can carry, and a read reports nothing.
#include "app/PageTable.h"
#include "bench/SoakLoop.h"
#include "sim/SimFaults.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/WindowQueries.h"
#include "volume/PageVolumeControl.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

// The longest text a page composes from records: a stereo strip's two channel names of
// 160 units each and a few characters between them.
constexpr int kLongestText = 340;
// The most entries a selector or list can take from the driver (a device list).
constexpr int kMostEntries = 128;
// Master, 127 pairs and an odd channel: 255 channels.
constexpr int kMostStrips = 129;

struct OddCase {
    const char* what;
    std::string scenarioXml; // ASIO instances and devices; device index 0 is opened
    std::uint32_t misbehaviour = 0;
    bool oddData = false;
};

// Two devices with every page and ordinary data; two ASIO instances.
const std::string kOrdinary = R"(
  <AsioInstance number="0" name="Main" bufferSizes="64 128 256"/>
  <AsioInstance number="1" name="Second" bufferSizes="32 64"/>
  <Device id="1" product="Ordinary" serial="O-1" panelOptions="3" asioInstance="0"
          asioAllowed="0 1">
    <SampleRates current="48000">44100 48000 96000</SampleRates>
    <ClockSources current="1"><ClockSource id="1" name="Internal"/>
      <ClockSource id="2" name="Word" settleMs="100"/><ClockSource id="3" name="ADAT"/>
    </ClockSources>
    <Input currentFormat="1" currentVirtualProfile="v1">
      <StreamFormat id="1" channels="2"><Profile id="a" name="A"/><Profile id="b" name="B"/>
      </StreamFormat>
      <StreamFormat id="2" channels="8"/>
      <VirtualProfile id="v1" name="V1"/><VirtualProfile id="v2" name="V2"/>
      <Channel index="0" name="Master" controls="volume mute"/>
      <Channel index="1" controls="volume"/><Channel index="2" controls="mute"/>
    </Input>
    <Output currentFormat="11">
      <StreamFormat id="11" channels="2"><Profile id="a" name="A"/></StreamFormat>
      <StreamFormat id="12" channels="6"/>
      <Channel index="0" controls="volume mute"/><Channel index="5" controls="volume"/>
    </Output>
  </Device>
  <Device id="2" product="Second" serial="S-2" asioInstance="1" asioAllowed="0 1"/>)";

// Repeated ids, id 0, current values that are not listed, instance numbers 9, 5 and 9
// again, and two devices of one identity.
const std::string kRepeatedAndUnlisted = R"(
  <AsioInstance number="9" name="Nine"/><AsioInstance number="5" name="Five"/>
  <AsioInstance number="9" name="Nine again"/>
  <Device id="1" product="Twin" serial="T-1" panelOptions="3" asioInstance="7"
          asioAllowed="5 9">
    <SampleRates current="12345">44100 44100 0</SampleRates>
    <ClockSources current="9"><ClockSource id="0" name="Zero"/>
      <ClockSource id="2" name="Word A"/><ClockSource id="2" name="Word B"/></ClockSources>
    <Input currentFormat="99" currentVirtualProfile="gone">
      <StreamFormat id="0" channels="2" currentProfile="gone">
        <Profile id="p" name="P1"/><Profile id="p" name="P2"/></StreamFormat>
      <StreamFormat id="0" channels="4"/>
      <VirtualProfile id="v" name="V1"/><VirtualProfile id="v" name="V2"/>
      <Channel index="0" controls="volume mute"/>
    </Input>
    <Output currentFormat="0">
      <StreamFormat id="0" channels="2"/><StreamFormat id="5" channels="6"/>
      <Channel index="0" controls="volume"/>
    </Output>
  </Device>
  <Device id="2" product="Twin" serial="T-1" asioInstance="9" asioAllowed="5 9"/>)";

// An audio device with nothing in any list and no ASIO instance; one control.
const std::string kEmptyLists = R"(
  <Device id="1" product="Bare" serial=""><Output><Channel index="0" controls="mute"/></Output>
  </Device>)";

// An output format of 255 channels with controls scattered over them.
const std::string kWideFormat = R"(
  <Device id="1" product="Wide" serial="W-1">
    <SampleRates>48000</SampleRates>
    <Output><StreamFormat id="1" channels="255"/><StreamFormat id="2" channels="2"/>
      <Channel index="0" controls="volume mute"/><Channel index="1" controls="volume"/>
      <Channel index="128" controls="mute"/><Channel index="255" controls="volume mute"/>
    </Output>
  </Device>)";

const OddCase kCases[] = {
    {"counts above the caller's maximum", kOrdinary, kMisbehaveCounts},
    {"strings without terminator", kOrdinary, kMisbehaveStrings},
    {"lists whose size changes between two reads", kOrdinary, kMisbehaveShiftingLists},
    {"empty lists", kEmptyLists},
    {"repeated ids, id 0, unlisted current values, instance numbers not positions",
     kRepeatedAndUnlisted, 0, true},
    {"all of it at once", kRepeatedAndUnlisted,
     kMisbehaveCounts | kMisbehaveStrings | kMisbehaveShiftingLists, true},
    {"a format of 255 channels", kWideFormat},
};

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

int ListCellLength(HWND list, int row, int column) {
    wchar_t text[1024] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 1024;
    return static_cast<int>(SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                         reinterpret_cast<LPARAM>(&item)));
}

// What a page may show, whatever the driver said: bounded entries, bounded texts.
void ExpectBounded(HWND window, const std::string& where) {
    for (const HWND control : Descendants(window)) {
        const std::wstring kind = ClassOf(control);
        EXPECT_LE(GetWindowTextLengthW(control), kLongestText) << where;
        if (kind == WC_COMBOBOXW) {
            const auto count = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
            EXPECT_LE(count, kMostEntries) << where;
            for (int entry = 0; entry < count; ++entry)
                EXPECT_LE(SendMessageW(control, CB_GETLBTEXTLEN, entry, 0), kLongestText)
                    << where << ", entry " << entry;
        } else if (kind == WC_LISTVIEWW) {
            const auto rows = static_cast<int>(SendMessageW(control, LVM_GETITEMCOUNT, 0, 0));
            EXPECT_LE(rows, kMostEntries) << where;
            for (int row = 0; row < rows; ++row)
                for (int column = 0; column < 6; ++column)
                    EXPECT_LE(ListCellLength(control, row, column), kLongestText)
                        << where << ", row " << row << ", column " << column;
        }
    }
}

class OddDriverData : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        for (Visibility* page :
             {&settings.optionsPage, &settings.streamFormatsPage, &settings.soundDeviceProfilesPage,
              &settings.sampleRatePage, &settings.clockSourcePage, &settings.asioDevicePage,
              &settings.bufferSettingsPage, &settings.volumePage})
            *page = Visibility::Visible;
    }

    // Each volume button's dialog: the strips it builds, bounded texts.
    void WalkVolumeDialogs(HWND page, const std::string& where) {
        for (const int button :
             {PageVolumeControl::kFirstButton, PageVolumeControl::kSecondButton}) {
            if (!IsWindowEnabled(GetDlgItem(page, button)))
                continue;
            int strips = 0;
            EXPECT_TRUE(RunInModalDialog(Hwnd(), page, button, [&](HWND dialog) {
                for (HWND strip = GetWindow(dialog, GW_CHILD); strip;
                     strip = GetWindow(strip, GW_HWNDNEXT))
                    ++strips;
                ExpectBounded(dialog, where + ", volume dialog");
            })) << where;
            EXPECT_GE(strips, 1) << where;
            EXPECT_LE(strips, kMostStrips) << where;
            Pump(20);
        }
    }
};

TEST_F(OddDriverData, EveryPageShowsBoundedEntriesAndTextsAndReportsNoRead) {
    for (const OddCase& odd : kCases) {
        SCOPED_TRACE(odd.what);
        Simulator().Reset();
        scenarioAttributes = odd.oddData ? "oddData=\"true\"" : "";
        ASSERT_EQ(Simulator().SetMisbehaviour(odd.misbehaviour), 0u);
        OpenWithDevice(odd.scenarioXml);
        ExpectBounded(window->StatusPage().Hwnd(), "status page");
        for (const PageRow& row : DevicePageRows()) {
            const HWND page = ShowPage(row.dialogId);
            if (page == nullptr)
                continue;
            Pump(20);
            const std::string where = "page " + std::to_string(row.dialogId);
            ExpectBounded(page, where);
            if (row.dialogId == PageVolumeControl::IDD)
                WalkVolumeDialogs(page, where);
        }
        // A notification of every kind refreshes whatever is current once more.
        for (std::uint32_t code = 1; code <= 9; ++code)
            Simulator().Command(L"notify 1 " + std::to_wstring(code));
        Pump(50);
        ExpectBounded(Hwnd(), "after notifications");
        EXPECT_TRUE(ErrorBoxes().empty()) << ErrorBoxes().front().text.c_str();
        window.reset();
        Pump(20);
    }
}

} // namespace

// Scenario files: what a scenario may leave out, and that a faulty one is refused as a
// whole with a message that points at the fault.

#include "sim/SimStatus.h"
#include "tests/support/SimulatorTestBase.h"

#include <fstream>

namespace {

class SimScenario : public SimulatorTestBase {
protected:
    // Loads the text and expects it refused with a message containing `fragment`.
    void ExpectRefused(const std::string& xml, const std::wstring& fragment) {
        SimReply reply = Simulator().LoadScenarioText(xml);
        EXPECT_EQ(reply.status, kSimBadScenario) << xml;
        EXPECT_NE(reply.text.find(fragment), std::wstring::npos) << reply.text.c_str();
    }
};

TEST_F(SimScenario, AnEmptyScenarioHasDefaultsAndNoDevices) {
    ASSERT_EQ(Simulator().LoadScenarioText("<Scenario/>").status, 0u);
    EXPECT_EQ(KORVELINE_GetApiVersion(), KorvelineApiVersion(5, 16));
    EXPECT_NE(KORVELINE_CheckApiVersion(5, 16), 0u);
    EXPECT_EQ(KORVELINE_GetDeviceCount(), 0u);
    std::uint32_t count = 9;
    EXPECT_EQ(KORVELINE_GetASIOInstanceCount(&count), 0u);
    EXPECT_EQ(count, 0u);
}

TEST_F(SimScenario, OmittedDeviceValuesTakeTheirDefaults) {
    ASSERT_EQ(Simulator()
                  .LoadScenarioText(R"(<Scenario apiVersion="0x00050009">
                      <Device product="Plain"><SampleRates>32000 44100</SampleRates>
                        <Output><StreamFormat id="7"/><Channel index="0" controls="volume"/></Output>
                      </Device>
                      <Device plugged="false" usbMode="1"/>
                    </Scenario>)")
                  .status,
              0u);
    EXPECT_EQ(KORVELINE_GetApiVersion(), KorvelineApiVersion(5, 9));
    EXPECT_EQ(KORVELINE_GetDeviceCount(), 1u) << "an unplugged device is not listed";
    DeviceHandle device = Open(0);
    std::uint32_t rate = 0;
    EXPECT_EQ(KORVELINE_GetCurrentSampleRate(device, &rate), 0u);
    EXPECT_EQ(rate, 32000u) << "the first rate is current";
    StreamFormatInfo format{};
    EXPECT_EQ(KORVELINE_GetCurrentStreamFormat(device, kDirectionOutput, &format), 0u);
    EXPECT_EQ(format.id, 7u);
    EXPECT_EQ(format.bitsPerSample, 24u);
    EXPECT_EQ(format.channelCount, 2u);
    VolumeMuteInfo info{};
    EXPECT_EQ(KORVELINE_GetVolumeMuteInfo(device, kDirectionOutput, 0, &info), 0u);
    EXPECT_EQ(info.flags, kVolumeMuteFlagHasVolume);
    EXPECT_EQ(info.minimumVolume, -24576);
    EXPECT_EQ(KORVELINE_GetVolumeMuteInfo(device, kDirectionOutput, 2, &info), 0u);
    EXPECT_EQ(info.flags, 0u) << "a channel of the format without controls";
    ASSERT_EQ(Simulator().Plug(2), 0u) << "devices are numbered from 1 in order";
    KORVELINE_EnumerateDevices();
    std::uint32_t mode = 0;
    EXPECT_EQ(KORVELINE_GetDeviceUsbMode(Open(1), &mode), 0u);
    EXPECT_EQ(mode, 1u);
}

TEST_F(SimScenario, FaultsAreRefusedWithTheirLineAndName) {
    ExpectRefused("<Scenario", L"line 1");
    ExpectRefused("<Other/>", L"root element must be <Scenario>");
    ExpectRefused("<Scenario>\n<Device vid=\"12x\"/></Scenario>",
                  L"line 2: <Device>: attribute 'vid' is '12x'");
    ExpectRefused("<Scenario><Device colour=\"red\"/></Scenario>", L"unknown attribute 'colour'");
    ExpectRefused("<Scenario><Device><Speaker/></Device></Scenario>",
                  L"<Speaker>: unexpected element");
    ExpectRefused("<Scenario><Device id=\"2\"/><Device id=\"2\"/></Scenario>",
                  L"duplicate device id");
    ExpectRefused("<Scenario><Device id=\"0\"/></Scenario>", L"must not be 0");
    ExpectRefused(
        "<Scenario><Device><Output><Channel min=\"0\" max=\"-10\"/></Output></Device></Scenario>",
        L"'min' is above 'max'");
    ExpectRefused(
        "<Scenario><Device><Output><Channel volume=\"40000\"/></Output></Device></Scenario>",
        L"-32768 to 32767");
    ExpectRefused("<Scenario><Device><Input/><Input/></Device></Scenario>", L"appears twice");
    ExpectRefused("<Scenario><Device><Input><StreamFormat id=\"3\"/></Input>"
                  "<Output><StreamFormat id=\"3\"/></Output></Device></Scenario>",
                  L"stream format id 3 is used by both directions");
    ExpectRefused("<Scenario><AsioInstance preferredDevice=\"4\"/></Scenario>",
                  L"unknown preferred device 4");
    ExpectRefused("<Scenario apiVersion=\"five\"/>", L"MAJOR.MINOR");
    ExpectRefused("<Scenario versionCheck=\"maybe\"/>", L"one of accept, auto, refuse");
    ExpectRefused("<Scenario><Device><SampleRates>44100 fast</SampleRates></Device></Scenario>",
                  L"rate 'fast' is not an unsigned number");
    ExpectRefused(
        "<Scenario><Device><Output><StreamFormat type=\"dsd\"/></Output></Device></Scenario>",
        L"one of float, other, pcm");
}

TEST_F(SimScenario, OddDataMayRepeatIdsAndNameDeviceZero) {
    const std::string devices =
        R"(<Device id="0"><ClockSources><ClockSource id="4"/><ClockSource id="4"/></ClockSources>
             <Input><StreamFormat id="3"/></Input>
             <Output><StreamFormat id="3"><Profile id="p"/><Profile id="p"/></StreamFormat>
               <StreamFormat id="3"/></Output></Device>
           <AsioInstance number="7"/><AsioInstance number="7"/>)";
    ExpectRefused("<Scenario>" + devices + "</Scenario>", L"must not be 0");
    ASSERT_EQ(Simulator()
                  .LoadScenarioText("<Scenario oddData=\"true\">" + devices + "</Scenario>")
                  .status,
              0u);
    ClockSourceInfo sources[kMaxClockSources] = {};
    std::uint32_t count = 0;
    ASSERT_EQ(KORVELINE_GetSupportedClockSources(Open(0), kMaxClockSources, sources, &count), 0u);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(sources[1].id, 4u);
    ExpectRefused(R"(<Scenario oddData="true"><Device id="2"/><Device id="2"/></Scenario>)",
                  L"duplicate device id");
}

TEST_F(SimScenario, ARefusedScenarioLeavesTheCurrentOneInPlace) {
    ExpectRefused("<Scenario><Device bogus=\"1\"/></Scenario>", L"bogus");
    EXPECT_EQ(KORVELINE_GetDeviceCount(), 3u);
}

TEST_F(SimScenario, ScenarioFilesLoadThroughTheCommand) {
    wchar_t directory[MAX_PATH];
    GetTempPathW(MAX_PATH, directory);
    std::wstring path = std::wstring(directory) + L"korvelinesim-scenario-test.xml";
    {
        std::ofstream file(path.c_str());
        file << "<Scenario><Device product=\"From file\"/></Scenario>";
    }
    EXPECT_EQ(Simulator().Command(L"load \"" + path + L"\"").status, 0u);
    EXPECT_EQ(KORVELINE_GetDeviceCount(), 1u);
    EXPECT_NE(Simulator().Command(L"status").text.find(path), std::wstring::npos);
    DeleteFileW(path.c_str());

    SimReply missing = Simulator().Command(L"load \"" + path + L"\"");
    EXPECT_EQ(missing.status, static_cast<StatusCode>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(KORVELINE_GetDeviceCount(), 1u);
    EXPECT_EQ(Simulator().Command(L"load default").status, 0u);
    EXPECT_EQ(KORVELINE_GetDeviceCount(), 3u);
}

TEST_F(SimScenario, CommandsRefuseBadInputWithUsage) {
    EXPECT_EQ(Simulator().Command(L"").status, kSimBadCommand);
    EXPECT_EQ(Simulator().Command(L"dance").status, kSimBadCommand);
    SimReply reply = Simulator().Command(L"set-rate 1");
    EXPECT_EQ(reply.status, kSimBadCommand);
    EXPECT_NE(reply.text.find(L"usage: set-rate DEVICE HZ"), std::wstring::npos);
    EXPECT_EQ(Simulator().Command(L"set-volume 2 sideways 0 0").status, kSimBadCommand);
    EXPECT_EQ(Simulator().Command(L"unplug 9").status, kSimNotFound);
    EXPECT_EQ(Simulator().Command(L"set-volume 2 out 1 -99999").status, kSimBadCommand);
    EXPECT_NE(Simulator().Command(L"help").text.find(L"clock-state DEVICE SOURCE"),
              std::wstring::npos);
}

} // namespace

// The misbehaving-driver modes lie about counts, terminators and the queue, but never
// write beyond the caller's buffers: the program's defences can be tested against them.

#include "sim/SimFaults.h"
#include "sim/SimStatus.h"
#include "tests/support/SimulatorTestBase.h"

#include <algorithm>
#include <vector>

namespace {

class SimMisbehaviour : public SimulatorTestBase {};

TEST_F(SimMisbehaviour, CountsAboveTheMaximumWithNothingWrittenBeyondIt) {
    ASSERT_EQ(Simulator().SetMisbehaviour(kMisbehaveCounts), 0u);
    DeviceHandle mx = Open(1);
    std::uint32_t rates[4] = {0, 0, 0xCAFE, 0xCAFE};
    std::uint32_t count = 0;
    EXPECT_EQ(KORVELINE_GetSupportedSampleRates(mx, 2, rates, &count), 0u);
    EXPECT_GT(count, 2u);
    EXPECT_EQ(rates[2], 0xCAFEu);

    StreamFormatInfo formats[kMaxStreamFormats] = {};
    EXPECT_EQ(KORVELINE_GetSupportedStreamFormats(mx, kDirectionOutput, kMaxStreamFormats, formats,
                                                  &count),
              0u);
    EXPECT_GT(count, kMaxStreamFormats);

    AsioInstanceInfo info{};
    EXPECT_EQ(KORVELINE_GetASIOInstanceInfo(1, &info), 0u);
    EXPECT_GT(info.bufferSizeCount, kMaxAsioBufferSizes);

    std::uint32_t format = 11, bytes = 0;
    SoundDeviceProfileInfo profiles[2] = {};
    EXPECT_EQ(KORVELINE_GetExtendedInfo(mx, kExtendedInfoSoundDeviceProfiles, &format, 4, profiles,
                                        sizeof profiles, &bytes),
              0u);
    EXPECT_GT(bytes, sizeof profiles);

    ASSERT_EQ(Simulator().SetMisbehaviour(0), 0u);
    EXPECT_EQ(KORVELINE_GetSupportedSampleRates(mx, 2, rates, &count), kSimPartialList);
    EXPECT_EQ(count, 2u);
}

TEST_F(SimMisbehaviour, ShiftingListsHaveOneEntryFewerEveryOtherRead) {
    ASSERT_EQ(Simulator().Command(L"misbehave lists on").status, 0u);
    std::vector<std::uint32_t> counts;
    for (int read = 0; read < 4; ++read)
        counts.push_back(KORVELINE_GetDeviceCount());
    EXPECT_EQ(counts, (std::vector<std::uint32_t>{2, 3, 2, 3}));
    DeviceHandle mx = Open(1);
    std::uint32_t rates[kMaxSampleRates] = {};
    std::uint32_t first = 0, second = 0;
    ASSERT_EQ(KORVELINE_GetSupportedSampleRates(mx, kMaxSampleRates, rates, &first), 0u);
    ASSERT_EQ(KORVELINE_GetSupportedSampleRates(mx, kMaxSampleRates, rates, &second), 0u);
    EXPECT_EQ(first + 1, second) << "the next read has the missing entry again";
}

TEST_F(SimMisbehaviour, StringsFillTheirWholeArrayWithoutTerminator) {
    ASSERT_EQ(Simulator().Command(L"misbehave strings on").status, 0u);
    DeviceHandle dac = Open(0);
    DeviceProperties properties{};
    ASSERT_EQ(KORVELINE_GetDeviceProperties(dac, &properties), 0u);
    auto unterminated = [](const wchar_t* begin, const wchar_t* end) {
        return std::none_of(begin, end, [](wchar_t c) { return c == L'\0'; });
    };
    EXPECT_TRUE(unterminated(std::begin(properties.product), std::end(properties.product)));
    EXPECT_TRUE(
        unterminated(std::begin(properties.serialNumber), std::end(properties.serialNumber)));
    EXPECT_EQ(properties.flags & kDeviceFlagAudioFunction, kDeviceFlagAudioFunction)
        << "the flags after the strings are intact";

    ClockSourceInfo sources[kMaxClockSources] = {};
    std::uint32_t count = 0;
    ASSERT_EQ(KORVELINE_GetSupportedClockSources(dac, kMaxClockSources, sources, &count), 0u);
    EXPECT_TRUE(unterminated(std::begin(sources[0].name), std::end(sources[0].name)));
    EXPECT_EQ(sources[0].flags, kClockSourceFlagValiditySettled);
    AsioInstanceDetails details{};
    ASSERT_EQ(KORVELINE_GetASIOInstanceDetails(0, &details), 0u);
    EXPECT_TRUE(unterminated(std::begin(details.name), std::end(details.name)));

    ASSERT_EQ(Simulator().Command(L"misbehave strings off").status, 0u);
    properties = {};
    ASSERT_EQ(KORVELINE_GetDeviceProperties(dac, &properties), 0u);
    EXPECT_STREQ(properties.product, L"Korveline D2 Stereo DAC");
}

TEST_F(SimMisbehaviour, TheQueueNeverEmpties) {
    ASSERT_EQ(Simulator().SetMisbehaviour(kMisbehaveEndlessQueue), 0u);
    DeviceHandle dac = Open(0);
    std::uint32_t id = 0, bytes = 0;
    std::uint8_t data[kDeviceNotificationDataSize];
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(KORVELINE_ReadDeviceNotification(dac, &id, data, sizeof data, &bytes), 0u);
    EXPECT_NE(Simulator().Command(L"status").text.find(L"misbehaviour: queue"), std::wstring::npos);
    EXPECT_EQ(Simulator().SetMisbehaviour(0x100), kSimInvalidParameter);
}

} // namespace

namespace {

class SimFaultRules : public SimulatorTestBase {};

TEST_F(SimFaultRules, ACallNumberFailsThatCallAloneAndTheCommandSaysSo) {
    std::uint32_t rate = 0;
    DeviceHandle dac = Open(0);
    ASSERT_EQ(Simulator().FailCall("KORVELINE_GetCurrentSampleRate", 0xEE001234, 3), 0u);
    EXPECT_NE(Simulator().Command(L"status").text.find(L"at call 3"), std::wstring::npos);
    std::vector<StatusCode> results;
    for (int call = 0; call < 5; ++call)
        results.push_back(KORVELINE_GetCurrentSampleRate(dac, &rate));
    EXPECT_EQ(results, (std::vector<StatusCode>{0, 0, 0xEE001234, 0, 0}));

    EXPECT_EQ(Simulator().Command(L"fail KORVELINE_SetSampleRate 0xEE00100B call 2").status, 0u);
    EXPECT_EQ(KORVELINE_SetSampleRate(dac, 48000), 0u);
    EXPECT_EQ(KORVELINE_SetSampleRate(dac, 48000), 0xEE00100Bu);
    EXPECT_EQ(KORVELINE_SetSampleRate(dac, 48000), 0u);
    EXPECT_NE(Simulator().Command(L"fail KORVELINE_SetSampleRate 5 call 0").status, 0u);
    EXPECT_NE(Simulator().FailCall("KORVELINE_StatusCodeStringW", 5, 1), 0u);
}

TEST_F(SimFaultRules, TheFuzzRepeatsItsRecordsForASeedAndStaysInTheBuffers) {
    const auto answers = [this](std::uint32_t seed) {
        Simulator().SetFuzz(false, 0);
        DeviceHandle mx = Open(1);
        EXPECT_EQ(Simulator().SetFuzz(true, seed), 0u);
        std::vector<std::uint32_t> seen;
        for (int round = 0; round < 20; ++round) {
            ClockSourceInfo sources[3] = {};
            sources[2].id = 0xCAFE;
            std::uint32_t count = 0;
            KORVELINE_GetSupportedClockSources(mx, 2, sources, &count);
            EXPECT_EQ(sources[2].id, 0xCAFEu) << "nothing beyond the room given";
            seen.insert(seen.end(), {count, sources[0].id, sources[1].flags});
            DeviceProperties properties{};
            KORVELINE_GetDeviceProperties(mx, &properties);
            seen.insert(seen.end(), {properties.flags, properties.product[0]});
        }
        return seen;
    };
    const auto first = answers(7);
    EXPECT_EQ(answers(7), first);
    EXPECT_NE(answers(8), first);
    EXPECT_NE(Simulator().Command(L"status").text.find(L"fuzz 8"), std::wstring::npos);
    EXPECT_EQ(Simulator().Command(L"misbehave fuzz off").status, 0u);
    EXPECT_NE(Simulator().Command(L"status").text.find(L"misbehaviour: none"), std::wstring::npos);
}

} // namespace

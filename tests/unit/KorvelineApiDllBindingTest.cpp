// The binding against the simulated driver: API-version gates, the version check and the
// refusal of a library that lacks an entry point its version implies.
#include "driver/KorvelineApiDll.h"

#include <gtest/gtest.h>

#include <vector>

#include "sim/client/SimulatorLibrary.h"

namespace {

// Rows whose entry point is bound, in table order.
std::vector<std::uint32_t> BoundRows(const KorvelineApiDll& api) {
    std::vector<std::uint32_t> rows;
#define KORVELINE_COLLECT_BOUND_ROW(row, name, gate)                                               \
    if (api.name)                                                                                  \
        rows.push_back(row);
    KORVELINE_ENTRY_POINTS(KORVELINE_COLLECT_BOUND_ROW)
#undef KORVELINE_COLLECT_BOUND_ROW
    return rows;
}

// A scenario without devices that reports apiVersion ("5.9") and answers the version check
// with versionCheck ("auto", "accept", "refuse").
StatusCode SetApiVersion(const SimulatorLibrary& sim, const char* apiVersion,
                         const char* versionCheck) {
    return sim
        .LoadScenarioText(std::string("<Scenario apiVersion=\"") + apiVersion +
                          "\" versionCheck=\"" + versionCheck + "\"/>")
        .status;
}

std::vector<std::uint32_t> RowsUpTo(std::uint32_t last) {
    std::vector<std::uint32_t> rows;
    for (std::uint32_t row = 1; row <= last; ++row)
        rows.push_back(row);
    return rows;
}

class KorvelineApiDllBinding : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded() && variant.Loaded()) << "the simulated driver is not built";
        sim.Reset();
        variant.Reset();
    }
    void TearDown() override {
        api.Unload();
        sim.Reset();
        variant.Reset();
    }

    StatusCode Bind(const char* version, const char* check, bool checkVersion = true) {
        api.Unload();
        EXPECT_EQ(SetApiVersion(sim, version, check), 0u);
        sim.ClearCallLog();
        return api.LoadFromPath(SimulatorDllPath(), checkVersion, kRequiredApiMajor,
                                kRequiredApiMinor);
    }

    const SimulatorLibrary sim;
    const SimulatorLibrary variant{SimulatorVariantDllPath()};
    KorvelineApiDll api;
};

} // namespace

TEST_F(KorvelineApiDllBinding, TheRequiredVersionBindsEveryRowAfterTheCheck) {
    ASSERT_EQ(Bind("5.16", "auto"), 0u);
    EXPECT_NE(api.Module(), nullptr);
    EXPECT_EQ(api.ApiVersion(), 0x00050010u);
    EXPECT_EQ(BoundRows(api), RowsUpTo(81));
    // The version is read first, then the check asks for 5.16; nothing else is called.
    EXPECT_EQ(sim.CallLog(), (std::vector<std::wstring>{L"KORVELINE_GetApiVersion()",
                                                        L"KORVELINE_CheckApiVersion(5, 16)"}));
}

TEST_F(KorvelineApiDllBinding, EachGateBindsItsRowsAndNoMore) {
    struct Case {
        const char* version;
        std::uint32_t lastBoundRow;
    };
    const Case cases[] = {{"4.0", 2},      {"4.65535", 2}, {"5.0", 63},  {"5.1", 65},  {"5.2", 66},
                          {"5.3", 66},     {"5.4", 67},    {"5.5", 68},  {"5.6", 69},  {"5.7", 70},
                          {"5.8", 71},     {"5.9", 75},    {"5.10", 80}, {"5.11", 80}, {"5.12", 81},
                          {"5.65535", 81}, {"6.0", 81},    {"7.3", 81}};
    for (const Case& c : cases) {
        ASSERT_EQ(Bind(c.version, "accept"), 0u) << c.version;
        EXPECT_EQ(BoundRows(api), RowsUpTo(c.lastBoundRow)) << c.version;
    }
}

TEST_F(KorvelineApiDllBinding, CallersGetUnavailableBeyondTheLibrarysVersion) {
    ASSERT_EQ(Bind("5.9", "accept"), 0u);
    const SoundDeviceProfileRequest request{};
    EXPECT_EQ(CallEntryPoint(api.KORVELINE_SetVirtualSoundDeviceProfile, 1, &request, 1),
              kStatusEntryPointUnavailable);
    std::uint32_t count = 99;
    EXPECT_EQ(CallEntryPoint(api.KORVELINE_GetASIOInstanceCount, &count), 0u);

    // A 4.x library that accepts 5.16 is loaded, and then every call is unavailable.
    ASSERT_EQ(Bind("4.2", "accept"), 0u);
    EXPECT_EQ(api.ApiVersion(), 0x00040002u);
    EXPECT_EQ(CallEntryPoint(api.KORVELINE_EnumerateDevices), kStatusEntryPointUnavailable);
    EXPECT_EQ(CallEntryPoint(api.KORVELINE_SetSampleRate, 1, 48000), kStatusEntryPointUnavailable);
}

TEST_F(KorvelineApiDllBinding, ARefusedCheckKeepsTheLibraryLoadedWithOnlyTheVersionRows) {
    for (const char* check : {"refuse", "auto"}) {
        // "auto": a 5.15 library does not serve a program built for 5.16.
        const char* version = std::string(check) == "refuse" ? "5.16" : "5.15";
        EXPECT_EQ(Bind(version, check), kStatusApiNotCompatible) << check;
        EXPECT_NE(api.Module(), nullptr);
        EXPECT_NE(api.ApiVersion(), 0u);
        EXPECT_EQ(BoundRows(api), RowsUpTo(2));
        // Still loaded: no second load, and Unload clears it all.
        EXPECT_EQ(api.LoadFromPath(SimulatorDllPath(), true, 5, 16), 1u);
        api.Unload();
        EXPECT_EQ(api.Module(), nullptr);
        EXPECT_EQ(api.ApiVersion(), 0u);
        EXPECT_TRUE(BoundRows(api).empty());
    }
}

TEST_F(KorvelineApiDllBinding, WithoutTheCheckFlagTheVersionIsNotAsked) {
    ASSERT_EQ(Bind("5.16", "refuse", false), 0u);
    EXPECT_EQ(BoundRows(api), RowsUpTo(81));
    EXPECT_EQ(sim.CallLog(), std::vector<std::wstring>{L"KORVELINE_GetApiVersion()"});
}

TEST_F(KorvelineApiDllBinding, ASecondLoadChangesNothing) {
    ASSERT_EQ(Bind("5.9", "accept"), 0u);
    const HMODULE module = api.Module();
    EXPECT_EQ(api.LoadFromPath(SimulatorDllPath(), true, 5, 16), 1u);
    EXPECT_EQ(api.LoadFromPath(SimulatorVariantDllPath(), false, 5, 16), 1u);
    EXPECT_EQ(api.LoadFromPath(L"C:\\no-such-library.dll", true, 5, 16), 1u);
    EXPECT_EQ(api.Module(), module);
    EXPECT_EQ(api.ApiVersion(), 0x00050009u);
    EXPECT_EQ(BoundRows(api), RowsUpTo(75));
}

TEST_F(KorvelineApiDllBinding, AMissingEntryPointThatTheVersionImpliesRefusesTheLibrary) {
    ASSERT_EQ(SetApiVersion(variant, "5.16", "auto"), 0u);
    EXPECT_EQ(api.LoadFromPath(SimulatorVariantDllPath(), true, 5, 16),
              static_cast<StatusCode>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(api.Module(), nullptr);
    EXPECT_EQ(api.ApiVersion(), 0u);
    EXPECT_TRUE(BoundRows(api).empty());
    // Below the gate of the missing entry point the same library is fine.
    ASSERT_EQ(SetApiVersion(variant, "5.11", "accept"), 0u);
    EXPECT_EQ(api.LoadFromPath(SimulatorVariantDllPath(), true, 5, 16), 0u);
    EXPECT_EQ(BoundRows(api), RowsUpTo(80));
}

TEST_F(KorvelineApiDllBinding, TheProgramDirectoryAndTheRegistryLeadToTheLibrary) {
    ASSERT_EQ(SetApiVersion(sim, "5.16", "auto"), 0u);
    // <build>\tests\..\sim\korvelineapi.dll, a full path built from the executable's own.
    EXPECT_EQ(api.LoadFromProgramDirectory(L"..\\sim\\korvelineapi.dll", 5, 16), 0u);
    EXPECT_EQ(BoundRows(api), RowsUpTo(81));
    api.Unload();

    const std::wstring key = L"CLSID\\{6D1A2B3C-4E5F-4A6B-8C7D-9E0F1A2B3C4D}\\InprocServer32";
    HKEY server = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &server, nullptr),
              ERROR_SUCCESS);
    const std::wstring path = SimulatorDllPath();
    RegSetValueExW(server, nullptr, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(server);
    EXPECT_EQ(api.Load(L"{6D1A2B3C-4E5F-4A6B-8C7D-9E0F1A2B3C4D}"), 0u);
    EXPECT_EQ(api.ApiVersion(), 0x00050010u);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"CLSID\\{6D1A2B3C-4E5F-4A6B-8C7D-9E0F1A2B3C4D}");
}

#include "driver/KorvelineApiDll.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

std::wstring TempDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, buffer);
    return buffer;
}

std::wstring ExecutableDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::wstring path = buffer;
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

// A file that exists but is no library.
class TextFile {
public:
    explicit TextFile(std::wstring path) : path_(std::move(path)) {
        std::ofstream(std::filesystem::path(path_)) << "not a library\n";
    }
    ~TextFile() { DeleteFileW(path_.c_str()); }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

void ExpectUnloaded(const KorvelineApiDll& api) {
    EXPECT_EQ(api.Module(), nullptr);
    EXPECT_EQ(api.ApiVersion(), 0u);
    EXPECT_EQ(api.KORVELINE_GetApiVersion, nullptr);
    EXPECT_EQ(api.KORVELINE_CheckApiVersion, nullptr);
}

} // namespace

TEST(KorvelineApiDll, AMissingFileOrDirectoryGives2) {
    KorvelineApiDll api;
    EXPECT_EQ(api.LoadFromPath(TempDirectory() + L"no-such-library.dll", true, 5, 16), 2u);
    EXPECT_EQ(api.LoadFromPath(TempDirectory() + L"no-such-dir\\korvelineapi.dll", true, 5, 16),
              2u);
    ExpectUnloaded(api);
    EXPECT_EQ(api.LoadFromProgramDirectory(L"no-such-library.dll", 5, 16), 2u);
    ExpectUnloaded(api);
}

TEST(KorvelineApiDll, AFileThatIsNoLibraryGivesTheLoadersError) {
    KorvelineApiDll api;
    const TextFile file(TempDirectory() + L"korveline-not-a-library.dll");
    EXPECT_EQ(api.LoadFromPath(file.Path(), true, 5, 16),
              static_cast<StatusCode>(ERROR_BAD_EXE_FORMAT));
    ExpectUnloaded(api);
    const TextFile besideExe(ExecutableDirectory() + L"korveline-not-a-library.dll");
    EXPECT_EQ(api.LoadFromProgramDirectory(L"korveline-not-a-library.dll", 5, 16), 193u);
    ExpectUnloaded(api);
}

TEST(KorvelineApiDll, ALibraryWithoutTheEntryPointsIsRefusedAndUnloaded) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    KorvelineApiDll api;
    EXPECT_EQ(api.LoadFromPath(std::wstring(system) + L"\\version.dll", true, 5, 16),
              static_cast<StatusCode>(ERROR_PROC_NOT_FOUND));
    ExpectUnloaded(api);
}

TEST(KorvelineApiDll, OnlyFullPathsAreLoaded) {
    const std::wstring name = L"korveline-relative.dll";
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(TempDirectory().c_str()));
    {
        const TextFile file(TempDirectory() + name);
        KorvelineApiDll api;
        EXPECT_EQ(api.LoadFromPath(name, true, 5, 16), static_cast<StatusCode>(ERROR_BAD_PATHNAME));
        EXPECT_EQ(api.LoadFromPath(L".\\" + name, true, 5, 16),
                  static_cast<StatusCode>(ERROR_BAD_PATHNAME));
        ExpectUnloaded(api);
    }
    SetCurrentDirectoryW(previous);
}

TEST(ProgramDirectoryPath, ReplacesTheExecutableNameAndCutsAt259Characters) {
    EXPECT_EQ(
        ProgramDirectoryPath(L"C:\\Program Files\\Cpl\\KorvelineCpl.exe", L"korvelineapi.dll"),
        L"C:\\Program Files\\Cpl\\korvelineapi.dll");
    EXPECT_EQ(ProgramDirectoryPath(L"\\\\server\\share\\cpl.exe", L"a.dll"),
              L"\\\\server\\share\\a.dll");
    EXPECT_EQ(ProgramDirectoryPath(L"C:cpl.exe", L"a.dll"), L"C:a.dll");
    const std::wstring directory = L"C:\\" + std::wstring(250, L'd') + L"\\";
    EXPECT_EQ(ProgramDirectoryPath(directory + L"cpl.exe", L"korvelineapi.dll"),
              (directory + L"korvelineapi.dll").substr(0, 259));
}

// The registry location of the library: HKCR\CLSID\<guid>\InprocServer32, default value.
class KorvelineApiDllRegistry : public testing::Test {
protected:
    static constexpr const wchar_t* kGuid = L"{5C0F7E0A-7D21-4C5B-9E43-0D6A1B3C2F10}";

    void TearDown() override {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + kGuid).c_str());
    }

    HKEY CreateServerKey() {
        HKEY key = nullptr;
        const std::wstring path = std::wstring(L"CLSID\\") + kGuid + L"\\InprocServer32";
        EXPECT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return key;
    }

    void SetDefaultValue(DWORD type, const void* data, DWORD bytes) {
        HKEY key = CreateServerKey();
        ASSERT_EQ(RegSetValueExW(key, nullptr, 0, type, static_cast<const BYTE*>(data), bytes),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    void SetDefaultString(DWORD type, const std::wstring& text) {
        SetDefaultValue(type, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    StatusCode LoadFromGuid() { return api.LoadFromInterfaceGuid(kGuid, 5, 16); }

    KorvelineApiDll api;
};

TEST_F(KorvelineApiDllRegistry, AMissingKeyOrValueGives2) {
    EXPECT_EQ(LoadFromGuid(), 2u);
    RegCloseKey(CreateServerKey());
    EXPECT_EQ(LoadFromGuid(), 2u);
    ExpectUnloaded(api);
}

TEST_F(KorvelineApiDllRegistry, StringValuesAreTakenAsThePathUnexpanded) {
    const TextFile file(TempDirectory() + L"korveline-registry.dll");
    SetDefaultString(REG_SZ, file.Path());
    EXPECT_EQ(LoadFromGuid(), 193u);
    SetDefaultString(REG_EXPAND_SZ, file.Path());
    EXPECT_EQ(LoadFromGuid(), 193u);
    // Expanded, this would name a real library without the entry points (127).
    SetDefaultString(REG_EXPAND_SZ, L"%SystemRoot%\\system32\\version.dll");
    EXPECT_EQ(LoadFromGuid(), 2u);
    ExpectUnloaded(api);
}

TEST_F(KorvelineApiDllRegistry, OtherValueTypesGive11) {
    const DWORD number = 1;
    SetDefaultValue(REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(LoadFromGuid(), 11u);
    const std::wstring path = L"C:\\korvelineapi.dll";
    SetDefaultValue(REG_BINARY, path.c_str(), static_cast<DWORD>(path.size() * 2));
    EXPECT_EQ(LoadFromGuid(), 11u);
    const wchar_t multi[] = L"C:\\a.dll\0C:\\b.dll\0";
    SetDefaultValue(REG_MULTI_SZ, multi, sizeof(multi));
    EXPECT_EQ(LoadFromGuid(), 11u);
    // The type is judged before the length.
    const std::vector<BYTE> large(4000, 1);
    SetDefaultValue(REG_BINARY, large.data(), static_cast<DWORD>(large.size()));
    EXPECT_EQ(LoadFromGuid(), 11u);
    ExpectUnloaded(api);
}

TEST_F(KorvelineApiDllRegistry, AStringThatDoesNotFit260CharactersGives111) {
    const std::wstring longest = L"C:\\" + std::wstring(254, L'x') + L".d"; // 259 characters
    SetDefaultString(REG_SZ, longest);
    EXPECT_EQ(LoadFromGuid(), 2u);
    SetDefaultString(REG_SZ, longest + L"l");
    EXPECT_EQ(LoadFromGuid(), 111u);
    SetDefaultString(REG_EXPAND_SZ, std::wstring(1000, L'x'));
    EXPECT_EQ(LoadFromGuid(), 111u);
    // 260 characters stored without a terminator do not fit either.
    const std::wstring unterminated(260, L'y');
    SetDefaultValue(REG_SZ, unterminated.c_str(), 260 * sizeof(wchar_t));
    EXPECT_EQ(LoadFromGuid(), 111u);
    ExpectUnloaded(api);
}

TEST_F(KorvelineApiDllRegistry, LoadTakesTheRegistryWhenAGuidIsConfigured) {
    const TextFile file(TempDirectory() + L"korveline-registry.dll");
    SetDefaultString(REG_SZ, file.Path());
    EXPECT_EQ(api.Load(kGuid), 193u);
    EXPECT_EQ(api.Load(L"{00000000-0000-0000-0000-00000000FFFF}"), 2u);
}

TEST(KorvelineApiDll, AnEmptyGuidTakesTheLibraryFromTheProgramDirectory) {
    KorvelineApiDll fromLoad;
    KorvelineApiDll fromDirectory;
    EXPECT_EQ(fromLoad.Load(L""),
              fromDirectory.LoadFromProgramDirectory(L"korvelineapi.dll", 5, 16));
}

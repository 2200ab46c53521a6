#include "tests/support/TemporaryInstall.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>

namespace {

constexpr wchar_t kProgramName[] = L"KorvelineCpl";

bool WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.good();
}

bool CopyInto(const std::wstring& source, const std::filesystem::path& target) {
    std::error_code error;
    return std::filesystem::copy_file(source, target,
                                      std::filesystem::copy_options::overwrite_existing, error);
}

} // namespace

TemporaryInstall::TemporaryInstall() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    folder_ = std::wstring(temp) + L"KorvelineCplInstall-" +
              std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
    std::filesystem::create_directories(folder_, error);
}

TemporaryInstall::~TemporaryInstall() {
    // A program that just ended may hold its files for a moment longer.
    for (int attempt = 0; attempt < 20; ++attempt) {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
        if (!error)
            return;
        Sleep(50);
    }
}

std::wstring TemporaryInstall::ProgramPath() const {
    return folder_ + L"\\" + kProgramName + L".exe";
}

bool TemporaryInstall::AddProgram(const std::wstring& source) {
    return CopyInto(source, ProgramPath());
}

bool TemporaryInstall::AddDriverLibrary(const std::wstring& source) {
    return CopyInto(source, folder_ + L"\\korvelineapi.dll");
}

bool TemporaryInstall::WriteConfiguration(std::string_view bytes) {
    return WriteBytes(folder_ + L"\\" + kProgramName + L".xml", bytes);
}

bool TemporaryInstall::WriteLanguageFile(const std::wstring& fileName, std::string_view bytes) {
    std::filesystem::path directory = folder_ + L"\\" + kProgramName + L".strings";
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    return !error && WriteBytes(directory / fileName, bytes);
}

bool TemporaryInstall::WriteExtraFile(const std::wstring& fileName, std::string_view bytes) {
    return WriteBytes(folder_ + L"\\" + fileName, bytes);
}

std::wstring TemporaryInstall::BuildTreeFile(const std::wstring& relativePath) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::filesystem::path buildTree = std::filesystem::path(self).parent_path().parent_path();
    return (buildTree / relativePath).wstring();
}

std::wstring TemporaryInstall::BuiltProgram() {
    return BuildTreeFile(std::wstring(kProgramName) + L".exe");
}

std::wstring TemporaryInstall::BuiltSimulator() {
    return BuildTreeFile(L"sim\\korvelineapi.dll");
}

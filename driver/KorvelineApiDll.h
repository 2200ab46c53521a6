#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "driver/DriverApi.h"

// The one binding of the driver API library for the whole process.
//
// The process-wide instance is reached through TheKorvelineApiDll(). It is
// constant-initialised (it exists before any code of the program runs), written only by
// Load during start-up on the main thread, and read-only afterwards; the library is freed
// when the instance is destroyed at process exit. Tests create instances of their own.
//
// Callers use the entry-point members directly. A null member means that the library's API
// version is below the entry point's gate: call it through CallEntryPoint (or check for
// null) and take kStatusEntryPointUnavailable.
class KorvelineApiDll {
public:
    constexpr KorvelineApiDll() = default;
    virtual ~KorvelineApiDll();
    KorvelineApiDll(const KorvelineApiDll&) = delete;
    KorvelineApiDll& operator=(const KorvelineApiDll&) = delete;

    // Start-up: the library registered for the interface GUID when the text is not empty,
    // otherwise "korvelineapi.dll" beside the executable; version 5.16, version check on.
    StatusCode Load(const std::wstring& interfaceGuid);
    StatusCode LoadFromProgramDirectory(const std::wstring& fileName, std::uint32_t major,
                                        std::uint32_t minor);
    // Path from the default value of HKCR\CLSID\<guid>\InprocServer32.
    StatusCode LoadFromInterfaceGuid(const std::wstring& guid, std::uint32_t major,
                                     std::uint32_t minor);
    // Loads and binds the library at a full path; 1 when a library is already loaded.
    StatusCode LoadFromPath(const std::wstring& path, bool checkVersion, std::uint32_t major,
                            std::uint32_t minor);
    void Unload();

    HMODULE Module() const { return module_; }
    std::uint32_t ApiVersion() const { return apiVersion_; }

#define KORVELINE_ENTRY_POINT_MEMBER(row, name, gate) PFN_##name name = nullptr;
    KORVELINE_ENTRY_POINTS(KORVELINE_ENTRY_POINT_MEMBER)
#undef KORVELINE_ENTRY_POINT_MEMBER

private:
    template <typename Function> StatusCode LookUp(const char* name, Function& entryPoint);
    StatusCode BindFrom(const std::wstring& path, bool checkVersion, std::uint32_t major,
                        std::uint32_t minor);

    HMODULE module_ = nullptr;
    std::uint32_t apiVersion_ = 0;
};

KorvelineApiDll& TheKorvelineApiDll();

// Calls a StatusCode entry point, or answers kStatusEntryPointUnavailable when it is not
// bound.
template <typename Function, typename... Args>
StatusCode CallEntryPoint(Function entryPoint, Args... args) {
    return entryPoint ? entryPoint(args...) : kStatusEntryPointUnavailable;
}

// The library path beside the executable: the module path's drive and directory followed
// by the file name, cut to the 260-character buffer the path must fit.
std::wstring ProgramDirectoryPath(const std::wstring& modulePath, const std::wstring& fileName);

// True for "X:\..." and "\\server\..." paths, the only ones the library is loaded from.
bool IsFullyQualifiedPath(const std::wstring& path);

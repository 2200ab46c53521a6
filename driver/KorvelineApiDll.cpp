#include "driver/KorvelineApiDll.h"

#include "config/ExecutablePath.h"
#include "framework/UniqueAny.h"

#include <cwctype>

namespace {

constexpr std::size_t kPathBufferChars = MAX_PATH; // 260, terminator included
const wchar_t kDefaultLibraryName[] = L"korvelineapi.dll";

constinit KorvelineApiDll theKorvelineApiDll;

// Opens a key for reading into `key`, which stays empty on failure.
LSTATUS OpenKey(HKEY parent, const wchar_t* subKey, UniqueRegistryKey& key) {
    HKEY opened = nullptr;
    const LSTATUS status = RegOpenKeyExW(parent, subKey, 0, KEY_READ, &opened);
    key.Reset(status == ERROR_SUCCESS ? opened : nullptr);
    return status;
}

// The default value of the key as a path: 11 when it is not a string, 111 when it does not
// fit the path buffer (terminator included).
StatusCode ReadDefaultStringValue(HKEY key, std::wstring& value) {
    wchar_t buffer[kPathBufferChars] = {};
    DWORD type = REG_NONE;
    DWORD bytes = sizeof(buffer);
    const LSTATUS status =
        RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
        return static_cast<StatusCode>(status);
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_BAD_FORMAT;
    if (status == ERROR_MORE_DATA)
        return ERROR_BUFFER_OVERFLOW;
    std::size_t length = bytes / sizeof(wchar_t);
    while (length > 0 && buffer[length - 1] == L'\0')
        --length;
    // A value without a terminator that fills the whole buffer does not fit either.
    if (length == kPathBufferChars)
        return ERROR_BUFFER_OVERFLOW;
    value.assign(buffer, length);
    return ERROR_SUCCESS;
}

} // namespace

KorvelineApiDll& TheKorvelineApiDll() {
    return theKorvelineApiDll;
}

KorvelineApiDll::~KorvelineApiDll() {
    Unload();
}

StatusCode KorvelineApiDll::Load(const std::wstring& interfaceGuid) {
    if (!interfaceGuid.empty())
        return LoadFromInterfaceGuid(interfaceGuid, kRequiredApiMajor, kRequiredApiMinor);
    return LoadFromProgramDirectory(kDefaultLibraryName, kRequiredApiMajor, kRequiredApiMinor);
}

StatusCode KorvelineApiDll::LoadFromProgramDirectory(const std::wstring& fileName,
                                                     std::uint32_t major, std::uint32_t minor) {
    // A cut module path would name another directory: it fails instead (122).
    std::wstring modulePath;
    if (StatusCode status = RunningExecutablePath(modulePath))
        return status;
    return LoadFromPath(ProgramDirectoryPath(modulePath, fileName), true, major, minor);
}

StatusCode KorvelineApiDll::LoadFromInterfaceGuid(const std::wstring& guid, std::uint32_t major,
                                                  std::uint32_t minor) {
    UniqueRegistryKey clsid;
    if (LSTATUS status = OpenKey(HKEY_CLASSES_ROOT, L"CLSID", clsid); status != ERROR_SUCCESS)
        return static_cast<StatusCode>(status);
    UniqueRegistryKey interfaceKey;
    if (LSTATUS status = OpenKey(clsid.Get(), guid.c_str(), interfaceKey); status != ERROR_SUCCESS)
        return static_cast<StatusCode>(status);
    UniqueRegistryKey server;
    if (LSTATUS status = OpenKey(interfaceKey.Get(), L"InprocServer32", server);
        status != ERROR_SUCCESS)
        return static_cast<StatusCode>(status);
    std::wstring path;
    if (StatusCode status = ReadDefaultStringValue(server.Get(), path); status != 0)
        return status;
    return LoadFromPath(path, true, major, minor);
}

StatusCode KorvelineApiDll::LoadFromPath(const std::wstring& path, bool checkVersion,
                                         std::uint32_t major, std::uint32_t minor) {
    if (module_)
        return ERROR_INVALID_FUNCTION;
    const StatusCode status = BindFrom(path, checkVersion, major, minor);
    // Only a refused version check leaves the library loaded.
    if (status != 0 && status != kStatusApiNotCompatible)
        Unload();
    return status;
}

template <typename Function>
StatusCode KorvelineApiDll::LookUp(const char* name, Function& entryPoint) {
    SetLastError(0);
    const FARPROC address = GetProcAddress(module_, name);
    if (!address)
        return GetLastError(); // 0: the entry point stays null and binding goes on
    // Through the generic function pointer type, which converts to any other.
    entryPoint = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
    return 0;
}

StatusCode KorvelineApiDll::BindFrom(const std::wstring& path, bool checkVersion,
                                     std::uint32_t major, std::uint32_t minor) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return ERROR_FILE_NOT_FOUND;
    }
    // Never a search: a bare or relative name could pick up a library planted elsewhere.
    if (!IsFullyQualifiedPath(path))
        return ERROR_BAD_PATHNAME;
    module_ = LoadLibraryExW(path.c_str(), nullptr,
                             LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    if (!module_)
        return GetLastError();

    if (StatusCode status = LookUp("KORVELINE_GetApiVersion", KORVELINE_GetApiVersion))
        return status;
    if (StatusCode status = LookUp("KORVELINE_CheckApiVersion", KORVELINE_CheckApiVersion))
        return status;
    apiVersion_ = KORVELINE_GetApiVersion ? KORVELINE_GetApiVersion() : 0;
    if (checkVersion &&
        (!KORVELINE_CheckApiVersion || KORVELINE_CheckApiVersion(major, minor) == 0))
        return kStatusApiNotCompatible;

#define KORVELINE_BIND_GATED(row, name, gate)                                                      \
    if (row > 2 && GatePasses(gate, apiVersion_)) {                                                \
        if (StatusCode status = LookUp(#name, name))                                               \
            return status;                                                                         \
    }
    KORVELINE_ENTRY_POINTS(KORVELINE_BIND_GATED)
#undef KORVELINE_BIND_GATED
    return 0;
}

void KorvelineApiDll::Unload() {
    if (module_)
        FreeLibrary(module_);
    module_ = nullptr;
    apiVersion_ = 0;
#define KORVELINE_CLEAR_ENTRY_POINT(row, name, gate) name = nullptr;
    KORVELINE_ENTRY_POINTS(KORVELINE_CLEAR_ENTRY_POINT)
#undef KORVELINE_CLEAR_ENTRY_POINT
}

std::wstring ProgramDirectoryPath(const std::wstring& modulePath, const std::wstring& fileName) {
    const std::size_t separator = modulePath.find_last_of(L"\\/:");
    std::wstring path =
        separator == std::wstring::npos ? std::wstring() : modulePath.substr(0, separator + 1);
    path += fileName;
    if (path.size() > kPathBufferChars - 1)
        path.resize(kPathBufferChars - 1);
    return path;
}

bool IsFullyQualifiedPath(const std::wstring& path) {
    if (path.size() >= 3 && std::iswalpha(path[0]) && path[1] == L':' &&
        (path[2] == L'\\' || path[2] == L'/'))
        return true;
    return path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\';
}

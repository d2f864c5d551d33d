// The running Windows answers for itself: its paths name its own files, and its
// version comes from the kernel rather than from the registry's records of it.

#include "platform/native_system.h"

#include "platform/windows/live_registry.h"
#include "platform/windows/wide.h"

#include <windows.h>

namespace brivane::platform {

namespace {

// %NAME% replaced by the environment's values; the text as it was when that fails.
std::wstring ExpandEnvironment(const std::wstring& aText) {
    std::wstring expanded(aText.size() + 1, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD length = ExpandEnvironmentStringsW(aText.c_str(), expanded.data(),
                                                       static_cast<DWORD>(expanded.size()));
        if (length == 0) {
            return aText;
        }
        if (length <= expanded.size()) {
            expanded.resize(length - 1); // the count includes the terminating NUL
            return expanded;
        }
        expanded.assign(length, L'\0'); // a variable changed size in between: again
    }
    return aText;
}

// RtlGetVersion tells the truth that GetVersionExW hides from programs without a
// manifest naming Windows 10.
bool QueryKernelVersion(RTL_OSVERSIONINFOEXW& aInfo) {
    using TRtlGetVersion = LONG(WINAPI*)(RTL_OSVERSIONINFOEXW*);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto query = ntdll != nullptr ? reinterpret_cast<TRtlGetVersion>(reinterpret_cast<void*>(
                                              GetProcAddress(ntdll, "RtlGetVersion")))
                                        : nullptr;
    aInfo = {};
    aInfo.dwOSVersionInfoSize = sizeof aInfo;
    return query != nullptr && query(&aInfo) == 0;
}

} // namespace

std::optional<std::filesystem::path> ResolveNativeWindowsPath(std::string_view aWindowsPath) {
    const std::filesystem::path path = ExpandEnvironment(windows::Wide(aWindowsPath));
    std::error_code error;
    if (!path.is_absolute() || !std::filesystem::exists(path, error)) {
        return std::nullopt;
    }
    return path;
}

std::optional<TSystemVersion> ReadRunningSystemVersion(const IRegistry& aRegistry) {
    RTL_OSVERSIONINFOEXW info;
    if (!windows::IsLiveRegistry(aRegistry) || !QueryKernelVersion(info)) {
        return std::nullopt;
    }
    TSystemVersion version;
    version.fKnown = true;
    version.fMajor = info.dwMajorVersion;
    version.fMinor = info.dwMinorVersion;
    version.fBuild = info.dwBuildNumber;
    version.fServicePackMajor = info.wServicePackMajor;
    version.fServicePackMinor = info.wServicePackMinor;
    version.fProductType = info.wProductType;
    version.fSuiteMask = info.wSuiteMask;
    DWORD product = 0;
    if (GetProductInfo(info.dwMajorVersion, info.dwMinorVersion, info.wServicePackMajor,
                       info.wServicePackMinor, &product)) {
        version.fProductInfo = product;
    }
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system); // the machine's, not the view of a 32-bit program
    version.fArchitecture = system.wProcessorArchitecture;
    version.fServerR2 = GetSystemMetrics(SM_SERVERR2) != 0;
    return version;
}

} // namespace brivane::platform

#include "platform/folders.h"

#include <windows.h>

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

namespace brivane::platform {

std::filesystem::path GetRoamingDataFolder() {
    wchar_t* folder = nullptr;
    std::filesystem::path result;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder))) {
        result = folder;
    }
    CoTaskMemFree(folder); // also on failure, as the call asks
    return result;
}

std::filesystem::path GetTempFolder() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) {
        return {};
    }
    std::wstring text(folder, length);
    // "C:\Users\me\AppData\Local\Temp\": the same form as elsewhere, without the
    // separator at the end.
    if (text.size() > 3 && text.back() == L'\\') {
        text.pop_back();
    }
    return text;
}

std::filesystem::path GetExecutableFile() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        if (name.size() >= 32768) { // longer than any path may be
            return {};
        }
        name.resize(name.size() * 2); // cut short: ask again with more room
    }
}

std::filesystem::path GetExecutableFolder() {
    return GetExecutableFile().parent_path();
}

} // namespace brivane::platform

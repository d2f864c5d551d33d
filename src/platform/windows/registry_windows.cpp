// The live registry of the running Windows, read through the wide-character registry
// calls; a .reg file or a Wine prefix named by --registry or BRIVANE_REGISTRY is still
// read from its files.

#include "platform/registry.h"

#include "platform/registry_files/file_registry.h"
#include "platform/registry_files/registry_value.h"
#include "platform/windows/live_registry.h"
#include "platform/windows/wide.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace brivane::platform {

namespace windows {

namespace {

// A value larger than this is not read: no buffer is sized from what the registry holds.
constexpr DWORD kMaxValueBytes = 1 << 20;
// Key names are at most 255 characters.
constexpr DWORD kMaxKeyNameChars = 256;

REGSAM ViewFlag(TRegistryView aView) {
    return aView == TRegistryView::Bits32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

HKEY HiveKey(TRegistryHive aHive) {
    switch (aHive) {
    case TRegistryHive::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case TRegistryHive::CurrentUser:
        return HKEY_CURRENT_USER;
    case TRegistryHive::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case TRegistryHive::Users:
        return HKEY_USERS;
    }
    return HKEY_CURRENT_USER;
}

// A value's type and bytes.
struct TRawData {
    DWORD fType = REG_NONE;
    std::string fBytes;
};

// The UTF-16 text of a string value's bytes (an odd last byte dropped).
std::wstring WideText(const std::string& aBytes) {
    std::wstring text(aBytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), aBytes.data(), text.size() * sizeof(wchar_t));
    return text;
}

class TLiveRegistryKey final : public IRegistryKey {
public:
    TLiveRegistryKey(HKEY aKey, REGSAM aView) : fKey(aKey), fView(aView) {}
    ~TLiveRegistryKey() override { RegCloseKey(fKey); }
    TLiveRegistryKey(const TLiveRegistryKey&) = delete;
    TLiveRegistryKey& operator=(const TLiveRegistryKey&) = delete;

    std::vector<std::string> GetSubkeyNames() const override {
        std::vector<std::string> names;
        wchar_t name[kMaxKeyNameChars];
        for (DWORD index = 0;; ++index) {
            DWORD length = kMaxKeyNameChars;
            const LSTATUS status =
                RegEnumKeyExW(fKey, index, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_MORE_DATA) {
                continue; // longer than a key name may be: not a key we could open
            }
            if (status != ERROR_SUCCESS) {
                break; // ERROR_NO_MORE_ITEMS, or the key went away
            }
            names.push_back(Narrow({name, length}));
        }
        return names;
    }

    std::unique_ptr<IRegistryKey> OpenSubkey(std::string_view aPath) const override {
        return OpenLiveKey(fKey, aPath, fView);
    }

    std::optional<std::string> ReadString(std::string_view aName) const override {
        const auto data = Query(aName);
        if (!data || (data->fType != REG_SZ && data->fType != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        std::wstring text = WideText(data->fBytes);
        text.resize(std::wcslen(text.c_str()));
        return Narrow(text);
    }

    std::optional<std::uint64_t> ReadNumber(std::string_view aName) const override {
        const auto data = Query(aName);
        if (!data) {
            return std::nullopt;
        }
        if (data->fType == REG_DWORD && data->fBytes.size() == sizeof(std::uint32_t)) {
            std::uint32_t value = 0;
            std::memcpy(&value, data->fBytes.data(), sizeof value);
            return value;
        }
        if (data->fType == REG_QWORD && data->fBytes.size() == sizeof(std::uint64_t)) {
            std::uint64_t value = 0;
            std::memcpy(&value, data->fBytes.data(), sizeof value);
            return value;
        }
        return std::nullopt;
    }

    std::optional<std::vector<std::string>> ReadStrings(std::string_view aName) const override {
        const auto data = Query(aName);
        if (!data || (data->fType != REG_SZ && data->fType != REG_EXPAND_SZ &&
                      data->fType != REG_MULTI_SZ)) {
            return std::nullopt;
        }
        return registry_files::SplitMultiString(Narrow(WideText(data->fBytes)));
    }

private:
    // The value's type and bytes; nothing when it is missing or larger than the bound.
    std::optional<TRawData> Query(std::string_view aName) const {
        const std::wstring name = Wide(aName);
        TRawData data;
        DWORD size = 0;
        LSTATUS status = RegQueryValueExW(fKey, name.c_str(), nullptr, &data.fType, nullptr, &size);
        // A value that grows between asking its size and reading it is asked again.
        for (int attempt = 0; attempt < 4 && status == ERROR_SUCCESS; ++attempt) {
            if (size > kMaxValueBytes) {
                return std::nullopt;
            }
            data.fBytes.assign(size, '\0');
            status = RegQueryValueExW(fKey, name.c_str(), nullptr, &data.fType,
                                      reinterpret_cast<BYTE*>(data.fBytes.data()), &size);
            if (status == ERROR_SUCCESS) {
                data.fBytes.resize(std::min<std::size_t>(size, data.fBytes.size()));
                return data;
            }
            if (status == ERROR_MORE_DATA) {
                status = ERROR_SUCCESS; // size now holds the new size
            }
        }
        return std::nullopt;
    }

    HKEY fKey;
    REGSAM fView;
};

class TLiveRegistry final : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> OpenKey(TRegistryHive aHive, std::string_view aPath,
                                          TRegistryView aView) const override {
        return OpenLiveKey(HiveKey(aHive), aPath, ViewFlag(aView));
    }

    std::optional<bool> Is64BitSystem() const override { return std::nullopt; }

    std::vector<std::string> GetWarnings() const override { return {}; }
};

} // namespace

std::unique_ptr<IRegistryKey> OpenLiveKey(HKEY aParent, std::string_view aPath, REGSAM aView) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(aParent, Wide(aPath).c_str(), 0, KEY_READ | aView, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<TLiveRegistryKey>(key, aView);
}

std::shared_ptr<IRegistry> MakeLiveRegistry() {
    return std::make_shared<TLiveRegistry>();
}

bool IsLiveRegistry(const IRegistry& aRegistry) {
    return dynamic_cast<const TLiveRegistry*>(&aRegistry) != nullptr;
}

} // namespace windows

std::shared_ptr<IRegistry> OpenRegistry() {
    const TRegistrySource source = GetRegistrySource();
    if (source.fKind == TRegistrySourceKind::System) {
        return windows::MakeLiveRegistry();
    }
    return registry_files::OpenRegistryFrom(source);
}

} // namespace brivane::platform

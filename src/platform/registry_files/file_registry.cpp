#include "platform/registry_files/file_registry.h"

#include "base/unicode.h"
#include "platform/registry_files/registry_file_reader.h"
#include "platform/registry_files/registry_value.h"

#include <unordered_set>

namespace brivane::platform::registry_files {

namespace {

using TKeyId = TRegistryStore::TKeyId;

std::vector<std::string_view> SplitPath(std::string_view aPath) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= aPath.size(); ++i) {
        if (i == aPath.size() || aPath[i] == '\\') {
            if (i > start) {
                parts.push_back(aPath.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return parts;
}

// One key as the registry presents it: a single stored key, or for the classes
// root the user's key over the machine's (the first holding a value wins).
class TFileRegistryKey : public IRegistryKey {
public:
    TFileRegistryKey(std::shared_ptr<const TRegistryStore> aStore, std::vector<TKeyId> aKeys)
        : fStore(std::move(aStore)), fKeys(std::move(aKeys)) {}

    std::vector<std::string> GetSubkeyNames() const override {
        std::vector<std::string> names;
        std::unordered_set<std::string> seen;
        std::string folded;
        for (const TKeyId key : fKeys) {
            for (const TKeyId subkey : fStore->GetSubkeys(key)) {
                const std::string_view name = fStore->GetName(subkey);
                FoldName(name, folded);
                if (fKeys.size() == 1 || seen.insert(folded).second) {
                    names.emplace_back(name);
                }
            }
        }
        return names;
    }

    std::unique_ptr<IRegistryKey> OpenSubkey(std::string_view aPath) const override {
        const std::vector<std::string_view> parts = SplitPath(aPath);
        std::vector<TKeyId> subkeys;
        for (TKeyId key : fKeys) {
            for (const auto part : parts) {
                key = fStore->FindKey(key, part);
                if (key == TRegistryStore::kNoKey) {
                    break;
                }
            }
            if (key != TRegistryStore::kNoKey) {
                subkeys.push_back(key);
            }
        }
        if (subkeys.empty()) {
            return nullptr;
        }
        return std::make_unique<TFileRegistryKey>(fStore, std::move(subkeys));
    }

    std::optional<std::string> ReadString(std::string_view aName) const override {
        const auto value = Find(aName);
        return value ? DecodeString(*value) : std::nullopt;
    }

    std::optional<std::uint64_t> ReadNumber(std::string_view aName) const override {
        const auto value = Find(aName);
        return value ? DecodeNumber(*value) : std::nullopt;
    }

    std::optional<std::vector<std::string>> ReadStrings(std::string_view aName) const override {
        const auto value = Find(aName);
        return value ? DecodeStrings(*value) : std::nullopt;
    }

private:
    std::optional<TRawValue> Find(std::string_view aName) const {
        for (const TKeyId key : fKeys) {
            if (auto value = fStore->FindValue(key, aName)) {
                return value;
            }
        }
        return std::nullopt;
    }

    std::shared_ptr<const TRegistryStore> fStore;
    std::vector<TKeyId> fKeys;
};

class TFileRegistry : public IRegistry {
public:
    TFileRegistry(std::shared_ptr<const TRegistryStore> aStore, std::optional<bool> aIs64Bit,
                  std::vector<std::string> aWarnings, bool aHoldsMachineSoftware)
        : fStore(std::move(aStore)), fWarnings(std::move(aWarnings)) {
        fIs64Bit = aIs64Bit;
        if (!fIs64Bit) {
            const bool has32BitView = Find(Root(TStoreRoot::LocalMachine),
                                           {"Software", "Wow6432Node"}) != TRegistryStore::kNoKey;
            // Every 64-bit Windows has the 32-bit view; a part of the Software key
            // may just leave it out.
            if (has32BitView || aHoldsMachineSoftware) {
                fIs64Bit = has32BitView;
            }
        }
        fUserRoot = FindCurrentUser();
    }

    std::unique_ptr<IRegistryKey> OpenKey(TRegistryHive aHive, std::string_view aPath,
                                          TRegistryView aView) const override {
        std::vector<std::string_view> parts = SplitPath(aPath);
        std::vector<TKeyId> keys;
        const auto add = [&](TKeyId aRoot, const std::vector<std::string_view>& aParts) {
            if (const TKeyId key = Find(aRoot, aParts); key != TRegistryStore::kNoKey) {
                keys.push_back(key);
            }
        };
        switch (aHive) {
        case TRegistryHive::ClassesRoot:
            parts.insert(parts.begin(), {"Software", "Classes"});
            add(fUserRoot, parts);
            add(Root(TStoreRoot::LocalMachine), parts);
            break;
        case TRegistryHive::CurrentUser:
            add(fUserRoot, parts);
            break;
        case TRegistryHive::LocalMachine:
            if (aView == TRegistryView::Bits32 && fIs64Bit.value_or(false) && !parts.empty() &&
                SameText(parts[0], "Software") &&
                !(parts.size() > 1 &&
                  (SameText(parts[1], "Classes") || SameText(parts[1], "Wow6432Node")))) {
                parts.insert(parts.begin() + 1, "Wow6432Node");
            }
            add(Root(TStoreRoot::LocalMachine), parts);
            break;
        case TRegistryHive::Users:
            add(Root(TStoreRoot::Users), parts);
            break;
        }
        if (keys.empty()) {
            return nullptr;
        }
        return std::make_unique<TFileRegistryKey>(fStore, std::move(keys));
    }

    std::optional<bool> Is64BitSystem() const override { return fIs64Bit; }

    std::vector<std::string> GetWarnings() const override { return fWarnings; }

private:
    static TKeyId Root(TStoreRoot aRoot) { return TRegistryStore::Root(aRoot); }

    // An export of the whole registry names the exporting user only below
    // HKEY_USERS: with no HKEY_CURRENT_USER keys, the one interactive user there
    // (S-1-5-21-..., not its _Classes twin) is the current user.
    TKeyId FindCurrentUser() const {
        const TKeyId current = Root(TStoreRoot::CurrentUser);
        if (fStore->HasSubkeys(current)) {
            return current;
        }
        TKeyId found = current;
        int users = 0;
        for (const TKeyId user : fStore->GetSubkeys(Root(TStoreRoot::Users))) {
            const std::string_view name = fStore->GetName(user);
            if (name.starts_with("S-1-5-21-") && !LowerCase(name).ends_with("_classes")) {
                found = user;
                ++users;
            }
        }
        return users == 1 ? found : current;
    }

    TKeyId Find(TKeyId aRoot, const std::vector<std::string_view>& aParts) const {
        TKeyId key = aRoot;
        for (const auto part : aParts) {
            key = fStore->FindKey(key, part);
            if (key == TRegistryStore::kNoKey) {
                break;
            }
        }
        return key;
    }

    std::shared_ptr<const TRegistryStore> fStore;
    std::optional<bool> fIs64Bit;
    TKeyId fUserRoot = TRegistryStore::kNoKey;
    std::vector<std::string> fWarnings;
};

} // namespace

std::shared_ptr<IRegistry> MakeFileRegistry(std::shared_ptr<const TRegistryStore> aStore,
                                            std::optional<bool> aIs64Bit,
                                            std::vector<std::string> aWarnings,
                                            bool aHoldsMachineSoftware) {
    return std::make_shared<TFileRegistry>(std::move(aStore), aIs64Bit, std::move(aWarnings),
                                           aHoldsMachineSoftware);
}

std::shared_ptr<IRegistry> OpenRegistryFrom(const TRegistrySource& aSource) {
    auto store = std::make_shared<TRegistryStore>();
    std::vector<std::string> warnings;
    std::optional<bool> is64Bit;
    bool holdsMachineSoftware = false;
    // Whether a file was read completely.
    const auto note = [&](std::string aWarning) {
        if (aWarning.empty()) {
            return true;
        }
        warnings.push_back(std::move(aWarning));
        return false;
    };
    try {
        switch (aSource.fKind) {
        case TRegistrySourceKind::None:
        case TRegistrySourceKind::System:
            break;
        case TRegistrySourceKind::WinePrefix: {
            std::error_code ec;
            if (!std::filesystem::is_directory(aSource.fPath, ec)) {
                note(aSource.fPath.string() + ": no such Wine prefix (from " + aSource.fOrigin +
                     ")");
                break;
            }
            TWineHiveInfo machine;
            TWineHiveInfo user;
            // A prefix's system.reg is the machine's whole hive.
            holdsMachineSoftware = note(ReadWineHiveFile(
                aSource.fPath / "system.reg", TStoreRoot::LocalMachine, *store, machine));
            note(ReadWineHiveFile(aSource.fPath / "user.reg", TStoreRoot::CurrentUser, *store,
                                  user));
            is64Bit = machine.fIs64Bit ? machine.fIs64Bit : user.fIs64Bit;
            break;
        }
        case TRegistrySourceKind::ExportFile: {
            TRegFileInfo info;
            note(ReadRegFile(aSource.fPath, *store, info));
            holdsMachineSoftware = info.fHoldsMachineSoftware;
            break;
        }
        }
    } catch (const std::exception& e) { // out of memory, or more keys than a store holds
        store = std::make_shared<TRegistryStore>();
        is64Bit.reset();
        holdsMachineSoftware = false;
        warnings.push_back(aSource.fPath.string() + ": cannot be read (" + e.what() + ")");
    }
    return MakeFileRegistry(std::move(store), is64Bit, std::move(warnings), holdsMachineSoftware);
}

} // namespace brivane::platform::registry_files

#include "catalogue/software_information.h"

#include "base/trim.h"
#include "base/unicode.h"
#include "catalogue/product_code.h"
#include "platform/system_facts.h"

#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace brivane {

namespace {

using platform::IRegistry;
using platform::IRegistryKey;
using platform::TRegistryHive;
using platform::TRegistryView;

constexpr std::string_view kUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Our build is a 64-bit program, but the views read are those a 32-bit program
// sees: its default view is the 32-bit one, so 32-bit programs on a 64-bit system
// are found as well. Order: the user's hive before the machine's, the default view
// before the 64-bit one.
constexpr std::pair<TRegistryHive, TRegistryView> kViews[] = {
    {TRegistryHive::CurrentUser, TRegistryView::Bits32},
    {TRegistryHive::CurrentUser, TRegistryView::Bits64},
    {TRegistryHive::LocalMachine, TRegistryView::Bits32},
    {TRegistryHive::LocalMachine, TRegistryView::Bits64},
};

// White space and control characters at both ends go.
std::string Trim(std::string_view aText) {
    return std::string(TrimControls(aText));
}

// Every double quote removed and every pair of backslashes made one: uninstallers
// often write paths quoted and escaped as in source code.
std::string CleanPath(std::string_view aText) {
    std::string out;
    out.reserve(aText.size());
    bool afterSingleBackslash = false; // the last character kept was an unpaired backslash
    for (const char c : aText) {
        if (c == '"') {
            continue; // quotes go first, so backslashes around them pair up
        }
        if (c == '\\' && afterSingleBackslash) {
            afterSingleBackslash = false;
            continue;
        }
        afterSingleBackslash = c == '\\';
        out += c;
    }
    return out;
}

std::string ReadText(const IRegistryKey& aKey, std::string_view aName) {
    return aKey.ReadString(aName).value_or(std::string());
}

std::string ReplaceAll(std::string aText, std::string_view aWhat, std::string_view aWith) {
    for (std::size_t at = aText.find(aWhat); at != std::string::npos;
         at = aText.find(aWhat, at + aWith.size())) {
        aText.replace(at, aWhat.size(), aWith);
    }
    return aText;
}

// The icons of Windows Installer products by product name, the fallback for
// product-code records without an icon of their own. Each place is indexed once
// per inventory, the first product of a name winning as a search in order would.
class TInstallerIcons {
public:
    explicit TInstallerIcons(const IRegistry& aRegistry) : fRegistry(aRegistry) {}

    std::string Find(const std::string& aName) {
        const std::string folded = LowerCase(aName);
        std::string icon =
            Lookup(fClasses, TRegistryHive::ClassesRoot, "Installer\\Products", folded);
        if (icon.empty()) {
            icon = Lookup(fUser, TRegistryHive::CurrentUser,
                          "Software\\Microsoft\\Installer\\Products", folded);
        }
        icon = LowerCase(icon);
        if (icon.find("%appdata%") != std::string::npos) {
            if (!fAppData) {
                fAppData = platform::GetAppDataFolder(fRegistry);
            }
            icon = ReplaceAll(std::move(icon), "%appdata%", *fAppData);
        }
        return icon;
    }

private:
    using TIndex = std::unordered_map<std::string, std::string>;

    std::string Lookup(std::optional<TIndex>& aIndex, TRegistryHive aHive, std::string_view aPath,
                       const std::string& aFolded) {
        if (!aIndex) {
            aIndex.emplace();
            const auto products = fRegistry.OpenKey(aHive, aPath, TRegistryView::Bits32);
            const auto names = products ? products->GetSubkeyNames() : std::vector<std::string>();
            for (const auto& name : names) {
                if (const auto product = products->OpenSubkey(name)) {
                    aIndex->try_emplace(LowerCase(Trim(ReadText(*product, "ProductName"))),
                                        CleanPath(Trim(ReadText(*product, "ProductIcon"))));
                }
            }
        }
        const auto found = aIndex->find(aFolded);
        return found != aIndex->end() ? found->second : std::string();
    }

    const IRegistry& fRegistry;
    std::optional<TIndex> fClasses;
    std::optional<TIndex> fUser;
    std::optional<std::string> fAppData;
};

class TInventoryReader {
public:
    explicit TInventoryReader(const IRegistry& aRegistry)
        : fRegistry(aRegistry), fIcons(aRegistry) {}

    std::vector<TApplicationItem> Read() {
        for (const auto& [hive, view] : kViews) {
            ReadView(hive, view);
        }
        return std::move(fItems);
    }

private:
    void ReadView(TRegistryHive aHive, TRegistryView aView) {
        const auto uninstall = fRegistry.OpenKey(aHive, kUninstallKey, aView);
        if (!uninstall) {
            return; // this view contributes nothing
        }
        // Each record is opened below the uninstall key, as its full path would open it.
        for (const auto& name : uninstall->GetSubkeyNames()) {
            if (const auto key = uninstall->OpenSubkey(name)) {
                ReadRecord(name, *key);
            }
        }
    }

    void ReadRecord(const std::string& aSubkey, const IRegistryKey& aKey) {
        TApplicationItem item;
        item.Name = Trim(ReadText(aKey, "DisplayName"));
        if (item.Name.empty()) {
            return;
        }
        item.Version = Trim(ReadText(aKey, "DisplayVersion"));
        item.InstallLocation = CleanPath(Trim(ReadText(aKey, "InstallLocation")));
        item.UninstallString = CleanPath(Trim(ReadText(aKey, "UninstallString")));
        item.Icon = CleanPath(ReadText(aKey, "DisplayIcon"));
        if (item.Icon.empty() && IsProductCode(aSubkey)) {
            item.Icon = fIcons.Find(item.Name);
        }
        // Name and version fold the way the items compare, so the set finds the
        // same item without a pass over the list.
        std::string key = LowerCase(item.Name);
        key += '\0';
        key += LowerCase(item.Version);
        if (fSeen.insert(std::move(key)).second) {
            fItems.push_back(std::move(item));
        }
    }

    const IRegistry& fRegistry;
    TInstallerIcons fIcons;
    std::vector<TApplicationItem> fItems;
    std::unordered_set<std::string> fSeen;
};

} // namespace

std::vector<TApplicationItem> ReadInstalledApplications(const IRegistry& aRegistry) {
    return TInventoryReader(aRegistry).Read();
}

TSoftwareInformation::TSoftwareInformation(TRegistryOpener aOpenRegistry)
    : fOpenRegistry(std::move(aOpenRegistry)) {
    const auto registry = fOpenRegistry();
    fIsWindows64 =
        platform::ReadSystemVersion(*registry).fArchitecture == platform::kArchitectureAmd64;
    Publish(*registry);
}

void TSoftwareInformation::Init() {
    Publish(*fOpenRegistry());
}

void TSoftwareInformation::Publish(const platform::IRegistry& aRegistry) {
    // The list is built apart and published whole, so a reader never sees half an
    // inventory and two Init calls at once cannot mix their lists.
    auto snapshot =
        std::make_shared<const std::vector<TApplicationItem>>(ReadInstalledApplications(aRegistry));
    const std::lock_guard lock(fLock);
    fThreadSafeApplications = std::move(snapshot);
}

TApplicationArray TSoftwareInformation::GetApplications() const {
    const std::lock_guard lock(fLock);
    return fThreadSafeApplications;
}

} // namespace brivane

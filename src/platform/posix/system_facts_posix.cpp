#include "platform/system_facts.h"

#include "base/unicode.h"

#include <sys/utsname.h>

#include <cstdlib>
#include <string_view>

namespace brivane::platform {

namespace {

constexpr std::string_view kCurrentVersionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";

std::uint16_t HostArchitecture() {
    utsname host{};
    if (::uname(&host) != 0) {
        return kArchitectureX86;
    }
    const std::string_view machine = host.machine;
    if (machine == "x86_64") {
        return kArchitectureAmd64;
    }
    if (machine == "aarch64" || machine == "arm64") {
        return kArchitectureArm64;
    }
    if (machine == "ia64") {
        return kArchitectureItanium;
    }
    return kArchitectureX86;
}

// Leading decimal digits of a text; nothing when there are none.
std::optional<std::uint32_t> LeadingNumber(std::string_view aText, std::size_t& aPos) {
    std::uint64_t value = 0;
    const std::size_t start = aPos;
    while (aPos < aText.size() && aText[aPos] >= '0' && aText[aPos] <= '9' && aPos - start < 9) {
        value = value * 10 + static_cast<std::uint64_t>(aText[aPos] - '0');
        ++aPos;
    }
    if (aPos == start) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

// "6.1" as major and minor.
bool ParseDottedVersion(std::string_view aText, std::uint32_t& aMajor, std::uint32_t& aMinor) {
    std::size_t pos = 0;
    const auto major = LeadingNumber(aText, pos);
    if (!major) {
        return false;
    }
    aMajor = *major;
    aMinor = 0;
    if (pos < aText.size() && aText[pos] == '.') {
        ++pos;
        aMinor = LeadingNumber(aText, pos).value_or(0);
    }
    return true;
}

// The product type of an edition as the registry names it (EditionID).
std::uint32_t ProductInfoOfEdition(std::string_view aEdition) {
    struct TEdition {
        std::string_view fId;
        std::uint32_t fProduct;
    };
    static constexpr TEdition kEditions[] = {
        {"Ultimate", 1},
        {"HomeBasic", 2},
        {"HomePremium", 3},
        {"Enterprise", 4},
        {"Business", 6},
        {"ServerStandard", 7},
        {"ServerDatacenter", 8},
        {"ServerSBSStandard", 9},
        {"ServerEnterprise", 10},
        {"Starter", 11},
        {"ServerDatacenterCore", 12},
        {"ServerStandardCore", 13},
        {"ServerEnterpriseCore", 14},
        {"ServerEnterpriseIA64", 15},
        {"BusinessN", 16},
        {"ServerWeb", 17},
        {"ServerComputeCluster", 18},
        {"ServerSBSPremium", 25},
        {"EnterpriseN", 27},
        {"Professional", 48},
        {"ProfessionalN", 49},
        {"EnterpriseE", 70},
        {"EnterpriseEval", 72},
        {"EnterpriseNEval", 84},
        {"CoreN", 98},
        {"CoreCountrySpecific", 99},
        {"CoreSingleLanguage", 100},
        {"Core", 101},
        {"Mobile", 104},
        {"Education", 121},
        {"EducationN", 122},
        {"EnterpriseS", 125},
        {"EnterpriseSN", 126},
        {"EnterpriseSEval", 129},
        {"EnterpriseSNEval", 130},
        {"MobileEnterprise", 133},
    };
    for (const auto& edition : kEditions) {
        if (SameText(aEdition, edition.fId)) {
            return edition.fProduct;
        }
    }
    return 0;
}

std::uint8_t ProductTypeOf(const IRegistry& aRegistry, const IRegistryKey& aCurrentVersion) {
    if (const auto options = aRegistry.OpenKey(TRegistryHive::LocalMachine,
                                               "System\\CurrentControlSet\\Control\\ProductOptions",
                                               TRegistryView::Bits64)) {
        const std::string type = options->ReadString("ProductType").value_or("");
        if (SameText(type, "WinNT")) {
            return kProductWorkstation;
        }
        if (SameText(type, "LanmanNT")) {
            return kProductDomainController;
        }
        if (SameText(type, "ServerNT")) {
            return kProductServer;
        }
    }
    const std::string name = LowerCase(aCurrentVersion.ReadString("ProductName").value_or(""));
    return name.find("server") != std::string::npos ? kProductServer : kProductWorkstation;
}

void ReadServicePack(const IRegistry& aRegistry, const IRegistryKey& aCurrentVersion,
                     TSystemVersion& aVersion) {
    if (const auto windows = aRegistry.OpenKey(TRegistryHive::LocalMachine,
                                               "System\\CurrentControlSet\\Control\\Windows",
                                               TRegistryView::Bits64)) {
        if (const auto packed = windows->ReadNumber("CSDVersion")) {
            aVersion.fServicePackMajor = static_cast<std::uint32_t>((*packed >> 8) & 0xFF);
            aVersion.fServicePackMinor = static_cast<std::uint32_t>(*packed & 0xFF);
            return;
        }
    }
    // "Service Pack 1": the number after the last space.
    const std::string text = aCurrentVersion.ReadString("CSDVersion").value_or("");
    const std::size_t space = text.rfind(' ');
    if (text.starts_with("Service Pack") && space != std::string::npos) {
        ParseDottedVersion(std::string_view(text).substr(space + 1), aVersion.fServicePackMajor,
                           aVersion.fServicePackMinor);
    }
}

} // namespace

TSystemVersion ReadSystemVersion(const IRegistry& aRegistry) {
    TSystemVersion version;
    version.fKnown = true;
    const std::optional<bool> is64Bit = aRegistry.Is64BitSystem();
    version.fArchitecture =
        is64Bit ? (*is64Bit ? kArchitectureAmd64 : kArchitectureX86) : HostArchitecture();

    const auto key =
        aRegistry.OpenKey(TRegistryHive::LocalMachine, kCurrentVersionKey, TRegistryView::Bits64);
    const auto major = key ? key->ReadNumber("CurrentMajorVersionNumber") : std::nullopt;
    bool found = false;
    if (major) {
        version.fMajor = static_cast<std::uint32_t>(*major);
        version.fMinor =
            static_cast<std::uint32_t>(key->ReadNumber("CurrentMinorVersionNumber").value_or(0));
        found = true;
    } else if (key) {
        found = ParseDottedVersion(key->ReadString("CurrentVersion").value_or(""), version.fMajor,
                                   version.fMinor);
    }
    if (!found) {
        // No Windows behind the registry: the system the installers are made for.
        version.fMajor = 10;
        version.fMinor = 0;
        version.fBuild = 19045;
        version.fProductType = kProductWorkstation;
        return version;
    }
    std::string build = key->ReadString("CurrentBuildNumber").value_or("");
    if (build.empty()) {
        build = key->ReadString("CurrentBuild").value_or("");
    }
    std::size_t pos = 0;
    version.fBuild = LeadingNumber(build, pos).value_or(0);
    ReadServicePack(aRegistry, *key, version);
    version.fProductType = ProductTypeOf(aRegistry, *key);
    version.fProductInfo = ProductInfoOfEdition(key->ReadString("EditionID").value_or(""));
    return version;
}

std::string GetAppDataFolder(const IRegistry& aRegistry) {
    for (const char* name : {"APPDATA", "appdata"}) {
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0') {
            return value;
        }
    }
    // Wine keeps the user's environment and shell folders in the user's hive.
    const std::pair<std::string_view, std::string_view> kPlaces[] = {
        {"Volatile Environment", "APPDATA"},
        {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "AppData"},
    };
    for (const auto& [path, name] : kPlaces) {
        if (const auto key =
                aRegistry.OpenKey(TRegistryHive::CurrentUser, path, TRegistryView::Bits64)) {
            if (auto value = key->ReadString(name); value && !value->empty()) {
                return *value;
            }
        }
    }
    return {};
}

} // namespace brivane::platform

#include "platform/system_facts.h"

#include "base/unicode.h"
#include "platform/environment.h"
#include "platform/native_system.h"
#include "platform/registry_files/control_set.h"

#include <cstdlib>
#include <string_view>

namespace brivane::platform {

namespace {

constexpr std::string_view kCurrentVersionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";

// PROCESSOR_ARCHITECTURE as Windows names it; nothing for a name it does not use.
std::optional<std::uint16_t> ArchitectureNamed(std::string_view aName) {
    static constexpr std::pair<std::string_view, std::uint16_t> kNames[] = {
        {"x86", kArchitectureX86},      {"AMD64", kArchitectureAmd64},
        {"IA64", kArchitectureItanium}, {"ARM64", kArchitectureArm64},
        {"ARM", kArchitectureArm},
    };
    for (const auto& [name, architecture] : kNames) {
        if (SameText(aName, name)) {
            return architecture;
        }
    }
    return std::nullopt;
}

// The native architecture from the system's environment, else from the layout of
// the registry; x64 as the assumed default.
void ReadArchitecture(const IRegistry& aRegistry, TSystemVersion& aVersion) {
    if (const auto environment =
            registry_files::OpenControlSetKey(aRegistry, "Control\\Session Manager\\Environment")) {
        if (const auto architecture =
                ArchitectureNamed(environment->ReadString("PROCESSOR_ARCHITECTURE").value_or(""))) {
            aVersion.fArchitecture = *architecture;
            return;
        }
    }
    if (const auto is64Bit = aRegistry.Is64BitSystem()) {
        aVersion.fArchitecture = *is64Bit ? kArchitectureAmd64 : kArchitectureX86;
        return;
    }
    aVersion.fArchitecture = kArchitectureAmd64;
    aVersion.fArchitectureAssumed = true;
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

// The suite flag of a name in ProductSuite; 0 for names without one.
std::uint16_t SuiteNamed(std::string_view aName) {
    static constexpr std::pair<std::string_view, std::uint16_t> kSuites[] = {
        {"Small Business", kSuiteSmallBusiness},
        {"Enterprise", kSuiteEnterprise},
        {"BackOffice", kSuiteBackOffice},
        {"CommunicationServer", kSuiteCommunications},
        {"Terminal Server", kSuiteTerminal},
        {"Small Business(Restricted)", kSuiteSmallBusinessRestricted},
        {"EmbeddedNT", kSuiteEmbedded},
        {"DataCenter", kSuiteDatacenter},
        {"Personal", kSuitePersonal},
        {"Blade", kSuiteBlade},
        {"Embedded(Restricted)", kSuiteEmbeddedRestricted},
        {"Security Appliance", kSuiteSecurityAppliance},
        {"Storage Server", kSuiteStorageServer},
        {"Compute Server", kSuiteComputeServer},
        {"WH Server", kSuiteHomeServer},
    };
    for (const auto& [name, suite] : kSuites) {
        if (SameText(aName, name)) {
            return suite;
        }
    }
    return 0;
}

// Product type and suites from the product options; without them the product
// name tells a server from a workstation.
void ReadProductOptions(const IRegistry& aRegistry, const IRegistryKey& aCurrentVersion,
                        TSystemVersion& aVersion) {
    const auto options = registry_files::OpenControlSetKey(aRegistry, "Control\\ProductOptions");
    const std::string type = options ? options->ReadString("ProductType").value_or("") : "";
    if (SameText(type, "WinNT")) {
        aVersion.fProductType = kProductWorkstation;
    } else if (SameText(type, "LanmanNT")) {
        aVersion.fProductType = kProductDomainController;
    } else if (SameText(type, "ServerNT")) {
        aVersion.fProductType = kProductServer;
    } else {
        const std::string name = LowerCase(aCurrentVersion.ReadString("ProductName").value_or(""));
        aVersion.fProductType =
            name.find("server") != std::string::npos ? kProductServer : kProductWorkstation;
    }
    if (options) {
        for (const auto& suite :
             options->ReadStrings("ProductSuite").value_or(std::vector<std::string>{})) {
            aVersion.fSuiteMask |= SuiteNamed(suite);
        }
    }
}

// "Microsoft Windows Server 2003 R2": the release named as a word of its own.
bool NamesR2(std::string_view aProductName) {
    std::size_t start = 0;
    while (start <= aProductName.size()) {
        const std::size_t end = std::min(aProductName.find(' ', start), aProductName.size());
        if (SameText(aProductName.substr(start, end - start), "R2")) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

void ReadServicePack(const IRegistry& aRegistry, const IRegistryKey& aCurrentVersion,
                     TSystemVersion& aVersion) {
    if (const auto windows = registry_files::OpenControlSetKey(aRegistry, "Control\\Windows")) {
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
    if (auto running = ReadRunningSystemVersion(aRegistry)) {
        return *running;
    }
    TSystemVersion version;
    version.fKnown = true;
    ReadArchitecture(aRegistry, version);

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
        version.fVersionAssumed = true;
        return version;
    }
    std::string build = key->ReadString("CurrentBuildNumber").value_or("");
    if (build.empty()) {
        build = key->ReadString("CurrentBuild").value_or("");
    }
    std::size_t pos = 0;
    version.fBuild = LeadingNumber(build, pos).value_or(0);
    ReadServicePack(aRegistry, *key, version);
    ReadProductOptions(aRegistry, *key, version);
    version.fProductInfo = ProductInfoOfEdition(key->ReadString("EditionID").value_or(""));
    // Windows Server 2003 R2 differs from its first release only in its name.
    version.fServerR2 = version.fMajor == 5 && version.fMinor == 2 &&
                        NamesR2(key->ReadString("ProductName").value_or(""));
    return version;
}

std::string GetAppDataFolder(const IRegistry& aRegistry) {
    // The registry's own user first: a registry file or prefix read on another account,
    // or on Windows, names its user's folders, not this process's. Windows and Wine keep
    // the user's environment and shell folders in the user's hive.
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
    for (const char* name : {"APPDATA", "appdata"}) {
        if (auto value = GetEnv(name); value && !value->empty()) {
            return *value;
        }
    }
    return {};
}

} // namespace brivane::platform

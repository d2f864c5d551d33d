#include "catalogue/os_information.h"

#include "platform/locale.h"

#include <utility>

namespace brivane {

namespace {

using namespace platform;

struct TEditionName {
    std::uint32_t fProduct;
    const char* fName;
};

constexpr TEditionName kVistaToEightEditions[] = {
    {1, "Ultimate"},
    {2, "Home Basic"},
    {3, "Home Premium"},
    {4, "Enterprise"},
    {6, "Business"},
    {7, "Standard"},
    {8, "Datacenter"},
    {9, "Small Business Server"},
    {10, "Enterprise"},
    {11, "Starter"},
    {12, "Datacenter (core installation)"},
    {13, "Standard (core installation)"},
    {14, "Enterprise (core installation)"},
    {15, "Enterprise for Itanium-based Systems"},
    {16, "Business N"},
    {17, "Web Server"},
    {18, "Cluster Server"},
    {25, "Small Business Server Premium"},
    {48, "Professional"},
    {64, "Server Hyper Core V"},
    {98, "Core N"},
    {101, "Core"},
};

constexpr TEditionName kTenEditions[] = {
    {4, "Enterprise"},
    {27, "Enterprise N"},
    {48, "Pro"},
    {49, "Pro N"},
    {70, "Enterprise E"},
    {72, "Enterprise Evaluation"},
    {84, "Enterprise N Evaluation"},
    {98, "Home N"},
    {99, "Home China"},
    {100, "Home Single Language"},
    {101, "Home"},
    {104, "Mobile"},
    {121, "Education"},
    {122, "Education N"},
    {125, "Enterprise 2015 LTSB"},
    {126, "Enterprise 2015 LTSB N"},
    {129, "Enterprise 2015 LTSB Evaluation"},
    {130, "Enterprise 2015 LTSB N Evaluation"},
    {133, "Mobile Enterprise"},
};

template <std::size_t N>
std::string EditionOf(const TEditionName (&aTable)[N], std::uint32_t aProduct) {
    for (const auto& entry : aTable) {
        if (entry.fProduct == aProduct) {
            return entry.fName;
        }
    }
    return {};
}

// The first name whose suite flag is set, else aOtherwise.
std::string BySuite(std::uint16_t aSuites,
                    std::initializer_list<std::pair<std::uint16_t, const char*>> aChoices,
                    const char* aOtherwise) {
    for (const auto& [flag, name] : aChoices) {
        if ((aSuites & flag) != 0) {
            return name;
        }
    }
    return aOtherwise;
}

void NameServer2003Edition(const TSystemVersion& aVersion, std::string& aEdition) {
    const std::uint16_t suites = aVersion.fSuiteMask;
    if (aVersion.fArchitecture == kArchitectureItanium) {
        aEdition = BySuite(suites,
                           {{kSuiteDatacenter, "Datacenter for Itanium-based Systems"},
                            {kSuiteEnterprise, "Enterprise for Itanium-based Systems"}},
                           "");
    } else if (aVersion.fArchitecture == kArchitectureAmd64) {
        aEdition =
            BySuite(suites, {{kSuiteDatacenter, "Datacenter"}, {kSuiteEnterprise, "Enterprise"}},
                    "Standard");
    } else {
        aEdition = BySuite(suites,
                           {{kSuiteComputeServer, "Compute Cluster"},
                            {kSuiteDatacenter, "Datacenter"},
                            {kSuiteEnterprise, "Enterprise"},
                            {kSuiteBlade, "Web"}},
                           "Standard");
    }
}

void NameSystem(const TSystemVersion& aVersion, std::string& aName, std::string& aEdition) {
    const bool workstation = aVersion.fProductType == kProductWorkstation;
    const std::uint16_t suites = aVersion.fSuiteMask;
    aName = "Windows";
    aEdition.clear();
    const std::uint32_t major = aVersion.fMajor;
    const std::uint32_t minor = aVersion.fMinor;
    if (major == 5 && minor == 0) {
        aName = "Windows 2000";
        aEdition = workstation ? std::string("Professional")
                               : BySuite(suites,
                                         {{kSuiteDatacenter, "Datacenter Server"},
                                          {kSuiteEnterprise, "Advanced Server"}},
                                         "Server");
    } else if (major == 5 && minor == 1) {
        aName = "Windows XP";
        if (workstation) {
            aEdition = BySuite(suites, {{kSuitePersonal, "Home"}, {kSuiteEmbedded, "Embedded"}},
                               "Professional");
        }
    } else if (major == 5 && minor == 2) {
        if (aVersion.fServerR2) {
            aName = "Windows Server 2003 R2";
        } else if ((suites & kSuiteStorageServer) != 0) {
            aName = "Windows Storage Server 2003";
        } else if ((suites & kSuiteHomeServer) != 0) {
            aName = "Windows Home Server";
        } else if (workstation && aVersion.fArchitecture == kArchitectureAmd64) {
            aName = "Windows XP";
            aEdition = "Professional";
        } else {
            aName = "Windows Server 2003";
        }
        if (!workstation) {
            NameServer2003Edition(aVersion, aEdition);
        }
    } else if (major == 6 && minor <= 3) {
        static constexpr const char* kWorkstations[] = {"Windows Vista", "Windows 7", "Windows 8",
                                                        "Windows 8.1"};
        static constexpr const char* kServers[] = {"Windows Server 2008", "Windows Server 2008 R2",
                                                   "Windows Server 2012", "Windows Server 2012 R2"};
        aName = workstation ? kWorkstations[minor] : kServers[minor];
        aEdition = EditionOf(kVistaToEightEditions, aVersion.fProductInfo);
    } else if (major == 10 && minor == 0) {
        if (workstation) {
            aName = "Windows 10";
        }
        aEdition = EditionOf(kTenEditions, aVersion.fProductInfo);
    }
}

} // namespace

TOSInformation TOSInformation::Create() {
    return Create(*OpenRegistry());
}

TOSInformation TOSInformation::Create(const IRegistry& aRegistry) {
    std::string language = ReadSystemLanguage(aRegistry);
    const bool languageAssumed = language.empty();
    if (languageAssumed) {
        language = GetSystemLanguageCode();
    }
    TOSInformation info = Create(ReadSystemVersion(aRegistry), std::move(language));
    info.fLanguageAssumed = languageAssumed;
    return info;
}

TOSInformation TOSInformation::Create(const TSystemVersion& aVersion, std::string aLanguage) {
    TOSInformation info;
    info.fSystemLanguage = std::move(aLanguage);
    info.fVersionAssumed = aVersion.fVersionAssumed;
    info.fIs64BitAssumed = aVersion.fArchitectureAssumed;
    // A system that could not be asked keeps an empty name and zero numbers.
    if (aVersion.fKnown) {
        NameSystem(aVersion, info.fName, info.fEdition);
        info.fIs64Bit = aVersion.fArchitecture == kArchitectureAmd64;
    }
    info.fMajor = aVersion.fMajor;
    info.fMinor = aVersion.fMinor;
    info.fVersion = std::to_string(aVersion.fMajor) + "." + std::to_string(aVersion.fMinor) + "." +
                    std::to_string(aVersion.fBuild);
    if (aVersion.fServicePackMajor != 0 || aVersion.fServicePackMinor != 0) {
        info.fServicePack = std::to_string(aVersion.fServicePackMajor) + "." +
                            std::to_string(aVersion.fServicePackMinor);
    }
    return info;
}

} // namespace brivane

#pragma once
// Facts of the Windows system whose programs are kept up to date. With the live
// registry of Windows they come from the running system itself; otherwise from the
// registry read from files (a Wine prefix's or an export), never from the machine
// reading them, with the defaults of a 64-bit Windows 10 workstation where the
// registry says nothing.

#include "platform/registry.h"

#include <cstdint>
#include <string>

namespace brivane::platform {

// Processor architectures as Windows numbers them.
inline constexpr std::uint16_t kArchitectureX86 = 0;
inline constexpr std::uint16_t kArchitectureArm = 5;
inline constexpr std::uint16_t kArchitectureItanium = 6;
inline constexpr std::uint16_t kArchitectureAmd64 = 9;
inline constexpr std::uint16_t kArchitectureArm64 = 12;

// Product types.
inline constexpr std::uint8_t kProductWorkstation = 1;
inline constexpr std::uint8_t kProductDomainController = 2;
inline constexpr std::uint8_t kProductServer = 3;

// Suite flags.
inline constexpr std::uint16_t kSuiteSmallBusiness = 0x0001;
inline constexpr std::uint16_t kSuiteEnterprise = 0x0002;
inline constexpr std::uint16_t kSuiteBackOffice = 0x0004;
inline constexpr std::uint16_t kSuiteCommunications = 0x0008;
inline constexpr std::uint16_t kSuiteTerminal = 0x0010;
inline constexpr std::uint16_t kSuiteSmallBusinessRestricted = 0x0020;
inline constexpr std::uint16_t kSuiteEmbedded = 0x0040;
inline constexpr std::uint16_t kSuiteDatacenter = 0x0080;
inline constexpr std::uint16_t kSuitePersonal = 0x0200;
inline constexpr std::uint16_t kSuiteBlade = 0x0400;
inline constexpr std::uint16_t kSuiteEmbeddedRestricted = 0x0800;
inline constexpr std::uint16_t kSuiteSecurityAppliance = 0x1000;
inline constexpr std::uint16_t kSuiteStorageServer = 0x2000;
inline constexpr std::uint16_t kSuiteComputeServer = 0x4000;
inline constexpr std::uint16_t kSuiteHomeServer = 0x8000;

struct TSystemVersion {
    bool fKnown = false; // false when the system could not be asked at all
    std::uint32_t fMajor = 0;
    std::uint32_t fMinor = 0;
    std::uint32_t fBuild = 0;
    std::uint32_t fServicePackMajor = 0;
    std::uint32_t fServicePackMinor = 0;
    std::uint8_t fProductType = 0;
    std::uint16_t fSuiteMask = 0;
    std::uint32_t fProductInfo = 0; // the product type of the edition; 0 when unknown
    std::uint16_t fArchitecture = kArchitectureX86; // the native processor architecture
    bool fServerR2 = false;
    // Facts the registry does not record, for which the defaults stand: the
    // version (with product type, edition and service pack), the architecture.
    bool fVersionAssumed = false;
    bool fArchitectureAssumed = false;
};

TSystemVersion ReadSystemVersion(const IRegistry& aRegistry);

// The ISO 639 name of the system's language in lower case ("ru"): of the locale
// the registry records for the user, else of the machine's default locale; empty
// when it records neither.
std::string ReadSystemLanguage(const IRegistry& aRegistry);

// The roaming application-data folder of the registry's user, as %APPDATA% names it
// (C:\Users\...\AppData\Roaming): from the user's hive, else from this process's
// environment; empty when neither says.
std::string GetAppDataFolder(const IRegistry& aRegistry);

} // namespace brivane::platform

#pragma once
// A description of the running system, used to choose downloads.

#include "platform/registry.h"
#include "platform/system_facts.h"

#include <cstdint>
#include <string>

namespace brivane {

struct TOSInformation {
    std::string fName;           // "Windows 7", "Windows Server 2008 R2", "Windows 10"
    std::string fVersion;        // major.minor.build, "6.1.7601"
    std::string fServicePack;    // major.minor, "1.0"; empty without a service pack
    bool fIs64Bit = false;       // the native processor architecture is x64
    std::string fEdition;        // "Professional", "Pro", "Enterprise"; may be empty
    std::string fSystemLanguage; // ISO 639 language name, "ru"
    std::uint32_t fMajor = 0;
    std::uint32_t fMinor = 0;
    // Facts the registry does not record: the defaults stand for the name,
    // version, service pack and edition, and for the 64-bit flag; the language is
    // that of the machine running the program.
    bool fVersionAssumed = false;
    bool fIs64BitAssumed = false;
    bool fLanguageAssumed = false;

    // The facts of the system behind the current registry source.
    static TOSInformation Create();
    static TOSInformation Create(const platform::IRegistry& aRegistry);
    // aLanguage stands as read; fLanguageAssumed stays false.
    static TOSInformation Create(const platform::TSystemVersion& aVersion, std::string aLanguage);

    // The system's version is aMajor.aMinor or later.
    bool IsEqualOrHigher(std::uint32_t aMajor, std::uint32_t aMinor) const {
        return fMajor > aMajor || (fMajor == aMajor && fMinor >= aMinor);
    }
};

} // namespace brivane

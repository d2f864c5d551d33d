#pragma once
// Program-wide names and values, the enumerations of category, licence and language
// with their texts, and the folders of the program's per-user data.

#include "core/date_time.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace brivane {

// The name of the per-user data folder and the user agent of every request.
inline constexpr std::string_view kProgramName = "Brivane";

// The "unknown" values of a version, a size and (kZeroDate in date_time.h) a date.
inline constexpr std::string_view kEmptyVersion = "";
inline constexpr std::int64_t kZeroSize = 0;

enum TSoftwareCategory : std::uint8_t {
    scUnknown,
    scGraphics,
    scMultimedia,
    scInternetNetwork,
    scSystem,
    scSecurity,
    scOffice,
    scDevelopment,
    scScienceEducation,
};

// A set of categories: bit n stands for the category of value n.
class TSoftwareCategories {
public:
    constexpr TSoftwareCategories() = default;
    constexpr TSoftwareCategories(std::initializer_list<TSoftwareCategory> aCategories) {
        for (const auto category : aCategories) {
            Include(category);
        }
    }
    static constexpr TSoftwareCategories All() {
        return FromBits((1u << (scScienceEducation + 1)) - 1);
    }
    static constexpr TSoftwareCategories FromBits(std::uint16_t aBits) {
        TSoftwareCategories result;
        result.fBits = aBits;
        return result;
    }

    constexpr void Include(TSoftwareCategory aCategory) { fBits |= Bit(aCategory); }
    constexpr void Exclude(TSoftwareCategory aCategory) {
        fBits &= static_cast<std::uint16_t>(~Bit(aCategory));
    }
    constexpr bool Contains(TSoftwareCategory aCategory) const {
        return (fBits & Bit(aCategory)) != 0;
    }
    constexpr bool Empty() const { return fBits == 0; }
    constexpr std::uint16_t Bits() const { return fBits; }
    constexpr bool operator==(const TSoftwareCategories&) const = default;

private:
    // Values outside the enumeration belong to no set.
    static constexpr std::uint16_t Bit(TSoftwareCategory aCategory) {
        return aCategory <= scScienceEducation ? static_cast<std::uint16_t>(1u << aCategory) : 0;
    }
    std::uint16_t fBits = 0;
};

enum TSoftwareLicense : std::uint8_t { slUnknown, slFreeware, slShareware };

// lRussian selects Russian texts; every other value, lDefault included, English ones.
enum TLanguage : std::uint8_t { lDefault, lEnglish, lRussian };

// "ru" for lRussian, "en" for every other value.
std::string LanguageToCode(TLanguage aLanguage);

// lRussian for "ru" in any letter case, lEnglish for anything else.
TLanguage CodeToLanguage(std::string_view aCode);

std::string CategoryToString(TSoftwareCategory aCategory, TLanguage aLanguage);

// The per-user data folder (settings, caches), with a trailing separator.
std::filesystem::path GetAppDataFolder();

// The folder into which installers are downloaded, with a trailing separator. It is
// built from the APPDATA environment variable; where that is unset (Linux), from the
// same roaming data folder as GetAppDataFolder.
std::filesystem::path GetDownloadsFolder();

} // namespace brivane

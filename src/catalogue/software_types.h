#pragma once
// What the catalogue says of every program besides its versions: its category and
// licence, and the "unknown" values of a version and a size (kZeroDate in
// base/date_time.h is the unknown date).

#include "base/enum_set.h"
#include "base/language.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brivane {

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

// A set of categories: bit n stands for the category of value n; values outside the
// enumeration belong to no set.
using TSoftwareCategories = TEnumSet<TSoftwareCategory, std::uint16_t, scScienceEducation>;

enum TSoftwareLicense : std::uint8_t { slUnknown, slFreeware, slShareware };

// The category as the user reads it ("Graphics", "Графика"); "Unknown" for a value
// outside the enumeration.
std::string CategoryToString(TSoftwareCategory aCategory, TLanguage aLanguage);

// The category's name in the program's own terms ("scGraphics"), as machine-readable
// output spells it; "scUnknown" for a value outside the enumeration.
std::string_view CategoryIdentifier(TSoftwareCategory aCategory);

} // namespace brivane

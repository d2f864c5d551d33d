#pragma once
// The two ways most publisher pages give the latest version and its installer: the
// version in a text and the installer in a link beside it, or one link whose file name
// carries the version.

#include "catalogue/checked_params.h"
#include "regex/regex.h"

#include <string_view>

namespace brivane {

// aParams gets group 1 of aVersion's first match in aPage as its version and, when
// aLink matches too, group 1 of aLink as its installer, made absolute against aSite.
// False, leaving aParams as it was, when aVersion does not match or finds no version
// (digits and dots: "1.2", not ".").
bool ReadVersionAndLink(const TRegexSubject& aPage, const IRegex& aVersion, const IRegex& aLink,
                        std::string_view aSite, TCheckedParams& aParams);

// aParams gets group 1 of aInstaller's first match in aPage, made absolute against aSite,
// as its installer and group 2 as its version. False, leaving aParams as it was, when
// aInstaller does not match or group 2 is no version.
bool ReadVersionedLink(const TRegexSubject& aPage, const IRegex& aInstaller, std::string_view aSite,
                       TCheckedParams& aParams);

} // namespace brivane

#pragma once
// Small operations the catalogue's definitions are written with.

#include "regex/regex.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace brivane {

// The text of group aIndex of a successful match; empty when the group took no
// part in it.
std::string GroupText(const IMatch& aMatch, int aIndex);

// Group 1 of aPattern's first match in aPage; nothing when it does not match.
std::optional<std::string> FirstGroup(const IRegex& aPattern, const TRegexSubject& aPage);

// A link found on a page as an absolute address: one beginning with "//" gets the
// scheme of aSiteBase in front, one beginning with "http" stays, any other gets
// aSiteBase in front, with a "/" between them when the link does not start with one.
std::string AbsoluteLink(std::string_view aSiteBase, std::string_view aLink);

// aPath (a Windows folder) and aFileName joined by a backslash unless aPath ends
// in a separator already.
std::string JoinWindowsPath(std::string_view aPath, std::string_view aFileName);

} // namespace brivane

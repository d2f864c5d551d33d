#pragma once
// The comparison of dotted version numbers that decides whether an update is
// offered.

#include <string_view>

namespace brivane {

// Compares the first aDigits components of two versions as numbers. Positive when
// aCurrent is newer, negative when aAvailable is; the magnitude tells where they
// first differ: aDigits for the first component down to 1 for the last compared.
// Missing components count as 0, and so does a component that is not a whole
// number ("0 beta", "2-rc"); empty components vanish ("1..2" is "1.2") and
// leading white space of a component is skipped.
int CompareVersionNumbers(std::string_view aCurrent, std::string_view aAvailable, int aDigits);

} // namespace brivane

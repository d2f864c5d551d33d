#pragma once
// gzip encoding for tests that serve compressed bodies.

#include <string>
#include <string_view>

namespace brivane::test {

// aData as one gzip member.
std::string GzipEncode(std::string_view aData);

} // namespace brivane::test

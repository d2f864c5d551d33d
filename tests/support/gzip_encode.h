#pragma once
// gzip and deflate encoding for tests that serve compressed bodies.

#include <string>
#include <string_view>

namespace brivane::test {

// aData as one gzip member.
std::string GzipEncode(std::string_view aData);

// aData deflated, in zlib's wrapper or raw.
std::string DeflateEncode(std::string_view aData, bool aRaw = false);

} // namespace brivane::test

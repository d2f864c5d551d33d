#pragma once
// gzip (RFC 1952) decoding of HTTP bodies.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brivane::net {

class EGzipError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Decodes gzip data (members following each other are decoded one after the
// other; bytes after the last member are ignored). Empty input gives empty
// output. Throws EGzipError for data that is not gzip, is truncated, or would
// decode to more than aMaxSize bytes (a "gzip bomb").
std::string GzipDecode(std::string_view aData, std::size_t aMaxSize);

} // namespace brivane::net

#pragma once
// Decoding of compressed HTTP bodies: gzip (RFC 1952) and deflate, which servers
// send either wrapped in zlib's header (RFC 1950, as the standard says) or raw
// (RFC 1951, as some servers do).

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

// Decodes a deflate body, zlib-wrapped or raw (told apart by zlib's header check);
// bytes after the end of the data are ignored. Errors as GzipDecode's.
std::string DeflateDecode(std::string_view aData, std::size_t aMaxSize);

} // namespace brivane::net

#include "support/gzip_encode.h"

#include <zlib.h>

#include <stdexcept>

namespace brivane::test {

namespace {

std::string Encode(std::string_view aData, int aWindowBits) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, aWindowBits, 9,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2 failed");
    }
    std::string output(deflateBound(&stream, static_cast<uLong>(aData.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(aData.data()));
    stream.avail_in = static_cast<uInt>(aData.size());
    stream.next_out = reinterpret_cast<Bytef*>(output.data());
    stream.avail_out = static_cast<uInt>(output.size());
    const int result = deflate(&stream, Z_FINISH);
    output.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw std::runtime_error("deflate failed");
    }
    return output;
}

} // namespace

std::string GzipEncode(std::string_view aData) {
    return Encode(aData, 16 + MAX_WBITS); // a gzip wrapper instead of zlib's own
}

std::string DeflateEncode(std::string_view aData, bool aRaw) {
    return Encode(aData, aRaw ? -MAX_WBITS : MAX_WBITS);
}

} // namespace brivane::test

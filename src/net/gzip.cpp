#include "net/gzip.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace brivane::net {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

bool StartsMember(std::string_view aData) {
    return aData.size() >= 2 && static_cast<unsigned char>(aData[0]) == 0x1F &&
           static_cast<unsigned char>(aData[1]) == 0x8B;
}

class TInflater {
public:
    TInflater() {
        // 16 + MAX_WBITS: a gzip wrapper, not zlib's own.
        if (inflateInit2(&fStream, 16 + MAX_WBITS) != Z_OK) {
            throw EGzipError("Cannot start gzip decoding");
        }
    }
    ~TInflater() { inflateEnd(&fStream); }
    TInflater(const TInflater&) = delete;
    TInflater& operator=(const TInflater&) = delete;
    z_stream& Stream() { return fStream; }

private:
    z_stream fStream{};
};

} // namespace

std::string GzipDecode(std::string_view aData, std::size_t aMaxSize) {
    std::string output;
    if (aData.empty()) {
        return output;
    }
    TInflater inflater;
    z_stream& stream = inflater.Stream();
    const auto buffer = std::make_unique<char[]>(kBufferSize);
    std::size_t fed = 0; // input bytes handed to zlib so far
    while (true) {
        if (stream.avail_in == 0 && fed < aData.size()) {
            const auto chunk = std::min<std::size_t>(aData.size() - fed, UINT_MAX);
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(aData.data() + fed));
            stream.avail_in = static_cast<uInt>(chunk);
            fed += chunk;
        }
        stream.next_out = reinterpret_cast<Bytef*>(buffer.get());
        stream.avail_out = static_cast<uInt>(kBufferSize);
        const int result = inflate(&stream, Z_NO_FLUSH);
        const std::size_t produced = kBufferSize - stream.avail_out;
        if (produced > aMaxSize - output.size()) {
            throw EGzipError("Decoded gzip data exceeds the limit of " + std::to_string(aMaxSize) +
                             " bytes");
        }
        output.append(buffer.get(), produced);
        if (result == Z_STREAM_END) {
            const auto rest = aData.substr(aData.size() - (stream.avail_in + aData.size() - fed));
            if (!StartsMember(rest)) {
                return output;
            }
            inflateReset(&stream);
        } else if (result == Z_BUF_ERROR || (result == Z_OK && produced == 0)) {
            if (stream.avail_in == 0 && fed == aData.size()) {
                throw EGzipError("Truncated gzip data");
            }
        } else if (result != Z_OK) {
            throw EGzipError(std::string("Invalid gzip data: ") +
                             (stream.msg != nullptr ? stream.msg : "data error"));
        }
    }
}

} // namespace brivane::net

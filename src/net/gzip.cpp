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

// zlib's header: deflate with a window it can hold, and a check sum of the two bytes.
bool StartsZlibStream(std::string_view aData) {
    if (aData.size() < 2) {
        return false;
    }
    const auto method = static_cast<unsigned char>(aData[0]);
    const auto flags = static_cast<unsigned char>(aData[1]);
    return (method & 0x0F) == Z_DEFLATED && (method >> 4) <= 7 && (method * 256 + flags) % 31 == 0;
}

enum class TWrapper { Gzip, Zlib, Raw };

class TInflater {
public:
    explicit TInflater(TWrapper aWrapper) {
        // MAX_WBITS + 16: a gzip wrapper; negative: no wrapper at all.
        const int bits = aWrapper == TWrapper::Gzip   ? 16 + MAX_WBITS
                         : aWrapper == TWrapper::Zlib ? MAX_WBITS
                                                      : -MAX_WBITS;
        if (inflateInit2(&fStream, bits) != Z_OK) {
            throw EGzipError("Cannot start decoding");
        }
    }
    ~TInflater() { inflateEnd(&fStream); }
    TInflater(const TInflater&) = delete;
    TInflater& operator=(const TInflater&) = delete;
    z_stream& Stream() { return fStream; }

private:
    z_stream fStream{};
};

std::string Inflate(std::string_view aData, std::size_t aMaxSize, TWrapper aWrapper) {
    const std::string format = aWrapper == TWrapper::Gzip ? "gzip" : "deflate";
    std::string output;
    if (aData.empty()) {
        return output;
    }
    TInflater inflater(aWrapper);
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
            throw EGzipError("Decoded " + format + " data exceeds the limit of " +
                             std::to_string(aMaxSize) + " bytes");
        }
        output.append(buffer.get(), produced);
        if (result == Z_STREAM_END) {
            const auto rest = aData.substr(aData.size() - (stream.avail_in + aData.size() - fed));
            if (aWrapper != TWrapper::Gzip || !StartsMember(rest)) {
                return output;
            }
            inflateReset(&stream);
        } else if (result == Z_BUF_ERROR || (result == Z_OK && produced == 0)) {
            if (stream.avail_in == 0 && fed == aData.size()) {
                throw EGzipError("Truncated " + format + " data");
            }
        } else if (result != Z_OK) {
            throw EGzipError("Invalid " + format +
                             " data: " + (stream.msg != nullptr ? stream.msg : "data error"));
        }
    }
}

} // namespace

std::string GzipDecode(std::string_view aData, std::size_t aMaxSize) {
    return Inflate(aData, aMaxSize, TWrapper::Gzip);
}

std::string DeflateDecode(std::string_view aData, std::size_t aMaxSize) {
    if (!StartsZlibStream(aData)) {
        return Inflate(aData, aMaxSize, TWrapper::Raw);
    }
    try {
        return Inflate(aData, aMaxSize, TWrapper::Zlib);
    } catch (const EGzipError&) {
        // One raw stream in 31 or so begins like a zlib header by chance.
        try {
            return Inflate(aData, aMaxSize, TWrapper::Raw);
        } catch (const EGzipError&) {
        }
        throw;
    }
}

} // namespace brivane::net

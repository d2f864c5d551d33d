#pragma once
// The tagged binary value encoding of the cache files: each value is a one-byte tag
// and its payload, integers little-endian.

#include "base/unicode.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brivane {

enum class TValueTag : std::uint8_t {
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    String = 6,   // 1-byte length, ANSI bytes
    LString = 12, // 4-byte length, ANSI bytes
    WString = 18, // 4-byte length in UTF-16 code units, UTF-16LE
    Int64 = 19,
    Utf8String = 20, // 4-byte length in bytes, UTF-8
    Double = 21,
};

// A value of the wrong type, a length or a value running past the end of the data.
class TValueReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TValueWriter {
public:
    // The smallest of the 8-, 16- and 32-bit integer tags that holds the value.
    void WriteInteger(std::int32_t aValue);
    // As an integer unless the value needs 64 bits.
    void WriteInt64(std::int64_t aValue);
    void WriteDouble(double aValue);
    // UTF-8 text; written in whichever of the text encodings is most compact.
    void WriteString(std::string_view aText);
    // Raw bytes without a tag.
    void WriteBytes(std::string_view aBytes);

    const std::string& Bytes() const { return fBytes; }

private:
    void WriteTag(TValueTag aTag);

    std::string fBytes;
};

// Turns the bytes of an ANSI text into UTF-8.
using TAnsiDecoder = std::string (*)(std::string_view aBytes);

// Reads values from a byte buffer; every read throws TValueReadError on a wrong tag or
// when the data ends inside the value. Lengths are checked against the bytes that
// remain before anything is allocated.
class TValueReader {
public:
    // ANSI texts are read with aDecodeAnsi: the system's code page is the platform's to
    // know, so a reader of the system's own files passes its decoder.
    explicit TValueReader(std::string_view aBytes,
                          TAnsiDecoder aDecodeAnsi = Utf8OrWindows1252ToUtf8)
        : fBytes(aBytes), fDecodeAnsi(aDecodeAnsi) {}
    // The reader only views its bytes: a temporary would be gone before the first read.
    explicit TValueReader(std::string&&, TAnsiDecoder = nullptr) = delete;

    std::int32_t ReadInteger();
    // Accepts the 64-bit tag and every integer tag.
    std::int64_t ReadInt64();
    // Accepts the double tag and every integer tag; a value that is not finite is an error.
    double ReadDouble();
    // UTF-8 text from any of the text tags.
    std::string ReadString();
    std::string ReadBytes(std::size_t aCount);

    bool AtEnd() const { return fPosition == fBytes.size(); }

private:
    TValueTag ReadTag();
    std::string_view Take(std::size_t aCount);
    // A little-endian integer of type T taken from the data.
    template <typename T>
    T TakeInteger();
    // The integer payload of an integer tag already read.
    std::int32_t ReadIntegerPayload(TValueTag aTag);

    std::string_view fBytes;
    TAnsiDecoder fDecodeAnsi;
    std::size_t fPosition = 0;
};

} // namespace brivane

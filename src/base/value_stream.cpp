#include "base/value_stream.h"

#include "base/little_endian.h"
#include "base/unicode.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace brivane {

namespace {

bool IsIntegerTag(TValueTag aTag) {
    return aTag == TValueTag::Int8 || aTag == TValueTag::Int16 || aTag == TValueTag::Int32;
}

template <typename T>
bool Fits(std::int64_t aValue) {
    return aValue >= std::numeric_limits<T>::min() && aValue <= std::numeric_limits<T>::max();
}

} // namespace

void TValueWriter::WriteTag(TValueTag aTag) {
    fBytes += static_cast<char>(aTag);
}

void TValueWriter::WriteInteger(std::int32_t aValue) {
    if (Fits<std::int8_t>(aValue)) {
        WriteTag(TValueTag::Int8);
        AppendLittleEndian(fBytes, static_cast<std::int8_t>(aValue));
    } else if (Fits<std::int16_t>(aValue)) {
        WriteTag(TValueTag::Int16);
        AppendLittleEndian(fBytes, static_cast<std::int16_t>(aValue));
    } else {
        WriteTag(TValueTag::Int32);
        AppendLittleEndian(fBytes, aValue);
    }
}

void TValueWriter::WriteInt64(std::int64_t aValue) {
    if (Fits<std::int32_t>(aValue)) {
        WriteInteger(static_cast<std::int32_t>(aValue));
    } else {
        WriteTag(TValueTag::Int64);
        AppendLittleEndian(fBytes, aValue);
    }
}

void TValueWriter::WriteDouble(double aValue) {
    WriteTag(TValueTag::Double);
    AppendLittleEndian(fBytes, std::bit_cast<std::uint64_t>(aValue));
}

void TValueWriter::WriteString(std::string_view aText) {
    // Normalised through UTF-16, so malformed input is written as valid text.
    const std::u16string wide = Utf8ToUtf16(aText);
    const std::string utf8 = Utf16ToUtf8(wide);
    if (utf8.size() < 2 * wide.size()) {
        const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (!ascii) {
            WriteTag(TValueTag::Utf8String);
            AppendLittleEndian(fBytes, static_cast<std::uint32_t>(utf8.size()));
        } else if (utf8.size() <= 0xFF) {
            WriteTag(TValueTag::String);
            AppendLittleEndian(fBytes, static_cast<std::uint8_t>(utf8.size()));
        } else {
            WriteTag(TValueTag::LString);
            AppendLittleEndian(fBytes, static_cast<std::uint32_t>(utf8.size()));
        }
        fBytes += utf8;
        return;
    }
    WriteTag(TValueTag::WString);
    AppendLittleEndian(fBytes, static_cast<std::uint32_t>(wide.size()));
    for (const char16_t unit : wide) {
        AppendLittleEndian(fBytes, static_cast<std::uint16_t>(unit));
    }
}

void TValueWriter::WriteBytes(std::string_view aBytes) {
    fBytes += aBytes;
}

std::string_view TValueReader::Take(std::size_t aCount) {
    if (aCount > fBytes.size() - fPosition) {
        throw TValueReadError("the data ends inside a value");
    }
    const std::string_view result = fBytes.substr(fPosition, aCount);
    fPosition += aCount;
    return result;
}

template <typename T>
T TValueReader::TakeInteger() {
    return ReadLittleEndian<T>(Take(sizeof(T)), 0);
}

TValueTag TValueReader::ReadTag() {
    return static_cast<TValueTag>(TakeInteger<std::uint8_t>());
}

std::int32_t TValueReader::ReadIntegerPayload(TValueTag aTag) {
    switch (aTag) {
    case TValueTag::Int8:
        return TakeInteger<std::int8_t>();
    case TValueTag::Int16:
        return TakeInteger<std::int16_t>();
    case TValueTag::Int32:
        return TakeInteger<std::int32_t>();
    default:
        throw TValueReadError("an integer was expected");
    }
}

std::int32_t TValueReader::ReadInteger() {
    return ReadIntegerPayload(ReadTag());
}

std::int64_t TValueReader::ReadInt64() {
    const TValueTag tag = ReadTag();
    if (tag == TValueTag::Int64) {
        return TakeInteger<std::int64_t>();
    }
    if (!IsIntegerTag(tag)) {
        throw TValueReadError("a 64-bit integer was expected");
    }
    return ReadIntegerPayload(tag);
}

double TValueReader::ReadDouble() {
    const TValueTag tag = ReadTag();
    if (IsIntegerTag(tag)) {
        return ReadIntegerPayload(tag);
    }
    if (tag != TValueTag::Double) {
        throw TValueReadError("a floating-point number was expected");
    }
    const double value = std::bit_cast<double>(TakeInteger<std::uint64_t>());
    if (!std::isfinite(value)) {
        throw TValueReadError("a floating-point number is not finite");
    }
    return value;
}

std::string TValueReader::ReadString() {
    switch (ReadTag()) {
    case TValueTag::String:
        return fDecodeAnsi(Take(TakeInteger<std::uint8_t>()));
    case TValueTag::LString:
        return fDecodeAnsi(Take(TakeInteger<std::uint32_t>()));
    case TValueTag::Utf8String:
        // Through UTF-16, so that malformed bytes become replacement characters.
        return Utf16ToUtf8(Utf8ToUtf16(Take(TakeInteger<std::uint32_t>())));
    case TValueTag::WString: {
        const std::uint32_t units = TakeInteger<std::uint32_t>();
        const std::string_view bytes = Take(2 * static_cast<std::size_t>(units));
        std::u16string wide(units, u'\0');
        for (std::size_t i = 0; i < units; ++i) {
            wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                            static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
        }
        return Utf16ToUtf8(wide);
    }
    default:
        throw TValueReadError("a text was expected");
    }
}

std::string TValueReader::ReadBytes(std::size_t aCount) {
    return std::string(Take(aCount));
}

} // namespace brivane

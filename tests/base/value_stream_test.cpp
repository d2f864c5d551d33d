#include "base/value_stream.h"

#include <gtest/gtest.h>

#include <limits>

using namespace brivane;
using namespace std::string_literals;
using namespace std::string_view_literals;

namespace {

std::string Written(void (*aWrite)(TValueWriter&)) {
    TValueWriter writer;
    aWrite(writer);
    return writer.Bytes();
}

} // namespace

TEST(ValueStreamTest, WritesTheMostCompactTag) {
    struct Case {
        const char* what;
        void (*write)(TValueWriter&);
        std::string bytes;
    };
    const Case cases[] = {
        {"int8", [](TValueWriter& w) { w.WriteInteger(-128); }, "\x02\x80"s},
        {"int16", [](TValueWriter& w) { w.WriteInteger(128); }, "\x03\x80\x00"s},
        {"int32", [](TValueWriter& w) { w.WriteInteger(0x1D0C90B5); }, "\x04\xB5\x90\x0C\x1D"s},
        {"int64 small", [](TValueWriter& w) { w.WriteInt64(-40000); }, "\x04\xC0\x63\xFF\xFF"s},
        {"int64", [](TValueWriter& w) { w.WriteInt64(0x100000000); },
         "\x13\x00\x00\x00\x00\x01\x00\x00\x00"s},
        {"double", [](TValueWriter& w) { w.WriteDouble(1.0); },
         "\x15\x00\x00\x00\x00\x00\x00\xF0\x3F"s},
        {"empty text", [](TValueWriter& w) { w.WriteString(""); }, "\x12\x00\x00\x00\x00"s},
        {"ascii", [](TValueWriter& w) { w.WriteString("12.0.1"); }, "\x06\x06"s + "12.0.1"},
        {"cyrillic only", [](TValueWriter& w) { w.WriteString("Да"); },
         "\x12\x02\x00\x00\x00\x14\x04\x30\x04"s},
        {"mixed", [](TValueWriter& w) { w.WriteString("Firefox Да"); },
         "\x14\x0C\x00\x00\x00"s + "Firefox Да"},
        {"long ascii", [](TValueWriter& w) { w.WriteString(std::string(256, 'a')); },
         "\x0C\x00\x01\x00\x00"s + std::string(256, 'a')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Written(c.write), c.bytes) << c.what;
    }
}

TEST(ValueStreamTest, RoundTripsValuesAndWidensIntegers) {
    TValueWriter writer;
    writer.WriteInteger(std::numeric_limits<std::int32_t>::min());
    writer.WriteInt64(std::numeric_limits<std::int64_t>::max());
    writer.WriteInteger(-3); // read back as a 64-bit integer and as a double
    writer.WriteInteger(7);
    writer.WriteDouble(42501.25);
    for (const char* text : {"", "a", "Привет", "7-Zip 😀", "x\xFFy"}) {
        writer.WriteString(text);
    }
    writer.WriteBytes("raw");

    TValueReader reader(writer.Bytes());
    EXPECT_EQ(reader.ReadInteger(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(reader.ReadInt64(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(reader.ReadInt64(), -3);
    EXPECT_EQ(reader.ReadDouble(), 7.0);
    EXPECT_EQ(reader.ReadDouble(), 42501.25);
    for (const char* text : {"", "a", "Привет", "7-Zip 😀", "x\uFFFDy"}) {
        EXPECT_EQ(reader.ReadString(), text);
    }
    EXPECT_EQ(reader.ReadBytes(3), "raw");
    EXPECT_TRUE(reader.AtEnd());
}

TEST(ValueStreamTest, ReadsAnsiTextsWithoutLosingBytes) {
    // Texts written elsewhere: Windows-1252 bytes in the short and the long tag.
    const std::string bytes = "\x06\x04"s + "caf\xE9" + "\x0C\x03\x00\x00\x00\x80\x20\x41"s;
    TValueReader reader(bytes);
    EXPECT_EQ(reader.ReadString(), "café");
    EXPECT_EQ(reader.ReadString(), "€ A");
}

TEST(ValueStreamTest, WrongTagsAreReadErrors) {
    struct Case {
        const char* what;
        std::string bytes;
        void (*read)(TValueReader&);
    };
    const Case cases[] = {
        {"text as integer", "\x06\x00"s, [](TValueReader& r) { r.ReadInteger(); }},
        {"int64 as integer", "\x13\0\0\0\0\0\0\0\0"s, [](TValueReader& r) { r.ReadInteger(); }},
        {"double as int64", "\x15\0\0\0\0\0\0\0\0"s, [](TValueReader& r) { r.ReadInt64(); }},
        {"int64 as double", "\x13\0\0\0\0\0\0\0\0"s, [](TValueReader& r) { r.ReadDouble(); }},
        {"integer as text", "\x02\x01"s, [](TValueReader& r) { r.ReadString(); }},
        {"unknown tag", "\x07\x00"s, [](TValueReader& r) { r.ReadString(); }},
        {"zero tag", "\x00"s, [](TValueReader& r) { r.ReadInteger(); }},
        {"NaN", "\x15\0\0\0\0\0\0\xF8\x7F"s, [](TValueReader& r) { r.ReadDouble(); }},
        {"infinity", "\x15\0\0\0\0\0\0\xF0\x7F"s, [](TValueReader& r) { r.ReadDouble(); }},
    };
    for (const auto& c : cases) {
        TValueReader reader(c.bytes);
        EXPECT_THROW(c.read(reader), TValueReadError) << c.what;
    }
}

TEST(ValueStreamTest, DataEndingInsideAValueIsAReadError) {
    TValueWriter writer;
    writer.WriteInt64(1LL << 40);
    writer.WriteDouble(0.5);
    writer.WriteString("ascii");
    writer.WriteString(std::string(300, 'b'));
    writer.WriteString("Юникод");
    writer.WriteString("ü8");
    const std::string& bytes = writer.Bytes();
    const auto readAll = [](TValueReader& aReader) {
        aReader.ReadInt64();
        aReader.ReadDouble();
        for (int i = 0; i < 4; ++i) {
            aReader.ReadString();
        }
    };
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        TValueReader reader(std::string_view(bytes).substr(0, length));
        EXPECT_THROW(readAll(reader), TValueReadError) << "cut at " << length;
    }
    TValueReader whole(bytes);
    EXPECT_NO_THROW(readAll(whole));
    EXPECT_TRUE(whole.AtEnd());
}

TEST(ValueStreamTest, HugeLengthsFailBeforeAnyAllocation) {
    for (const std::string& bytes :
         {"\x0C\xFF\xFF\xFF\xFF"s + "abc", "\x12\xFF\xFF\xFF\x7F"s + "ab",
          "\x14\x00\x00\x00\x80"s + "x"}) {
        TValueReader reader(bytes);
        EXPECT_THROW(reader.ReadString(), TValueReadError);
    }
    TValueReader reader("ab"sv);
    EXPECT_THROW(reader.ReadBytes(std::numeric_limits<std::size_t>::max()), TValueReadError);
}

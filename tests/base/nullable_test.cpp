#include "base/nullable.h"

#include <gtest/gtest.h>

using namespace brivane;

namespace {

struct TRecord {
    std::string Name;
};

template <typename T>
std::string ReadError(const Nullable<T>& aValue) {
    try {
        aValue.Value();
    } catch (const ENullableError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(NullableTest, EmptyUntilAssignedThenHoldsTheValue) {
    Nullable<TRecord> record;
    EXPECT_FALSE(record.HasValue());
    EXPECT_EQ(ReadError(record), "Attempted to get a null value");
    record = TRecord{"7-Zip"};
    ASSERT_TRUE(record.HasValue());
    EXPECT_EQ(record.Value().Name, "7-Zip");
    record.Clear();
    EXPECT_EQ(ReadError(record), "Attempted to get a null value");

    const Nullable<std::int64_t> size = std::int64_t{1} << 40;
    EXPECT_EQ(size.Value(), std::int64_t{1} << 40);
    EXPECT_EQ(ReadError(Nullable<double>()), "Attempted to get a null value");
}

TEST(NullableTest, OtherKindsOfValueCannotBeRead) {
    int number = 5;
    const Nullable<int*> pointer = &number;
    EXPECT_TRUE(pointer.HasValue());
    EXPECT_EQ(ReadError(pointer),
              "Unsupported Type: Only supports Integer, Int64, Float, String, Record");
}

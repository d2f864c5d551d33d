#include "platform/environment.h"

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

TEST(EnvironmentTest, VariablesAreSetReadAndRemovedAsUtf8) {
    const std::string name = "BRIVANE_TEST_ENVIRONMENT";
    platform::UnsetEnv(name);
    EXPECT_EQ(platform::GetEnv(name), std::nullopt);
    for (const std::string value : {"plain", "Привет, ёж", "with = sign", "C:\\Program Files"}) {
        platform::SetEnv(name, value);
        EXPECT_EQ(platform::GetEnv(name), value);
    }
    platform::UnsetEnv(name);
    EXPECT_EQ(platform::GetEnv(name), std::nullopt);
    platform::UnsetEnv(name); // nothing to remove: nothing happens
    EXPECT_THROW(platform::SetEnv("A=B", "x"), std::runtime_error);
    EXPECT_THROW(platform::SetEnv("", "x"), std::runtime_error);
}

} // namespace
} // namespace brivane::test

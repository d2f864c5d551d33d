#include "catalogue/product_code.h"

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

TEST(ProductCodeTest, RecognisesInstallerProductCodes) {
    const std::pair<const char*, bool> cases[] = {
        {"{23170F69-40C1-2702-2301-000001000000}", true},
        {"23170F69-40C1-2702-2301-000001000000", true},
        {"{23170f69-40c1-2702-2301-00000100000a}", true},
        {"{23170F69-40C1-2702-2301-000001000000", true}, // each brace is optional
        {"{23170F69-40C1-2702-2301-000001000000}\n", true},
        {"{23170F69-40C1-2702-2301-00000100000G}", false},
        {"{23170F69-40C1-2702-2301-0000010000000}", false},
        {"{23170F69-40C1-2702-2301-000001000000}}", false},
        {" {23170F69-40C1-2702-2301-000001000000}", false},
        {"{23170F69_40C1_2702_2301_000001000000}", false},
        {"{BADC0DE}", false},
        {"7-Zip", false},
        {"", false},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(IsProductCode(name), expected) << name;
    }
}

} // namespace
} // namespace brivane::test

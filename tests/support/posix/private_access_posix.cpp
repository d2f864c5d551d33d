#include "support/private_access.h"

#include <gtest/gtest.h>

namespace brivane::test {

void ExpectOnlyTheUser(const std::filesystem::path& aPath) {
    using std::filesystem::perms;
    const auto status = std::filesystem::status(aPath);
    EXPECT_EQ(status.permissions() & perms::all, std::filesystem::is_directory(status)
                                                     ? perms::owner_all
                                                     : perms::owner_read | perms::owner_write)
        << aPath;
}

} // namespace brivane::test

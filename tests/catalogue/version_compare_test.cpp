#include "catalogue/version_compare.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using brivane::CompareVersionNumbers;

TEST(VersionCompareTest, ComparesDottedNumbersComponentByComponent) {
    struct TCase {
        const char* Current;
        const char* Available;
        int Digits;
        int Expected;
    };
    const TCase cases[] = {
        {"1.2.3", "1.2.4", 4, -2},
        {"1.10", "1.9", 4, 3},
        {"2.0", "10.0", 4, -4},
        {"1.2", "1.2.0.0", 4, 0},
        {"", "", 4, 0},
        {"1.2.3.4.5", "1.2.3.4.6", 4, 0}, // the fifth component is not compared
        {"1.0 beta", "1.0", 4, 0},        // "0 beta" is no number and counts as 0
        {"1..2", "1.2", 4, 0},            // empty components vanish
        {"5", "6", 2, -2},
        // Beyond the cases above.
        {"1.2.3.4", "1.2.3.5", 4, -1},
        {"16.02", "", 4, 4},
        {"3.10", "3.1", 4, 3},
        {" 1. 2", "1.2", 4, 0},     // leading white space of a component is skipped
        {"1.2 .3", "1.0.3", 4, 0},  // "2 " is no number
        {"1.2-3", "1.0", 4, 0},     // nor is "2-3"
        {"1.2b", "1.0.0.1", 4, -1}, // nor "2b"
        {"1-2-3", "0", 4, 0},
        {"9.1.0.5", "9.1.2.7", 2, 0},
        {"9.1.0.5", "9.1.2.7", 3, -1},
        {"99999999999999999999", "1", 4, -4}, // too large for a number: 0
        {"4294967296", "4294967295", 4, 4},   // 64-bit components
        {"1.2", "1.3", 0, 0},
        {"1.2", "1.3", -1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareVersionNumbers(c.Current, c.Available, c.Digits), c.Expected)
            << '"' << c.Current << "\" vs \"" << c.Available << "\" over " << c.Digits;
        EXPECT_EQ(CompareVersionNumbers(c.Available, c.Current, c.Digits), -c.Expected)
            << '"' << c.Available << "\" vs \"" << c.Current << "\" over " << c.Digits;
    }
}

TEST(VersionCompareTest, SharedPatternServesParallelComparisons) {
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (std::size_t t = 0; t < failures.size(); ++t) {
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < 500; ++i) {
                if (CompareVersionNumbers("1.2." + std::to_string(i), "1.2.500", 4) != -2) {
                    ++failures[t];
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

#include "regex/regex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace brivane {
namespace {

// One regex built once and used by several threads at the same time, as the
// catalogue's checks do with their constant patterns.
TEST(RegexConcurrencyTest, SharedRegexMatchesOnManyThreadsAtOnce) {
    const auto version = NewRegex(R"(Download 7-Zip (?<version>[\d\.]+))");
    const auto link = NewRegex(R"re(href="([^"]+\.exe)")re", {TRegCompileOption::rcoIgnoreCase});
    const auto deep = NewRegex("^(?:(a)|b)*$");
    std::string page;
    for (int i = 0; i < 50; ++i) {
        page += "<a HREF=\"7z" + std::to_string(i) + ".exe\">Версия</a>\n";
    }
    page += "Download 7-Zip 16.02 (2016-05-21)";
    const std::string deepSubject(20000, 'a');

    constexpr int kThreads = 4;
    constexpr int kRounds = 50;
    std::atomic<int> failures{0};
    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            ready.fetch_add(1);
            while (ready.load() < kThreads) {
                std::this_thread::yield(); // start together to overlap the matches
            }
            for (int round = 0; round < kRounds; ++round) {
                const TRegexSubject subject(page);
                bool ok = version->Match(subject)->Groups()->Item("version")->Value() == "16.02";
                ok = ok && link->Matches(subject)->Count() == 50;
                ok = ok && link->Replace(subject, "[$1]").find("[7z49.exe]") != std::string::npos;
                ok = ok && link->Split(subject)->Count() == 101;
                ok = ok && version->DfaMatch(subject)->Count() == 1;
                ok = ok && (t % 2 == 0 || deep->IsMatch(deepSubject));
                if (!ok) {
                    failures.fetch_add(1);
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(failures.load(), 0);
}

} // namespace
} // namespace brivane

// The regex facade against bare PCRE2: one typical catalogue pattern over a
// generated 200 KB download page whose version line sits near the end, so the
// whole page is scanned. Each iteration times the facade and the bare
// pcre2_jit_match loop back to back on the same UTF-16 subject; "ratio" is
// facade time / bare time (target: at most 1.2). "utf8_ratio" is the same for a
// caller that hands the page over as UTF-8 text on every call.

#include "base/unicode.h"
#include "regex/regex.h"

#include <benchmark/benchmark.h>
#include <pcre2.h>

#include <chrono>
#include <stdexcept>
#include <string>

namespace {

using namespace brivane;
using TClock = std::chrono::steady_clock;

constexpr const char* kPattern = R"(Download 7-Zip ([\d\.]+))";

std::string MakePage() {
    std::string page = "<html><head><title>7-Zip</title></head><body><table>\n";
    for (int row = 0; page.size() < 200 * 1024; ++row) {
        page += "<tr><td class=\"Item\"><a href=\"a/7z" + std::to_string(row) +
                "-x64.exe\">Download</a></td><td>Версия " + std::to_string(row % 30) + "." +
                std::to_string(row % 100) + " &mdash; notes</td></tr>\n";
    }
    page += "</table><P><B>Download 7-Zip 16.02</B> (2016-05-21) for Windows:</P></body></html>\n";
    return page;
}

// The baseline: compiled and JIT-compiled once, match data reused.
class TBareMatcher {
public:
    TBareMatcher() {
        const std::u16string pattern = Utf8ToUtf16(kPattern);
        int error = 0;
        PCRE2_SIZE offset = 0;
        fCode = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), 0,
                              &error, &offset, nullptr);
        if (fCode == nullptr || pcre2_jit_compile(fCode, PCRE2_JIT_COMPLETE) != 0) {
            throw std::runtime_error("baseline pattern");
        }
        fData = pcre2_match_data_create_from_pattern(fCode, nullptr);
    }
    ~TBareMatcher() {
        pcre2_match_data_free(fData);
        pcre2_code_free(fCode);
    }
    int Match(const std::u16string& aSubject) const {
        return pcre2_jit_match(fCode, reinterpret_cast<PCRE2_SPTR>(aSubject.data()),
                               aSubject.size(), 0, 0, fData, nullptr);
    }

private:
    pcre2_code* fCode = nullptr;
    pcre2_match_data* fData = nullptr;
};

double Seconds(TClock::duration aDuration) {
    return std::chrono::duration<double>(aDuration).count();
}

void BM_RegexMatchVersusBarePcre2(benchmark::State& aState) {
    const std::string page = MakePage();
    const TRegexSubject subject(page);
    const auto regex = NewRegex(kPattern);
    const TBareMatcher bare;
    if (regex->Match(subject)->Groups()->Item(1)->Value() != "16.02" ||
        bare.Match(*subject.Units()) != 2) {
        aState.SkipWithError("the pattern does not match the page");
        return;
    }
    TClock::duration facadeTime{}, utf8Time{}, bareTime{};
    const auto time = [](TClock::duration& aTotal, const auto& aBody) {
        const auto start = TClock::now();
        aBody();
        aTotal += TClock::now() - start;
    };
    const auto facade = [&] {
        benchmark::DoNotOptimize(regex->Match(subject)->Groups()->Item(1)->Value());
    };
    const auto facadeUtf8 = [&] {
        benchmark::DoNotOptimize(regex->Match(page)->Groups()->Item(1)->Value());
    };
    const auto baseline = [&] { benchmark::DoNotOptimize(bare.Match(*subject.Units())); };
    bool facadeFirst = true; // alternate, so that neither side always runs on a warmer cache
    for (auto _ : aState) {
        if (facadeFirst) {
            time(facadeTime, facade);
            time(bareTime, baseline);
        } else {
            time(bareTime, baseline);
            time(facadeTime, facade);
        }
        time(utf8Time, facadeUtf8);
        facadeFirst = !facadeFirst;
    }
    aState.counters["ratio"] = Seconds(facadeTime) / Seconds(bareTime);
    aState.counters["utf8_ratio"] = Seconds(utf8Time) / Seconds(bareTime);
    aState.counters["bare_us"] = Seconds(bareTime) * 1e6 / double(aState.iterations());
}
BENCHMARK(BM_RegexMatchVersusBarePcre2)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

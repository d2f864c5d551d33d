#pragma once
// Helpers of the transport tests: the caught failure of a call, and what the
// platform's transport says in its own words.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace brivane::test {

// The start of the message of a body that timed out: the transport's error code and
// curl's text (WinINet's text is the system's, and differs between Windows versions
// and Wine).
#ifdef _WIN32
inline constexpr std::string_view kBodyTimedOut = "Error reading data: (12002) ";
#else
inline constexpr std::string_view kBodyTimedOut = "Error reading data: (28) Timeout was reached";
#endif

// The message and detail of the TException aCall throws; a failure when it throws none.
template <class TException>
std::pair<std::string, std::string> CaughtMessage(const std::function<void()>& aCall) {
    try {
        aCall();
    } catch (const TException& e) {
        return {e.what(), e.Detail()};
    }
    ADD_FAILURE() << "no exception";
    return {};
}

} // namespace brivane::test

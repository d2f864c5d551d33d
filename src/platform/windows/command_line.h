#pragma once
// Command lines as Windows programs split them (CommandLineToArgvW and the C runtime).

#include <string>
#include <vector>

namespace brivane::platform::windows {

// aWord quoted so the split gives it back unchanged: blanks, quotes and the backslashes
// before them survive; a word without any of them stays as it is.
std::wstring QuoteArgument(const std::wstring& aWord);

// The words quoted and joined by blanks.
std::wstring JoinArguments(const std::vector<std::wstring>& aWords);

} // namespace brivane::platform::windows

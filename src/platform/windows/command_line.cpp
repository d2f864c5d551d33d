#include "platform/windows/command_line.h"

namespace brivane::platform::windows {

std::wstring QuoteArgument(const std::wstring& aWord) {
    if (!aWord.empty() && aWord.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return aWord;
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : aWord) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quote: there each is doubled, and the quote
        // itself escaped.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(backslashes * 2, L'\\'); // before the closing quote
    quoted += L'"';
    return quoted;
}

std::wstring JoinArguments(const std::vector<std::wstring>& aWords) {
    std::wstring line;
    for (const auto& word : aWords) {
        if (!line.empty()) {
            line += L' ';
        }
        line += QuoteArgument(word);
    }
    return line;
}

} // namespace brivane::platform::windows

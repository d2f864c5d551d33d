#pragma once
// Cutting blanks off the ends of a text. Each format we read has its own idea of a
// blank, so the caller names them: a set of characters, or every control character
// and the space.

#include <string_view>

namespace brivane {

namespace trim_detail {

template <typename TChar, typename TBlank>
std::basic_string_view<TChar> Left(std::basic_string_view<TChar> aText, TBlank aBlank) {
    while (!aText.empty() && aBlank(aText.front())) {
        aText.remove_prefix(1);
    }
    return aText;
}

template <typename TChar, typename TBlank>
std::basic_string_view<TChar> Right(std::basic_string_view<TChar> aText, TBlank aBlank) {
    while (!aText.empty() && aBlank(aText.back())) {
        aText.remove_suffix(1);
    }
    return aText;
}

inline auto OneOf(std::string_view aBlanks) {
    return [aBlanks](char c) { return aBlanks.find(c) != std::string_view::npos; };
}

template <typename TChar>
bool IsControlOrSpace(TChar c) {
    return static_cast<std::make_unsigned_t<TChar>>(c) <= 0x20;
}

} // namespace trim_detail

inline std::string_view TrimLeft(std::string_view aText, std::string_view aBlanks) {
    return trim_detail::Left(aText, trim_detail::OneOf(aBlanks));
}

inline std::string_view TrimRight(std::string_view aText, std::string_view aBlanks) {
    return trim_detail::Right(aText, trim_detail::OneOf(aBlanks));
}

inline std::string_view Trim(std::string_view aText, std::string_view aBlanks) {
    return TrimRight(TrimLeft(aText, aBlanks), aBlanks);
}

// Without the space and every control character below it at both ends.
template <typename TChar>
std::basic_string_view<TChar> TrimControls(std::basic_string_view<TChar> aText) {
    const auto blank = trim_detail::IsControlOrSpace<TChar>;
    return trim_detail::Right(trim_detail::Left(aText, blank), blank);
}

} // namespace brivane

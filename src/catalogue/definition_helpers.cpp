#include "catalogue/definition_helpers.h"

namespace brivane {

std::string GroupText(const IMatch& aMatch, int aIndex) {
    return aMatch.Groups()->Item(aIndex)->Value();
}

std::optional<std::string> FirstGroup(const IRegex& aPattern, const TRegexSubject& aPage) {
    const auto match = aPattern.Match(aPage);
    if (!match->Success()) {
        return std::nullopt;
    }
    return GroupText(*match, 1);
}

std::string AbsoluteLink(std::string_view aSiteBase, std::string_view aLink) {
    if (aLink.starts_with("//")) {
        // The scheme of the site the link was found on: "http:" in front would fetch an
        // installer found on an HTTPS page over plain HTTP.
        const auto colon = aSiteBase.find("://");
        return std::string(colon == std::string_view::npos ? "https:"
                                                           : aSiteBase.substr(0, colon + 1)) +
               std::string(aLink);
    }
    if (aLink.starts_with("http")) {
        return std::string(aLink);
    }
    std::string result(aSiteBase);
    if (!aLink.starts_with("/")) {
        result += '/';
    }
    return result += aLink;
}

std::string JoinWindowsPath(std::string_view aPath, std::string_view aFileName) {
    std::string result(aPath);
    if (!result.empty() && result.back() != '\\' && result.back() != '/') {
        result += '\\';
    }
    return result += aFileName;
}

} // namespace brivane

#include "net/net_headers.h"

#include "base/trim.h"

#include <algorithm>

namespace brivane::net {

namespace {

char LowerAscii(char aChar) {
    return (aChar >= 'A' && aChar <= 'Z') ? static_cast<char>(aChar - 'A' + 'a') : aChar;
}

} // namespace

bool SameToken(std::string_view aLeft, std::string_view aRight) {
    return aLeft.size() == aRight.size() &&
           std::equal(aLeft.begin(), aLeft.end(), aRight.begin(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

std::string LowerToken(std::string_view aText) {
    std::string result(aText);
    std::transform(result.begin(), result.end(), result.begin(), LowerAscii);
    return result;
}

std::string_view TrimBlanks(std::string_view aText) {
    return Trim(aText, " \t");
}

const TNameValuePair* FindHeader(const TNetHeaders& aHeaders, std::string_view aName) {
    const auto found = std::find_if(aHeaders.begin(), aHeaders.end(), [&](const auto& aHeader) {
        return SameToken(aHeader.Name, aName);
    });
    return found == aHeaders.end() ? nullptr : &*found;
}

std::string HeaderValueOf(const TNetHeaders& aHeaders, std::string_view aName) {
    const auto* header = FindHeader(aHeaders, aName);
    return header ? header->Value : std::string();
}

void SetHeader(TNetHeaders& aHeaders, std::string_view aName, std::string_view aValue) {
    for (auto& header : aHeaders) {
        if (SameToken(header.Name, aName)) {
            header.Value = aValue;
            return;
        }
    }
    aHeaders.push_back({std::string(aName), std::string(aValue)});
}

bool RemoveHeader(TNetHeaders& aHeaders, std::string_view aName) {
    const auto found = std::find_if(aHeaders.begin(), aHeaders.end(), [&](const auto& aHeader) {
        return SameToken(aHeader.Name, aName);
    });
    if (found == aHeaders.end()) {
        return false;
    }
    aHeaders.erase(found);
    return true;
}

} // namespace brivane::net

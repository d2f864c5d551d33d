#include "net/http_response.h"

#include <charconv>

namespace brivane::net {

namespace {

THTTPProtocolVersion VersionOf(std::string_view aToken) {
    if (SameToken(aToken, "HTTP/1.0")) {
        return THTTPProtocolVersion::HTTP_1_0;
    }
    if (SameToken(aToken, "HTTP/1.1")) {
        return THTTPProtocolVersion::HTTP_1_1;
    }
    if (SameToken(aToken, "HTTP/2.0") || SameToken(aToken, "HTTP/2")) {
        return THTTPProtocolVersion::HTTP_2_0;
    }
    return THTTPProtocolVersion::UNKNOWN_HTTP;
}

std::string_view WithoutLineBreak(std::string_view aLine) {
    while (!aLine.empty() && (aLine.back() == '\n' || aLine.back() == '\r')) {
        aLine.remove_suffix(1);
    }
    return aLine;
}

} // namespace

void THTTPResponse::StartHead(std::string_view aStatusLine) {
    fHeaders.clear();
    fSetCookies.clear();
    fStatusText.clear();
    fStatusCode = 0;
    fInHead = true;
    fHeadComplete = false;

    const auto firstBlank = aStatusLine.find(' ');
    fVersion = VersionOf(aStatusLine.substr(0, firstBlank));
    if (firstBlank == std::string_view::npos) {
        return;
    }
    auto rest = TrimBlanks(aStatusLine.substr(firstBlank + 1));
    const auto secondBlank = rest.find(' ');
    const auto code = rest.substr(0, secondBlank);
    int value = 0;
    const auto [ptr, error] = std::from_chars(code.data(), code.data() + code.size(), value);
    if (error == std::errc() && ptr == code.data() + code.size()) {
        fStatusCode = value;
    }
    if (secondBlank != std::string_view::npos) {
        fStatusText = TrimBlanks(rest.substr(secondBlank + 1));
    }
}

void THTTPResponse::AddHeadLine(std::string_view aLine) {
    const auto line = WithoutLineBreak(aLine);
    if (line.starts_with("HTTP/")) {
        StartHead(line);
        return;
    }
    if (!fInHead) {
        return;
    }
    if (line.empty()) {
        fInHead = false;
        fHeadComplete = fStatusCode >= 200;
        return;
    }
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) {
        return; // not a header line
    }
    const auto name = TrimBlanks(line.substr(0, colon));
    const auto value = TrimBlanks(line.substr(colon + 1));
    if (name.empty()) {
        return;
    }
    if (SameToken(name, "Set-Cookie")) {
        fSetCookies.emplace_back(value);
        return;
    }
    for (auto& header : fHeaders) {
        if (SameToken(header.Name, name)) {
            header.Value.append(", ").append(value);
            return;
        }
    }
    fHeaders.push_back({std::string(name), std::string(value)});
}

std::string THTTPResponse::GetHeaderValue(std::string_view aName) const {
    return HeaderValueOf(fHeaders, aName);
}

bool THTTPResponse::ContainsHeader(std::string_view aName) const {
    return FindHeader(fHeaders, aName) != nullptr;
}

std::int64_t THTTPResponse::GetContentLength() const {
    const auto* header = FindHeader(fHeaders, "Content-Length");
    if (header == nullptr) {
        return -1;
    }
    const auto& text = header->Value;
    std::int64_t length = -1;
    const auto [ptr, error] = std::from_chars(text.data(), text.data() + text.size(), length);
    if (error != std::errc() || ptr != text.data() + text.size() || length < 0) {
        return -1;
    }
    return length;
}

std::string THTTPResponse::GetContentCharSet() const {
    const std::string contentType = GetHeaderValue("Content-Type");
    std::string_view rest = contentType;
    while (true) {
        const auto semicolon = rest.find(';');
        if (semicolon == std::string_view::npos) {
            return {};
        }
        rest = rest.substr(semicolon + 1);
        const auto parameter = TrimBlanks(rest.substr(0, rest.find(';')));
        const auto equals = parameter.find('=');
        if (equals != std::string_view::npos &&
            SameToken(TrimBlanks(parameter.substr(0, equals)), "charset")) {
            auto value = TrimBlanks(parameter.substr(equals + 1));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                value = value.substr(1, value.size() - 2);
            }
            return std::string(TrimBlanks(value));
        }
    }
}

std::string THTTPResponse::GetContentEncoding() const {
    return GetHeaderValue("Content-Encoding");
}

std::string THTTPResponse::GetMimeType() const {
    const std::string contentType = GetHeaderValue("Content-Type");
    return std::string(TrimBlanks(std::string_view(contentType).substr(0, contentType.find(';'))));
}

std::string THTTPResponse::GetLastModified() const {
    return GetHeaderValue("Last-Modified");
}

} // namespace brivane::net

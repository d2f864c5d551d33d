#include "install/version_info.h"

#include "base/json_depth.h"
#include "base/unicode.h"

#include <nlohmann/json.hpp>

#include <limits>

namespace brivane::install {

std::string VersionAsString(std::string_view aVersion, std::int32_t aBuild) {
    return std::string(aVersion) + " build " + std::to_string(aBuild);
}

std::string TVersionInfo::AsString() const {
    return VersionAsString(fVersion, fBuild);
}

std::string TVersionInfo::Description(std::string_view aLanguage) const {
    for (const auto& description : fDescriptions) {
        if (SameText(description.fLanguage, aLanguage)) {
            return description.fDescription;
        }
    }
    return {};
}

namespace {

// Member order is document order here, which the descriptions keep.
using TJson = nlohmann::ordered_json;

class EManifestProblem : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

const TJson* Member(const TJson& aObject, const char* aName) {
    const auto member = aObject.find(aName);
    return member == aObject.end() || member->is_null() ? nullptr : &*member;
}

std::string TextMember(const TJson& aObject, const char* aName, const char* aPath) {
    const TJson* value = Member(aObject, aName);
    if (value == nullptr) {
        return {};
    }
    if (!value->is_string()) {
        throw EManifestProblem(std::string("\"") + aPath + "\" is not a string");
    }
    return value->get<std::string>();
}

std::int32_t BuildMember(const TJson& aObject) {
    const TJson* value = Member(aObject, "build");
    if (value == nullptr) {
        return 0;
    }
    if (value->is_number_integer()) {
        // Integers the parser read as unsigned are non-negative, so one signed view fits both.
        const bool fits =
            value->is_number_unsigned()
                ? value->get<std::uint64_t>() <=
                      std::uint64_t{std::numeric_limits<std::int32_t>::max()}
                : value->get<std::int64_t>() >= std::numeric_limits<std::int32_t>::min() &&
                      value->get<std::int64_t>() <= std::numeric_limits<std::int32_t>::max();
        if (fits) {
            return static_cast<std::int32_t>(value->get<std::int64_t>());
        }
    }
    throw EManifestProblem("\"build\" is not a 32-bit integer");
}

std::string InstallURL(const TJson& aDocument) {
    const TJson* url = Member(aDocument, "url");
    if (url == nullptr) {
        return {};
    }
    if (!url->is_object()) {
        throw EManifestProblem("\"url\" is not an object");
    }
    return TextMember(*url, "install", "url.install");
}

// The members besides the descriptions, all or none.
TVersionInfo ScalarMembers(const TJson& aDocument) {
    auto info = TVersionInfo::Create(TextMember(aDocument, "version", "version"),
                                     BuildMember(aDocument), InstallURL(aDocument));
    info.fSha256 = TextMember(aDocument, "sha256", "sha256");
    info.fSignature = TextMember(aDocument, "signature", "signature");
    return info;
}

void ReadDescriptions(const TJson& aDocument, TVersionInfo& aInfo) {
    const TJson* descriptions = Member(aDocument, "descriptions");
    if (descriptions == nullptr) {
        return;
    }
    if (!descriptions->is_object()) {
        throw EManifestProblem("\"descriptions\" is not an object");
    }
    for (const auto& [language, text] : descriptions->items()) {
        if (!text.is_string()) {
            throw EManifestProblem("the description \"" + language + "\" is not a string");
        }
        aInfo.fDescriptions.push_back(
            TVersionInfo::TLanguageDescription::Create(language, text.get<std::string>()));
    }
}

} // namespace

TVersionInfo ParseVersionInfo(std::string_view aText, std::string* aProblem) {
    TVersionInfo info;
    std::string problem;
    if (!JsonNestingWithin(aText)) {
        problem = "the manifest is " + JsonTooDeepText();
    } else if (const auto document = TJson::parse(aText, nullptr, /*allow_exceptions=*/false);
               document.is_discarded()) {
        problem = "the manifest is not JSON";
    } else if (!document.is_object()) {
        problem = "the manifest is not a JSON object";
    } else {
        try {
            info = ScalarMembers(document);
            ReadDescriptions(document, info);
        } catch (const EManifestProblem& e) {
            problem = e.what();
        } catch (const std::exception& e) { // out of memory, say: no manifest
            info = {};
            problem = e.what();
        }
    }
    if (aProblem != nullptr) {
        *aProblem = std::move(problem);
    }
    return info;
}

} // namespace brivane::install

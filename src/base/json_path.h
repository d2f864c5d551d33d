#pragma once
// Reading the JSON answers of web services: parsing without exceptions, and
// members found by a dotted path ("package_info.version") and read as text.

#include <nlohmann/json.hpp>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brivane {

// A member that cannot be read as text (an object or an array).
class EJsonPathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The document, or nothing when aText is not JSON or nests deeper than
// kMaxJsonDepth (see json_depth.h).
std::optional<nlohmann::json> ParseJson(std::string_view aText);

// The value at aPath: member names separated by dots, each looked up in the
// object the previous one gave; an empty path is aValue itself. Null when a
// member is missing or a value on the way is not an object.
const nlohmann::json* FindJsonMember(const nlohmann::json& aValue, std::string_view aPath);

// The value at aPath as text: empty for a missing member or JSON null, a string
// as it is, a number in decimal, a Boolean as "true" or "false". An object or an
// array raises EJsonPathError.
std::string JsonText(const nlohmann::json& aValue, std::string_view aPath);

} // namespace brivane

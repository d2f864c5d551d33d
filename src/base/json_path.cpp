#include "base/json_path.h"

#include "base/json_depth.h"

namespace brivane {

std::optional<nlohmann::json> ParseJson(std::string_view aText) {
    if (!JsonNestingWithin(aText)) {
        return std::nullopt;
    }
    auto document = nlohmann::json::parse(aText, nullptr, /*allow_exceptions=*/false);
    if (document.is_discarded()) {
        return std::nullopt;
    }
    return document;
}

const nlohmann::json* FindJsonMember(const nlohmann::json& aValue, std::string_view aPath) {
    const nlohmann::json* value = &aValue;
    if (aPath.empty()) {
        return value;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = aPath.find('.', start);
        const std::string_view name = aPath.substr(start, dot - start);
        if (!value->is_object()) {
            return nullptr;
        }
        const auto member = value->find(name);
        if (member == value->end()) {
            return nullptr;
        }
        value = &*member;
        if (dot == std::string_view::npos) {
            return value;
        }
        start = dot + 1;
    }
}

std::string JsonText(const nlohmann::json& aValue, std::string_view aPath) {
    const nlohmann::json* value = FindJsonMember(aValue, aPath);
    if (value == nullptr || value->is_null()) {
        return {};
    }
    if (value->is_string()) {
        return value->get<std::string>();
    }
    if (value->is_object() || value->is_array()) {
        throw EJsonPathError("The JSON member '" + std::string(aPath) + "' is not a text");
    }
    return value->dump(); // numbers and Booleans
}

} // namespace brivane

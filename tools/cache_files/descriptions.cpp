#include "descriptions.h"

#include "base/json_depth.h"
#include "platform/files.h"

#include <nlohmann/json.hpp>

#include <set>
#include <stdexcept>

namespace brivane::tools {

namespace {

// Far above 160 descriptions of a few hundred characters each.
constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

std::string Text(const nlohmann::ordered_json& aEntry, const std::string& aName, const char* aKey) {
    const auto member = aEntry.find(aKey);
    if (member == aEntry.end() || !member->is_string()) {
        throw std::runtime_error("'" + aName + "' has no text \"" + aKey + "\"");
    }
    return member->get<std::string>();
}

} // namespace

TDescriptions ParseDescriptions(std::string_view aJson) {
    if (!JsonNestingWithin(aJson)) {
        throw std::runtime_error("The descriptions are " + JsonTooDeepText());
    }
    // The parser keeps the last of two equal names silently; a repeated program is a
    // mistake in the source, so it is caught while parsing.
    std::set<std::string> names;
    std::string repeated;
    const auto noteNames = [&](int aDepth, nlohmann::ordered_json::parse_event_t aEvent,
                               nlohmann::ordered_json& aParsed) {
        if (aDepth == 1 && aEvent == nlohmann::ordered_json::parse_event_t::key &&
            !names.insert(aParsed.get<std::string>()).second && repeated.empty()) {
            repeated = aParsed.get<std::string>();
        }
        return true;
    };
    nlohmann::ordered_json root;
    try {
        root = nlohmann::ordered_json::parse(aJson, noteNames);
    } catch (const nlohmann::json::parse_error& e) {
        throw std::runtime_error(std::string("The descriptions are not JSON: ") + e.what());
    }
    if (!root.is_object()) {
        throw std::runtime_error("The descriptions are not a JSON object");
    }
    if (!repeated.empty()) {
        throw std::runtime_error("'" + repeated + "' is described twice");
    }
    TDescriptions result;
    for (const auto& [name, entry] : root.items()) {
        if (!entry.is_object()) {
            throw std::runtime_error("'" + name + "' is not an object of \"en\" and \"ru\"");
        }
        for (const auto& [key, value] : entry.items()) {
            if (key != "en" && key != "ru") {
                throw std::runtime_error("'" + name + "' has an unknown member \"" + key + "\"");
            }
        }
        result.emplace_back(name, TDescription{Text(entry, name, "en"), Text(entry, name, "ru")});
    }
    return result;
}

TDescriptions ReadDescriptions(const std::filesystem::path& aFile) {
    const auto read = platform::ReadRegularFile(aFile, kMaxFileSize);
    if (!read.Bytes) {
        throw std::runtime_error("Cannot read '" + aFile.string() + "': " + read.Reason);
    }
    try {
        return ParseDescriptions(*read.Bytes);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(aFile.string() + ": " + e.what());
    }
}

} // namespace brivane::tools

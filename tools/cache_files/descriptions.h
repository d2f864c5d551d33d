#pragma once
// The source file of the programs' descriptions: one JSON object whose members are the
// catalogue's display names, each {"en": "...", "ru": "..."}.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brivane::tools {

struct TDescription {
    std::string En;
    std::string Ru;
};

using TDescriptions = std::vector<std::pair<std::string, TDescription>>;

// The descriptions in the file's order. Throws std::runtime_error naming the fault for
// a file that cannot be read or is not of that shape: a member twice, a text missing or
// not a string, a member beside "en" and "ru".
TDescriptions ParseDescriptions(std::string_view aJson);
TDescriptions ReadDescriptions(const std::filesystem::path& aFile);

} // namespace brivane::tools

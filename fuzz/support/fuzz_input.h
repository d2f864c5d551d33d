#pragma once
// Small helpers shared by the fuzz targets: the input as text, split into parts, and a
// private temporary folder for parsers that read files.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace brivane::fuzz {

inline std::string_view AsText(const std::uint8_t* aData, std::size_t aSize) {
    return {reinterpret_cast<const char*>(aData), aSize};
}

// The text before the first line feed and the text after it; all of it and nothing
// when there is none.
inline std::pair<std::string_view, std::string_view> SplitFirstLine(std::string_view aText) {
    const auto end = aText.find('\n');
    if (end == std::string_view::npos) {
        return {aText, {}};
    }
    return {aText.substr(0, end), aText.substr(end + 1)};
}

// The lines of aText without their line feeds.
inline std::vector<std::string_view> SplitLines(std::string_view aText) {
    std::vector<std::string_view> lines;
    while (!aText.empty()) {
        const auto [line, rest] = SplitFirstLine(aText);
        lines.push_back(line);
        aText = rest;
    }
    return lines;
}

// A folder of this process's own below $TMPDIR (or /tmp). Targets write nowhere else.
// libFuzzer ends without running exit handlers, so the folder outlives the process:
// scripts/fuzz gives each run a TMPDIR in memory (atomic writes flush to the disk,
// which would make the file targets a hundred times slower) and removes it afterwards.
inline const std::filesystem::path& TempFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "brivane-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// Replaces the file aName in the temporary folder by aBytes and returns its path.
inline std::filesystem::path WriteTempFile(const std::string& aName, std::string_view aBytes) {
    const auto path = TempFolder() / aName;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(aBytes.data(), static_cast<std::streamsize>(aBytes.size()));
    if (!out.flush()) {
        std::abort();
    }
    return path;
}

} // namespace brivane::fuzz

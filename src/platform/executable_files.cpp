// Linux reads executables with the program's own resource reader.

#include "platform/executable_files.h"

#include "base/unicode.h"
#include "pe/byte_range_source.h"
#include "pe/executable_icons.h"
#include "pe/executable_resources.h"
#include "platform/files.h"
#include "regex/regex.h"

#include <charconv>

namespace brivane::platform {

namespace {

bool EndsWith(std::string_view aText, std::string_view aSuffix) {
    return aText.size() >= aSuffix.size() && aText.substr(aText.size() - aSuffix.size()) == aSuffix;
}

// "path,index" as installers store icon locations; the index is 0 when it is not a
// valid integer.
struct TIconLocation {
    std::string File;
    int Index = 0;
};

TIconLocation SplitIconLocation(const std::string& aLocation) {
    static const auto pattern = NewRegex("(.+),\\s*?([-\\d]+)$");
    const auto match = pattern->Match(aLocation);
    if (!match->Success()) {
        return {aLocation, 0};
    }
    const std::string index = match->Groups()->Item(2)->Value();
    int value = 0;
    const auto [end, error] = std::from_chars(index.data(), index.data() + index.size(), value);
    if (error != std::errc() || end != index.data() + index.size()) {
        value = 0;
    }
    return {match->Groups()->Item(1)->Value(), value};
}

std::string ExtractIcon(const TWindowsPathResolver& aFiles, std::string_view aFile, int aIndex) {
    const auto path = aFiles.Resolve(aFile);
    if (!path) {
        return {};
    }
    const auto source = OpenFileRangeSource(*path);
    if (!source) {
        return {};
    }
    if (source->ReadRange(0, 1) == "MZ") {
        return ReadIconGroup(*source, aIndex);
    }
    // An icon file holds one icon, the one at index 0.
    if (aIndex != 0) {
        return {};
    }
    auto bytes = ReadFileBytes(*path, kMaxIconFileSize);
    if (!bytes || !IsIconFile(*bytes)) {
        return {};
    }
    return std::move(*bytes);
}

} // namespace

std::string GetFileVersion(const TWindowsPathResolver& aFiles, std::string_view aFileName) {
    const auto path = aFiles.Resolve(aFileName);
    const auto source = path ? OpenFileRangeSource(*path) : nullptr;
    if (!source) {
        return {};
    }
    TFileVersionInfo info;
    try {
        ReadFileVersionInfo(*source, info);
    } catch (const TConversionError&) {
        // A malformed string table does not hide the fixed information read before it.
    }
    if (!info.HasFixedFileInfo()) {
        return {};
    }
    return FormatVersion(info.FixedFileInfo().dwFileVersionMS,
                         info.FixedFileInfo().dwFileVersionLS);
}

std::string LoadIconFromLocation(const TWindowsPathResolver& aFiles, std::string_view aLocation) {
    if (aLocation.empty()) {
        return DefaultApplicationIcon();
    }
    const std::string location = LowerCase(aLocation);
    if (EndsWith(location, ".exe") || EndsWith(location, ".dll")) {
        // The file's own icon, as a file browser shows it: its first icon group, else the
        // icon of programs that have none.
        if (!aFiles.FileExists(location)) {
            return {};
        }
        std::string icon = ExtractIcon(aFiles, location, 0);
        return icon.empty() ? DefaultApplicationIcon() : icon;
    }
    const TIconLocation parts = SplitIconLocation(location);
    return ExtractIcon(aFiles, parts.File, parts.Index);
}

} // namespace brivane::platform

#pragma once
// TProgramInfo: one program on its way from the catalogue to the lists, with the
// formatting of its size and its two cache files (a static one shipped beside the
// executable with icon and descriptions, a dynamic one per user with the last known
// available version, date and size).

#include "base/check_trace.h"
#include "base/date_time.h"
#include "catalogue/software_types.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivane {

using TIconBytes = std::vector<std::uint8_t>;

// The first value of both cache files.
inline constexpr std::int32_t kCacheMagic = 0x1D0C90B5;

struct TProgramInfo {
    std::optional<TIconBytes> fIcon;
    std::string Name;
    std::string CurrentVersion;
    std::string AvailableVersion;
    TDateTime UpdateDate = kZeroDate;
    std::string InformationRu;
    std::string InformationEn;
    std::int64_t Size = kZeroSize;
    TSoftwareCategory Category = scUnknown;
    // Why this run's check found no version; None when it found one or has not run.
    // Shown beside the row, never cached.
    TCheckProblem Problem;

    bool operator==(const TProgramInfo&) const = default;

    // Clears icon, name, versions, date and size; descriptions and category stay.
    void Empty();

    static TProgramInfo Make(std::optional<TIconBytes> aIcon, std::string aName,
                             std::string aInformationRu, std::string aInformationEn,
                             std::int64_t aSize, TDateTime aUpdateDate, TSoftwareCategory aCategory,
                             std::string aCurrentVersion, std::string aAvailableVersion);

    // "1.5 KB": bytes below 1024 (negative sizes included), else KB, MB or GB rounded to
    // two decimals, with the decimal separator of the user's locale.
    static std::string FormatSize(std::int64_t aSize, TLanguage aLanguage);
    static std::string FormatSize(std::int64_t aSize, TLanguage aLanguage,
                                  std::string_view aDecimalSeparator);
    std::string SizeAsString(TLanguage aLanguage) const;

    // By program name: the static file beside the executable, the dynamic one in the
    // per-user data folder. A name that cannot be a file name has no cache.
    static bool CacheExists(std::string_view aName);
    // Throws when the static file is missing or damaged; a missing or damaged dynamic
    // file only leaves the dynamic fields empty.
    static TProgramInfo LoadFromCache(std::string_view aName);
    // Replaces the dynamic file atomically; false (and the old file intact) on failure.
    bool SaveToCache(std::string_view aName) const;

    // The same on explicit files.
    static TProgramInfo LoadFromCacheFiles(const std::filesystem::path& aStaticFile,
                                           const std::filesystem::path& aDynamicFile);
    bool SaveToCacheFile(const std::filesystem::path& aDynamicFile) const;
};

} // namespace brivane

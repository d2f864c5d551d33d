#include "catalogue/program_info.h"

#include "base/rounding.h"
#include "base/value_stream.h"
#include "catalogue/static_cache_file.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/locale.h"

#include <charconv>
#include <stdexcept>

namespace brivane {

namespace {

// Bound on the dynamic file read: a version with two numbers.
constexpr std::size_t kMaxDynamicFileSize = 1024 * 1024;

// Date-times from the year 1 to the year 9999; anything else in a file is damage.
constexpr TDateTime kMinDate = -693593.0;
constexpr TDateTime kMaxDate = 2958466.0;

bool IsValidCacheName(std::string_view aName) {
    return !aName.empty() && aName != "." && aName != ".." &&
           aName.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::filesystem::path StaticCacheFolder() {
    return platform::GetExecutableFolder() / "Cache";
}

std::filesystem::path StaticCacheFile(std::string_view aName) {
    return StaticCacheFolder() / aName;
}

std::filesystem::path DynamicCacheFile(std::string_view aName) {
    return platform::GetAppDataFolder() / "Cache" / (std::string(aName) + ".dyn");
}

// The dynamic fields from the dynamic file, or nothing when it is missing, carries
// another magic or is damaged: it only caches what the next check finds again.
void ReadDynamicFile(const std::filesystem::path& aPath, TProgramInfo& aInfo) {
    const auto bytes = platform::ReadFileBytes(aPath, kMaxDynamicFileSize);
    if (!bytes) {
        return;
    }
    try {
        TValueReader reader(*bytes, platform::AnsiToUtf8);
        if (reader.ReadInteger() != kCacheMagic) {
            return;
        }
        std::string version = reader.ReadString();
        const TDateTime date = reader.ReadDouble();
        const std::int64_t size = reader.ReadInt64();
        if (date < kMinDate || date > kMaxDate) {
            return;
        }
        aInfo.AvailableVersion = std::move(version);
        aInfo.UpdateDate = date;
        aInfo.Size = size;
    } catch (const TValueReadError&) {
    }
}

} // namespace

void TProgramInfo::Empty() {
    fIcon.reset();
    Name.clear();
    CurrentVersion = kEmptyVersion;
    AvailableVersion = kEmptyVersion;
    UpdateDate = kZeroDate;
    Size = kZeroSize;
}

TProgramInfo TProgramInfo::Make(std::optional<TIconBytes> aIcon, std::string aName,
                                std::string aInformationRu, std::string aInformationEn,
                                std::int64_t aSize, TDateTime aUpdateDate,
                                TSoftwareCategory aCategory, std::string aCurrentVersion,
                                std::string aAvailableVersion) {
    TProgramInfo result;
    result.fIcon = std::move(aIcon);
    result.Name = std::move(aName);
    result.InformationRu = std::move(aInformationRu);
    result.InformationEn = std::move(aInformationEn);
    result.Size = aSize;
    result.UpdateDate = aUpdateDate;
    result.Category = aCategory;
    result.CurrentVersion = std::move(aCurrentVersion);
    result.AvailableVersion = std::move(aAvailableVersion);
    return result;
}

std::string TProgramInfo::FormatSize(std::int64_t aSize, TLanguage aLanguage) {
    return FormatSize(aSize, aLanguage, platform::GetDecimalSeparator());
}

std::string TProgramInfo::FormatSize(std::int64_t aSize, TLanguage aLanguage,
                                     std::string_view aDecimalSeparator) {
    static constexpr const char* kEnglishUnits[] = {"B", "KB", "MB", "GB"};
    static constexpr const char* kRussianUnits[] = {"Б", "КБ", "МБ", "ГБ"};
    const auto& units = aLanguage == lRussian ? kRussianUnits : kEnglishUnits;
    if (aSize < 1024) {
        return std::to_string(aSize) + " " + units[0];
    }
    long double value = static_cast<long double>(aSize) / 1024;
    int unit = 1;
    for (; unit < 3 && aSize >= (std::int64_t{1} << (10 * (unit + 1))); ++unit) {
        value /= 1024;
    }
    // Shortest general form with up to 15 significant digits; locale-independent, so
    // the separator is put in afterwards.
    char digits[64];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), RoundToHundredths(value),
                                   std::chars_format::general, 15)
                         .ptr;
    std::string number(digits, end);
    if (const auto point = number.find('.'); point != std::string::npos) {
        number.replace(point, 1, aDecimalSeparator);
    }
    return number + " " + units[unit];
}

std::string TProgramInfo::SizeAsString(TLanguage aLanguage) const {
    return FormatSize(Size, aLanguage);
}

bool TProgramInfo::CacheExists(std::string_view aName) {
    std::error_code ec;
    return IsValidCacheName(aName) && std::filesystem::is_regular_file(StaticCacheFile(aName), ec);
}

TProgramInfo TProgramInfo::LoadFromCache(std::string_view aName) {
    if (!IsValidCacheName(aName)) {
        throw std::invalid_argument("'" + std::string(aName) + "' cannot name a cache file");
    }
    return LoadFromCacheFiles(StaticCacheFile(aName), DynamicCacheFile(aName));
}

bool TProgramInfo::SaveToCache(std::string_view aName) const {
    return IsValidCacheName(aName) && SaveToCacheFile(DynamicCacheFile(aName));
}

TProgramInfo TProgramInfo::LoadFromCacheFiles(const std::filesystem::path& aStaticFile,
                                              const std::filesystem::path& aDynamicFile) {
    TProgramInfo result;
    const auto read = platform::ReadRegularFile(aStaticFile, kMaxStaticCacheFileSize);
    if (!read.Bytes) {
        throw std::runtime_error("Cannot read the cache file '" + aStaticFile.string() +
                                 "': " + read.Reason);
    }
    const auto& bytes = read.Bytes;
    try {
        TValueReader reader(*bytes, platform::AnsiToUtf8);
        if (reader.ReadInteger() != kCacheMagic) {
            return result;
        }
        if (const std::int32_t iconLength = reader.ReadInteger(); iconLength >= 1) {
            const std::string icon = reader.ReadBytes(static_cast<std::size_t>(iconLength));
            result.fIcon.emplace(icon.begin(), icon.end());
        }
        result.Name = reader.ReadString();
        result.InformationRu = reader.ReadString();
        result.InformationEn = reader.ReadString();
    } catch (const TValueReadError& e) {
        throw TValueReadError("Damaged cache file '" + aStaticFile.string() + "': " + e.what());
    }
    ReadDynamicFile(aDynamicFile, result);
    return result;
}

bool TProgramInfo::SaveToCacheFile(const std::filesystem::path& aDynamicFile) const {
    TValueWriter writer;
    writer.WriteInteger(kCacheMagic);
    writer.WriteString(AvailableVersion);
    writer.WriteDouble(UpdateDate);
    writer.WriteInt64(Size);
    try {
        platform::WriteFileAtomically(aDynamicFile, writer.Bytes());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace brivane

#pragma once
// TBaseSoftwareInfo: the static description of one catalogue entry: its display
// name, licence, category, descriptions, the icon of the installed program and
// what the cache files remember of it.

#include "catalogue/program_info.h"
#include "catalogue/software_types.h"

#include <optional>
#include <string>

namespace brivane {

// An icon as the bytes of an icon file (.ico); empty when nothing could be extracted.
using TIconFile = std::string;

class TBaseSoftwareInfo {
public:
    // Reads the entry's cache files when the program ships a static one for aName;
    // a cache that cannot be read leaves the cached record empty.
    explicit TBaseSoftwareInfo(std::string aName);

    const std::string& Name() const { return fName; }
    const std::string& DescriptionRu() const { return fDescriptionRu; }
    const std::string& DescriptionEn() const { return fDescriptionEn; }

    TSoftwareLicense License() const { return fLicense; }
    void SetLicense(TSoftwareLicense aValue) { fLicense = aValue; }
    TSoftwareCategory Category() const { return fCategory; }
    void SetCategory(TSoftwareCategory aValue) { fCategory = aValue; }

    // Nothing when the program is not installed.
    const std::optional<TIconFile>& Icon() const { return fIcon; }
    void SetIcon(std::optional<TIconFile> aValue) { fIcon = std::move(aValue); }

    const TProgramInfo& CachedInfo() const { return fCachedInfo; }

private:
    std::string fName;
    TSoftwareLicense fLicense = slUnknown;
    TSoftwareCategory fCategory = scUnknown;
    std::string fDescriptionRu;
    std::string fDescriptionEn;
    std::optional<TIconFile> fIcon;
    TProgramInfo fCachedInfo;
};

} // namespace brivane

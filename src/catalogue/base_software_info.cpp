#include "catalogue/base_software_info.h"

namespace brivane {

namespace {

TProgramInfo ReadCachedInfo(const std::string& aName) {
    // Without the static file shipped with the program the dynamic one is not
    // read either: it only completes a cached entry.
    if (!TProgramInfo::CacheExists(aName)) {
        return {};
    }
    try {
        return TProgramInfo::LoadFromCache(aName);
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace

TBaseSoftwareInfo::TBaseSoftwareInfo(std::string aName)
    : fName(std::move(aName)), fCachedInfo(ReadCachedInfo(fName)) {
    fDescriptionRu = fCachedInfo.InformationRu;
    fDescriptionEn = fCachedInfo.InformationEn;
}

} // namespace brivane

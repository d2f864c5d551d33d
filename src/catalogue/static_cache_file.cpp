#include "catalogue/static_cache_file.h"

#include "base/value_stream.h"

#include <stdexcept>

namespace brivane {

std::string StaticCacheFileBytes(const TProgramInfo& aInfo) {
    TValueWriter writer;
    writer.WriteInteger(kCacheMagic);
    const std::size_t iconLength = aInfo.fIcon ? aInfo.fIcon->size() : 0;
    if (iconLength > kMaxStaticCacheFileSize) {
        throw std::length_error("The icon of '" + aInfo.Name + "' is too large for its cache file");
    }
    writer.WriteInteger(static_cast<std::int32_t>(iconLength));
    if (aInfo.fIcon) {
        writer.WriteBytes({reinterpret_cast<const char*>(aInfo.fIcon->data()), iconLength});
    }
    writer.WriteString(aInfo.Name);
    writer.WriteString(aInfo.InformationRu);
    writer.WriteString(aInfo.InformationEn);
    if (writer.Bytes().size() > kMaxStaticCacheFileSize) {
        throw std::length_error("The cache file of '" + aInfo.Name +
                                "' would be too large to read");
    }
    return writer.Bytes();
}

} // namespace brivane

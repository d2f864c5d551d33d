#include "pe/byte_range_source.h"

namespace brivane::platform {

std::string TMemoryRangeSource::ReadRange(std::int64_t aStart, std::int64_t aEnd) {
    const auto size = static_cast<std::int64_t>(fBytes.size());
    if (aStart < 0 || aEnd < aStart || aStart >= size) {
        return {};
    }
    const std::int64_t last = aEnd < size ? aEnd : size - 1;
    return fBytes.substr(static_cast<std::size_t>(aStart),
                         static_cast<std::size_t>(last - aStart + 1));
}

std::string TCountingRangeSource::ReadRange(std::int64_t aStart, std::int64_t aEnd) {
    std::string bytes = fInner.ReadRange(aStart, aEnd);
    ++fRequests;
    fBytes += static_cast<std::int64_t>(bytes.size());
    return bytes;
}

} // namespace brivane::platform

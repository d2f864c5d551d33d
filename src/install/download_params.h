#pragma once
// Where one program's installer is fetched from, as the catalogue's check found it.

#include <cstdint>
#include <string>

namespace brivane::install {

struct TDownloadParams {
    std::string fURL;
    std::string fReferer;   // sent as the Referer header; empty: none
    std::int64_t fSize = 0; // the installer's size as the check learned it; 0: unknown

    static TDownloadParams Create(std::string aURL, std::string aReferer, std::int64_t aSize) {
        return {std::move(aURL), std::move(aReferer), aSize};
    }

    bool operator==(const TDownloadParams&) const = default;
};

} // namespace brivane::install

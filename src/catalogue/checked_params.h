#pragma once
// TCheckedParams: what one online check of a catalogue entry found.

#include "base/date_time.h"

#include <string>

namespace brivane {

struct TCheckedParams {
    std::string AvailableVersion;     // as the publisher writes it; empty when nothing was found
    TDateTime UpdateDate = kZeroDate; // the release date when the publisher gives one
    std::string DownloadURL;          // absolute address of the installer; empty when unknown
    std::string DownloadReferer;      // Referer to send when downloading; empty when none
    bool IsBeta = false;              // the version found is a pre-release

    // Nothing found yet.
    static TCheckedParams Create() { return {}; }
};

} // namespace brivane

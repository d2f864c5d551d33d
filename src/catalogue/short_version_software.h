#pragma once
// An entry that compares only the leading components of its versions.

#include "catalogue/base_software.h"

#include <algorithm>
#include <string>
#include <utility>

namespace brivane {

// An entry whose publisher counts its releases in fewer components than the four the
// lists compare (a build number that differs per download, say): only the first
// aDigits components decide which version is newer.
class TShortVersionSoftware : public TBaseSoftware {
public:
    TShortVersionSoftware(std::string aName, TSoftwareCategory aCategory, int aDigits)
        : TBaseSoftware(std::move(aName), aCategory), fDigits(aDigits) {}

    int CompareVersions(const std::string& aCurrent, const std::string& aAvailable,
                        int aDigits) override {
        return TBaseSoftware::CompareVersions(aCurrent, aAvailable, std::min(aDigits, fDigits));
    }

private:
    const int fDigits;
};

} // namespace brivane

#pragma once
// The settings of one run of a list command: the stored ones with the command line's on
// top, in a store of its own, so that nothing the run sets reaches the user's file.
// Reading them prints their warnings and takes the interface language from them.

#include "app/settings.h"

#include <filesystem>
#include <memory>

namespace brivane::cli {

class TRunSettings {
public:
    // aBeta and aShareware turn the settings on for this run; false leaves the stored one.
    TRunSettings(bool aBeta, bool aShareware);
    ~TRunSettings();
    TRunSettings(const TRunSettings&) = delete;
    TRunSettings& operator=(const TRunSettings&) = delete;

    const std::shared_ptr<TConfig>& Config() const { return fConfig; }

private:
    std::filesystem::path fFolder;
    std::shared_ptr<TConfig> fConfig;
};

} // namespace brivane::cli

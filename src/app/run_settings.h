#pragma once
// The settings of one run that the command line changes (--beta, --shareware): the
// stored ones with the command line's on top, in a store of its own in a temporary
// folder, so that nothing the run sets reaches the user's settings file.

#include "app/settings.h"

#include <filesystem>
#include <memory>

namespace brivane {

class TRunSettings {
public:
    TRunSettings(const TConfig& aStored, bool aAllowBeta, bool aAllowShareware);
    ~TRunSettings();
    TRunSettings(const TRunSettings&) = delete;
    TRunSettings& operator=(const TRunSettings&) = delete;

    const std::shared_ptr<TConfig>& Config() const { return fConfig; }

private:
    std::filesystem::path fFolder;
    std::shared_ptr<TConfig> fConfig;
};

} // namespace brivane

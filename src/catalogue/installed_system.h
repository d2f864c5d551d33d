#pragma once
// TInstalledSystem: the machine the catalogue looks at, read from its registry: the
// system facts, the inventory of installed applications with the corrections entries
// made to it, and the files of the installed programs. It is the entries' context;
// the controller owns one and reads it anew at every refresh.

#include "catalogue/catalogue_context.h"

#include <mutex>

namespace brivane {

class TInstalledSystem final : public ICatalogueContext {
public:
    // Reads the facts and the inventory once, from one registry of aOpenRegistry.
    explicit TInstalledSystem(TRegistryOpener aOpenRegistry = platform::OpenRegistry);
    TInstalledSystem(const TInstalledSystem&) = delete;
    TInstalledSystem& operator=(const TInstalledSystem&) = delete;

    // Reads the facts and the inventory anew, from a registry opened now (so that
    // programs installed meanwhile are seen). Forgets the corrections.
    void Read();

    std::vector<TApplicationItem> GetApplicationsByName(std::string_view aName) const override;
    TApplicationArray GetInstalledApplications() const override;
    void ReplaceInstalledApplication(const TApplicationArray& aSnapshot, std::size_t aIndex,
                                     const TApplicationItem& aItem) override;
    bool IsWindows64() const override;
    TOSInformation SystemInfo() const override;
    std::shared_ptr<const platform::IRegistry> Registry() const override;
    platform::TWindowsPathResolver Files() const override;

private:
    // Opens the next registry and reads the facts from it, for the inventory to read next.
    std::shared_ptr<platform::IRegistry> OpenAndReadFacts();

    TRegistryOpener fOpenRegistry;
    mutable std::mutex fFactsLock; // guards fRegistry, fFiles and fSystemInfo
    std::shared_ptr<const platform::IRegistry> fRegistry;
    platform::TWindowsPathResolver fFiles;
    TOSInformation fSystemInfo;
    TSoftwareInformation fSoftwareInfo;
    // The inventory's snapshot with the corrections made since it was read.
    mutable std::mutex fApplicationsLock;
    TApplicationArray fCorrectedBase;
    TApplicationArray fCorrected;
};

} // namespace brivane

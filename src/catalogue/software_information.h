#pragma once
// The inventory of installed applications: every uninstall record in the
// registry that has a display name, the list the system's "remove programs"
// panel shows. Init reads it again and publishes a new snapshot; readers on other
// threads keep the snapshot they were handed.

#include "catalogue/application_item.h"
#include "platform/registry.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace brivane {

using TApplicationArray = std::shared_ptr<const std::vector<TApplicationItem>>;
using TRegistryOpener = std::function<std::shared_ptr<platform::IRegistry>()>;

class TSoftwareInformation {
public:
    // Reads the system's architecture and the inventory once. aOpenRegistry gives
    // the registry to read at every Init (by default the current source, read anew,
    // so that programs installed meanwhile are seen).
    explicit TSoftwareInformation(TRegistryOpener aOpenRegistry = platform::OpenRegistry);

    void Init();

    // The current snapshot, in the order of first appearance.
    TApplicationArray GetApplications() const;

    bool IsWindows64() const { return fIsWindows64; }

private:
    void Publish(const platform::IRegistry& aRegistry);

    TRegistryOpener fOpenRegistry;
    mutable std::mutex fLock; // guards the snapshot
    TApplicationArray fThreadSafeApplications;
    bool fIsWindows64 = false;
};

// The uninstall records of one registry, read in the order described above.
std::vector<TApplicationItem> ReadInstalledApplications(const platform::IRegistry& aRegistry);

} // namespace brivane

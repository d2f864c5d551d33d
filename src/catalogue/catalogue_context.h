#pragma once
// ICatalogueContext: what a catalogue entry may ask of the machine it looks at: the
// installed applications, the facts of the inspected system, its registry and its
// files. Entries get one when they are registered and never reach further out, so the
// same entry runs inside the program and in a test that gives it a machine of its own.

#include "catalogue/application_item.h"
#include "catalogue/os_information.h"
#include "catalogue/software_information.h"
#include "platform/registry.h"
#include "platform/windows_paths.h"

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace brivane {

class ICatalogueContext {
public:
    virtual ~ICatalogueContext() = default;

    // Copies of the installed applications named aName in any letter case, in
    // inventory order.
    virtual std::vector<TApplicationItem> GetApplicationsByName(std::string_view aName) const = 0;

    // The inventory's current snapshot; a later inventory read does not change it.
    virtual TApplicationArray GetInstalledApplications() const = 0;

    // Corrects item aIndex of the inventory (an entry that reads its version from the
    // name, say). The snapshots already handed out stay as they are; later look-ups see
    // the correction until the next inventory read. Ignored when aSnapshot is neither
    // the current snapshot nor the one the current one was corrected from, or aIndex is
    // outside it.
    virtual void ReplaceInstalledApplication(const TApplicationArray& aSnapshot, std::size_t aIndex,
                                             const TApplicationItem& aItem) = 0;

    virtual bool IsWindows64() const = 0;

    // The facts of the inspected system, as last read.
    virtual TOSInformation SystemInfo() const = 0;

    // The registry the inventory was last read from; null when there is none.
    virtual std::shared_ptr<const platform::IRegistry> Registry() const = 0;

    // The installed programs' files, named by Windows paths.
    virtual platform::TWindowsPathResolver Files() const = 0;
};

// A machine with nothing installed, no registry and no files: the context of an entry
// that was never registered.
ICatalogueContext& EmptyCatalogueContext();

} // namespace brivane

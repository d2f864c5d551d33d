#pragma once
// TController: the application's single controller. This header holds its catalogue
// registry (the entries, owned here, in registration order) and the look-ups the
// catalogue entries use: the inventory of installed applications and the facts about
// the running system.

#include "catalogue/application_item.h"
#include "catalogue/os_information.h"
#include "catalogue/software_information.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace brivane {

class TBaseSoftware;

// What the controller reads from outside; the defaults are the program's own.
struct TControllerOptions {
    // The registry the inventory and the system facts are read from, anew at every Init.
    TRegistryOpener OpenRegistry = platform::OpenRegistry;
};

class TController {
public:
    // Reads the inventory once; sets the process-wide Controller() to this object.
    explicit TController(TControllerOptions aOptions = {});
    // Clears Controller() and destroys the entries in registration order.
    ~TController();
    TController(const TController&) = delete;
    TController& operator=(const TController&) = delete;

    // Appends the entry to the catalogue and takes it over; a null entry is ignored.
    void RegisterSoftware(std::unique_ptr<TBaseSoftware> aSoftware);

    // The catalogue as it is now, in registration order. The entries stay owned by the
    // controller and alive as long as it lives, also after they left the catalogue.
    std::vector<TBaseSoftware*> GetSoftwareList() const;

    // The first entry whose Info.Name equals aName exactly (letter case counts), or null.
    TBaseSoftware* GetSoftwareByName(std::string_view aName) const;

    // Copies of the installed applications named aName in any letter case, in
    // inventory order.
    std::vector<TApplicationItem> GetApplicationsByName(std::string_view aName) const;

    // The inventory's current snapshot; a later inventory read does not change it.
    TApplicationArray GetInstalledApplications() const;

    bool IsWindows64() const;

    // The system facts of the last Init (of the construction before the first one).
    TOSInformation SystemInfo() const;

private:
    const TControllerOptions fOptions;

    // The catalogue lock guards fSoftware and fOwnedSoftware.
    mutable std::recursive_mutex fSoftwareLock;
    std::vector<TBaseSoftware*> fSoftware;
    // Owns every registered entry, including those the debug filter took out.
    std::vector<std::unique_ptr<TBaseSoftware>> fOwnedSoftware;

    TSoftwareInformation fSoftwareInfo;

    mutable std::mutex fSystemInfoLock;
    TOSInformation fSystemInfo;
};

// The process's controller while one exists, else null.
TController* Controller();

} // namespace brivane

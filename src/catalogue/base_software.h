#pragma once
// TBaseSoftware: the base of every catalogue entry. It holds what every entry has
// in common (its description, the installed copy picked from the inventory, the
// latest version found online and where to download it) and runs the online
// check. Each program's definition derives from it, gives its display name,
// category and licence once where it is made, writes GetCheckedParams (the one
// operation every definition must have) and overrides a few others where the
// program needs it.
//
// An entry has no lock: the controller never runs two of Init, Check and
// RefreshCurrentVersion on one entry at once. Entries of different programs run
// in parallel; each owns its HTTP client.

#include "base/check_trace.h"
#include "base/date_time.h"
#include "base/nullable.h"
#include "base/tuple.h"
#include "catalogue/application_item.h"
#include "catalogue/base_software_info.h"
#include "catalogue/catalogue_context.h"
#include "catalogue/checked_params.h"
#include "catalogue/program_info.h"
#include "catalogue/software_types.h"
#include "net/code_page.h"
#include "net/http_client.h"
#include "net/http_helpers.h"
#include "platform/windows_paths.h"
#include "regex/regex.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace brivane {

// The last-modified date and the length of a remote file.
using TRemoteFileDateSize = ITuple<TDateTime, std::int64_t>;

class TBaseSoftware {
public:
    // The entry of the program displayed as aName, not yet initialised.
    TBaseSoftware(std::string aName, TSoftwareCategory aCategory,
                  TSoftwareLicense aLicense = slFreeware);
    virtual ~TBaseSoftware();
    TBaseSoftware(const TBaseSoftware&) = delete;
    TBaseSoftware& operator=(const TBaseSoftware&) = delete;

    // The machine the entry looks at (installed applications, system facts, files);
    // until one is given, an empty machine. It must outlive the entry's operations.
    void SetContext(ICatalogueContext& aContext) { fContext = &aContext; }

    // Prepares the entry once the inventory has been read: finds the installed
    // copy and its version and icon, forgets what an earlier check found.
    void Init();

    // Asks online for the latest version, its installer and the installer's date
    // and size. Never raises: a failure keeps what was assigned before it. The check
    // records what it does in LastCheck.
    void Check(bool aCheckBetaVersion, TLanguage aLanguage);

    // What the last check since Init did: its steps when SetTraceSteps asked for them,
    // the first cause of a failure always.
    const TCheckTrace& LastCheck() const { return fLastCheck; }
    // Keep every step of the checks from now on (a maintainer's trace), or only the
    // first cause (the default).
    void SetTraceSteps(bool aValue) { fLastCheck.SetKeepSteps(aValue); }
    // Why the last check found no version; None when it found one or none ran since Init.
    TCheckProblem Problem() const;

    // Finds the installed copy again, after the inventory was read anew.
    void RefreshCurrentVersion();

    // Compares dotted versions over aDigits components: positive when aCurrent is
    // newer, negative when aAvailable is (see CompareVersionNumbers).
    virtual int CompareVersions(const std::string& aCurrent, const std::string& aAvailable,
                                int aDigits);

    // The record shown in the lists and written to the cache, completed from the
    // cache where this run knows nothing yet.
    TProgramInfo MakeProgramInfo() const;

    const std::string& AvailableVersion() const { return fAvailableVersion; }
    const std::string& CurrentVersion() const { return fCurrentVersion; }
    TDateTime UpdateDate() const { return fUpdateDate; }
    std::int64_t Size() const { return fSize; }
    const std::string& DownloadURL() const { return fDownloadURL; }
    const std::string& DownloadReferer() const { return fDownloadReferer; }
    bool IsBeta() const { return fIsBeta; }
    const TBaseSoftwareInfo& Info() const { return *fInfo; }
    bool IsInstalled() const { return GetIsInstalled(); }

    // Applies the program's user agent and the default request headers of
    // browser-like clients to aClient; nothing for none. Server certificates stay
    // verified.
    static void SetupHTTPClient(net::THTTPClient* aClient);

protected:
    // The online check proper: fills aParams, which starts as nothing found.
    virtual void GetCheckedParams(bool aCheckBetaVersion, TLanguage aLanguage,
                                  TCheckedParams& aParams) = 0;
    // The installed version: the inventory's by default.
    virtual std::string GetCurrentVersion();
    virtual bool GetIsInstalled() const;
    // Where the installed program's icon is: the inventory's by default.
    virtual std::string GetIconLocation();
    // The category and licence the entry was made with.
    virtual TSoftwareCategory GetCategory();
    virtual TSoftwareLicense GetLicense();
    // Picks the installed copy from the inventory: by default the application
    // named like the entry (letter case aside) with the highest version.
    virtual void FindApplication();
    // The last-modified date and length the server gives for aURL (zero date and
    // zero size when it gives none): HEAD, else a GET whose body is not read.
    virtual TRemoteFileDateSize GetRemoteFileInfo(const std::string& aURL);

    // A page as text, fetched with the entry's client: gzip decoded, converted from
    // aCodePage. Empty when the request fails; aOnResponse sees the response first
    // (its exceptions are dropped). A gzip body that does not decode raises.
    std::string GetPageText(const std::string& aURL, int aCodePage = net::kCodePageUtf8,
                            const net::TResponseEvent& aOnResponse = {});
    // The same for a form post of name=value lines separated by CR LF.
    std::string PostPageText(const std::string& aURL, std::string_view aFields,
                             const net::TResponseEvent& aOnResponse = {},
                             int aCodePage = net::kCodePageUtf8);

    ICatalogueContext& Context() const { return *fContext; }
    // The installed programs' files, named by Windows paths.
    platform::TWindowsPathResolver Files() const { return fContext->Files(); }
    // "%d.%d.%d.%d" of an executable's file version; empty without one.
    std::string GetFileVersion(std::string_view aFileName) const;
    // The icon of an icon location ("path" or "path,index"); empty when nothing
    // could be extracted; an empty location gives the default application icon.
    TIconFile LoadIconFromLocation(std::string_view aLocation) const;
    // Nothing when the program is not installed.
    std::optional<TIconFile> GetInstalledIcon();

    // --- Ways of finding the installed copy (installed_copy.cpp) ---

    // The first inventory item whose name matches aName (or that aMatches accepts).
    // False, leaving the entry as it was, when none does.
    bool FindFirstApplication(const IRegex& aName);
    bool FindFirstApplication(const std::function<bool(const TApplicationItem&)>& aMatches);
    // The first inventory item whose name matches aName; when group 1 (the version in
    // the name) differs from the item's version, the item takes it, here and in the
    // inventory, so later readers of the same snapshot see the correction. With
    // aUnversionedName, an item that matches it instead is taken as it is, in the same
    // walk.
    bool FindApplicationWithVersionInName(const IRegex& aName,
                                          const IRegex* aUnversionedName = nullptr);

    // Where a search for the highest version among name matches starts.
    enum class THighestFrom {
        // The best so far starts at "0": an item whose version is not above 0 is never
        // taken.
        Zero,
        // The first match is taken when the entry holds no item, then only a strictly
        // higher version replaces the one held, also one held from an earlier call.
        Held,
    };
    // The inventory item with the highest version among those aMatches accepts.
    bool FindHighestApplication(const std::function<bool(const TApplicationItem&)>& aMatches,
                                THighestFrom aFrom);
    bool FindHighestApplication(const IRegex& aName, THighestFrom aFrom);
    // The inventory item with the highest version among those whose name matches aName,
    // held as THighestFrom::Held says, after every match took the version in its name
    // (group 1) as FindApplicationWithVersionInName does.
    bool FindHighestApplicationWithVersionInName(const IRegex& aName);

    // --- Files of the installed copy ---

    // The folders of the installed copy that definitions look in.
    enum class TInstalledFolder {
        InstallLocation,    // the install location
        InstallLocationCut, // the install location up to its last backslash
        UninstallFolder,    // the folder of the uninstall command
        IconFolder,         // the folder of the icon file
    };
    // The Windows path of aFile in that folder when the program is installed and the
    // file exists; empty otherwise.
    std::string InstalledFile(TInstalledFolder aFolder, std::string_view aFile) const;
    // The file version of aFile in that folder; empty when the file is missing or has
    // no version.
    std::string InstalledFileVersion(TInstalledFolder aFolder, std::string_view aFile) const;
    // The first file of that folder matching aMask whose Windows path matches aPath;
    // empty when there is none.
    std::string FindInstalledFile(TInstalledFolder aFolder, const IRegex& aPath,
                                  std::string_view aMask = "*.exe") const;

    // --- The installed version and icon, from the inventory and the installed files ---

    // The file version of aFile in that folder when the file exists (empty when it has
    // no version); the inventory's version otherwise.
    std::string FileVersionOrInventory(TInstalledFolder aFolder, std::string_view aFile) const;
    // The inventory's version, or the file version of aFile in that folder when that
    // one is newer.
    std::string NewerFileVersion(TInstalledFolder aFolder, std::string_view aFile);
    // Group 1 of aPattern over the inventory's version text; nothing when the program is
    // not installed or the pattern does not match.
    std::optional<std::string> InventoryVersionGroup(const IRegex& aPattern) const;
    // The inventory's icon unless it is empty, else aFile in that folder when it exists.
    std::string IconOrInstalledFile(TInstalledFolder aFolder, std::string_view aFile);

    void SetIsBeta(bool aValue) { fIsBeta = aValue; }

    std::string fAvailableVersion;
    std::string fCurrentVersion;
    TDateTime fUpdateDate = kZeroDate;
    std::string fDownloadURL;
    std::string fDownloadReferer;
    std::int64_t fSize = kZeroSize;
    bool fIsBeta = false;
    std::unique_ptr<TBaseSoftwareInfo> fInfo;
    Nullable<TApplicationItem> fApplication;
    std::unique_ptr<net::THTTPClient> fHTTP;

private:
    // aItem (item aIndex of aApplications, whose name aName matched) with the version in
    // its name, corrected in the inventory too when that differs from the recorded one.
    void TakeVersionFromName(const TApplicationArray& aApplications, std::size_t aIndex,
                             const IMatch& aName, TApplicationItem& aItem);
    // True when aItem is to replace the item held: none is held yet, or aItem's version
    // is strictly higher.
    bool IsAboveHeld(const TApplicationItem& aItem);

    // The Windows folder of the installed copy that aFolder names; empty when the
    // program is not installed or its record names none.
    std::string InstalledFolder(TInstalledFolder aFolder) const;

    // The error that ended a check, as its trace's last step.
    void StopTrace(const char* aError) noexcept;

    TCheckTrace fLastCheck;
    bool fChecked = false; // a check ran since Init
    const TSoftwareCategory fCategory;
    const TSoftwareLicense fLicense;
    ICatalogueContext* fContext = &EmptyCatalogueContext();
};

} // namespace brivane

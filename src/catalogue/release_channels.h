#pragma once
// Steps of the definitions whose release is not simply stated on a page of their
// own: the version read out of a remote installer, the product pages of the software
// download directories, and the choice between a stable and a pre-release check.

#include "catalogue/checked_params.h"
#include "net/http_client.h"
#include "regex/regex.h"

#include <string>
#include <string_view>

namespace brivane {

class TBaseSoftware;

// Which version text of a remote installer a definition takes.
enum class TProbedVersion { File, Product };

// The version of the executable at aURL, read through range requests without
// downloading it; empty when aURL is empty or the file has no readable version. A
// damaged string table costs the strings only.
std::string RemoteVersion(const std::string& aURL, TProbedVersion aWhich = TProbedVersion::File);

// When a probe of the installer is asked for.
enum class TProbeWhen {
    Always,         // the installer's own version beats the one a page states
    VersionMissing, // only when no version was found otherwise
};
// A non-empty version of aParams' installer, read remotely, becomes its available
// version; nothing happens without an installer address.
void ProbeInstallerVersion(TCheckedParams& aParams, TProbeWhen aWhen,
                           TProbedVersion aWhich = TProbedVersion::File);

// aURL as the installer and the version read out of it.
void TakeProbedInstaller(const std::string& aURL, TCheckedParams& aParams,
                         TProbedVersion aWhich = TProbedVersion::File);

// The installer linked on aPage (group 1 of aLink, made absolute against aSite) and
// the version read out of it; nothing without a link.
void TakeLinkedInstaller(const IRegex& aLink, const TRegexSubject& aPage, std::string_view aSite,
                         TCheckedParams& aParams, TProbedVersion aWhich = TProbedVersion::File);

// The version and installer stated by a product page of the CNet directory and of
// the Betanews directory; fields the page does not give stay as they were.
void TakeCNetInfo(const std::string& aProductPage, TCheckedParams& aParams);
void TakeBetanewsInfo(const std::string& aProductPage, TCheckedParams& aParams);

// A release a page states by a link (group 1 of aRelease, made absolute against
// aSite) and a version (group 2): both become aParams' when the first match has
// both; false, leaving aParams as it was, otherwise.
bool TakeRelease(const IRegex& aRelease, const TRegexSubject& aPage, std::string_view aSite,
                 TCheckedParams& aParams);

// Which record wins when the stable and the pre-release version are equal.
enum class TTieGoesTo { Stable, PreRelease };

// The record to offer of a stable and a pre-release check: the pre-release when it
// found an installer and a version newer than the stable one (on a tie as aTie says),
// else the stable one. Versions are compared by aEntry's own rule.
TCheckedParams NewerRelease(TBaseSoftware& aEntry, TCheckedParams aStable,
                            TCheckedParams aPreRelease, TTieGoesTo aTie);

// The version and installer a CNet product page states, with the version that group 1
// of aVersion finds in the publisher's own version file in place of the directory's
// when the file states one: the directory can lag behind the publisher.
void TakeCNetInfoWithVersionFile(net::THTTPClient& aClient, const std::string& aProductPage,
                                 const std::string& aVersionFile, const IRegex& aVersion,
                                 TCheckedParams& aParams);

} // namespace brivane

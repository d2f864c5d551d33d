#pragma once
// What install and demo share once the check has run: ticking the programs named, and
// the install flow of the ticked rows (link retrieval, downloads, the installers one at a
// time, the inventory read again), with Ctrl+C cancelling the phase in progress.

#include <map>
#include <string>
#include <vector>

namespace brivane {
class TController;
class TWakingMainLoop;
} // namespace brivane

namespace brivane::cli {

class TConsoleView;
class TInterrupt;

using TNames = std::vector<std::string>;

// Ticks exactly the programs to install: the named rows (any letter case) of Updates and
// Library, and with aAllUpdates every Updates row. Returns their names in list order;
// aUnlisted receives the names that are in neither list nor among the current programs.
// Names that are up to date or unlisted are warned about on standard error.
TNames TickPrograms(TConsoleView& aView, const TNames& aNames, bool aAllUpdates, TNames& aUnlisted);

// Installs the ticked rows and runs aLoop until the flow has ended; from now on Ctrl+C
// (through aInterrupt) cancels the phase in front.
void InstallTicked(TController& aController, TConsoleView& aView, TWakingMainLoop& aLoop,
                   TInterrupt& aInterrupt);

// The names of the programs whose installers started, in start order; aFailed receives
// those of aTicked that did not start, or whose installers ended in failure.
TNames StartedInstallers(const TController& aController, const TNames& aTicked, TNames& aFailed);

// Why each of aFailed did not install: what the installer queue says for those it got,
// "Not listed" for those of aUnlisted, and for the others that no link was found.
std::map<std::string, std::string> FailureReasons(const TController& aController,
                                                  const TNames& aFailed, const TNames& aUnlisted);

// Ends the command with "Not installed: a (why), b (why)" (a failure) when aFailed names
// any; the reasons come from FailureReasons.
void ThrowIfNotInstalled(const TNames& aFailed, const std::map<std::string, std::string>& aReasons);

// "a, b, c".
std::string JoinNames(const TNames& aNames);

} // namespace brivane::cli

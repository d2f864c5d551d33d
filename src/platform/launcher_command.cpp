#include "platform/launcher_command.h"

#include "platform/environment.h"
#include "platform/launcher.h"

#include <mutex>
#include <sstream>

namespace brivane::platform {

namespace {

std::mutex gOverrideLock;
std::vector<std::string> gOverride;

} // namespace

void SetLauncherOverride(std::vector<std::string> aCommand) {
    const std::lock_guard lock(gOverrideLock);
    gOverride = std::move(aCommand);
}

std::vector<std::string> LauncherCommand() {
    {
        const std::lock_guard lock(gOverrideLock);
        if (!gOverride.empty()) {
            return gOverride;
        }
    }
    std::vector<std::string> words;
    std::istringstream launcher(GetEnv("BRIVANE_LAUNCHER").value_or(""));
    for (std::string word; launcher >> word;) {
        words.push_back(word);
    }
    return words;
}

} // namespace brivane::platform

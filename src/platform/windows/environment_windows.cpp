#include "platform/environment.h"

#include "platform/windows/wide.h"

#include <cstdlib>
#include <stdexcept>

namespace brivane::platform {

std::optional<std::string> GetEnv(const std::string& aName) {
    const wchar_t* value = _wgetenv(windows::Wide(aName).c_str());
    return value != nullptr ? std::optional<std::string>(windows::Narrow(value)) : std::nullopt;
}

// _wputenv_s changes both the C runtime's copy, which getenv reads, and the process's
// own block, which CreateProcessW and ShellExecuteExW hand on to children.
void SetEnv(const std::string& aName, const std::string& aValue) {
    if (aValue.empty()) {
        UnsetEnv(aName); // Windows knows no variable with an empty value
        return;
    }
    if (aName.empty() || aName.find('=') != std::string::npos ||
        _wputenv_s(windows::Wide(aName).c_str(), windows::Wide(aValue).c_str()) != 0) {
        throw std::runtime_error("Cannot set " + aName);
    }
}

void UnsetEnv(const std::string& aName) {
    if (!aName.empty() && aName.find('=') == std::string::npos) {
        _wputenv_s(windows::Wide(aName).c_str(), L""); // an empty value removes it
    }
}

} // namespace brivane::platform

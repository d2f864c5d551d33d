#include "platform/environment.h"

#include <cstdlib>
#include <stdexcept>

namespace brivane::platform {

void SetEnv(const std::string& aName, const std::string& aValue) {
    if (::setenv(aName.c_str(), aValue.c_str(), 1) != 0) {
        throw std::runtime_error("Cannot set " + aName);
    }
}

void UnsetEnv(const std::string& aName) {
    ::unsetenv(aName.c_str());
}

} // namespace brivane::platform

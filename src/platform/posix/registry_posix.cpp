// Linux has no registry of its own: it is always read from files.

#include "platform/registry.h"

#include "platform/registry_files/file_registry.h"

namespace brivane::platform {

std::shared_ptr<IRegistry> OpenRegistry() {
    return registry_files::OpenRegistryFrom(GetRegistrySource());
}

} // namespace brivane::platform

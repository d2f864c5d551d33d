// IObit Advanced SystemCare: the version is read out of the installer behind the publisher's fixed
// link.

#include "catalogue/programs/iobit_program.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeIObitAdvancedSystemCare() {
    // Its installers register the name with the major version: "Advanced SystemCare 9".
    static const auto installedName = NewRegex("^Advanced\\s+?SystemCare\\b");
    return MakeIObitProgram("IObit Advanced SystemCare", scSystem, installedName,
                            "https://update.iobit.com/dl/advanced-systemcare-setup.exe");
}

} // namespace brivane::programs

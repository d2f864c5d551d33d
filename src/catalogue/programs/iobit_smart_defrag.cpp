// IObit Smart Defrag: the version is read out of the installer behind the publisher's fixed link.

#include "catalogue/programs/iobit_program.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeIObitSmartDefrag() {
    // Its installers register the name with the major version: "Smart Defrag 5".
    static const auto installedName = NewRegex("^(?:IObit\\s+?)?Smart\\s+?Defrag\\b");
    return MakeIObitProgram("IObit Smart Defrag", scSystem, installedName,
                            "https://update.iobit.com/dl/smart-defrag-setup.exe");
}

} // namespace brivane::programs

// SlimDrivers: version and installer from the publisher's PAD file.

#include "catalogue/programs/slimware_program.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeSlimDrivers() {
    return MakeSlimwarePadProgram("SlimDrivers",
                                  "https://www.slimwareutilities.com/pad/slimdrivers_pad.xml");
}

} // namespace brivane::programs

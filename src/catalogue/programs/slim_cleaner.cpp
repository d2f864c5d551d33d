// SlimCleaner: version and installer from the publisher's PAD file.

#include "catalogue/programs/slimware_program.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeSlimCleaner() {
    return MakeSlimwarePadProgram("SlimCleaner",
                                  "https://www.slimwareutilities.com/pad/slimcleaner_pad.xml");
}

} // namespace brivane::programs

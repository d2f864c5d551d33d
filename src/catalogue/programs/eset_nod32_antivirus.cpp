// ESET NOD32 Antivirus: its installers are "eav_<architecture>_<language>.exe".

#include "catalogue/programs/eset_home_product.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeESETNOD32Antivirus() {
    return MakeESETHomeProduct("ESET NOD32 Antivirus",
                               "https://www.eset.com/int/home/antivirus/download/");
}

} // namespace brivane::programs
